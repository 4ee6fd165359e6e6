// What the browser tests share: the built site served on a free loopback
// port, Debian's Chromium kept off the network, and pages with one board
// whose events are recorded as they come.
import { after, before } from 'node:test';
import { fileURLToPath } from 'node:url';

import { chromium } from 'playwright-core';

import { startServer } from '../../hosts/web/serve.mjs';

export const SITE = fileURLToPath(new URL('../../build/web/hosts/web/site/', import.meta.url));

export const CHROMIUM = {
  executablePath: '/usr/bin/chromium',
  headless: true,
  // Playwright gives every launch a new, empty profile folder of its own.
  args: [
    '--no-sandbox',
    '--disable-gpu',
    '--disable-quic',
    '--no-first-run',
    '--disable-background-networking',
    '--disable-component-update',
    '--disable-sync',
    // gc(), for the tests that a board the page lets go of is collected.
    '--js-flags=--expose-gc',
  ],
};

export { BOARD_EVENTS as EVENTS } from '../../hosts/web/element/events.js';
import { BOARD_EVENTS as EVENTS } from '../../hosts/web/element/events.js';

// Starts the server and the browser before a file's tests and stops them
// after; the object returned holds both meanwhile.
export function useBrowser() {
  const shared = {};
  before(async () => {
    shared.server = await startServer({ '/': SITE });
    shared.browser = await chromium.launch(CHROMIUM);
  });
  after(async () => {
    await shared.browser?.close();
    await shared.server?.close();
  });
  return shared;
}

function boardHtml(attributes, style, after) {
  return `<!doctype html>
<meta charset="utf-8">
<link rel="icon" href="data:,">
<style>body { margin: 0; } quintar-board { ${style} }</style>
<script type="module" src="/quintar-board/quintar-board.js"></script>
<quintar-board ${attributes}></quintar-board>
${after}`;
}

// A page with one <quintar-board>, defined, sized (20 x 20 cells of 10
// pixels beside the edge numbers, unless told otherwise), seeded and with its
// events recorded in window.events as { type, detail }. After is HTML that
// follows the element, read before the element is defined. board is a
// locator of it: board.evaluate((element, argument) => ..., argument).
export async function openBoard(shared, { attributes = '', style = 'width: 240px; height: 240px;', after = '', scale = 1, init = null } = {}) {
  const context = await shared.browser.newContext({ deviceScaleFactor: scale, viewport: { width: 800, height: 600 } });
  // A script run before the page's own, such as one taking a browser feature away.
  if (init) await context.addInitScript(init);
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error));
  await page.route('**/board.html', (route) =>
    route.fulfill({ contentType: 'text/html', body: boardHtml(attributes, style, after) }));
  await page.goto(`${shared.server.url}board.html`);
  await page.waitForFunction(() => customElements.get('quintar-board'));
  await page.evaluate((events) => {
    const board = document.querySelector('quintar-board');
    board.seed(1);
    window.events = [];
    for (const type of events) board.addEventListener(type, (event) => window.events.push({ type, detail: event.detail }));
  }, EVENTS);
  await waitForCanvasSize(page);
  return { page, board: page.locator('quintar-board'), errors, close: () => context.close() };
}

// Until the canvas covers the board on the screen in device pixels: it
// keeps its size when the board shrinks, and grows with it.
export function waitForCanvasSize(page) {
  return page.waitForFunction(() => {
    const board = document.querySelector('quintar-board');
    const canvas = board.shadowRoot.querySelector('canvas[part=canvas]');
    const { width, height } = board.shadowRoot.querySelector('.surface').getBoundingClientRect();
    return width > 0 && canvas.width >= Math.round(width * devicePixelRatio) &&
      canvas.height >= Math.round(height * devicePixelRatio);
  });
}

// Where the board's cells lie on the page: inside the element, beside the
// numbers along its edges.
export function boardBox(page) {
  return page.evaluate(() => {
    const board = document.querySelector('quintar-board');
    const { x, y, width, height } = board.shadowRoot.querySelector('.surface').getBoundingClientRect();
    return { x, y, width, height, cols: board.colCount, rows: board.rowCount };
  });
}

// Screens the demo page is tried on: a desktop, and a phone held upright
// and sideways, with touch and a coarse pointer.
export const SCREENS = {
  desktop: { viewport: { width: 1100, height: 900 } },
  phone: { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
  phoneSideways: { viewport: { width: 844, height: 390 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
};

// The demo page in a context of its own (its own storage), with the board's
// events recorded in window.events as { type, words }. reload() loads the
// page again in the same context, as a person reloading it would.
export async function openDemo(shared, screen = SCREENS.desktop) {
  const context = await shared.browser.newContext(screen);
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error));
  const load = async (go) => {
    await go();
    await page.waitForFunction(() => customElements.get('quintar-board') && document.getElementById('moves'));
    // The page has restored what it kept once its own script has run.
    await page.waitForFunction(() => document.getElementById('status').textContent !== 'Loading the board…');
    await page.evaluate((types) => {
      window.events = [];
      const board = document.querySelector('quintar-board');
      for (const type of types) board.addEventListener(type, (event) => window.events.push({ type, words: event.detail.words }));
    }, EVENTS);
    await waitForCanvasSize(page);
  };
  await load(() => page.goto(shared.server.url));
  return { page, errors, reload: () => load(() => page.reload()), close: () => context.close() };
}

// The middle of a cell counted from 1, in page pixels.
export async function cellCentre(page, col, row) {
  const { x, y, width, height, cols, rows } = await boardBox(page);
  return { x: x + ((col - 0.5) * width) / cols, y: y + ((row - 0.5) * height) / rows };
}

// A click in the middle of a cell, counted from 1.
export async function clickCell(page, col, row, options = {}) {
  const { x, y } = await cellCentre(page, col, row);
  await page.mouse.click(x, y, options);
}

export function events(page) {
  return page.evaluate(() => window.events);
}

export function takeEvents(page) {
  return page.evaluate(() => window.events.splice(0));
}

export function waitForEvents(page, count) {
  return page.waitForFunction((count) => window.events.length >= count, count);
}

// The canvas pixel at (x, y) in canvas pixels, as "#rrggbb".
export function canvasPixel(page, x, y) {
  return page.evaluate(([x, y]) => {
    const canvas = document.querySelector('quintar-board').shadowRoot.querySelector('canvas[part=canvas]');
    const [red, green, blue] = canvas.getContext('2d').getImageData(x, y, 1, 1).data;
    return `#${[red, green, blue].map((byte) => byte.toString(16).padStart(2, '0')).join('')}`;
  }, [x, y]);
}

// A game on 20 x 20 with two planted faults (the review tests of game/ play
// the same): noughts' sixth move lets crosses' open three become an open
// four, and crosses' ninth blocks noughts instead of making five. Cells
// counted from 1.
export const PLANTED_FAULTS = [[5, 10], [5, 1], [6, 10], [6, 1], [7, 10], [7, 1], [8, 10], [8, 1], [9, 1], [4, 1]];
