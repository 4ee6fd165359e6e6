// A seed for whatever plays the expert outside the control: the games a
// person plays on the desktop, in a browser or a terminal should not repeat
// one another, and two brains started in the same instant (a tournament
// manager starts many games a second) must not play the same game, so the
// clock alone will not do.
#pragma once

#include <cstdint>

namespace quintar {

// Mixes the system's entropy source with a high-resolution clock.
std::uint64_t FreshSeed();

}  // namespace quintar
