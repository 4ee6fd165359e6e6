// Reading what a player types: every command, and a message for the rest.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "Commands.h"
#include "TextUtil.h"

namespace quintar::terminal {
namespace {

template <typename T>
T As(std::string_view Line) {
  const TCommand Command = ParseCommand(Line);
  EXPECT_TRUE(std::holds_alternative<T>(Command)) << "\"" << Line << "\"";
  if constexpr (std::is_same_v<T, TInvalid>)
    return std::holds_alternative<T>(Command) ? std::get<T>(Command) : T{TMistake::TooLong, {}};
  else
    return std::holds_alternative<T>(Command) ? std::get<T>(Command) : T{};
}

std::string MessageFor(std::string_view Line) { return Explain(As<TInvalid>(Line), game::TPhrasebook()); }

TEST(ParseCommand, MovesAreTwoNumbersApartOrWithAComma) {
  for (const char* Line : {"8 9", "8,9", " 8 ,  9 ", "8\t9", "8, 9"}) {
    const TPlay Move = As<TPlay>(Line);
    EXPECT_EQ(Move.Col, 8) << Line;
    EXPECT_EQ(Move.Row, 9) << Line;
  }
  // Numbers off the board are moves too: the control refuses them.
  EXPECT_EQ(As<TPlay>("-3 70").Col, -3);
  for (const char* Line : {"8", "8 9 10", "8 x", "99999999999 1", "8 9x"})
    EXPECT_EQ(MessageFor(Line), "A move is a column and a row, for example 8 9.") << Line;
}

TEST(ParseCommand, CommandsAndTheirArguments) {
  As<TNewGame>("new");
  As<TNewGame>("NEW");
  As<TComputerMove>("computer");
  As<THelp>("Help");
  As<TQuit>("quit");
  As<TNothing>("");
  As<TNothing>("  \t ");
  const TResize Size = As<TResize>("size 15 12");
  EXPECT_EQ(Size.Cols, 15);
  EXPECT_EQ(Size.Rows, 12);
  EXPECT_EQ(As<TResize>("size 3 60").Rows, 60);  // the game judges the range
  EXPECT_EQ(As<TSetStrength>("strength low").Level, TLevel::Low);
  EXPECT_EQ(As<TSetStrength>("strength Medium").Level, TLevel::Medium);
  EXPECT_EQ(As<TSetStrength>("strength expert").Level, TLevel::Expert);
  const TSetPlayers Players = As<TSetPlayers>("players computer Person");
  EXPECT_EQ(Players.Crosses, game::TPlayerKind::Computer);
  EXPECT_EQ(Players.Noughts, game::TPlayerKind::Person);
  As<TUndo>("undo");
  As<TRedo>("redo");
  As<THint>("hint");
  As<TAnalyse>("analyse");
  As<TAnalyse>("Analyze");
  As<TReviewGame>("review");
  EXPECT_EQ(As<TSave>("save  my game, 2.psq ").Path, "my game, 2.psq");
  EXPECT_EQ(As<TOpen>("OPEN /tmp/g.psq").Path, "/tmp/g.psq");
  // Names as a shell takes them: in quotes, and from the home folder.
  EXPECT_EQ(As<TSave>("save \"my game.psq\"").Path, "my game.psq");
  EXPECT_EQ(As<TOpen>("open 'it\'s.psq'").Path, "it's.psq");
  EXPECT_EQ(WithHome("~/games/g.psq", "/home/ann"), "/home/ann/games/g.psq");
  EXPECT_EQ(WithHome("~ann/g.psq", "/home/ann"), "~ann/g.psq");
  EXPECT_EQ(WithHome("~/g.psq", nullptr), "~/g.psq");
  EXPECT_TRUE(As<TSetAutoResponse>("auto on").On);
  EXPECT_FALSE(As<TSetAutoResponse>("auto OFF").On);
  EXPECT_TRUE(As<TSetLock>("lock on").On);
  EXPECT_FALSE(As<TSetLock>("lock off").On);
}

// HOME unset or empty is the account's home folder, as a login shell sets it.
TEST(HomeFolder, WithoutHomeTheAccountsFolder) {
  const std::string Before = std::getenv("HOME") ? std::getenv("HOME") : "";
  const passwd* Account = ::getpwuid(::getuid());
  ASSERT_NE(Account, nullptr);
  ::setenv("HOME", "", 1);
  const std::string Empty = HomeFolder() ? HomeFolder() : "";
  ::unsetenv("HOME");
  const std::string Unset = HomeFolder() ? HomeFolder() : "";
  ::setenv("HOME", "/home/ann", 1);
  const std::string Set = HomeFolder();
  ::setenv("HOME", Before.c_str(), 1);
  EXPECT_EQ(Empty, Account->pw_dir);
  EXPECT_EQ(Unset, Account->pw_dir);
  EXPECT_EQ(Set, "/home/ann");
}

TEST(ParseCommand, WrongArgumentsSayHowToWriteTheCommand) {
  EXPECT_EQ(MessageFor("size 15"), "Usage: size W H, for example size 15 15.");
  EXPECT_EQ(MessageFor("size a b"), "Usage: size W H, for example size 15 15.");
  EXPECT_EQ(MessageFor("strength"), "Usage: strength low, medium, high or expert.");
  EXPECT_EQ(MessageFor("strength max"), "Usage: strength low, medium, high or expert.");
  EXPECT_EQ(MessageFor("players person"),
            "Usage: players person computer (crosses, then noughts; each person or computer).");
  EXPECT_EQ(MessageFor("save"), "Usage: save FILE, for example save game.psq.");
  EXPECT_EQ(MessageFor("save \"my game.psq"), "Usage: save FILE, for example save game.psq.");
  EXPECT_EQ(MessageFor("undo 2"), "\"undo\" takes nothing after it.");
  EXPECT_EQ(MessageFor("auto yes"), "Usage: auto on or auto off.");
  EXPECT_EQ(MessageFor("lock"), "Usage: lock on or lock off.");
  EXPECT_EQ(MessageFor("new game"), "\"new\" takes nothing after it.");
  EXPECT_EQ(MessageFor("quit now"), "\"quit\" takes nothing after it.");
  EXPECT_EQ(MessageFor("review game.psq"), "\"review\" takes nothing after it.");
}

TEST(ParseCommand, UnknownWordsAreNamedSafely) {
  EXPECT_EQ(MessageFor("jump"), "Unknown command \"jump\": type help for the list.");
  EXPECT_EQ(MessageFor(std::string("\x1b[31mred", 8)), "Unknown command \"\\x1b[31mred\": type help for the list.");
}

// Names beyond ASCII read as typed in a terminal; broken UTF-8, C1 controls and the marks
// that reorder a line do not, and a cut never halves a character.
TEST(EchoUtf8, ShowsPrintableCharactersAsTheyAreAndEscapesTheRest) {
  EXPECT_EQ(EchoUtf8("d\xc3\xa9j\xc3\xa0.psq"), "d\xc3\xa9j\xc3\xa0.psq");
  EXPECT_EQ(EchoUtf8("\xc3(\xc0\xaf\xc2\x9b\xe2\x80\xae\xed\xa0\x80"),
            "\\xc3(\\xc0\\xaf\\xc2\\x9b\\xe2\\x80\\xae\\xed\\xa0\\x80");
  EXPECT_EQ(EchoUtf8("ab\xc3\xa9", 3), "ab...");
}

}  // namespace
}  // namespace quintar::terminal
