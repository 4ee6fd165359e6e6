#include "BrainBoard.h"

#include <cstdlib>

namespace quintar::brain {

void TBrainBoard::Reset(int Width, int Height) {
  *this = TBrainBoard();
  FWidth = Width;
  FHeight = Height;
}

void TBrainBoard::Put(int X, int Y, TStone Stone) {
  const auto Count = [this](TStone Of) -> int& { return Of == TStone::Own ? FOwnCount : FOpponentCount; };
  if (FCells[X][Y] != TStone::Empty) --Count(FCells[X][Y]);
  if (Stone != TStone::Empty) ++Count(Stone);
  FCells[X][Y] = Stone;
}

void TBrainBoard::FillMarks(int (&Marks)[MaxBoardSide][MaxBoardSide]) const {
  const int Own = OwnSide();
  for (int X = 0; X < FWidth; ++X)
    for (int Y = 0; Y < FHeight; ++Y)
      Marks[X][Y] = FCells[X][Y] == TStone::Own ? Own : FCells[X][Y] == TStone::Opponent ? -Own : 0;
}

bool TBrainBoard::HasFive() const {
  int Marks[MaxBoardSide][MaxBoardSide] = {};
  FillMarks(Marks);
  const TBoardView View = {Marks, FWidth, FHeight};
  for (int X = 0; X < FWidth; ++X)
    for (int Y = 0; Y < FHeight; ++Y)
      if (Marks[X][Y] != 0 && FiveThrough(View, X, Y)) return true;
  return false;
}

TBrainOpponent::TBrainOpponent(TLevel Level, std::uint64_t Seed) : FLevel(Level), FChooser(Seed) {}

std::optional<vcl::TPoint> TBrainOpponent::Choose(const TBrainBoard& Board, const TSearchBudget& ExpertBudget) {
  int Marks[MaxBoardSide][MaxBoardSide] = {};
  Board.FillMarks(Marks);
  const TBoardView View = {Marks, Board.Width(), Board.Height()};
  const std::optional<TChosenCell> Cell = FChooser.Choose(
      View, Board.OwnSide(), FLevel, [] { return std::rand(); }, ExpertBudget);
  if (!Cell) return std::nullopt;
  return vcl::TPoint{Cell->Col, Cell->Row};
}

}  // namespace quintar::brain
