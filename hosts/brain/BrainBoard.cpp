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

TBrainOpponent::TBrainOpponent(TLevel Level, std::uint64_t Seed)
    : FLevel(Level),
      FPatterns(std::make_unique<TPattern[]>(PatternCount)),
      FCrossList(std::make_unique<TCandidate[]>(CandidateCapacity)),
      FNoughtList(std::make_unique<TCandidate[]>(CandidateCapacity)),
      FSeed(Seed) {
  FillPatternTable(FPatterns.get());
}

std::optional<vcl::TPoint> TBrainOpponent::Choose(const TBrainBoard& Board, const TSearchBudget& ExpertBudget) {
  int Marks[MaxBoardSide][MaxBoardSide] = {};
  Board.FillMarks(Marks);
  const TBoardView View = {Marks, Board.Width(), Board.Height()};
  bool Found = false;
  vcl::TPoint Cell;
  if (const std::optional<TStrength> Strength = ControlStrength(FLevel)) {
    const TSelection Choice = SelectMove(View, Board.OwnSide(), *Strength, FPatterns.get(), FCrossList.get(),
                                         FNoughtList.get(), [] { return std::rand(); });
    Found = Choice.Found;
    Cell = {Choice.Col, Choice.Row};
  } else {
    if (!FExpert) FExpert = std::make_unique<TExpertSearch>(FSeed);
    const TExpertChoice Choice = FExpert->Choose(View, Board.OwnSide(), ExpertBudget);
    Found = Choice.Found;
    Cell = {Choice.Col, Choice.Row};
  }
  if (!Found) return std::nullopt;
  return Cell;
}

}  // namespace quintar::brain
