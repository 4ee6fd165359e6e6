// The picture files the inspector writes: headers, palette and pixel layout
// as image viewers expect them, and writing that never leaves half a file.
#include <gtest/gtest.h>

#include "ImageFiles.h"

namespace quintar::pkginfo {
namespace {

std::uint32_t Read32(const TBytes& Bytes, std::size_t At) {
  return Bytes[At] | Bytes[At + 1] << 8 | Bytes[At + 2] << 16 | static_cast<std::uint32_t>(Bytes[At + 3]) << 24;
}
std::uint32_t Read16(const TBytes& Bytes, std::size_t At) { return Bytes[At] | Bytes[At + 1] << 8; }

// Three pixels wide, two high, three colours: small enough to check byte by byte.
constexpr vcl::TColor ThreeColors[] = {0x00332211, 0x00665544, 0x00998877};
constexpr std::uint8_t Indices[] = {0, 1, 2,  //
                                    2, 1, 0};
constexpr vcl::TPictureResource Small = {"SMALL", vcl::TResourceKind::Bitmap, 3, 2, ThreeColors, Indices};

TEST(ImageFiles, BitmapFileHeaderPaletteAndBottomUpRows) {
  const TBytes File = BmpFile(Small);
  constexpr std::size_t Bits = 14 + 40 + 3 * 4;
  ASSERT_EQ(File.size(), Bits + 2 * 4);  // two rows of three nibbles, padded to four bytes
  EXPECT_EQ(File[0], 'B');
  EXPECT_EQ(File[1], 'M');
  EXPECT_EQ(Read32(File, 2), File.size());
  EXPECT_EQ(Read32(File, 10), Bits);
  EXPECT_EQ(Read32(File, 14), 40u);
  EXPECT_EQ(Read32(File, 18), 3u);
  EXPECT_EQ(Read32(File, 22), 2u);
  EXPECT_EQ(Read16(File, 26), 1u);
  EXPECT_EQ(Read16(File, 28), 4u);
  EXPECT_EQ(Read32(File, 30), 0u);
  EXPECT_EQ(Read32(File, 46), 3u);
  // Palette entries are blue, green, red, zero.
  EXPECT_EQ(TBytes(File.begin() + 54, File.begin() + 58), (TBytes{0x33, 0x22, 0x11, 0}));
  EXPECT_EQ(TBytes(File.begin() + 62, File.begin() + 66), (TBytes{0x99, 0x88, 0x77, 0}));
  // The bottom row comes first; the left pixel is the high nibble.
  EXPECT_EQ(TBytes(File.begin() + Bits, File.end()), (TBytes{0x21, 0x00, 0, 0, 0x01, 0x20, 0, 0}));
}

TEST(ImageFiles, IconHoldsOneOpaqueImage) {
  const TBytes File = IcoFile(Small);
  constexpr std::size_t Image = 6 + 16;
  constexpr std::size_t ImageBytes = 40 + 3 * 4 + 2 * 4 + 2 * 4;  // header, palette, colours, mask
  ASSERT_EQ(File.size(), Image + ImageBytes);
  EXPECT_EQ(TBytes(File.begin(), File.begin() + 6), (TBytes{0, 0, 1, 0, 1, 0}));
  EXPECT_EQ(File[6], 3);  // width
  EXPECT_EQ(File[7], 2);  // height
  EXPECT_EQ(File[8], 3);  // colours
  EXPECT_EQ(Read16(File, 10), 1u);
  EXPECT_EQ(Read16(File, 12), 4u);
  EXPECT_EQ(Read32(File, 14), ImageBytes);
  EXPECT_EQ(Read32(File, 18), Image);
  EXPECT_EQ(Read32(File, Image + 8), 4u);  // colours and mask stacked
  EXPECT_EQ(TBytes(File.end() - 8, File.end()), TBytes(8, 0));
  EXPECT_EQ(TBytes(File.end() - 16, File.end() - 8), (TBytes{0x21, 0x00, 0, 0, 0x01, 0x20, 0, 0}));
}

TEST(ImageFiles, MoreThanSixteenColoursTakeAByteAPixel) {
  std::array<vcl::TColor, 17> Colors{};
  constexpr std::uint8_t Wide[] = {16, 1, 0, 16, 1, 0};
  const vcl::TPictureResource Picture = {"WIDE", vcl::TResourceKind::Bitmap, 3, 2, Colors, Wide};
  const TBytes File = BmpFile(Picture);
  EXPECT_EQ(Read16(File, 28), 8u);
  const std::size_t Bits = Read32(File, 10);
  EXPECT_EQ(TBytes(File.begin() + static_cast<std::ptrdiff_t>(Bits), File.end()), (TBytes{16, 1, 0, 0, 16, 1, 0, 0}));
  EXPECT_EQ(PictureFile(Picture), File);
  EXPECT_EQ(PictureFile({"ICON", vcl::TResourceKind::Icon, 3, 2, Colors, Wide})[2], 1);  // an icon directory
}

}  // namespace
}  // namespace quintar::pkginfo
