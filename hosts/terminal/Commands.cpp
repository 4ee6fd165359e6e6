#include "Commands.h"

#include <optional>
#include <vector>

#include "Strength.h"
#include "TextUtil.h"

namespace quintar::terminal {

const std::string_view HelpText[3] = {
    "Play a cell by typing its column and row (8 9 or 8,9), or click it.",
    "Commands: new, size W H (5 to 50), strength low|medium|high, auto on|off,",
    "computer (let it move now), lock on|off, help, quit.",
};

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
  if (!Col || !Row || Words.size() != 2) return TInvalid{"A move is a column and a row, for example 8 9."};
  return TPlay{*Col, *Row};
}

TCommand Resize(const TWords& Words) {
  const std::optional<int> Cols = Words.size() == 3 ? IntegerFrom(Words[1], true) : std::nullopt;
  const std::optional<int> Rows = Words.size() == 3 ? IntegerFrom(Words[2], true) : std::nullopt;
  if (!Cols || !Rows) return TInvalid{"Usage: size W H, for example size 15 15."};
  return TResize{*Cols, *Rows};
}

TCommand SetStrength(const TWords& Words) {
  const std::optional<TStrength> Strength = Words.size() == 2 ? StrengthNamed(Words[1]) : std::nullopt;
  if (!Strength) return TInvalid{"Usage: strength low, strength medium or strength high."};
  return TSetStrength{*Strength};
}

template <typename TSwitch>
TCommand Switch(const TWords& Words, std::string_view Name) {
  const std::optional<bool> On = Words.size() == 2 ? OnOff(Words[1]) : std::nullopt;
  if (!On) return TInvalid{"Usage: " + std::string(Name) + " on or " + std::string(Name) + " off."};
  return TSwitch{*On};
}

template <typename TPlain>
TCommand Plain(const TWords& Words) {
  if (Words.size() != 1) return TInvalid{std::string("\"") + Echo(Words[0]) + "\" takes nothing after it."};
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
  if (SameWord(Name, "auto")) return Switch<TSetAutoResponse>(Words, "auto");
  if (SameWord(Name, "computer")) return Plain<TComputerMove>(Words);
  if (SameWord(Name, "lock")) return Switch<TSetLock>(Words, "lock");
  if (SameWord(Name, "help")) return Plain<THelp>(Words);
  if (SameWord(Name, "quit")) return Plain<TQuit>(Words);
  return TInvalid{"Unknown command \"" + Echo(Name) + "\": type help for the list."};
}

}  // namespace quintar::terminal
