// The game played from lines of input, for scripts and for terminals that
// cannot move their cursor: no escape codes unless the output is a colour
// terminal. The board is shown at the start and after every change of the
// position; every reply line is printed as it comes. A person typing also
// gets the greeting, the status line when it changes, and a prompt; a
// script gets only the replies, so that its output reads the same each run.
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

enum class TLineTyper { Script, Person };

// Runs until quit or the end of the input, after saying the Opening lines.
void RunLines(std::istream& In, std::ostream& Out, TGame& Game, TColorDepth Depth, TLineTyper Typer,
              const std::vector<std::string>& Opening = {});

}  // namespace quintar::terminal
