// The control's colours on a text terminal: exact where the terminal shows
// 24-bit colour, otherwise the nearest colour of the 256-colour or the
// 16-colour palette, or none at all.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Types.h"

namespace quintar::terminal {

enum class TColorDepth : std::uint8_t { None, Basic, Palette256, TrueColor };

// How much colour a terminal shows, from how it describes itself: the TERM,
// COLORTERM and NO_COLOR variables (null when unset).
TColorDepth ColorDepthFor(const char* Term, const char* ColorTerm, const char* NoColor);

// The escape sequence that selects the colour for text or behind it; empty
// at TColorDepth::None.
std::string Foreground(vcl::TColor Color, TColorDepth Depth);
std::string Background(vcl::TColor Color, TColorDepth Depth);
inline constexpr std::string_view ResetColors = "\x1b[0m";

// The palette entries the fallbacks choose, for the tests: 0..15 and 16..255.
int NearestBasic(vcl::TColor Color);
int Nearest256(vcl::TColor Color);

}  // namespace quintar::terminal
