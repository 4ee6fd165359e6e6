// The demo page on a phone: it fits the screen upright and sideways, taps
// play (with a second tap where cells are too small for a finger), and a
// reload carries on with the game and the settings.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { cellCentre, openDemo, SCREENS, useBrowser } from './harness.mjs';

const shared = useBrowser();

const board = (page, read) => page.evaluate(read);
const marks = (page) => board(page, () => document.querySelector('quintar-board').moves);
const spoken = (page) => board(page, () => document.querySelector('quintar-board').announcement);

// Scrolls the board back into sight first, as a person would after using the controls below it.
async function tap(page, col, row) {
  await page.locator('quintar-board').scrollIntoViewIfNeeded();
  const { x, y } = await cellCentre(page, col, row);
  await page.touchscreen.tap(x, y);
}

async function setCount(page, id, value) {
  await page.fill(`#${id}`, String(value));
  await page.press(`#${id}`, 'Tab');
}

function layout(page) {
  return page.evaluate(() => {
    const box = document.querySelector('quintar-board').getBoundingClientRect();
    const shown = (selector) => getComputedStyle(document.querySelector(selector)).display !== 'none';
    return {
      scrollWidth: document.documentElement.scrollWidth,
      width: innerWidth,
      height: innerHeight,
      board: { left: box.left, right: box.right, width: box.width, height: box.height },
      buttonsBottom: document.querySelector('.buttons').getBoundingClientRect().bottom,
      touchWords: shown('.touch-words'),
      pointerWords: shown('.pointer-words'),
    };
  });
}

test('the page fits a phone upright and sideways, and words its help for touch', async () => {
  const smallSideways = { ...SCREENS.phoneSideways, viewport: { width: 568, height: 320 } };
  for (const screen of [SCREENS.phone, SCREENS.phoneSideways, smallSideways]) {
    const { page, close } = await openDemo(shared, screen);
    const seen = await layout(page);
    assert.ok(seen.scrollWidth <= seen.width, `no sideways scrolling: ${seen.scrollWidth} > ${seen.width}`);
    assert.ok(seen.board.left >= 0 && seen.board.right <= seen.width, JSON.stringify(seen));
    assert.ok(seen.board.height <= seen.height, JSON.stringify(seen));
    // Not shrunk to a stamp either: most of the shorter side.
    assert.ok(seen.board.width >= 0.9 * Math.min(seen.width, seen.height), JSON.stringify(seen));
    assert.deepEqual([seen.touchWords, seen.pointerWords], [true, false]);
    // Sideways the game's buttons are in sight beside the board, and stay
    // where they were when a move, its answer and a result are said.
    if (seen.width > seen.height) {
      assert.ok(seen.buttonsBottom <= seen.height, JSON.stringify(seen));
      await page.evaluate(() => {
        document.getElementById('said').textContent = 'Cross on column 10, row 10. Nought by the computer (high) on ' +
          'column 11, row 11. Noughts won: the computer (high).';
      });
      assert.equal((await layout(page)).buttonsBottom, seen.buttonsBottom);
    }
    await close();
  }
  const { page, close } = await openDemo(shared, SCREENS.desktop);
  const seen = await layout(page);
  assert.deepEqual([seen.touchWords, seen.pointerWords], [false, true]);
  assert.ok(seen.scrollWidth <= seen.width);
  await close();
  // A desktop zoomed to 200 % and 400 %: the page takes one column rather
  // than squeezing the controls beside the board.
  for (const viewport of [{ width: 550, height: 450 }, { width: 320, height: 225 }]) {
    const { page, close } = await openDemo(shared, { viewport, deviceScaleFactor: 2 });
    const zoomed = await layout(page);
    assert.ok(zoomed.scrollWidth <= zoomed.width, `no sideways scrolling: ${JSON.stringify(zoomed)}`);
    await close();
  }
});

test('a tap plays a cell large enough for a finger at once', async () => {
  const { page, errors, close } = await openDemo(shared, SCREENS.phone);
  await setCount(page, 'col-count', 10);
  await setCount(page, 'row-count', 10);
  await page.evaluate(() => document.querySelector('quintar-board').seed(2));
  const boardTop = () => board(page, () => document.querySelector('quintar-board').getBoundingClientRect().top + scrollY);
  const topBefore = await boardTop();
  await tap(page, 3, 4);
  await page.waitForFunction(() => window.events.length >= 2);  // the move and the computer's answer
  // The words said above the board do not push it down under the finger.
  assert.equal(await boardTop(), topBefore);
  const [played] = await page.evaluate(() => window.events);
  assert.equal(played.type, 'legalmove');
  assert.equal(await board(page, () => document.querySelector('quintar-board').cell(3, 4)), 'cross');
  assert.deepEqual(await page.$$eval('#moves li', (entries) => entries.map((entry) => entry.textContent)), await marks(page));
  // A hint to a finger names no key; once a key is pressed on the board, it does.
  await page.tap('#hint');
  assert.match(await spoken(page), /^Hint: column \d+, row \d+[^.]*\.$/);
  await page.focus('quintar-board');
  await page.keyboard.press('ArrowLeft');
  await page.tap('#hint');
  assert.match(await spoken(page), /\. Space plays it\.$/);
  assert.deepEqual(errors, []);
  await close();
});

test('on cells too small for a finger the first tap marks the cell and a second tap on it plays', async () => {
  const { page, close } = await openDemo(shared, SCREENS.phone);
  await setCount(page, 'col-count', 30);
  await setCount(page, 'row-count', 30);
  const armed = () => page.evaluate(() => {
    const cell = document.querySelector('quintar-board').shadowRoot.querySelector('[part=focus-cell]');
    return getComputedStyle(cell).display === 'block';
  });
  await page.evaluate(() => { window.events.length = 0; });

  await tap(page, 3, 4);
  assert.deepEqual(await page.evaluate(() => window.events), []);
  assert.equal(await armed(), true);
  assert.equal(await spoken(page), 'Column 3, row 4, empty.');
  await tap(page, 5, 4);  // another cell: marked instead, nothing played
  assert.deepEqual(await page.evaluate(() => window.events), []);
  assert.equal(await spoken(page), 'Column 5, row 4, empty.');

  await tap(page, 5, 4);
  await page.waitForFunction(() => window.events.length >= 1);
  assert.equal(await board(page, () => document.querySelector('quintar-board').cell(5, 4)), 'cross');
  assert.equal(await board(page, () => document.querySelector('quintar-board').cell(3, 4)), null);
  assert.equal(await armed(), false);

  // A mouse needs no second press, however small the cells.
  await page.evaluate(() => { window.events.length = 0; });
  await page.locator('quintar-board').scrollIntoViewIfNeeded();
  const { x, y } = await cellCentre(page, 20, 20);
  await page.mouse.click(x, y);
  await page.waitForFunction(() => window.events.length >= 1);
  assert.equal(await board(page, () => document.querySelector('quintar-board').cell(20, 20)), 'cross');
  await close();
});

test('a reload keeps the players, strength, board size, colours and the game', async () => {
  const { page, errors, reload, close } = await openDemo(shared, SCREENS.phone);
  await page.selectOption('#playing-strength', 'low');
  await setCount(page, 'col-count', 12);
  await setCount(page, 'row-count', 10);
  await page.check('input[name=players][value=crosses]');  // the computer opens with crosses
  await page.$eval('#nought-color', (input) => {
    input.value = '#00aa00';
    input.dispatchEvent(new Event('input'));
  });
  const free = await page.evaluate(() => (document.querySelector('quintar-board').cell(1, 1) ? { col: 2, row: 1 } : { col: 1, row: 1 }));
  await tap(page, free.col, free.row);
  await page.waitForFunction(() => document.querySelector('quintar-board').moves.length === 3);
  const before = await marks(page);

  // The board first shows the kept size, while its module is still held back.
  let release;
  const held = new Promise((resolve) => (release = resolve));
  await page.route('**/quintar-module.wasm', async (route) => {
    await held;
    await route.continue();
  });
  await page.reload({ waitUntil: 'domcontentloaded' });
  await page.waitForFunction(() => document.querySelector('quintar-board').shadowRoot?.querySelector('canvas[part=canvas]').width > 0);
  const ahead = await page.evaluate(() => {
    const { width, height } = document.querySelector('quintar-board').shadowRoot.querySelector('canvas[part=canvas]');
    return {
      defined: customElements.get('quintar-board') !== undefined,
      columnsToRows: width / height,
      controls: ['col-count', 'playing-strength'].map((id) => document.getElementById(id).value)
        .concat(document.querySelector('input[name=players]:checked').value),
    };
  });
  assert.deepEqual(ahead, { defined: false, columnsToRows: 12 / 10, controls: ['12', 'low', 'crosses'] });
  release();
  await page.waitForFunction(() => customElements.get('quintar-board'));
  await page.unroute('**/quintar-module.wasm');

  await reload();
  const settings = await page.evaluate(() => {
    const element = document.querySelector('quintar-board');
    return {
      strength: [element.playingStrength, document.getElementById('playing-strength').value],
      columns: [element.colCount, document.getElementById('col-count').value],
      side: [element.computerSide, document.querySelector('input[name=players]:checked').value],
      colour: [element.noughtColor, document.getElementById('nought-color').value],
    };
  });
  assert.deepEqual(settings, {
    strength: ['low', 'low'], columns: [12, '12'], side: ['crosses', 'crosses'], colour: ['#00aa00', '#00aa00'],
  });
  assert.deepEqual(await marks(page), before);
  assert.deepEqual(await page.$$eval('#moves li', (entries) => entries.map((entry) => entry.textContent)), before);
  assert.equal(await board(page, () => document.querySelector('quintar-board').turn), 'nought');
  assert.deepEqual(errors, []);
  await close();
});

test('stored values that are not valid are left out, and the page still plays', async () => {
  const { page, errors, reload, close } = await openDemo(shared, SCREENS.phone);
  const stored = [
    '{not json',
    JSON.stringify(['an', 'array']),
    JSON.stringify({ players: 'both', strength: 'godlike', colCount: 500, rowCount: '9', colours: { color: 'red' }, record: 'no record' }),
    JSON.stringify({ strength: 'medium', colCount: 9, colours: 7, record: 42 }),
  ];
  for (const text of stored) {
    await page.evaluate((text) => localStorage.setItem('quintar-demo', text), text);
    await reload();
    const state = await page.evaluate(() => {
      const element = document.querySelector('quintar-board');
      return [element.autoResponse, element.computerSide, element.playingStrength, element.colCount, element.rowCount, element.color];
    });
    // Only the last text holds values to take: a strength and a column count.
    const taken = text === stored[3];
    assert.deepEqual(state, [true, 'noughts', taken ? 'medium' : 'high', taken ? 9 : 15, 15, '#ffffff'], text);
    assert.equal(await page.textContent('#status'), 'Crosses to move: you.');
    await page.evaluate(() => { window.events.length = 0; });
    const { x, y } = await cellCentre(page, 2, 2);
    await page.mouse.click(x, y);
    await page.waitForFunction(() => window.events.length >= 2);
    assert.equal(await board(page, () => document.querySelector('quintar-board').cell(2, 2)), 'cross');
    await page.evaluate(() => localStorage.clear());
  }
  assert.deepEqual(errors, []);
  await close();
});
