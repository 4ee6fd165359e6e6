#include "SearchClock.h"

namespace quintar::expert {

void TSearchClock::Start(const TSearchBudget& Budget) {
  FTime = Budget.Time != nullptr ? Budget.Time : &SteadyTime();
  const TTimeSource::TTime Now = FTime->Now();
  FNodes = 0;
  FNodeLimit = Budget.Nodes > 0 ? Budget.Nodes : 0;
  FHasDeadline = Budget.Milliseconds > 0;
  FDeadline = Now + std::chrono::milliseconds(Budget.Milliseconds);
  FStop = Budget.Stop;
  FSoftNodes = Budget.SoftNodes > 0 ? Budget.SoftNodes : 0;
  FHasSoftDeadline = Budget.SoftMilliseconds > 0;
  FSoftDeadline = Now + std::chrono::milliseconds(Budget.SoftMilliseconds);
  FSpent = ClockSaysStop();
}

bool TSearchClock::SoftTargetPassed() const {
  return (FSoftNodes > 0 && FNodes >= FSoftNodes) || (FHasSoftDeadline && FTime->Now() >= FSoftDeadline);
}

void TSearchClock::SetTicker(const std::function<void()>* Tick, std::chrono::milliseconds Interval) {
  FTick = Tick;
  FTickInterval = Interval;
  FNextTick = FTime->Now() + Interval;
}

bool TSearchClock::Checkpoint() {
  if (FTick != nullptr) {
    const TTimeSource::TTime Now = FTime->Now();
    if (Now >= FNextTick) {
      FNextTick = Now + FTickInterval;
      (*FTick)();
    }
  }
  return ClockSaysStop();
}

bool TSearchClock::ClockSaysStop() const {
  if (FStop != nullptr && FStop->load(std::memory_order_relaxed)) return true;
  return FHasDeadline && FTime->Now() >= FDeadline;
}

}  // namespace quintar::expert
