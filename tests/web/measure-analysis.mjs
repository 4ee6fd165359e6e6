// How quickly the element's analysis follows the game, in Chromium: the time
// from a move to the first report on the new position (the analysing worker
// ended and its spare taking over), the longest wait between reports while
// a position is analysed, and the time a review of the planted game takes.
// Not a test; run it after `make web`, on a machine otherwise idle.
//
//   node tests/web/measure-analysis.mjs [moves]
import { chromium } from 'playwright-core';

import { startServer } from '../../hosts/web/serve.mjs';
import { CHROMIUM, PLANTED_FAULTS, SITE } from './harness.mjs';

const MOVES = Number(process.argv[2] ?? 12);
const server = await startServer({ '/': SITE });
const browser = await chromium.launch(CHROMIUM);
try {
  const page = await browser.newPage();
  await page.goto(server.url);
  await page.waitForFunction(() => customElements.get('quintar-board'));
  const figures = await page.evaluate(async ([moves, planted]) => {
    const board = document.querySelector('quintar-board');
    board.autoResponse = false;
    board.colCount = board.rowCount = 20;
    const pause = (milliseconds) => new Promise((resolve) => setTimeout(resolve, milliseconds));
    let moved = 0;
    let last = 0;
    const firsts = [];
    const gaps = [];
    board.addEventListener('analysis', () => {
      const now = performance.now();
      if (last < moved) firsts.push(now - moved);
      else gaps.push(now - last);
      last = now;
    });
    board.analyse();
    // A spiral out from the middle: a game that goes on without a five.
    const spiral = [[10, 10], [11, 10], [11, 11], [10, 11], [9, 11], [9, 10], [9, 9], [10, 9], [11, 9], [12, 9], [12, 10],
      [12, 11], [12, 12], [11, 12], [10, 12], [9, 12], [8, 12], [8, 11], [8, 10], [8, 9], [8, 8], [9, 8]];
    await pause(1000);
    for (const [col, row] of spiral.slice(0, moves)) {
      moved = performance.now();
      board.move(col, row);
      await pause(1500);
    }
    board.stopAnalysis();
    board.newGame();
    for (const move of planted) board.move(...move);
    const start = performance.now();
    await board.review();
    return { firsts, gaps, review: performance.now() - start };
  }, [MOVES, PLANTED_FAULTS]);
  const sorted = (values) => [...values].sort((a, b) => a - b);
  const median = (values) => sorted(values)[Math.floor(values.length / 2)] ?? NaN;
  const { firsts, gaps, review } = figures;
  console.log(`first report after a move: median ${median(firsts).toFixed(0)} ms, longest ${Math.max(...firsts).toFixed(0)} ms (${firsts.length} moves)`);
  console.log(`between reports: median ${median(gaps).toFixed(0)} ms, longest ${Math.max(...gaps).toFixed(0)} ms`);
  console.log(`review of the planted game (${PLANTED_FAULTS.length} moves on 20 x 20): ${review.toFixed(0)} ms`);
} finally {
  await browser.close();
  await server.close();
}
