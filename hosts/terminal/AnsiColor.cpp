#include "AnsiColor.h"

#include <array>
#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace quintar::terminal {
namespace {

struct TRgb {
  int Red, Green, Blue;
};

TRgb RgbOf(vcl::TColor Color) { return {vcl::RedOf(Color), vcl::GreenOf(Color), vcl::BlueOf(Color)}; }

int Distance(TRgb A, TRgb B) {
  const int R = A.Red - B.Red, G = A.Green - B.Green, Bl = A.Blue - B.Blue;
  return R * R + G * G + Bl * Bl;
}

// The 16 colours as xterm shows them by default.
constexpr std::array<TRgb, 16> BasicPalette = {{{0, 0, 0},
                                                {205, 0, 0},
                                                {0, 205, 0},
                                                {205, 205, 0},
                                                {0, 0, 238},
                                                {205, 0, 205},
                                                {0, 205, 205},
                                                {229, 229, 229},
                                                {127, 127, 127},
                                                {255, 0, 0},
                                                {0, 255, 0},
                                                {255, 255, 0},
                                                {92, 92, 255},
                                                {255, 0, 255},
                                                {0, 255, 255},
                                                {255, 255, 255}}};

// The six levels of each primary in the 6 x 6 x 6 cube of entries 16..231.
constexpr std::array<int, 6> CubeLevels = {0, 95, 135, 175, 215, 255};

int NearestLevel(int Value) {
  int Best = 0;
  for (int I = 1; I < 6; ++I)
    if (std::abs(CubeLevels[I] - Value) < std::abs(CubeLevels[Best] - Value)) Best = I;
  return Best;
}

bool Contains(const char* Text, std::string_view Part) {
  return Text != nullptr && std::string_view(Text).find(Part) != std::string_view::npos;
}

// Layer is 38 for text, 48 for the background.
std::string Select(vcl::TColor Color, TColorDepth Depth, int Layer) {
  switch (Depth) {
    case TColorDepth::None:
      return {};
    case TColorDepth::Basic: {
      const int Index = NearestBasic(Color);
      const int Code = (Index < 8 ? Layer - 8 : Layer + 52) + Index % 8;  // 30..37 / 90..97, 40..47 / 100..107
      return "\x1b[" + std::to_string(Code) + "m";
    }
    case TColorDepth::Palette256:
      return "\x1b[" + std::to_string(Layer) + ";5;" + std::to_string(Nearest256(Color)) + "m";
    case TColorDepth::TrueColor: {
      const TRgb Rgb = RgbOf(Color);
      return "\x1b[" + std::to_string(Layer) + ";2;" + std::to_string(Rgb.Red) + ";" + std::to_string(Rgb.Green) +
             ";" + std::to_string(Rgb.Blue) + "m";
    }
  }
  return {};
}

}  // namespace

TColorDepth ColorDepthFor(const char* Term, const char* ColorTerm, const char* NoColor) {
  if (NoColor != nullptr && *NoColor != '\0') return TColorDepth::None;
  if (Term == nullptr || *Term == '\0' || std::string_view(Term) == "dumb") return TColorDepth::None;
  if (Contains(ColorTerm, "truecolor") || Contains(ColorTerm, "24bit")) return TColorDepth::TrueColor;
  if (Contains(Term, "256color")) return TColorDepth::Palette256;
  return TColorDepth::Basic;
}

std::string Foreground(vcl::TColor Color, TColorDepth Depth) { return Select(Color, Depth, 38); }
std::string Background(vcl::TColor Color, TColorDepth Depth) { return Select(Color, Depth, 48); }

int NearestBasic(vcl::TColor Color) {
  const TRgb Rgb = RgbOf(Color);
  int Best = 0;
  for (int I = 1; I < 16; ++I)
    if (Distance(Rgb, BasicPalette[I]) < Distance(Rgb, BasicPalette[Best])) Best = I;
  return Best;
}

int Nearest256(vcl::TColor Color) {
  const TRgb Rgb = RgbOf(Color);
  const int R = NearestLevel(Rgb.Red), G = NearestLevel(Rgb.Green), B = NearestLevel(Rgb.Blue);
  const int Cube = 16 + 36 * R + 6 * G + B;
  const int CubeDistance = Distance(Rgb, {CubeLevels[R], CubeLevels[G], CubeLevels[B]});
  // The grey ramp 232..255 runs from 8 to 238 in steps of 10.
  const int Mean = (Rgb.Red + Rgb.Green + Rgb.Blue) / 3;
  const int Step = std::clamp((Mean - 8 + 5) / 10, 0, 23);
  const int Grey = 8 + 10 * Step;
  return Distance(Rgb, {Grey, Grey, Grey}) < CubeDistance ? 232 + Step : Cube;
}

}  // namespace quintar::terminal
