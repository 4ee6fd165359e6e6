// The modules' hand-written bindings in Node.js, without a page: what the
// page passes that is no cell, record, turn or review is refused without
// harm, texts keep every character both ways, and views of the module's
// memory stay right when it grows. The element's use of them is the browser
// tests'.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { test } from 'node:test';
import { pathToFileURL } from 'node:url';

import { SITE } from './harness.mjs';

const folder = join(SITE, 'quintar-board');
const { instantiate } = await import(pathToFileURL(join(folder, 'loader.js')));
const load = async (name, file) => instantiate(await WebAssembly.compile(readFileSync(join(folder, file))), name);
const quintar = await load('board', 'quintar-module.wasm');
const analysis = await load('analysis', 'quintar-analysis.wasm');

function quietBoard() {
  const board = new quintar.Board({ event() {}, announce() {}, changed() {}, repaint() {}, think() {}, pace() {}, analyse() {}, analysisChanged() {} });
  board.held = false;
  board.autoResponse = false;
  return board;
}

test('cells, texts and the pixels cross whole, and the pixels follow the memory as it grows', () => {
  const board = quietBoard();
  board.colCount = board.rowCount = 15;
  board.move(15, 1);
  assert.deepEqual(board.lastMove(), { col: 15, row: 1 });
  assert.equal(board.cell(15, 1), 'cross');
  assert.equal(board.cell(99, -4), '');
  assert.equal(board.cellBounds(0, 16), null);
  assert.equal(board.moveWords().length, 1);
  assert.equal(board.setPlayingStrength('high\0junk'), false);
  assert.equal(board.setPlayingStrength('high'), true);
  assert.equal(board.playingStrength, 'high');
  // A view lasts until the next call; the second size makes the module's
  // memory grow, and its view must be of the new memory.
  board.setSize(400, 400);
  assert.equal(board.present().surface.pixels.length, 400 * 400 * 4);
  board.setSize(2600, 2600);
  const large = board.present();
  assert.deepEqual([large.left, large.top, large.width, large.height, large.surface.width], [0, 0, 2600, 2600, 2600]);
  const { buffer, byteOffset, length } = large.surface.pixels;
  const pixels = new Uint32Array(buffer, byteOffset, length / 4);
  assert.ok(pixels.some((pixel) => pixel !== pixels[0]), 'the grid and the cross are drawn');
  assert.ok(pixels.every((pixel) => pixel >>> 24 === 0xff), 'a canvas takes every pixel as opaque');
  board.delete();
  board.delete();
});

test('the board leaves the expert to the expert\'s module: the turn it hands out is thought there', () => {
  let asked = null;
  const board = new quintar.Board({ event() {}, announce() {}, changed() {}, repaint() {}, think(serial, bytes) { asked = { serial, bytes: bytes.slice() }; }, pace() {}, analyse() {}, analysisChanged() {} });
  board.held = false;
  assert.equal(board.setPlayingStrength('expert'), true);
  board.move(8, 8);
  assert.ok(asked, 'the expert\'s move is asked for elsewhere');
  assert.equal(board.thinking(), true);
  // Without an answer the board cannot think the expert itself: the move
  // stays due, and nothing thinks it.
  board.answer(asked.serial, null);
  assert.equal(board.moveWords().length, 1);
  assert.equal(board.thinking(), false);

  asked = null;
  board.computerMove();
  const cell = new analysis.Analyst().think(asked.bytes);
  assert.ok(cell && board.cell(cell.col, cell.row) === '', 'the expert answers with an empty cell');
  board.answer(asked.serial, cell);
  assert.equal(board.cell(cell.col, cell.row), 'nought');
  assert.equal(board.thinking(), false);
  board.delete();
});

test('what is no report, review, turn or game is refused, and the board carries on', () => {
  const board = quietBoard();
  board.analysisReported(1, new Int32Array([7, 7, 7, 7, 7, 7, 7, 7]));
  board.analysisReported(1, [1, 2, 3]);
  assert.equal(board.analysis(), null);
  assert.equal(board.reviewed(new Int32Array([1, 2, 3]), new Int32Array(9)), false);
  assert.equal(board.reviewRequest(), null);  // no move to judge
  board.move(8, 8);
  assert.equal(board.reviewed(board.reviewRequest().slice(), 'no review'), false);
  assert.equal(board.review(), null);
  const analyst = new analysis.Analyst();
  assert.equal(analyst.think(new Int8Array([1, 2, 3])), null);
  assert.equal(analyst.analyse(new Int8Array(4), () => assert.fail('no report on no turn')), false);
  assert.equal(analyst.review([20, 20]), null);
  assert.equal(analyst.review(new Int32Array([3, -1])), null);
  board.move(9, 9);
  assert.equal(board.cell(9, 9), 'nought');
  board.delete();
});
