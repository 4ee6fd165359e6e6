// A rectangle of pixels that a canvas draws into and a host shows. Every
// write goes through FillSpan, which clips to the surface and widens the
// changed area the host reads back after immediate drawing.
#pragma once

#include <cstdint>
#include <vector>

#include "Types.h"

namespace vcl {

class TSurface {
 public:
  // The largest width or height a surface (and so a control) can have.
  static constexpr int MaxExtent = 8192;

  // Sizes are clamped to 0 .. MaxExtent; the new pixels are black.
  void Resize(int AWidth, int AHeight);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

  // clInvalid outside the surface.
  TColor Pixel(int X, int Y) const;
  // Row Y (0 <= Y < Height) as Width consecutive colours.
  const TColor* Row(int Y) const { return FPixels.data() + static_cast<std::size_t>(Y) * FWidth; }

  // Paints the pixels X1 .. X2 inclusive of row Y, whatever part of them lies
  // on the surface.
  void FillSpan(std::int64_t Y, std::int64_t X1, std::int64_t X2, TColor Color);

  // The smallest rectangle holding every pixel written since the last call
  // (empty when none), and starts collecting anew.
  TRect TakeChangedArea();

 private:
  int FWidth = 0;
  int FHeight = 0;
  std::vector<TColor> FPixels;
  TRect FChanged{0, 0, 0, 0};
};

}  // namespace vcl
