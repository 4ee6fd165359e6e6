// The desktop game's words for the state of play, for its status bar.
#pragma once

#include <QString>

#include "GameSession.h"

namespace quintar::desktop {

// Who is to move and who that is, or how the game ended.
QString turnText(const TQuintar& board, const game::TPlayer& crosses, const game::TPlayer& noughts);
// The mark just placed on Cell (0-based), naming the computer when it made it.
QString moveText(const TQuintar& board, vcl::TPoint cell, game::TPlayerKind by);
QString playerText(const game::TPlayer& player);
QString levelText(TLevel level);

}  // namespace quintar::desktop
