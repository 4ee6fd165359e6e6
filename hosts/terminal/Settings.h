// Published properties set from "Name=Value" text, as --set gives them.
#pragma once

#include <string>
#include <string_view>

#include "Quintar.h"

namespace quintar::terminal {

// The control's own published-property reader does the work; the error, or
// empty when the property was set.
std::string ApplySetting(TQuintar& Control, std::string_view Assignment);

}  // namespace quintar::terminal
