// Surfaces as small text pictures, so a raster expectation reads like the
// pixels it describes: one character per pixel, one string per row.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "Surface.h"

namespace vcl::testing {

// Characters for the colours a test uses; any other colour shows as '?'.
inline std::vector<std::string> Picture(const TSurface& Surface, const std::map<TColor, char>& Legend) {
  std::vector<std::string> Rows;
  for (int Y = 0; Y < Surface.Height(); ++Y) {
    std::string Row;
    for (int X = 0; X < Surface.Width(); ++X) {
      const auto Found = Legend.find(Surface.Pixel(X, Y));
      Row += Found == Legend.end() ? '?' : Found->second;
    }
    Rows.push_back(Row);
  }
  return Rows;
}

}  // namespace vcl::testing
