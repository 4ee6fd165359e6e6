// The computer's levels as hosts and tools offer them: the control's three
// strengths, which judge one move at a time, and the expert search beyond
// them. The expert is not a strength: the control itself only ever plays the
// three.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "Opponent.h"

namespace quintar {

enum class TLevel : std::uint8_t { Low, Medium, High, Expert };

inline constexpr int LevelCount = 4;

// "low", "medium", "high" or "expert", in any letter case; nothing otherwise.
std::optional<TLevel> LevelNamed(std::string_view Name);
// The lower-case name LevelNamed reads back; empty outside the enumeration.
std::string_view LevelName(TLevel Level);
// The control's strength for the level; nothing for the expert.
std::optional<TStrength> ControlStrength(TLevel Level);
TLevel LevelOf(TStrength Strength);

}  // namespace quintar
