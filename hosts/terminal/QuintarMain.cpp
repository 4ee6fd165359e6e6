// quintar: five in a row against the computer in a terminal, from piped
// commands, `quintar render` to draw a position as PNG, or `quintar review`
// to judge every move of a record.
#include <langinfo.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "AnsiColor.h"
#include "BoardText.h"
#include "Game.h"
#include "KeptGame.h"
#include "LineSession.h"
#include "Output.h"
#include "RecordFile.h"
#include "RecordReview.h"
#include "Render.h"
#include "ScreenSession.h"
#include "TextUtil.h"

namespace {

using namespace quintar::terminal;

constexpr std::string_view Usage =
    "usage: quintar [--set Name=Value ...]     play in this terminal, or from commands on standard input\n"
    "       quintar render ... -o FILE.png      draw a position as PNG (quintar render --help)\n"
    "       quintar review FILE.psq [--json]    every move of a record judged (quintar review --help)\n"
    "  --set Name=Value   set a published property at start, e.g. --set ColCount=15 --set PlayingStrength=stLow\n"
    "  --version          print the version and leave\n";

bool AsksForHelp(const std::vector<std::string_view>& Arguments) {
  for (const std::string_view Argument : Arguments)
    if (Argument == "--help" || Argument == "-h") return true;
  return false;
}

int RunRender(const std::vector<std::string_view>& Arguments) {
  if (AsksForHelp(Arguments)) {
    std::cout << RenderUsage;
    return 0;
  }
  TRenderJob Job;
  if (const std::string Error = ParseRenderArguments(Arguments, Job); !Error.empty()) {
    std::cerr << "quintar render: " << Error << '\n';
    return 2;
  }
  if (const std::string Error = Render(Job); !Error.empty()) {
    std::cerr << "quintar render: " << Error << '\n';
    return 1;
  }
  return 0;
}

int RunReview(const std::vector<std::string_view>& Arguments) {
  if (AsksForHelp(Arguments)) {
    std::cout << ReviewUsage;
    return 0;
  }
  bool Json = false;
  std::optional<std::string> Path;
  for (const std::string_view Argument : Arguments) {
    if (Argument == "--json") {
      Json = true;
    } else if (!Path && !Argument.starts_with("-")) {
      Path = std::string(Argument);
    } else {
      std::cerr << "quintar review: unexpected argument \"" << EchoUtf8(Argument) << "\" (try --help)\n";
      return 2;
    }
  }
  if (!Path) {
    std::cerr << "quintar review: which record? (quintar review FILE.psq)\n";
    return 2;
  }
  // A long game takes a while: a person watching is shown how far it has got,
  // on one line that the result then replaces; a script is not.
  const bool Watched = ::isatty(STDERR_FILENO);
  // Cut to the terminal's width: a line that wrapped would not be written over.
  const auto ShowProgress = [](const std::string& Words) {
    winsize Size{};
    const bool Known = ::ioctl(STDERR_FILENO, TIOCGWINSZ, &Size) == 0 && Size.ws_col > 1;
    std::cerr << '\r' << (Known ? Words.substr(0, Size.ws_col - 1u) : Words) << "\x1b[K" << std::flush;
  };
  const TRecordReview Reviewed =
      ReviewRecordFile(*Path, Watched ? ShowProgress : std::function<void(const std::string&)>());
  if (Watched) std::cerr << "\r\x1b[K" << std::flush;
  if (!Reviewed.Error.empty()) {
    std::cerr << "quintar review: " << EchoUtf8(*Path) << ": " << Reviewed.Error << '\n';
    return 1;
  }
  if (Json) {
    std::cout << ReviewJson(Reviewed.Game, Reviewed.Review, quintar::game::TPhrasebook());
  } else {
    for (const std::string& Line : Reviewed.Words) std::cout << Line << '\n';
  }
  return 0;
}

int RunGame(const std::vector<std::string_view>& Arguments) {
  if (AsksForHelp(Arguments)) {
    std::cout << Usage;
    return 0;
  }
  TGame Game(CellChars, 1);
  for (std::size_t I = 0; I < Arguments.size(); ++I) {
    if (Arguments[I] != "--set") {
      std::cerr << "quintar: unknown argument \"" << EchoUtf8(Arguments[I]) << "\" (try --help)\n";
      return 2;
    }
    if (I + 1 == Arguments.size()) {
      std::cerr << "quintar: --set needs Name=Value (try --help)\n";
      return 2;
    }
    if (const std::string Error = Game.Set(Arguments[++I]); !Error.empty()) {
      std::cerr << "quintar: --set " << Arguments[I] << ": " << Error << '\n';
      return 2;
    }
  }
  const TColorDepth Depth = ::isatty(STDOUT_FILENO)
                                ? ColorDepthFor(std::getenv("TERM"), std::getenv("COLORTERM"), std::getenv("NO_COLOR"))
                                : TColorDepth::None;
  // A person at the keyboard finds the last game where it was left; a
  // script on a pipe starts afresh and leaves nothing behind, so that it
  // plays the same every time.
  const bool Interactive = ::isatty(STDIN_FILENO);
  const std::filesystem::path KeptFile =
      Interactive ? KeptGamePath(std::getenv("XDG_DATA_HOME"), HomeFolder()) : std::filesystem::path();
  const std::vector<std::string> Opening =
      KeptFile.empty() ? std::vector<std::string>() : TakeUpKeptGame(Game, KeptFile);
  // The game counts as changed against the file as it was taken up, so that
  // a move the computer made on taking it up is kept too.
  const std::string KeptText = KeptFile.empty() ? std::string() : ReadRecordFile(KeptFile.string(), Game.Words()).Text;
  quintar::game::TKeptGameMark KeptMark(KeptText, KeptText);
  // Said once the game has left the screen, where it would go unread.
  std::vector<std::string> SaidAtTheEnd;
  const auto KeepGameNow = [&] {
    TKeepOutcome Kept = KeepChangedGame(KeptFile, Game.GameToKeep(), KeptMark, Game.Words());
    if (!Kept.SetAside.empty()) SaidAtTheEnd.push_back(std::move(Kept.SetAside));
    return Kept.Error;
  };
  if (!KeptFile.empty()) Game.KeepAtQuit(KeepGameNow);
  // A terminal that cannot move its cursor (TERM dumb or unset, as in an
  // editor's shell) gets the lines.
  const char* Term = std::getenv("TERM");
  const bool Addressable = Term != nullptr && *Term != '\0' && std::string_view(Term) != "dumb";
  if (!(Interactive && Addressable && ::isatty(STDOUT_FILENO) && RunScreen(Game, Depth, Opening))) {
    std::ios::sync_with_stdio(false);
    RunLines(std::cin, std::cout, Game, Depth, Interactive ? TLineTyper::Person : TLineTyper::Script, Opening);
  }
  if (KeptFile.empty()) return 0;
  // Left by quit, the game was kept just now; left otherwise (Ctrl-C, the
  // end of input, a hang-up), it is kept here.
  const std::string Error = Game.LeftWithoutKeeping() ? std::string() : KeepGameNow();
  for (const std::string& Line : SaidAtTheEnd) std::cout << Line << '\n';
  if (!Error.empty()) {
    std::cerr << "quintar: " << Error << '\n';
    return 1;
  }
  return 0;
}

// How many columns a character takes on the screen comes from the locale's
// character type. The game writes UTF-8, so where the locale names another
// character set, or none, UTF-8's is used.
void UseUtf8CharacterType() {
  if (std::setlocale(LC_CTYPE, "") == nullptr || std::string_view(::nl_langinfo(CODESET)) != "UTF-8")
    std::setlocale(LC_CTYPE, "C.UTF-8");
}

}  // namespace

int main(int Argc, char** Argv) {
  // A reader that went away (a pipe closed early) is output that cannot be
  // written, said in one line, not a silent end by the signal.
  std::signal(SIGPIPE, SIG_IGN);
  UseUtf8CharacterType();
  std::vector<std::string_view> Arguments(Argv + 1, Argv + Argc);
  try {
    const std::vector<std::string_view> Rest(Arguments.begin() + (Arguments.empty() ? 0 : 1), Arguments.end());
    if (!Arguments.empty() && Arguments.front() == "render") return FinishOutput(RunRender(Rest), "quintar render");
    if (!Arguments.empty() && Arguments.front() == "review") return FinishOutput(RunReview(Rest), "quintar review");
    if (Arguments.size() == 1 && Arguments.front() == "--version") {
      std::cout << "quintar " QUINTAR_VERSION "\n";
      return FinishOutput(0, "quintar");
    }
    return FinishOutput(RunGame(Arguments), "quintar");
  } catch (const std::exception& Failure) {
    std::cerr << "quintar: " << Failure.what() << '\n';
    return 1;
  }
}
