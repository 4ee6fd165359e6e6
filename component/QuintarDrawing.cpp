// How the control draws itself. Every pixel coordinate is a floating-point
// expression truncated toward zero once, at the end, so the grid lines, the
// highlight box and the marks of a cell always agree with each other.
#include "Quintar.h"

namespace quintar {

namespace {

int Truncate(double Value) { return static_cast<int>(Value); }

}  // namespace

void TQuintar::Paint() {
  vcl::TCanvas& Canvas = this->Canvas();
  Canvas.Brush().SetColor(FColor);
  Canvas.FillRect({0, 0, Width(), Height()});
  Canvas.Pen().SetColor(FGridLineColor);
  Canvas.Pen().SetWidth(1);
  Canvas.Rectangle(0, 0, Width(), Height());
  const double CellWidth = static_cast<double>(Width()) / FColCount;
  for (int I = 1; I < FColCount; ++I) {
    Canvas.MoveTo(Truncate(I * CellWidth), 0);
    Canvas.LineTo(Truncate(I * CellWidth), Height());
  }
  const double CellHeight = static_cast<double>(Height()) / FRowCount;
  for (int J = 1; J < FRowCount; ++J) {
    Canvas.MoveTo(0, Truncate(J * CellHeight));
    Canvas.LineTo(Width(), Truncate(J * CellHeight));
  }
  DrawGraphics();
}

void TQuintar::DrawGraphics() {
  vcl::TCanvas& Canvas = this->Canvas();
  const double CellWidth = static_cast<double>(Width()) / FColCount;
  const double CellHeight = static_cast<double>(Height()) / FRowCount;

  // Move the box: restore the grid lines and background ring of the cell
  // boxed before, then box the last move two pixels thick. Each rectangle
  // also blanks its cell with the brush; the marks are drawn again below.
  if (FShowHighlight) {
    Canvas.Pen().SetWidth(1);
    Canvas.Pen().SetColor(FGridLineColor);
    OuterBox(FPrevHighlight, CellWidth, CellHeight);
    Canvas.Pen().SetColor(FColor);
    InnerBox(FPrevHighlight, CellWidth, CellHeight);
    Canvas.Pen().SetColor(FHighlightColor);
    OuterBox(FLastMove, CellWidth, CellHeight);
    InnerBox(FLastMove, CellWidth, CellHeight);
  }
  FPrevHighlight = FLastMove;

  // A box in the last column can cover the right border; draw it again with
  // whatever pen width is in force.
  Canvas.Pen().SetColor(FGridLineColor);
  Canvas.MoveTo(Width() - 1, 0);
  Canvas.LineTo(Width() - 1, Height());

  // Marks are a quarter of the smaller cell side thick, inset by half that.
  Canvas.Pen().SetWidth(CellWidth >= CellHeight ? Truncate(0.25 * CellHeight) : Truncate(0.25 * CellWidth));
  const int Inset = Canvas.Pen().Width() / 2;
  for (int Col = 0; Col < FColCount; ++Col)
    for (int Row = 0; Row < FRowCount; ++Row) DrawMark(Col, Row, CellWidth, CellHeight, Inset);
}

void TQuintar::OuterBox(vcl::TPoint Cell, double CellWidth, double CellHeight) {
  Canvas().Rectangle(Truncate(Cell.X * CellWidth), Truncate(Cell.Y * CellHeight),
                     Truncate((Cell.X + 1) * CellWidth + 1.0), Truncate((Cell.Y + 1) * CellHeight + 1.0));
}

void TQuintar::InnerBox(vcl::TPoint Cell, double CellWidth, double CellHeight) {
  Canvas().Rectangle(Truncate(Cell.X * CellWidth + 1.0), Truncate(Cell.Y * CellHeight + 1.0),
                     Truncate((Cell.X + 1) * CellWidth), Truncate((Cell.Y + 1) * CellHeight));
}

bool TQuintar::IsWinCell(int Col, int Row) const {
  if (!FShowQuintar || !FWinFound) return false;
  for (const vcl::TPoint& Cell : FWinCells)
    if (Cell == vcl::TPoint{Col, Row}) return true;
  return false;
}

void TQuintar::DrawMark(int Col, int Row, double CellWidth, double CellHeight, int Inset) {
  const int Mark = FBoard[Col][Row];
  if (Mark == 0) return;
  vcl::TCanvas& Canvas = this->Canvas();
  Canvas.Pen().SetColor(IsWinCell(Col, Row) ? FQuintarColor : Mark == 1 ? FCrossColor : FNoughtColor);
  if (Mark == 1) {
    const int Left = Truncate(Col * CellWidth + 1.0 + Inset);
    const int Top = Truncate(Row * CellHeight + 1.0 + Inset);
    const int Right = Truncate((Col + 1) * CellWidth - 1.0 - Inset);
    const int Bottom = Truncate((Row + 1) * CellHeight - 1.0 - Inset);
    Canvas.MoveTo(Left, Top);
    Canvas.LineTo(Right, Bottom);
    Canvas.MoveTo(Right, Top);
    Canvas.LineTo(Left, Bottom);
  } else {
    // The right and bottom are inset by Inset only: the ellipse's box already
    // leaves its right and bottom edges out.
    Canvas.Ellipse(Truncate(Col * CellWidth + 1.0 + Inset), Truncate(Row * CellHeight + 1.0 + Inset),
                   Truncate((Col + 1) * CellWidth - Inset), Truncate((Row + 1) * CellHeight - Inset));
  }
}

}  // namespace quintar
