#include "ImageFiles.h"

namespace quintar::pkginfo {
namespace {

constexpr std::uint32_t InfoHeaderSize = 40;

void Put16(TBytes& Bytes, std::uint32_t Value) {
  Bytes.push_back(static_cast<std::uint8_t>(Value & 0xFF));
  Bytes.push_back(static_cast<std::uint8_t>((Value >> 8) & 0xFF));
}

void Put32(TBytes& Bytes, std::uint32_t Value) {
  Put16(Bytes, Value & 0xFFFF);
  Put16(Bytes, Value >> 16);
}

std::uint32_t BitsPerPixel(const vcl::TPictureResource& Picture) { return Picture.Palette.size() <= 16 ? 4 : 8; }

// Rows of a device-independent bitmap are padded to whole 32-bit words.
std::uint32_t RowBytes(int Width, std::uint32_t Bits) {
  return (static_cast<std::uint32_t>(Width) * Bits + 31) / 32 * 4;
}

std::uint32_t PixelBytes(const vcl::TPictureResource& Picture) {
  return RowBytes(Picture.Width, BitsPerPixel(Picture)) * static_cast<std::uint32_t>(Picture.Height);
}

std::uint32_t PaletteBytes(const vcl::TPictureResource& Picture) {
  return static_cast<std::uint32_t>(Picture.Palette.size()) * 4;
}

// The picture as a bitmap stored in a file or an icon: the header (an icon's
// counts the mask's rows too, so twice the height), the palette, then the
// pixel rows bottom-up.
void PutBitmap(TBytes& Bytes, const vcl::TPictureResource& Picture, std::uint32_t StoredHeight,
               std::uint32_t ExtraBytes) {
  const std::uint32_t Bits = BitsPerPixel(Picture);
  Put32(Bytes, InfoHeaderSize);
  Put32(Bytes, static_cast<std::uint32_t>(Picture.Width));
  Put32(Bytes, StoredHeight);
  Put16(Bytes, 1);  // planes
  Put16(Bytes, Bits);
  Put32(Bytes, 0);  // no compression
  Put32(Bytes, PixelBytes(Picture) + ExtraBytes);
  Put32(Bytes, 2835);  // 72 dots per inch, in dots per metre
  Put32(Bytes, 2835);
  Put32(Bytes, static_cast<std::uint32_t>(Picture.Palette.size()));
  Put32(Bytes, 0);  // every colour matters
  for (const vcl::TColor Color : Picture.Palette) {
    Bytes.push_back(vcl::BlueOf(Color));
    Bytes.push_back(vcl::GreenOf(Color));
    Bytes.push_back(vcl::RedOf(Color));
    Bytes.push_back(0);
  }
  const std::size_t Width = static_cast<std::size_t>(Picture.Width);
  for (int Y = Picture.Height - 1; Y >= 0; --Y) {
    TBytes Row(RowBytes(Picture.Width, Bits), 0);
    for (std::size_t X = 0; X < Width; ++X) {
      const std::uint8_t Index = Picture.Pixels[static_cast<std::size_t>(Y) * Width + X];
      if (Bits == 8)
        Row[X] = Index;
      else
        Row[X / 2] |= static_cast<std::uint8_t>(X % 2 == 0 ? Index << 4 : Index);
    }
    Bytes.insert(Bytes.end(), Row.begin(), Row.end());
  }
}

}  // namespace

TBytes BmpFile(const vcl::TPictureResource& Picture) {
  constexpr std::uint32_t FileHeaderSize = 14;
  const std::uint32_t BitsOffset = FileHeaderSize + InfoHeaderSize + PaletteBytes(Picture);
  TBytes Bytes = {'B', 'M'};
  Put32(Bytes, BitsOffset + PixelBytes(Picture));
  Put32(Bytes, 0);  // reserved
  Put32(Bytes, BitsOffset);
  PutBitmap(Bytes, Picture, static_cast<std::uint32_t>(Picture.Height), 0);
  return Bytes;
}

TBytes IcoFile(const vcl::TPictureResource& Picture) {
  constexpr std::uint32_t DirectorySize = 6 + 16;
  // An icon stores a one-bit mask after the colours; all zero: nothing is
  // transparent.
  const std::uint32_t MaskBytes = RowBytes(Picture.Width, 1) * static_cast<std::uint32_t>(Picture.Height);
  const std::uint32_t ImageBytes = InfoHeaderSize + PaletteBytes(Picture) + PixelBytes(Picture) + MaskBytes;
  // Sizes and colour counts of 256 are written as 0.
  const auto Byte = [](std::size_t Value) { return static_cast<std::uint8_t>(Value >= 256 ? 0 : Value); };
  TBytes Bytes;
  Put16(Bytes, 0);  // reserved
  Put16(Bytes, 1);  // an icon, not a cursor
  Put16(Bytes, 1);  // one image
  Bytes.push_back(Byte(static_cast<std::size_t>(Picture.Width)));
  Bytes.push_back(Byte(static_cast<std::size_t>(Picture.Height)));
  Bytes.push_back(Byte(Picture.Palette.size()));
  Bytes.push_back(0);  // reserved
  Put16(Bytes, 1);     // planes
  Put16(Bytes, BitsPerPixel(Picture));
  Put32(Bytes, ImageBytes);
  Put32(Bytes, DirectorySize);
  PutBitmap(Bytes, Picture, 2 * static_cast<std::uint32_t>(Picture.Height), MaskBytes);
  Bytes.insert(Bytes.end(), MaskBytes, 0);
  return Bytes;
}

TBytes PictureFile(const vcl::TPictureResource& Picture) {
  return Picture.Kind == vcl::TResourceKind::Icon ? IcoFile(Picture) : BmpFile(Picture);
}

}  // namespace quintar::pkginfo
