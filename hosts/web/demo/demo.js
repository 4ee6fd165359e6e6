// The demo page: the board with controls for its players, size, strength
// and colours, and a log of the events it raises. The sentences shown are
// the board's own.
await customElements.whenDefined('quintar-board');

const board = document.getElementById('board');
const status = document.getElementById('status');
const log = document.getElementById('log');
const byId = (id) => document.getElementById(id);

const EVENTS = ['legalmove', 'illegalmove', 'draw', 'crosswon', 'noughtwon', 'computerwon', 'userwon'];
const LOG_LENGTH = 200;

function logEvent(event) {
  const entry = document.createElement('li');
  const name = document.createElement('code');
  name.textContent = event.type;
  entry.append(name, ` ${event.detail.words}`);
  log.prepend(entry);
  while (log.children.length > LOG_LENGTH) log.lastElementChild.remove();
}

function showState() {
  status.textContent = board.status;
  byId('undo').disabled = !board.canUndo;
  byId('redo').disabled = !board.canRedo;
}

for (const type of EVENTS) {
  board.addEventListener(type, (event) => {
    logEvent(event);
    showState();
  });
}

function act(action) {
  return () => {
    action();
    showState();
  };
}

byId('new-game').addEventListener('click', act(() => board.newGame()));
byId('undo').addEventListener('click', act(() => board.undo()));
byId('redo').addEventListener('click', act(() => board.redo()));
byId('computer-move').addEventListener('click', act(() => board.computerMove()));
byId('hint').addEventListener('click', async () => {
  await board.hint();
  status.textContent = board.announcement;
});

for (const input of document.querySelectorAll('input[name=players]')) {
  input.addEventListener('change', act(() => {
    board.autoResponse = input.value !== 'none';
    if (input.value !== 'none') board.computerSide = input.value;
  }));
}

for (const id of ['col-count', 'row-count']) {
  byId(id).addEventListener('change', act(() => {
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
