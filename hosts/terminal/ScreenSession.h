// The game full-screen in a terminal: the board drawn from the control with
// its colours, the latest messages, the status line and a prompt. Commands
// are typed at the prompt; a mouse press on a cell is a press on the
// control. Ctrl-C, Ctrl-D on an empty line, quit and the end of input all
// leave the terminal as it was.
#pragma once

#include <string>
#include <vector>

#include "AnsiColor.h"
#include "Game.h"

namespace quintar::terminal {

// False when standard input is no terminal that could be taken over. The
// Opening lines are the first messages after the greeting.
bool RunScreen(TGame& Game, TColorDepth Depth, const std::vector<std::string>& Opening = {});

}  // namespace quintar::terminal
