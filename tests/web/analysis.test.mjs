// Analysis and review through the element, as a page uses them: reports on
// the position on the board from the analysing worker, a new analysis with
// every move, and a review that finds the faults planted in a game.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { openBoard, PLANTED_FAULTS, useBrowser } from './harness.mjs';

const shared = useBrowser();

// Until the analysis events recorded in window.reports satisfy accept.
function waitForReport(page, accept) {
  return page.waitForFunction(`window.reports.some(${accept})`, null, { timeout: 20000 });
}

test('analysis reports on each position the game reaches, and a review judges every move of the game', async () => {
  const { page, board, errors, close } = await openBoard(shared, {
    attributes: 'col-count="20" row-count="20" auto-response="false"',
  });
  await board.evaluate((element, [first]) => {
    window.reports = [];
    element.addEventListener('analysis', (event) => window.reports.push(event.detail));
    element.move(...first);
    element.analyse();
  }, PLANTED_FAULTS);
  await waitForReport(page, '() => true');
  const [report] = await page.evaluate(() => window.reports);
  assert.equal(await board.evaluate((element) => element.analysing), true);
  assert.equal(report.turn, 'nought');
  assert.ok(report.depth >= 0 && report.nodes > 0 && report.lines.length > 0 && report.lines.length <= 5);
  assert.equal(report.candidates.length, report.lines.length);
  assert.match(report.words, /Best: column \d+, row \d+\.$/);
  for (const { col, row, line, advantage } of report.lines) {
    assert.deepEqual(line[0], { col, row });
    assert.ok(Math.abs(advantage) <= 100);
    assert.equal(await board.evaluate((element, [col, row]) => element.cell(col, row), [col, row]), null);
  }

  // Up to crosses' open four: every report from then on is on the new
  // position, which crosses win in one, at either end.
  await board.evaluate((element, moves) => {
    for (const move of moves) element.move(...move);
    window.reports = [];
  }, PLANTED_FAULTS.slice(1, 8));
  await waitForReport(page, '() => true');
  const reports = await page.evaluate(() => window.reports);
  for (const { turn, lines: [best], words } of reports) {
    assert.equal(turn, 'cross');
    assert.deepEqual([best.outcome, best.movesToFive, best.advantage, best.standing], ['win', 1, 100, 'winning']);
    assert.match(words, /^Crosses win in 1 move: column (4|9), row 10\.$/);
  }
  assert.deepEqual(await board.evaluate((element) => element.analysis), reports.at(-1));

  await board.evaluate((element) => element.stopAnalysis());
  assert.deepEqual(await board.evaluate((element) => [element.analysing, element.analysis]), [false, null]);

  // A review asked for and the game changed before it came: it no longer applies.
  assert.equal(await board.evaluate((element, move) => {
    const review = element.review();
    element.move(...move);
    return review;
  }, PLANTED_FAULTS[8]), null);

  await board.evaluate((element, move) => element.move(...move), PLANTED_FAULTS[9]);
  const review = await board.evaluate((element) => element.review());
  assert.equal(review.moves.length, PLANTED_FAULTS.length);
  review.moves.forEach(({ col, row, side, judgement }, index) => {
    assert.deepEqual([col, row], PLANTED_FAULTS[index]);
    assert.equal(side, index % 2 === 0 ? 'cross' : 'nought');
    assert.equal(judgement === 'win-let-through', index === 5, `move ${index + 1}: ${judgement}`);
    assert.equal(judgement === 'missed-win', index === 8, `move ${index + 1}: ${judgement}`);
  });
  assert.match(review.moves[5].words, /^Move 6, nought on column 7, row 1: a win let through; column (4|8), row 10 held\.$/);
  assert.match(review.moves[8].words, /^Move 9, cross on column 9, row 1: a missed win; column (4|9), row 10 won\.$/);
  assert.deepEqual(review.moves[8].better.row, 10);
  assert.match(review.summary[0], /^Crosses: .*1 missed win.*; the turning point was move 9\.$/);
  assert.match(review.summary[1], /^Noughts: .*1 win let through; the turning point was move 6\.$/);
  // Kept while the game's line is the one reviewed, stepping back through it
  // included; another move drops it.
  assert.deepEqual(await board.evaluate((element) => element.gameReview), review);
  assert.deepEqual(await board.evaluate((element) => (element.undo(), element.gameReview)), review);
  assert.equal(await board.evaluate((element) => (element.move(1, 20), element.gameReview)), null);
  assert.deepEqual(errors, []);
  await close();
});

test('a review whose module cannot be fetched fails alone, and the next one fetches it afresh', async () => {
  const { page, board, errors, close } = await openBoard(shared, { attributes: 'auto-response="false"' });
  await page.route('**/quintar-analysis.wasm', (route) => route.fulfill({ status: 404 }));
  await board.evaluate((element) => element.move(10, 10));
  const failed = await board.evaluate((element) => element.review().then(() => 'resolved', (error) => error.message));
  assert.equal(failed, 'quintar-board: the review failed');
  // The game goes on.
  await board.evaluate((element) => element.move(11, 11));
  assert.equal(await board.evaluate((element) => element.moves.length), 2);

  await page.unroute('**/quintar-analysis.wasm');
  const review = await board.evaluate((element) => element.review());
  assert.equal(review.moves.length, 2);
  assert.deepEqual(errors, []);
  await close();
});

test('without the expert\'s module the board says so, and neither thinks nor analyses on', async () => {
  const { page, board, close } = await openBoard(shared, { attributes: 'auto-response="false"' });
  await page.route('**/quintar-analysis.wasm', (route) => route.fulfill({ status: 404 }));
  await board.evaluate((element) => {
    element.playingStrength = 'expert';
    element.autoResponse = true;
    element.move(10, 10);
  });
  await page.waitForFunction(() => document.querySelector('quintar-board').announcement.startsWith('The computer could not'));
  assert.equal(await board.evaluate((element) => element.thinking), false);
  await board.evaluate((element) => element.computerMove());  // asked again, as the words say
  await page.waitForFunction(() => !document.querySelector('quintar-board').thinking);
  // Analysis turns itself off, and says so for the page's switch.
  const analysingAtItsEnd = await board.evaluate((element) => new Promise((resolve) => {
    element.addEventListener('analysisend', () => resolve(element.analysing), { once: true });
    element.analyse();
  }));
  assert.equal(analysingAtItsEnd, false);
  assert.equal(await board.evaluate((element) => element.moves.length), 1);
  await close();
});

test('a board taken off the page stops analysing; one moved elsewhere goes on', async () => {
  const { board, close } = await openBoard(shared, { attributes: 'auto-response="false"' });
  const states = await board.evaluate(async (element) => {
    element.move(9, 9);
    element.analyse();
    const parent = element.parentElement;
    const holder = document.createElement('div');
    document.body.append(holder);
    holder.append(element);
    await Promise.resolve();
    const moved = element.analysing;
    element.remove();
    await new Promise((resolve) => setTimeout(resolve));
    const removed = element.analysing;
    parent.append(element);
    return [moved, removed];
  });
  assert.deepEqual(states, [true, false]);
  await close();
});

test('a board taken off the page ends its idle workers at once, and put back thinks again', async () => {
  const { page, board, close } = await openBoard(shared, { attributes: 'playing-strength="expert"' });
  await board.evaluate((element) => element.move(9, 9));
  await page.waitForFunction(() => document.querySelector('quintar-board').moves.length === 2);
  assert.equal(page.workers().length, 1);
  await page.evaluate(() => {
    window.kept = document.querySelector('quintar-board');
    window.kept.remove();
  });
  for (let round = 0; round < 100 && page.workers().length > 0; ++round) await page.waitForTimeout(20);
  assert.equal(page.workers().length, 0);
  await page.evaluate(() => {
    document.body.append(window.kept);
    window.kept.move(10, 10);
  });
  await page.waitForFunction(() => window.kept.moves.length === 4);
  await close();
});

test('a board the page lets go of is collected, and the expert\'s worker with it', async () => {
  const { page, board, close } = await openBoard(shared, { attributes: 'playing-strength="expert"' });
  await board.evaluate((element) => element.move(9, 9));
  await page.waitForFunction(() => document.querySelector('quintar-board').moves.length === 2);
  assert.equal(page.workers().length, 1);
  await page.evaluate(() => {
    window.letGo = new WeakRef(document.querySelector('quintar-board'));
    document.querySelector('quintar-board').remove();
  });
  for (let round = 0; round < 50 && (page.workers().length > 0 || await page.evaluate(() => Boolean(letGo.deref()))); ++round)
    await page.evaluate(() => new Promise((resolve) => setTimeout(() => resolve(gc()), 20)));
  assert.equal(await page.evaluate(() => Boolean(letGo.deref())), false);
  assert.equal(page.workers().length, 0);
  await close();
});
