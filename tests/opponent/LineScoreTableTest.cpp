// The fast opponent's line scores: every key, reached through every way the
// cells within four steps of a candidate can look, must score what judging
// the pattern rows one by one gives, for the standard table and for others.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <vector>

#include "LineScores.h"
#include "RandomPositions.h"
#include "ReferenceOpponent.h"
#include "TestBoard.h"

namespace quintar {
namespace {

constexpr int Cross = 1;
constexpr int Nought = -1;
constexpr int Reach = 4;
constexpr int OffBoard = 2;  // stands for a cell beyond the edge in a half line

// The cells on one side of the candidate, nearest first: each 0, Cross,
// Nought or OffBoard, and once one is off the board all further ones are.
using THalfLine = std::array<int, Reach>;

// Every half line a board can show: up to four cells on the board, each
// empty or holding either mark, and the edge after them.
std::vector<THalfLine> EveryHalfLine() {
  std::vector<THalfLine> Halves;
  for (int OnBoard = 0; OnBoard <= Reach; ++OnBoard) {
    int Combinations = 1;
    for (int I = 0; I < OnBoard; ++I) Combinations *= 3;
    for (int Combination = 0; Combination < Combinations; ++Combination) {
      THalfLine Half;
      Half.fill(OffBoard);
      for (int I = 0, Rest = Combination; I < OnBoard; ++I, Rest /= 3) Half[I] = Rest % 3 == 2 ? Nought : Rest % 3;
      Halves.push_back(Half);
    }
  }
  return Halves;
}

int CellsOnBoard(const THalfLine& Half) {
  int Count = 0;
  while (Count < Reach && Half[Count] != OffBoard) ++Count;
  return Count;
}

// The code of a half line: bits 0-3 crosses, 4-7 noughts, both for a cell
// off the board; the nearest cell in bit 0 on the right and in bit 3 on the left.
unsigned CodeOf(const THalfLine& Half, bool LeftHand) {
  unsigned Code = 0;
  for (int Step = 0; Step < Reach; ++Step) {
    const int Bit = LeftHand ? Reach - 1 - Step : Step;
    if (Half[Step] == Cross || Half[Step] == OffBoard) Code |= 1u << Bit;
    if (Half[Step] == Nought || Half[Step] == OffBoard) Code |= 1u << (Bit + 4);
  }
  return Code;
}

// A one-row board holding the two half lines around an empty candidate.
// Where a half stays on the board for all four cells the board goes on for
// two more, filled with marks no row may look at.
struct TLineBoard {
  TTestBoard Board;
  int CandidateCol;
};

TLineBoard BoardFor(const THalfLine& Left, const THalfLine& Right) {
  const int LeftCells = CellsOnBoard(Left) + (CellsOnBoard(Left) == Reach ? 2 : 0);
  const int RightCells = CellsOnBoard(Right) + (CellsOnBoard(Right) == Reach ? 2 : 0);
  TLineBoard Line{TTestBoard(LeftCells + 1 + RightCells, 1), LeftCells};
  for (int Col = 0; Col < Line.Board.ColCount(); ++Col) Line.Board.Put(Col, 0, Col % 2 == 0 ? Cross : Nought);
  Line.Board.Put(Line.CandidateCol, 0, 0);
  for (int Step = 0; Step < CellsOnBoard(Left); ++Step) Line.Board.Put(Line.CandidateCol - 1 - Step, 0, Left[Step]);
  for (int Step = 0; Step < CellsOnBoard(Right); ++Step) Line.Board.Put(Line.CandidateCol + 1 + Step, 0, Right[Step]);
  return Line;
}

void ExpectEveryKeyScoresAsThePlainMatcher(const TPattern* Patterns) {
  const TLineScoreTable Table(Patterns);
  const std::vector<THalfLine> Halves = EveryHalfLine();
  ASSERT_EQ(Halves.size(), 121u);
  std::set<unsigned> CrossKeys;
  std::set<unsigned> NoughtKeys;
  for (const THalfLine& Left : Halves) {
    for (const THalfLine& Right : Halves) {
      const TLineBoard Line = BoardFor(Left, Right);
      const reference::TLineScores Expected = reference::ScoreLines(Line.Board.View(), Patterns, Line.CandidateCol, 0);
      const unsigned LeftCode = CodeOf(Left, true);
      const unsigned RightCode = CodeOf(Right, false);
      const TLineScore Score = Table.Score(LeftCode, RightCode);
      ASSERT_EQ(Score.Cross, Expected.Cross[reference::lnHorizontal]) << "codes " << LeftCode << " " << RightCode;
      ASSERT_EQ(Score.Nought, Expected.Nought[reference::lnHorizontal]) << "codes " << LeftCode << " " << RightCode;
      const unsigned Keys = HalfLineKeys.Left[LeftCode] + HalfLineKeys.Right[RightCode];
      CrossKeys.insert(Keys & 0xFFFFu);
      NoughtKeys.insert(Keys >> 16);
    }
  }
  // Every pair of half-line states was reached, for both sides.
  const std::size_t KeyCount = HalfLineStateCount * HalfLineStateCount;
  EXPECT_EQ(CrossKeys.size(), KeyCount);
  EXPECT_EQ(NoughtKeys.size(), KeyCount);
}

TEST(LineScoreTable, EveryKeyOfTheStandardTableScoresAsThePlainMatcher) {
  ExpectEveryKeyScoresAsThePlainMatcher(StandardPatterns());
}

// Rows in no particular order of score, rows that ask for a mark on the
// candidate, rows with no own mark at all.
TEST(LineScoreTable, EveryKeyOfOtherTablesScoresAsThePlainMatcher) {
  TRandom Random(77);
  for (int Table = 0; Table < 3; ++Table) {
    SCOPED_TRACE(Table);
    const TPatternTable Patterns = RandomPatternTable(Random);
    ExpectEveryKeyScoresAsThePlainMatcher(Patterns.data());
  }
}

// A mark beside the candidate is worth 8500 only with three free cells on
// both sides; an opponent mark or the edge closer than that leaves the 100
// of a five-cell window that stops short of it.
TEST(LineScoreTable, OpponentMarkOrEdgeCutsTheWindowsThatReachIt) {
  const TLineScoreTable Table(StandardPatterns());
  const unsigned CrossBeside = CodeOf({Cross, 0, 0, 0}, true);
  EXPECT_EQ(Table.Score(CrossBeside, CodeOf({0, 0, 0, 0}, false)).Cross, 8500);
  EXPECT_EQ(Table.Score(CrossBeside, CodeOf({0, 0, 0, OffBoard}, false)).Cross, 8500);
  EXPECT_EQ(Table.Score(CrossBeside, CodeOf({Nought, 0, 0, 0}, false)).Cross, 100);
  EXPECT_EQ(Table.Score(CrossBeside, CodeOf({0, 0, OffBoard, OffBoard}, false)).Cross, 100);
  EXPECT_EQ(Table.Score(CrossBeside, CodeOf({0, 0, 0, 0}, false)).Nought, 0);
}

TEST(LineScoreTable, OnlyTheStandardTableItselfTakesTheScoresBuiltOnce) {
  TPatternTable Copy;
  std::copy(StandardPatterns(), StandardPatterns() + PatternCount, Copy.begin());
  // Entries past a row's window are never read, so they may hold anything.
  for (TPattern& Row : Copy)
    for (int Cell = Row.Hi - Row.Lo + 1; Cell < 8; ++Cell) Row.Cells[Cell] = 7;
  EXPECT_NE(StandardLineScoresFor(Copy.data()), nullptr);

  TPatternTable OtherScore = Copy;
  OtherScore[54].Score += 1;
  EXPECT_EQ(StandardLineScoresFor(OtherScore.data()), nullptr);
  TPatternTable OtherCell = Copy;
  OtherCell[0].Cells[4] = 1;
  EXPECT_EQ(StandardLineScoresFor(OtherCell.data()), nullptr);
  TPatternTable OtherWindow = Copy;
  OtherWindow[20].Lo = -3;
  EXPECT_EQ(StandardLineScoresFor(OtherWindow.data()), nullptr);
}

TEST(LineScoreTable, OnlyARowWithoutOwnMarksScoresCellsFarFromEveryMark) {
  EXPECT_FALSE(TLineScoreTable(StandardPatterns()).ScoresLinesWithoutMarks());
  TPatternTable WithEmptyRow;
  std::copy(StandardPatterns(), StandardPatterns() + PatternCount, WithEmptyRow.begin());
  WithEmptyRow[0] = {100, -1, 3, {0, 0, 0, 0, 0}};
  EXPECT_TRUE(TLineScoreTable(WithEmptyRow.data()).ScoresLinesWithoutMarks());
}

}  // namespace
}  // namespace quintar
