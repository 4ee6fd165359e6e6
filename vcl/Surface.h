// A rectangle of pixels that a canvas draws into and a host shows. Every
// write is clipped to the surface once per span or area, and widens the
// changed area the host reads back after immediate drawing.
#pragma once

#include <cstdint>
#include <vector>

#include "Types.h"

namespace vcl {

// Pixels X1 .. X2 inclusive of row Y, in the pen's colour or the brush's:
// part of a shape, relative to where it is drawn.
struct TRun {
  std::int32_t Y, X1, X2;
  bool Brush;
};

// A pixel as the surface holds it: its colour with an opaque alpha above,
// 0xFFBBGGRR, which lies in memory as the bytes R, G, B, 255 that a web
// canvas takes as they are, without a copy to add the alpha.
using TPixel = std::uint32_t;
inline constexpr TPixel OpaqueAlpha = 0xFF000000u;
constexpr TPixel PixelOf(TColor Color) { return static_cast<TPixel>(Color) | OpaqueAlpha; }
constexpr TColor ColorOf(TPixel Pixel) { return static_cast<TColor>(Pixel & ~OpaqueAlpha); }

class TSurface {
 public:
  // The largest width or height a surface (and so a control) can have.
  static constexpr int MaxExtent = 8192;

  // Sizes are clamped to 0 .. MaxExtent; the new pixels are black.
  void Resize(int AWidth, int AHeight);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

  // The colour at X, Y, without the alpha; clInvalid outside the surface.
  TColor Pixel(int X, int Y) const;
  // Row Y (0 <= Y < Height) as Width consecutive pixels; the rows lie end to
  // end.
  const TPixel* Row(int Y) const { return FPixels.data() + static_cast<std::size_t>(Y) * FWidth; }

  // Paints the pixels X1 .. X2 inclusive of row Y, whatever part of them lies
  // on the surface.
  void FillSpan(std::int64_t Y, std::int64_t X1, std::int64_t X2, TColor Color);
  // Paints rows Y1 .. Y2 of columns X1 .. X2, all inclusive, whatever part of
  // them lies on the surface.
  void FillArea(std::int64_t Y1, std::int64_t Y2, std::int64_t X1, std::int64_t X2, TColor Color);
  // Paints each run moved right by DX and down by DY, whatever part of it
  // lies on the surface.
  void FillRuns(const std::vector<TRun>& Runs, std::int64_t DX, std::int64_t DY, TColor Pen, TColor Brush);

  // The smallest rectangle holding every pixel written since the last call
  // (empty when none), and starts collecting anew.
  TRect TakeChangedArea();

 private:
  TPixel* At(int X, int Y) { return FPixels.data() + static_cast<std::size_t>(Y) * FWidth + X; }
  // Widens the changed area by the pixels Left .. Right - 1 of rows Top ..
  // Bottom - 1, a rectangle on the surface that is not empty.
  void Touch(int Left, int Top, int Right, int Bottom);

  int FWidth = 0;
  int FHeight = 0;
  std::vector<TPixel> FPixels;
  TRect FChanged{0, 0, 0, 0};
};

}  // namespace vcl
