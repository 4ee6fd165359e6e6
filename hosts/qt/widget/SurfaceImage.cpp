#include "SurfaceImage.h"

#include <QtEndian>

namespace quintar::qt {

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the surface's colours are read as RGBX bytes");

QImage surfaceImage(const vcl::TSurface& surface, qreal ratio) {
  if (surface.Width() == 0 || surface.Height() == 0) return {};
  QImage image(reinterpret_cast<const uchar*>(surface.Row(0)), surface.Width(), surface.Height(),
               static_cast<qsizetype>(surface.Width()) * 4, QImage::Format_RGBX8888);
  image.setDevicePixelRatio(ratio);
  return image;
}

QRectF deviceRect(const QRect& area, qreal ratio) {
  return {area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio};
}

}  // namespace quintar::qt
