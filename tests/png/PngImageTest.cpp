// PNG files keep every pixel exactly: pictures of few colours go through a
// palette, others are written as plain RGB.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "PngImage.h"

namespace quintar::png {
namespace {

std::string TempPath(const char* Name) { return (std::filesystem::temp_directory_path() / Name).string(); }

// The colour type in the file's header: 2 for RGB, 3 for a palette.
int ColourType(const std::string& Path) {
  std::ifstream File(Path, std::ios::binary);
  const std::vector<char> Bytes((std::istreambuf_iterator<char>(File)), std::istreambuf_iterator<char>());
  return Bytes.size() > 25 ? Bytes[25] : -1;
}

void ExpectRoundTrip(const TImage& Image, const char* Name, int ExpectedColourType) {
  const std::string Path = TempPath(Name);
  ASSERT_EQ(Write(Path, Image), "");
  EXPECT_EQ(ColourType(Path), ExpectedColourType);
  TImage Back;
  ASSERT_EQ(Read(Path, Back), "");
  EXPECT_EQ(Back.Width, Image.Width);
  EXPECT_EQ(Back.Height, Image.Height);
  EXPECT_EQ(Back.Pixels, Image.Pixels);
  std::filesystem::remove(Path);
}

TEST(PngImage, FewColoursGoThroughAPalette) {
  TImage Image{7, 3, {}};
  for (int I = 0; I < 21; ++I) Image.Pixels.push_back(I % 3 == 0 ? vcl::clRed : I % 5 == 0 ? 0x00E0F0FF : vcl::clWhite);
  ExpectRoundTrip(Image, "quintar-png-palette.png", 3);
}

TEST(PngImage, AFullPaletteStillFitsAndOneColourMoreIsRgb) {
  TImage Image{16, 16, {}};
  for (int I = 0; I < 256; ++I) Image.Pixels.push_back(I * 0x010101);
  ExpectRoundTrip(Image, "quintar-png-256.png", 3);
  Image.Pixels[255] = 0x00ABCDEF;
  Image.Pixels.push_back(0x00123456);
  Image.Height = 17;
  Image.Pixels.resize(16 * 17, 0x00654321);
  ExpectRoundTrip(Image, "quintar-png-rgb.png", 2);
}

}  // namespace
}  // namespace quintar::png
