#include "Invariants.h"

#include <string>

namespace quintar::testing {

namespace {

constexpr vcl::TPoint Directions[4] = {{1, 0}, {0, 1}, {1, 1}, {1, -1}};

bool OnBoard(const TQuintar& Control, int Col, int Row) {
  return Col >= 0 && Col < Control.ColCount() && Row >= 0 && Row < Control.RowCount();
}

// Five cells from (Col, Row) along Step, all on the board and holding Mark.
bool FiveFrom(const TQuintar& Control, int Col, int Row, vcl::TPoint Step, int Mark) {
  for (int I = 0; I < 5; ++I) {
    const int C = Col + I * Step.X;
    const int R = Row + I * Step.Y;
    if (!OnBoard(Control, C, R) || Control.Cell(C, R) != Mark) return false;
  }
  return true;
}

bool RecordedWinIsAFive(const TQuintar& Control) {
  const auto Cells = Control.WinCells();
  if (!OnBoard(Control, Cells[0].X, Cells[0].Y)) return false;
  const int Mark = Control.Cell(Cells[0].X, Cells[0].Y);
  if (Mark == 0) return false;
  const vcl::TPoint Step{Cells[1].X - Cells[0].X, Cells[1].Y - Cells[0].Y};
  for (int I = 0; I < 5; ++I)
    if (Cells[I] != vcl::TPoint{Cells[0].X + I * Step.X, Cells[0].Y + I * Step.Y}) return false;
  for (const vcl::TPoint Direction : Directions)
    if (Step == Direction || Step == vcl::TPoint{-Direction.X, -Direction.Y})
      return FiveFrom(Control, Cells[0].X, Cells[0].Y, Step, Mark);
  return false;
}

std::string CellText(int Col, int Row) { return "(" + std::to_string(Col) + ", " + std::to_string(Row) + ")"; }

}  // namespace

bool BoardHasFive(const TQuintar& Control) {
  for (int Col = 0; Col < Control.ColCount(); ++Col)
    for (int Row = 0; Row < Control.RowCount(); ++Row) {
      const int Mark = Control.Cell(Col, Row);
      if (Mark == 0) continue;
      for (const vcl::TPoint Direction : Directions)
        if (FiveFrom(Control, Col, Row, Direction, Mark)) return true;
    }
  return false;
}

bool BoardIsFull(const TQuintar& Control) {
  for (int Col = 0; Col < Control.ColCount(); ++Col)
    for (int Row = 0; Row < Control.RowCount(); ++Row)
      if (Control.Cell(Col, Row) == 0) return false;
  return true;
}

std::string InvariantViolation(const TQuintar& Control) {
  int Crosses = 0;
  int Noughts = 0;
  for (int Col = 0; Col < Control.ColCount(); ++Col)
    for (int Row = 0; Row < Control.RowCount(); ++Row) {
      const int Mark = Control.Cell(Col, Row);
      if (Mark < -1 || Mark > 1) return "cell " + CellText(Col, Row) + " holds " + std::to_string(Mark);
      Crosses += Mark == 1;
      Noughts += Mark == -1;
    }
  if (Control.Turn() != 1 && Control.Turn() != -1) return "turn is " + std::to_string(Control.Turn());
  if (Crosses - Noughts != (Control.Turn() == -1 ? 1 : 0))
    return std::to_string(Crosses) + " crosses and " + std::to_string(Noughts) + " noughts with " +
           (Control.Turn() == 1 ? "crosses" : "noughts") + " to move";
  const vcl::TPoint Last = Control.LastMove();
  if (Last != TQuintar::NoCell && (!OnBoard(Control, Last.X, Last.Y) || Control.Cell(Last.X, Last.Y) == 0))
    return "last move " + CellText(Last.X, Last.Y) + " is not a mark on the board";
  if (BoardHasFive(Control) && !Control.GameOver()) return "a five stands on the board but the game goes on";
  if (Control.WinFound() && !Control.GameOver()) return "a win is recorded but the game goes on";
  if (Control.WinFound() && !RecordedWinIsAFive(Control)) return "the recorded winning cells are not a five";
  if (Control.GameOver() && !Control.WinFound() && !BoardIsFull(Control))
    return "the game is over without a win on a board with empty cells";
  if (Control.Surface().Width() != Control.Width() || Control.Surface().Height() != Control.Height())
    return "the surface is not the control's size";
  return {};
}

}  // namespace quintar::testing
