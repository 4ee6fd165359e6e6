// The game kept between interactive runs of the terminal game: written at
// quit to a file in the XDG data folder, taken up again at the next start.
// A kept game that cannot be taken up is set aside beside it, never lost
// and never offered again.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "Game.h"

namespace quintar::terminal {

// $XDG_DATA_HOME/quintar/game.psq, or ~/.local/share/quintar/game.psq when
// DataHome is unset or not absolute; empty when neither names a folder.
std::filesystem::path KeptGamePath(const char* DataHome, const char* Home);

// Writes Record to File, or removes File when Record is empty (nothing to
// keep). The sentence saying why it could not, or empty.
std::string KeepGame(const std::filesystem::path& File, std::string_view Record, const game::TPhrasebook& Words);

// What keeping the game came to: why it could not be kept, and where a
// game another copy kept meanwhile was set aside; each empty when not.
struct TKeepOutcome {
  std::string Error;
  std::string SetAside;
};

// Keeps Record as KeepGame does unless Mark says it is the game taken up or
// last kept, and then marks it so. A game another copy of the program kept
// in File since is never overwritten: it stays when this copy has no game
// to keep, and is set aside first when it has one.
TKeepOutcome KeepChangedGame(const std::filesystem::path& File, std::string_view Record, game::TKeptGameMark& Mark,
                             const game::TPhrasebook& Words);

// Takes up the game kept in File: what to say about it, nothing when no game
// was kept.
std::vector<std::string> TakeUpKeptGame(TGame& Game, const std::filesystem::path& File);

}  // namespace quintar::terminal
