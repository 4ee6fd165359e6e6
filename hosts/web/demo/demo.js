// The demo page: the board with controls for its players, size, strength
// and colours, the moves of the game in progress, the computer's analysis of
// the position and its review of the game. The sentences shown are the
// board's own: whose turn it is, what happened last, what the computer finds
// and how it judges each move. The
// settings and the game are kept in the browser's storage, so that a reload
// carries on where the player was; a game in progress is thrown away only
// when the player agrees.
import { BOARD_EVENTS } from './quintar-board/events.js';

const board = document.getElementById('board');
const byId = (id) => document.getElementById(id);
const playerInputs = [...document.querySelectorAll('input[name=players]')];
const colourInputs = [...document.querySelectorAll('.colours input')];

const STORAGE_KEY = 'quintar-demo';

// A review is being made; the move whose judgement was chosen in the list.
let reviewing = false;
let chosenMove = null;

// A colour input's id names the board's property: "grid-line-color" is gridLineColor.
const propertyOf = (id) => id.replace(/-(\w)/g, (_, letter) => letter.toUpperCase());

// ---- Players: the radio's value is the computer's side, or "none" ----------

function players() {
  return board.autoResponse ? board.computerSide : 'none';
}

// The side first, then the answering: the other order would let the side
// the computer held answer once, a move for the person.
function setPlayers(value) {
  if (value !== 'none') board.computerSide = value;
  board.autoResponse = value !== 'none';
}

// ---- Keeping the page across a reload ------------------------------------

// The game this page took up from storage. While its game is still that
// one, the page keeps whatever game is stored by then: a second tab that
// changed nothing does not put its older game back over one another tab
// kept meanwhile. (The desktop and the terminal keep to the same rule
// through game::TKeptGameMark; binding it would cost the board's module
// more than this comparison.)
let takenUpRecord = '';

function saveState() {
  const untouched = board.gameToKeep === takenUpRecord;
  const state = {
    players: players(),
    strength: board.playingStrength,
    colCount: board.colCount,
    rowCount: board.rowCount,
    colours: Object.fromEntries(colourInputs.map((input) => [input.id, board[propertyOf(input.id)]])),
    record: untouched ? storedState().record : board.gameToKeep,
    analysing: board.analysing,
  };
  try {
    localStorage.setItem(STORAGE_KEY, JSON.stringify(state));
  } catch {
    // Storage full or switched off: the page works on without it.
  }
}

function storedState() {
  try {
    const state = JSON.parse(localStorage.getItem(STORAGE_KEY));
    return state !== null && typeof state === 'object' ? state : {};
  } catch {
    return {};
  }
}

const isCount = (value, input) => Number.isInteger(value) && value >= Number(input.min) && value <= Number(input.max);
const isColour = (value) => typeof value === 'string' && /^#[0-9a-f]{6}$/i.test(value);

// Each stored value the board can take is given to it; any other is left
// out, and the board keeps what it has. The board's size and colours are
// written as its attributes, and in their controls, before the board's own
// script shows it, which this page's script runs ahead of: a reload then
// shows the board as it was kept from the first paint, not first as the
// page's HTML has it.
function restoreLooks(state) {
  const show = (input, value) => {
    board.setAttribute(input.id, value);
    input.value = value;
  };
  for (const [id, property] of [['col-count', 'colCount'], ['row-count', 'rowCount']])
    if (isCount(state[property], byId(id))) show(byId(id), String(state[property]));
  const colours = state.colours !== null && typeof state.colours === 'object' ? state.colours : {};
  for (const input of colourInputs)
    if (isColour(colours[input.id])) show(input, colours[input.id]);
}

// The kept players and strength, when they are ones the page offers.
const keptPlayers = (state) => playerInputs.find((input) => input.value === state.players)?.value;
const keptStrength = (state) =>
  [...byId('playing-strength').options].find((option) => option.value === state.strength)?.value;

// The players and strength need the board defined, but their controls show
// the kept choices at once rather than the page's defaults meanwhile.
function showKeptChoices(state) {
  const who = keptPlayers(state);
  if (who) for (const input of playerInputs) input.checked = input.value === who;
  const strength = keptStrength(state);
  if (strength) byId('playing-strength').value = strength;
}

// The rest needs the board defined. The record comes last: it brings its
// own board size and players.
function restoreGame(state) {
  const who = keptPlayers(state);
  if (who) setPlayers(who);
  const strength = keptStrength(state);
  if (strength) board.playingStrength = strength;
  if (typeof state.record === 'string' && state.record) board.restoreKeptGame(state.record);
  if (state.analysing === true) board.analyse();
}

const kept = storedState();
restoreLooks(kept);
showKeptChoices(kept);
await customElements.whenDefined('quintar-board');

// ---- Showing the game ----------------------------------------------------

// The page's controls as the board has them.
function showSettings() {
  const value = players();
  for (const input of playerInputs) input.checked = input.value === value;
  byId('playing-strength').value = board.playingStrength;
  byId('col-count').value = board.colCount;
  byId('row-count').value = board.rowCount;
  for (const input of colourInputs) input.value = board[propertyOf(input.id)];
  byId('analyse').checked = board.analysing;
}

// Each move's sentence; once the game is reviewed, each move's judgement
// instead, which a person chooses to hear it said. A review judges the moves
// taken back too: they follow, greyed, so that the summary's moves are all
// in the list.
function showMoves() {
  const list = byId('moves');
  const review = board.gameReview;
  const moves = [...board.moves];
  moves.length = Math.max(moves.length, review?.moves.length ?? 0);
  if (!review) {
    chosenMove = null;
    byId('judgement').textContent = '';
  }
  showIfChanged(list, [board.moves.length, moves, review?.moves.map((judged) => judged?.words)], () => Array.from(moves, (words, index) => {
    const entry = document.createElement('li');
    entry.classList.toggle('ahead', index >= board.moves.length);
    const judged = review?.moves[index];
    if (judged) {
      const choice = document.createElement('button');
      choice.type = 'button';
      choice.className = `judged ${judged.judgement}`;
      choice.textContent = judged.words;
      choice.addEventListener('click', () => chooseJudgement(index));
      entry.classList.toggle('chosen', index === chosenMove);
      entry.append(choice);
    } else {
      entry.textContent = words;
    }
    return entry;
  }));
  showIfChanged(byId('review-summary'), review?.summary ?? [], (summary) => summary.map((words) => {
    const line = document.createElement('p');
    line.textContent = words;
    return line;
  }));
}

// A list is built again only when what it shows has changed: building it
// again would take the keyboard's focus from a judged move, say the summary
// again to a screen reader, and scroll the moves.
function showIfChanged(container, shown, build) {
  const key = JSON.stringify(shown);
  if (container.dataset.shown === key) return;
  container.dataset.shown = key;
  container.replaceChildren(...build(shown));
  // The latest move in sight, without scrolling the page.
  container.scrollTop = container.scrollHeight;
}

// The sentence is said once, in the live region under the list.
function chooseJudgement(index) {
  chosenMove = index;
  byId('judgement').textContent = board.gameReview.moves[index].words;
  for (const [at, entry] of [...byId('moves').children].entries()) entry.classList.toggle('chosen', at === index);
}

// The bar shows crosses' advantage, from -100 (noughts are sure to win) to
// 100; the summary is spoken when its words change, not with every report.
function showAnalysis() {
  const report = board.analysing && !board.gameOver ? board.analysis : null;
  const bar = byId('evaluation');
  const said = byId('analysis-words');
  if (!board.analysing || board.gameOver) {
    bar.hidden = true;
    said.textContent = byId('best-line').textContent = '';
  }
  if (!report) return;
  const best = report.lines[0];
  const advantage = best ? (report.turn === 'cross' ? best.advantage : -best.advantage) : 0;
  bar.hidden = false;
  bar.setAttribute('aria-valuenow', String(advantage));
  // Read as the words that go with it rather than as a bare number.
  bar.setAttribute('aria-valuetext', report.words);
  bar.style.setProperty('--crosses-share', `${(advantage + 100) / 2}%`);
  bar.style.setProperty('--cross-colour', board.crossColor);
  bar.style.setProperty('--nought-colour', board.noughtColor);
  if (said.textContent !== report.words) said.textContent = report.words;
  byId('best-line').textContent = report.candidates[0] ?? '';
}

function showState() {
  byId('status').textContent = board.status;
  byId('said').textContent = board.announcement;
  byId('players').textContent = board.players;
  enable(byId('undo'), board.canUndo);
  enable(byId('redo'), board.canRedo);
  enable(byId('review'), !reviewing);
  showMoves();
  showAnalysis();
  saveState();
}

// A button that goes out of use while it has the keyboard's focus hands it
// to the board, rather than to the top of the page.
function enable(button, enabled) {
  if (!enabled && document.activeElement === button) board.focus();
  button.disabled = !enabled;
}

for (const type of [...BOARD_EVENTS, 'announcement']) board.addEventListener(type, showState);
board.addEventListener('analysis', showAnalysis);
// Analysis that cannot be had turns itself off, and the switch with it.
board.addEventListener('analysisend', () => {
  byId('analyse').checked = false;
  showState();
});

function act(action) {
  return () => {
    action();
    showState();
  };
}

// Whether the game in progress may go: there is none worth keeping, or the
// player agrees.
const mayDiscardGame = () => !board.wouldDiscardGame || window.confirm(board.discardQuestion);

byId('new-game').addEventListener('click', act(() => {
  if (mayDiscardGame()) board.newGame();
}));
byId('undo').addEventListener('click', act(() => board.undo()));
byId('redo').addEventListener('click', act(() => board.redo()));
byId('computer-move').addEventListener('click', act(() => board.computerMove()));
// The hint is on the board, and so is the key that plays it: the board takes
// the focus, whose greeting gives way to the hint said with it.
byId('hint').addEventListener('click', () => {
  board.focus();
  board.hint();
});
byId('analyse').addEventListener('change', act(() => {
  if (byId('analyse').checked) board.analyse();
  else board.stopAnalysis();
}));

byId('review').addEventListener('click', async () => {
  reviewing = true;
  showState();
  try {
    await board.review();
  } catch (failure) {
    // No move to judge, which the board has said, or no worker to review in
    // (a page's policy may forbid them): the game plays on unreviewed.
    console.warn(failure.message);
  } finally {
    reviewing = false;
    showState();
  }
});

// The arrow keys walk the players' choices, choosing each on the way: the
// one walked to is taken once the keys rest or the focus leaves the
// choices, so that a walk past "You play noughts" does not hand the computer
// crosses, and a move.
const KEYS_REST_MS = 600;
const playerChoices = playerInputs[0].closest('fieldset');
let walkingByKeys = false;
let walkedTo = null;
let walkEnd;

function takePlayersWalkedTo() {
  clearTimeout(walkEnd);
  if (walkedTo === null) return;
  const value = walkedTo;
  walkedTo = null;
  act(() => setPlayers(value))();
}

for (const input of playerInputs) {
  input.addEventListener('keydown', (event) => { walkingByKeys = event.key.startsWith('Arrow'); });
  input.addEventListener('pointerdown', () => { walkingByKeys = false; });
  input.addEventListener('change', () => {
    walkedTo = input.value;
    clearTimeout(walkEnd);
    if (walkingByKeys) walkEnd = setTimeout(takePlayersWalkedTo, KEYS_REST_MS);
    else takePlayersWalkedTo();
  });
}
playerChoices.addEventListener('focusout', (event) => {
  if (!playerChoices.contains(event.relatedTarget)) takePlayersWalkedTo();
});

// A field cleared, or holding the size the board has ("015" for 15, or 60
// on a board of 50, which is as far as a board goes), changes nothing and
// asks nothing.
for (const id of ['col-count', 'row-count']) {
  const field = byId(id);
  field.addEventListener('change', act(() => {
    const wanted = Math.min(Math.max(field.valueAsNumber, Number(field.min)), Number(field.max));
    const changes = Number.isFinite(wanted) && wanted !== board[propertyOf(id)];
    if (changes && mayDiscardGame()) board[propertyOf(id)] = wanted;
    field.value = board[propertyOf(id)];
  }));
}
byId('playing-strength').addEventListener('change', act(() => {
  board.playingStrength = byId('playing-strength').value;
}));
for (const id of ['show-highlight', 'show-quintar', 'lock']) {
  byId(id).addEventListener('change', act(() => board.setAttribute(id, String(byId(id).checked))));
}
for (const input of colourInputs) {
  input.addEventListener('input', () => {
    board[propertyOf(input.id)] = input.value;
    saveState();
  });
}

restoreGame(kept);
takenUpRecord = board.gameToKeep;
showSettings();
showState();
