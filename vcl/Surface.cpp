#include "Surface.h"

#include <algorithm>
#include <cstring>

namespace vcl {
namespace {

// Filling is most of a repaint: a large control is cleared twice over, then
// every mark is a run of spans. Two pixels a store, four stores a turn, is
// what makes it fast without asking the compiler for more.
void FillPixels(TColor* First, std::size_t Count, TColor Color) {
  const std::uint64_t Pair = static_cast<std::uint32_t>(Color) * std::uint64_t{0x100000001};
  std::size_t Done = 0;
  for (; Done + 8 <= Count; Done += 8)
    for (std::size_t Offset = 0; Offset < 8; Offset += 2) std::memcpy(First + Done + Offset, &Pair, sizeof Pair);
  for (; Done < Count; ++Done) First[Done] = Color;
}

}  // namespace

void TSurface::Resize(int AWidth, int AHeight) {
  FWidth = std::clamp(AWidth, 0, MaxExtent);
  FHeight = std::clamp(AHeight, 0, MaxExtent);
  FPixels.assign(static_cast<std::size_t>(FWidth) * static_cast<std::size_t>(FHeight), clBlack);
  FChanged = TRect{0, 0, FWidth, FHeight};
}

TColor TSurface::Pixel(int X, int Y) const {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return clInvalid;
  return Row(Y)[X];
}

void TSurface::FillSpan(std::int64_t Y, std::int64_t X1, std::int64_t X2, TColor Color) {
  if (Y < 0 || Y >= FHeight) return;
  const int Left = static_cast<int>(std::max<std::int64_t>(X1, 0));
  const int Right = static_cast<int>(std::min<std::int64_t>(X2, FWidth - 1));
  if (Left > Right) return;
  const int Top = static_cast<int>(Y);
  TColor* First = FPixels.data() + static_cast<std::size_t>(Top) * FWidth + Left;
  FillPixels(First, static_cast<std::size_t>(Right - Left + 1), Color);
  if (FChanged.IsEmpty()) {
    FChanged = TRect{Left, Top, Right + 1, Top + 1};
  } else {
    FChanged.Left = std::min(FChanged.Left, Left);
    FChanged.Top = std::min(FChanged.Top, Top);
    FChanged.Right = std::max(FChanged.Right, Right + 1);
    FChanged.Bottom = std::max(FChanged.Bottom, Top + 1);
  }
}

TRect TSurface::TakeChangedArea() {
  const TRect Area = FChanged;
  FChanged = TRect{0, 0, 0, 0};
  return Area;
}

}  // namespace vcl
