// The computer's levels as hosts and tools offer them: the control's three
// strengths, and the expert search beyond them. The expert is not a strength:
// the control itself only ever plays the three.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "opponent/Opponent.h"

namespace quintar {

enum class TLevel : std::uint8_t { Low, Medium, High, Expert };

// "low", "medium", "high" or "expert", in any letter case; nothing otherwise.
std::optional<TLevel> LevelNamed(std::string_view Name);
std::string_view LevelName(TLevel Level);
// The control's strength for the level; nothing for the expert.
std::optional<TStrength> SpecifiedStrength(TLevel Level);
TLevel LevelOf(TStrength Strength);

}  // namespace quintar
