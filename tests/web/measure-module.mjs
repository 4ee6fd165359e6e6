// The module's own speed in Node.js, without a browser: the processor time of
// a new board's first sizing and paint at 1170 x 1170 (a phone's width in
// device pixels), of a move answered by the high level, and of a full paint
// at that size, in a package folder as `make web` writes it. The first paint
// costs more than later ones: it writes the surface's memory for the first
// time. For weighing build flags against each other: build the module with
// other flags into another folder and compare. Not a test; run it on a
// machine otherwise idle.
//
//   node tests/web/measure-module.mjs [package folder]
import { readFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

import { SITE } from './harness.mjs';

const folder = resolve(process.argv[2] ?? join(SITE, 'quintar-board'));
const { instantiate } = await import(pathToFileURL(join(folder, 'loader.js')));
const quintar = await instantiate(await WebAssembly.compile(readFileSync(join(folder, 'quintar-module.wasm'))));
const milliseconds = () => {
  const { user, system } = process.cpuUsage();
  return (user + system) / 1000;
};

let start = milliseconds();
const board = new quintar.Board({ event() {}, announce() {}, changed() {}, repaint() {}, think() {}, pace() {} });
board.colCount = board.rowCount = 15;
board.held = false;
board.setSize(1170, 1170);
board.present();
const firstPaint = milliseconds() - start;

const GAMES = 200;
const MOVES = [[8, 8], [7, 7], [9, 9], [6, 8], [10, 6]];
start = milliseconds();
for (let game = 0; game < GAMES; ++game) {
  quintar.seed(game);
  board.newGame();
  board.present();
  for (const [col, row] of MOVES) {
    board.move(col, row);
    board.present();
  }
}
const perMove = (milliseconds() - start) / (GAMES * MOVES.length);
const PAINTS = 100;
start = milliseconds();
for (let paint = 0; paint < PAINTS; ++paint) {
  board.setSize(1170 - (paint & 1), 1170);
  board.present();
}
const perPaint = (milliseconds() - start) / PAINTS;
console.log(`${folder}: a new board's first paint ${firstPaint.toFixed(1)} ms, move answered by the high level ${perMove.toFixed(3)} ms, full paint ${perPaint.toFixed(3)} ms (processor time)`);
