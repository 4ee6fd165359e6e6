// The opponent's strength as players and tools write it: low, medium, high.
#pragma once

#include <optional>
#include <string_view>

#include "opponent/Opponent.h"

namespace quintar::terminal {

// Letter case is ignored; nothing for any other word.
std::optional<TStrength> StrengthNamed(std::string_view Name);
std::string_view StrengthName(TStrength Strength);

}  // namespace quintar::terminal
