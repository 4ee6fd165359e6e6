// The quintar program played from a script on its standard input.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "ChildProcess.h"

namespace quintar::testing {
namespace {

bool Contains(const std::string& Text, const std::string& Part) { return Text.find(Part) != std::string::npos; }

TEST(ScriptedGame, AWholeGameWithEventsAndTheFinalBoard) {
  TChildProcess Game({QUINTAR_GAME_PROGRAM, "--set", "ColCount=9", "--set", "RowCount=6"});
  Game.Send("auto off\n5 5\n5 5\n10 1\nbogus\n1 1\r\n6 5\n1,2\n7 5\n1 3\n8 5\n2 2\nsize 4 4\n9 5\n9 6\nquit\n1 6\n");
  const std::string Output = Game.ReadAll();
  EXPECT_EQ(Game.Wait(), 0);
  EXPECT_FALSE(Contains(Output, "\x1b")) << "escape codes on a pipe";
  EXPECT_FALSE(Contains(Output, "> ")) << "a prompt on a pipe";
  for (const char* Said : {"Cross on column 5, row 5.\n", "That cell is taken.\n", "That cell is off the board.\n",
                           "Unknown command \"bogus\": type help for the list.\n", "Nought on column 1, row 1.\n",
                           "A board is 5 to 50 cells a side; the game goes on.\n",
                           "Cross on column 9, row 5.\nCrosses won.\nType new to play again.\n",
                           "The game is over.\nType new to play again.\n"})
    EXPECT_TRUE(Contains(Output, Said)) << Said;
  EXPECT_FALSE(Contains(Output, "Nought on column 1, row 6.")) << "a command after quit ran";
  const std::string FinalBoard =
      "    1  2  3  4  5  6  7  8  9\n"
      " 1  O  .  .  .  .  .  .  .  .\n"
      " 2  O  O  .  .  .  .  .  .  .\n"
      " 3  O  .  .  .  .  .  .  .  .\n"
      " 4  .  .  .  .  .  .  .  .  .\n"
      " 5  .  .  .  . (X)(X)(X)(X)[X]\n"
      " 6  .  .  .  .  .  .  .  .  .\n\n";
  ASSERT_GE(Output.size(), FinalBoard.size());
  const std::size_t Last = Output.rfind("    1  2");
  EXPECT_EQ(Output.substr(Last, FinalBoard.size()), FinalBoard);
}

TEST(ScriptedGame, AgainstTheComputerUntilTheEndOfInput) {
  TChildProcess Game({QUINTAR_GAME_PROGRAM, "--set", "PlayingStrength=stLow"});
  Game.Send("computer\n1 1\n");
  const std::string Output = Game.ReadAll();
  EXPECT_EQ(Game.Wait(), 0);
  // The computer moves once for the person, then answers with noughts.
  EXPECT_TRUE(Contains(Output, "Cross by the computer (low) on column ")) << Output;
  EXPECT_TRUE(Contains(Output, "Nought by the computer (low) on column ")) << Output;
  EXPECT_TRUE(Contains(Output, "Cross on column 1, row 1.\nNought by the computer (low) on column ")) << Output;
}

// A script plays the same every time: it neither takes up the game a person
// kept nor keeps its own.
TEST(ScriptedGame, APipeNeitherRestoresNorKeeps) {
  const std::filesystem::path Data = std::filesystem::path(::testing::TempDir()) / "scripted-xdg";
  const std::filesystem::path Kept = Data / "quintar" / "game.psq";
  std::filesystem::remove_all(Data);
  std::filesystem::create_directories(Kept.parent_path());
  const std::string Record = "Piskvorky 20x20, 11:11, 0\n3,3,0\n-1\n";
  std::ofstream(Kept) << Record;
  ::setenv("XDG_DATA_HOME", Data.c_str(), 1);
  TChildProcess Game({QUINTAR_GAME_PROGRAM});
  Game.Send("players person person\n1 1\nquit\n");
  const std::string Output = Game.ReadAll();
  EXPECT_EQ(Game.Wait(), 0);
  ::unsetenv("XDG_DATA_HOME");
  EXPECT_FALSE(Contains(Output, "The last game goes on.")) << Output;
  EXPECT_TRUE(Contains(Output, "Cross on column 1, row 1.")) << Output;
  std::ifstream File(Kept);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(File), {}), Record);
}

TEST(ScriptedGame, BadOptionsEndWithAOneLineError) {
  EXPECT_EQ(TChildProcess({QUINTAR_GAME_PROGRAM, "--set", "Nope=1"}).Wait(), 2);
  EXPECT_EQ(TChildProcess({QUINTAR_GAME_PROGRAM, "--frobnicate"}).Wait(), 2);
  EXPECT_EQ(TChildProcess({QUINTAR_GAME_PROGRAM, "render", "--board", "1x1", "-o", "x.png"}).Wait(), 2);
}

// "-o -" is standard output: the same picture as in a file, for a pipe.
TEST(ScriptedGame, RenderWritesToStandardOutput) {
  const std::string File = (std::filesystem::path(::testing::TempDir()) / "render-to-file.png").string();
  ASSERT_EQ(TChildProcess({QUINTAR_GAME_PROGRAM, "render", "--moves", "3,3", "-o", File}).Wait(), 0);
  TChildProcess Piped({QUINTAR_GAME_PROGRAM, "render", "--moves", "3,3", "-o", "-"});
  const std::string Png = Piped.ReadAll();
  EXPECT_EQ(Piped.Wait(), 0);
  std::ifstream Written(File, std::ios::binary);
  EXPECT_EQ(Png, std::string(std::istreambuf_iterator<char>(Written), {}));
  EXPECT_EQ(Png.substr(0, 4), "\x89PNG");
  std::filesystem::remove(File);
}

}  // namespace
}  // namespace quintar::testing
