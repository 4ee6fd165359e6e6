// Every face words the same game alike: the scripted game of
// tests/words/scripted-game.txt, refusals and an undo included, is announced
// with the fixture's sentences by the element and by the terminal game,
// which plays it from piped commands (the desktop checks it in its own
// suite).
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { existsSync, readFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';
import { test } from 'node:test';

import { openBoard, useBrowser } from './harness.mjs';

const shared = useBrowser();

const TERMINAL = fileURLToPath(new URL('../../build/default/hosts/terminal/quintar', import.meta.url));
const SCRIPT = fileURLToPath(new URL('../words/scripted-game.txt', import.meta.url));

// [{ step: '1 1' or 'undo', said: [sentences] }]
function scriptedGame() {
  return readFileSync(SCRIPT, 'utf8').split('\n')
    .filter((line) => line.includes('=>') && !line.startsWith('#'))
    .map((line) => {
      const [step, said] = line.split('=>').map((part) => part.trim());
      return { step, said: said.split(' | ') };
    });
}

test('the element announces each step of the scripted game with the fixture\'s sentences', async () => {
  const { page, board, close } = await openBoard(shared, { attributes: 'auto-response="false"' });
  for (const { step, said } of scriptedGame()) {
    const heard = await board.evaluate((element, step) => {
      const words = [];
      const listen = (event) => words.push(event.detail.words);
      element.addEventListener('announcement', listen);
      if (step === 'undo') element.undo();
      else element.move(...step.split(' ').map(Number));
      element.removeEventListener('announcement', listen);
      return words.join(' ');
    }, step);
    assert.equal(heard, said.join(' '), `after "${step}"`);
  }
  await close();
});

test('the terminal game says the scripted game\'s sentences, in order', () => {
  assert.ok(existsSync(TERMINAL),
    `the terminal game ${TERMINAL} is not built: build it first (cmake --build build/default --target quintar_terminal_game)`);
  const game = scriptedGame();
  const input = ['players person person', ...game.map(({ step }) => step), 'quit', ''].join('\n');
  const run = spawnSync(TERMINAL, [], { input, encoding: 'utf8', timeout: 30000 });
  assert.equal(run.status, 0, `the terminal game failed: ${run.stderr}`);
  const lines = run.stdout.split(/\r?\n/);
  let from = 0;
  for (const sentence of game.flatMap(({ said }) => said)) {
    const at = lines.indexOf(sentence, from);
    assert.ok(at >= 0, `"${sentence}" is not said after line ${from} of the terminal's output:\n${lines.join('\n')}`);
    from = at + 1;
  }
});
