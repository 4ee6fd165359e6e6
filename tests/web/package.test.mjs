// The element as a web developer takes it: the npm package as `npm pack`
// makes it, installed into a new project, imported where there is no DOM,
// built by a real bundler (Vite) and type-checked with TypeScript.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';

import { build } from 'vite';

import { startServer } from '../../hosts/web/serve.mjs';
import { EVENTS, openBoard, SITE, useBrowser } from './harness.mjs';

const shared = useBrowser();
const TSC = createRequire(import.meta.url).resolve('typescript/bin/tsc');
// The custom element callbacks the browser calls, which are no page's business.
const CALLBACKS = ['constructor', 'connectedCallback', 'disconnectedCallback', 'attributeChangedCallback'];

let project;
before(() => {
  project = mkdtempSync(join(tmpdir(), 'quintar-board-'));
  execFileSync('npm', ['pack', '--pack-destination', project], { cwd: join(SITE, 'quintar-board'), stdio: 'ignore' });
  execFileSync('npm', ['init', '-y'], { cwd: project, stdio: 'ignore' });
  execFileSync('npm', ['install', '--offline', '--no-audit', '--no-fund', './quintar-board-1.0.0.tgz'], { cwd: project, stdio: 'ignore' });
});
after(() => rmSync(project, { recursive: true, force: true }));

test('npm packs the element with its loader, module, worker, types and licence', () => {
  const folder = join(SITE, 'quintar-board');
  const [packed] = JSON.parse(execFileSync('npm', ['pack', '--dry-run', '--json'], { cwd: folder, encoding: 'utf8' }));
  const files = packed.files.map(({ path }) => path).sort();
  assert.deepEqual(files, ['LICENSE', 'README.md', 'attributes.js', 'colors.js', 'events.js', 'loader.js', 'package.json', 'quintar-analysis.js',
    'quintar-analysis.wasm', 'quintar-board.d.ts', 'quintar-board.js', 'quintar-module.js', 'quintar-module.wasm', 'quintar-worker.js', 'thinker.js']);
  const installed = join(project, 'node_modules', 'quintar-board');
  const manifest = JSON.parse(readFileSync(join(installed, 'package.json'), 'utf8'));
  assert.equal(manifest.license, 'MIT');
  assert.match(readFileSync(join(installed, 'LICENSE'), 'utf8'), /^MIT License\n\nCopyright \(c\) 2026 The Quintar developers\n/);
  for (const entry of [manifest.exports['.'].default, manifest.exports['.'].types]) assert.ok(existsSync(join(installed, entry)), entry);
});

test('importing the package where there is no DOM throws nothing and defines nothing', () => {
  const script = `const module = await import('quintar-board');
    console.log(JSON.stringify({ exports: Object.keys(module), type: typeof module.QuintarBoardElement, customElements: typeof customElements }));`;
  const output = execFileSync(process.execPath, ['--input-type=module', '-e', script], { cwd: project, encoding: 'utf8' });
  assert.deepEqual(JSON.parse(output), { exports: ['BOARD_EVENTS', 'QuintarBoardElement'], type: 'function', customElements: 'undefined' });
  // A test runner's stand-in DOM has elements but lays nothing out.
  const standIn = `globalThis.HTMLElement = class {}; const defined = [];
    globalThis.customElements = { get: () => undefined, define: (name) => defined.push(name) };
    await import('quintar-board');
    console.log(JSON.stringify(defined));`;
  assert.equal(execFileSync(process.execPath, ['--input-type=module', '-e', standIn], { cwd: project, encoding: 'utf8' }).trim(), '[]');
});

test('a page that imports the package, built by Vite, plays a game with the expert in its worker and analyses', async () => {
  writeFileSync(join(project, 'index.html'), `<!doctype html>
<meta charset="utf-8">
<script type="module" src="/main.js"></script>
<quintar-board col-count="15" row-count="15" style="width: 300px; height: 300px"></quintar-board>`);
  writeFileSync(join(project, 'main.js'), "import { QuintarBoardElement } from 'quintar-board';\nwindow.boardClass = QuintarBoardElement;\n");
  await build({ root: project, configFile: false, logLevel: 'silent', build: { outDir: join(project, 'dist') } });

  const served = [];
  const server = await startServer({ '/': join(project, 'dist') }, { served: (path) => served.push(path) });
  const context = await shared.browser.newContext();
  try {
    const page = await context.newPage();
    const errors = [];
    page.on('pageerror', (error) => errors.push(error.message));
    await page.goto(server.url);
    await page.waitForFunction(() => customElements.get('quintar-board') === window.boardClass);
    await page.evaluate(() => {
      const board = document.querySelector('quintar-board');
      board.seed(5);
      board.move(8, 8);  // the high level answers on the page
    });
    assert.equal(await page.evaluate(() => document.querySelector('quintar-board').moves.length), 2);
    await page.evaluate(() => {
      const board = document.querySelector('quintar-board');
      board.playingStrength = 'expert';
      board.move(9, 9);
      window.thoughtInWorker = board.thinking;
    });
    await page.waitForFunction(() => document.querySelector('quintar-board').moves.length === 4, null, { timeout: 20000 });
    assert.equal(await page.evaluate(() => window.thoughtInWorker), true);
    // The expert's module, which the bundle fetched for the expert's move, reports.
    const words = await page.evaluate(() => new Promise((resolve) => {
      const board = document.querySelector('quintar-board');
      board.addEventListener('analysis', (event) => resolve(event.detail.words), { once: true });
      board.analyse();
    }));
    assert.match(words, /./);
    assert.deepEqual(errors, []);
    // The worker came out of the bundle (both workers start from it), and
    // each WebAssembly file was fetched once.
    assert.ok(served.some((path) => /worker.*\.js$/.test(path)), served.join(' '));
    assert.equal(served.filter((path) => path.endsWith('.wasm')).length, 2, served.join(' '));
  } finally {
    await context.close();
    await server.close();
  }
});

test('the types declare every export, property, method and event, and a TypeScript file using them checks', async () => {
  const { page, close } = await openBoard(shared);
  const members = await page.evaluate((callbacks) => {
    const names = Object.getOwnPropertyNames(customElements.get('quintar-board').prototype);
    return names.filter((name) => !callbacks.includes(name));
  }, CALLBACKS);
  await close();
  assert.ok(members.includes('colCount') && members.includes('newGame') && members.includes('status'));
  const exported = Object.keys(await import(join(SITE, 'quintar-board', 'quintar-board.js')));

  writeFileSync(join(project, 'check.ts'), `import { ${exported.join(', ')} } from 'quintar-board';
import type { AnalysisDetail, CandidateLine, Cell, GameReview, Judgement, LegalMoveDetail, Mark, MoveJudgement, Outcome, PlayingStrength, Side, Standing, WinDetail } from 'quintar-board';

const board: QuintarBoardElement = document.createElement('quintar-board');
${members.map((name) => `board.${name};`).join('\n')}
${EVENTS.map((type) => `board.addEventListener('${type}', (event) => console.log(event.detail.words));`).join('\n')}
board.addEventListener('legalmove', (event) => {
  const detail: LegalMoveDetail = event.detail;
  const cell: Cell = { col: detail.col, row: detail.row };
  const mark: Mark = detail.mark;
  console.log(cell, mark, detail.computer);
});
board.addEventListener('crosswon', (event) => {
  const detail: WinDetail = event.detail;
  console.log(detail.cells.length);
});
const strength: PlayingStrength = board.playingStrength;
const side: Side = board.computerSide;
board.colCount = 15;
board.hint().then((cell: Cell | null) => console.log(cell?.col, strength, side));
board.addEventListener('analysis', (event) => {
  const detail: AnalysisDetail = event.detail;
  const best: CandidateLine | undefined = detail.lines[0];
  const standing: Standing | undefined = best?.standing;
  const outcome: Outcome | undefined = best?.outcome;
  const turn: Mark = detail.turn;
  console.log(detail.words, detail.candidates.join(' '), detail.depth, detail.nodes, detail.settled, turn, standing, outcome,
    best?.advantage, best?.movesToFive, best?.byFours, best?.line.map(({ col, row }: Cell) => col + row));
});
board.review().then((review: GameReview | null) => {
  const first: MoveJudgement | undefined = review?.moves[0];
  const judgement: Judgement | undefined = first?.judgement;
  const [crosses, noughts]: [string, string] = review ? review.summary : ['', ''];
  console.log(first?.words, first?.better?.col, first?.side, judgement, crosses, noughts);
});
const analysed: AnalysisDetail | null = board.analysing ? board.analysis : board.gameReview && null;
console.log(analysed);
`);
  const options = ['--noEmit', '--strict', '--target', 'es2022', '--module', 'esnext', '--moduleResolution', 'bundler', '--lib', 'es2022,dom'];
  try {
    execFileSync(process.execPath, [TSC, ...options, 'check.ts'], { cwd: project, encoding: 'utf8' });
  } catch (error) {
    assert.fail(`tsc found errors:\n${error.stdout}`);
  }
});
