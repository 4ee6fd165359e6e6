// The demo page: the board with controls for its players, size, strength
// and colours, and the moves of the game in progress. The sentences shown
// are the board's own: whose turn it is, and what happened last. The
// settings and the game are kept in the browser's storage, so that a reload
// carries on where the player was; a game in progress is thrown away only
// when the player agrees.
import { BOARD_EVENTS } from './quintar-board/events.js';

await customElements.whenDefined('quintar-board');

const board = document.getElementById('board');
const byId = (id) => document.getElementById(id);
const playerInputs = [...document.querySelectorAll('input[name=players]')];
const colourInputs = [...document.querySelectorAll('.colours input')];

const STORAGE_KEY = 'quintar-demo';

// A colour input's id names the board's property: "grid-line-color" is gridLineColor.
const propertyOf = (id) => id.replace(/-(\w)/g, (_, letter) => letter.toUpperCase());

// ---- Players: the radio's value is the computer's side, or "none" ----------

function players() {
  return board.autoResponse ? board.computerSide : 'none';
}

function setPlayers(value) {
  board.autoResponse = value !== 'none';
  if (value !== 'none') board.computerSide = value;
}

// ---- Keeping the page across a reload ------------------------------------

function saveState() {
  const state = {
    players: players(),
    strength: board.playingStrength,
    colCount: board.colCount,
    rowCount: board.rowCount,
    colours: Object.fromEntries(colourInputs.map((input) => [input.id, board[propertyOf(input.id)]])),
    record: board.gameToKeep,
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
// out, and the board keeps what it has. The record comes last: it brings its
// own board size and players.
function restoreState() {
  const state = storedState();
  if (['none', 'crosses', 'noughts'].includes(state.players)) setPlayers(state.players);
  const strengths = [...byId('playing-strength').options].map((option) => option.value);
  if (strengths.includes(state.strength)) board.playingStrength = state.strength;
  for (const [id, property] of [['col-count', 'colCount'], ['row-count', 'rowCount']])
    if (isCount(state[property], byId(id))) board[property] = state[property];
  const colours = state.colours !== null && typeof state.colours === 'object' ? state.colours : {};
  for (const input of colourInputs)
    if (isColour(colours[input.id])) board[propertyOf(input.id)] = colours[input.id];
  if (typeof state.record === 'string' && state.record) board.restoreKeptGame(state.record);
}

// ---- Showing the game ----------------------------------------------------

// The page's controls as the board has them.
function showSettings() {
  const value = players();
  for (const input of playerInputs) input.checked = input.value === value;
  byId('playing-strength').value = board.playingStrength;
  byId('col-count').value = board.colCount;
  byId('row-count').value = board.rowCount;
  for (const input of colourInputs) input.value = board[propertyOf(input.id)];
}

function showMoves() {
  const list = byId('moves');
  list.replaceChildren(...board.moves.map((words) => {
    const entry = document.createElement('li');
    entry.textContent = words;
    return entry;
  }));
  // The latest move in sight, without scrolling the page.
  list.scrollTop = list.scrollHeight;
}

function showState() {
  byId('status').textContent = board.status;
  byId('said').textContent = board.announcement;
  byId('players').textContent = board.players;
  byId('undo').disabled = !board.canUndo;
  byId('redo').disabled = !board.canRedo;
  showMoves();
  saveState();
}

for (const type of [...BOARD_EVENTS, 'announcement']) board.addEventListener(type, showState);

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
byId('hint').addEventListener('click', () => board.hint());

for (const input of playerInputs) input.addEventListener('change', act(() => setPlayers(input.value)));

for (const id of ['col-count', 'row-count']) {
  byId(id).addEventListener('change', act(() => {
    if (mayDiscardGame()) board.setAttribute(id, byId(id).value);
    byId(id).value = board[propertyOf(id)];
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

restoreState();
showSettings();
showState();
