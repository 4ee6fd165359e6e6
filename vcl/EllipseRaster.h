// Which pixels of each row an Ellipse call paints with the pen and which with
// the brush. The outline's path is the ellipse through the centres of the
// first and last column and row of the box:
//  - a one-pixel pen takes the pixels whose diamond (the square standing on
//    its corner, between the midpoints of the pixel's sides) the path enters
//    and leaves again: one pixel per step, as a one-pixel line has;
//  - a wider pen sweeps a disc of its width along the path, and takes the
//    pixels whose centres the disc covers. As for lines and rectangles, an
//    even width cannot be centred on a pixel, so its disc sits half a pixel
//    up and left of the path;
//  - the brush takes the pixels inside the path that the pen leaves.
// Every row is symmetric about the ellipse's centre, so the picture is
// symmetric in both axes whatever the size.
#pragma once

#include <cstdint>

namespace vcl {

// One row: the pen covers the columns OuterLeft .. OuterRight except
// InsideLeft .. InsideRight, which are the brush's (none when InsideLeft >
// InsideRight). The whole row is empty when OuterLeft > OuterRight.
struct TEllipseRow {
  std::int64_t OuterLeft, OuterRight;
  std::int64_t InsideLeft, InsideRight;
  bool Empty() const { return OuterLeft > OuterRight; }
  bool HasInside() const { return InsideLeft <= InsideRight; }
};

class TEllipseRaster {
 public:
  // A box with X1 < X2 and Y1 < Y2; a pen width of 0 draws as 1.
  TEllipseRaster(int X1, int Y1, int X2, int Y2, int PenWidth);

  // No row outside Top .. Bottom holds a pixel.
  std::int64_t Top() const { return FTop; }
  std::int64_t Bottom() const { return FBottom; }

  // Row Y, in a fixed number of steps however large the ellipse.
  TEllipseRow Row(std::int64_t Y) const;
  // The row the same distance below the centre as Y is above it, and so
  // the same as row Y.
  std::int64_t Mirror(std::int64_t Y) const { return FTwiceCenterY - Y; }

 private:
  // How far right of the centre the area the pen sweeps over reaches, and
  // where the inside it leaves ends, at height Dy from the centre; the
  // latter is negative when the row has no inside.
  double SweptReach(double Dy) const;
  double InsideReach(double Dy) const;

  // Columns are counted outwards from the centre on both sides: step K lies
  // at FHalfStep + K from it, in columns FRight + K and FLeft - K.
  struct TSteps {
    std::int64_t Outer;  // the last step the pen reaches, -1 for none
    std::int64_t Inner;  // the last step of the inside, -1 for none
  };
  TSteps ThinSteps(double Dy) const;
  TSteps WideSteps(double Dy) const;

  std::int64_t FTwiceCenterY;
  double FCenterY;
  std::int64_t FLeft, FRight;  // the columns nearest the centre on each side
  double FHalfStep;            // 0 when the centre is a column's, else 0.5
  double FRadiusX, FRadiusY;
  double FPenRadius;  // 0 for a one-pixel pen
  // Whether a wide pen leaves an inside at all, and the part of the inner
  // parallel curve that bounds it, by the direction of its normal (see
  // EllipseRaster.cpp).
  bool FHasInside;
  double FInsideFrom, FInsideTo;
  // The heights of its ends, and how far right its lower end lies: it meets
  // the middle row there, or at its corner with the lower quarter's curve.
  double FInsideBottom, FInsideTop, FInsideCorner;
  std::int64_t FTop, FBottom;
};

}  // namespace vcl
