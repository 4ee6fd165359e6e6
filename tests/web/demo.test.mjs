// The demo page as a person uses it.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { clickCell, openDemo, PLANTED_FAULTS, useBrowser } from './harness.mjs';

const shared = useBrowser();

const boardStatus = (page) => page.evaluate(() => document.querySelector('quintar-board').status);

test('a whole game is played on the demo page by clicks, and can be taken back', async () => {
  const { page, close } = await openDemo(shared);
  await page.fill('#col-count', '10');
  await page.press('#col-count', 'Tab');
  await page.evaluate(() => document.querySelector('quintar-board').seed(3));
  const boardTop = () => page.evaluate(() => document.querySelector('quintar-board').getBoundingClientRect().top + scrollY);
  const topBefore = await boardTop();
  // Whatever the computer does, clicking the first free cell each time ends the game.
  for (let clicks = 0; clicks < 100; ++clicks) {
    const free = await page.evaluate(() => {
      const board = document.querySelector('quintar-board');
      if (board.gameOver) return null;
      for (let row = 1; row <= board.rowCount; ++row)
        for (let col = 1; col <= board.colCount; ++col) if (!board.cell(col, row)) return { col, row };
      return null;
    });
    if (!free) break;
    await clickCell(page, free.col, free.row);
  }
  assert.equal(await page.evaluate(() => document.querySelector('quintar-board').gameOver), true);
  // The board stayed where it was, however long the words said above it.
  assert.equal(await boardTop(), topBefore);
  // The page shows the board's own sentences: the result, and every move's words, in order, in the list.
  const recorded = await page.evaluate(() => window.events);
  const result = recorded.find(({ type }) => type === 'crosswon' || type === 'noughtwon' || type === 'draw');
  assert.equal(await page.textContent('#status'), result.words);
  const listed = await page.$$eval('#moves li', (entries) => entries.map((entry) => entry.textContent));
  const moves = recorded.filter(({ type }) => type === 'legalmove').map(({ words }) => words);
  assert.deepEqual(listed, moves);
  assert.ok(listed.every((words) => !/legalmove|crosswon|noughtwon/.test(words)));

  await page.click('#undo');
  assert.equal(await page.evaluate(() => document.querySelector('quintar-board').gameOver), false);
  assert.equal(await page.textContent('#status'), await boardStatus(page));
  assert.notEqual(await page.textContent('#status'), result.words);
  assert.deepEqual(await page.$$eval('#moves li', (entries) => entries.map((entry) => entry.textContent)),
    moves.slice(0, await page.evaluate(() => document.querySelector('quintar-board').moves.length)));
  assert.ok(await page.locator('#moves li').count() < moves.length);

  // The game taken back is in progress: the page asks before a new game
  // throws it away, and the list starts again once the player agrees.
  const asked = [];
  page.on('dialog', (dialog) => {
    asked.push(dialog.message());
    return asked.length === 1 ? dialog.dismiss() : dialog.accept();
  });
  await page.fill('#col-count', '010');  // the size it has: nothing to ask
  await page.press('#col-count', 'Tab');
  await page.click('#new-game');
  assert.ok(await page.locator('#moves li').count() > 0);
  await page.click('#new-game');
  assert.equal(await page.locator('#moves li').count(), 0);
  assert.deepEqual(asked, Array(2).fill('The game in progress will be lost. Do you want to discard it?'));

  // A size past the largest is the largest: on a board that has it, nothing.
  await page.fill('#col-count', '60');
  await page.press('#col-count', 'Tab');
  await page.evaluate(() => document.querySelector('quintar-board').move(1, 1));
  await page.fill('#col-count', '70');
  await page.press('#col-count', 'Tab');
  assert.equal(asked.length, 2);
  assert.deepEqual(await page.evaluate(() => [document.querySelector('quintar-board').colCount,
    document.querySelector('quintar-board').moves.length > 0]), [50, true]);
  assert.equal(await page.inputValue('#col-count'), '50');

  // Redone by the keyboard to the end, the button hands its focus to the
  // board, not to the top of the page.
  await page.click('#undo');
  await page.focus('#redo');
  while (!await page.isDisabled('#redo')) await page.keyboard.press('Enter');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'board');
  await close();
});

test('the page\'s players, strength and colour controls reach the board', async () => {
  const { page, close } = await openDemo(shared);
  await page.selectOption('#playing-strength', 'expert');
  await page.check('input[name=players][value=crosses]');  // the computer opens, thinking in its worker
  await page.waitForFunction(() => document.querySelector('quintar-board').turn === 'nought');
  await page.$eval('#cross-color', (input) => {
    input.value = '#00aa00';
    input.dispatchEvent(new Event('input'));
  });
  const board = await page.evaluate(() => {
    const element = document.querySelector('quintar-board');
    return [element.playingStrength, element.computerSide, element.crossColor];
  });
  assert.deepEqual(board, ['expert', 'crosses', '#00aa00']);
  await close();
});

test('walking the players with the arrow keys hands the computer no move on the way', async () => {
  const { page, close } = await openDemo(shared);
  await page.clock.install();
  await page.focus('input[name=players][value=noughts]');
  await page.keyboard.press('ArrowDown');  // past "You play noughts", where the computer would open...
  await page.keyboard.press('ArrowDown');  // ...to "Two people"
  await page.clock.runFor(1000);
  const board = await page.evaluate(() => {
    const element = document.querySelector('quintar-board');
    return [element.moves.length, element.autoResponse];
  });
  assert.deepEqual(board, [0, false]);
  await close();
});

test('giving the computer a side in a two-person game plays no move for the person', async () => {
  const { page, close } = await openDemo(shared);
  await page.check('input[name=players][value=none]');
  await page.evaluate(() => document.querySelector('quintar-board').move(5, 5));
  await page.check('input[name=players][value=crosses]');  // noughts to move: the person's
  const board = await page.evaluate(() => {
    const element = document.querySelector('quintar-board');
    return [element.moves.length, element.status];
  });
  assert.deepEqual(board, [1, 'Noughts to move: you.']);
  await close();
});

test('the computer moving for the person leaves the players as the page chose them', async () => {
  const { page, close } = await openDemo(shared);
  await page.click('#computer-move');  // crosses, the person's side: the computer moves for it and answers
  await page.waitForFunction(() => window.events.length >= 2);
  const players = await page.evaluate(() => [document.querySelector('input[name=players]:checked').value,
    document.querySelector('quintar-board').computerSide]);
  assert.deepEqual(players, ['noughts', 'noughts']);
  assert.equal(await page.textContent('#status'), await boardStatus(page));
  await close();
});

test('the page shows what was said beside whose move it is: refusals, hints, and no stale words after a win', async () => {
  const { page, close } = await openDemo(shared);
  await page.check('input[name=players][value=none]');
  await clickCell(page, 3, 3);
  await clickCell(page, 3, 3);
  assert.equal(await page.textContent('#said'), 'That cell is taken.');
  assert.equal(await page.textContent('#status'), 'Noughts to move.');

  await page.focus('#hint');
  await page.keyboard.press('Space');
  // Only the hint: the board's greeting on taking the focus gives way to it.
  await page.waitForFunction(() => document.getElementById('said').textContent.startsWith('Hint: '));
  assert.equal(await page.textContent('#status'), 'Noughts to move.');
  // The Space the hint speaks of plays it: the hint took the focus to the board.
  await page.keyboard.press('Space');
  assert.equal(await page.textContent('#status'), 'Crosses to move.');
  await page.click('#undo');

  await page.evaluate(() => {
    const board = document.querySelector('quintar-board');
    for (let col = 4; col <= 7; ++col) {
      board.move(col, 1);
      board.move(col, 3);
    }
  });
  await page.waitForFunction(() => document.querySelector('quintar-board').gameOver);
  await page.click('#hint');
  assert.equal(await page.textContent('#said'), 'No hint: the game is over.');
  page.once('dialog', (dialog) => dialog.accept());
  await page.click('#new-game');
  assert.equal(await page.textContent('#said'), 'New game: crosses move first.');
  await close();
});

test('the page shows the analysis as a bar and its words, speaks them only when they change, and lists a review', async () => {
  const { page, errors, close } = await openDemo(shared);
  await page.check('input[name=players][value=none]');
  await page.evaluate((moves) => {
    const board = document.querySelector('quintar-board');
    board.colCount = board.rowCount = 20;
    for (const move of moves) board.move(...move);
  }, PLANTED_FAULTS.slice(0, 8));
  // Spoken changes of the summary, counted from here.
  await page.evaluate(() => {
    window.spoken = 0;
    new MutationObserver(() => ++window.spoken).observe(document.getElementById('analysis-words'), { childList: true });
  });
  await page.check('#analyse');
  await page.waitForFunction(() => document.getElementById('analysis-words').textContent !== '');
  assert.match(await page.textContent('#analysis-words'), /^Crosses win in 1 move: column (4|9), row 10\.$/);
  assert.equal(await page.getAttribute('#analysis-words', 'aria-live'), 'polite');
  assert.equal(await page.getAttribute('#evaluation', 'aria-valuenow'), '100');  // crosses' win fills the bar
  assert.equal(await page.getAttribute('#evaluation', 'aria-valuetext'), await page.textContent('#analysis-words'));
  assert.equal(await page.isVisible('#evaluation'), true);
  assert.equal(await page.textContent('#best-line'), await page.evaluate(() => document.querySelector('quintar-board').analysis.candidates[0]));
  // The same words again are not said again.
  await page.evaluate(() => {
    const board = document.querySelector('quintar-board');
    board.dispatchEvent(new CustomEvent('analysis', { detail: board.analysis }));
  });
  assert.equal(await page.evaluate(() => window.spoken), 1);

  await page.click('#review');
  await page.waitForFunction(() => document.querySelectorAll('#moves button.judged').length === 8);
  assert.deepEqual(await page.$$eval('#review-summary p', (lines) => lines.map((line) => line.textContent.slice(0, 8))),
    ['Crosses:', 'Noughts:']);
  const sixth = page.locator('#moves li:nth-child(6) button');
  assert.match(await sixth.getAttribute('class'), /\bwin-let-through\b/);
  await sixth.click();
  assert.match(await page.textContent('#judgement'), /^Move 6, nought on column 7, row 1: a win let through;/);
  assert.equal(await page.getAttribute('#judgement', 'aria-live'), 'polite');
  // What the board says next builds neither the list nor the summary again:
  // the chosen move keeps the keyboard, and the summary is not said again.
  const rebuilt = await page.evaluate(() => {
    let changes = 0;
    const watch = new MutationObserver(() => ++changes);
    for (const id of ['moves', 'review-summary']) watch.observe(document.getElementById(id), { childList: true });
    document.querySelector('quintar-board').dispatchEvent(new CustomEvent('announcement', { detail: { words: '' } }));
    return new Promise((resolve) => setTimeout(() => resolve(changes)));
  });
  assert.equal(rebuilt, 0);
  assert.match(await page.evaluate(() => document.activeElement.textContent), /^Move 6, /);

  // A new move: the review no longer applies, and the analysis follows.
  await page.evaluate((move) => document.querySelector('quintar-board').move(...move), PLANTED_FAULTS[8]);
  assert.equal(await page.locator('#moves button.judged').count(), 0);
  assert.equal(await page.textContent('#judgement'), '');
  await page.uncheck('#analyse');
  assert.equal(await page.isVisible('#evaluation'), false);
  assert.equal(await page.textContent('#analysis-words'), '');
  assert.deepEqual(errors, []);
  await close();
});

test('a second tab that changed no game leaves the game another tab kept', async () => {
  const { page, reload, close } = await openDemo(shared);
  const idle = await page.context().newPage();
  await idle.goto(page.url());
  await idle.waitForFunction(() => document.getElementById('status')?.textContent.startsWith('Crosses'));
  await page.check('input[name=players][value=none]');
  await page.evaluate(() => document.querySelector('quintar-board').move(3, 3));
  // A setting changed in the other tab stores its settings, not its empty game.
  await idle.selectOption('#playing-strength', 'low');
  await reload();
  assert.equal(await page.evaluate(() => document.querySelector('quintar-board').cell(3, 3)), 'cross');
  await close();
});
