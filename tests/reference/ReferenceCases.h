// The drawings our canvas is compared on with another implementation of the
// classic graphics device: whole boards as the control paints them, and
// sheets of crosses and noughts for every mark pen width. Each is a list of
// canvas calls; the reference tool replays them under the other device and
// keeps its pixels as fixtures, the test replays them on our canvas.
#pragma once

#include <string>
#include <vector>

#include "Graphics.h"
#include "Quintar.h"

namespace quintar::reference {

// A position the control paints: its size, its board and the moves played,
// counted from 1, crosses first.
struct TBoardCase {
  const char* Name;
  int Width, Height, Cols, Rows;
  std::vector<vcl::TPoint> Moves;
};

const std::vector<TBoardCase>& BoardCases();
// Sizes Control and plays the moves; paints nothing.
void SetUpBoard(TQuintar& Control, const TBoardCase& Case);

// A colour the marks are drawn in, and what the marks of that colour are.
struct TInk {
  const char* Name;
  vcl::TColor Color;
};

struct TReferenceCase {
  std::string Name;  // the fixture is Name.png
  int Width;
  int Height;
  std::vector<vcl::TCanvasCall> Calls;
  // Agreement is measured over the pixels that show one of these colours in
  // either picture; every other pixel must be equal.
  std::vector<TInk> Ink;
};

// Mark pen widths 0 to 16, marks 3 to 70 pixels across.
constexpr int WidestPen = 16;
constexpr int SmallestMark = 3;
constexpr int LargestMark = 70;

// The boards, as the calls of one repaint, then the sheets of marks.
std::vector<TReferenceCase> ReferenceCases();

}  // namespace quintar::reference
