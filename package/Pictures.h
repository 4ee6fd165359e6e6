// The module's two pictures, drawn here pixel by pixel in the sixteen
// standard colours: the palette bitmap a designer shows for TQuintar, and
// the module's main icon. Both show a small board with crosses and noughts.
#pragma once

#include <span>

#include "PackageInfo.h"

namespace quintar {

// The palette bitmap TQUINTAR (21 x 21), then the main icon MAINICON (32 x 32).
std::span<const vcl::TPictureResource> Pictures();

}  // namespace quintar
