// quintar-match: plays two levels against each other and says how strong the
// first is.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "MatchOptions.h"
#include "MatchReport.h"
#include "PsqRecord.h"

namespace {

int Fail(const std::string& Message) {
  std::fprintf(stderr, "quintar-match: %s\n", Message.c_str());
  return 2;
}

}  // namespace

int main(int Argc, char** Argv) {
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
  const std::vector<TGameRecord> Games = RunMatch(Settings, [&](const TGameRecord& Game) {
    Add(Running, Game);
    if (ShowProgress) PrintProgress(stderr, Settings, Running);
    if (!Options.PsqFolder.empty() && SaveError.empty())
      SavePsq(Options.PsqFolder, Game, Settings.First, Settings.Second, SaveError);
  });
  if (ShowProgress) std::fprintf(stderr, "\r\033[K");
  PrintResult(stdout, Settings, Games);
  if (!SaveError.empty()) return Fail(SaveError);
  return 0;
}
