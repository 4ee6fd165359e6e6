#include "ReferenceCases.h"

#include <algorithm>

namespace quintar::reference {

namespace {

using vcl::TCanvasCall;
using Op = vcl::TCanvasOperation;

// The calls of one whole repaint, as the control makes them.
TReferenceCase Board(const TBoardCase& Case) {
  TQuintar Control(nullptr);
  SetUpBoard(Control, Case);
  vcl::TCanvasRecorder Recorder;
  Control.Canvas().SetObserver(&Recorder);
  Control.Repaint();
  Control.Canvas().SetObserver(nullptr);
  return {Case.Name,
          Case.Width,
          Case.Height,
          Recorder.Calls(),
          {{"crosses", Control.CrossColor()}, {"noughts", Control.NoughtColor()}}};
}

// Places boxes left to right in rows on a sheet of a fixed width, each in a
// slot with room for the pen around it.
class TSheet {
 public:
  TSheet(const char* Marks, int PenWidth, vcl::TColor Pen, vcl::TColor Brush)
      : FMarks(Marks), FPenWidth(PenWidth), FPen(Pen), FBrush(Brush) {}

  // The top-left corner of the next box of BoxWidth x BoxHeight.
  vcl::TPoint Place(int BoxWidth, int BoxHeight) {
    const int Margin = FPenWidth / 2 + 2;
    if (FX > 0 && FX + BoxWidth + 2 * Margin > SheetWidth) {
      FX = 0;
      FY += FRowHeight;
      FRowHeight = 0;
    }
    const vcl::TPoint Corner{FX + Margin, FY + Margin};
    FX += BoxWidth + 2 * Margin;
    FRowHeight = std::max(FRowHeight, BoxHeight + 2 * Margin);
    return Corner;
  }
  void Add(Op Operation, int X1, int Y1, int X2, int Y2) {
    FShapes.push_back({Operation, X1, Y1, X2, Y2, FPen, FPenWidth, FBrush});
  }
  // A white sheet just tall enough, then the shapes.
  TReferenceCase Finish() const {
    const int Height = FY + FRowHeight;
    std::vector<TCanvasCall> Calls = {{Op::FillRect, 0, 0, SheetWidth, Height, FPen, FPenWidth, vcl::clWhite}};
    Calls.insert(Calls.end(), FShapes.begin(), FShapes.end());
    return {std::string(FMarks) + "-pen" + std::to_string(FPenWidth),
            SheetWidth,
            Height,
            std::move(Calls),
            {{FMarks, FPen}}};
  }

 private:
  static constexpr int SheetWidth = 640;
  const char* FMarks;
  int FPenWidth;
  vcl::TColor FPen, FBrush;
  int FX = 0, FY = 0, FRowHeight = 0;
  std::vector<TCanvasCall> FShapes;
};

// Whether the control draws marks Size pixels across with this pen: a cell
// Side pixels across gets a pen of a quarter of that, and marks inset by one
// pixel and half the pen on every side.
bool ControlDrawsSize(int PenWidth, int Size) {
  for (int Side = 4 * PenWidth; Side < 4 * PenWidth + 4; ++Side)
    if (Side - 1 - 2 * (PenWidth / 2) == Size) return true;
  return false;
}

// Every size up to 30, every third one beyond, and those the control itself
// draws with this pen, as circles; every fourth also flattened to two thirds,
// lying and standing in turn, as on a control that is not square.
template <typename DrawMark>
void ForEachMarkBox(int PenWidth, DrawMark Draw) {
  for (int Size = SmallestMark; Size <= LargestMark; ++Size) {
    if (Size > 30 && Size % 3 != 0 && !ControlDrawsSize(PenWidth, Size)) continue;
    Draw(Size, Size);
    const int Short = std::max(SmallestMark, Size * 2 / 3);
    if (Size % 8 == 0) Draw(Size, Short);
    if (Size % 8 == 4) Draw(Short, Size);
  }
}

TReferenceCase Noughts(int PenWidth) {
  TSheet Sheet("noughts", PenWidth, vcl::clBlue, vcl::clYellow);
  ForEachMarkBox(PenWidth, [&](int Width, int Height) {
    const vcl::TPoint At = Sheet.Place(Width, Height);
    Sheet.Add(Op::Ellipse, At.X, At.Y, At.X + Width, At.Y + Height);
  });
  return Sheet.Finish();
}

// Two strokes corner to corner through the first and last pixel of the box,
// as the control draws a cross.
TReferenceCase Crosses(int PenWidth) {
  TSheet Sheet("crosses", PenWidth, vcl::clRed, vcl::clYellow);
  ForEachMarkBox(PenWidth, [&](int Width, int Height) {
    const vcl::TPoint At = Sheet.Place(Width, Height);
    const int Right = At.X + Width - 1, Bottom = At.Y + Height - 1;
    Sheet.Add(Op::LineTo, At.X, At.Y, Right, Bottom);
    Sheet.Add(Op::LineTo, Right, At.Y, At.X, Bottom);
  });
  return Sheet.Finish();
}

}  // namespace

const std::vector<TBoardCase>& BoardCases() {
  // Ten marks in the middle of a 15 x 15 board, no five among them, and a
  // few of each on the default board.
  const std::vector<vcl::TPoint> TenMarks = {{7, 7}, {8, 8}, {8, 7}, {9, 9},   {6, 7},
                                             {7, 8}, {9, 7}, {6, 9}, {10, 10}, {5, 7}};
  const std::vector<vcl::TPoint> SixMarks = {{8, 8}, {9, 9}, {8, 9}, {10, 10}, {9, 8}, {7, 7}};
  static const std::vector<TBoardCase> Cases = {
      {"board15-100x100", 100, 100, 15, 15, TenMarks}, {"board15-200x200", 200, 200, 15, 15, TenMarks},
      {"board15-400x400", 400, 400, 15, 15, TenMarks}, {"board15-1000x1000", 1000, 1000, 15, 15, TenMarks},
      {"board20-200x200", 200, 200, 20, 20, SixMarks}, {"board20-300x200", 300, 200, 20, 20, SixMarks}};
  return Cases;
}

void SetUpBoard(TQuintar& Control, const TBoardCase& Case) {
  Control.SetAutoResponse(false);
  Control.SetBounds(0, 0, Case.Width, Case.Height);
  Control.SetColCount(Case.Cols);
  Control.SetRowCount(Case.Rows);
  for (const vcl::TPoint Move : Case.Moves) Control.Move(Move.X, Move.Y);
}

std::vector<TReferenceCase> ReferenceCases() {
  std::vector<TReferenceCase> Cases;
  for (const TBoardCase& Case : BoardCases()) Cases.push_back(Board(Case));
  for (int PenWidth = 0; PenWidth <= WidestPen; ++PenWidth) {
    Cases.push_back(Noughts(PenWidth));
    Cases.push_back(Crosses(PenWidth));
  }
  return Cases;
}

}  // namespace quintar::reference
