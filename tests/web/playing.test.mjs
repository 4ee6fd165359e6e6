// Playing in Chromium: clicks become moves and events, the computer answers
// and wins, the expert thinks in its worker, moves are taken back and
// played again, and hints point at the cell to play.
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { canvasPixel, clickCell, events, openBoard, takeEvents, useBrowser, waitForEvents } from './harness.mjs';

const shared = useBrowser();

// Crosses on columns 1..4 of row 1, noughts on row 3, crosses to move.
function fourEach(board) {
  return board.evaluate((element) => {
    element.autoResponse = false;
    for (let col = 1; col <= 4; ++col) {
      element.move(col, 1);
      element.move(col, 3);
    }
    window.events.length = 0;
  });
}

const types = (list) => list.map(({ type }) => type);
// A detail without its sentence, which must be there.
function wordless({ words, ...rest }) {
  assert.equal(typeof words, 'string');
  assert.notEqual(words, '');
  return rest;
}

test('a click plays the cell under it and the computer answers', async () => {
  const { page, board, errors, close } = await openBoard(shared);
  await clickCell(page, 4, 5);
  await waitForEvents(page, 2);
  const [person, computer] = await takeEvents(page);
  assert.equal(person.type, 'legalmove');
  assert.deepEqual(wordless(person.detail), { col: 4, row: 5, mark: 'cross', computer: false });
  assert.equal(computer.detail.mark, 'nought');
  assert.equal(computer.detail.computer, true);
  assert.equal(await board.evaluate((element, { col, row }) => element.cell(col, row), computer.detail), 'nought');

  await clickCell(page, 4, 5);
  await waitForEvents(page, 1);
  const [refused] = await events(page);
  assert.equal(refused.type, 'illegalmove');
  assert.notEqual(refused.detail.words, computer.detail.words);
  assert.equal(await board.evaluate((element) => element.announcement), refused.detail.words);
  assert.deepEqual(errors, []);
  await close();
});

test('between two people every button plays, crosses first', async () => {
  const { page, board, close } = await openBoard(shared, { attributes: 'auto-response="false"' });
  await clickCell(page, 1, 1);
  await clickCell(page, 20, 20, { button: 'right' });
  await waitForEvents(page, 2);
  assert.deepEqual((await events(page)).map(({ detail }) => detail.mark), ['cross', 'nought']);
  assert.equal(await board.evaluate((element) => element.cell(20, 20)), 'nought');
  await close();
});

test('a winning move raises the side\'s win and whose it was', async () => {
  const { page, board, close } = await openBoard(shared);
  await fourEach(board);
  await board.evaluate((element) => element.computerMove());
  await waitForEvents(page, 3);
  const [move, crossWon, computerWon] = await takeEvents(page);
  assert.deepEqual(wordless(move.detail), { col: 5, row: 1, mark: 'cross', computer: true });
  assert.deepEqual(types([crossWon, computerWon]), ['crosswon', 'computerwon']);
  // Both say how the game ended, and the board's status says it too.
  assert.equal(computerWon.detail.words, crossWon.detail.words);
  assert.equal(await board.evaluate((element) => element.status), crossWon.detail.words);
  assert.deepEqual(crossWon.detail.cells.map(({ col }) => col).sort(), [1, 2, 3, 4, 5]);
  assert.equal(await board.evaluate((element) => element.gameOver), true);

  await clickCell(page, 10, 10);  // a finished game takes no move and says nothing
  assert.deepEqual(await events(page), []);

  await board.evaluate((element) => element.newGame());
  await fourEach(board);
  await clickCell(page, 5, 1);
  await waitForEvents(page, 3);
  assert.deepEqual(types(await events(page)), ['legalmove', 'crosswon', 'userwon']);
  await close();
});

test('the expert thinks in a worker, started once it is chosen, and the page waits for its answer', async () => {
  const { page, board, close } = await openBoard(shared, { attributes: 'playing-strength="expert"' });
  // Choosing the expert starts its worker before the first move.
  const worker = page.workers()[0] ?? (await page.waitForEvent('worker'));
  assert.match(worker.url(), /quintar-worker\.js$/);
  // The worker cannot answer before the script that made the move is done.
  const [before, thinking] = await board.evaluate((element) => {
    const status = element.status;
    element.move(10, 10);
    return [status, element.status];
  });
  await waitForEvents(page, 2);
  const [, answer] = await takeEvents(page);
  assert.equal(answer.detail.computer, true);
  assert.equal(await board.evaluate((element) => element.thinking), false);
  // While it thinks the status says so, and afterwards whose move it is again.
  assert.notEqual(thinking, before);
  assert.equal(await board.evaluate((element) => element.status), before);

  await fourEach(board);
  await board.evaluate((element) => element.computerMove());
  await waitForEvents(page, 3);
  assert.deepEqual(types(await events(page)), ['legalmove', 'crosswon', 'computerwon']);
  await close();
});

test('where no worker can be had, the page thinks the expert\'s moves itself', async () => {
  const { page, board, errors, close } = await openBoard(shared, { attributes: 'playing-strength="expert"', init: () => { delete window.Worker; } });
  await board.evaluate((element) => element.move(10, 10));
  await waitForEvents(page, 2);
  const [, answer] = await takeEvents(page);
  assert.equal(answer.type, 'legalmove');
  assert.equal(answer.detail.computer, true);
  assert.deepEqual(errors, []);
  await close();
});

test('a computer holding crosses opens the game at the strength set, whatever the attributes\' order', async () => {
  const { page, close } = await openBoard(shared, { attributes: 'computer-side="crosses" playing-strength="expert"' });
  await page.waitForFunction(() => document.querySelector('quintar-board').turn === 'nought');
  assert.equal(page.workers().length, 1);  // the expert's move, thought out in its worker
  await close();
});

test('undo takes back the move and the answer, redo plays them again', async () => {
  const { page, board, close } = await openBoard(shared);
  await clickCell(page, 4, 5);  // the cross spans (32, 42) to (38, 48)
  await waitForEvents(page, 2);
  const answer = (await takeEvents(page))[1].detail;
  assert.equal(await canvasPixel(page, 35, 45), '#ff0000');

  assert.equal(await board.evaluate((element) => element.undo()), true);
  assert.deepEqual(await board.evaluate((element, { col, row }) => [element.cell(4, 5), element.cell(col, row)], answer), [null, null]);
  assert.equal(await canvasPixel(page, 35, 45), '#ffffff');
  assert.equal(await board.evaluate((element) => element.undo()), false);

  assert.equal(await board.evaluate((element) => element.redo()), true);
  assert.equal(await board.evaluate((element, { col, row }) => element.cell(col, row), answer), 'nought');
  assert.equal(await canvasPixel(page, 35, 45), '#ff0000');
  assert.deepEqual(await events(page), []);
  await close();
});

test('a hint names the cell to play and shows it, at every strength', async () => {
  const { page, board, close } = await openBoard(shared);
  await fourEach(board);
  for (const strength of ['high', 'expert']) {
    const hint = await board.evaluate((element, strength) => {
      element.playingStrength = strength;
      return element.hint();
    }, strength);
    assert.deepEqual(hint, { col: 5, row: 1 });
  }
  const shown = await page.evaluate(() => {
    const mark = document.querySelector('quintar-board').shadowRoot.querySelector('[part=hint]');
    return getComputedStyle(mark).display;
  });
  assert.equal(shown, 'block');
  assert.equal(await board.evaluate((element) => element.cell(5, 1)), null);
  // The keyboard's cell is on it, and the hint says which key plays it.
  assert.match(await board.evaluate((element) => element.announcement), /^Hint: column 5, row 1\b.*\. Space plays it\.$/);
  await board.focus();
  await page.keyboard.press('Space');
  assert.notEqual(await board.evaluate((element) => element.cell(5, 1)), null);
  await close();
});

test('a record saved on one board sets the game and its players up on another; a text that is none changes nothing', async () => {
  const first = await openBoard(shared, { attributes: 'computer-side="crosses" playing-strength="medium" col-count="11"' });
  const { record, moves, players } = await first.board.evaluate((element) => {
    element.move(element.cell(2, 2) ? 3 : 2, 2);  // a free cell, whatever the computer opened with; and its answer
    return { record: element.saveRecord(), moves: element.moves, players: element.players };
  });
  await first.close();
  assert.equal(moves.length, 3);

  const { board, close } = await openBoard(shared, { attributes: 'col-count="15"' });
  const before = await board.evaluate((element) => {
    element.move(5, 5);
    return element.saveRecord();
  });
  // A record with a NUL in it is refused whole, not read up to the NUL.
  const refused = await board.evaluate(
    (element, record) => [element.openRecord('not a record'), element.openRecord(record.replace('\n-1', '\0junk\n-1')),
      element.saveRecord()],
    record);
  for (const answer of refused.slice(0, 2)) {
    assert.equal(typeof answer, 'string');
    assert.notEqual(answer, '');
  }
  assert.equal(refused[2], before);

  const taken = await board.evaluate((element, record) => {
    const answer = element.openRecord(record);
    return [answer, element.moves, element.players, element.colCount, element.computerSide, element.playingStrength, element.turn];
  }, record);
  assert.deepEqual(taken, [null, moves, players, 11, 'crosses', 'medium', 'nought']);
  await close();
});
