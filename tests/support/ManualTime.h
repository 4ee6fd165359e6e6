// A clock the test moves instead of the world: each reading moves it on by a
// fixed step, as if whoever reads it had worked that long since the last, and
// the test may move it on itself. Whatever reads it sees time pass only as
// fast as it reads, so a search under a deadline stops after a repeatable
// number of readings and no test waits.
#pragma once

#include <chrono>
#include <cstdint>

#include "TimeSource.h"

namespace quintar::testing {

class TManualTime final : public TTimeSource {
 public:
  explicit TManualTime(std::chrono::microseconds Step) : FStep(Step) {}
  TTime Now() override {
    ++FReadings;
    FNow += FStep;
    return FNow;
  }
  // Where the clock stands, without moving it.
  TTime Shown() const { return FNow; }
  std::int64_t Readings() const { return FReadings; }
  std::chrono::microseconds Step() const { return FStep; }

 private:
  std::chrono::microseconds FStep;
  TTime FNow{};
  std::int64_t FReadings = 0;
};

}  // namespace quintar::testing
