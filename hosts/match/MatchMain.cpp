// quintar-match: plays two levels or outside brains against each other and
// says how strong the first is.
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "BrainProcess.h"
#include "MatchOptions.h"
#include "MatchReport.h"
#include "Output.h"
#include "PsqRecord.h"

namespace {

// Ctrl-C ends the match after the games in progress, with the result of the
// games played; a second one ends it at once, as a request to terminate or a
// closed terminal does. Each brain runs in a process group of its own, out of
// the terminal's reach, so a match that ends at once ends its brains first.
std::atomic<bool> Interrupted = false;

void EndAtOnce(int Signal) {
  quintar::match::KillEveryBrain();
  std::signal(Signal, SIG_DFL);
  std::raise(Signal);
}

void Interrupt(int) {
  Interrupted = true;
  std::signal(SIGINT, EndAtOnce);
  constexpr char Said[] = "\nquintar-match: stopping after the games in progress (Ctrl-C again ends at once)\n";
  [[maybe_unused]] const ssize_t Written = write(STDERR_FILENO, Said, sizeof Said - 1);
}

int Fail(const std::string& Message) {
  std::fprintf(stderr, "quintar-match: %s\n", Message.c_str());
  return 2;
}

// An executable regular file: a folder passes the system's test for
// execution but runs nothing.
bool RunsAsProgram(const std::string& Path) {
  std::error_code Failure;
  return std::filesystem::is_regular_file(Path, Failure) && access(Path.c_str(), X_OK) == 0;
}

// Why Program cannot run, or empty when it can: a path to an executable
// file, or the name of one on the PATH. A brain that cannot even start would
// lose every game; saying so at once is kinder.
std::string WhyNotRunnable(const std::string& Program) {
  if (Program.find('/') != std::string::npos) {
    std::error_code Failure;
    if (!std::filesystem::exists(Program, Failure)) return "no such file";
    if (std::filesystem::is_directory(Program, Failure)) return "it is a folder";
    return RunsAsProgram(Program) ? "" : "not an executable file";
  }
  const char* Path = std::getenv("PATH");
  std::string_view Folders = Path != nullptr ? Path : "";
  while (true) {
    const std::size_t Colon = Folders.find(':');
    const std::string Folder(Folders.substr(0, Colon));
    if (RunsAsProgram((Folder.empty() ? "." : Folder) + "/" + Program)) return "";
    if (Colon == std::string_view::npos) return "no such executable on the PATH";
    Folders.remove_prefix(Colon + 1);
  }
}

int Run(int Argc, char** Argv) {
  using namespace quintar::match;
  const std::vector<std::string_view> Arguments(Argv + 1, Argv + Argc);
  TMatchOptions Options;
  std::string Error;
  if (!ParseMatchOptions(Arguments, Options, Error)) return Fail(Error);
  if (Options.Help) {
    std::fputs(MatchUsage.data(), stdout);
    return 0;
  }
  TMatchSettings& Settings = Options.Settings;
  for (const TContender* Contender : {&Settings.First, &Settings.Second}) {
    if (!Contender->IsBrain()) continue;
    const std::string Program = CommandWords(Contender->BrainCommand).front();
    if (const std::string Why = WhyNotRunnable(Program); !Why.empty())
      return Fail("cannot run the brain " + Program + ": " + Why);
  }
  if (!Options.SeedGiven)
    Settings.Seed = std::random_device()() | static_cast<std::uint64_t>(std::random_device()()) << 32;
  if (!Options.PsqFolder.empty()) {
    std::error_code Failure;
    std::filesystem::create_directories(Options.PsqFolder, Failure);
    if (Failure) return Fail("cannot make the folder " + Options.PsqFolder + ": " + Failure.message());
  }

  PrintHeader(stdout, Settings);
  std::fflush(stdout);
  const bool ShowProgress = isatty(STDERR_FILENO) != 0;
  TTally Running;
  std::string SaveError;
  std::signal(SIGINT, Interrupt);
  std::signal(SIGTERM, EndAtOnce);
  std::signal(SIGHUP, EndAtOnce);
  std::vector<TGameRecord> Games = RunMatch(
      Settings,
      [&](const TGameRecord& Game) {
        Add(Running, Game);
        if (ShowProgress) PrintProgress(stderr, Settings, Running);
        if (!Options.PsqFolder.empty() && SaveError.empty())
          SavePsq(Options.PsqFolder, Game, Settings.First, Settings.Second, SaveError);
      },
      &Interrupted);
  std::signal(SIGINT, SIG_DFL);
  if (ShowProgress) std::fprintf(stderr, "\r\033[K");
  if (Interrupted) {
    std::erase_if(Games, [](const TGameRecord& Game) { return Game.Verdict == TVerdict::Going; });
    std::printf("interrupted: %zu of %d games played\n", Games.size(), Settings.Games);
  }
  PrintResult(stdout, Settings, Games);
  if (!SaveError.empty()) return Fail(SaveError);
  return Interrupted ? 128 + SIGINT : 0;
}

}  // namespace

int main(int Argc, char** Argv) { return quintar::terminal::FinishOutput(Run(Argc, Argv), "quintar-match"); }
