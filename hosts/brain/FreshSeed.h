// A seed for tools that are not the control: two processes started in the
// same instant (a tournament manager starts many games a second) must not
// play the same game, so the clock alone will not do.
#pragma once

#include <cstdint>

namespace quintar::terminal {

// Mixes the system's entropy source with a high-resolution clock.
std::uint64_t FreshSeed();

}  // namespace quintar::terminal
