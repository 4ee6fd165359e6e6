#include "Phrasebook.h"

#include <array>

namespace quintar::game {

TPhrasebook::TPhrasebook(TTranslation Translation) : FTranslation(std::move(Translation)) {}

std::string TPhrasebook::Word(std::string_view English) const {
  return FTranslation ? FTranslation(English) : std::string(English);
}

std::string TPhrasebook::Say(std::string_view Pattern, std::initializer_list<std::string> Blanks) const {
  const std::string Translated = Word(Pattern);
  std::string Said;
  Said.reserve(Translated.size());
  for (std::size_t I = 0; I < Translated.size(); ++I) {
    const char Next = I + 1 < Translated.size() ? Translated[I + 1] : '\0';
    const auto Blank = static_cast<std::size_t>(Next - '1');
    if (Translated[I] == '%' && Next >= '1' && Blank < Blanks.size()) {
      Said += *(Blanks.begin() + Blank);
      ++I;
    } else {
      Said += Translated[I];
    }
  }
  return Said;
}

std::string TPhrasebook::Where(vcl::TPoint Cell) const {
  return Say("column %1, row %2", {std::to_string(Cell.X + 1), std::to_string(Cell.Y + 1)});
}

std::string TPhrasebook::LevelWord(TLevel Level) const { return Word(LevelName(Level)); }

std::string TPhrasebook::PlayerName(const TPlayer& Player) const {
  if (Player.Kind == TPlayerKind::Person) return Word("a person");
  return Say("the computer (%1)", {LevelWord(Player.Level)});
}

// Against the computer the person is "you"; between two people the side
// alone says whose move it is.
std::string TPhrasebook::Turn(TGameSession& Session) const {
  if (const std::optional<TGameResult> Ended = Session.Result()) return Result(*Ended);
  const int Side = Session.Control().Turn();
  const TPlayer Mover = Session.Player(Side);
  const TPlayer Other = Session.Player(-Side);
  const std::string_view Pattern = Side == 1 ? "Crosses to move: %1." : "Noughts to move: %1.";
  if (Mover.Kind == TPlayerKind::Computer) return Say(Pattern, {PlayerName(Mover)});
  if (Other.Kind == TPlayerKind::Computer) return Say(Pattern, {Word("you")});
  return Say(Side == 1 ? "Crosses to move." : "Noughts to move.");
}

std::string TPhrasebook::Move(const TMoveEntry& Move) const {
  const bool Cross = Move.Side == 1;
  if (Move.By == TPlayerKind::Computer)
    return Say(Cross ? "Cross by %1 on %2." : "Nought by %1 on %2.",
               {PlayerName({TPlayerKind::Computer, Move.Level}), Where(Move.Cell)});
  return Say(Cross ? "Cross on %1." : "Nought on %1.", {Where(Move.Cell)});
}

std::string TPhrasebook::Result(const TGameResult& Result) const {
  if (Result.Winner == 0) return Say("Draw: the board is full.");
  const bool Crosses = Result.Winner == 1;
  if (Result.By == TPlayerKind::Computer)
    return Say(Crosses ? "Crosses won: %1." : "Noughts won: %1.", {PlayerName({TPlayerKind::Computer, Result.Level})});
  if (Result.AgainstComputer) return Say(Crosses ? "Crosses won: %1." : "Noughts won: %1.", {Word("you")});
  return Say(Crosses ? "Crosses won." : "Noughts won.");
}

std::string TPhrasebook::NewGame() const { return Say("New game: crosses move first."); }

std::string TPhrasebook::Thinking(TLevel Level) const {
  return Say("The computer (%1) is thinking.", {LevelWord(Level)});
}

std::string TPhrasebook::Hint(vcl::TPoint Cell) const { return Say("Hint: %1.", {Where(Cell)}); }

std::string TPhrasebook::NoHint() const { return Say("No hint: the game is over."); }

std::string TPhrasebook::Refusal(TRefusal Why) const {
  static constexpr std::array<std::string_view, 6> Patterns = {
      "That cell is taken.",  "That cell is off the board.", "The game is over.",
      "The board is locked.", "Nothing to take back.",       "Nothing to play again.",
  };
  return Say(Patterns[static_cast<std::size_t>(Why)]);
}

std::string TPhrasebook::TakenBack(std::size_t Count) const {
  return Say(Count == 1 ? "Took back 1 move." : "Took back %1 moves.", {std::to_string(Count)});
}

std::string TPhrasebook::PlayedAgain(std::size_t Count) const {
  return Say(Count == 1 ? "Played 1 move again." : "Played %1 moves again.", {std::to_string(Count)});
}

std::string TPhrasebook::Players(const TPlayer& Crosses, const TPlayer& Noughts) const {
  return Say("Crosses: %1; noughts: %2.", {PlayerName(Crosses), PlayerName(Noughts)});
}

std::string TPhrasebook::CellContents(vcl::TPoint Cell, int Mark) const {
  const std::string_view Contents = Mark == 1 ? "cross" : Mark == -1 ? "nought" : "empty";
  return Say("Column %1, row %2, %3.", {std::to_string(Cell.X + 1), std::to_string(Cell.Y + 1), Word(Contents)});
}

}  // namespace quintar::game
