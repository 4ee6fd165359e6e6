// Keyboard play and screen readers in Chromium: arrows move a focus cell
// drawn over the board, Enter and Space play it, and a live region words
// what happened.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { canvasPixel, events, openBoard, takeEvents, useBrowser, waitForEvents } from './harness.mjs';

const shared = useBrowser();

async function press(page, ...keys) {
  for (const key of keys) await page.keyboard.press(key);
}

// In CSS pixels from the board's top left corner.
function focusCellBox(page) {
  return page.evaluate(() => {
    const root = document.querySelector('quintar-board').shadowRoot;
    const cell = root.querySelector('[part=focus-cell]');
    const board = root.querySelector('.surface').getBoundingClientRect();
    const { x, y, width, height } = cell.getBoundingClientRect();
    return { display: getComputedStyle(cell).display, x: x - board.x, y: y - board.y, width, height };
  });
}

function spoken(page) {
  return page.evaluate(() => document.querySelector('quintar-board').shadowRoot.querySelector('[role=status]').textContent);
}

test('arrows move the focus cell, Enter and Space play it', async () => {
  const { page, board, close } = await openBoard(shared, { attributes: 'auto-response="false"', style: 'width: 280px; height: 260px;' });
  // Tabbed to, the board shows where Enter would play before any arrow.
  await press(page, 'Tab');
  assert.deepEqual(await focusCellBox(page), { display: 'block', x: 120, y: 120, width: 12, height: 12 });
  assert.equal(await spoken(page), 'Crosses to move. Column 11, row 11, empty.');
  // Forced colours leave the board's pixels as they are, so the frame over
  // them keeps its own colour rather than one that may match the board.
  await page.emulateMedia({ forcedColors: 'active', colorScheme: 'dark' });
  assert.equal(await board.evaluate((element) =>
    getComputedStyle(element.shadowRoot.querySelector('[part=focus-cell]')).borderTopColor), 'rgb(26, 115, 232)');
  await page.emulateMedia({ forcedColors: 'none', colorScheme: 'light' });
  await press(page, 'ArrowRight', 'ArrowRight', 'ArrowUp');
  // 20 x 20 cells of 12 pixels beside the edge numbers; the focus cell
  // starts in the middle, at column 11, row 11.
  assert.deepEqual(await focusCellBox(page), { display: 'block', x: 144, y: 108, width: 12, height: 12 });
  assert.equal(await spoken(page), 'Column 13, row 10, empty.');
  // The focus cell is drawn over the board, not into the control's pixels.
  assert.equal(await canvasPixel(page, 145, 113), '#ffffff');

  await press(page, 'Enter', 'ArrowLeft', ' ');
  await waitForEvents(page, 2);
  const played = await takeEvents(page);
  assert.deepEqual(played.map(({ detail: { col, row, mark, computer } }) => ({ col, row, mark, computer })),
    [{ col: 13, row: 10, mark: 'cross', computer: false }, { col: 12, row: 10, mark: 'nought', computer: false }]);
  assert.equal(await spoken(page), played[1].detail.words);

  await press(page, ...Array(15).fill('ArrowUp'), ...Array(15).fill('ArrowLeft'));
  assert.deepEqual(await focusCellBox(page), { display: 'block', x: 0, y: 0, width: 12, height: 12 });

  // Keys play where a press would: not while presses are switched off, and
  // the board says why.
  await board.evaluate((element) => { element.clickResponse = false; });
  await press(page, 'Enter');
  assert.deepEqual(await events(page), []);
  assert.equal(await spoken(page), 'The board takes no presses.');
  // The same words again change the region again, to be spoken again.
  await press(page, 'Enter');
  assert.equal((await spoken(page)).trim(), 'The board takes no presses.');
  assert.notEqual(await spoken(page), 'The board takes no presses.');
  await close();
});

test('the board is named, and moves and results are announced', async () => {
  const { page, board, close } = await openBoard(shared);
  const named = await board.evaluate((element) => ['role', 'aria-label', 'aria-keyshortcuts']
    .map((name) => element.getAttribute(name)).concat(element.tabIndex));
  assert.deepEqual(named, ['application', 'Five-in-a-row board', 'ArrowUp ArrowDown ArrowLeft ArrowRight Enter Space', 0]);

  await board.evaluate((element) => {
    element.autoResponse = false;
    for (let col = 1; col <= 4; ++col) {
      element.move(col, 1);
      element.move(col, 3);
    }
    window.events.length = 0;
    element.move(5, 1);
  });
  // The move and the result, each once, as the events word them.
  const [move, won] = await events(page);
  assert.deepEqual([move.type, won.type], ['legalmove', 'crosswon']);
  assert.equal(await spoken(page), `${move.detail.words} ${won.detail.words}`);
  await close();

  const labelled = await openBoard(shared, { attributes: 'aria-label="Game"' });
  assert.equal(await labelled.board.getAttribute('aria-label'), 'Game');
  await labelled.close();
});
