// The computer explaining itself in the terminal: analyse answers within the
// command with the summary and the best moves, review judges the game on the
// board, and `quintar review` judges a record for a person or a script.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ChildProcess.h"
#include "Game.h"
#include "JsonReader.h"
#include "RecordReview.h"

namespace quintar::terminal {
namespace {

using TLines = std::vector<std::string>;

TReply Execute(TGame& Game, std::string_view Line) { return Game.Execute(ParseCommand(Line)); }

bool StartsWith(const std::string& Text, std::string_view Start) { return Text.starts_with(Start); }

// Crosses along row 10, noughts along row 1: noughts' sixth move lets
// crosses' open three become an open four, and crosses' fifth move blocks
// noughts instead of making five; noughts then make theirs.
constexpr const char* PlantedMoves[] = {"5 10", "5 1", "6 10", "6 1", "7 10", "7 1", "8 10", "8 1", "9 1", "4 1"};

void PlayBetweenPeople(TGame& Game, std::initializer_list<const char*> Moves) {
  Execute(Game, "players person person");
  for (const char* Move : Moves) Execute(Game, Move);
}

TEST(Analyse, NamesTheWinOfAnOpenFourAndTheBestMovesOneALine) {
  TGame Game(3, 1);
  PlayBetweenPeople(Game, {"5 10", "5 1", "6 10", "6 1", "7 10", "7 1", "8 10", "1 20"});
  const TReply Reply = Execute(Game, "analyse");
  ASSERT_GE(Reply.Lines.size(), 2u);
  EXPECT_TRUE(Reply.Listing);
  EXPECT_FALSE(Reply.PositionChanged);
  // Either end of the four makes five.
  const std::string& Summary = Reply.Lines.front();
  const bool LeftEnd = Summary == "Crosses win in 1: column 4, row 10.";
  EXPECT_TRUE(LeftEnd || Summary == "Crosses win in 1: column 9, row 10.") << Summary;
  // The best move first, worth what the summary says.
  EXPECT_EQ(Reply.Lines[1], (LeftEnd ? "column 4, row 10: " : "column 9, row 10: ") + Summary);
  for (std::size_t Line = 1; Line < Reply.Lines.size(); ++Line)
    EXPECT_TRUE(StartsWith(Reply.Lines[Line], "column ")) << Reply.Lines[Line];
  // Analysis lasts as long as the command; the game goes on as it was.
  EXPECT_FALSE(Game.Table().Analysing());
  EXPECT_EQ(Game.Table().MovesMade(), 8u);
  const TReply Again = Execute(Game, "analyze");
  ASSERT_FALSE(Again.Lines.empty());
  EXPECT_TRUE(StartsWith(Again.Lines.front(), "Crosses win in 1: column ")) << Again.Lines.front();
}

TEST(Analyse, AFinishedGameHasNothingToAnalyse) {
  TGame Game(3, 1);
  PlayBetweenPeople(Game, {"1 1", "1 2", "2 1", "2 2", "3 1", "3 2", "4 1", "4 2", "5 1"});
  EXPECT_EQ(Execute(Game, "analyse").Lines, TLines{game::TPhrasebook().Phrase(game::TPhrase::NothingToAnalyse)});
}

TEST(Review, TheGameOnTheBoardJudgedMoveByMoveThenSummedUp) {
  TGame Game(3, 1);
  EXPECT_EQ(Execute(Game, "review").Lines, TLines{game::TPhrasebook().Phrase(game::TPhrase::NothingToReview)});
  Execute(Game, "players person person");
  for (const char* Move : PlantedMoves) Execute(Game, Move);
  TLines Progress;
  Game.SetReviewProgress([&](const std::string& Words) { Progress.push_back(Words); });
  const TReply Reply = Execute(Game, "review");
  ASSERT_EQ(Reply.Lines.size(), std::size(PlantedMoves) + 2);
  EXPECT_TRUE(Reply.Listing);
  EXPECT_TRUE(StartsWith(Reply.Lines[5], "Move 6, nought on column 7, row 1: a win let through;")) << Reply.Lines[5];
  EXPECT_TRUE(StartsWith(Reply.Lines[8], "Move 9, cross on column 9, row 1: a missed win;")) << Reply.Lines[8];
  EXPECT_TRUE(StartsWith(Reply.Lines[10], "Crosses: ")) << Reply.Lines[10];
  EXPECT_TRUE(StartsWith(Reply.Lines[11], "Noughts: ")) << Reply.Lines[11];
  ASSERT_EQ(Progress.size(), std::size(PlantedMoves));
  EXPECT_EQ(Progress.back(), "Reviewing the game: 10 of 10 moves judged.");
  // Asked again about the same game, it answers the same without judging anew.
  EXPECT_EQ(Execute(Game, "review").Lines, Reply.Lines);
  EXPECT_EQ(Progress.size(), std::size(PlantedMoves));
}

TEST(ReviewJson, StringsAreEscapedAndReadBack) {
  const std::string Awkward = "say \"hi\"\\ \n\t\x01 × end";
  EXPECT_EQ(JsonQuoted(Awkward), "\"say \\\"hi\\\"\\\\ \\n\\t\\u0001 × end\"");
  const std::optional<testing::TJson> Read = testing::ReadJson(JsonQuoted(Awkward));
  ASSERT_TRUE(Read);
  EXPECT_EQ(Read->String, Awkward);
}

// The reader the script tests trust refuses what a script's parser would.
TEST(ReviewJson, TheTestsReaderRefusesWhatIsNotJson) {
  for (const char* NotJson : {"", "{", "{\"a\": 1,}", "{a: 1}", "[1 2]", "01", "1.", "\"\t\"", "{} {}", "nul"})
    EXPECT_FALSE(testing::ReadJson(NotJson)) << NotJson;
  const std::optional<testing::TJson> Read = testing::ReadJson(" {\"a\": [true, false, null, -1.5e2]} ");
  ASSERT_TRUE(Read);
  EXPECT_TRUE((*Read)["a"][0].Bool);
  EXPECT_FALSE((*Read)["a"][1].Bool);
  EXPECT_EQ((*Read)["a"][3].Number, -150);
}

std::filesystem::path WriteFile(const std::string& Name, const std::string& Text) {
  const std::filesystem::path Path = std::filesystem::path(::testing::TempDir()) / Name;
  std::ofstream(Path, std::ios::binary) << Text;
  return Path;
}

std::string PlantedRecord() {
  std::string Record = "Piskvorky 20x20, 11:11, 0\n";
  for (const char* Move : PlantedMoves) {
    std::string Cell = Move;
    Cell[Cell.find(' ')] = ',';
    Record += Cell + ",0\n";
  }
  return Record + "-1\n";
}

TEST(ReviewCommand, ARecordAsJsonForScripts) {
  const std::filesystem::path Record = WriteFile("planted.psq", PlantedRecord());
  testing::TChildProcess Review({QUINTAR_GAME_PROGRAM, "review", Record.string(), "--json"});
  const std::string Output = Review.ReadAll();
  EXPECT_EQ(Review.Wait(), 0);
  const std::optional<testing::TJson> Json = testing::ReadJson(Output);
  ASSERT_TRUE(Json) << Output;
  EXPECT_EQ((*Json)["board"]["cols"].Number, 20);
  const testing::TJson& Moves = (*Json)["moves"];
  ASSERT_EQ(Moves.Items.size(), std::size(PlantedMoves));
  EXPECT_EQ(Moves[5]["judgement"].String, "win let through");
  EXPECT_EQ(Moves[5]["side"].String, "noughts");
  EXPECT_EQ(Moves[8]["judgement"].String, "missed win");
  EXPECT_EQ(Moves[8]["move"].Number, 9);
  EXPECT_EQ(Moves[8]["col"].Number, 9);
  EXPECT_EQ(Moves[8]["row"].Number, 1);
  EXPECT_EQ(Moves[8]["better"]["row"].Number, 10);
  EXPECT_TRUE(StartsWith(Moves[8]["words"].String, "Move 9, cross on column 9, row 1: a missed win;"));
  EXPECT_EQ(Moves[9]["better"].Kind, testing::TJson::TKind::Null);  // noughts' five was the best move
  EXPECT_EQ((*Json)["summary"]["crosses"]["missed win"].Number, 1);
  EXPECT_EQ((*Json)["summary"]["crosses"]["turningPoint"].Number, 9);
  EXPECT_EQ((*Json)["summary"]["noughts"]["win let through"].Number, 1);
}

TEST(ReviewCommand, TheSameRecordReadsTheSameOnEveryRun) {
  const std::filesystem::path Record = WriteFile("planted-twice.psq", PlantedRecord());
  const auto Run = [&] {
    testing::TChildProcess Review({QUINTAR_GAME_PROGRAM, "review", Record.string()});
    std::string Output = Review.ReadAll();
    EXPECT_EQ(Review.Wait(), 0);
    return Output;
  };
  const std::string First = Run();
  EXPECT_TRUE(StartsWith(First, "Opened ")) << First;
  EXPECT_NE(First.find(": a 20 × 20 board, 10 moves.\nMove 1, cross on column 5, row 10: "), std::string::npos)
      << First;
  EXPECT_EQ(Run(), First);
}

// Standard error alone, through the shell, with standard output dropped.
std::string ErrorsOf(const std::string& Arguments, int& Status) {
  testing::TChildProcess Run(
      {"/bin/sh", "-c", std::string("\"$0\" ") + Arguments + " 2>&1 >/dev/null", QUINTAR_GAME_PROGRAM});
  const std::string Errors = Run.ReadAll();
  Status = Run.Wait();
  return Errors;
}

TEST(ReviewCommand, AFileThatIsNoRecordIsOneLineOnStandardError) {
  const std::filesystem::path Bad = WriteFile("bad.psq", "Piskvorky 20x20, 11:11, 0\n5,5,0\n5,5,0\n-1\n");
  for (const std::string& Arguments : {"review " + Bad.string(), "review " + Bad.string() + ".missing --json",
                                       std::string("review"), std::string("review a.psq --frobnicate")}) {
    int Status = 0;
    const std::string Errors = ErrorsOf(Arguments, Status);
    EXPECT_NE(Status, 0) << Arguments;
    EXPECT_TRUE(StartsWith(Errors, "quintar review: ")) << Errors;
    EXPECT_EQ(Errors.find('\n'), Errors.size() - 1) << Errors;
  }
}

}  // namespace
}  // namespace quintar::terminal
