#include "PngImage.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace quintar::png {

namespace {

struct TFileCloser {
  void operator()(std::FILE* File) const { std::fclose(File); }
};
using TFile = std::unique_ptr<std::FILE, TFileCloser>;

}  // namespace

TImage FromSurface(const vcl::TSurface& Surface) {
  TImage Image{Surface.Width(), Surface.Height(), {}};
  Image.Pixels.reserve(static_cast<std::size_t>(Image.Width) * Image.Height);
  for (int Y = 0; Y < Image.Height; ++Y)
    Image.Pixels.insert(Image.Pixels.end(), Surface.Row(Y), Surface.Row(Y) + Image.Width);
  return Image;
}

std::string Write(const std::string& Path, const TImage& Image) {
  if (Image.Width <= 0 || Image.Height <= 0) return "cannot write an empty picture";
  TFile File(std::fopen(Path.c_str(), "wb"));
  if (!File) return "cannot create " + Path;
  png_image Info{};
  Info.version = PNG_IMAGE_VERSION;
  Info.width = static_cast<png_uint_32>(Image.Width);
  Info.height = static_cast<png_uint_32>(Image.Height);
  Info.format = PNG_FORMAT_RGB;
  std::vector<png_byte> Bytes;
  Bytes.reserve(Image.Pixels.size() * 3);
  for (const vcl::TColor Color : Image.Pixels) {
    Bytes.push_back(vcl::RedOf(Color));
    Bytes.push_back(vcl::GreenOf(Color));
    Bytes.push_back(vcl::BlueOf(Color));
  }
  if (!png_image_write_to_stdio(&Info, File.get(), 0, Bytes.data(), 0, nullptr)) {
    const std::string Message = Info.message;
    png_image_free(&Info);
    return "cannot write " + Path + ": " + Message;
  }
  if (std::fflush(File.get()) != 0) return "cannot write " + Path;
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
