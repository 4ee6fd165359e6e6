// The terminal's part of the game: commands and presses turned into the
// table's requests, asking before a command throws a game away, record
// files, the kept game, the status line and the advice after a refusal. The
// table's own rules are tested once, on the table.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Game.h"
#include "KeptGame.h"

namespace quintar::terminal {
namespace {

using TLines = std::vector<std::string>;
using game::TPhrase;
using game::TTerminalPhrase;

const game::TPhrasebook Words;

TReply Execute(TGame& Game, std::string_view Line) { return Game.Execute(ParseCommand(Line)); }
TLines Said(TGame& Game, std::string_view Line) { return Execute(Game, Line).Lines; }
void Script(TGame& Game, std::initializer_list<const char*> Lines) {
  for (const char* Line : Lines) Execute(Game, Line);
}
std::string Phrase(TPhrase Which) { return Words.Phrase(Which); }
std::string Phrase(TTerminalPhrase Which) { return Words.TerminalPhrase(Which); }

std::filesystem::path FreshFolder(const std::string& Name) {
  const std::filesystem::path Folder = std::filesystem::path(::testing::TempDir()) / Name;
  std::filesystem::remove_all(Folder);
  std::filesystem::create_directories(Folder);
  return Folder;
}

std::vector<std::string> Split(const std::string& Text, const std::string& Separator) {
  std::vector<std::string> Parts;
  for (std::size_t Start = 0;;) {
    const std::size_t End = Text.find(Separator, Start);
    Parts.push_back(Text.substr(Start, End - Start));
    if (End == std::string::npos) return Parts;
    Start = End + Separator.size();
  }
}

// The game every face words alike: each step's reply is exactly the
// sentences the fixture lists, and nothing of the terminal's own.
TEST(GameWords, TheSharedScriptedGameWordForWord) {
  std::ifstream Fixture(QUINTAR_WORDS_FIXTURE);
  ASSERT_TRUE(Fixture.is_open()) << QUINTAR_WORDS_FIXTURE;
  TGame Game(3, 1);
  Script(Game, {"players person person"});
  int Steps = 0;
  TReply Last;
  for (std::string Line; std::getline(Fixture, Line);) {
    if (Line.empty() || Line[0] == '#') continue;
    const std::vector<std::string> Step = Split(Line, " => ");
    ASSERT_EQ(Step.size(), 2u) << Line;
    Last = Execute(Game, Step[0]);
    EXPECT_EQ(Last.Lines, Split(Step[1], " | ")) << Step[0];
    ++Steps;
  }
  EXPECT_EQ(Steps, 14);
  EXPECT_TRUE(Game.Control().GameOver());
  EXPECT_EQ(Last.Advice, Phrase(TTerminalPhrase::PlayAgain));
}

TEST(GameAsks, NewAsksFirstAndGoesAheadWhenTypedAgain) {
  TGame Game(3, 1);
  Script(Game, {"players person person", "1 1"});
  const TReply Asked = Execute(Game, "new");
  EXPECT_EQ(Asked.Lines, TLines{Phrase(TTerminalPhrase::DiscardAskAgain)});
  EXPECT_FALSE(Asked.PositionChanged);
  EXPECT_EQ(Game.Control().Cell(0, 0), 1);
  const TReply Again = Execute(Game, "new");
  EXPECT_EQ(Again.Lines, TLines{"New game: crosses move first."});
  EXPECT_TRUE(Again.PositionChanged);
  EXPECT_EQ(Game.Control().Cell(0, 0), 0);
  // Nothing to lose: no question.
  EXPECT_EQ(Said(Game, "new"), TLines{"New game: crosses move first."});
}

// Quit keeps the game first; one that cannot be kept is said, and goes only
// when quit is typed again.
TEST(GameAsks, QuitSaysAGameThatCannotBeKeptAndGoesWhenTypedAgain) {
  TGame Game(3, 1);
  Script(Game, {"players person person", "1 1"});
  std::string Failure = "Cannot save the game as kept.psq: no space left on device.";
  int Tries = 0;
  Game.KeepAtQuit([&] {
    ++Tries;
    return Failure;
  });
  const TReply Asked = Execute(Game, "quit");
  EXPECT_FALSE(Asked.Quit);
  EXPECT_FALSE(Game.LeftWithoutKeeping());
  EXPECT_EQ(Asked.Lines, (TLines{Failure, Phrase(TTerminalPhrase::DiscardAskAgain)}));
  EXPECT_TRUE(Execute(Game, "quit").Quit);
  EXPECT_TRUE(Game.LeftWithoutKeeping());
  EXPECT_EQ(Tries, 1);

  // Kept, the game goes at once; and not kept, so does one saved elsewhere.
  Failure.clear();
  EXPECT_TRUE(Execute(Game, "quit").Quit);
  Failure = "Cannot save the game as kept.psq: not a directory.";
  const std::string Path = (FreshFolder("terminal-quit") / "saved.psq").string();
  ASSERT_EQ(Said(Game, "save " + Path).size(), 1u);
  EXPECT_TRUE(Execute(Game, "quit").Quit);
  EXPECT_EQ(Tries, 3);
}

TEST(GameAsks, AnotherCommandInBetweenCancelsTheQuestion) {
  TGame Game(3, 1);
  Script(Game, {"players person person", "1 1"});
  EXPECT_EQ(Said(Game, "size 9 9"), TLines{Phrase(TTerminalPhrase::DiscardAskAgain)});
  Script(Game, {"hint"});
  EXPECT_EQ(Said(Game, "size 9 9"), TLines{Phrase(TTerminalPhrase::DiscardAskAgain)});
  // Another size is another question.
  EXPECT_EQ(Said(Game, "size 8 8"), TLines{Phrase(TTerminalPhrase::DiscardAskAgain)});
  EXPECT_EQ(Said(Game, "size 8 8"), TLines{"New game on an 8 × 8 board."});
  Script(Game, {"1 1"});
  // A size the table refuses is refused at once.
  EXPECT_EQ(Said(Game, "size 4 4"), TLines{"A board is 5 to 50 cells a side; the game goes on."});
  EXPECT_EQ(Game.Control().Cell(0, 0), 1);
}

TEST(GameAsks, NotAfterSavingAndOpenAsksOnlyForAFileItCanRead) {
  const std::string Path = (FreshFolder("terminal-asks") / "game.psq").string();
  TGame Game(3, 1);
  Script(Game, {"players person person", "1 1", "2 2"});
  EXPECT_EQ(Said(Game, "save " + Path), TLines{"Saved 2 moves to " + Path + "."});
  Script(Game, {"3 3"});
  EXPECT_EQ(Said(Game, "open /nonexistent/x.psq"),
            TLines{"Cannot open /nonexistent/x.psq as a game: no such file or directory. The game goes on."});
  // A file that is no record is refused before anything is asked.
  const std::string NotARecord = (FreshFolder("terminal-asks-text") / "notes.txt").string();
  std::ofstream(NotARecord) << "shopping list\n";
  EXPECT_EQ(Said(Game, "open " + NotARecord),
            TLines{"Cannot open " + NotARecord +
                   " as a game: line 1: not a game record: it must begin with \"Piskvorky WxH\". The game goes on."});
  EXPECT_EQ(Said(Game, "open " + Path), TLines{Phrase(TTerminalPhrase::DiscardAskAgain)});
  EXPECT_EQ(Game.Control().Cell(2, 2), 1);
  EXPECT_EQ(Said(Game, "open " + Path).size(), 1u);
  EXPECT_EQ(Game.Control().Cell(2, 2), 0);
  EXPECT_EQ(Game.Control().Cell(1, 1), -1);
  // Just opened, the game is not lost by a new one.
  EXPECT_EQ(Said(Game, "new"), TLines{"New game: crosses move first."});
}

// The status line comes from the table's players, not from a setting the
// terminal keeps: a record's expert shows as the expert.
TEST(GameStatus, WhoPlaysComesFromTheTableAfterOpen) {
  const std::string Path = (FreshFolder("terminal-status") / "expert.psq").string();
  TGame Saver(3, 1);
  Script(Saver, {"players person person", "10 10", "11 11", "strength expert", "players person computer"});
  ASSERT_EQ(Said(Saver, "save " + Path).size(), 1u);
  TGame Game(3, 1);
  Script(Game, {"strength low", "size 9 9"});
  EXPECT_EQ(Game.Status(), "Crosses to move: you. Crosses: a person; noughts: the computer (low). Board 9 × 9.");
  Execute(Game, "open " + Path);
  EXPECT_EQ(Game.Status(), "Crosses to move: you. Crosses: a person; noughts: the computer (expert). Board 20 × 20.");
  Script(Game, {"lock on"});
  EXPECT_EQ(Game.Status().find("The board is locked. "), 0u) << Game.Status();
}

// Switching the computer's answer is a change of players, said as one.
TEST(GameStatus, AutoSaysWhoPlaysThenWhatTheComputerDoes) {
  TGame Game(3, 1);
  EXPECT_EQ(Said(Game, "auto off"),
            (TLines{"Crosses: a person; noughts: a person.", Phrase(TTerminalPhrase::ComputerWaits)}));
}

TEST(GameAdvice, ARefusedRequestSaysHowToGoOn) {
  TGame Game(3, 1);
  Script(Game, {"lock on"});
  const TReply Locked = Execute(Game, "5 5");
  EXPECT_EQ(Locked.Lines, TLines{"The board is locked."});
  EXPECT_EQ(Locked.Advice, Phrase(TTerminalPhrase::UnlockToPlay));
  EXPECT_EQ(Said(Game, "lock on"), TLines{"The board is locked."});
  EXPECT_EQ(Execute(Game, "lock off").Advice, "");
  const TReply Hint = Execute(Game, "hint");
  EXPECT_TRUE(Hint.PositionChanged);
  EXPECT_EQ(Hint.Advice, Phrase(TTerminalPhrase::HintMarked));
  ASSERT_TRUE(Game.Hint().has_value());
  EXPECT_EQ(Game.Control().Cell(Game.Hint()->X, Game.Hint()->Y), 0);

  // An opened record waits for the computer's move to be asked for.
  const std::string Demo = (FreshFolder("terminal-advice") / "demo.psq").string();
  std::ofstream(Demo) << "Piskvorky 20x20, 11:11, 0\n10,10,0\nhigh\nhigh\n-1\n";
  Execute(Game, "open " + Demo);
  Execute(Game, "open " + Demo);  // asked again: the game in progress goes
  const TReply Waiting = Execute(Game, "5 5");
  EXPECT_EQ(Waiting.Lines, TLines{"The computer is to move."});
  EXPECT_EQ(Waiting.Advice, Phrase(TTerminalPhrase::ComputerWaits));
}

// With three units a column and one a row, MouseDown's own mapping picks
// the cell under a press given in the terminal's units.
TEST(GamePresses, PlayTheCellUnderThePress) {
  TGame Game(3, 1);
  Script(Game, {"players person person"});
  EXPECT_EQ(Game.Press(vcl::mbLeft, {}, 0, 0).Lines, TLines{"Cross on column 1, row 1."});
  EXPECT_EQ(Game.Press(vcl::mbRight, {}, 5, 0).Lines, TLines{"Nought on column 2, row 1."});
  EXPECT_EQ(Game.Press(vcl::mbLeft, {}, 59, 19).Lines, TLines{"Cross on column 20, row 20."});
  const TReply Taken = Game.Press(vcl::mbLeft, {}, 2, 0);
  EXPECT_EQ(Taken.Lines, TLines{"That cell is taken."});
  EXPECT_FALSE(Taken.PositionChanged);
  EXPECT_EQ(Game.Set("ClickResponse=False"), "");
  const TReply Off = Game.Press(vcl::mbLeft, {}, 30, 3);
  EXPECT_EQ(Off.Lines, TLines{"The board takes no presses."});
  EXPECT_EQ(Off.Advice, Phrase(TTerminalPhrase::ClicksDoNotPlay));
  EXPECT_EQ(Game.Control().Cell(10, 3), 0);
}

// Settings come before play: the table starts from the players they imply.
TEST(GameSettings, PropertiesSeatThePlayersAndRefitTheControl) {
  TGame Game(3, 2);
  EXPECT_EQ(Game.Set("ColCount=15"), "");
  EXPECT_EQ(Game.Set(" RowCount = 7"), "");
  EXPECT_EQ(Game.Control().Width(), 45);
  EXPECT_EQ(Game.Control().Height(), 14);
  EXPECT_EQ(Game.Set("PlayingStrength=stLow"), "");
  EXPECT_EQ(Game.Status(), "Crosses to move: you. Crosses: a person; noughts: the computer (low). Board 15 × 7.");
  EXPECT_EQ(Game.Set("AutoResponse=False"), "");
  EXPECT_EQ(Game.Status(), "Crosses to move. Crosses: a person; noughts: a person. Board 15 × 7.");
  EXPECT_EQ(Game.Set("ColCount"), "expected Name=Value, not \"ColCount\"");
  EXPECT_NE(Game.Set("Nothing=1"), "");
  EXPECT_EQ(Game.Control().ColCount(), 15);
}

// The line and screen sessions keep a demonstration's pace: each move waits
// for Continue, and none waits once a person takes a side.
TEST(GameDemonstration, EachMoveWaitsForContinue) {
  TGame Game(3, 1);
  Script(Game, {"strength low", "players computer computer"});
  EXPECT_GT(Game.PaceDue(), 0);
  EXPECT_EQ(Game.Table().MovesMade(), 0u);
  const TReply First = Game.Continue();
  ASSERT_EQ(First.Lines.size(), 1u);
  EXPECT_EQ(First.Lines[0].rfind("Cross by the computer (low) on column ", 0), 0u) << First.Lines[0];
  EXPECT_TRUE(First.PositionChanged);
  EXPECT_GT(Game.PaceDue(), 0);
  Script(Game, {"players computer person"});
  EXPECT_EQ(Game.PaceDue(), 0);
  EXPECT_EQ(Game.Table().MovesMade(), 1u);
  // Handed back to the computer, or unlocked, the demonstration goes on.
  Script(Game, {"players computer computer"});
  EXPECT_GT(Game.PaceDue(), 0);
  Script(Game, {"lock on"});
  EXPECT_EQ(Game.PaceDue(), 0);
  Script(Game, {"lock off"});
  EXPECT_GT(Game.PaceDue(), 0);
  Game.Continue();
  EXPECT_EQ(Game.Table().MovesMade(), 2u);
  // Asked whether its game may go, it waits for the answer.
  EXPECT_EQ(Said(Game, "new"), TLines{Phrase(TTerminalPhrase::DiscardAskAgain)});
  EXPECT_EQ(Game.PaceDue(), 0);
  Script(Game, {"help"});  // an answer of "play on"
  EXPECT_GT(Game.PaceDue(), 0);
}

TEST(GameFiles, WhatCannotBeWrittenOrReadIsSaidWithTheReason) {
  const std::filesystem::path Folder = FreshFolder("terminal-files");
  TGame Game(3, 1);
  EXPECT_EQ(Said(Game, "save /nonexistent/x.psq"),
            TLines{"Cannot save the game as /nonexistent/x.psq: no such file or directory."});
  const std::string Large = (Folder / "large.psq").string();
  std::ofstream(Large) << std::string(game::LargestRecordBytes + 1, '1');
  EXPECT_EQ(Said(Game, "open " + Large),
            TLines{"Cannot open " + Large + " as a game: the file is larger than any game record. The game goes on."});
  // A pipe is refused at once: opening it would wait for a writer for good.
  const std::string Pipe = (Folder / "pipe.psq").string();
  ASSERT_EQ(::mkfifo(Pipe.c_str(), 0600), 0);
  EXPECT_EQ(Said(Game, "open " + Pipe), TLines{"Cannot open " + Pipe +
                                               " as a game: it is a pipe or a device, not a stored file. The game "
                                               "goes on."});
}

TEST(KeptGame, QuitKeepsTheGameAndTheNextStartTakesItUp) {
  const std::filesystem::path Data = FreshFolder("terminal-xdg");
  const std::filesystem::path File = KeptGamePath(Data.c_str(), "/home/nobody");
  EXPECT_EQ(File, Data / "quintar" / "game.psq");
  TGame First(3, 1);
  Script(First, {"strength medium", "10 10"});
  EXPECT_TRUE(Execute(First, "quit").Quit);
  EXPECT_EQ(KeepGame(File, First.GameToKeep(), First.Words()), "");

  TGame Next(3, 1);
  EXPECT_EQ(TakeUpKeptGame(Next, File), TLines{Phrase(TPhrase::LastGameGoesOn)});
  EXPECT_EQ(Next.Table().MoveLineWords(), First.Table().MoveLineWords());
  EXPECT_EQ(Next.Status(), First.Status());
  // Taken up and left as it was, it is the file's text again: a copy that
  // changed nothing writes nothing.
  EXPECT_EQ(Next.GameToKeep(), First.GameToKeep());

  // A game with no moves leaves nothing behind.
  EXPECT_EQ(KeepGame(File, TGame(3, 1).GameToKeep(), Words), "");
  EXPECT_FALSE(std::filesystem::exists(File));
  TGame Fresh(3, 1);
  EXPECT_EQ(TakeUpKeptGame(Fresh, File), TLines{});

  // Kept with the computer to move, it goes on with the computer's move,
  // and both are said.
  EXPECT_EQ(KeepGame(File, "Piskvorky 20x20, 11:11, 0\n10,10,0\nperson\nmedium\n-1\n", Words), "");
  TGame Answered(3, 1);
  const TLines Said = TakeUpKeptGame(Answered, File);
  ASSERT_EQ(Said.size(), 2u);
  EXPECT_EQ(Said[0], Phrase(TPhrase::LastGameGoesOn));
  EXPECT_EQ(Said[1].rfind("Nought by the computer (medium) on column ", 0), 0u) << Said[1];
}

// Two copies at once: the one that keeps last sets the other's game aside
// rather than overwrite it; with no game of its own it leaves that one be.
TEST(KeptGame, AnotherCopysGameIsSetAsideNotOverwritten) {
  const std::filesystem::path File = KeptGamePath(FreshFolder("terminal-two-copies").c_str(), nullptr);
  const auto Contents = [](const std::filesystem::path& Path) {
    std::ostringstream Text;
    Text << std::ifstream(Path).rdbuf();
    return Text.str();
  };
  const std::string Earlier = "Piskvorky 20x20, 11:11, 0\n1,1,0\n-1\n";
  const std::string Later = "Piskvorky 20x20, 11:11, 0\n2,2,0\n-1\n";
  game::TKeptGameMark First;
  game::TKeptGameMark Second;
  EXPECT_EQ(KeepChangedGame(File, Earlier, First, Words).SetAside, "");
  EXPECT_EQ(KeepChangedGame(File, Later, Second, Words).SetAside,
            "The game another copy kept while this one ran was set aside as " + File.string() + ".earlier.");
  EXPECT_EQ(Contents(File), Later);
  EXPECT_EQ(Contents(File.string() + ".earlier"), Earlier);
  // Its own game it replaces without a word.
  EXPECT_EQ(KeepChangedGame(File, Earlier, Second, Words).SetAside, "");
  EXPECT_EQ(Contents(File), Earlier);
  game::TKeptGameMark NewGameSince(Later, Later);
  EXPECT_EQ(KeepChangedGame(File, "", NewGameSince, Words).Error, "");
  EXPECT_EQ(Contents(File), Earlier);
}

TEST(KeptGame, OneThatCannotBeReadIsSetAsideOnce) {
  const std::filesystem::path File = KeptGamePath(FreshFolder("terminal-unreadable").c_str(), nullptr);
  std::filesystem::create_directories(File.parent_path());
  std::ofstream(File) << "not a record\n";
  TGame Game(3, 1);
  const TLines Said = TakeUpKeptGame(Game, File);
  ASSERT_EQ(Said.size(), 1u);
  EXPECT_EQ(Said[0].rfind("The last game could not be read (", 0), 0u) << Said[0];
  EXPECT_NE(Said[0].find("it was set aside as " + File.string() + ".unreadable."), std::string::npos) << Said[0];
  EXPECT_TRUE(std::filesystem::exists(File.string() + ".unreadable"));
  EXPECT_EQ(TakeUpKeptGame(Game, File), TLines{});
  EXPECT_EQ(Game.Table().MovesMade(), 0u);
  // Another one later leaves the first copy as it was.
  std::ofstream(File) << "nor this\n";
  EXPECT_NE(TakeUpKeptGame(Game, File)[0].find(File.string() + ".unreadable-2."), std::string::npos);
  std::ostringstream First;
  First << std::ifstream(File.string() + ".unreadable").rdbuf();
  EXPECT_EQ(First.str(), "not a record\n");
}

TEST(KeptGame, TheFolderFollowsXdgDataHomeElseHome) {
  EXPECT_EQ(KeptGamePath(nullptr, "/home/p"), "/home/p/.local/share/quintar/game.psq");
  EXPECT_EQ(KeptGamePath("relative/data", "/home/p"), "/home/p/.local/share/quintar/game.psq");
  EXPECT_EQ(KeptGamePath("/data", "/home/p"), "/data/quintar/game.psq");
  EXPECT_TRUE(KeptGamePath(nullptr, nullptr).empty());
}

}  // namespace
}  // namespace quintar::terminal
