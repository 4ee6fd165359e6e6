// The demo page: the board with controls for its players, size, strength
// and colours, and a log of the events it raises.
await customElements.whenDefined('quintar-board');

const board = document.getElementById('board');
const status = document.getElementById('status');
const log = document.getElementById('log');
const byId = (id) => document.getElementById(id);

const EVENTS = ['legalmove', 'illegalmove', 'draw', 'crosswon', 'noughtwon', 'computerwon', 'userwon'];
const RESULTS = { crosswon: 'Crosses won.', noughtwon: 'Noughts won.', draw: 'The game is drawn.' };
const LOG_LENGTH = 200;

let result = '';

function describe(event) {
  const { detail } = event;
  if (event.type === 'legalmove') return `${detail.mark} on ${detail.col},${detail.row}${detail.computer ? ' (computer)' : ''}`;
  if (detail?.cells?.length) return detail.cells.map(({ col, row }) => `${col},${row}`).join(' ');
  return '';
}

function logEvent(event) {
  const entry = document.createElement('li');
  const name = document.createElement('code');
  name.textContent = event.type;
  entry.append(name, ` ${describe(event)}`);
  log.prepend(entry);
  while (log.children.length > LOG_LENGTH) log.lastElementChild.remove();
}

function showState() {
  if (board.gameOver) status.textContent = result || 'The game is over.';
  else if (board.thinking) status.textContent = 'The computer is thinking…';
  else status.textContent = `${board.turn === 'cross' ? 'Crosses' : 'Noughts'} to move.`;
  byId('undo').disabled = !board.canUndo;
  byId('redo').disabled = !board.canRedo;
}

for (const type of EVENTS) {
  board.addEventListener(type, (event) => {
    logEvent(event);
    if (RESULTS[type]) result = RESULTS[type];
    showState();
  });
}

function act(action) {
  return () => {
    action();
    showState();
  };
}

byId('new-game').addEventListener('click', act(() => {
  result = '';
  board.newGame();
}));
byId('undo').addEventListener('click', act(() => board.undo()));
byId('redo').addEventListener('click', act(() => board.redo()));
byId('computer-move').addEventListener('click', act(() => board.computerMove()));
byId('hint').addEventListener('click', async () => {
  const cell = await board.hint();
  status.textContent = cell ? `Hint: column ${cell.col}, row ${cell.row}.` : 'No hint for this position.';
});

for (const input of document.querySelectorAll('input[name=players]')) {
  input.addEventListener('change', act(() => {
    board.autoResponse = input.value !== 'none';
    if (input.value !== 'none') board.computerSide = input.value;
  }));
}
// The computer takes the side it is asked to move for.
board.addEventListener('legalmove', () => {
  if (!board.autoResponse) return;
  document.querySelector(`input[name=players][value=${board.computerSide}]`).checked = true;
});

for (const id of ['col-count', 'row-count']) {
  byId(id).addEventListener('change', act(() => {
    result = '';
    board.setAttribute(id, byId(id).value);
    byId(id).value = board[id === 'col-count' ? 'colCount' : 'rowCount'];
  }));
}
byId('playing-strength').addEventListener('change', act(() => {
  board.playingStrength = byId('playing-strength').value;
}));
for (const id of ['show-highlight', 'show-quintar', 'lock']) {
  byId(id).addEventListener('change', act(() => board.setAttribute(id, String(byId(id).checked))));
}
for (const input of document.querySelectorAll('.colours input')) {
  const property = input.id.replace(/-(\w)/g, (_, letter) => letter.toUpperCase());
  input.value = board[property];
  input.addEventListener('input', () => { board[property] = input.value; });
}

showState();
