#include "Commands.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <vector>

#include "GameTable.h"
#include "TextUtil.h"

namespace quintar::terminal {

const game::TTerminalPhrase HelpLines[6] = {
    game::TTerminalPhrase::HelpPlay,     game::TTerminalPhrase::HelpGames,    game::TTerminalPhrase::HelpPlayers,
    game::TTerminalPhrase::HelpComputer, game::TTerminalPhrase::HelpExplains, game::TTerminalPhrase::HelpMore,
};

std::string Explain(const TInvalid& Invalid, const game::TPhrasebook& Words) {
  using game::TTerminalPhrase;
  switch (Invalid.Mistake) {
    case TMistake::Move: return Words.TerminalPhrase(TTerminalPhrase::MoveUsage);
    case TMistake::Size: return Words.TerminalPhrase(TTerminalPhrase::SizeUsage);
    case TMistake::Strength: return Words.TerminalPhrase(TTerminalPhrase::StrengthUsage);
    case TMistake::Players: return Words.TerminalPhrase(TTerminalPhrase::PlayersUsage);
    case TMistake::File: return Words.FileUsage(Invalid.Word);
    case TMistake::Switch: return Words.SwitchUsage(Invalid.Word);
    case TMistake::TakesNothing: return Words.TakesNothingAfter(Invalid.Word);
    case TMistake::Unknown: return Words.UnknownCommand(Invalid.Word);
    case TMistake::TooLong: break;
  }
  return Words.TerminalPhrase(TTerminalPhrase::LineTooLong);
}

namespace {

using TWords = std::vector<std::string_view>;

std::optional<bool> OnOff(std::string_view Word) {
  if (SameWord(Word, "on")) return true;
  if (SameWord(Word, "off")) return false;
  return std::nullopt;
}

TCommand Play(const TWords& Words) {
  const std::optional<int> Col = IntegerFrom(Words[0], true);
  const std::optional<int> Row = Words.size() == 2 ? IntegerFrom(Words[1], true) : std::nullopt;
  if (!Col || !Row || Words.size() != 2) return TInvalid{TMistake::Move, {}};
  return TPlay{*Col, *Row};
}

TCommand Resize(const TWords& Words) {
  const std::optional<int> Cols = Words.size() == 3 ? IntegerFrom(Words[1], true) : std::nullopt;
  const std::optional<int> Rows = Words.size() == 3 ? IntegerFrom(Words[2], true) : std::nullopt;
  if (!Cols || !Rows) return TInvalid{TMistake::Size, {}};
  return TResize{*Cols, *Rows};
}

TCommand SetStrength(const TWords& Words) {
  const std::optional<TLevel> Level = Words.size() == 2 ? game::TGameTable::LevelNamed(Words[1]) : std::nullopt;
  if (!Level) return TInvalid{TMistake::Strength, {}};
  return TSetStrength{*Level};
}

std::optional<game::TPlayerKind> PlayerKindNamed(std::string_view Word) {
  if (SameWord(Word, "person")) return game::TPlayerKind::Person;
  if (SameWord(Word, "computer")) return game::TPlayerKind::Computer;
  return std::nullopt;
}

TCommand SetPlayers(const TWords& Words) {
  const auto Crosses = Words.size() == 3 ? PlayerKindNamed(Words[1]) : std::nullopt;
  const auto Noughts = Words.size() == 3 ? PlayerKindNamed(Words[2]) : std::nullopt;
  if (!Crosses || !Noughts) return TInvalid{TMistake::Players, {}};
  return TSetPlayers{*Crosses, *Noughts};
}

// A name in quotes, as a shell would take it, is the name inside them; a
// quote left open is a mistake, as in a shell, not part of the name.
template <typename TFileCommand>
TCommand File(std::string_view Rest, std::string_view Name) {
  const bool OpensQuote = !Rest.empty() && (Rest.front() == '"' || Rest.front() == '\'');
  const bool Quoted = OpensQuote && Rest.size() >= 2 && Rest.back() == Rest.front();
  if (Quoted) Rest = Rest.substr(1, Rest.size() - 2);
  if (Rest.empty() || (OpensQuote && !Quoted)) return TInvalid{TMistake::File, std::string(Name)};
  return TFileCommand{std::string(Rest)};
}

template <typename TSwitch>
TCommand Switch(const TWords& Words, std::string_view Name) {
  const std::optional<bool> On = Words.size() == 2 ? OnOff(Words[1]) : std::nullopt;
  if (!On) return TInvalid{TMistake::Switch, std::string(Name)};
  return TSwitch{*On};
}

template <typename TPlain>
TCommand Plain(const TWords& Words) {
  if (Words.size() != 1) return TInvalid{TMistake::TakesNothing, EchoUtf8(Words[0])};
  return TPlain{};
}

bool LooksNumeric(std::string_view Word) {
  return !Word.empty() && (Word.front() == '-' || (Word.front() >= '0' && Word.front() <= '9'));
}

}  // namespace

TCommand ParseCommand(std::string_view Line) {
  const TWords Words = SplitAny(Line, " \t,");
  if (Words.empty()) return TNothing{};
  const std::string_view Name = Words[0];
  if (LooksNumeric(Name)) return Play(Words);
  if (SameWord(Name, "new")) return Plain<TNewGame>(Words);
  if (SameWord(Name, "size")) return Resize(Words);
  if (SameWord(Name, "strength")) return SetStrength(Words);
  if (SameWord(Name, "players")) return SetPlayers(Words);
  if (SameWord(Name, "auto")) return Switch<TSetAutoResponse>(Words, "auto");
  if (SameWord(Name, "computer")) return Plain<TComputerMove>(Words);
  if (SameWord(Name, "undo")) return Plain<TUndo>(Words);
  if (SameWord(Name, "redo")) return Plain<TRedo>(Words);
  if (SameWord(Name, "hint")) return Plain<THint>(Words);
  if (SameWord(Name, "analyse") || SameWord(Name, "analyze")) return Plain<TAnalyse>(Words);
  if (SameWord(Name, "review")) return Plain<TReviewGame>(Words);
  const std::string_view Rest = Trimmed(Line.substr(static_cast<std::size_t>(Name.data() - Line.data()) + Name.size()));
  if (SameWord(Name, "save")) return File<TSave>(Rest, "save");
  if (SameWord(Name, "open")) return File<TOpen>(Rest, "open");
  if (SameWord(Name, "lock")) return Switch<TSetLock>(Words, "lock");
  if (SameWord(Name, "help")) return Plain<THelp>(Words);
  if (SameWord(Name, "quit")) return Plain<TQuit>(Words);
  return TInvalid{TMistake::Unknown, EchoUtf8(Name)};
}

const char* HomeFolder() {
  if (const char* Home = std::getenv("HOME"); Home != nullptr && *Home != '\0') return Home;
  const passwd* Account = ::getpwuid(::getuid());
  return Account ? Account->pw_dir : nullptr;
}

std::string WithHome(std::string_view Path, const char* Home) {
  const bool FromHome = Path == "~" || Path.starts_with("~/");
  if (!FromHome || Home == nullptr || *Home == '\0') return std::string(Path);
  return std::string(Home) + std::string(Path.substr(1));
}

}  // namespace quintar::terminal
