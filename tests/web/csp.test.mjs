// The demo page under the strictest policy the element asks for: scripts and
// workers from the page's own origin, WebAssembly compiled, nothing else (no
// code generated at run time, no inline styles or data: URLs).
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { chromium } from 'playwright-core';

import { startServer } from '../../hosts/web/serve.mjs';
import { CHROMIUM, SITE } from './harness.mjs';

const POLICY = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; worker-src 'self'";

let server;
let browser;
before(async () => {
  server = await startServer({ '/': SITE }, { headers: { 'Content-Security-Policy': POLICY } });
  browser = await chromium.launch(CHROMIUM);
});
after(async () => {
  await browser?.close();
  await server?.close();
});

test('under a strict Content Security Policy the demo page plays the expert and analyses, thinking in workers, with no violation', async () => {
  const context = await browser.newContext();
  const page = await context.newPage();
  const problems = [];
  page.on('pageerror', (error) => problems.push(error.message));
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(message.text());
  });
  // Violations in the page and in its worker both reach the page's document.
  await page.addInitScript(() => {
    window.violations = [];
    document.addEventListener('securitypolicyviolation', ({ violatedDirective, blockedURI }) =>
      window.violations.push(`${violatedDirective} ${blockedURI}`));
  });
  const response = await page.goto(server.url);
  assert.equal(response.headers()['content-security-policy'], POLICY);
  await page.waitForFunction(() => customElements.get('quintar-board'));

  await page.evaluate(() => {
    const board = document.querySelector('quintar-board');
    board.seed(2);
    board.playingStrength = 'expert';
    board.move(8, 8);
  });
  await page.waitForFunction(() => document.querySelector('quintar-board').moves.length === 2, null, { timeout: 20000 });
  // The board's canvas shows the game: its styles were applied, and its pixels drawn.
  const drawn = await page.evaluate(() => {
    const canvas = document.querySelector('quintar-board').shadowRoot.querySelector('canvas');
    return { position: getComputedStyle(canvas).position, width: canvas.width };
  });
  assert.deepEqual(drawn, { position: 'absolute', width: drawn.width });
  assert.ok(drawn.width > 0);
  // The expert's module, in a worker of its own, reports too.
  await page.evaluate(() => new Promise((resolve) => {
    const board = document.querySelector('quintar-board');
    board.addEventListener('analysis', resolve, { once: true });
    board.analyse();
  }));
  assert.deepEqual(await page.evaluate(() => window.violations), []);
  assert.deepEqual(problems, []);
  await context.close();
});
