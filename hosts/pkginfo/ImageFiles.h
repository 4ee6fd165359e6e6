// Standard Windows picture files of a package's resources, which any image
// viewer opens: a bitmap as a .bmp, an icon as a one-image .ico. Both keep
// the resource's palette (4 bits a pixel up to 16 colours, 8 up to 256).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "PackageInfo.h"

namespace quintar::pkginfo {

using TBytes = std::vector<std::uint8_t>;

// The picture must be well formed, as the loader checks every resource of a
// package it loads.
TBytes BmpFile(const vcl::TPictureResource& Picture);
// Every pixel opaque.
TBytes IcoFile(const vcl::TPictureResource& Picture);
// The file for the resource's kind: a bitmap as BMP, an icon as ICO.
TBytes PictureFile(const vcl::TPictureResource& Picture);

}  // namespace quintar::pkginfo
