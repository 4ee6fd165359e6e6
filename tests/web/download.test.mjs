// What the demo page downloads, the worker's files included: each file once,
// the board's module to show the board and play at the page's level, the
// expert's module (its moves, analysis and review) only once the expert
// plays, compiled by the page and handed to the workers, and nothing more for
// the first analysis; the board's part within its goals (bytes are not
// noisy, so they are checked; `node tests/web/download.test.mjs` prints them).
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { gzipSync } from 'node:zlib';

import { chromium } from 'playwright-core';

import { startServer } from '../../hosts/web/serve.mjs';
import { CHROMIUM, SITE } from './harness.mjs';

// Gzipped at the best level, as a server that compresses ahead of time sends them.
export const GOALS = { gzippedTotal: 80_000, wasm: 150_000 };
// What the expert's first move adds: the check keeps it from growing.
const EXPERT_CEILING = 26_000;

// Each response the server gives, { path, status }, in order: 200 is a
// download, 304 a copy the browser had confirmed.
const responses = [];
let server;
let browser;
before(async () => {
  server = await startServer({ '/': SITE }, { served: (path, status) => responses.push({ path, status }) });
  browser = await chromium.launch(CHROMIUM);
});
after(async () => {
  await browser?.close();
  await server?.close();
});

// The paths downloaded while the page loads and the computer answers a move
// at the page's level, then while the expert answers one, then while the
// first analysis is asked for.
async function demoDownloads() {
  const context = await browser.newContext();
  const page = await context.newPage();
  // Runs move on the page, and waits until the computer has answered the
  // person's move with the moves'th move of the game.
  const played = async (moves, move) => {
    responses.length = 0;
    await page.evaluate(move);
    await page.waitForFunction((count) => document.querySelector('quintar-board').moves.length === count, moves, { timeout: 20000 });
    return downloaded();
  };
  responses.length = 0;
  await page.goto(server.url);
  await page.waitForFunction(() => customElements.get('quintar-board'));
  const showing = downloaded();
  const playing = [...showing, ...(await played(2, () => document.querySelector('quintar-board').move(1, 1)))];
  const expert = await played(4, () => {
    const board = document.querySelector('quintar-board');
    board.playingStrength = 'expert';
    board.move(15, 15);
  });
  responses.length = 0;
  await page.evaluate(() => new Promise((resolve) => {
    const board = document.querySelector('quintar-board');
    board.addEventListener('analysis', resolve, { once: true });
    board.analyse();
  }));
  const analysing = downloaded();
  await context.close();
  return { playing, expert, analysing };
}

function downloaded() {
  return responses.filter(({ status }) => status === 200).map(({ path }) => path);
}

function sizeOf(path) {
  const bytes = readFileSync(join(SITE, path === '/' ? 'index.html' : path));
  return { raw: bytes.length, gzipped: gzipSync(bytes, { level: 9 }).length };
}

function printed(paths) {
  const sizes = Object.fromEntries(paths.map((path) => [path, sizeOf(path)]));
  for (const [path, { raw, gzipped }] of Object.entries(sizes)) console.log(`${path.padEnd(36)} ${String(raw).padStart(7)} ${String(gzipped).padStart(6)} gzipped`);
  return { sizes, total: Object.values(sizes).reduce((sum, { gzipped }) => sum + gzipped, 0) };
}

test('the demo page downloads each file once, and the expert\'s module only when the expert plays', async () => {
  const { playing, expert, analysing } = await demoDownloads();
  const all = [...playing, ...expert, ...analysing];
  assert.deepEqual(all, [...new Set(all)], 'a file was downloaded twice');
  const webAssembly = (paths) => paths.filter((path) => path.endsWith('.wasm'));
  assert.deepEqual(webAssembly(playing), ['/quintar-board/quintar-module.wasm']);
  assert.deepEqual(webAssembly(expert), ['/quintar-board/quintar-analysis.wasm']);
  // The expert's worker was started and imported its script, and the
  // analysis's worker needed nothing more.
  assert.ok(expert.includes('/quintar-board/quintar-worker.js'));
  assert.deepEqual(analysing, []);

  const { sizes, total } = printed(playing);
  console.log(`everything to play at the page's level: ${total} bytes gzipped (goal ${GOALS.gzippedTotal})`);
  const added = printed(expert).total;
  console.log(`then, for the expert's first move: ${added} bytes gzipped; in all ${total + added}`);
  assert.ok(total <= GOALS.gzippedTotal, `the page downloads ${total} bytes gzipped`);
  assert.ok(sizes['/quintar-board/quintar-module.wasm'].raw <= GOALS.wasm);
  assert.ok(added <= EXPERT_CEILING, `the expert's first move downloads ${added} bytes gzipped`);
});
