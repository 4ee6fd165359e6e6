// The board's module as the page uses it: the class Board and the functions
// seed, boardName and discardQuestion, made of the functions Bindings.cpp
// exports. Cells cross counted from 1, as Move takes them; pixels are the
// canvas's device pixels.
// Emscripten's own minifier reads this file, and knows neither ?. nor ??.

// Each board's listener, by the number the board tells it by: an object with
// the methods event(index, words), announce(words), changed(), think(serial,
// bytes), pace(milliseconds), repaint(), analyse(serial, bytes or null: stop)
// and analysisChanged(). think() and analyse() must copy the bytes before
// they return: they live only that long.
const boardListeners = new Map();
let boardsMade = 0;

const MARKS = { 1: 'cross', [-1]: 'nought' };

// { left, top, width, height, surface: { width, height, pixels } }: the area
// to draw anew within the whole surface, whose RGBA bytes are a view that
// lasts until the next call into the module; or null.
function areaAt(address) {
  if (!address) return null;
  const [left, top, width, height, pixels, surfaceWidth, surfaceHeight] = HEAP32.subarray(address >> 2, (address >> 2) + 7);
  const bytes = 4 * surfaceWidth * surfaceHeight;
  return { left, top, width, height, surface: { width: surfaceWidth, height: surfaceHeight, pixels: HEAPU8.subarray(pixels, pixels + bytes) } };
}

// { left, top, right, bottom }: the device pixels whose presses play a cell,
// right and bottom exclusive; or null.
function boundsAt(address) {
  if (!address) return null;
  const [left, top, right, bottom] = HEAP32.subarray(address >> 2, (address >> 2) + 4);
  return { left, top, right, bottom };
}

class Board {
  constructor(listener) {
    this.page = ++boardsMade;
    boardListeners.set(this.page, listener);
    this.address = _board_new(this.page);
  }

  // Frees the board, which must not be used after; freeing it again does
  // nothing.
  delete() {
    if (!this.address) return;
    _board_delete(this.address);
    this.address = 0;
    boardListeners.delete(this.page);
  }

  answer(serial, cell) {
    const known = cell != null && typeof cell.col === 'number' && typeof cell.row === 'number';
    _board_answer(this.address, serial, known ? cell.col : 0, known ? cell.row : 0);
  }

  cell(col, row) {
    return MARKS[_board_cell(this.address, col, row)] || '';
  }

  saved(name) {
    withText(name, (text, length) => _board_saved(this.address, text, length));
  }

  // A record (kept false) or the game kept at the last close: why it was
  // not taken, or ''.
  takeGame(text, kept) {
    return withText(text, (copy, length) => textAt(_board_take_game(this.address, copy, length, kept)));
  }

  setPlayingStrength(name) {
    return withText(name, (text, length) => Boolean(_board_set_playing_strength(this.address, text, length)));
  }

  get playingStrength() {
    return textAt(_board_playing_strength(this.address));
  }

  // A report (an Int32Array from the analysing worker) for request serial;
  // anything else is dropped, as a report for a position gone is.
  analysisReported(serial, numbers) {
    if (numbers instanceof Int32Array) withNumbers(numbers, (address, count) => _board_analysis_reported(this.address, serial, address, count));
  }

  // The game on the board to review, an Int32Array view to copy at once;
  // null when it has no move to judge.
  reviewRequest() {
    return countedNumbers(_board_review_request(this.address));
  }

  // The review (an Int32Array from the reviewing worker) of the game request
  // (as reviewRequest gave it); false when either is not what it claims.
  reviewed(request, review) {
    if (!(request instanceof Int32Array && review instanceof Int32Array)) return false;
    return withNumbers(request, (requestAddress, requestCount) =>
      withNumbers(review, (reviewAddress, reviewCount) =>
        Boolean(_board_reviewed(this.address, requestAddress, requestCount, reviewAddress, reviewCount))));
  }
}

// The methods whose arguments are numbers, passed as they are, each with the
// function that answers it and what turns its answer, if any, into the
// page's value. (Emscripten's own minifier misses names used only in
// defaults of destructuring, so there are none.)
for (const [name, call, value] of [
  ['setSize', _board_set_size],
  ['present', _board_present, areaAt],
  ['invalidate', _board_invalidate],
  ['press', _board_press],
  ['move', _board_move],
  ['newGame', _board_new_game],
  ['computerMove', _board_computer_move],
  ['undo', _board_undo, Boolean],
  ['redo', _board_redo, Boolean],
  ['canUndo', _board_can_undo, Boolean],
  ['canRedo', _board_can_redo, Boolean],
  ['hint', _board_hint],
  ['hintPending', _board_hint_pending, Boolean],
  ['hintCell', _board_hint_cell, cellOf],
  ['keepPace', _board_keep_pace],
  ['thinking', _board_thinking, Boolean],
  ['lastMoveByComputer', _board_last_move_by_computer, Boolean],
  ['wouldDiscardGame', _board_would_discard_game, Boolean],
  ['cellAt', _board_cell_at, cellOf],
  ['cellBounds', _board_cell_bounds, boundsAt],
  ['lastMove', _board_last_move, cellOf],
  ['winCells', _board_win_cells, jsonAt],
  ['focusCell', _board_focus_cell, cellOf],
  ['moveFocus', _board_move_focus],
  ['setFocusCell', _board_set_focus_cell],
  ['focusWords', _board_focus_words, textAt],
  ['playFocusCell', _board_play_focus_cell],
  ['status', _board_status, textAt],
  ['players', _board_players, textAt],
  ['moveWords', _board_move_words, jsonAt],
  ['saveRecord', _board_save_record, textAt],
  ['gameToKeep', _board_game_to_keep, textAt],
  ['analysis', _board_analysis, jsonAt],
  ['review', _board_review, jsonAt],
]) {
  Board.prototype[name] = function (...numbers) {
    const answer = call(this.address, ...numbers);
    return value ? value(answer) : answer;
  };
}

// The properties, in the order of Bindings.cpp's TProperty, each with what
// turns the board's number into the page's value.
[
  ['turn'], ['gameOver', Boolean], ['color'], ['gridLineColor'], ['crossColor'], ['noughtColor'], ['highlightColor'],
  ['quintarColor'], ['colCount'], ['rowCount'], ['clickResponse', Boolean], ['lock', Boolean], ['showHighlight', Boolean],
  ['showQuintar', Boolean], ['autoResponse', Boolean], ['computerSide'], ['held', Boolean], ['analysing', Boolean],
  ['playsByKeys', Boolean],
].forEach(([name, value], property) => {
  Object.defineProperty(Board.prototype, name, {
    get() {
      const number = _board_property(this.address, property);
      return value ? value(number) : number;
    },
    set(number) {
      _board_set_property(this.address, property, number);
    },
  });
});

Object.assign(Module, {
  Board,
  seed: (value) => _seed(value),
  boardName: () => textAt(_board_name()),
  discardQuestion: () => textAt(_discard_question()),
});
