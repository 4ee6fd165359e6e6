// The full-screen game as a person's terminal runs it: the real program on a
// pseudo-terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace quintar::terminal {
namespace {

namespace fs = std::filesystem;

constexpr const char* ShellPrompt = "shell$ ";

// The game on a terminal of its own, 80 x 24, with Term as TERM and its data
// home in Data; or, for job control, a shell there to start it from.
class TScreenGame {
 public:
  TScreenGame(const char* Term, const fs::path& Data, bool FromShell = false) {
    winsize Size{24, 80, 0, 0};
    FPid = forkpty(&FMaster, nullptr, nullptr, &Size);
    if (FPid == 0) {
      setenv("TERM", Term, 1);
      setenv("XDG_DATA_HOME", Data.c_str(), 1);
      setenv("PS1", ShellPrompt, 1);
      if (FromShell)
        execl("/bin/bash", "bash", "--norc", "--noprofile", "-i", static_cast<char*>(nullptr));
      else
        execl(QUINTAR_GAME_PROGRAM, QUINTAR_GAME_PROGRAM, static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~TScreenGame() {
    if (FPid > 0) {
      kill(FPid, SIGKILL);
      Wait();
    }
    if (FMaster >= 0) close(FMaster);
  }

  bool Started() const { return FPid > 0; }
  void Type(const std::string& Keys) { ASSERT_EQ(write(FMaster, Keys.data(), Keys.size()), ssize_t(Keys.size())); }
  // Everything shown so far, once it holds Text (from byte From on) or ten
  // seconds have passed.
  const std::string& ShownOnce(const std::string& Text, std::size_t From = 0) {
    for (int Round = 0; Round < 1000 && FShown.find(Text, From) == std::string::npos; ++Round) ReadFor(10);
    return FShown;
  }
  // The exit status, or -1 when it ended otherwise or was still running
  // after ten seconds (and then killed).
  int Wait() {
    int Status = 0;
    for (int Round = 0; FPid > 0 && waitpid(FPid, &Status, WNOHANG) == 0; ++Round) {
      if (Round == 1000) kill(FPid, SIGKILL);
      ReadFor(10);
    }
    FPid = -1;
    return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
  }
  pid_t Pid() const { return FPid; }

 private:
  void ReadFor(int Milliseconds) {
    pollfd Output{FMaster, POLLIN, 0};
    if (poll(&Output, 1, Milliseconds) <= 0) return;
    char Bytes[4096];
    const ssize_t Count = read(FMaster, Bytes, sizeof Bytes);
    if (Count > 0) FShown.append(Bytes, static_cast<std::size_t>(Count));
  }

  int FMaster = -1;
  pid_t FPid = -1;
  std::string FShown;
};

fs::path FreshFolder(const std::string& Name) {
  const fs::path Folder = fs::path(::testing::TempDir()) / Name;
  fs::remove_all(Folder);
  fs::create_directories(Folder);
  return Folder;
}

// Closing the terminal window hangs the game up: it ends as quitting does,
// with the game kept and the terminal put back.
TEST(ScreenProcess, AHangUpKeepsTheGameAsQuitDoes) {
  const fs::path Data = FreshFolder("screen-hangup");
  TScreenGame Game("xterm-256color", Data);
  ASSERT_TRUE(Game.Started());
  Game.ShownOnce("\x1b[?1049h");
  Game.Type("players person person\r");
  Game.Type("5 5\r");
  ASSERT_NE(Game.ShownOnce("Noughts to move").find("Noughts to move"), std::string::npos);
  kill(Game.Pid(), SIGHUP);
  Game.Wait();
  std::ostringstream Kept;
  Kept << std::ifstream(Data / "quintar" / "game.psq").rdbuf();
  EXPECT_NE(Kept.str().find("\n5,5,"), std::string::npos) << Kept.str();
  EXPECT_NE(Game.ShownOnce("\x1b[?1049l").find("\x1b[?1049l"), std::string::npos);
}

// Two copies share the kept game: the one that changed nothing, closed
// last, neither removes nor replaces the game the other kept.
TEST(ScreenProcess, ACopyThatChangedNothingLeavesTheOthersKeptGame) {
  const fs::path Data = FreshFolder("screen-two-copies");
  TScreenGame Playing("xterm-256color", Data);
  TScreenGame Idle("xterm-256color", Data);
  ASSERT_TRUE(Playing.Started() && Idle.Started());
  Playing.ShownOnce("\x1b[?1049h");
  Idle.ShownOnce("\x1b[?1049h");
  Playing.Type("players person person\r5 5\r");
  Playing.ShownOnce("Noughts to move");
  Playing.Type("quit\r");
  EXPECT_EQ(Playing.Wait(), 0);
  Idle.Type("quit\r");
  EXPECT_EQ(Idle.Wait(), 0);
  std::ostringstream Kept;
  Kept << std::ifstream(Data / "quintar" / "game.psq").rdbuf();
  EXPECT_NE(Kept.str().find("\n5,5,"), std::string::npos) << Kept.str();
}

// Help's first lines would not fit below a 20 x 20 board on 80 x 24: the
// reply takes the board's place until a key brings the board back.
TEST(ScreenProcess, ALongReplyIsShownWholeInTheBoardsPlace) {
  TScreenGame Game("xterm-256color", FreshFolder("screen-help"));
  ASSERT_TRUE(Game.Started());
  const std::size_t Board = Game.ShownOnce("19 20").find("19 20");
  ASSERT_NE(Board, std::string::npos);
  Game.Type("help\r");
  EXPECT_NE(Game.ShownOnce("Play a cell by typing", Board).find("Play a cell by typing", Board), std::string::npos);
  Game.Type("\x1b");
  const std::size_t Back = Game.ShownOnce("board.", Board).find("board.", Board);
  EXPECT_NE(Game.ShownOnce("19 20", Back).find("19 20", Back), std::string::npos);
  Game.Type("quit\r");
  EXPECT_EQ(Game.Wait(), 0);
}

// A line typed past what a command may be is refused whole, as the line mode
// refuses it, never run cut short: here its start is a move.
TEST(ScreenProcess, ALineTooLongIsRefusedNotCut) {
  const fs::path Data = FreshFolder("screen-long");
  TScreenGame Game("xterm-256color", Data);
  ASSERT_TRUE(Game.Started());
  Game.ShownOnce("\x1b[?1049h");
  Game.Type("players person person\r");
  Game.Type("5 5" + std::string(300, ' ') + "\r");
  EXPECT_NE(Game.ShownOnce("too long").find("That line is too long"), std::string::npos);
  // Erased back to a command, it is one.
  Game.Type("6 6" + std::string(300, ' ') + std::string(300, '\x7f') + "\r");
  Game.ShownOnce("Noughts to move");
  Game.Type("quit\r");
  EXPECT_EQ(Game.Wait(), 0);
  std::ostringstream Kept;
  Kept << std::ifstream(Data / "quintar" / "game.psq").rdbuf();
  EXPECT_EQ(Kept.str().find("\n5,5,"), std::string::npos) << Kept.str();
  EXPECT_NE(Kept.str().find("\n6,6,"), std::string::npos) << Kept.str();
}

// Ctrl-Z stops the game as it stops other programs, with the shell's
// terminal put back; brought back, the game takes the screen up again.
TEST(ScreenProcess, CtrlZStopsTheGameWithTheTerminalPutBack) {
  TScreenGame Shell("xterm-256color", FreshFolder("screen-stop"), true);
  ASSERT_TRUE(Shell.Started());
  Shell.ShownOnce(ShellPrompt);
  Shell.Type(QUINTAR_GAME_PROGRAM "\r");
  Shell.ShownOnce("\x1b[?1049h");
  Shell.Type("\x1a");
  const std::size_t Stopped = Shell.ShownOnce("Stopped").find("Stopped");
  ASSERT_NE(Stopped, std::string::npos);
  EXPECT_NE(Shell.ShownOnce("\x1b[?1049l").find("\x1b[?1049l"), std::string::npos);
  Shell.Type("fg\r");
  const std::size_t Back = Shell.ShownOnce("\x1b[?1049h", Stopped).find("\x1b[?1049h", Stopped);
  ASSERT_NE(Back, std::string::npos);
  Shell.Type("quit\r");
  Shell.ShownOnce(ShellPrompt, Back);
  Shell.Type("exit\r");
  EXPECT_EQ(Shell.Wait(), 0);
}

// A terminal that cannot move its cursor gets the lines, not the screen, and
// the person there is told at once what to do, whose move it is, and where
// to type.
TEST(ScreenProcess, ADumbTerminalGetsTheLines) {
  TScreenGame Game("dumb", FreshFolder("screen-dumb"));
  ASSERT_TRUE(Game.Started());
  const std::string Shown = Game.ShownOnce("\n> ");
  EXPECT_NE(Shown.find("Type a column and a row (8 9). Type help"), std::string::npos) << Shown;
  EXPECT_NE(Shown.find("Crosses to move: you."), std::string::npos) << Shown;
  Game.Type("players person person\r");
  EXPECT_NE(Game.ShownOnce("\n> ", Shown.size()).find("Crosses to move. Crosses: a person", Shown.size()),
            std::string::npos);
  // What a move did is said after the board, just above the prompt, where a
  // screen of 24 lines still shows it.
  const std::size_t BeforeMove = Game.ShownOnce("\n> ").size();
  Game.Type("5 5\r");
  const std::string& Moved = Game.ShownOnce("Noughts to move", BeforeMove);
  const std::size_t Said = Moved.find("Cross on column 5, row 5.", BeforeMove);
  ASSERT_NE(Said, std::string::npos) << Moved.substr(BeforeMove);
  EXPECT_GT(Said, Moved.rfind("\n20 ")) << Moved.substr(BeforeMove);
  Game.Type("quit\r");
  EXPECT_EQ(Game.Wait(), 0);
  EXPECT_EQ(Game.ShownOnce("\x1b[?1049h").find("\x1b[?1049h"), std::string::npos);
}

}  // namespace
}  // namespace quintar::terminal
