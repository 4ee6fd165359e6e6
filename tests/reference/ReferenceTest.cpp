// Our canvas against another implementation of the classic graphics device:
// each drawing is replayed here and compared with that device's pixels, kept
// as fixtures (make-references.sh makes them under Wine). Pixels of the marks
// may differ, since the two devices round a wide pen each its own way; every
// other pixel (background, grid, boxes, the inside of noughts) must be the
// same. Each case prints the share of its mark pixels that agree, out of
// those that show a mark colour in either picture; with
// QUINTAR_REFERENCE_DIFFS set to a folder it also writes there, for each
// case, a picture of where the two differ.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "PngImage.h"
#include "Quintar.h"
#include "ReferenceCases.h"

namespace quintar::reference {
namespace {

struct TAgreement {
  long Marks = 0;     // pixels that show a mark colour in either picture
  long Agreeing = 0;  // of those, the ones equal in both
  long OtherDifferences = 0;
  double Percent() const {
    return Marks == 0 ? 100.0 : 100.0 * static_cast<double>(Agreeing) / static_cast<double>(Marks);
  }
};

bool IsInk(const std::vector<TInk>& Ink, vcl::TColor Color) {
  return std::any_of(Ink.begin(), Ink.end(), [&](const TInk& One) { return One.Color == Color; });
}

TAgreement Compare(const png::TImage& Ours, const png::TImage& Theirs, const std::vector<TInk>& Ink) {
  TAgreement Result;
  for (std::size_t I = 0; I < Ours.Pixels.size(); ++I) {
    const bool Same = Ours.Pixels[I] == Theirs.Pixels[I];
    if (IsInk(Ink, Ours.Pixels[I]) || IsInk(Ink, Theirs.Pixels[I])) {
      ++Result.Marks;
      Result.Agreeing += Same;
    } else {
      Result.OtherDifferences += !Same;
    }
  }
  return Result;
}

void Replay(vcl::TCanvas& Canvas, const vcl::TCanvasCall& Call) {
  Canvas.Pen().SetColor(Call.PenColor);
  Canvas.Pen().SetWidth(Call.PenWidth);
  Canvas.Brush().SetColor(Call.BrushColor);
  switch (Call.Operation) {
    case vcl::TCanvasOperation::FillRect:
      Canvas.FillRect({Call.X1, Call.Y1, Call.X2, Call.Y2});
      break;
    case vcl::TCanvasOperation::Rectangle:
      Canvas.Rectangle(Call.X1, Call.Y1, Call.X2, Call.Y2);
      break;
    case vcl::TCanvasOperation::Ellipse:
      Canvas.Ellipse(Call.X1, Call.Y1, Call.X2, Call.Y2);
      break;
    case vcl::TCanvasOperation::MoveTo:
      Canvas.MoveTo(Call.X1, Call.Y1);
      break;
    case vcl::TCanvasOperation::LineTo:
      Canvas.MoveTo(Call.X1, Call.Y1);
      Canvas.LineTo(Call.X2, Call.Y2);
      break;
  }
}

png::TImage DrawnHere(const TReferenceCase& Case) {
  vcl::TSurface Surface;
  Surface.Resize(Case.Width, Case.Height);
  vcl::TCanvas Canvas(Surface);
  for (const vcl::TCanvasCall& Call : Case.Calls) Replay(Canvas, Call);
  return png::FromSurface(Surface);
}

// Agreeing pixels as they are; mark pixels only we draw in green, those only
// the other device draws in magenta.
void WriteDifferences(const TReferenceCase& Case, const png::TImage& Ours, const png::TImage& Theirs) {
  const char* Folder = std::getenv("QUINTAR_REFERENCE_DIFFS");
  if (Folder == nullptr || *Folder == '\0') return;
  png::TImage Picture = Ours;
  for (std::size_t I = 0; I < Ours.Pixels.size(); ++I)
    if (Ours.Pixels[I] != Theirs.Pixels[I]) Picture.Pixels[I] = IsInk(Case.Ink, Ours.Pixels[I]) ? 0x00C000 : 0xFF00FF;
  EXPECT_EQ(png::Write(std::string(Folder) + "/" + Case.Name + ".diff.png", Picture), "");
}

// The share of mark pixels, in percent, that each drawing keeps to.
double MinimumAgreement(const std::string& Name) {
  static const std::map<std::string, double> Minimum = {
      {"board15-100x100", 100.0}, {"board15-200x200", 78.9}, {"board15-400x400", 84.1}, {"board15-1000x1000", 95.5},
      {"board20-200x200", 83.3},  {"board20-300x200", 80.4}, {"noughts-pen0", 99.1},    {"crosses-pen0", 100.0},
      {"noughts-pen1", 99.1},     {"crosses-pen1", 100.0},   {"noughts-pen2", 78.5},    {"crosses-pen2", 74.9},
      {"noughts-pen3", 81.3},     {"crosses-pen3", 81.9},    {"noughts-pen4", 89.0},    {"crosses-pen4", 73.8},
      {"noughts-pen5", 90.9},     {"crosses-pen5", 88.2},    {"noughts-pen6", 90.1},    {"crosses-pen6", 82.0},
      {"noughts-pen7", 96.3},     {"crosses-pen7", 92.9},    {"noughts-pen8", 94.6},    {"crosses-pen8", 92.3},
      {"noughts-pen9", 95.7},     {"crosses-pen9", 93.0},    {"noughts-pen10", 94.4},   {"crosses-pen10", 94.0},
      {"noughts-pen11", 95.6},    {"crosses-pen11", 95.5},   {"noughts-pen12", 95.7},   {"crosses-pen12", 92.7},
      {"noughts-pen13", 95.8},    {"crosses-pen13", 95.5},   {"noughts-pen14", 98.1},   {"crosses-pen14", 95.5},
      {"noughts-pen15", 97.4},    {"crosses-pen15", 97.1},   {"noughts-pen16", 96.4},   {"crosses-pen16", 96.4}};
  const auto Found = Minimum.find(Name);
  return Found == Minimum.end() ? 100.0 : Found->second;
}

class Reference : public ::testing::TestWithParam<TReferenceCase> {};

}  // namespace

// Names the case in messages, rather than its bytes.
void PrintTo(const TReferenceCase& Case, std::ostream* Out) { *Out << Case.Name; }

namespace {

TEST_P(Reference, MarksAgreeWithTheOtherDevice) {
  const TReferenceCase& Case = GetParam();
  png::TImage Theirs;
  const std::string Path = std::string(QUINTAR_REFERENCE_DIR) + "/" + Case.Name + ".png";
  ASSERT_EQ(png::Read(Path, Theirs), "");
  ASSERT_EQ(Theirs.Width, Case.Width);
  ASSERT_EQ(Theirs.Height, Case.Height);
  const png::TImage Ours = DrawnHere(Case);
  WriteDifferences(Case, Ours, Theirs);
  const TAgreement Agreement = Compare(Ours, Theirs, Case.Ink);
  std::printf("%-18s %6ld of %6ld mark pixels agree: %5.1f %%", Case.Name.c_str(), Agreement.Agreeing, Agreement.Marks,
              Agreement.Percent());
  if (Case.Ink.size() > 1)
    for (const TInk& Ink : Case.Ink) std::printf("   %s %5.1f %%", Ink.Name, Compare(Ours, Theirs, {Ink}).Percent());
  std::printf("\n");
  RecordProperty("MarkPixels", std::to_string(Agreement.Marks));
  RecordProperty("Agreeing", std::to_string(Agreement.Agreeing));
  EXPECT_GE(Agreement.Percent(), MinimumAgreement(Case.Name));
  EXPECT_EQ(Agreement.OtherDifferences, 0);
}

std::string CaseName(const ::testing::TestParamInfo<TReferenceCase>& Info) {
  std::string Name = Info.param.Name;
  for (char& Letter : Name)
    if (!std::isalnum(static_cast<unsigned char>(Letter))) Letter = '_';
  return Name;
}

INSTANTIATE_TEST_SUITE_P(Drawings, Reference, ::testing::ValuesIn(ReferenceCases()), CaseName);

// The comparison is only as good as the replay: replayed, a board's calls
// give exactly the pixels the control painted.
TEST(ReferenceReplay, GivesTheControlsOwnPixels) {
  const std::vector<TReferenceCase> Cases = ReferenceCases();
  for (std::size_t I = 0; I < BoardCases().size(); ++I) {
    SCOPED_TRACE(BoardCases()[I].Name);
    TQuintar Control(nullptr);
    SetUpBoard(Control, BoardCases()[I]);
    Control.Repaint();
    EXPECT_EQ(DrawnHere(Cases.at(I)).Pixels, png::FromSurface(Control.Surface()).Pixels);
  }
}

}  // namespace
}  // namespace quintar::reference
