// Who plays one side of a match: one of our own levels, played in this
// process, or an outside tournament brain, a program started for every game
// and played through the brain protocol on its standard input and output.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Level.h"

namespace quintar::match {

// Written on the command line as "brain:COMMAND" in place of a level.
inline constexpr std::string_view BrainPrefix = "brain:";

struct TContender {
  TContender() = default;
  // Not explicit: a level stands for itself wherever a contender is expected.
  TContender(TLevel ALevel) : Level(ALevel) {}

  TLevel Level = TLevel::High;
  std::string BrainCommand;  // the program and its arguments; empty for a level

  bool IsBrain() const { return !BrainCommand.empty(); }
  bool operator==(const TContender&) const = default;
};

// A level's name or "brain:" and a command; nothing otherwise.
std::optional<TContender> ContenderNamed(std::string_view Name);
// How reports and records name the contender: the level's name, or
// "brain:" and the command as it was given.
std::string ContenderName(const TContender& Contender);
// The command split at spaces and tabs into the program and its arguments.
std::vector<std::string> CommandWords(std::string_view Command);

}  // namespace quintar::match
