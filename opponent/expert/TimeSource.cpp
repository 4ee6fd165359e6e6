#include "TimeSource.h"

namespace quintar {
namespace {

class TSteadyTime final : public TTimeSource {
 public:
  TTime Now() override { return std::chrono::steady_clock::now(); }
};

}  // namespace

TTimeSource& SteadyTime() {
  static TSteadyTime Steady;
  return Steady;
}

}  // namespace quintar
