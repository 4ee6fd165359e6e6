// What the expert brain tells a manager while it thinks: one MESSAGE line per
// completed depth with the depth, positions, score, best move, a proven
// result as such and the line it expects, and never a line a manager could
// take for its move.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <sstream>
#include <string>
#include <vector>

#include "BrainDriver.h"
#include "ExpertAnalysis.h"
#include "ManualTime.h"

namespace quintar::brain {
namespace {

using quintar::testing::TManualTime;
using testing::TBrainSession;
using testing::TReferee;

// One MESSAGE line taken apart; Read is false when it does not have the
// shape "MESSAGE depth D nodes N score S best X,Y [win|loss in M] line X,Y ...".
struct TDepthMessage {
  bool Read = false;
  int Depth = 0;
  long long Nodes = 0;
  int Score = 0;
  TBoardCell Best;
  std::string Outcome;  // "win", "loss" or empty
  int MovesToFive = 0;
  std::vector<TBoardCell> Line;
  bool LineMakesFive = false;  // played out on the board, by either side
};

bool ReadCell(const std::string& Text, TBoardCell& Cell) {
  std::istringstream In(Text);
  char Comma = 0;
  return In >> Cell.Col >> Comma >> Cell.Row && Comma == ',' && In.peek() == std::char_traits<char>::eof();
}

TDepthMessage ReadMessage(const std::string& Text) {
  TDepthMessage Message;
  std::istringstream In(Text);
  std::string Word[5], BestText;
  In >> Word[0] >> Word[1] >> Message.Depth >> Word[2] >> Message.Nodes >> Word[3] >> Message.Score >> Word[4] >>
      BestText;
  if (!In || Word[0] != "MESSAGE" || Word[1] != "depth" || Word[2] != "nodes" || Word[3] != "score" ||
      Word[4] != "best" || !ReadCell(BestText, Message.Best))
    return Message;
  std::string Next;
  In >> Next;
  if (Next == "win" || Next == "loss") {
    std::string InWord;
    Message.Outcome = Next;
    if (!(In >> InWord >> Message.MovesToFive) || InWord != "in" || !(In >> Next)) return Message;
  }
  if (Next != "line") return Message;
  for (std::string CellText; In >> CellText;) {
    TBoardCell Cell;
    if (!ReadCell(CellText, Cell)) return Message;
    Message.Line.push_back(Cell);
  }
  Message.Read = true;
  return Message;
}

std::vector<std::string> LinesOf(const std::string& Answer) {
  std::vector<std::string> Lines;
  std::istringstream In(Answer);
  for (std::string Line; std::getline(In, Line);) Lines.push_back(Line);
  return Lines;
}

// An answer of the expert: its MESSAGE lines, each read and checked against
// the board as it was before the brain's move, then the bare move.
struct TThinking {
  std::vector<TDepthMessage> Depths;
  std::string Move;
};

void ReadWellFormed(const std::string& Answer, const TBrain& Brain, TThinking& Thinking) {
  const std::vector<std::string> Lines = LinesOf(Answer);
  ASSERT_FALSE(Lines.empty());
  Thinking.Move = Lines.back();
  TBoardCell Move;
  EXPECT_TRUE(ReadCell(Thinking.Move, Move)) << Answer;
  TBrainBoard Before = Brain.Board();
  Before.Put(Move.Col, Move.Row, TStone::Empty);
  for (std::size_t I = 0; I + 1 < Lines.size(); ++I) {
    // A manager takes any line that is not a MESSAGE (or the like) for a move.
    EXPECT_EQ(Lines[I].rfind("MESSAGE ", 0), 0u) << Lines[I];
    TDepthMessage Message = ReadMessage(Lines[I]);
    EXPECT_TRUE(Message.Read) << Lines[I];
    EXPECT_EQ(Message.Depth, static_cast<int>(I) + 1) << Lines[I];
    ASSERT_FALSE(Message.Line.empty()) << Lines[I];
    EXPECT_EQ(Message.Line.front(), Message.Best) << Lines[I];
    EXPECT_LE(Message.Line.size(), static_cast<std::size_t>(MaxLineMoves)) << Lines[I];
    EXPECT_EQ(Message.Outcome.empty(), Message.MovesToFive == 0) << Lines[I];
    // The line is played out on empty cells of the board, each once, the
    // brain's moves and the opponent's in turn.
    TBrainBoard Played = Before;
    for (std::size_t Ply = 0; Ply < Message.Line.size(); ++Ply) {
      const TBoardCell Cell = Message.Line[Ply];
      ASSERT_TRUE(Played.OnBoard(Cell.Col, Cell.Row)) << Lines[I];
      ASSERT_EQ(Played.At(Cell.Col, Cell.Row), TStone::Empty) << Lines[I];
      Played.Put(Cell.Col, Cell.Row, Ply % 2 == 0 ? TStone::Own : TStone::Opponent);
    }
    int Marks[MaxBoardSide][MaxBoardSide] = {};
    Played.FillMarks(Marks);
    Message.LineMakesFive =
        FiveThrough({Marks, Played.Width(), Played.Height()}, Message.Line.back().Col, Message.Line.back().Row);
    Thinking.Depths.push_back(Message);
  }
}

std::string AnswerToBoard(TBrainSession& Send, std::initializer_list<const char*> Stones) {
  Send("INFO timeout_turn 10000");
  Send("START 15");
  Send("BOARD");
  for (const char* Stone : Stones) Send(Stone);
  return Send("DONE");
}

TEST(BrainMessages, ReadDepthPositionsScoreBestMoveAndItsLine) {
  // Each reading of the clock ten milliseconds: a few depths per move, the
  // same in every run.
  TManualTime Clock(std::chrono::milliseconds(10));
  TBrainSession Send(TLevel::Expert, 1, Clock);
  Send("INFO timeout_turn 3000");
  ASSERT_EQ(Send("START 15"), "OK\n");
  TReferee Referee(15, 15);
  int X = 0, Y = 0;
  for (const char* Opponent : {"7,7", "6,8", "9,9"}) {
    ASSERT_TRUE(Referee.Play(std::string(Opponent) + "\n", 2, X, Y));
    TThinking Thinking;
    ReadWellFormed(Send(std::string("TURN ") + Opponent), Send.Brain(), Thinking);
    ASSERT_FALSE(Thinking.Depths.empty()) << Opponent;
    ASSERT_TRUE(Referee.Play(Thinking.Move + "\n", 1, X, Y)) << Thinking.Move;
    for (std::size_t I = 1; I < Thinking.Depths.size(); ++I)
      EXPECT_GE(Thinking.Depths[I].Nodes, Thinking.Depths[I - 1].Nodes);
    // Quiet positions: lines of several moves, both sides in turn, and
    // nothing proven yet.
    EXPECT_GT(Thinking.Depths.back().Line.size(), 1u);
    EXPECT_TRUE(Thinking.Depths.back().Outcome.empty());
  }
}

TEST(BrainMessages, SayAProvenLossAsSuchWithItsLineToTheFive) {
  TBrainSession Send(TLevel::Expert);
  // Two open threes of the opponent's: whatever the brain plays, one becomes
  // an open four, and the five follows on the opponent's second move.
  const std::string Answer = AnswerToBoard(Send, {"5,7,2", "6,7,2", "7,7,2", "11,1,2", "11,2,2", "11,3,2", "0,0,1",
                                                  "14,14,1", "0,14,1", "14,0,1", "1,12,1", "3,3,1"});
  TThinking Thinking;
  ReadWellFormed(Answer, Send.Brain(), Thinking);
  ASSERT_EQ(Thinking.Depths.size(), 1u) << Answer;
  const TDepthMessage& Loss = Thinking.Depths[0];
  EXPECT_EQ(Loss.Outcome, "loss");
  EXPECT_EQ(Loss.MovesToFive, 2);
  // The brain's move, the open four, its block and the five.
  EXPECT_EQ(Loss.Line.size(), 4u);
  EXPECT_TRUE(Loss.LineMakesFive);
  EXPECT_LT(Loss.Score, 0);
  EXPECT_EQ(Thinking.Move, std::to_string(Loss.Best.Col) + "," + std::to_string(Loss.Best.Row));
}

// A win the full search finds through threes is as sure as the replies it
// looks at: the score says it, but no win is claimed.
TEST(BrainMessages, AWinThroughThreesIsScoredButNotClaimed) {
  TBrainSession Send(TLevel::Expert);
  // Two open twos of the brain's cross at 7,7: two open threes at once, an
  // open four next and the five after it, and no four to find on the way.
  const std::string Answer =
      AnswerToBoard(Send, {"5,7,1", "6,7,1", "7,5,1", "7,6,1", "0,0,2", "14,14,2", "0,14,2", "14,0,2"});
  TThinking Thinking;
  ReadWellFormed(Answer, Send.Brain(), Thinking);
  ASSERT_FALSE(Thinking.Depths.empty()) << Answer;
  const TDepthMessage& Win = Thinking.Depths.back();
  EXPECT_EQ(Win.Outcome, "") << Answer;
  EXPECT_EQ(Win.MovesToFive, 0) << Answer;
  EXPECT_FALSE(Win.Line.empty());
  EXPECT_GT(Win.Score, 900000);
  EXPECT_EQ(Thinking.Move, std::to_string(Win.Best.Col) + "," + std::to_string(Win.Best.Row));
}

}  // namespace
}  // namespace quintar::brain
