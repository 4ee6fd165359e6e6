#include "MatchOptions.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>

namespace quintar::match {

const std::string_view MatchUsage =
    "usage: quintar-match PLAYER PLAYER [options]\n"
    "Plays games between two players and prints how the first fared. A player is a level\n"
    "(low, medium, high, expert) or brain:COMMAND, an outside tournament brain started\n"
    "afresh for every game and played through the brain protocol, e.g.\n"
    "  quintar-match \"brain:./pbrain-quintar --strength expert\" expert --turn-ms 200\n"
    "A brain that crashes, answers late, plays an illegal move or answers nonsense loses\n"
    "that game; the report says why. Each random opening (2 to 6 marks) is played twice,\n"
    "the colours swapped.\n"
    "  --games N         games to play, an even number (default 100)\n"
    "  --board N|WxH     board size, 5 to 50 a side (default 20)\n"
    "  --seed N          makes the match repeatable (default: a fresh seed, printed)\n"
    "  --jobs N          threads playing games at once, 1 to 16 (default 1)\n"
    "  --psq DIR         write every game to DIR/game-NNNN.psq\n"
    "  --expert-ms N     the expert's time per move in ms, 0 for none (not both 0)\n"
    "  --expert-nodes N  the expert's positions per move, 0 for none (not both 0)\n"
    "                    (both default to the budget the game gives the expert, or to\n"
    "                    --turn-ms and no position limit when that is given)\n"
    "  --turn-ms N       a brain's time per move in ms, 1 to 3600000 (default 5000)\n"
    "  --match-ms N      a brain's time for all its moves in a game, 0 for none (default 0)\n"
    "  --tolerance-ms N  how late a brain's answer may come and still count (default 500)\n";

namespace {

template <typename TNumber>
std::optional<TNumber> NumberFrom(std::string_view Text, TNumber Lo, TNumber Hi) {
  TNumber Value{};
  const auto [End, Failure] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
  if (Failure != std::errc() || End != Text.data() + Text.size() || Value < Lo || Value > Hi) return std::nullopt;
  return Value;
}

// Stores the number when it lies in Lo..Hi.
template <typename TNumber>
bool Store(std::string_view Text, TNumber Lo, TNumber Hi, TNumber& Into) {
  const std::optional<TNumber> Value = NumberFrom<TNumber>(Text, Lo, Hi);
  if (Value) Into = *Value;
  return Value.has_value();
}

bool ReadBoard(std::string_view Text, TMatchOptions& Options) {
  const std::size_t Cross = Text.find('x');
  const auto Cols = NumberFrom<int>(Text.substr(0, Cross), MinBoardSide, MaxBoardSide);
  const auto Rows =
      Cross == std::string_view::npos ? Cols : NumberFrom<int>(Text.substr(Cross + 1), MinBoardSide, MaxBoardSide);
  if (!Cols || !Rows) return false;
  Options.Settings.ColCount = *Cols;
  Options.Settings.RowCount = *Rows;
  return true;
}

struct TOption {
  std::string_view Name;
  std::string_view Expects;
  bool (*Read)(std::string_view Value, TMatchOptions& Options);
};

constexpr std::int64_t Most = std::numeric_limits<std::int64_t>::max();

const TOption OptionTable[] = {
    {"--games", "an even number from 2 to 1000000",
     [](std::string_view Value, TMatchOptions& Options) {
       int Games = 0;
       if (!Store(Value, 2, 1000000, Games) || Games % 2 != 0) return false;
       Options.Settings.Games = Games;
       return true;
     }},
    {"--board", "N or WxH, each side 5 to 50", ReadBoard},
    {"--seed", "a non-negative integer",
     [](std::string_view Value, TMatchOptions& Options) {
       Options.SeedGiven =
           Store(Value, std::uint64_t{0}, std::numeric_limits<std::uint64_t>::max(), Options.Settings.Seed);
       return Options.SeedGiven;
     }},
    {"--jobs", "a number from 1 to 16",
     [](std::string_view Value, TMatchOptions& Options) { return Store(Value, 1, 16, Options.Settings.Jobs); }},
    {"--psq", "a folder",
     [](std::string_view Value, TMatchOptions& Options) {
       Options.PsqFolder = std::string(Value);
       return !Value.empty();
     }},
    {"--expert-ms", "milliseconds, 0 to 3600000",
     [](std::string_view Value, TMatchOptions& Options) {
       Options.ExpertBudgetGiven = true;
       return Store(Value, 0, 3600000, Options.Settings.ExpertBudget.Milliseconds);
     }},
    {"--expert-nodes", "a number of positions, 0 or more",
     [](std::string_view Value, TMatchOptions& Options) {
       Options.ExpertBudgetGiven = true;
       return Store(Value, std::int64_t{0}, Most, Options.Settings.ExpertBudget.Nodes);
     }},
    {"--turn-ms", "milliseconds, 1 to 3600000",
     [](std::string_view Value, TMatchOptions& Options) {
       Options.TurnTimeGiven = true;
       return Store(Value, 1, 3600000, Options.Settings.BrainTime.Turn);
     }},
    {"--match-ms", "milliseconds, 0 to 360000000",
     [](std::string_view Value, TMatchOptions& Options) {
       return Store(Value, 0, 360000000, Options.Settings.BrainTime.Match);
     }},
    {"--tolerance-ms", "milliseconds, 0 to 60000",
     [](std::string_view Value, TMatchOptions& Options) {
       return Store(Value, 0, 60000, Options.Settings.BrainTime.Tolerance);
     }},
};

const TOption* OptionNamed(std::string_view Name) {
  for (const TOption& Option : OptionTable)
    if (Option.Name == Name) return &Option;
  return nullptr;
}

bool ReadContender(std::string_view Argument, std::vector<TContender>& Contenders, std::string& Error) {
  const std::optional<TContender> Contender = ContenderNamed(Argument);
  if (!Contender) {
    Error = "unknown player \"" + std::string(Argument) + "\": expected low, medium, high, expert or brain:COMMAND";
    return false;
  }
  if (Contenders.size() == 2) {
    Error = "a match is between two players; \"" + std::string(Argument) + "\" would be a third";
    return false;
  }
  Contenders.push_back(*Contender);
  return true;
}

}  // namespace

bool ParseMatchOptions(const std::vector<std::string_view>& Arguments, TMatchOptions& Options, std::string& Error) {
  std::vector<TContender> Contenders;
  for (std::size_t I = 0; I < Arguments.size(); ++I) {
    const std::string_view Argument = Arguments[I];
    if (Argument == "--help" || Argument == "-h") {
      Options.Help = true;
      return true;
    }
    if (Argument.substr(0, 2) != "--") {
      if (!ReadContender(Argument, Contenders, Error)) return false;
      continue;
    }
    const TOption* Option = OptionNamed(Argument);
    if (Option == nullptr) {
      Error = "unknown option " + std::string(Argument) + " (try --help)";
      return false;
    }
    if (I + 1 == Arguments.size()) {
      Error = std::string(Argument) + " expects " + std::string(Option->Expects);
      return false;
    }
    const std::string_view Value = Arguments[++I];
    if (!Option->Read(Value, Options)) {
      Error =
          std::string(Argument) + " expects " + std::string(Option->Expects) + ", not \"" + std::string(Value) + "\"";
      return false;
    }
  }
  if (Contenders.size() != 2) {
    Error = "name the two players, e.g. quintar-match expert high (try --help)";
    return false;
  }
  const TSearchBudget& Expert = Options.Settings.ExpertBudget;
  if (Expert.Milliseconds == 0 && Expert.Nodes == 0) {
    Error = "--expert-ms and --expert-nodes cannot both be 0: the expert needs a limit of time or of positions";
    return false;
  }
  Options.Settings.First = Contenders[0];
  Options.Settings.Second = Contenders[1];
  // Our expert against a brain plays by the same clock unless told otherwise.
  if (Options.TurnTimeGiven && !Options.ExpertBudgetGiven)
    Options.Settings.ExpertBudget = {Options.Settings.BrainTime.Turn, 0, nullptr};
  return true;
}

}  // namespace quintar::match
