#include "ShapeCache.h"

namespace vcl {

namespace {

// Three runs a row (pen, brush, pen) for shapes of up to this many rows.
constexpr std::size_t UsualRows = 96;

}  // namespace

TShapeCache::TShapeCache() {
  for (TSlot& Slot : FSlots) Slot.Runs.reserve(3 * UsualRows);
}

const std::vector<TRun>& TShapeCache::Runs(const TShapeKey& Key, TBuilder Build) {
  for (const TSlot& Slot : FSlots)
    if (Slot.Kept && Slot.Key == Key) return Slot.Runs;
  TSlot& Slot = FSlots[FOldest];
  FOldest = (FOldest + 1) % Slots;
  Slot.Key = Key;
  Slot.Kept = true;
  Slot.Runs.clear();
  Build(Key, Slot.Runs);
  return Slot.Runs;
}

}  // namespace vcl
