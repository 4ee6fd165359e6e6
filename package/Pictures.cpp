#include "Pictures.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace quintar {
namespace {

// The sixteen standard colours, in their usual palette order, so that a hex
// digit in the drawings below is the palette index.
constexpr std::array<vcl::TColor, 16> StandardColors = {
    vcl::clBlack, vcl::clMaroon, vcl::clGreen, vcl::clOlive,  vcl::clNavy, vcl::clPurple,  vcl::clTeal, vcl::clSilver,
    vcl::clGray,  vcl::clRed,    vcl::clLime,  vcl::clYellow, vcl::clBlue, vcl::clFuchsia, vcl::clAqua, vcl::clWhite,
};

constexpr std::uint8_t PaletteIndex(char Digit) {
  if (Digit >= '0' && Digit <= '9') return static_cast<std::uint8_t>(Digit - '0');
  if (Digit >= 'A' && Digit <= 'F') return static_cast<std::uint8_t>(Digit - 'A' + 10);
  throw "a drawing holds a character that is no palette index";
}

// A drawing of Width x Height hex digits as palette indices. Evaluated while
// compiling, so a row of the wrong length or a stray character stops the
// build.
template <std::size_t Width, std::size_t Height>
constexpr std::array<std::uint8_t, Width * Height> Indices(const std::array<std::string_view, Height>& Rows) {
  std::array<std::uint8_t, Width * Height> Pixels{};
  for (std::size_t Y = 0; Y < Height; ++Y) {
    if (Rows[Y].size() != Width) throw "every row of a drawing must be as wide as the picture";
    for (std::size_t X = 0; X < Width; ++X) Pixels[Y * Width + X] = PaletteIndex(Rows[Y][X]);
  }
  return Pixels;
}

// The rows below are the pictures themselves, one string a row: kept out of
// the formatter, which would pack them into lines.
// clang-format off
// 8 gray grid, F white cells, 9 red crosses, C blue noughts.
constexpr std::array<std::uint8_t, 21 * 21> PaletteBitmapPixels = Indices<21, 21>({
    "888888888888888888888",
    "8FFFFFF8FFFFF8FFFFFF8",
    "8F9FF9F8FFFFF8FFCCFF8",
    "8FF99FF8FFFFF8FCFFCF8",
    "8FF99FF8FFFFF8FCFFCF8",
    "8F9FF9F8FFFFF8FFCCFF8",
    "8FFFFFF8FFFFF8FFFFFF8",
    "888888888888888888888",
    "8FFFFFF8FCCCF8FFFFFF8",
    "8FFFFFF8CFFFC8FFFFFF8",
    "8FFFFFF8CFFFC8FFFFFF8",
    "8FFFFFF8CFFFC8FFFFFF8",
    "8FFFFFF8FCCCF8FFFFFF8",
    "888888888888888888888",
    "8FFFFFF8FFFFF8FFFFFF8",
    "8FFFFFF8FFFFF8F9FF9F8",
    "8FFFFFF8FFFFF8FF99FF8",
    "8FFFFFF8FFFFF8FF99FF8",
    "8FFFFFF8FFFFF8F9FF9F8",
    "8FFFFFF8FFFFF8FFFFFF8",
    "888888888888888888888",
});

// The same game a size up, framed in 0 black.
constexpr std::array<std::uint8_t, 32 * 32> MainIconPixels = Indices<32, 32>({
    "00000000000000000000000000000000",
    "0FFFFFFFFF8FFFFFFFFFF8FFFFFFFFF0",
    "0F99FFF99F8FFFFFFFFFF8FFFCCCFFF0",
    "0F999F999F8FFFFFFFFFF8FFCCCCCFF0",
    "0FF99999FF8FFFFFFFFFF8FCCFFFCCF0",
    "0FFF999FFF8FFFFFFFFFF8FCCFFFCCF0",
    "0FF99999FF8FFFFFFFFFF8FCCFFFCCF0",
    "0F999F999F8FFFFFFFFFF8FFCCCCCFF0",
    "0F99FFF99F8FFFFFFFFFF8FFFCCCFFF0",
    "0FFFFFFFFF8FFFFFFFFFF8FFFFFFFFF0",
    "08888888888888888888888888888880",
    "0FFFFFFFFF8FFFFFFFFFF8FFFFFFFFF0",
    "0FFFFFFFFF8FFFCCCCFFF8FFFFFFFFF0",
    "0FFFFFFFFF8FFCCCCCCFF8FFFFFFFFF0",
    "0FFFFFFFFF8FCCCFFCCCF8FFFFFFFFF0",
    "0FFFFFFFFF8FCCFFFFCCF8FFFFFFFFF0",
    "0FFFFFFFFF8FCCFFFFCCF8FFFFFFFFF0",
    "0FFFFFFFFF8FCCCFFCCCF8FFFFFFFFF0",
    "0FFFFFFFFF8FFCCCCCCFF8FFFFFFFFF0",
    "0FFFFFFFFF8FFFCCCCFFF8FFFFFFFFF0",
    "0FFFFFFFFF8FFFFFFFFFF8FFFFFFFFF0",
    "08888888888888888888888888888880",
    "0FFFFFFFFF8FFFFFFFFFF8FFFFFFFFF0",
    "0FFFFFFFFF8FFFFFFFFFF8F99FFF99F0",
    "0FFFFFFFFF8FFFFFFFFFF8F999F999F0",
    "0FFFFFFFFF8FFFFFFFFFF8FF99999FF0",
    "0FFFFFFFFF8FFFFFFFFFF8FFF999FFF0",
    "0FFFFFFFFF8FFFFFFFFFF8FF99999FF0",
    "0FFFFFFFFF8FFFFFFFFFF8F999F999F0",
    "0FFFFFFFFF8FFFFFFFFFF8F99FFF99F0",
    "0FFFFFFFFF8FFFFFFFFFF8FFFFFFFFF0",
    "00000000000000000000000000000000",
});
// clang-format on

constexpr std::array<vcl::TPictureResource, 2> AllPictures = {{
    {"TQUINTAR", vcl::TResourceKind::Bitmap, 21, 21, StandardColors, PaletteBitmapPixels},
    {"MAINICON", vcl::TResourceKind::Icon, 32, 32, StandardColors, MainIconPixels},
}};

}  // namespace

std::span<const vcl::TPictureResource> Pictures() { return AllPictures; }

}  // namespace quintar
