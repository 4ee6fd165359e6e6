// TQuintar: a five-in-a-row board control with a built-in computer opponent.
//
// The control holds one game: a board of ColCount x RowCount cells (5..50
// each) that fills the control, crosses and noughts taking turns, crosses
// first. A press on a cell, or Move, places the mark of the side to move;
// five in an unbroken line wins and a full board without one is a draw. With
// AutoResponse on, the computer answers every legal move at once. The host
// learns what happens through the events, each raised only when assigned and
// run to completion before the raising operation goes on.
//
// Drawing is immediate: every change of the board is drawn onto the canvas at
// once (DrawGraphics); Paint draws the whole control when the host repaints.
#pragma once

#include <array>
#include <memory>
#include <optional>

#include "Controls.h"
#include "Opponent.h"
#include "Patterns.h"

namespace vcl {
struct TComponentClass;
}

namespace quintar {

class TQuintar : public vcl::TCustomControl {
 public:
  // A ready game: 200 x 200 pixels, an empty 20 x 20 board, crosses to move.
  // Seeds the process-wide random generator from the clock.
  explicit TQuintar(vcl::TComponent* AOwner);
  ~TQuintar() override;

  // ---- Operations -------------------------------------------------------

  // Empties the board in play and gives crosses the move; the picture is
  // renewed at the next repaint. Never makes a computer move.
  void NewGame();
  // Places the mark of the side to move on column Col, row Row, both counted
  // from 1. Ignored while the game is over or locked; OnIllegalMove for a
  // cell off the board or taken.
  void Move(int Col, int Row);
  // Lets the computer move for the side whose turn it is.
  void ComputerMove();
  // A press plays the cell under it (any button) when ClickResponse is on,
  // then raises OnMouseDown.
  void MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) override;

  // The referee for the mark just placed on (Col, Row), 0-based: true when it
  // completed five. Ends the game on a five or a full board.
  bool Check(int Col, int Row);
  // Draws the highlight box and every mark at once over what is on screen.
  void DrawGraphics();

  // ---- Published properties, in streaming order -------------------------

  vcl::TColor Color() const { return FColor; }
  void SetColor(vcl::TColor Value);
  vcl::TColor GridLineColor() const { return FGridLineColor; }
  void SetGridLineColor(vcl::TColor Value);
  vcl::TColor CrossColor() const { return FCrossColor; }
  void SetCrossColor(vcl::TColor Value);
  vcl::TColor NoughtColor() const { return FNoughtColor; }
  void SetNoughtColor(vcl::TColor Value);
  vcl::TColor HighlightColor() const { return FHighlightColor; }
  void SetHighlightColor(vcl::TColor Value);
  vcl::TColor QuintarColor() const { return FQuintarColor; }
  void SetQuintarColor(vcl::TColor Value);
  // Clamped to 5..50; every write starts a new game, even with the same value.
  int ColCount() const { return FColCount; }
  void SetColCount(int Value);
  int RowCount() const { return FRowCount; }
  void SetRowCount(int Value);
  TStrength PlayingStrength() const { return FPlayingStrength; }
  void SetPlayingStrength(TStrength Value);
  bool AutoResponse() const { return FAutoResponse; }
  void SetAutoResponse(bool Value) { FAutoResponse = Value; }
  bool ClickResponse() const { return FClickResponse; }
  void SetClickResponse(bool Value) { FClickResponse = Value; }
  bool Lock() const { return FLock; }
  void SetLock(bool Value) { FLock = Value; }
  bool ShowHighlight() const { return FShowHighlight; }
  void SetShowHighlight(bool Value) { FShowHighlight = Value; }
  bool ShowQuintar() const { return FShowQuintar; }
  void SetShowQuintar(bool Value) { FShowQuintar = Value; }
  bool GameOver() const { return FGameOver; }

  // ---- Game state for hosts (0-based) -----------------------------------

  // 0 empty, 1 cross, -1 nought; 0 for a cell off the board in play.
  int Cell(int Col, int Row) const;
  // 1 when crosses are to move, -1 for noughts.
  int Turn() const { return FTurn; }
  // (100, 100) when no mark has been placed in this game.
  vcl::TPoint LastMove() const { return FLastMove; }
  bool WinFound() const { return FWinFound; }
  // The five cells of the winning line, the completing end first; meaningful
  // while WinFound.
  std::array<vcl::TPoint, 5> WinCells() const { return FWinCells; }
  // 1 or -1 once that side has five, 0 otherwise.
  int Winner() const;

  // ---- Geometry for hosts (0-based cells, pixels of the control) --------

  // The cell a press at pixel (X, Y) plays, by the rule MouseDown follows;
  // NoCell when that press plays none (off the board, or no area).
  vcl::TPoint CellAt(int X, int Y) const;
  // The pixels inside the control whose presses play the cell, Right and
  // Bottom exclusive; empty for a cell off the board.
  vcl::TRect CellBounds(int Col, int Row) const;

  // ---- Events -----------------------------------------------------------

  vcl::TNotifyEvent OnLegalMove;    // after every placed mark
  vcl::TNotifyEvent OnIllegalMove;  // Move refused: off the board or taken
  vcl::TNotifyEvent OnDraw;         // the board filled without five
  vcl::TNotifyEvent OnCrossWon;
  vcl::TNotifyEvent OnNoughtWon;
  vcl::TNotifyEvent OnComputerWon;  // after a computer move that won
  vcl::TNotifyEvent OnUserWon;      // after a Move that won, for either side

  // The class as a designer sees it: name, creation with an owner, and the
  // published properties and events in declaration order.
  static const vcl::TComponentClass& ClassInfo();

  static constexpr int MinCount = MinBoardSide;
  static constexpr int MaxCount = MaxBoardSide;
  static constexpr vcl::TPoint NoCell{100, 100};

 protected:
  void Paint() override;

 private:
  // Places the side to move's mark, passes the turn, draws and reports it.
  void PlaceMark(int Col, int Row);
  // The four lines through a cell scanned for a run of five (0-based).
  std::optional<std::array<vcl::TPoint, 5>> FiveThrough(int Col, int Row) const;
  // Whether a move may be made now. Besides the guards of a finished or
  // locked game, a handler of the last move's event may ask for another
  // move before that last move is checked; if it made five, the game is
  // over already, and playing on would leave two fives and two results.
  bool MayMove() const { return !FGameOver && !FLock && !FiveThrough(FLastMove.X, FLastMove.Y); }
  bool BoardIsFull() const;
  TBoardView BoardView() const { return {FBoard, FColCount, FRowCount}; }
  // The box around a cell, on its grid lines, and the ring one pixel inside.
  void OuterBox(vcl::TPoint Cell, double CellWidth, double CellHeight);
  void InnerBox(vcl::TPoint Cell, double CellWidth, double CellHeight);
  void DrawMark(int Col, int Row, double CellWidth, double CellHeight, int Inset);
  bool IsWinCell(int Col, int Row) const;

  vcl::TColor FColor = 0;
  vcl::TColor FGridLineColor = 0;
  vcl::TColor FCrossColor = 0;
  vcl::TColor FNoughtColor = 0;
  vcl::TColor FHighlightColor = 0;
  vcl::TColor FQuintarColor = 0;
  bool FAutoResponse = false;
  bool FClickResponse = false;
  bool FGameOver = false;
  bool FLock = false;
  bool FShowHighlight = false;
  bool FShowQuintar = false;
  bool FWinFound = false;
  int FRowCount = 0;
  int FColCount = 0;
  int FBoard[MaxBoardSide][MaxBoardSide] = {};  // [col][row]
  TStrength FPlayingStrength = stLow;
  std::unique_ptr<TPattern[]> FPatterns;
  std::unique_ptr<TCandidate[]> FCrossCandidates;
  std::unique_ptr<TCandidate[]> FNoughtCandidates;
  std::array<vcl::TPoint, 5> FWinCells{};
  vcl::TPoint FPrevHighlight;
  vcl::TPoint FLastMove;
  int FTurn = 0;

  friend struct TQuintarAccess;  // the test suites' view of the private state
};

// Offers TQuintar on the designer's palette page "Quarbel".
void Register();

// The unit's initialization and finalization, as a package that contains the
// unit runs them when it is loaded and before it is unloaded. The unit has
// nothing to set up or tear down, so they only count how deeply the calls are
// nested; a finalization without a matching initialization changes nothing.
void InitializeUnit();
void FinalizeUnit();
int UnitInitializationDepth();

}  // namespace quintar
