// Attributes and properties in Chromium: each reaches the control and
// reads back as it took it, and what the canvas shows is the control's
// pixels at the element's CSS size in device pixels.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { canvasPixel, clickCell, events, openBoard, takeEvents, useBrowser, waitForCanvasSize, waitForEvents } from './harness.mjs';

const shared = useBrowser();

const PROPERTIES = ['colCount', 'rowCount', 'playingStrength', 'autoResponse', 'clickResponse', 'lock', 'showHighlight',
  'showQuintar', 'computerSide', 'color', 'gridLineColor', 'crossColor', 'noughtColor', 'highlightColor', 'quintarColor'];

const read = (board) => board.evaluate((element, names) => Object.fromEntries(names.map((name) => [name, element[name]])), PROPERTIES);

test('attributes set the published properties; absent ones leave the defaults', async () => {
  const { board, close } = await openBoard(shared, {
    attributes: 'col-count="12" row-count="7" playing-strength="Low" auto-response="false" lock ' +
      'show-quintar="false" computer-side="crosses" cross-color="green" quintar-color="rgb(1 2 3 / 50%)"',
  });
  assert.deepEqual(await read(board), {
    colCount: 12, rowCount: 7, playingStrength: 'low', autoResponse: false, clickResponse: true, lock: true,
    showHighlight: true, showQuintar: false, computerSide: 'crosses', color: '#ffffff', gridLineColor: '#808080',
    crossColor: '#008000', noughtColor: '#0000ff', highlightColor: '#000000', quintarColor: '#010203',
  });
  await close();
});

test('properties write their attributes; bad values are clamped or ignored', async () => {
  const { board, close } = await openBoard(shared);
  const after = await board.evaluate((element) => {
    element.colCount = 3;
    element.rowCount = 1e12;
    element.playingStrength = 'EXPERT';
    element.playingStrength = 'grandmaster';
    element.crossColor = 'hsl(120 100% 50%)';
    element.noughtColor = 'no such colour';
    element.lock = true;
    element.computerSide = 'both';
    element.setAttribute('col-count', 'many');
    return {
      attributes: ['col-count', 'row-count', 'playing-strength', 'cross-color', 'lock'].map((name) => element.getAttribute(name)),
      colCount: element.colCount, rowCount: element.rowCount, strength: element.playingStrength,
      crossColor: element.crossColor, noughtColor: element.noughtColor, lock: element.lock, side: element.computerSide,
    };
  });
  assert.deepEqual(after, {
    attributes: ['many', '2147483647', 'grandmaster', 'hsl(120 100% 50%)', 'true'],
    colCount: 5, rowCount: 50, strength: 'expert', crossColor: '#00ff00', noughtColor: '#0000ff', lock: true, side: 'noughts',
  });
  const gameOver = await board.evaluate((element) => {
    const descriptor = Object.getOwnPropertyDescriptor(Object.getPrototypeOf(element), 'gameOver');
    return { writable: descriptor.set !== undefined, value: element.gameOver };
  });
  assert.deepEqual(gameOver, { writable: false, value: false });
  await close();
});

test('values set before the element is defined reach the board', async () => {
  const { board, close } = await openBoard(shared, {
    attributes: 'id="early"',
    after: '<script>early.colCount = 9; early.crossColor = "lime";</script>',
  });
  const seen = await board.evaluate((element) => [element.getAttribute('col-count'), element.colCount, element.crossColor]);
  assert.deepEqual(seen, ['9', 9, '#00ff00']);
  await close();
});

test('lock and click-response keep moves off the board; a count starts a new game', async () => {
  const { page, board, close } = await openBoard(shared, { attributes: 'lock' });
  await clickCell(page, 3, 3);
  await board.evaluate((element) => element.move(4, 4));
  assert.deepEqual(await events(page), []);

  await board.evaluate((element) => {
    element.lock = false;
    element.clickResponse = false;
  });
  await clickCell(page, 3, 3);
  assert.deepEqual(await events(page), []);
  await board.evaluate((element) => element.move(4, 4));
  await waitForEvents(page, 2);

  await board.evaluate((element) => { element.colCount = element.colCount; });
  assert.equal(await board.evaluate((element) => element.cell(4, 4)), null);
  await close();
});

test('the canvas shows the control\'s pixels, and colours take effect at once', async () => {
  const { page, board, close } = await openBoard(shared, { attributes: 'auto-response="false"' });
  assert.equal(await canvasPixel(page, 5, 5), '#ffffff');
  assert.equal(await canvasPixel(page, 10, 5), '#808080');
  await board.evaluate((element) => element.move(4, 5));  // the cross spans (32, 42) to (38, 48)
  assert.equal(await canvasPixel(page, 35, 45), '#ff0000');
  await board.evaluate((element) => {
    element.crossColor = 'lime';
    element.color = 'black';
  });
  assert.equal(await canvasPixel(page, 35, 45), '#00ff00');
  assert.equal(await canvasPixel(page, 5, 5), '#000000');
  await close();
});

test('the board takes the element\'s CSS size in device pixels, and presses follow it', async () => {
  const { page, board, close } = await openBoard(shared, {
    attributes: 'col-count="10" row-count="5" auto-response="false"',
    style: 'width: 300px; height: 150px;',
    scale: 2,
  });
  const canvas = () => page.evaluate(() => {
    const { width, height } = document.querySelector('quintar-board').shadowRoot.querySelector('canvas');
    return [width, height];
  });
  assert.deepEqual(await canvas(), [600, 300]);
  // Columns are 60 device pixels wide: a one-pixel grid line at x = 60.
  assert.deepEqual([await canvasPixel(page, 59, 10), await canvasPixel(page, 60, 10), await canvasPixel(page, 61, 10)],
    ['#ffffff', '#808080', '#ffffff']);
  await clickCell(page, 7, 3);
  await waitForEvents(page, 1);
  const { words, ...played } = (await events(page))[0].detail;
  assert.deepEqual(played, { col: 7, row: 3, mark: 'cross', computer: false });
  assert.equal(typeof words, 'string');

  await board.evaluate((element) => { element.style.width = '400px'; });
  await waitForCanvasSize(page);
  assert.deepEqual(await canvas(), [800, 300]);
  // The focus cell went to the cell pressed and covers it at the new size:
  // columns of 40 CSS pixels, rows of 30.
  await board.focus();
  await page.keyboard.press('Enter');
  const focusBox = await page.evaluate(() => {
    const cell = document.querySelector('quintar-board').shadowRoot.querySelector('[part=focus-cell]');
    const { x, y, width, height } = cell.getBoundingClientRect();
    return { x, y, width, height };
  });
  assert.deepEqual(focusBox, { x: 240, y: 60, width: 40, height: 30 });

  // Narrower again: the control follows, the canvas keeps its larger
  // bitmap, and pixels and presses still meet the cells.
  await board.evaluate((element) => { element.style.width = '200px'; });
  // The frame narrows at once; the board is drawn anew when the resize
  // reaches it, with the second column's grid line at x = 40.
  await page.waitForFunction(() => {
    const canvas = document.querySelector('quintar-board').shadowRoot.querySelector('canvas');
    return canvas.getContext('2d').getImageData(40, 10, 1, 1).data[0] === 0x80;
  });
  assert.deepEqual([await canvasPixel(page, 39, 10), await canvasPixel(page, 40, 10)], ['#ffffff', '#808080']);
  await takeEvents(page);
  await clickCell(page, 2, 1);
  await waitForEvents(page, 1);
  const { col, row } = (await events(page))[0].detail;
  assert.deepEqual([col, row], [2, 1]);
  await close();
});
