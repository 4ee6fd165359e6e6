// The computer explaining itself in the terminal: analyse answers within the
// command with the summary and the best moves, review judges the game on the
// board, and `quintar review` judges a record for a person or a script.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "ChildProcess.h"
#include "Game.h"
#include "RecordReview.h"

namespace quintar::terminal {
namespace {

using TLines = std::vector<std::string>;

TReply Execute(TGame& Game, std::string_view Line) { return Game.Execute(ParseCommand(Line)); }

// Crosses along row 10, noughts along row 1: noughts' sixth move lets
// crosses' open three become an open four, and crosses' fifth move blocks
// noughts instead of making five; noughts then make theirs.
constexpr const char* PlantedMoves[] = {"5 10", "5 1", "6 10", "6 1", "7 10", "7 1", "8 10", "8 1", "9 1", "4 1"};

TEST(Analyse, NamesTheWinOfAnOpenFourAndTheBestMovesOneALine) {
  TGame Game(3, 1);
  for (const char* Line : {"players person person", "5 10", "5 1", "6 10", "6 1", "7 10", "7 1", "8 10", "1 20"})
    Execute(Game, Line);
  const TReply Reply = Execute(Game, "analyse");
  ASSERT_GE(Reply.Lines.size(), 2u);
  EXPECT_TRUE(Reply.Listing);
  // Either end of the four makes five, and the best move comes first.
  const bool LeftEnd = Reply.Lines[0] == "Crosses win in 1 move: column 4, row 10.";
  EXPECT_TRUE(LeftEnd || Reply.Lines[0] == "Crosses win in 1 move: column 9, row 10.") << Reply.Lines[0];
  EXPECT_EQ(Reply.Lines[1],
            LeftEnd ? "column 4, row 10: crosses win in 1 move." : "column 9, row 10: crosses win in 1 move.");
  // Analysis lasts as long as the command; the game goes on as it was.
  EXPECT_FALSE(Game.Table().Analysing());
  EXPECT_EQ(Game.Table().MovesMade(), 8u);
  EXPECT_EQ(Execute(Game, "analyze").Lines.size(), Reply.Lines.size());
  Execute(Game, LeftEnd ? "4 10" : "9 10");
  EXPECT_EQ(Execute(Game, "analyse").Lines,
            (TLines{"Nothing to analyse: the game is over.", "Type review to see every move judged."}));
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
  EXPECT_TRUE(Reply.Lines[5].starts_with("Move 6, nought on column 7, row 1: a win let through;")) << Reply.Lines[5];
  EXPECT_TRUE(Reply.Lines[8].starts_with("Move 9, cross on column 9, row 1: a missed win;")) << Reply.Lines[8];
  EXPECT_TRUE(Reply.Lines[10].starts_with("Crosses: ")) << Reply.Lines[10];
  EXPECT_TRUE(Reply.Lines[11].starts_with("Noughts: ")) << Reply.Lines[11];
  ASSERT_EQ(Progress.size(), std::size(PlantedMoves));
  EXPECT_EQ(Progress.back(), "Reviewing the game: 10 of 10 moves judged.");
  // Asked again about the same game, it answers the same without judging anew.
  EXPECT_EQ(Execute(Game, "review").Lines, Reply.Lines);
  EXPECT_EQ(Progress.size(), std::size(PlantedMoves));
  // Moves taken back are still judged, below a line that says so.
  Execute(Game, "undo");
  TLines SteppedBack = Reply.Lines;
  SteppedBack.insert(SteppedBack.begin() + 9, "Taken back, for redo to play again:");
  EXPECT_EQ(Execute(Game, "review").Lines, SteppedBack);
}

TEST(ReviewJson, StringsAreEscaped) {
  const std::string Awkward = "say \"hi\"\\ \n\t\x01 × end";
  EXPECT_EQ(JsonQuoted(Awkward), "\"say \\\"hi\\\"\\\\ \\n\\t\\u0001 × end\"");
  EXPECT_EQ(nlohmann::json::parse(JsonQuoted(Awkward)), Awkward);
}

std::filesystem::path WritePlantedRecord(const std::string& Name, std::string_view Tail = "-1\n") {
  const std::filesystem::path Path = std::filesystem::path(::testing::TempDir()) / Name;
  std::ofstream Record(Path, std::ios::binary);
  Record << "Piskvorky 20x20, 11:11, 0\n";
  for (std::string Move : PlantedMoves) Record << Move.replace(Move.find(' '), 1, ",") << ",0\n";
  Record << Tail;
  return Path;
}

std::string OutputOf(const std::vector<std::string>& Command) {
  testing::TChildProcess Program(Command);
  std::string Output = Program.ReadAll();
  EXPECT_EQ(Program.Wait(), 0);
  return Output;
}

TEST(ReviewCommand, ARecordAsJsonForScriptsAndAlikeOnEveryRun) {
  const std::string Record = WritePlantedRecord("planted.psq").string();
  const nlohmann::json Json = nlohmann::json::parse(OutputOf({QUINTAR_GAME_PROGRAM, "review", Record, "--json"}));
  EXPECT_EQ(Json["board"], nlohmann::json({{"cols", 20}, {"rows", 20}}));
  const nlohmann::json& Moves = Json["moves"];
  ASSERT_EQ(Moves.size(), std::size(PlantedMoves));
  EXPECT_EQ(Moves[5]["judgement"], "win let through");
  EXPECT_EQ(Moves[5]["side"], "noughts");
  EXPECT_EQ(Moves[8]["judgement"], "missed win");
  EXPECT_EQ(Moves[8]["move"], 9);
  EXPECT_EQ(Moves[8]["col"], 9);
  EXPECT_EQ(Moves[8]["row"], 1);
  EXPECT_EQ(Moves[8]["better"]["row"], 10);
  EXPECT_TRUE(Moves[8]["words"].get<std::string>().starts_with("Move 9, cross on column 9, row 1: a missed win;"));
  EXPECT_TRUE(Moves[9]["better"].is_null());  // noughts' five was the best move
  EXPECT_EQ(Json["summary"]["crosses"]["missed win"], 1);
  EXPECT_EQ(Json["summary"]["crosses"]["turningPoint"], 9);
  EXPECT_EQ(Json["summary"]["noughts"]["win let through"], 1);
  // Where moves are equally good, every run names the same one.
  const std::string Text = OutputOf({QUINTAR_GAME_PROGRAM, "review", Record});
  EXPECT_NE(Text.find(": a 20 × 20 board, 10 moves. Noughts won.\nMove 1, cross on column 5, row 10: "),
            std::string::npos)
      << Text;
  EXPECT_EQ(OutputOf({QUINTAR_GAME_PROGRAM, "review", Record}), Text);

  // A review plays no move, so it says nothing of who moves next.
  const std::filesystem::path Short = std::filesystem::path(::testing::TempDir()) / "short.psq";
  std::ofstream(Short, std::ios::binary) << "Piskvorky 20x20, 11:11, 0\n10,10,0\n-1\n";
  EXPECT_NE(OutputOf({QUINTAR_GAME_PROGRAM, "review", Short.string()}).find(": a 20 × 20 board, 1 move.\nMove 1, "),
            std::string::npos);
}

TEST(ReviewCommand, WhatCannotBeReviewedIsOneLineOnStandardError) {
  const std::string Bad = WritePlantedRecord("bad.psq", "5,5,0\n-1\n").string();  // a move on a taken cell
  const std::filesystem::path Empty = std::filesystem::path(::testing::TempDir()) / "empty.psq";
  std::ofstream(Empty, std::ios::binary) << "Piskvorky 20x20, 11:11, 0\n-1\n";
  for (const std::string& Arguments : {"review " + Bad, "review " + Bad + ".missing --json", std::string("review"),
                                       std::string("review a.psq --frobnicate"), "review " + Empty.string()}) {
    // Standard error alone, through the shell, with standard output dropped.
    testing::TChildProcess Review({"/bin/sh", "-c", "\"$0\" " + Arguments + " 2>&1 >/dev/null", QUINTAR_GAME_PROGRAM});
    const std::string Errors = Review.ReadAll();
    EXPECT_NE(Review.Wait(), 0) << Arguments;
    EXPECT_TRUE(Errors.starts_with("quintar review: ")) << Errors;
    EXPECT_EQ(Errors.find('\n'), Errors.size() - 1) << Errors;
  }
}

// A reader gone before the review is written (a pipe closed early) is one
// line too, not a silent end by the signal.
TEST(ReviewCommand, AClosedPipeIsOneLineOnStandardError) {
  const std::string Record = WritePlantedRecord("closed.psq").string();
  int Output[2];
  int Errors[2];
  ASSERT_EQ(::pipe(Output), 0);
  ASSERT_EQ(::pipe(Errors), 0);
  ::close(Output[0]);  // nobody reads
  const pid_t Child = ::fork();
  ASSERT_GE(Child, 0);
  if (Child == 0) {
    std::signal(SIGPIPE, SIG_DFL);  // as a shell leaves it
    ::dup2(Output[1], STDOUT_FILENO);
    ::dup2(Errors[1], STDERR_FILENO);
    ::execl(QUINTAR_GAME_PROGRAM, "quintar", "review", Record.c_str(), nullptr);
    ::_exit(127);
  }
  ::close(Output[1]);
  ::close(Errors[1]);
  std::string Said;
  char Buffer[256];
  for (ssize_t Got; (Got = ::read(Errors[0], Buffer, sizeof Buffer)) > 0;) Said.append(Buffer, Got);
  ::close(Errors[0]);
  int Status = 0;
  ASSERT_EQ(::waitpid(Child, &Status, 0), Child);
  EXPECT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 1) << Status;
  EXPECT_EQ(Said, "quintar review: cannot write the output: broken pipe\n");
}

}  // namespace
}  // namespace quintar::terminal
