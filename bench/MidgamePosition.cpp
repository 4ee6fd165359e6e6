#include "MidgamePosition.h"

#include <cstdlib>

namespace quintar {

std::vector<vcl::TPoint> MidgameMoves(int Marks) {
  TQuintar Control(nullptr);
  std::srand(7);
  std::vector<vcl::TPoint> Moves;
  while (static_cast<int>(Moves.size()) < Marks && !Control.GameOver()) {
    Control.ComputerMove();
    Moves.push_back(Control.LastMove());
  }
  return Moves;
}

vcl::TPoint EmptyCellNearTheCentre(const TQuintar& Control) {
  const int Cols = Control.ColCount();
  const int Rows = Control.RowCount();
  for (int Ring = 0; Ring < Cols || Ring < Rows; ++Ring)
    for (int Col = Cols / 2 - Ring; Col <= Cols / 2 + Ring; ++Col)
      for (int Row = Rows / 2 - Ring; Row <= Rows / 2 + Ring; ++Row)
        if (Col >= 0 && Row >= 0 && Col < Cols && Row < Rows && Control.Cell(Col, Row) == 0) return {Col, Row};
  return {0, 0};
}

}  // namespace quintar
