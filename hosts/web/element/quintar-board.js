// <quintar-board>: the Quintar five-in-a-row board, the same C++ control as
// everywhere, compiled to WebAssembly, as a custom element. One tag plays:
//
//   <script type="module" src="quintar-board/quintar-board.js"></script>
//   <quintar-board col-count="15" row-count="15"></quintar-board>
//
// The control draws its own pixels; the element copies the parts it redrew
// onto a canvas, pixel for pixel with the screen's device pixels, hands it
// pointer presses, and adds keyboard play. Every sentence about the game, for the
// page and for screen readers, comes from the module's phrasebook.
import ATTRIBUTE_LIST, { BOARD_SIDES, STRENGTHS } from './attributes.js';
import { cssColorOf, parseCssColor } from './colors.js';
import { BOARD_EVENTS } from './events.js';
import { compileModule, load } from './loader.js';
import { Errand, Thinker } from './thinker.js';

export { BOARD_EVENTS };

// Where there is no DOM to lay out (a server rendering the page, or a test's
// stand-in DOM), importing the element loads nothing and defines nothing.
const browser = ['customElements', 'matchMedia', 'ResizeObserver'].every((name) => name in globalThis);
// The board's module, once it is in: the element is defined then (at the end
// of this file).
let quintar = null;

// The expert's module, compiled once for every board on the page when the
// first of them plays the expert, analyses or reviews; tried again after a
// failure.
let expertCompiled = null;
function expertModule() {
  expertCompiled ??= compileModule('analysis').catch((error) => {
    expertCompiled = null;
    throw error;
  });
  return expertCompiled;
}

const CROSSES = 1;
const SIDES = { crosses: CROSSES, noughts: -1 };

// Numbers as the module takes them: whole, within 32 bits, NaN as 0.
function toInt(value) {
  const number = Math.trunc(Number(value));
  if (Number.isNaN(number)) return 0;
  return Math.min(Math.max(number, -0x80000000), 0x7fffffff);
}

// A count as JavaScript reads a number ("1e1" is 10, "12px" none), whole and
// within int; null for a value that is no number, which then changes
// nothing. An empty text is no number, though Number() reads it as 0.
function countFrom(value) {
  const number = typeof value === 'number' ? value : typeof value === 'string' && value.trim() !== '' ? Number(value) : NaN;
  return Number.isNaN(number) ? null : toInt(number);
}

// A switch's text: anything but "false" is on, as a bare attribute is.
function switchFrom(text) {
  return text.trim().toLowerCase() !== 'false';
}

// How each kind of attribute is read, applied to the board and read back.
// read() answers undefined for a text it cannot take; the board then keeps
// what it has. An absent attribute (text null) gives the fallback, which is
// already a value the board takes.
const KINDS = {
  count: {
    read: (text, fallback) => (text === null ? fallback : countFrom(text) ?? undefined),
    apply: (board, property, value) => { board[property] = value; },
    get: (board, property) => board[property],
    text: (value) => { const count = countFrom(value); return count === null ? null : String(count); },
  },
  switch: {
    read: (text, fallback) => (text === null ? fallback : switchFrom(text)),
    apply: (board, property, value) => { board[property] = value; },
    get: (board, property) => board[property],
    // A text is read as the attribute reads it, so that a framework that
    // sets the property to the attribute's text ('false') means the same.
    text: (value) => ((typeof value === 'string' ? switchFrom(value) : value) ? 'true' : 'false'),
  },
  color: {
    read: (text, fallback) => (text === null ? fallback : parseCssColor(text) ?? undefined),
    apply: (board, property, value) => { board[property] = value; },
    get: (board, property) => cssColorOf(board[property]),
    text: String,
  },
  strength: {
    read: (text, fallback) => (text === null ? fallback : STRENGTHS.find((name) => name === text.trim().toLowerCase())),
    apply: (board, property, value) => { board.setPlayingStrength(value); },
    get: (board) => board.playingStrength,
    text: String,
  },
  side: {
    read: (text, fallback) => (text === null ? fallback : SIDES[text.trim().toLowerCase()]),
    apply: (board, property, value) => { board.computerSide = value; },
    get: (board) => (board.computerSide === CROSSES ? 'crosses' : 'noughts'),
    text: String,
  },
};

// Attribute: { property, kind, fallback }, as the control publishes its
// settings: names and defaults are the control's own, which the build writes
// into attributes.js.
const ATTRIBUTES = Object.fromEntries(ATTRIBUTE_LIST.map(({ attribute, ...rest }) => [attribute, rest]));

// Mouse buttons as the control numbers them (left, right, middle), and the
// modifier keys and held buttons as its shift state's bits.
const BUTTONS = { 0: 0, 2: 1, 1: 2 };
function shiftStateOf(event) {
  return (event.shiftKey ? 1 : 0) | (event.altKey ? 2 : 0) | (event.ctrlKey ? 4 : 0) |
    (event.buttons & 1 ? 8 : 0) | (event.buttons & 2 ? 16 : 0) | (event.buttons & 4 ? 32 : 0);
}

// A finger covers about this many CSS pixels: on smaller cells a touch only
// marks the cell, and a second touch on it plays there.
const FINGER_PIXELS = 24;

const ARROWS = { ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1] };

// The numbers along the top and left edges, in CSS pixels: their font size,
// and the gap between them and the board and around the whole.
const EDGE_FONT_PIXELS = 11;
const EDGE_GAP_PIXELS = 3;

// The shadow root's styles, as a constructed style sheet: a strict Content
// Security Policy (style-src 'self') refuses <style> elements, not these.
const STYLES = `
  :host { display: inline-block; width: 300px; height: 300px; outline: none;
          touch-action: manipulation; user-select: none; -webkit-user-select: none; }
  :host([hidden]) { display: none; }
  .thinking canvas { cursor: progress; }
  .board { position: relative; width: 100%; height: 100%; overflow: hidden; }
  canvas { display: block; position: absolute; left: 0; top: 0; }
  .surface { position: absolute; overflow: hidden; }
  /* The frames lie over the canvas, which forced colours leave as it is, so
     they keep their own colours too: a system colour may match the board. */
  .cell { position: absolute; box-sizing: border-box; pointer-events: none; display: none;
          forced-color-adjust: none; }
  .focus { border: 3px solid var(--quintar-focus-color, #1a73e8); box-shadow: 0 0 0 1px #fff, inset 0 0 0 1px #fff; }
  :host(:focus) .focus.shown, :host(:focus-visible) .focus, .focus.armed { display: block; }
  .hint { border: 3px dashed var(--quintar-hint-color, #0b8043); }
  .hint.shown { display: block; }
  .status { position: absolute; width: 1px; height: 1px; overflow: hidden; clip-path: inset(50%); white-space: nowrap; }
`;

const TEMPLATE = `
<div class="board">
  <div part="edges" aria-hidden="true"><canvas class="columns"></canvas><canvas class="rows"></canvas></div>
  <div class="surface">
    <canvas part="canvas"></canvas>
    <div class="cell hint" part="hint"></div>
    <div class="cell focus" part="focus-cell"></div>
  </div>
</div>
<div class="status" role="status" aria-live="polite"></div>`;

// The 2D context of an edge's canvas, cleared to width x height device
// pixels and shown at that size, ready for its numbers.
function edgeContext(canvas, width, height, font, color) {
  canvas.width = width;
  canvas.height = height;
  canvas.style.width = `${width / devicePixelRatio}px`;
  canvas.style.height = `${height / devicePixelRatio}px`;
  const context = canvas.getContext('2d');
  context.font = font;
  context.fillStyle = color;
  context.textBaseline = 'middle';
  return context;
}

// One sheet for every board, made with the first.
let sheet = null;
function styleSheet() {
  if (!sheet) {
    sheet = new CSSStyleSheet();
    sheet.replaceSync(STYLES);
  }
  return sheet;
}

// The largest whole cell side that fits colCount x rowCount cells into
// width x height pixels; at least 1.
function squareCellSide(width, height, colCount, rowCount) {
  return Math.max(1, Math.min(Math.trunc(width / colCount), Math.trunc(height / rowCount)));
}

// Every how many cells an edge shows its number (1, 2, 5 or 10, or only at
// the largest board side), so that numbers room pixels long, with their gap,
// never touch on cells of cellSide pixels.
function edgeNumberStep(cellSide, room) {
  return [1, 2, 5, 10].find((step) => step * cellSide >= room) ?? BOARD_SIDES.max;
}

// What the element shows, in its shadow tree: the numbers along the edges,
// the board's canvas, the keyboard's and the hint's cells, and the status
// read to screen readers. It lays the board out without the board's module,
// so that it can show a board on the page while the module is still coming.
class BoardView {
  // The element's room and the board's size, in device pixels (the room
  // with the device pixel ratio it was measured at); the canvas may be
  // larger than the board.
  room = { width: 0, height: 0, ratio: 0 };
  size = { width: 0, height: 0 };
  // What the view was last laid out for: the same again changes nothing.
  #laidOutFor = '';

  constructor(host) {
    this.host = host;
    // Another copy of the element's script on the page may have shown the
    // board ahead; this copy's view takes its place.
    const root = host.shadowRoot ?? host.attachShadow({ mode: 'open' });
    root.adoptedStyleSheets = [styleSheet()];
    root.innerHTML = TEMPLATE;
    this.frame = root.querySelector('.board');
    this.surface = root.querySelector('.surface');
    this.columnNumbers = root.querySelector('.columns');
    this.rowNumbers = root.querySelector('.rows');
    this.canvas = root.querySelector('canvas[part=canvas]');
    this.context = this.canvas.getContext('2d', { alpha: false });
    this.focusCell = root.querySelector('.focus');
    this.hintCell = root.querySelector('.hint');
    this.status = root.querySelector('.status');
    // Nothing to show until the element has a size on the page.
    this.canvas.width = this.canvas.height = 0;
  }

  // No board will come to take the view: the element shows its own content,
  // as an element never defined does, in the page's styles.
  withdraw() {
    this.host.shadowRoot.adoptedStyleSheets = [];
    this.host.shadowRoot.replaceChildren(document.createElement('slot'));
  }

  // The room of a frame of width x height CSS pixels.
  measure({ width, height }) {
    this.room = { width: Math.round(width * devicePixelRatio), height: Math.round(height * devicePixelRatio), ratio: devicePixelRatio };
  }

  // Follows the element's size on the page, and a new device pixel ratio
  // (zoom, another screen): resized() is called with each.
  observe(resized) {
    const observer = new ResizeObserver(([entry]) => {
      this.measure(entry.contentRect);
      resized();
    });
    observer.observe(this.frame, { box: 'device-pixel-content-box' });
    return observer;
  }

  // Square cells of whole device pixels, as large as fit beside the numbers
  // along the top and left edges, the whole centred in the element. True
  // when it was laid out anew; an element without room (not yet laid out by
  // the page, or hidden) keeps what it has: laying it out would cost a
  // page's first paint time for nothing.
  layOut(colCount, rowCount) {
    if (!this.room.width || !this.room.height) return false;
    // The edge numbers are painted in the text colour of the moment.
    const color = getComputedStyle(this.host).color;
    const laidOutFor = `${this.room.width}x${this.room.height}@${this.room.ratio}:${colCount}x${rowCount}:${color}`;
    if (laidOutFor === this.#laidOutFor) return false;
    this.#laidOutFor = laidOutFor;
    const ratio = devicePixelRatio;
    const gap = Math.round(EDGE_GAP_PIXELS * ratio);
    const font = `${Math.round(EDGE_FONT_PIXELS * ratio)}px system-ui, sans-serif`;
    const measure = this.columnNumbers.getContext('2d');
    measure.font = font;
    const numberWidth = Math.ceil(measure.measureText(String(rowCount)).width);
    const numberHeight = Math.round(EDGE_FONT_PIXELS * ratio);
    const left = numberWidth + gap;
    const top = numberHeight + gap;
    const cell = squareCellSide(this.room.width - left - 2 * gap, this.room.height - top - 2 * gap, colCount, rowCount);
    this.size = { width: cell * colCount, height: cell * rowCount };
    const origin = {
      x: Math.floor((this.room.width - left - this.size.width) / 2) + left,
      y: Math.floor((this.room.height - top - this.size.height) / 2) + top,
    };
    Object.assign(this.surface.style, {
      left: `${origin.x / ratio}px`,
      top: `${origin.y / ratio}px`,
      width: `${this.size.width / ratio}px`,
      height: `${this.size.height / ratio}px`,
    });
    // A new device pixel ratio alone changes the canvas's size on the page.
    this.#fitCanvas();
    this.#drawEdges({ colCount, rowCount, cell, origin, font, gap, numberHeight, color });
    return true;
  }

  // The numbers counted from 1, as the sentences name cells; on crowded
  // boards only every few, never touching. Each edge has a canvas only as
  // large as its band: a canvas as large as the element, mostly empty, cost
  // the first frame's paint a third more on a phone.
  #drawEdges({ colCount, rowCount, cell, origin, font, gap, numberHeight, color }) {
    const columns = edgeContext(this.columnNumbers, this.room.width, origin.y, font, color);
    columns.textAlign = 'center';
    const columnStep = edgeNumberStep(cell, Math.ceil(columns.measureText(String(colCount)).width) + gap);
    for (let col = 1; col <= colCount; ++col) {
      if (columnStep > 1 && col % columnStep !== 0) continue;
      columns.fillText(String(col), origin.x + (col - 0.5) * cell, origin.y - gap - numberHeight / 2);
    }
    const rows = edgeContext(this.rowNumbers, origin.x, this.room.height, font, color);
    rows.textAlign = 'right';
    const rowStep = edgeNumberStep(cell, numberHeight);
    for (let row = 1; row <= rowCount; ++row) {
      if (rowStep > 1 && row % rowStep !== 0) continue;
      rows.fillText(String(row), origin.x - gap, origin.y + (row - 0.5) * cell);
    }
  }

  // A new canvas is a new bitmap for the browser to set up, which on a phone
  // costs more than the board's whole drawing: the canvas only grows, or
  // shrinks when the board has become much smaller, and the element shows
  // its top left part, one canvas pixel to a device pixel.
  #fitCanvas() {
    const { width, height } = this.size;
    const canvas = this.canvas;
    const fits = width <= canvas.width && height <= canvas.height;
    if (!fits || 4 * width * height < canvas.width * canvas.height) {
      canvas.width = width;
      canvas.height = height;
    }
    canvas.style.width = `${canvas.width / devicePixelRatio}px`;
    canvas.style.height = `${canvas.height / devicePixelRatio}px`;
  }

  // The board before its first move, as the control draws it at the size
  // laid out: its colour, and a border and the grid lines in the grid's
  // colour (CSS colours).
  paintEmpty(colCount, rowCount, color, gridLineColor) {
    const { width, height } = this.size;
    const cell = width / colCount;
    const context = this.context;
    context.fillStyle = color;
    context.fillRect(0, 0, width, height);
    context.fillStyle = gridLineColor;
    for (let col = 0; col < colCount; ++col) context.fillRect(col * cell, 0, 1, height);
    for (let row = 0; row < rowCount; ++row) context.fillRect(0, row * cell, width, 1);
    context.fillRect(width - 1, 0, 1, height);
    context.fillRect(0, height - 1, width, 1);
  }
}

// Boards on the page before the module is in are shown at once, empty, as
// their elements' own views, which the elements take over when they are
// defined: a board is seen while the WebAssembly still compiles, and the
// board that then draws draws the same pixels.
const viewsAhead = new WeakMap();

// What an attribute of an element not yet defined says, as its board would
// take it.
function attributeAhead(host, name) {
  const { kind, fallback } = ATTRIBUTES[name];
  const value = KINDS[kind].read(host.getAttribute(name), fallback) ?? fallback;
  return kind === 'count' ? Math.min(Math.max(value, BOARD_SIDES.min), BOARD_SIDES.max) : value;
}

function showBoardsAhead() {
  const views = [...document.querySelectorAll('quintar-board')].filter((host) => !host.shadowRoot).map((host) => new BoardView(host));
  // Measured now, all in one layout, rather than when the next frame's
  // observations come: the boards are then in the frame the page is next
  // painted in.
  const frames = views.map((view) => view.frame.getBoundingClientRect());
  return views.map((view, index) => {
    const { host } = view;
    const paint = () => {
      const [colCount, rowCount] = [attributeAhead(host, 'col-count'), attributeAhead(host, 'row-count')];
      if (!view.layOut(colCount, rowCount)) return;
      view.paintEmpty(colCount, rowCount, cssColorOf(attributeAhead(host, 'color')), cssColorOf(attributeAhead(host, 'grid-line-color')));
    };
    view.measure(frames[index]);
    paint();
    const ahead = { view, observer: view.observe(paint) };
    viewsAhead.set(host, ahead);
    return ahead;
  });
}

// A board is freed with its element.
const boards = new FinalizationRegistry(({ board, workers }) => {
  for (const worker of workers) worker.close();
  board.delete();
});

// The boards on the page, held weakly, to lay out again when the colour
// scheme turns: the text colour their edge numbers were painted in may have
// turned with it.
const boardsShown = new Set();

export class QuintarBoardElement extends (browser ? HTMLElement : Object) {
  static observedAttributes = Object.keys(ATTRIBUTES);

  // A property for each attribute: reading asks the board, writing sets the
  // attribute, which the board then follows. A value the attribute would
  // ignore is not written, so that attribute and property never disagree.
  static {
    if (browser) {
      matchMedia('(prefers-color-scheme: dark)').addEventListener('change', () => {
        for (const shown of boardsShown) shown.deref()?.#layOut();
      });
    }
    for (const [name, { property, kind, fallback }] of Object.entries(ATTRIBUTES)) {
      Object.defineProperty(this.prototype, property, {
        get() { return KINDS[kind].get(this.#board, property); },
        set(value) {
          const text = KINDS[kind].text(value);
          if (text !== null && KINDS[kind].read(text, fallback) !== undefined) this.setAttribute(name, text);
        },
        configurable: true,
        enumerable: true,
      });
    }
  }

  #board;
  #thinker;
  // Analysis and review each run in a worker of their own, which a position
  // gone or a new game to review ends, so that neither waits for the other
  // nor holds up the computer's moves.
  #analyst;
  #reviewer;
  // The review under way: the game's numbers, and the promises waiting.
  #review = null;
  // The report last raised as an analysis event, as JSON.
  #reported = null;
  #analysisChanged = false;
  #view;
  // The control's size, in device pixels.
  #size = { width: 0, height: 0 };
  // The cell a touch marked on cells too small for a finger.
  #armed = null;
  #hintWaiters = [];
  #events = [];
  #words = [];
  // What the board says on being come to by the keyboard, unless something
  // else is said with it.
  #greeting = null;
  #announcement = '';
  #flushing = false;
  #flushScheduled = false;
  // The element as boardsShown holds it.
  #shown = new WeakRef(this);

  constructor() {
    super();
    // A board shown ahead keeps its view, and its pixels until the control
    // draws.
    const ahead = viewsAhead.get(this);
    ahead?.observer.disconnect();
    this.#view = ahead?.view ?? new BoardView(this);

    ({ thinker: this.#thinker, analyst: this.#analyst, reviewer: this.#reviewer, board: this.#board } =
      QuintarBoardElement.#partsFor(new WeakRef(this)));
    boards.register(this, { board: this.#board, workers: [this.#thinker, this.#analyst, this.#reviewer] });
    // The computer waits until the element is on a page, with all its
    // attributes in, whatever their order.
    this.#board.held = true;
    // Advice about keys is for a person with a keyboard: one whose screen is
    // touched gets none until a key is pressed.
    this.#board.playsByKeys = !matchMedia('(pointer: coarse)').matches;

    this.#board.setSize(0, 0);
    this.#flush();
    this.#view.observe(() => this.#layOut());
    this.#view.surface.addEventListener('pointerdown', (event) => this.#pressed(event));
    this.#view.surface.addEventListener('contextmenu', (event) => event.preventDefault());
    // A browser short of graphics memory may drop the canvas's pixels, and
    // gives back an empty canvas: the board is drawn on it whole.
    this.#view.canvas.addEventListener('contextrestored', () => this.#board.invalidate());
    this.addEventListener('keydown', (event) => this.#keyPressed(event));
    this.addEventListener('focus', () => this.#greetKeyboard());
    this.addEventListener('blur', () => this.#view.focusCell.classList.remove('shown'));
  }

  // The board and the workers that think, analyse and review for it. They
  // hold on to the element only weakly, so that it and its board can go once
  // the page lets go of it: their callbacks are made here, as closures made
  // in the constructor would share its scope, and with it the element.
  static #partsFor(self) {
    return {
      thinker: new Thinker(expertModule, (serial, cell) => self.deref()?.#operate(() => self.deref().#board.answer(serial, cell))),
      analyst: new Errand(expertModule, (data) => self.deref()?.#heardAnalysis(data), { keepSpare: true }),
      reviewer: new Errand(expertModule, (data) => self.deref()?.#heardReview(data)),
      board: new quintar.Board({
        event: (index, words) => self.deref()?.#raised(BOARD_EVENTS[index], words),
        announce: (words) => self.deref()?.#say(words),
        changed: () => self.deref()?.#scheduleFlush(),
        repaint: () => self.deref()?.#scheduleFlush(),
        think: (serial, bytes) => self.deref()?.#thinker.think(serial, bytes.slice()),
        pace: (milliseconds) => setTimeout(() => self.deref()?.#operate(() => self.deref().#board.keepPace()), milliseconds),
        analyse: (serial, bytes) => self.deref()?.#analyse(serial, bytes?.slice()),
        analysisChanged: () => self.deref()?.#heardAnalysisChange(),
      }),
    };
  }

  connectedCallback() {
    if (!this.hasAttribute('tabindex')) this.tabIndex = 0;
    if (!this.hasAttribute('role')) this.setAttribute('role', 'application');
    // An application role hands every key to the board: the keys it plays
    // by are named for screen readers to tell.
    if (!this.hasAttribute('aria-keyshortcuts'))
      this.setAttribute('aria-keyshortcuts', 'ArrowUp ArrowDown ArrowLeft ArrowRight Enter Space');
    if (!this.hasAttribute('aria-label') && !this.hasAttribute('aria-labelledby'))
      this.setAttribute('aria-label', quintar.boardName());
    // Values set on the element before it was defined belong to the board.
    for (const { property } of Object.values(ATTRIBUTES)) {
      if (!Object.hasOwn(this, property)) continue;
      const value = this[property];
      delete this[property];
      this[property] = value;
    }
    boardsShown.add(this.#shown);
    if (!this.#board.held) return;
    this.#operate(() => { this.#board.held = false; });
    this.#layOut();
  }

  // A board taken off the page stops analysing, as stopAnalysis() does, and
  // lets go of its idle workers, so that none is left busy or held for it
  // until the page lets go of the element; one only moved elsewhere, and so
  // back on the page before this runs, goes on.
  disconnectedCallback() {
    boardsShown.delete(this.#shown);
    queueMicrotask(() => {
      if (this.isConnected) return;
      if (this.analysing) this.stopAnalysis();
      for (const part of [this.#thinker, this.#analyst, this.#reviewer]) part.release();
    });
  }

  attributeChangedCallback(name, previous, text) {
    const { property, kind, fallback } = ATTRIBUTES[name];
    const value = KINDS[kind].read(text, fallback);
    if (value === undefined) return;
    this.#operate(() => KINDS[kind].apply(this.#board, property, value));
    // Laid out once the element is on the page with all its attributes in.
    if ((name === 'col-count' || name === 'row-count') && !this.#board.held) this.#layOut();
    // The expert's module is fetched, and its worker started, once the expert
    // is chosen, so that its first move does not wait for them.
    if (kind === 'strength' && this.#board.playingStrength === 'expert') this.#thinker.prepare();
  }

  // ---- Game state -----------------------------------------------------------

  get gameOver() { return this.#board.gameOver; }
  // The side to move: "cross" or "nought".
  get turn() { return this.#board.turn === CROSSES ? 'cross' : 'nought'; }
  // The computer is to move and is thinking it over.
  get thinking() { return this.#board.thinking(); }
  // Whose move it is, how the game ended, or who is thinking, in words.
  get status() { return this.#board.status(); }
  // The sentences last spoken to screen readers about what just happened.
  get announcement() { return this.#announcement; }
  // A game in progress that changed since it was last saved or opened: a
  // new game, another board size or a record would throw it away, so a page
  // asks before any of those.
  get wouldDiscardGame() { return this.#board.wouldDiscardGame(); }
  // The question to ask before that, in the board's words.
  get discardQuestion() { return quintar.discardQuestion(); }
  // "cross", "nought", or null for an empty cell or one off the board.
  cell(col, row) { return this.#board.cell(toInt(col), toInt(row)) || null; }
  get lastMove() { return this.#board.lastMove(); }
  get canUndo() { return this.#board.canUndo(); }
  get canRedo() { return this.#board.canRedo(); }
  // Who holds each side, in a sentence.
  get players() { return this.#board.players(); }
  // The sentence of each move on the board, in the order made.
  get moves() { return this.#board.moveWords(); }

  // ---- Operations -----------------------------------------------------------

  newGame() {
    this.#operate(() => this.#board.newGame());
  }

  // Col and row counted from 1.
  move(col, row) {
    this.#operate(() => this.#board.move(toInt(col), toInt(row)));
  }

  // The computer makes one move for the side to move; who plays which side
  // stays as it was.
  computerMove() {
    this.#operate(() => this.#board.computerMove());
  }

  // Each true when it took back, or played again, at least one move.
  undo() {
    return this.#operate(() => this.#board.undo());
  }

  redo() {
    return this.#operate(() => this.#board.redo());
  }

  // The cell the computer would play for the side to move, { col, row }, or
  // null; it is shown on the board until the position changes.
  hint() {
    return new Promise((resolve) => {
      this.#hintWaiters.push(resolve);
      this.#operate(() => this.#board.hint());
    });
  }

  // The game, with its board size, who plays each side and who made each
  // move, as .psq text. A page that stored it under a name says so with
  // saved(name): the game then counts as saved.
  saveRecord() {
    return this.#board.saveRecord();
  }

  saved(name = '') {
    this.#operate(() => this.#board.saved(String(name ?? '')));
  }

  // Sets up the game of a .psq record and takes its players. Returns null
  // when the text was taken, or why not, and then nothing changes.
  openRecord(text) { return this.#takeGame(text, false); }

  // The game to keep when the page goes ('' when there is none), and taking
  // it up again on the next visit: null, or why it could not be.
  get gameToKeep() { return this.#board.gameToKeep(); }

  restoreKeptGame(text) { return this.#takeGame(text, true); }

  #takeGame(text, kept) {
    const refused = this.#operate(() => this.#board.takeGame(String(text), kept));
    this.#layOut();
    return refused || null;
  }

  // ---- Analysis and review --------------------------------------------------

  // While on, every position the game reaches is analysed in a worker, and
  // each report is raised as an analysis event (at most about ten a second);
  // a finished game is not analysed.
  get analysing() { return this.#board.analysing; }

  analyse() {
    this.#operate(() => { this.#board.analysing = true; });
  }

  // The analysing workers go too, until analysis is turned on again. An
  // analysisend event says so, also when analysis turns itself off, so that
  // a page's switch follows.
  stopAnalysis() {
    if (this.analysing) this.#events.push(new Event('analysisend'));
    this.#operate(() => { this.#board.analysing = false; });
    this.#analyst.close();
  }

  // The latest report on the position on the board, as the analysis event
  // carries it, or null.
  get analysis() { return this.#board.analysis(); }

  // Every move of the game on the board judged, in a worker: resolves to
  // { moves, summary }, or null when the game changed before the review was
  // done. A review that cannot be made (no move to judge, which the board
  // says, or no worker) rejects.
  review() {
    const request = this.#operate(() => this.#board.reviewRequest())?.slice();
    if (!request) return Promise.reject(new Error('quintar-board: no move to review'));
    const known = this.#board.review();
    if (known) return Promise.resolve(known);
    return new Promise((resolve, reject) => {
      const same = this.#review && this.#review.request.length === request.length &&
        this.#review.request.every((number, index) => number === request[index]);
      if (same) {
        this.#review.waiters.push({ resolve, reject });
        return;
      }
      this.#settleReview({ resolve: null });
      this.#review = { request, waiters: [{ resolve, reject }] };
      if (!this.#reviewer.run({ review: request.slice() })) this.#settleReview({ reject: new Error('quintar-board: no worker to review in') });
    });
  }

  // The review of the game on the board, while it is the game reviewed;
  // null otherwise.
  get gameReview() { return this.#board.review(); }

  // Seeds the generator the computer's choices among equal cells draw from,
  // which the board seeds from the clock when it is made.
  seed(value) {
    quintar.seed(toInt(value) >>> 0);
  }

  // ---- Talking to the workers -----------------------------------------------

  // A new position ends the analysis of the last, if it is still going.
  #analyse(serial, bytes) {
    if (!bytes) this.#analyst.stop();
    else if (!this.#analyst.run({ serial, analyse: bytes }, [bytes.buffer])) queueMicrotask(() => this.stopAnalysis());
  }

  // An analysis that cannot be had (no worker, or not the expert's module)
  // turns analysis off, so that the page does not wait for reports.
  #heardAnalysis({ serial, report, failed }) {
    if (failed) this.stopAnalysis();
    else if (report) this.#operate(() => this.#board.analysisReported(serial, report));
  }

  #heardAnalysisChange() {
    this.#analysisChanged = true;
    this.#scheduleFlush();
  }

  // A report that reads differently from the last one raised is raised.
  #raiseAnalysis() {
    if (!this.#analysisChanged) return;
    this.#analysisChanged = false;
    const report = this.#board.analysis();
    const json = report && JSON.stringify(report);
    if (json === this.#reported) return;
    this.#reported = json;
    if (report) this.dispatchEvent(new CustomEvent('analysis', { detail: report }));
  }

  #heardReview({ review, failed }) {
    const { request } = this.#review ?? {};
    if (!request) return;
    if (failed || !review) {
      this.#settleReview({ reject: new Error('quintar-board: the review failed') });
      return;
    }
    const taken = this.#operate(() => this.#board.reviewed(request, review));
    this.#settleReview({ resolve: taken ? this.#board.review() : null });
  }

  // The promises of the review under way: resolved with resolve (null when
  // the game they asked about is gone), or rejected with reject.
  #settleReview({ resolve = null, reject }) {
    const waiters = this.#review?.waiters ?? [];
    this.#review = null;
    for (const waiter of waiters) {
      if (reject) waiter.reject(reject);
      else waiter.resolve(resolve);
    }
  }

  // ---- Talking to the board -------------------------------------------------

  #operate(action) {
    const result = action();
    this.#flush();
    return result;
  }

  #scheduleFlush() {
    if (this.#flushScheduled) return;
    this.#flushScheduled = true;
    queueMicrotask(() => {
      this.#flushScheduled = false;
      this.#flush();
    });
  }

  // Shows what the board drew, then raises the events it raised, in order,
  // after the board has finished: a handler may call anything.
  #flush() {
    this.#present();
    if (this.#flushing) return;
    this.#flushing = true;
    try {
      while (this.#events.length) this.dispatchEvent(this.#events.shift());
      this.#raiseAnalysis();
    } finally {
      this.#flushing = false;
    }
    this.#speak();
    this.#showCells();
    // Not aria-busy: the board holds its live region, whose words (the
    // person's move) a screen reader would hold back until the answer came.
    this.#view.frame.classList.toggle('thinking', this.thinking);
  }

  // The keyboard's cell and the hint as the table has them; a hint asked
  // for is answered once it is no longer being thought out.
  #showCells() {
    this.#place(this.#view.focusCell, this.#board.focusCell());
    const hint = this.#board.hintCell();
    if (hint) this.#place(this.#view.hintCell, hint);
    this.#view.hintCell.classList.toggle('shown', hint !== null);
    if (this.#board.hintPending()) return;
    for (const resolve of this.#hintWaiters.splice(0)) resolve(hint);
  }

  #present() {
    const area = this.#board.present();
    if (!area) return;
    // The image is the whole surface, read where it lies, and putImageData
    // copies only the area out of it: no allocation can move the pixels in
    // between.
    const { width, height, pixels: { buffer, byteOffset, length } } = area.surface;
    const surface = new ImageData(new Uint8ClampedArray(buffer, byteOffset, length), width, height);
    this.#view.context.putImageData(surface, 0, 0, area.left, area.top, area.width, area.height);
  }

  // A computer win and a person's win follow the side's win, with the same
  // sentence, which is spoken once.
  #raised(type, words) {
    let detail = { words };
    if (type === 'legalmove') {
      const { col, row } = this.#board.lastMove();
      detail = { col, row, mark: this.#board.cell(col, row), computer: this.#board.lastMoveByComputer(), words };
      this.#disarm();
    } else if (type !== 'illegalmove' && type !== 'draw') {
      detail = { cells: this.#board.winCells(), words };
    }
    this.#events.push(new CustomEvent(type, { detail }));
    this.#scheduleFlush();
  }

  // ---- Words for screen readers ---------------------------------------------

  #say(words) {
    this.#words.push(words);
    this.#scheduleFlush();
  }

  // What was said since the last flush, spoken and raised as one
  // announcement event. The greeting gives way to anything else said with
  // it (the page's Hint gives the board the focus and hints at once), since
  // that tells the news, and the greeting's cell may already be stale.
  #speak() {
    if (!this.#words.length && this.#greeting) this.#words.push(this.#greeting);
    this.#greeting = null;
    if (!this.#words.length) return;
    this.#announcement = this.#words.join(' ');
    // The same words again ("That cell is taken.") change the live region
    // too, by a space that is not seen, so that they are spoken again.
    const status = this.#view.status;
    status.textContent = status.textContent === this.#announcement ? `${this.#announcement}\u00a0` : this.#announcement;
    this.#words = [];
    this.dispatchEvent(new CustomEvent('announcement', { detail: { words: this.#announcement } }));
  }

  // ---- Size, pointer and keyboard -------------------------------------------

  // The board at the size its view lays out for it.
  #layOut() {
    this.#view.layOut(this.colCount, this.rowCount);
    const { width, height } = this.#view.size;
    if (width !== this.#size.width || height !== this.#size.height) {
      this.#size = { width, height };
      this.#operate(() => this.#board.setSize(width, height));
    } else {
      this.#showCells();
    }
  }

  #pressed(event) {
    if (!event.isPrimary || !(event.button in BUTTONS)) return;
    this.#board.playsByKeys = event.pointerType === 'mouse';
    const bounds = this.#view.surface.getBoundingClientRect();
    if (!bounds.width || !bounds.height) return;
    const x = Math.floor(((event.clientX - bounds.left) * this.#size.width) / bounds.width);
    const y = Math.floor(((event.clientY - bounds.top) * this.#size.height) / bounds.height);
    this.#view.focusCell.classList.remove('shown');
    const cell = this.#board.cellAt(x, y);
    if (cell) this.#board.setFocusCell(cell.col, cell.row);
    if (cell && this.#armsFirst(event, cell)) return;
    this.#disarm();
    this.#operate(() => this.#board.press(BUTTONS[event.button], shiftStateOf(event), x, y));
  }

  // A touch on a cell too small for a finger marks it and says what it
  // holds; a second touch on the marked cell plays it. True when this touch
  // only marked the cell.
  #armsFirst(event, cell) {
    if (event.pointerType === 'mouse' || event.button !== 0 || !this.clickResponse) return false;
    if (this.#armed && this.#armed.col === cell.col && this.#armed.row === cell.row) return false;
    const bounds = this.#board.cellBounds(cell.col, cell.row);
    const cssPerPixel = this.#view.surface.getBoundingClientRect().width / this.#size.width;
    if (Math.min(bounds.right - bounds.left, bounds.bottom - bounds.top) * cssPerPixel >= FINGER_PIXELS) return false;
    this.#armed = { ...cell };
    this.#view.focusCell.classList.add('armed');
    this.#say(this.#board.focusWords());
    this.#showCells();
    return true;
  }

  #disarm() {
    this.#armed = null;
    this.#view.focusCell.classList.remove('armed');
  }

  // Come to by the keyboard, the board says whose turn it is and where its
  // keys stand, which a screen reader would otherwise not tell.
  #greetKeyboard() {
    if (!this.matches(':focus-visible')) return;
    this.#greeting = `${this.status} ${this.#board.focusWords()}`;
    this.#scheduleFlush();
  }

  #keyPressed(event) {
    if (event.altKey || event.ctrlKey || event.metaKey) return;
    this.#board.playsByKeys = true;
    const step = ARROWS[event.key];
    if (step) {
      event.preventDefault();
      this.#disarm();
      this.#board.moveFocus(step[0], step[1]);
      this.#view.focusCell.classList.add('shown');
      this.#say(this.#board.focusWords());
    } else if (event.key === 'Enter' || event.key === ' ') {
      event.preventDefault();
      this.#view.focusCell.classList.add('shown');
      this.#operate(() => this.#board.playFocusCell());
    }
  }

  // Over the pixels whose presses play the cell, as shares of the control.
  #place(element, { col, row }) {
    const bounds = this.#board.cellBounds(col, row);
    if (!bounds) return;
    const { width, height } = this.#size;
    if (!width || !height) return;
    Object.assign(element.style, {
      left: `${(bounds.left * 100) / width}%`,
      top: `${(bounds.top * 100) / height}%`,
      width: `${((bounds.right - bounds.left) * 100) / width}%`,
      height: `${((bounds.bottom - bounds.top) * 100) / height}%`,
    });
  }
}

if (browser) {
  const loading = load();
  const ahead = showBoardsAhead();
  try {
    quintar = await loading;
  } catch (error) {
    // No board will take them: they are not shown as if one would. The
    // failure is reported as an uncaught error would be, without failing the
    // page's own scripts that import the element.
    for (const { view, observer } of ahead) {
      observer.disconnect();
      view.withdraw();
    }
    reportError(error);
  }
  if (quintar && !customElements.get('quintar-board')) customElements.define('quintar-board', QuintarBoardElement);
}
