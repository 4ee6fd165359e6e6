// The runs of pixels of shapes that are drawn again and again at different
// places, such as a board's marks, worked out once per shape. Moved by whole
// pixels a shape keeps its pixels, so its runs are kept relative to an origin
// and only the few shapes drawn most recently are kept.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "Surface.h"

namespace vcl {

enum class TShapeKind { Ellipse, Line };

// An ellipse's box is Width x Height; a line runs Width across and Height
// down from its origin.
struct TShapeKey {
  TShapeKind Kind;
  std::int64_t Width, Height;
  int PenWidth;
  friend bool operator==(const TShapeKey&, const TShapeKey&) = default;
};

class TShapeCache {
 public:
  // Room for the runs of shapes as large as a mark usually is is made once,
  // here, so that drawing them allocates nothing.
  TShapeCache();

  // Fills Runs, which is empty, with the runs of the shape Key names.
  using TBuilder = void (*)(const TShapeKey& Key, std::vector<TRun>& Runs);

  // The runs of Key's shape: kept ones, or else Build's, which then replace
  // the shape kept longest. Valid until the next call.
  const std::vector<TRun>& Runs(const TShapeKey& Key, TBuilder Build);

 private:
  // Enough for a board's marks, whose cells differ by a pixel across and
  // down, and whose crosses have two directions.
  static constexpr std::size_t Slots = 16;

  struct TSlot {
    TShapeKey Key{};
    bool Kept = false;
    std::vector<TRun> Runs;
  };
  std::array<TSlot, Slots> FSlots;
  std::size_t FOldest = 0;
};

}  // namespace vcl
