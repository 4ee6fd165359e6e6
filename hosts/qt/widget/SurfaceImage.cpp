#include "SurfaceImage.h"

#include <cstdint>

namespace quintar::qt {
namespace {

constexpr std::uint32_t screenColor(std::uint32_t color) {
  return 0xff000000u | (color & 0x00ff00u) | (color & 0xffu) << 16 | (color >> 16 & 0xffu);
}

// Four pixels at a time, which the compiler turns into one vector
// operation; the rows never overlap.
void convertRow(const std::uint32_t* __restrict from, std::uint32_t* __restrict to, int count) {
  constexpr int lanes = 4;
  int x = 0;
  for (; x + lanes <= count; x += lanes)
    for (int lane = 0; lane < lanes; ++lane) to[x + lane] = screenColor(from[x + lane]);
  for (; x < count; ++x) to[x] = screenColor(from[x]);
}

}  // namespace

const QImage& SurfaceImage::update(const vcl::TSurface& surface, QRect area, qreal ratio) {
  const QSize size(surface.Width(), surface.Height());
  if (m_image.size() != size) m_image = QImage(size, QImage::Format_RGB32);
  m_image.setDevicePixelRatio(ratio);
  const QRect rows = area & m_image.rect();
  for (int y = rows.top(); y <= rows.bottom(); ++y)
    convertRow(surface.Row(y) + rows.left(), reinterpret_cast<std::uint32_t*>(m_image.scanLine(y)) + rows.left(),
               rows.width());
  return m_image;
}

QRectF deviceRect(const QRect& area, qreal ratio) {
  return {area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio};
}

}  // namespace quintar::qt
