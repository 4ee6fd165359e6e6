#include "Quintar.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <ctime>

namespace quintar {

namespace {

// The process-wide generator the control seeds at construction.
const TRandomDraw ProcessRandom = [] { return std::rand(); };

// The cell under a pixel along one axis. Division rounds down, so a press
// left of or above the control lands on cell 0, which Move refuses, just as a
// press right of or below it lands past the last cell.
int CellUnder(int Pixel, int Count, int Extent) {
  const std::int64_t Scaled = std::int64_t{Count} * Pixel;
  std::int64_t Index = Scaled / Extent;
  if (Scaled % Extent != 0 && Scaled < 0) --Index;
  return static_cast<int>(std::clamp<std::int64_t>(Index + 1, INT_MIN, INT_MAX));
}

// The first pixel along one axis whose press plays cell Index (0-based) or a
// later one: the least P with Count * P >= Index * Extent, within the control.
int FirstPixelOf(int Index, int Count, int Extent) {
  if (Extent <= 0) return 0;
  const std::int64_t Scaled = std::int64_t{Index} * Extent;
  return static_cast<int>((Scaled + Count - 1) / Count);
}

}  // namespace

TQuintar::TQuintar(vcl::TComponent* AOwner) : vcl::TCustomControl(AOwner) {
  SetWidth(200);
  SetHeight(200);
  FRowCount = 20;
  FColCount = 20;
  FColor = vcl::clWhite;
  FGridLineColor = vcl::clGray;
  FCrossColor = vcl::clRed;
  FNoughtColor = vcl::clBlue;
  FHighlightColor = vcl::clBlack;
  FQuintarColor = vcl::clYellow;
  FPlayingStrength = stHigh;
  FAutoResponse = true;
  FClickResponse = true;
  FLock = false;
  FShowHighlight = true;
  FShowQuintar = true;
  FLastMove = NoCell;
  FPrevHighlight = NoCell;
  FPatterns = std::make_unique<TPattern[]>(PatternCount);
  FCrossCandidates = std::make_unique<TCandidate[]>(CandidateCapacity);
  FNoughtCandidates = std::make_unique<TCandidate[]>(CandidateCapacity);
  FillPatternTable(FPatterns.get());
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  NewGame();
}

TQuintar::~TQuintar() {
  FPatterns.reset();
  FCrossCandidates.reset();
  FNoughtCandidates.reset();
}

void TQuintar::NewGame() {
  for (int Col = 0; Col < FColCount; ++Col)
    for (int Row = 0; Row < FRowCount; ++Row) FBoard[Col][Row] = 0;
  FTurn = 1;
  FWinFound = false;
  FGameOver = false;
  FLastMove = NoCell;
  FPrevHighlight = NoCell;
  Invalidate();
}

void TQuintar::MouseDown(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y) {
  if (!FClickResponse) return;
  // A control without area has no cell under any press.
  if (Width() > 0 && Height() > 0) Move(CellUnder(X, FColCount, Width()), CellUnder(Y, FRowCount, Height()));
  vcl::TCustomControl::MouseDown(Button, Shift, X, Y);
}

vcl::TPoint TQuintar::CellAt(int X, int Y) const {
  if (Width() <= 0 || Height() <= 0) return NoCell;
  const int Col = CellUnder(X, FColCount, Width());
  const int Row = CellUnder(Y, FRowCount, Height());
  if (Col < 1 || Col > FColCount || Row < 1 || Row > FRowCount) return NoCell;
  return {Col - 1, Row - 1};
}

vcl::TRect TQuintar::CellBounds(int Col, int Row) const {
  if (Col < 0 || Col >= FColCount || Row < 0 || Row >= FRowCount) return {};
  return {FirstPixelOf(Col, FColCount, Width()), FirstPixelOf(Row, FRowCount, Height()),
          FirstPixelOf(Col + 1, FColCount, Width()), FirstPixelOf(Row + 1, FRowCount, Height())};
}

int TQuintar::Winner() const {
  if (!FWinFound) return 0;
  return FBoard[FWinCells[0].X][FWinCells[0].Y];
}

void TQuintar::Move(int Col, int Row) {
  if (!MayMove()) return;
  if (Col < 1 || Col > FColCount || Row < 1 || Row > FRowCount || FBoard[Col - 1][Row - 1] != 0) {
    vcl::Raise(OnIllegalMove, this);
    return;
  }
  const int C = Col - 1;
  const int R = Row - 1;
  PlaceMark(C, R);
  if (Check(C, R)) vcl::Raise(OnUserWon, this);
  if (!FGameOver && FAutoResponse) ComputerMove();
}

void TQuintar::ComputerMove() {
  if (!MayMove()) return;
  const TSelection Choice = SelectMove(BoardView(), FTurn, FPlayingStrength, FPatterns.get(), FCrossCandidates.get(),
                                       FNoughtCandidates.get(), ProcessRandom);
  // A handler may ask for a move on a board it has just filled: nothing to play.
  if (!Choice.Found) return;
  PlaceMark(Choice.Col, Choice.Row);
  if (Check(Choice.Col, Choice.Row)) vcl::Raise(OnComputerWon, this);
}

void TQuintar::PlaceMark(int Col, int Row) {
  FBoard[Col][Row] = FTurn;
  FTurn = -FTurn;
  FLastMove = {Col, Row};
  DrawGraphics();
  vcl::Raise(OnLegalMove, this);
}

bool TQuintar::Check(int Col, int Row) {
  // A move that a handler made inside this one's event has decided the game
  // already: this one adds no second result.
  if (FGameOver) return false;
  if (const std::optional<std::array<vcl::TPoint, 5>> Five = FiveThrough(Col, Row)) {
    FGameOver = true;
    FWinFound = true;
    FWinCells = *Five;
    DrawGraphics();
    vcl::Raise(FBoard[FWinCells[0].X][FWinCells[0].Y] == 1 ? OnCrossWon : OnNoughtWon, this);
    return true;
  }
  if (BoardIsFull()) {
    FGameOver = true;
    vcl::Raise(OnDraw, this);
  }
  return false;
}

std::optional<std::array<vcl::TPoint, 5>> TQuintar::FiveThrough(int Col, int Row) const {
  // Horizontal, vertical, diagonal, anti-diagonal: the step along each line.
  static constexpr vcl::TPoint Steps[4] = {{1, 0}, {0, 1}, {1, 1}, {1, -1}};
  int Crosses[4] = {};
  int Noughts[4] = {};
  for (int Offset = -4; Offset <= 4; ++Offset) {
    for (int Line = 0; Line < 4; ++Line) {
      const int C = Col + Offset * Steps[Line].X;
      const int R = Row + Offset * Steps[Line].Y;
      // Both coordinates are tested on every line, so that a cell taken from
      // a board a handler has since shrunk never reads outside the play area.
      if (C < 0 || C >= FColCount || R < 0 || R >= FRowCount) continue;
      const int Mark = FBoard[C][R];
      Crosses[Line] = Mark == 1 ? Crosses[Line] + 1 : 0;
      Noughts[Line] = Mark == -1 ? Noughts[Line] + 1 : 0;
      if (Crosses[Line] == 5 || Noughts[Line] == 5) {
        std::array<vcl::TPoint, 5> Five;
        for (int I = 0; I < 5; ++I) Five[I] = {C - I * Steps[Line].X, R - I * Steps[Line].Y};
        return Five;
      }
    }
  }
  return std::nullopt;
}

bool TQuintar::BoardIsFull() const {
  for (int Col = 0; Col < FColCount; ++Col)
    for (int Row = 0; Row < FRowCount; ++Row)
      if (FBoard[Col][Row] == 0) return false;
  return true;
}

int TQuintar::Cell(int Col, int Row) const {
  if (Col < 0 || Col >= FColCount || Row < 0 || Row >= FRowCount) return 0;
  return FBoard[Col][Row];
}

void TQuintar::SetColor(vcl::TColor Value) {
  FColor = Value;
  Invalidate();
}

void TQuintar::SetGridLineColor(vcl::TColor Value) {
  FGridLineColor = Value;
  Invalidate();
}

void TQuintar::SetCrossColor(vcl::TColor Value) {
  FCrossColor = Value;
  DrawGraphics();
}

void TQuintar::SetNoughtColor(vcl::TColor Value) {
  FNoughtColor = Value;
  DrawGraphics();
}

void TQuintar::SetHighlightColor(vcl::TColor Value) {
  FHighlightColor = Value;
  DrawGraphics();
}

void TQuintar::SetQuintarColor(vcl::TColor Value) {
  FQuintarColor = Value;
  DrawGraphics();
}

void TQuintar::SetColCount(int Value) {
  FColCount = std::clamp(Value, MinCount, MaxCount);
  NewGame();
}

void TQuintar::SetRowCount(int Value) {
  FRowCount = std::clamp(Value, MinCount, MaxCount);
  NewGame();
}

void TQuintar::SetPlayingStrength(TStrength Value) { FPlayingStrength = std::min(Value, stHigh); }

}  // namespace quintar
