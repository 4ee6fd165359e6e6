// PNG files of surfaces: what the control drew, pixel for pixel, as 8-bit RGB.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Surface.h"
#include "Types.h"

namespace quintar::png {

// A decoded picture: Width x Height colours, row by row, as 0x00BBGGRR.
struct TImage {
  int Width = 0;
  int Height = 0;
  std::vector<vcl::TColor> Pixels;
  vcl::TColor At(int X, int Y) const { return Pixels[static_cast<std::size_t>(Y) * Width + X]; }
};

TImage FromSurface(const vcl::TSurface& Surface);

// Each returns an error message, empty on success. Encode gives the PNG
// file's bytes, for a caller that writes them its own way.
std::string Encode(const TImage& Image, std::string& Encoded);
std::string Write(const std::string& Path, const TImage& Image);
std::string Read(const std::string& Path, TImage& Image);

}  // namespace quintar::png
