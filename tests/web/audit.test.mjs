// The demo page for people who do not use a mouse, or do not see the screen:
// an accessibility audit with axe-core, and a whole game by keyboard alone.
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { test } from 'node:test';

import { openDemo, SCREENS, useBrowser } from './harness.mjs';

const shared = useBrowser();
const AXE = createRequire(import.meta.url).resolve('axe-core/axe.min.js');

// The serious and critical violations axe finds on the page as it stands.
async function seriousViolations(page) {
  if (!(await page.evaluate(() => 'axe' in window))) await page.addScriptTag({ path: AXE });
  const violations = await page.evaluate(async () => (await window.axe.run(document)).violations);
  return violations
    .filter(({ impact }) => impact === 'serious' || impact === 'critical')
    .map(({ id, impact, nodes }) => ({ id, impact, nodes: nodes.map(({ target }) => target.join(' ')) }));
}

test('axe finds no serious or critical violation on the demo page, on a desktop or a phone, before and during a game, analysed and reviewed', async () => {
  for (const screen of [SCREENS.desktop, SCREENS.phone]) {
    const { page, close } = await openDemo(shared, screen);
    assert.deepEqual(await seriousViolations(page), []);
    await page.evaluate(() => {
      const board = document.querySelector('quintar-board');
      board.seed(4);
      board.move(8, 8);  // and the computer's answer: a list of moves and Undo to check too
    });
    await page.waitForFunction(() => document.querySelectorAll('#moves li').length === 2);
    assert.deepEqual(await seriousViolations(page), []);
    // With the analysis shown and the moves reviewed.
    await page.check('#analyse');
    await page.click('#review');
    await page.waitForFunction(() => document.querySelectorAll('#moves button.judged').length === 2 &&
      !document.getElementById('evaluation').hidden, null, { timeout: 60000 });
    assert.deepEqual(await seriousViolations(page), []);
    await close();
  }
});

// Presses key until the element with the keyboard focus matches selector.
async function tabTo(page, selector, key = 'Tab') {
  for (let presses = 0; presses < 40; ++presses) {
    await page.keyboard.press(key);
    if (await page.evaluate((selector) => document.activeElement?.matches(selector), selector)) return;
  }
  assert.fail(`${key} never reached ${selector}`);
}

// Moves the board's focus cell with the arrow keys from where it is to a cell.
async function walk(page, from, to) {
  const steps = [
    ...Array(Math.max(to.col - from.col, 0)).fill('ArrowRight'), ...Array(Math.max(from.col - to.col, 0)).fill('ArrowLeft'),
    ...Array(Math.max(to.row - from.row, 0)).fill('ArrowDown'), ...Array(Math.max(from.row - to.row, 0)).fill('ArrowUp'),
  ];
  for (const key of steps) await page.keyboard.press(key);
  return to;
}

const listedMoves = (page) => page.locator('#moves li').count();

test('a whole game is played on the demo page by keyboard alone', async () => {
  const { page, close } = await openDemo(shared);
  // Two people: Tab to the players, and the arrow keys choose among them.
  await tabTo(page, 'input[name=players]');
  await page.keyboard.press('ArrowUp');
  assert.equal(await page.evaluate(() => document.querySelector('input[name=players]:checked').value), 'none');

  await tabTo(page, 'quintar-board', 'Shift+Tab');
  // From the middle to the corner: the arrows stop at the edges.
  for (let step = 0; step < 15; ++step) {
    await page.keyboard.press('ArrowUp');
    await page.keyboard.press('ArrowLeft');
  }
  let at = { col: 1, row: 1 };
  // Crosses along row 1 with Enter, noughts along row 3 with Space.
  for (let col = 1; col <= 5; ++col) {
    at = await walk(page, at, { col, row: 1 });
    await page.keyboard.press('Enter');
    if (col === 5) break;
    at = await walk(page, at, { col, row: 3 });
    await page.keyboard.press(' ');
  }
  const board = await page.evaluate(() => {
    const element = document.querySelector('quintar-board');
    return { over: element.gameOver, noughtAt: element.cell(4, 3), status: document.getElementById('status').textContent };
  });
  assert.deepEqual(board, { over: true, noughtAt: 'nought', status: 'Crosses won.' });
  assert.equal(await listedMoves(page), 9);

  // The buttons: Undo takes the winning cross back, New game clears the board.
  await tabTo(page, '#undo');
  await page.keyboard.press('Enter');
  assert.equal(await page.evaluate(() => document.querySelector('quintar-board').gameOver), false);
  assert.equal(await listedMoves(page), 8);
  await tabTo(page, '#new-game', 'Shift+Tab');
  page.once('dialog', (dialog) => dialog.accept());
  await page.keyboard.press(' ');
  assert.equal(await listedMoves(page), 0);
  assert.equal(await page.evaluate(() => document.querySelector('quintar-board').cell(1, 1)), null);
  await close();
});
