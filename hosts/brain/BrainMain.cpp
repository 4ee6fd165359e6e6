// pbrain-quintar: the component's opponent as a tournament brain on stdin and
// stdout.
#include <charconv>
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "Brain.h"
#include "BrainBench.h"
#include "FreshSeed.h"
#include "Level.h"
#include "Output.h"

namespace {

constexpr std::string_view Usage =
    "usage: pbrain-quintar [--strength low|medium|high|expert] [--seed N]\n"
    "                      [--threat-defence off|root|search|both]\n"
    "       pbrain-quintar --bench\n"
    "Plays five in a row by the tournament brain protocol on standard input and output.\n"
    "--seed N makes its choices among equally good cells repeatable; without it every\n"
    "process draws a seed of its own.\n"
    "--threat-defence has the expert spoil the opponent's wins by threats before they\n"
    "come: at the root (by threes and fours), in the search (by fours), or both; off\n"
    "by default.\n"
    "--bench searches a fixed set of positions with the expert and prints the total\n"
    "of positions visited, which changes only when the search does, and the speed.\n";

std::optional<quintar::TThreatDefence> DefenceNamed(std::string_view Name) {
  if (Name == "off") return quintar::TThreatDefence{false, false};
  if (Name == "root") return quintar::TThreatDefence{true, false};
  if (Name == "search") return quintar::TThreatDefence{false, true};
  if (Name == "both") return quintar::TThreatDefence{true, true};
  return std::nullopt;
}

std::optional<std::uint64_t> SeedFrom(std::string_view Text) {
  std::uint64_t Seed = 0;
  const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Seed);
  if (Text.empty() || Error != std::errc() || End != Text.data() + Text.size()) return std::nullopt;
  return Seed;
}

int Fail(std::string_view Message) {
  std::cerr << "pbrain-quintar: " << Message << '\n';
  return 2;
}

}  // namespace

int main(int Argc, char** Argv) {
  quintar::TLevel Level = quintar::TLevel::High;
  std::optional<std::uint64_t> Seed;
  quintar::TThreatDefence Defence;
  for (int I = 1; I < Argc; ++I) {
    const std::string_view Argument = Argv[I];
    if (Argument == "--help" || Argument == "-h") {
      std::cout << Usage;
      return quintar::terminal::FinishOutput(0, "pbrain-quintar");
    }
    if (Argument == "--bench") {
      if (Argc > 2) return Fail("--bench takes nothing else (try --help)");
      return quintar::terminal::FinishOutput(quintar::brain::RunBench(std::cout, std::cerr) ? 0 : 1, "pbrain-quintar");
    }
    const bool TakesValue = Argument == "--strength" || Argument == "--threat-defence" || Argument == "--seed";
    if (!TakesValue) return Fail("unknown argument \"" + std::string(Argument) + "\" (try --help)");
    if (I + 1 == Argc) return Fail(std::string(Argument) + " needs a value (try --help)");
    const std::string_view Value = Argv[++I];
    if (Argument == "--strength") {
      const auto Named = quintar::LevelNamed(Value);
      if (!Named) return Fail("--strength expects low, medium, high or expert");
      Level = *Named;
    } else if (Argument == "--threat-defence") {
      const auto Named = DefenceNamed(Value);
      if (!Named) return Fail("--threat-defence expects off, root, search or both");
      Defence = *Named;
    } else {
      Seed = SeedFrom(Value);
      if (!Seed) return Fail("--seed expects a whole number from 0 to 18446744073709551615");
    }
  }
  // A manager that stops reading once it has sent END is no failure of the
  // brain's, so its play ends in success whatever became of the last answer.
  std::ios::sync_with_stdio(false);
  quintar::brain::RunBrain(std::cin, std::cout, Level, Seed ? *Seed : quintar::FreshSeed(), Defence);
  return 0;
}
