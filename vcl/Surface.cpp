#include "Surface.h"

#include <algorithm>
#include <cstring>

namespace vcl {
namespace {

// Filling is most of a repaint: a large control is cleared twice over, then
// every mark is a run of spans. Pixels are copied from a prepared block,
// which compilers turn into the widest stores the target has without asking
// for vector instructions by name; the last block of a span overlaps the one
// before it rather than ending in single pixels.
inline void FillPixels(TPixel* First, std::size_t Count, TColor Color) {
  const TPixel Pixel = PixelOf(Color);
  if (Count < 4) {
    for (std::size_t Done = 0; Done < Count; ++Done) First[Done] = Pixel;
    return;
  }
  constexpr std::size_t BlockPixels = 8;
  TPixel Block[BlockPixels];
  std::fill_n(Block, BlockPixels, Pixel);
  if (Count < BlockPixels) {
    std::memcpy(First, Block, 4 * sizeof(TPixel));
    std::memcpy(First + Count - 4, Block, 4 * sizeof(TPixel));
    return;
  }
  TPixel* const LastBlock = First + Count - BlockPixels;
  for (; First < LastBlock; First += BlockPixels) std::memcpy(First, Block, sizeof Block);
  std::memcpy(LastBlock, Block, sizeof Block);
}

// The part of Lo .. Hi inclusive inside 0 .. Limit - 1; empty when Lo > Hi.
struct TClipped {
  int Lo, Hi;
  bool Empty() const { return Lo > Hi; }
};

TClipped Clip(std::int64_t Lo, std::int64_t Hi, int Limit) {
  return {static_cast<int>(std::max<std::int64_t>(Lo, 0)), static_cast<int>(std::min<std::int64_t>(Hi, Limit - 1))};
}

}  // namespace

void TSurface::Resize(int AWidth, int AHeight) {
  FWidth = std::clamp(AWidth, 0, MaxExtent);
  FHeight = std::clamp(AHeight, 0, MaxExtent);
  FPixels.assign(static_cast<std::size_t>(FWidth) * static_cast<std::size_t>(FHeight), PixelOf(clBlack));
  FChanged = TRect{0, 0, FWidth, FHeight};
}

TColor TSurface::Pixel(int X, int Y) const {
  if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return clInvalid;
  return ColorOf(Row(Y)[X]);
}

void TSurface::Touch(int Left, int Top, int Right, int Bottom) {
  if (FChanged.IsEmpty()) {
    FChanged = TRect{Left, Top, Right, Bottom};
    return;
  }
  FChanged.Left = std::min(FChanged.Left, Left);
  FChanged.Top = std::min(FChanged.Top, Top);
  FChanged.Right = std::max(FChanged.Right, Right);
  FChanged.Bottom = std::max(FChanged.Bottom, Bottom);
}

void TSurface::FillSpan(std::int64_t Y, std::int64_t X1, std::int64_t X2, TColor Color) {
  FillArea(Y, Y, X1, X2, Color);
}

void TSurface::FillArea(std::int64_t Y1, std::int64_t Y2, std::int64_t X1, std::int64_t X2, TColor Color) {
  const TClipped Rows = Clip(Y1, Y2, FHeight);
  const TClipped Columns = Clip(X1, X2, FWidth);
  if (Rows.Empty() || Columns.Empty()) return;
  const std::size_t Across = static_cast<std::size_t>(Columns.Hi - Columns.Lo + 1);
  const std::size_t Down = static_cast<std::size_t>(Rows.Hi - Rows.Lo + 1);
  if (Across == static_cast<std::size_t>(FWidth)) {
    // Whole rows lie end to end.
    FillPixels(At(0, Rows.Lo), Across * Down, Color);
  } else {
    for (int Y = Rows.Lo; Y <= Rows.Hi; ++Y) FillPixels(At(Columns.Lo, Y), Across, Color);
  }
  Touch(Columns.Lo, Rows.Lo, Columns.Hi + 1, Rows.Hi + 1);
}

void TSurface::FillRuns(const std::vector<TRun>& Runs, std::int64_t DX, std::int64_t DY, TColor Pen, TColor Brush) {
  // The changed area is gathered here and widened once.
  int Left = FWidth, Top = FHeight, Right = 0, Bottom = 0;
  for (const TRun& Run : Runs) {
    const std::int64_t Y = Run.Y + DY;
    if (Y < 0 || Y >= FHeight) continue;
    const TClipped Columns = Clip(Run.X1 + DX, Run.X2 + DX, FWidth);
    if (Columns.Empty()) continue;
    const int Row = static_cast<int>(Y);
    FillPixels(At(Columns.Lo, Row), static_cast<std::size_t>(Columns.Hi - Columns.Lo + 1), Run.Brush ? Brush : Pen);
    Left = std::min(Left, Columns.Lo);
    Right = std::max(Right, Columns.Hi + 1);
    Top = std::min(Top, Row);
    Bottom = std::max(Bottom, Row + 1);
  }
  if (Left < Right) Touch(Left, Top, Right, Bottom);
}

TRect TSurface::TakeChangedArea() {
  const TRect Area = FChanged;
  FChanged = TRect{0, 0, 0, 0};
  return Area;
}

}  // namespace vcl
