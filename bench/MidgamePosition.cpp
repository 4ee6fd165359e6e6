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

std::vector<vcl::TPoint> CrowdedMoves(int Side, int Marks) {
  std::vector<vcl::TPoint> Sides[2];
  for (int Col = 0; Col < Side; ++Col)
    for (int Row = 0; Row < Side; ++Row)
      if ((Col * 7 + Row * 13) % 25 < 6) Sides[(Col + 2 * Row) % 4 < 2 ? 0 : 1].push_back({Col, Row});
  std::vector<vcl::TPoint> Moves;
  for (std::size_t I = 0; static_cast<int>(Moves.size()) < Marks && I < Sides[0].size() && I < Sides[1].size(); ++I) {
    Moves.push_back(Sides[0][I]);
    Moves.push_back(Sides[1][I]);
  }
  return Moves;
}

}  // namespace quintar
