// The control's pixels in the screen's own format (0xffRRGGBB), converted
// area by area as they are painted: a blit from it is a plain copy, where
// one from the surface's pixels (0xFFBBGGRR) would convert every pixel
// again on every paint.
#pragma once

#include <QImage>
#include <QRect>

#include "Surface.h"

namespace quintar::qt {

class SurfaceImage {
 public:
  // Brings Area (device pixels, clipped to the surface) up to date with
  // Surface, and answers the whole image, as large as the surface, with
  // Ratio device pixels per widget pixel.
  const QImage& update(const vcl::TSurface& surface, QRect area, qreal ratio);

 private:
  QImage m_image;
};

// The device pixels under an area of the widget.
QRectF deviceRect(const QRect& area, qreal ratio);

}  // namespace quintar::qt
