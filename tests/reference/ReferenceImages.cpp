// Turns the reference drawings into commands for the other graphics device
// and its pixels back into fixtures. make-references.sh runs the two halves
// around the replay program under Wine:
//
//   reference_images --script > calls.txt
//   wine GdiReplay.exe < calls.txt > pixels.bin
//   reference_images --pictures pixels.bin DIR     writes DIR/<case>.png
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "PngImage.h"
#include "ReferenceCases.h"

namespace quintar::reference {
namespace {

std::string Hex(vcl::TColor Color) {
  char Text[16];
  std::snprintf(Text, sizeof Text, "%06x", static_cast<unsigned>(Color));
  return Text;
}

std::string Coordinates(const vcl::TCanvasCall& Call) {
  return std::to_string(Call.X1) + " " + std::to_string(Call.Y1) + " " + std::to_string(Call.X2) + " " +
         std::to_string(Call.Y2);
}

// Pen and brush are given again before every shape: the replay program keeps
// no state we could get wrong. MoveTo draws nothing; LineTo carries its start.
void WriteScript(std::ostream& Out) {
  for (const TReferenceCase& Case : ReferenceCases()) {
    Out << "surface " << Case.Width << " " << Case.Height << "\n";
    for (const vcl::TCanvasCall& Call : Case.Calls) {
      if (Call.Operation == vcl::TCanvasOperation::MoveTo) continue;
      Out << "pen " << Hex(Call.PenColor) << " " << Call.PenWidth << "\nbrush " << Hex(Call.BrushColor) << "\n";
      switch (Call.Operation) {
        case vcl::TCanvasOperation::FillRect:
          Out << "fillrect ";
          break;
        case vcl::TCanvasOperation::Rectangle:
          Out << "rectangle ";
          break;
        case vcl::TCanvasOperation::Ellipse:
          Out << "ellipse ";
          break;
        case vcl::TCanvasOperation::LineTo:
          Out << "line ";
          break;
        case vcl::TCanvasOperation::MoveTo:
          break;
      }
      Out << Coordinates(Call) << "\n";
    }
    Out << "dump\n";
  }
}

int WritePictures(const std::string& DumpPath, const std::string& Folder) {
  std::ifstream Dump(DumpPath, std::ios::binary);
  if (!Dump) {
    std::cerr << "reference_images: cannot read " << DumpPath << "\n";
    return 1;
  }
  for (const TReferenceCase& Case : ReferenceCases()) {
    png::TImage Image{Case.Width, Case.Height, {}};
    Image.Pixels.resize(static_cast<std::size_t>(Case.Width) * Case.Height);
    for (vcl::TColor& Pixel : Image.Pixels) {
      unsigned char Bytes[4];
      if (!Dump.read(reinterpret_cast<char*>(Bytes), 4)) {
        std::cerr << "reference_images: " << DumpPath << " ends before the pixels of " << Case.Name << "\n";
        return 1;
      }
      Pixel = static_cast<vcl::TColor>(Bytes[0] | Bytes[1] << 8 | Bytes[2] << 16);
    }
    const std::string Error = png::Write(Folder + "/" + Case.Name + ".png", Image);
    if (!Error.empty()) {
      std::cerr << "reference_images: " << Error << "\n";
      return 1;
    }
  }
  if (Dump.peek() != std::ifstream::traits_type::eof()) {
    std::cerr << "reference_images: " << DumpPath << " holds more pixels than the cases draw\n";
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace quintar::reference

int main(int argc, char** argv) {
  const std::string_view Mode = argc > 1 ? argv[1] : "";
  if (Mode == "--script" && argc == 2) {
    quintar::reference::WriteScript(std::cout);
    return std::cout.flush() ? 0 : 1;
  }
  if (Mode == "--pictures" && argc == 4) return quintar::reference::WritePictures(argv[2], argv[3]);
  std::cerr << "usage: reference_images --script | --pictures PIXELS FOLDER\n";
  return 2;
}
