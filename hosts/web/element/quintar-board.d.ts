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

/** How far ahead the side with the advantage is, weakest first. */
export type Standing = 'even' | 'ahead' | 'well-ahead' | 'winning';
/** What a move leads to when the search has settled it. */
export type Outcome = 'unproven' | 'win' | 'loss';
/** A move of a review, best first; a missed win and a win let through outweigh any score. */
export type Judgement = 'best' | 'good' | 'inaccuracy' | 'mistake' | 'missed-win' | 'win-let-through';

/** One of the best moves in the position and what follows it. */
export interface CandidateLine extends Cell {
  /** For the side to move: -100 (the other side is sure to win) to 100 (sure to win). */
  advantage: number;
  standing: Standing;
  /** 'win': the side to move wins by playing it; 'loss': it loses whatever it plays after. */
  outcome: Outcome;
  /** For a win, the winner's moves up to its five; for a loss, the other side's; 0 when unproven. */
  movesToFive: number;
  /** The moves both sides are expected to play, starting with this one. */
  line: Cell[];
  /** A win by fours alone: every move but the last threatens five, so it is certain. */
  byFours: boolean;
}

/** What the expert found in the position on the board. */
export interface AnalysisDetail {
  /** The side to move, for which the advantages count. */
  turn: Mark;
  /** The deepest search completed. */
  depth: number;
  /** Positions visited so far. */
  nodes: number;
  /** Deeper search would change nothing: no report follows for this position. */
  settled: boolean;
  /** The best moves, best first: at most 5, empty only when no cell is empty. */
  lines: CandidateLine[];
  /** The report in one sentence: "Crosses win in 7 moves: column 9, row 7, then …". */
  words: string;
  /** A sentence for each of the lines, with its worth and the moves it expects. */
  candidates: string[];
}

/** A move of the game, judged against the expert's best in the position before it. */
export interface MoveJudgement extends Cell {
  side: Mark;
  judgement: Judgement;
  /** The expert's best move, when the move played was not it. */
  better: Cell | null;
  /** "Move 12, cross on column 9, row 7: a mistake; column 10, row 8 was better." */
  words: string;
}

export interface GameReview {
  /** Every move of the game, in order. */
  moves: MoveJudgement[];
  /** How each side played, crosses' sentence then noughts'. */
  summary: [string, string];
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
  /** A new report on the position on the board, while analysing. */
  analysis: CustomEvent<AnalysisDetail>;
  /** Analysis was on and is now off: stopped, or turned off by itself. */
  analysisend: Event;
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
  /** 5..50; a write of another value starts a new game, also one clamped back to the present size. */
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
  /** The computer is thinking its move over; false once it could not. */
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
  /**
   * Seeds the generator the computer's choices among equal cells draw from:
   * one for every board on the page, which a board created later seeds from
   * the clock.
   */
  seed(value: number): void;

  /**
   * Every position the game reaches is analysed in a worker while this is on,
   * and each report is raised as an analysis event; a finished game is not.
   * It turns off by itself when no worker, or not the expert's module, can
   * be had.
   */
  readonly analysing: boolean;
  /** The latest report on the position on the board, or null. */
  readonly analysis: AnalysisDetail | null;
  analyse(): void;
  stopAnalysis(): void;
  /**
   * Judges every move of the game on the board, in a worker: null when the
   * game changed before the review was done; rejects when the game has no
   * move to judge (made or to redo; the board says so), or when no worker,
   * or not the expert's module, can be had.
   */
  review(): Promise<GameReview | null>;
  /** The review of the game on the board, while it is the game reviewed; otherwise null. */
  readonly gameReview: GameReview | null;

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
