// Attributes and properties in Chromium: each reaches the control and
// reads back as it took it, and what the canvas shows is the control's
// pixels at the element's CSS size in device pixels.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { canvasPixel, clickCell, events, openBoard, takeEvents, useBrowser, waitForEvents } from './harness.mjs';

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
    element.color = null;
    element.lock = true;
    // A framework may set the attribute's text as the property.
    element.autoResponse = 'false';
    element.computerSide = 'both';
    element.setAttribute('col-count', 'many');
    return {
      attributes: ['col-count', 'row-count', 'playing-strength', 'cross-color', 'nought-color', 'color', 'lock', 'auto-response']
        .map((name) => element.getAttribute(name)),
      colCount: element.colCount, rowCount: element.rowCount, strength: element.playingStrength,
      crossColor: element.crossColor, noughtColor: element.noughtColor, lock: element.lock, auto: element.autoResponse,
      side: element.computerSide,
    };
  });
  // What the board ignores is not written either.
  assert.deepEqual(after, {
    attributes: ['many', '2147483647', 'EXPERT', 'hsl(120 100% 50%)', null, null, 'true', 'false'],
    colCount: 5, rowCount: 50, strength: 'expert', crossColor: '#00ff00', noughtColor: '#0000ff', lock: true, auto: false,
    side: 'noughts',
  });
  const gameOver = await board.evaluate((element) => {
    const descriptor = Object.getOwnPropertyDescriptor(Object.getPrototypeOf(element), 'gameOver');
    return { writable: descriptor.set !== undefined, value: element.gameOver };
  });
  assert.deepEqual(gameOver, { writable: false, value: false });
  await close();
});

test('a count that is no number keeps the game; any number syntax counts', async () => {
  const { board, close } = await openBoard(shared, { attributes: 'auto-response="false"' });
  const seen = await board.evaluate((element) => {
    element.move(4, 4);
    // What an empty number field gives, among others: none may start a new game.
    for (const value of [NaN, undefined, null, '', ' ', 'abc', {}]) element.colCount = value;
    const kept = [element.getAttribute('col-count'), element.colCount, element.cell(4, 4)];
    element.setAttribute('row-count', '12px');
    element.setAttribute('col-count', '1e1');
    return [...kept, element.colCount, element.rowCount];
  });
  assert.deepEqual(seen, [null, 20, 'cross', 10, 20]);
  await close();
});

test('colours of any CSS colour space read back as what they paint', async () => {
  const { board, close } = await openBoard(shared);
  const rgb = await board.evaluate((element) => {
    const read = (value) => {
      element.crossColor = value;
      return [1, 3, 5].map((at) => Number.parseInt(element.crossColor.slice(at, at + 2), 16));
    };
    return { green: read('color(srgb 0 1 0)'), warm: read('lab(50 40 59)'), cold: read('lab(50 -40 -59)') };
  });
  assert.deepEqual(rgb.green, [0, 255, 0]);
  const [red, , blue] = rgb.warm;
  assert.ok(red > 150 && blue < 60, `lab(50 40 59) read as ${rgb.warm}`);
  const [coldRed, , coldBlue] = rgb.cold;
  assert.ok(coldBlue > 150 && coldRed < 60, `lab(50 -40 -59) read as ${rgb.cold}`);
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

  // The same count again is no change; another starts a new game.
  await board.evaluate((element) => { element.colCount = element.colCount; });
  assert.equal(await board.evaluate((element) => element.cell(4, 4)), 'cross');
  await board.evaluate((element) => { element.colCount = 19; });
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

// In device pixels, the board's cells as the element lays them out.
function layout(page) {
  return page.evaluate(() => {
    const root = document.querySelector('quintar-board').shadowRoot;
    const frame = root.querySelector('.board').getBoundingClientRect();
    const board = root.querySelector('.surface').getBoundingClientRect();
    const canvas = root.querySelector('canvas[part=canvas]');
    const ratio = devicePixelRatio;
    return {
      cellWidth: (board.width * ratio) / 30,
      cellHeight: (board.height * ratio) / 8,
      left: (board.x - frame.x) * ratio,
      right: (frame.right - board.right) * ratio,
      top: (board.y - frame.y) * ratio,
      bottom: (frame.bottom - board.bottom) * ratio,
      canvas: [canvas.width, canvas.height],
    };
  });
}

test('the edge numbers turn with the colour scheme, in the text colour of the moment', async () => {
  const { page, close } = await openBoard(shared, { after: '<style>:root { color-scheme: light dark; }</style>' });
  // Until the strongest ink on the column numbers' canvas has a red of at
  // least (light) or at most (dark) 128: white numbers on a dark scheme,
  // black ones on a light.
  const numbersTurn = (light) => page.waitForFunction((light) => {
    const canvas = document.querySelector('quintar-board').shadowRoot.querySelector('canvas.columns');
    const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let strongest = [0, 0];
    for (let at = 0; at < pixels.length; at += 4) if (pixels[at + 3] > strongest[1]) strongest = [pixels[at], pixels[at + 3]];
    return strongest[1] > 0 && (strongest[0] >= 128) === light;
  }, light);
  await page.emulateMedia({ colorScheme: 'dark' });
  await numbersTurn(true);
  await page.emulateMedia({ colorScheme: 'light' });
  await numbersTurn(false);
  await close();
});

test('cells stay square in whole device pixels on any board shape, and presses follow them', async () => {
  const { page, board, close } = await openBoard(shared, {
    attributes: 'col-count="30" row-count="8" auto-response="false"',
    style: 'width: 300px; height: 300px;',
    scale: 2,
  });
  const square = await layout(page);
  assert.equal(square.cellWidth, square.cellHeight);
  assert.ok(Number.isInteger(square.cellWidth) && square.cellWidth >= 16, `cells of ${square.cellWidth} pixels`);
  // Centred: the room above and below the board differs by the numbers' row.
  assert.ok(Math.abs(square.top - square.bottom) < 40, `${square.top} above, ${square.bottom} below`);
  assert.ok(square.canvas[0] >= 30 * square.cellWidth && square.canvas[1] >= 8 * square.cellHeight);
  // A one-pixel grid line between the first two columns.
  const line = square.cellWidth;
  assert.deepEqual([await canvasPixel(page, line - 1, 5), await canvasPixel(page, line, 5), await canvasPixel(page, line + 1, 5)],
    ['#ffffff', '#808080', '#ffffff']);
  // The edges are numbered, 1 to 30 along the top, in the room beside the board.
  const inked = await page.evaluate(() => {
    const root = document.querySelector('quintar-board').shadowRoot;
    const columns = root.querySelector('[part=edges] .columns');
    const board = root.querySelector('.surface').getBoundingClientRect();
    const frame = root.querySelector('.board').getBoundingClientRect();
    const ratio = devicePixelRatio;
    const top = columns.getContext('2d').getImageData(Math.round((board.x - frame.x) * ratio), 0,
      Math.round(board.width * ratio), Math.round((board.y - frame.y) * ratio)).data;
    let count = 0;
    for (let i = 3; i < top.length; i += 4) count += top[i] > 0 ? 1 : 0;
    return count;
  });
  assert.ok(inked > 200, `${inked} pixels of numbers above the board`);
  await clickCell(page, 27, 7);
  await waitForEvents(page, 1);
  const { words, ...played } = (await events(page))[0].detail;
  assert.deepEqual(played, { col: 27, row: 7, mark: 'cross', computer: false });
  assert.equal(words, 'Cross on column 27, row 7.');

  // Narrower: the cells shrink and stay square, and presses still meet them.
  await board.evaluate((element) => { element.style.width = '200px'; });
  await page.waitForFunction((before) => {
    const board = document.querySelector('quintar-board').shadowRoot.querySelector('.surface');
    return board.getBoundingClientRect().width * devicePixelRatio < 30 * before;
  }, square.cellWidth);
  const narrow = await layout(page);
  assert.equal(narrow.cellWidth, narrow.cellHeight);
  assert.ok(Math.abs(narrow.left - narrow.right) < 60, `${narrow.left} left, ${narrow.right} right`);
  await takeEvents(page);
  await clickCell(page, 2, 1);
  await waitForEvents(page, 1);
  const { col, row } = (await events(page))[0].detail;
  assert.deepEqual([col, row], [2, 1]);
  await close();
});

// Every pixel shown of the edges' canvases and the board's, as one text to
// compare: size and hash of each.
function pixelsShown(page) {
  return page.evaluate(() => {
    const root = document.querySelector('quintar-board').shadowRoot;
    const { width, height } = root.querySelector('.surface').getBoundingClientRect();
    const shown = (canvas) => (canvas.part.contains('canvas')
      ? [Math.round(width * devicePixelRatio), Math.round(height * devicePixelRatio)] : [canvas.width, canvas.height]);
    return [...root.querySelectorAll('canvas')].map((canvas) => {
      const [across, down] = shown(canvas);
      let hash = 2166136261;
      for (const byte of canvas.getContext('2d').getImageData(0, 0, across, down).data) hash = Math.imul(hash ^ byte, 16777619);
      return `${across}x${down}:${hash >>> 0}`;
    }).join(' ');
  });
}

test('a canvas that lost its pixels gets the whole board back', async () => {
  const { page, close } = await openBoard(shared);
  await clickCell(page, 3, 4);
  await waitForEvents(page, 2);
  const shown = await pixelsShown(page);
  await page.evaluate(() => {
    const canvas = document.querySelector('quintar-board').shadowRoot.querySelector('canvas[part=canvas]');
    canvas.getContext('2d').clearRect(0, 0, canvas.width, canvas.height);
    canvas.dispatchEvent(new Event('contextrestored'));
  });
  await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
  assert.equal(await pixelsShown(page), shown);
  await close();
});

test('a board on the page shows before its module is in, with the pixels the control then draws', async () => {
  const context = await shared.browser.newContext({ deviceScaleFactor: 2 });
  const page = await context.newPage();
  await page.route('**/board.html', (route) => route.fulfill({
    contentType: 'text/html',
    body: `<!doctype html><link rel="icon" href="data:,"><script type="module" src="/quintar-board/quintar-board.js"></script>
<quintar-board col-count="60" row-count="9" color="beige" grid-line-color="#123456"></quintar-board>`,
  }));
  let release;
  const moduleHeld = new Promise((resolve) => (release = resolve));
  await page.route('**/quintar-module.wasm', async (route) => {
    await moduleHeld;
    await route.continue();
  });
  await page.goto(`${shared.server.url}board.html`);
  await page.waitForFunction(() => document.querySelector('quintar-board').shadowRoot?.querySelector('canvas[part=canvas]').width > 0);
  assert.equal(await page.evaluate(() => customElements.get('quintar-board')), undefined);
  const ahead = await pixelsShown(page);
  // Fifty columns, the most a board takes, of whole device pixels, in the board's colours.
  assert.match(ahead, /^\d+x\d+:\d+ \d+x\d+:\d+ (\d+)x(\d+):\d+$/);
  const [, width, height] = ahead.match(/ (\d+)x(\d+):\d+$/).map(Number);
  assert.equal(width % 50, 0);
  assert.equal(height, (width / 50) * 9);
  assert.equal(await canvasPixel(page, 3, 3), '#f5f5dc');
  assert.equal(await canvasPixel(page, 0, 3), '#123456');

  release();
  await page.waitForFunction(() => customElements.get('quintar-board'));
  await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
  assert.equal(await page.evaluate(() => document.querySelector('quintar-board').colCount), 50);
  assert.equal(await pixelsShown(page), ahead);
  await context.close();
});

test('a board shown ahead gives way to its own content when its module cannot be had', async () => {
  const context = await shared.browser.newContext();
  const failing = await context.newPage();
  await failing.route('**/quintar-module.wasm', (route) => route.fulfill({ status: 404 }));
  const failed = new Promise((resolve) => failing.on('pageerror', resolve));
  // The page's own script that imports the element runs all the same.
  await failing.route('**/board.html', (route) => route.fulfill({
    contentType: 'text/html',
    body: '<!doctype html><link rel="icon" href="data:,"><script type="module">import "/quintar-board/quintar-board.js"; document.title = "ran";</script><quintar-board><span>no game today</span></quintar-board>',
  }));
  await failing.goto(`${shared.server.url}board.html`);
  assert.match((await failed).message, /quintar-module\.wasm answered 404/);
  await failing.waitForFunction(() => document.title === 'ran');
  assert.deepEqual(await failing.evaluate(() => {
    const host = document.querySelector('quintar-board');
    return { fallbackShown: host.querySelector('span').checkVisibility(), width: host.getBoundingClientRect().width === 300 };
  }), { fallbackShown: true, width: false });
  await context.close();
});

test('two copies of the element on one page: whichever defines it plays every board', async () => {
  const context = await shared.browser.newContext();
  const page = await context.newPage();
  await page.route('**/board.html', (route) => route.fulfill({
    contentType: 'text/html',
    body: `<!doctype html><link rel="icon" href="data:,"><script type="module" src="/quintar-board/quintar-board.js"></script>
<script type="module" src="/copy/quintar-board/quintar-board.js"></script><quintar-board></quintar-board>`,
  }));
  await page.route('**/copy/quintar-board/**', async (route) => route.fulfill({
    response: await route.fetch({ url: route.request().url().replace('/copy/', '/') }),
  }));
  // The first copy shows the board ahead; the second, its module in first, defines the element.
  await page.route((url) => url.pathname === '/quintar-board/quintar-module.wasm', async (route) => {
    await page.waitForFunction(() => customElements.get('quintar-board'));
    await route.continue();
  });
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(`${shared.server.url}board.html`);
  await page.waitForFunction(() => customElements.get('quintar-board'));
  assert.equal(await page.evaluate(() => document.querySelector('quintar-board').colCount), 20);
  assert.deepEqual(errors, []);
  await context.close();
});

test('a module served as application/wasm with a parameter still loads', async () => {
  const context = await shared.browser.newContext();
  const page = await context.newPage();
  await page.route('**/quintar-module.wasm', async (route) => {
    const response = await route.fetch();
    await route.fulfill({ response, headers: { ...response.headers(), 'content-type': 'application/wasm; charset=utf-8' } });
  });
  await page.route('**/board.html', (route) => route.fulfill({
    contentType: 'text/html',
    body: '<!doctype html><link rel="icon" href="data:,"><script type="module" src="/quintar-board/quintar-board.js"></script><quintar-board></quintar-board>',
  }));
  await page.goto(`${shared.server.url}board.html`);
  await page.waitForFunction(() => customElements.get('quintar-board'));
  await context.close();
});
