// quintar-tune: fits the expert's evaluation weights to self-play games and
// writes them as the header the expert compiles in.
#include <charconv>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "Output.h"
#include "TunedWeights.h"
#include "Tuning.h"
#include "WeightsSource.h"

namespace {

using quintar::terminal::TFileReplacement;
using quintar::tune::TTuningSettings;

constexpr std::string_view Usage =
    "usage: quintar-tune [options]\n"
    "Plays the expert against itself from random openings at a fixed number of positions\n"
    "per move, fits the evaluation's weights to the games' results (a logistic fit of the\n"
    "static evaluation to the outcome), prints the prediction error on held-out games\n"
    "before and after, and writes the fitted weights as a C++ header.\n"
    "  --games N            self-play games, 0 or more (default 2000)\n"
    "  --nodes N            positions per move, 1 or more (default 1500)\n"
    "  --seed N             the run's seed (default 1)\n"
    "  --boards A,B,...     board sides to play on, 9 to 50 (default 15,19,20)\n"
    "  --iterations N       steps of the fit, 0 or more (default 1500)\n"
    "  --held-out-every N   every Nth game checks the fit, 2 or more (default 5)\n"
    "  --fit bonuses|all    what the fit moves: all but the line values, which also order\n"
    "                       the search's moves, or every weight (default bonuses)\n"
    "  --output FILE        where to write the header (default: nothing is written)\n";

template <typename TNumber>
std::optional<TNumber> WholeNumber(std::string_view Text, TNumber Least, TNumber Most) {
  TNumber Value{};
  const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
  if (Text.empty() || Error != std::errc() || End != Text.data() + Text.size() || Value < Least || Value > Most)
    return std::nullopt;
  return Value;
}

std::optional<std::vector<int>> BoardSides(std::string_view Text) {
  std::vector<int> Sides;
  while (true) {
    const std::size_t Comma = Text.find(',');
    const std::optional<int> Side = WholeNumber(Text.substr(0, Comma), 9, 50);
    if (!Side) return std::nullopt;
    Sides.push_back(*Side);
    if (Comma == std::string_view::npos) return Sides;
    Text.remove_prefix(Comma + 1);
  }
}

int Fail(const std::string& Message) {
  std::cerr << "quintar-tune: " << Message << '\n';
  return 2;
}

// Reads one option and its value into Settings; the error's words when it
// is not one.
std::optional<std::string> ReadOption(std::string_view Name, std::string_view Value, TTuningSettings& Settings,
                                      std::string& Output) {
  const auto Set = [&](auto& Field, auto Parsed, const char* Expected) -> std::optional<std::string> {
    if (!Parsed) return std::string(Name) + " expects " + Expected;
    Field = *Parsed;
    return std::nullopt;
  };
  if (Name == "--games") return Set(Settings.Play.Games, WholeNumber(Value, 0, 1000000), "a number from 0 to 1000000");
  if (Name == "--nodes")
    return Set(Settings.Play.NodesPerMove, WholeNumber<std::int64_t>(Value, 1, 100000000),
               "a number from 1 to 100000000");
  if (Name == "--seed")
    return Set(Settings.Play.Seed, WholeNumber<std::uint64_t>(Value, 0, UINT64_MAX), "a whole number, 0 or more");
  if (Name == "--boards")
    return Set(Settings.Play.BoardSides, BoardSides(Value), "board sides from 9 to 50, like 15,19");
  if (Name == "--iterations")
    return Set(Settings.Iterations, WholeNumber(Value, 0, 1000000), "a number from 0 to 1000000");
  if (Name == "--held-out-every")
    return Set(Settings.HeldOutEvery, WholeNumber(Value, 2, 1000000), "a number from 2 to 1000000");
  if (Name == "--fit") {
    using quintar::tune::TFitted;
    const std::optional<TFitted> Fitted = Value == "all"       ? std::optional(TFitted::All)
                                          : Value == "bonuses" ? std::optional(TFitted::Bonuses)
                                                               : std::nullopt;
    return Set(Settings.Fitted, Fitted, "all or bonuses");
  }
  if (Name == "--output") {
    Output = Value;
    return Value.empty() ? std::optional<std::string>("--output expects a file name") : std::nullopt;
  }
  return "unknown option \"" + std::string(Name) + "\" (try --help)";
}

void PrintWeights(const quintar::expert::TEvaluationWeights& Weights) {
  std::cout << "  line values:";
  for (const int Value : Weights.LineValues) std::cout << ' ' << Value;
  std::cout << "\n  threat bonuses:";
  for (const int Value : Weights.ThreatBonuses) std::cout << ' ' << Value;
  std::cout << "\n  mover percent " << Weights.MoverPercent << ", four-three bonus " << Weights.FourThreeBonus
            << ", double-three bonus " << Weights.DoubleThreeBonus << '\n';
}

int Run(int Argc, char** Argv) {
  TTuningSettings Settings = quintar::tune::DefaultTuningSettings();
  std::string Output;
  for (int I = 1; I < Argc; ++I) {
    const std::string_view Argument = Argv[I];
    if (Argument == "--help" || Argument == "-h") {
      std::cout << Usage;
      return 0;
    }
    // A missing value reads as an empty one, so that an unknown option is
    // called unknown and a known one says what it expects.
    const std::string_view Value = I + 1 < Argc ? Argv[++I] : "";
    if (const auto Error = ReadOption(Argument, Value, Settings, Output)) return Fail(*Error);
  }

  // Told before the games are played, not after, that the output cannot be written.
  std::optional<TFileReplacement> Replacement;
  if (!Output.empty()) {
    Replacement.emplace(Output);
    if (!Replacement->Error().empty()) return Fail("cannot write " + Output + ": " + Replacement->Error());
  }

  const auto OnGame = [&](int Played) {
    if (Played % 100 == 0 || Played == Settings.Play.Games)
      std::cerr << "\rgames played: " << Played << " of " << Settings.Play.Games << std::flush;
  };
  const quintar::tune::TTuningResult Result = quintar::tune::RunTuning(Settings, quintar::expert::TunedWeights, OnGame);
  if (Settings.Play.Games > 0) std::cerr << '\n';

  std::cout << "positions: " << Result.TrainingPositions << " to fit, " << Result.HeldOutPositions << " held out\n";
  if (Result.TrainingPositions > 0) {
    std::printf("scale: %.1f\n", Result.Scale);
    std::printf("log loss, positions fitted:  %.5f before, %.5f after\n", Result.TrainingLossBefore,
                Result.TrainingLossAfter);
    if (Result.HeldOutPositions > 0)
      std::printf("log loss, positions held out: %.5f before, %.5f after\n", Result.HeldOutLossBefore,
                  Result.HeldOutLossAfter);
    else
      std::printf("log loss, positions held out: none held out, so the fit is unchecked\n");
    std::fflush(stdout);
  }
  std::cout << "weights:\n";
  PrintWeights(Result.Weights);
  if (!Replacement) return 0;
  const std::string Source =
      quintar::tune::WeightsSource(Result.Weights, quintar::tune::TuningCommand(Settings, Output));
  if (const std::string Error = Replacement->Commit(Source); !Error.empty())
    return Fail("cannot write " + Output + ": " + Error);
  std::cout << "written: " << Output << '\n';
  return 0;
}

}  // namespace

int main(int Argc, char** Argv) { return quintar::terminal::FinishOutput(Run(Argc, Argv), "quintar-tune"); }
