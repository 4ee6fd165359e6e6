// Types for <quintar-board>. Cells are counted from 1: column left to right,
// row top to bottom.

export type PlayingStrength = 'low' | 'medium' | 'high' | 'expert';
export type Side = 'crosses' | 'noughts';
export type Mark = 'cross' | 'nought';

export interface Cell {
  col: number;
  row: number;
}

export interface WordedDetail {
  /**
   * The sentence for the event, as screen readers hear it: the move made,
   * why a move was refused, or how the game ended.
   */
  words: string;
}

export interface LegalMoveDetail extends Cell, WordedDetail {
  mark: Mark;
  /** The computer made the move. */
  computer: boolean;
}

export interface WinDetail extends WordedDetail {
  /** The five cells of the winning line. */
  cells: Cell[];
}

export interface QuintarBoardEventMap extends HTMLElementEventMap {
  legalmove: CustomEvent<LegalMoveDetail>;
  illegalmove: CustomEvent<WordedDetail>;
  draw: CustomEvent<WordedDetail>;
  crosswon: CustomEvent<WinDetail>;
  noughtwon: CustomEvent<WinDetail>;
  computerwon: CustomEvent<WinDetail>;
  userwon: CustomEvent<WinDetail>;
  /** Something was said: a move, a result, a refusal, a hint, a new game. */
  announcement: CustomEvent<WordedDetail>;
}

/** The board's own events, in the order the board numbers them. */
export declare const BOARD_EVENTS: readonly ['legalmove', 'illegalmove', 'draw', 'crosswon', 'noughtwon', 'computerwon', 'userwon'];

export declare class QuintarBoardElement extends HTMLElement {
  /** Any CSS colour; reads back as "#rrggbb". */
  color: string;
  gridLineColor: string;
  crossColor: string;
  noughtColor: string;
  highlightColor: string;
  quintarColor: string;
  /** 5..50; a write that changes it starts a new game. */
  colCount: number;
  rowCount: number;
  playingStrength: PlayingStrength;
  /** The computer answers every move. */
  autoResponse: boolean;
  /** A press on a cell (or Enter or Space on the focus cell) plays it. */
  clickResponse: boolean;
  /** No move of either kind is taken. */
  lock: boolean;
  showHighlight: boolean;
  showQuintar: boolean;
  /** The side the computer plays while autoResponse is on; a computer move leaves it as it is. */
  computerSide: Side;

  readonly gameOver: boolean;
  readonly turn: Mark;
  /** The computer is to move and thinking it over. */
  readonly thinking: boolean;
  /** Whose move it is, how the game ended, or who is thinking, in words. */
  readonly status: string;
  /**
   * The sentences last spoken to screen readers: moves, results, refusals,
   * hints, moves taken back, the cell under the keyboard focus.
   */
  readonly announcement: string;
  readonly lastMove: Cell | null;
  readonly canUndo: boolean;
  readonly canRedo: boolean;
  /** Who holds each side, as a sentence. */
  readonly players: string;
  /** The sentence of each move on the board, in the order made. */
  readonly moves: string[];
  /**
   * A game in progress that changed since it was last saved or opened: a new
   * game, another board size or a record would throw it away. A page asks
   * before those when this holds.
   */
  readonly wouldDiscardGame: boolean;
  /** The question to ask then, in the board's words. */
  readonly discardQuestion: string;
  /** The game to keep when the page goes, as .psq text; '' when there is none. */
  readonly gameToKeep: string;
  cell(col: number, row: number): Mark | null;

  newGame(): void;
  move(col: number, row: number): void;
  /** The computer makes one move for the side to move; who plays which side does not change. */
  computerMove(): void;
  undo(): boolean;
  redo(): boolean;
  hint(): Promise<Cell | null>;
  /** The game, with its board size, players and who made each move, as .psq text. */
  saveRecord(): string;
  /** The page stored saveRecord() under name: the game counts as saved. */
  saved(name?: string): void;
  /** Takes up a game kept on the last visit: null when taken, else why not (nothing changes). */
  restoreKeptGame(text: string): string | null;
  /** Sets up the game of a .psq record and its players: null when taken, else why not (nothing changes). */
  openRecord(text: string): string | null;
  /** Seeds the generator the computer's choices among equal cells draw from. */
  seed(value: number): void;

  addEventListener<K extends keyof QuintarBoardEventMap>(
    type: K,
    listener: (this: QuintarBoardElement, event: QuintarBoardEventMap[K]) => unknown,
    options?: boolean | AddEventListenerOptions,
  ): void;
  addEventListener(
    type: string,
    listener: EventListenerOrEventListenerObject,
    options?: boolean | AddEventListenerOptions,
  ): void;
  removeEventListener<K extends keyof QuintarBoardEventMap>(
    type: K,
    listener: (this: QuintarBoardElement, event: QuintarBoardEventMap[K]) => unknown,
    options?: boolean | EventListenerOptions,
  ): void;
  removeEventListener(
    type: string,
    listener: EventListenerOrEventListenerObject,
    options?: boolean | EventListenerOptions,
  ): void;
}

declare global {
  interface HTMLElementTagNameMap {
    'quintar-board': QuintarBoardElement;
  }
}
