#include "HintReason.h"

#include "ExpertBoard.h"
#include "FourSearch.h"
#include "Rules.h"
#include "SearchClock.h"

namespace quintar {
namespace expert {
namespace {

// As many fours as the expert looks for before it searches, and positions
// enough to prove any win a player would be shown; a hint is asked for
// rarely, so a few milliseconds are well spent.
constexpr int MostFours = 40;
constexpr std::int64_t FourNodes = 20000;

// The shortest win by fours the search finds for the side to move: the moves
// to its five, 0 when it finds none. Complete is false when the budget ended
// the search before it could tell.
struct TFourWin {
  int MovesToFive = 0;
  bool Complete = true;
};

class THintJudge {
 public:
  THintJudge(const TBoardView& Board, int Turn, int Col, int Row)
      : FSide(SideOfTurn(Turn)), FOpponent(Opposite(FSide)), FCell(TExpertBoard::IndexOf(Col, Row)) {
    FBoard.Load(Board);
  }
  THintReason Reason();

 private:
  bool Makes(int Side, TLinePattern Pattern) const;
  int WinByFoursFromCell();
  int BlockedWinByFours();
  TFourWin ShortestFourWin(int Side);

  TExpertBoard FBoard;
  TSearchClock FClock;
  TFourSearch FFours{FBoard, FClock};
  int FSide;
  int FOpponent;
  int FCell;
};

// A win answers everything, so the wins come first; but not while the other
// side keeps a five to make.
THintReason THintJudge::Reason() {
  if (FBoard.Threat(FSide, FCell) == thFive) return {hkMakesFive, 1};
  const int OpponentFives = FBoard.CountAtLeast(FOpponent, thFive);
  const bool BlocksFive = FBoard.Threat(FOpponent, FCell) == thFive;
  if (OpponentFives == (BlocksFive ? 1 : 0)) {
    if (Makes(FSide, lpFlex4)) return {hkMakesOpenFour, 2};
    if (const int Moves = WinByFoursFromCell(); Moves > 0) return {hkStartsWinByFours, Moves};
  }
  if (BlocksFive) return {hkBlocksFive, 1};
  if (Makes(FOpponent, lpFlex4)) return {hkBlocksOpenFour, 2};
  if (const int Moves = BlockedWinByFours(); Moves > 0) return {hkBlocksWinByFours, Moves};
  if (Makes(FSide, lpFlex3)) return {hkMakesOpenThree, 0};
  if (Makes(FOpponent, lpFlex3)) return {hkBlocksOpenThree, 0};
  return {};
}

// Whether a move of Side on the cell makes Pattern along one of its lines.
bool THintJudge::Makes(int Side, TLinePattern Pattern) const {
  for (int Direction = 0; Direction < DirectionCount; ++Direction)
    if (FBoard.Line(Side, FCell, Direction) == Pattern) return true;
  return false;
}

// The moves to five of the shortest win by fours that starts on the cell: two
// fours at once win in two; a single four is blocked, and the search for
// fours goes on from there. 0 when the cell makes no four or the search
// proves no win.
int THintJudge::WinByFoursFromCell() {
  if (FBoard.Threat(FSide, FCell) < thFour) return 0;
  FBoard.Play(FCell, FSide);
  const int Fives = FBoard.CountAtLeast(FSide, thFive);
  int Moves = 0;
  if (Fives >= 2) {
    Moves = 2;
  } else if (Fives == 1) {
    FBoard.Play(FBoard.Find(FSide, thFive), FOpponent);
    const TFourWin Rest = ShortestFourWin(FSide);
    FBoard.Undo();
    if (Rest.MovesToFive > 0) Moves = Rest.MovesToFive + 1;
  }
  FBoard.Undo();
  return Moves;
}

// The moves to five of the other side's shortest win by fours, were it to
// move now, when the move on the cell leaves it none; else 0. A move that
// makes a four is left out: the other side blocks it and may win after all,
// which this look does not follow.
int THintJudge::BlockedWinByFours() {
  if (FBoard.Threat(FSide, FCell) >= thFour) return 0;
  const TFourWin Threatened = ShortestFourWin(FOpponent);
  if (Threatened.MovesToFive == 0) return 0;
  FBoard.Play(FCell, FSide);
  const TFourWin Left = ShortestFourWin(FOpponent);
  FBoard.Undo();
  return Left.MovesToFive == 0 && Left.Complete ? Threatened.MovesToFive : 0;
}

// One more four allowed at a time, so the first win found is the shortest.
// A search allowed Fours fours that wins ends either with its five after
// Fours fours or with an open four (or two fours) after Fours - 1: Fours + 1
// moves of the winner's either way. Each four tried counts as a position, so
// once one more four allowed tries no more fours than the search before it,
// no line was cut short and there is no win to find.
TFourWin THintJudge::ShortestFourWin(int Side) {
  FClock.Start({0, FourNodes, nullptr});
  std::int64_t Tried = 0;
  for (int Fours = 1; Fours <= MostFours; ++Fours) {
    const std::int64_t Before = FClock.Nodes();
    if (FFours.FindWin(Side, Fours, 0) != TExpertBoard::NoCell) return {Fours + 1, true};
    if (FClock.Spent()) return {0, false};
    if (FClock.Nodes() - Before == Tried) return {};
    Tried = FClock.Nodes() - Before;
  }
  return {0, false};
}

}  // namespace
}  // namespace expert

THintReason HintReasonFor(const TBoardView& Board, int Turn, int Col, int Row) {
  if (!BoardSideFits(Board.ColCount) || !BoardSideFits(Board.RowCount) ||
      !OnBoard(Board.ColCount, Board.RowCount, Col, Row) || Board.Cells[Col][Row] != 0)
    return {};
  return expert::THintJudge(Board, Turn, Col, Row).Reason();
}

}  // namespace quintar
