// What the control draws, call by call: the grid, the highlight box, the
// marks, and which writes redraw.
#include <gtest/gtest.h>

#include <vector>

#include "FilledBoard.h"
#include "Graphics.h"
#include "Quintar.h"
#include "QuintarAccess.h"

namespace quintar {
namespace {

using vcl::TCanvasCall;
using Op = vcl::TCanvasOperation;

constexpr vcl::TColor White = vcl::clWhite, Gray = vcl::clGray, Red = vcl::clRed, Blue = vcl::clBlue,
                      Black = vcl::clBlack, Yellow = vcl::clYellow;

class Drawing : public ::testing::Test {
 protected:
  Drawing() {
    Control.SetAutoResponse(false);
    Control.Repaint();
    Control.Canvas().SetObserver(&Recorder);
  }
  const std::vector<TCanvasCall>& Calls() const { return Recorder.Calls(); }
  std::vector<TCanvasCall> CallsOf(Op Operation) const {
    std::vector<TCanvasCall> Found;
    for (const TCanvasCall& Call : Calls())
      if (Call.Operation == Operation) Found.push_back(Call);
    return Found;
  }

  TQuintar Control{nullptr};
  vcl::TCanvasRecorder Recorder;
};

TEST_F(Drawing, PaintDrawsBackgroundBorderGridThenTheEmptyBoard) {
  Control.Repaint();
  // The fill still sees the pen the previous paint left: gray, mark width.
  std::vector<TCanvasCall> Expected = {
      {Op::FillRect, 0, 0, 200, 200, Gray, 2, White},
      {Op::Rectangle, 0, 0, 200, 200, Gray, 1, White},
  };
  for (int I = 1; I < 20; ++I) {
    Expected.push_back({Op::MoveTo, 10 * I, 0, 10 * I, 0, Gray, 1, White});
    Expected.push_back({Op::LineTo, 10 * I, 0, 10 * I, 200, Gray, 1, White});
  }
  for (int J = 1; J < 20; ++J) {
    Expected.push_back({Op::MoveTo, 0, 10 * J, 0, 10 * J, Gray, 1, White});
    Expected.push_back({Op::LineTo, 0, 10 * J, 200, 10 * J, Gray, 1, White});
  }
  // The box of "no cell" lies far outside the control.
  Expected.push_back({Op::Rectangle, 1000, 1000, 1011, 1011, Gray, 1, White});
  Expected.push_back({Op::Rectangle, 1001, 1001, 1010, 1010, White, 1, White});
  Expected.push_back({Op::Rectangle, 1000, 1000, 1011, 1011, Black, 1, White});
  Expected.push_back({Op::Rectangle, 1001, 1001, 1010, 1010, Black, 1, White});
  Expected.push_back({Op::MoveTo, 199, 0, 199, 0, Gray, 1, White});
  Expected.push_back({Op::LineTo, 199, 0, 199, 200, Gray, 1, White});
  EXPECT_EQ(Calls(), Expected);
  EXPECT_EQ(Control.Canvas().Pen().Width(), 2);  // the mark pen stays behind
}

TEST_F(Drawing, MoveBoxesTheCellAndDrawsTheCross) {
  Control.Move(4, 5);
  const std::vector<TCanvasCall> Expected = {
      {Op::Rectangle, 1000, 1000, 1011, 1011, Gray, 1, White},
      {Op::Rectangle, 1001, 1001, 1010, 1010, White, 1, White},
      {Op::Rectangle, 30, 40, 41, 51, Black, 1, White},
      {Op::Rectangle, 31, 41, 40, 50, Black, 1, White},
      {Op::MoveTo, 199, 0, 199, 0, Gray, 1, White},
      {Op::LineTo, 199, 0, 199, 200, Gray, 1, White},
      {Op::MoveTo, 32, 42, 32, 42, Red, 2, White},
      {Op::LineTo, 32, 42, 38, 48, Red, 2, White},
      {Op::MoveTo, 38, 42, 38, 42, Red, 2, White},
      {Op::LineTo, 38, 42, 32, 48, Red, 2, White},
  };
  EXPECT_EQ(Calls(), Expected);
  EXPECT_EQ(TQuintarAccess::PrevHighlight(Control), (vcl::TPoint{3, 4}));
}

TEST_F(Drawing, NextMoveRestoresThePreviousBoxAndDrawsTheNought) {
  Control.Move(1, 1);
  Recorder.Clear();
  Control.Move(4, 5);
  const auto Boxes = CallsOf(Op::Rectangle);
  ASSERT_EQ(Boxes.size(), 4u);
  EXPECT_EQ(Boxes[0], (TCanvasCall{Op::Rectangle, 0, 0, 11, 11, Gray, 1, White}));
  EXPECT_EQ(Boxes[1], (TCanvasCall{Op::Rectangle, 1, 1, 10, 10, White, 1, White}));
  EXPECT_EQ(Boxes[2], (TCanvasCall{Op::Rectangle, 30, 40, 41, 51, Black, 1, White}));
  EXPECT_EQ(CallsOf(Op::Ellipse), (std::vector<TCanvasCall>{{Op::Ellipse, 32, 42, 39, 49, Blue, 2, White}}));
  EXPECT_EQ(CallsOf(Op::LineTo).back(), (TCanvasCall{Op::LineTo, 8, 2, 2, 8, Red, 2, White}));
}

TEST_F(Drawing, MarkPenIsAQuarterOfTheSmallerCellSide) {
  struct TCase {
    int Width, Height, Pen;
  };
  for (const TCase Case : {TCase{300, 200, 2}, TCase{200, 300, 2}, TCase{600, 600, 7}, TCase{45, 600, 0}}) {
    Control.SetBounds(0, 0, Case.Width, Case.Height);
    Control.DrawGraphics();
    EXPECT_EQ(Control.Canvas().Pen().Width(), Case.Pen) << Case.Width << "x" << Case.Height;
  }
}

TEST_F(Drawing, MarksInCellsUnderFourPixelsAreInsetByOnePixelOnly) {
  Control.SetBounds(0, 0, 60, 60);
  Control.Move(4, 5);
  Control.Move(5, 5);
  const auto Lines = CallsOf(Op::LineTo);
  EXPECT_EQ(Lines.at(Lines.size() - 2), (TCanvasCall{Op::LineTo, 10, 13, 11, 14, Red, 0, White}));
  EXPECT_EQ(CallsOf(Op::Ellipse).back(), (TCanvasCall{Op::Ellipse, 13, 13, 15, 15, Blue, 0, White}));
}

TEST_F(Drawing, WinningFiveIsDrawnInTheQuintarColourUntilTheNextGame) {
  for (int I = 1; I <= 4; ++I) {
    Control.Move(I, 1);
    Control.Move(I, 3);
  }
  Control.Move(5, 1);
  Recorder.Clear();
  Control.DrawGraphics();
  int Yellows = 0;
  for (const TCanvasCall& Call : CallsOf(Op::LineTo)) Yellows += Call.PenColor == Yellow;
  EXPECT_EQ(Yellows, 10);  // two strokes for each cross of the five
  for (const TCanvasCall& Call : CallsOf(Op::Ellipse)) EXPECT_EQ(Call.PenColor, Blue);

  Control.SetShowQuintar(false);
  Recorder.Clear();
  Control.DrawGraphics();
  for (const TCanvasCall& Call : CallsOf(Op::LineTo)) EXPECT_NE(Call.PenColor, Yellow);

  Control.SetShowQuintar(true);
  Control.NewGame();
  Control.Move(1, 1);  // the old line is still recorded but no longer won
  for (const TCanvasCall& Call : CallsOf(Op::LineTo)) EXPECT_NE(Call.PenColor, Yellow);
}

TEST_F(Drawing, WithoutHighlightNoBoxButThePreviousCellStillFollows) {
  Control.Move(1, 1);
  Control.SetShowHighlight(false);
  Recorder.Clear();
  Control.Move(4, 5);
  EXPECT_TRUE(CallsOf(Op::Rectangle).empty());
  // The right border runs with the mark pen the previous call left.
  EXPECT_EQ(Calls().at(1), (TCanvasCall{Op::LineTo, 199, 0, 199, 200, Gray, 2, White}));
  EXPECT_EQ(TQuintarAccess::PrevHighlight(Control), (vcl::TPoint{3, 4}));
  // Switched on again, the next call erases at the last move, not the old box.
  Control.SetShowHighlight(true);
  Recorder.Clear();
  Control.DrawGraphics();
  EXPECT_EQ(CallsOf(Op::Rectangle).at(0), (TCanvasCall{Op::Rectangle, 30, 40, 41, 51, Gray, 1, White}));
}

TEST_F(Drawing, CrossColourRecoloursEveryCrossAtOnce) {
  Control.Move(1, 1);
  Control.Move(2, 2);
  Control.Move(3, 3);
  Recorder.Clear();
  Control.SetCrossColor(0x00AA00);
  int Green = 0;
  for (const TCanvasCall& Call : CallsOf(Op::LineTo)) Green += Call.PenColor == 0x00AA00;
  EXPECT_EQ(Green, 4);
  EXPECT_EQ(Control.Canvas().Pixels(25, 25), 0x00AA00);  // the centre of the cross on (2, 2)
}

// The boards the drawing benchmark times: every cell's mark is drawn, and
// only the marks of the kind on the board.
TEST_F(Drawing, DrawGraphicsDrawsTheMarkOfEveryCellOfAFullBoard) {
  const std::size_t Cells = static_cast<std::size_t>(Control.ColCount() * Control.RowCount());
  for (const int Mark : {1, -1}) {
    SCOPED_TRACE(Mark == 1 ? "crosses" : "noughts");
    FillBoard(Control, Mark);
    Recorder.Clear();
    Control.DrawGraphics();
    std::size_t CrossStrokes = 0, Noughts = 0;
    for (const TCanvasCall& Call : CallsOf(Op::LineTo)) CrossStrokes += Call.PenColor == Control.CrossColor();
    for (const TCanvasCall& Call : CallsOf(Op::Ellipse)) Noughts += Call.PenColor == Control.NoughtColor();
    EXPECT_EQ(CrossStrokes, Mark == 1 ? 2 * Cells : 0);
    EXPECT_EQ(Noughts, Mark == -1 ? Cells : 0);
  }
}

TEST_F(Drawing, BackgroundColourWaitsForTheRepaint) {
  Control.Move(1, 1);
  Control.SetColor(0x00FFEE);
  EXPECT_EQ(Control.Canvas().Pixels(155, 155), White);
  Control.Move(2, 2);  // boxes are still filled with the brush of the last paint
  EXPECT_EQ(CallsOf(Op::Rectangle).back().BrushColor, White);
  Control.Update();
  EXPECT_EQ(Control.Canvas().Pixels(155, 155), 0x00FFEE);
}

TEST_F(Drawing, HighlightBoxInTheLastRowAndColumnStaysInsideTheControl) {
  Control.Move(20, 20);
  // Outer ring on the grid lines at 190 and the border at 199/200.
  EXPECT_EQ(Control.Canvas().Pixels(190, 195), Black);
  EXPECT_EQ(Control.Canvas().Pixels(199, 195), Gray);   // right border drawn again
  EXPECT_EQ(Control.Canvas().Pixels(195, 199), Black);  // bottom border shows the ring
}

}  // namespace
}  // namespace quintar
