#include "FreshSeed.h"

#include <chrono>
#include <random>

namespace quintar {

std::uint64_t FreshSeed() {
  std::random_device Entropy;
  const std::uint64_t Drawn = std::uint64_t{Entropy()} << 32 ^ Entropy();
  const auto Ticks = static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
  // The golden-ratio multiplier spreads the clock's low bits, which change
  // fastest, over the whole word.
  return Drawn ^ Ticks * 0x9E3779B97F4A7C15u;
}

}  // namespace quintar
