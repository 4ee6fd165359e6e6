// How long the board keeps a phone waiting, with the processor slowed four
// times as DevTools does it: a 390 x 844 screen at three device pixels to
// the CSS pixel, the board as wide as the screen. Prints, as the median of a
// few tries each, with the interval the median lies in 19 times in 20:
//   - a click until the computer's answer is shown (its legalmove), at the
//     high and the expert strength;
//   - a resize of the board until two frames later;
//   - a navigation until the board's first paint, in a new tab each time,
//     with where the time went: the WebAssembly file downloaded (over the
//     loopback, so downloads cost next to nothing here), the element
//     defined (the module compiled and instantiated), the board painted (a
//     board on the page is painted empty before its element is defined, and
//     so often before the WebAssembly is in);
//     on a page with the element's script tag alone, on that page with the
//     demo page's hints that start every download at once (its
//     <link rel="preload"> and <link rel="modulepreload"> tags), and on the
//     demo page itself.
// Not a test: run it by hand after `make web`, on a machine otherwise idle.
// Given several site folders (another build's, say), separated by commas,
// it times the loads of each in turn, so that they compare in one run; the
// clicks and resizes are timed on the first.
//
//   node tests/web/measure-phone.mjs [site folder[,site folder...]] [tries]
import { readFileSync } from 'node:fs';
import { join } from 'node:path';

import { chromium } from 'playwright-core';

import { startServer } from '../../hosts/web/serve.mjs';
import { CHROMIUM, SITE } from './harness.mjs';

const sites = (process.argv[2] || SITE).split(',');
const tries = Number(process.argv[3] ?? 5);
const PHONE = { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
const SLOWDOWN = 4;

const pageWith = (head) => `<!doctype html>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width">
<link rel="icon" href="data:,">
${head}
<style>body { margin: 0; } quintar-board { display: block; width: 100vw; height: 100vw; }</style>
<script type="module" src="/quintar-board/quintar-board.js"></script>
<quintar-board col-count="15" row-count="15"></quintar-board>`;
const page = pageWith('');
// The demo page's hints, whose addresses are relative to the site's root as
// this page's are.
const hintsOf = (site) => (readFileSync(join(site, 'index.html'), 'utf8').match(/<link rel="(module)?preload"[^>]*>/g) ?? []).join('\n');

// Run in every page loaded for its first paint, from the start: notes when
// the element is defined and the first frame in which its canvas holds the
// board at its size, and says "painted" on the console then. Waiting for it
// there, rather than with waitForFunction, runs none of Playwright's own
// script in the page while it loads, which cost the main thread about 50 ms
// at this slowdown.
function watchForPaint() {
  customElements.whenDefined('quintar-board').then(() => (window.defined = performance.now()));
  requestAnimationFrame(function look() {
    const board = document.querySelector('quintar-board');
    const canvas = board?.shadowRoot?.querySelector('canvas[part=canvas]');
    if (canvas && canvas.width >= (board.clientWidth * devicePixelRatio) / 2) {
      window.painted = performance.now();
      console.log('painted');
    } else requestAnimationFrame(look);
  });
}

// The median, and the tries between which it lies 19 times in 20 (the
// order statistics a binomial count puts either side of the middle), so
// that two runs' medians can be told apart from their noise.
function medianWithInterval(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const count = sorted.length;
  const spread = 1.96 * Math.sqrt(count);
  const low = Math.max(Math.floor((count - spread) / 2) - 1, 0);
  const high = Math.min(Math.ceil((count + spread) / 2), count - 1);
  return { median: sorted[Math.floor(count / 2)], low: sorted[low], high: sorted[high] };
}

async function openPhone(browser, url) {
  const context = await browser.newContext(PHONE);
  const tab = await context.newPage();
  await tab.route('**/measure.html', (route) => route.fulfill({ contentType: 'text/html', body: page }));
  await tab.goto(`${url}measure.html`);
  await tab.waitForFunction(() => {
    const board = document.querySelector('quintar-board');
    const canvas = board?.shadowRoot?.querySelector('canvas');
    return customElements.get('quintar-board') && canvas && canvas.width === Math.round(board.getBoundingClientRect().width * devicePixelRatio);
  });
  const session = await context.newCDPSession(tab);
  await session.send('Emulation.setCPUThrottlingRate', { rate: SLOWDOWN });
  return { tab, close: () => context.close() };
}

// From the press of a click on an empty cell near the centre to the
// computer's answer; a new game first, so every try starts alike.
async function clickToAnswer(tab, strength) {
  await tab.evaluate((strength) => {
    const board = document.querySelector('quintar-board');
    board.setAttribute('playing-strength', strength);
    board.newGame();
    board.seed(1);
    window.answered = new Promise((resolve) => {
      board.addEventListener('legalmove', function heard(event) {
        if (!event.detail.computer) return;
        board.removeEventListener('legalmove', heard);
        resolve(performance.now());
      });
    });
    window.addEventListener('pointerdown', () => (window.pressed = performance.now()), { capture: true, once: true });
  }, strength);
  const box = await tab.evaluate(() => {
    const { x, y, width, height } = document.querySelector('quintar-board').getBoundingClientRect();
    return { x, y, width, height };
  });
  await tab.mouse.click(box.x + box.width * (7.5 / 15), box.y + box.height * (7.5 / 15));
  return tab.evaluate(async () => (await window.answered) - window.pressed);
}

// From navigation to the first frame with the board in it, in a new tab
// slowed from the start: { downloaded, defined, painted } in ms. The page is
// the site's own (index.html) or the body given.
async function navigationToPaint(browser, url, body) {
  const context = await browser.newContext(PHONE);
  const tab = await context.newPage();
  if (body) await tab.route('**/paint.html', (route) => route.fulfill({ contentType: 'text/html', body }));
  await tab.addInitScript(watchForPaint);
  const session = await context.newCDPSession(tab);
  await session.send('Emulation.setCPUThrottlingRate', { rate: SLOWDOWN });
  const painted = new Promise((resolve) => tab.on('console', (message) => message.text() === 'painted' && resolve()));
  await tab.goto(`${url}${body ? 'paint.html' : 'index.html'}`);
  await painted;
  // The board may be painted before the element is defined.
  const times = await tab.evaluate(async () => {
    await customElements.whenDefined('quintar-board');
    return {
      downloaded: performance.getEntriesByType('resource').find(({ name }) => name.endsWith('.wasm')).responseEnd,
      defined: window.defined,
      painted: window.painted,
    };
  });
  await context.close();
  return times;
}

// From a new size to the second frame after it.
async function resizeToFrames(tab, index) {
  return tab.evaluate(async (index) => {
    const board = document.querySelector('quintar-board');
    const start = performance.now();
    board.style.height = board.style.width = index % 2 ? '100vw' : '90vw';
    await new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)));
    return performance.now() - start;
  }, index);
}

const servers = await Promise.all(sites.map((site) => startServer({ '/': site })));
const browser = await chromium.launch(CHROMIUM);
try {
  const { tab, close } = await openPhone(browser, servers[0].url);
  const rows = [];
  for (const strength of ['high', 'expert']) {
    const times = [];
    for (let i = 0; i < tries; ++i) times.push(await clickToAnswer(tab, strength));
    rows.push([`click to answer, ${strength}`, times]);
  }
  const resizes = [];
  for (let i = 0; i < tries; ++i) resizes.push(await resizeToFrames(tab, i));
  rows.push(['resize to two frames', resizes]);
  await close();
  const pages = [
    ['script tag', () => pageWith('')],
    ['hints', (site) => pageWith(hintsOf(site))],
    ['demo page', () => undefined],
  ];
  for (const [name, bodyOf] of pages) {
    const loads = sites.map(() => []);
    for (let i = 0; i < tries; ++i)
      for (const [index, site] of sites.entries()) loads[index].push(await navigationToPaint(browser, servers[index].url, bodyOf(site)));
    for (const [index, times] of loads.entries()) {
      const label = sites.length > 1 ? `load (${name}, ${index + 1})` : `load (${name})`;
      rows.push([`${label}: .wasm in`, times.map(({ downloaded }) => downloaded)]);
      rows.push([`${label}: defined`, times.map(({ defined }) => defined)]);
      rows.push([`${label}: painted`, times.map(({ painted }) => painted)]);
    }
  }
  for (const [index, site] of sites.entries()) console.log(`site ${index + 1}: ${site}`);
  console.log(`CPU slowed ${SLOWDOWN}x, 390x844 at 3x`);
  for (const [what, times] of rows) {
    const { median, low, high } = medianWithInterval(times);
    const interval = `(95 %: ${low.toFixed(1)} .. ${high.toFixed(1)})`;
    console.log(`${what.padEnd(32)} median ${median.toFixed(1).padStart(7)} ms ${interval.padEnd(24)} ${times.map((t) => t.toFixed(1)).join(', ')}`);
  }
} finally {
  await browser.close();
  for (const server of servers) await server.close();
}
