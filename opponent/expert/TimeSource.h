// Where the expert and the brain read the time: the steady clock in play, or
// a clock a test moves itself, so that the deadlines a budget sets can be
// checked without waiting for them.
#pragma once

#include <chrono>

namespace quintar {

class TTimeSource {
 public:
  using TTime = std::chrono::steady_clock::time_point;
  virtual ~TTimeSource() = default;
  // Never goes back. Not const: a test's clock may move each time it is read.
  virtual TTime Now() = 0;
};

// The steady clock: what every search and brain reads unless given another.
TTimeSource& SteadyTime();

}  // namespace quintar
