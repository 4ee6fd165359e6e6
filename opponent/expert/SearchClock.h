// Counts the positions a search visits and tells it when its budget is
// spent: a number of positions, a time, or a stop flag raised elsewhere; and
// whether its soft target, in time or positions, has passed. Times are read
// on the budget's time source.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include "Expert.h"
#include "TimeSource.h"

namespace quintar::expert {

class TSearchClock {
 public:
  void Start(const TSearchBudget& Budget);

  // Counts one position; true once the budget is spent, and from then on
  // without counting any more.
  bool Spend() {
    if (FSpent) return true;
    ++FNodes;
    FSpent = (FNodeLimit > 0 && FNodes >= FNodeLimit) || (FNodes % ClockInterval == 0 && Checkpoint());
    return FSpent;
  }
  // Tick, when given, is called now and then while the search runs, at most
  // once every Interval: a host that shows the search's progress hears it
  // between depths. Null stops it. Start keeps it.
  void SetTicker(const std::function<void()>* Tick, std::chrono::milliseconds Interval);
  bool Spent() const { return FSpent; }
  // False when the budget sets no soft target.
  bool SoftTargetPassed() const;
  std::int64_t Nodes() const { return FNodes; }
  // 0 when there is none.
  std::int64_t NodeLimit() const { return FNodeLimit; }

 private:
  // Reading the clock costs more than a position, so it is read now and then.
  static constexpr std::int64_t ClockInterval = 128;
  bool ClockSaysStop() const;
  // Ticks when it is time, then says whether to stop.
  bool Checkpoint();

  std::int64_t FNodes = 0;
  std::int64_t FNodeLimit = 0;
  TTimeSource* FTime = &SteadyTime();
  bool FHasDeadline = false;
  TTimeSource::TTime FDeadline;
  const std::atomic<bool>* FStop = nullptr;
  bool FSpent = false;
  std::int64_t FSoftNodes = 0;
  bool FHasSoftDeadline = false;
  TTimeSource::TTime FSoftDeadline;
  const std::function<void()>* FTick = nullptr;
  std::chrono::milliseconds FTickInterval{0};
  TTimeSource::TTime FNextTick;
};

}  // namespace quintar::expert
