// The game played from lines of input, for pipes and scripts: no prompt and,
// unless the output is a colour terminal, no escape codes. The board is shown
// at the start and after every change of the position; every reply line is
// printed as it comes.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "AnsiColor.h"
#include "Game.h"

namespace quintar::terminal {

// Longer command lines are refused with a message.
inline constexpr std::size_t MaxCommandLength = 256;

// Runs until quit or the end of the input, after saying the Opening lines.
void RunLines(std::istream& In, std::ostream& Out, TGame& Game, TColorDepth Depth,
              const std::vector<std::string>& Opening = {});

}  // namespace quintar::terminal
