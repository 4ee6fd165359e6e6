// What a player sets up in the desktop game and finds again next time: who
// plays each side and how strongly, the board size, the board's switches and
// its six colours. Kept with QSettings; values that cannot be read fall back
// to their defaults one by one.
#pragma once

#include <QColor>
#include <QSettings>
#include <QVariant>
#include <array>
#include <functional>

#include "GameTable.h"

namespace quintar::desktop {

struct GameSettings {
  // Crosses first.
  std::array<game::TPlayer, 2> players;
  int colCount = 0;
  int rowCount = 0;
  bool showHighlight = false;
  bool showQuintar = false;
  bool clickResponse = false;
  bool lock = false;
  // Board, grid lines, crosses, noughts, last-move box, winning five.
  std::array<QColor, 6> colors;
  // Whether a game in progress goes only when the player agrees: the
  // question's "Don't ask again" turns it off, the settings on again.
  bool askBeforeDiscarding = true;

  game::TPlayer& player(int side) { return players[side == 1 ? 0 : 1]; }
  const game::TPlayer& player(int side) const { return players[side == 1 ? 0 : 1]; }
  friend bool operator==(const GameSettings&, const GameSettings&) = default;
};

// A person playing crosses against the computer at the control's default
// strength, on the board the control starts with.
GameSettings defaultGameSettings();
// The stored value under a key such as "board/columns"; an invalid QVariant
// when none is stored.
using StoredValues = std::function<QVariant(const QString& key)>;
// The settings the stored values give: counts clamped to what the board
// takes, and every value missing or unreadable left at its default.
GameSettings readGameSettings(const StoredValues& stored);
GameSettings loadGameSettings(QSettings& store);
void saveGameSettings(const GameSettings& settings, QSettings& store);

}  // namespace quintar::desktop
