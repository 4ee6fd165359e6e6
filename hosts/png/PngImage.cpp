#include "PngImage.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <unordered_map>

namespace quintar::png {

namespace {

struct TFileCloser {
  void operator()(std::FILE* File) const { std::fclose(File); }
};
using TFile = std::unique_ptr<std::FILE, TFileCloser>;

constexpr std::size_t PaletteSize = 256;

// The colours of a picture in order of first use, and each pixel's index
// among them; false when there are more than a palette holds.
bool IndexColours(const TImage& Image, std::vector<vcl::TColor>& Palette, std::vector<png_byte>& Indices) {
  std::unordered_map<vcl::TColor, png_byte> IndexOf;
  Indices.reserve(Image.Pixels.size());
  // Runs of one colour are the rule, so the previous pixel answers most looks.
  vcl::TColor Previous = vcl::clInvalid;
  png_byte PreviousIndex = 0;
  for (const vcl::TColor Color : Image.Pixels) {
    if (Color != Previous || Palette.empty()) {
      auto [Found, Added] = IndexOf.try_emplace(Color, static_cast<png_byte>(Palette.size()));
      if (Added) {
        if (Palette.size() == PaletteSize) return false;
        Palette.push_back(Color);
      }
      Previous = Color;
      PreviousIndex = Found->second;
    }
    Indices.push_back(PreviousIndex);
  }
  return true;
}

std::vector<png_byte> RgbBytes(const std::vector<vcl::TColor>& Colors) {
  std::vector<png_byte> Bytes;
  Bytes.reserve(Colors.size() * 3);
  for (const vcl::TColor Color : Colors) {
    Bytes.push_back(vcl::RedOf(Color));
    Bytes.push_back(vcl::GreenOf(Color));
    Bytes.push_back(vcl::BlueOf(Color));
  }
  return Bytes;
}

}  // namespace

TImage FromSurface(const vcl::TSurface& Surface) {
  TImage Image{Surface.Width(), Surface.Height(), {}};
  Image.Pixels.reserve(static_cast<std::size_t>(Image.Width) * Image.Height);
  for (int Y = 0; Y < Image.Height; ++Y)
    for (int X = 0; X < Image.Width; ++X) Image.Pixels.push_back(Surface.Pixel(X, Y));
  return Image;
}

// Pictures of few colours (all that the control draws) are written with a
// palette, at as few bits a pixel as it needs: the same pixels in far fewer
// bytes. Others are written as plain RGB.
std::string Encode(const TImage& Image, std::string& Encoded) {
  if (Image.Width <= 0 || Image.Height <= 0) return "cannot write an empty picture";
  png_image Info{};
  Info.version = PNG_IMAGE_VERSION;
  Info.width = static_cast<png_uint_32>(Image.Width);
  Info.height = static_cast<png_uint_32>(Image.Height);
  std::vector<vcl::TColor> Palette;
  std::vector<png_byte> Bytes;
  std::vector<png_byte> PaletteBytes;
  if (IndexColours(Image, Palette, Bytes)) {
    Info.format = PNG_FORMAT_RGB_COLORMAP;
    Info.colormap_entries = static_cast<png_uint_32>(Palette.size());
    PaletteBytes = RgbBytes(Palette);
  } else {
    Info.format = PNG_FORMAT_RGB;
    Bytes = RgbBytes(Image.Pixels);
  }
  const void* Colormap = PaletteBytes.empty() ? nullptr : PaletteBytes.data();
  png_alloc_size_t Size = 0;
  // Asked first with no memory, libpng says how much the file takes.
  if (png_image_write_to_memory(&Info, nullptr, &Size, 0, Bytes.data(), 0, Colormap)) {
    Encoded.resize(Size);
    if (png_image_write_to_memory(&Info, Encoded.data(), &Size, 0, Bytes.data(), 0, Colormap)) {
      Encoded.resize(Size);
      return {};
    }
  }
  const std::string Message = Info.message;
  png_image_free(&Info);
  return "cannot encode the picture: " + Message;
}

std::string Write(const std::string& Path, const TImage& Image) {
  std::string Encoded;
  if (std::string Error = Encode(Image, Encoded); !Error.empty()) return Error;
  TFile File(std::fopen(Path.c_str(), "wb"));
  if (!File) return "cannot create " + Path;
  if (std::fwrite(Encoded.data(), 1, Encoded.size(), File.get()) != Encoded.size() || std::fflush(File.get()) != 0)
    return "cannot write " + Path;
  return {};
}

std::string Read(const std::string& Path, TImage& Image) {
  png_image Info{};
  Info.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&Info, Path.c_str())) return "cannot read " + Path + ": " + Info.message;
  Info.format = PNG_FORMAT_RGB;
  std::vector<png_byte> Bytes(PNG_IMAGE_SIZE(Info));
  if (!png_image_finish_read(&Info, nullptr, Bytes.data(), 0, nullptr)) {
    const std::string Message = Info.message;
    png_image_free(&Info);
    return "cannot read " + Path + ": " + Message;
  }
  Image.Width = static_cast<int>(Info.width);
  Image.Height = static_cast<int>(Info.height);
  Image.Pixels.clear();
  for (std::size_t I = 0; I + 2 < Bytes.size(); I += 3)
    Image.Pixels.push_back(Bytes[I] | (Bytes[I + 1] << 8) | (Bytes[I + 2] << 16));
  return {};
}

}  // namespace quintar::png
