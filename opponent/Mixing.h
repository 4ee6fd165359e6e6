// Spreads the bits of a number over the whole word (the splitmix64 finaliser):
// fixed random keys, seeds derived from seeds, tie-breaks that look random
// but repeat.
#pragma once

#include <cstdint>

namespace quintar {

constexpr std::uint64_t Mixed(std::uint64_t Value) {
  Value += 0x9E3779B97F4A7C15ULL;
  Value = (Value ^ (Value >> 30)) * 0xBF58476D1CE4E5B9ULL;
  Value = (Value ^ (Value >> 27)) * 0x94D049BB133111EBULL;
  return Value ^ (Value >> 31);
}

}  // namespace quintar
