// Small value types shared by the whole framework stand-in: colours, points,
// rectangles, mouse buttons and modifier keys.
#pragma once

#include <bitset>
#include <cstdint>

namespace vcl {

// A colour as 0x00BBGGRR: red in the low byte.
using TColor = std::int32_t;

// The sixteen colours a form names rather than spells out.
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
// What Pixels() answers for a position outside the surface.
inline constexpr TColor clInvalid = -1;

constexpr std::uint8_t RedOf(TColor Color) { return static_cast<std::uint8_t>(Color & 0xFF); }
constexpr std::uint8_t GreenOf(TColor Color) { return static_cast<std::uint8_t>((Color >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(TColor Color) { return static_cast<std::uint8_t>((Color >> 16) & 0xFF); }

struct TPoint {
  int X = 0;
  int Y = 0;
  friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

// Right and bottom lie just outside the area, as everywhere in the canvas.
struct TRect {
  int Left;
  int Top;
  int Right;
  int Bottom;
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// Modifier keys and mouse buttons held during a mouse event; TShiftState{} is none.
enum TShiftStateFlag : std::uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = std::bitset<7>;

// Where a host should place a control inside its parent. Stored only: the
// control itself never moves or sizes itself by it.
enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

}  // namespace vcl
