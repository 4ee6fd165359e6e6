#include "Contender.h"

namespace quintar::match {

std::optional<TContender> ContenderNamed(std::string_view Name) {
  if (Name.substr(0, BrainPrefix.size()) == BrainPrefix) {
    const std::string_view Command = Name.substr(BrainPrefix.size());
    if (CommandWords(Command).empty()) return std::nullopt;
    TContender Brain;
    Brain.BrainCommand = std::string(Command);
    return Brain;
  }
  const std::optional<TLevel> Level = LevelNamed(Name);
  if (!Level) return std::nullopt;
  return TContender(*Level);
}

std::string ContenderName(const TContender& Contender) {
  if (Contender.IsBrain()) return std::string(BrainPrefix) + Contender.BrainCommand;
  return std::string(LevelName(Contender.Level));
}

std::vector<std::string> CommandWords(std::string_view Command) {
  std::vector<std::string> Words;
  std::size_t At = 0;
  while (true) {
    At = Command.find_first_not_of(" \t", At);
    if (At == std::string_view::npos) return Words;
    const std::size_t End = Command.find_first_of(" \t", At);
    Words.emplace_back(Command.substr(At, End - At));
    if (End == std::string_view::npos) return Words;
    At = End;
  }
}

}  // namespace quintar::match
