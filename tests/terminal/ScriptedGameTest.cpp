// The quintar program played from a script on its standard input.
#include <gtest/gtest.h>

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
                           "The game is over. Type new to play again.\n"})
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

TEST(ScriptedGame, BadOptionsEndWithAOneLineError) {
  EXPECT_EQ(TChildProcess({QUINTAR_GAME_PROGRAM, "--set", "Nope=1"}).Wait(), 2);
  EXPECT_EQ(TChildProcess({QUINTAR_GAME_PROGRAM, "--frobnicate"}).Wait(), 2);
  EXPECT_EQ(TChildProcess({QUINTAR_GAME_PROGRAM, "render", "--board", "1x1", "-o", "x.png"}).Wait(), 2);
}

}  // namespace
}  // namespace quintar::testing
