// The element's sentences are the phrasebook's: a finished game is worded
// alike by the element and by the terminal game, which plays it from piped
// commands.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { existsSync } from 'node:fs';
import { fileURLToPath } from 'node:url';
import { test } from 'node:test';

import { openBoard, useBrowser } from './harness.mjs';

const shared = useBrowser();

const TERMINAL = fileURLToPath(new URL('../../build/default/hosts/terminal/quintar', import.meta.url));

// Two people; crosses make five along row 1 while noughts fill row 3.
const MOVES = [[1, 1], [1, 3], [2, 1], [2, 3], [3, 1], [3, 3], [4, 1], [4, 3], [5, 1]];

function terminalLines() {
  assert.ok(existsSync(TERMINAL),
    `the terminal game ${TERMINAL} is not built: build it first (cmake --build build/default --target quintar_terminal_game)`);
  const input = ['players person person', ...MOVES.map(([col, row]) => `${col} ${row}`), 'quit', ''].join('\n');
  const run = spawnSync(TERMINAL, [], { input, encoding: 'utf8', timeout: 30000 });
  assert.equal(run.status, 0, `the terminal game failed: ${run.stderr}`);
  return run.stdout.split(/\r?\n/);
}

test('the same finished game gets the same sentence in the terminal and on the page', async () => {
  const lines = terminalLines();
  const { page, board, close } = await openBoard(shared, { attributes: 'auto-response="false"' });
  await board.evaluate((element, moves) => {
    for (const [col, row] of moves) element.move(col, row);
  }, MOVES);
  await page.waitForFunction(() => window.events.some(({ type }) => type === 'crosswon'));
  const { words } = (await page.evaluate(() => window.events)).find(({ type }) => type === 'crosswon').detail;
  assert.ok(words, 'the win event carries its sentence');
  assert.ok(lines.includes(words), `"${words}" is not a line of the terminal's output:\n${lines.join('\n')}`);
  assert.equal(await board.evaluate((element) => element.status), words);
  await close();
});
