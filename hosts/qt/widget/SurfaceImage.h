// The control's pixels as a QImage, without copying them: a colour
// 0x00BBGGRR lies in memory as the bytes R, G, B and an unused one, which is
// Qt's RGBX8888 on little-endian machines.
#pragma once

#include <QImage>
#include <QRectF>

#include "vcl/Surface.h"

namespace quintar::qt {

// Valid while the surface is neither resized nor destroyed. ratio is the
// device pixels per widget pixel.
QImage surfaceImage(const vcl::TSurface& surface, qreal ratio);
// The device pixels under an area of the widget.
QRectF deviceRect(const QRect& area, qreal ratio);

}  // namespace quintar::qt
