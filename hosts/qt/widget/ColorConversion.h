// The control's colours (0x00BBGGRR) as Qt's and back. Qt's alpha has no
// counterpart: colours are always opaque on the board.
#pragma once

#include <QColor>

#include "Types.h"

namespace quintar::qt {

inline QColor toQColor(vcl::TColor color) { return {vcl::RedOf(color), vcl::GreenOf(color), vcl::BlueOf(color)}; }
inline vcl::TColor fromQColor(const QColor& color) { return color.red() | color.green() << 8 | color.blue() << 16; }

}  // namespace quintar::qt
