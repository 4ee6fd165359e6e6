// The phrasebook: every sentence a host shows about the game, worded once so
// that the same situation reads the same in the terminal, on the desktop and
// on a web page. Cells are named as a person counts them, from 1: "column 11,
// row 9".
//
// A host that translates hands in its translation: every sentence pattern
// and every word put into one passes through it before the numbers and names
// are filled in. Patterns mark their blanks %1, %2 and %3.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "GameSession.h"

namespace quintar::game {

// Why a request played nothing.
enum class TRefusal : std::uint8_t {
  CellTaken,
  OffBoard,
  GameOver,
  Locked,
  NothingToUndo,
  NothingToRedo,
};

class TPhrasebook {
 public:
  using TTranslation = std::function<std::string(std::string_view English)>;

  // Without a translation the words are English.
  explicit TPhrasebook(TTranslation Translation = {});

  // Whose move it is ("Noughts to move: the computer (high).") or, once the
  // game is over, how it ended.
  std::string Turn(TGameSession& Session) const;
  // One mark just made: "Cross on column 11, row 9." or "Nought by the
  // computer (high) on column 12, row 9."
  std::string Move(const TMoveEntry& Move) const;
  // "Crosses won: you.", "Noughts won: the computer (expert).", "Crosses
  // won." between two people, "Draw: the board is full."
  std::string Result(const TGameResult& Result) const;
  std::string NewGame() const;
  std::string Thinking(TLevel Level) const;
  std::string Hint(vcl::TPoint Cell) const;
  std::string NoHint() const;
  std::string Refusal(TRefusal Why) const;
  std::string TakenBack(std::size_t Count) const;
  std::string PlayedAgain(std::size_t Count) const;
  // Who holds each side: "Crosses: a person; noughts: the computer (high)."
  std::string Players(const TPlayer& Crosses, const TPlayer& Noughts) const;
  // A cell as someone exploring the board hears it: "Column 3, row 4, empty."
  std::string CellContents(vcl::TPoint Cell, int Mark) const;
  // "the computer (high)" or "a person".
  std::string PlayerName(const TPlayer& Player) const;
  // "low", "medium", "high" or "expert".
  std::string LevelWord(TLevel Level) const;

 private:
  // The pattern translated, its blanks filled with Blanks in order.
  std::string Say(std::string_view Pattern, std::initializer_list<std::string> Blanks = {}) const;
  std::string Word(std::string_view English) const;
  std::string Where(vcl::TPoint Cell) const;

  TTranslation FTranslation;
};

}  // namespace quintar::game
