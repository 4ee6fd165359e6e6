#include "Graphics.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "EllipseRaster.h"

namespace vcl {

namespace {

using Int64 = std::int64_t;
// Wide enough for step x slope on any line between two 32-bit points.
__extension__ typedef __int128 Int128;

// A pen of width W covers the pixels from At - W/2 to At + (W-1)/2 across
// its path, so odd widths are symmetric and even ones lean up and left.
Int64 BandLow(Int64 At, int W) { return At - W / 2; }
Int64 BandHigh(Int64 At, int W) { return At + (W - 1) / 2; }

// A closed interval of real x on one pixel row; empty when Lo > Hi.
struct TSpan {
  double Lo;
  double Hi;
  bool Empty() const { return Lo > Hi; }
};

constexpr TSpan EmptySpan{1.0, 0.0};

TSpan Intersect(TSpan A, TSpan B) { return {std::max(A.Lo, B.Lo), std::min(A.Hi, B.Hi)}; }

// Both spans come from one convex shape, so their union has no gap.
TSpan Join(TSpan A, TSpan B) {
  if (A.Empty()) return B;
  if (B.Empty()) return A;
  return {std::min(A.Lo, B.Lo), std::max(A.Hi, B.Hi)};
}

// The x for which Lo <= Coefficient * x <= Hi.
TSpan Solve(double Coefficient, double Lo, double Hi) {
  if (Coefficient > 0) return {Lo / Coefficient, Hi / Coefficient};
  if (Coefficient < 0) return {Hi / Coefficient, Lo / Coefficient};
  return Lo <= 0 && 0 <= Hi ? TSpan{-HUGE_VAL, HUGE_VAL} : EmptySpan;
}

TSpan DiscRow(double CenterX, double CenterY, double Radius, double Y) {
  const double Dy = Y - CenterY;
  if (std::abs(Dy) > Radius) return EmptySpan;
  const double HalfWidth = std::sqrt(Radius * Radius - Dy * Dy);
  return {CenterX - HalfWidth, CenterX + HalfWidth};
}

// First index in [First, Last) for which Holds is true, Last when none;
// Holds must be false and then true along the range.
template <typename Predicate>
Int64 FirstWhere(Int64 First, Int64 Last, Predicate Holds) {
  while (First < Last) {
    const Int64 Middle = First + (Last - First) / 2;
    if (Holds(Middle)) {
      Last = Middle;
    } else {
      First = Middle + 1;
    }
  }
  return First;
}

// Steps i (0 <= i < Steps) with Start + Sign * i in 0 .. Limit - 1.
std::pair<Int64, Int64> StepsInside(Int64 Start, int Sign, Int64 Limit) {
  if (Sign > 0) return {-Start, Limit - 1 - Start};
  return {Start - (Limit - 1), Start};
}

// Shapes at most this many pixels across and down, with pens at most this
// wide, are kept once worked out; larger ones are worked out on the rows of
// the surface each time.
constexpr Int64 KeptExtent = 2048;

bool Kept(Int64 Width, Int64 Height, int PenWidth) {
  return std::abs(Width) <= KeptExtent && std::abs(Height) <= KeptExtent && PenWidth <= KeptExtent;
}

// The rows below go to a sink, called as Sink(Y, X1, X2, Brush) for each run:
// a kept shape's list, or the surface for a shape too large to keep.
template <typename Sink>
void AddEllipseRow(Sink& Runs, Int64 Y, const TEllipseRow& Row) {
  if (Row.Empty()) return;
  if (!Row.HasInside()) {
    Runs(Y, Row.OuterLeft, Row.OuterRight, false);
    return;
  }
  Runs(Y, Row.OuterLeft, Row.InsideLeft - 1, false);
  Runs(Y, Row.InsideLeft, Row.InsideRight, true);
  Runs(Y, Row.InsideRight + 1, Row.OuterRight, false);
}

// A row and its mirror image below the centre are the same: each pair is
// worked out once, at the first of its rows in First .. Last.
template <typename Sink>
void AddEllipseRows(Sink& Runs, const TEllipseRaster& Raster, Int64 First, Int64 Last) {
  for (Int64 Y = First; Y <= Last; ++Y) {
    const Int64 Mirror = Raster.Mirror(Y);
    if (Mirror < Y && Mirror >= First) continue;
    const TEllipseRow Row = Raster.Row(Y);
    AddEllipseRow(Runs, Y, Row);
    if (Mirror != Y && Mirror <= Last) AddEllipseRow(Runs, Mirror, Row);
  }
}

// A kept shape is at most KeptExtent plus its pen across and down, so its
// runs fit the short integers a run holds.
class TKeep {
 public:
  explicit TKeep(std::vector<TRun>& ARuns) : FRuns(ARuns) {}
  void operator()(Int64 Y, Int64 X1, Int64 X2, bool Brush) {
    if (X1 <= X2)
      FRuns.push_back(
          {static_cast<std::int32_t>(Y), static_cast<std::int32_t>(X1), static_cast<std::int32_t>(X2), Brush});
  }

 private:
  std::vector<TRun>& FRuns;
};

// A shape too large to keep goes straight to the surface.
class TPaint {
 public:
  TPaint(TSurface& ASurface, TColor APen, TColor ABrush) : FSurface(ASurface), FPen(APen), FBrush(ABrush) {}
  void operator()(Int64 Y, Int64 X1, Int64 X2, bool Brush) { FSurface.FillSpan(Y, X1, X2, Brush ? FBrush : FPen); }

 private:
  TSurface& FSurface;
  TColor FPen, FBrush;
};

void BuildEllipse(const TShapeKey& Key, std::vector<TRun>& Runs) {
  const TEllipseRaster Raster(0, 0, static_cast<int>(Key.Width), static_cast<int>(Key.Height), Key.PenWidth);
  TKeep Keep(Runs);
  AddEllipseRows(Keep, Raster, Raster.Top(), Raster.Bottom());
}

// A wide line is every pixel whose centre lies within half the pen width of
// the segment: a capsule, which gives the round ends. Each row of it is one
// interval, joined from the two end discs and the body between them.
class TCapsule {
 public:
  TCapsule(TPoint From, TPoint To, int W) {
    // Even widths run the path along pixel corners so they cover W pixels.
    const double Shift = W % 2 == 0 ? -0.5 : 0.0;
    Ax = From.X + Shift, Ay = From.Y + Shift;
    Bx = To.X + Shift, By = To.Y + Shift;
    Radius = W / 2.0;
    Dx = Bx - Ax, Dy = By - Ay;
    LengthSquared = Dx * Dx + Dy * Dy;
    Reach = Radius * std::sqrt(LengthSquared);
  }

  Int64 Top() const { return static_cast<Int64>(std::ceil(std::min(Ay, By) - Radius)); }
  Int64 Bottom() const { return static_cast<Int64>(std::floor(std::max(Ay, By) + Radius)); }

  TSpan Row(Int64 Y) const {
    const double Row = static_cast<double>(Y);
    TSpan Span = Join(DiscRow(Ax, Ay, Radius, Row), DiscRow(Bx, By, Radius, Row));
    if (LengthSquared > 0) {
      // Within Radius of the infinite line, and projecting between the ends.
      const double Across = (Row - Ay) * Dx + Ax * Dy;
      const double Along = Ax * Dx - (Row - Ay) * Dy;
      Span = Join(Span, Intersect(Solve(Dy, Across - Reach, Across + Reach), Solve(Dx, Along, Along + LengthSquared)));
    }
    return Span;
  }

 private:
  double Ax, Ay, Bx, By, Radius, Dx, Dy, LengthSquared, Reach;
};

// The pixel centres of rows First .. Last within the capsule. Spans are
// clamped to Lo .. Hi before converting, as one may reach far beyond the
// surface; pixels beyond those are not wanted.
template <typename Sink>
void AddCapsuleRows(Sink& Runs, const TCapsule& Capsule, Int64 First, Int64 Last, double Lo, double Hi) {
  for (Int64 Y = First; Y <= Last; ++Y) {
    const TSpan Span = Capsule.Row(Y);
    if (Span.Empty()) continue;
    Runs(Y, static_cast<Int64>(std::ceil(std::clamp(Span.Lo, Lo, Hi))),
         static_cast<Int64>(std::floor(std::clamp(Span.Hi, Lo, Hi))), false);
  }
}

void BuildLine(const TShapeKey& Key, std::vector<TRun>& Runs) {
  const TCapsule Capsule({0, 0}, {static_cast<int>(Key.Width), static_cast<int>(Key.Height)}, Key.PenWidth);
  const double Beyond = 4.0 * KeptExtent;
  TKeep Keep(Runs);
  AddCapsuleRows(Keep, Capsule, Capsule.Top(), Capsule.Bottom(), -Beyond, Beyond);
}

}  // namespace

void TCanvas::Notify(TCanvasOperation Operation, int X1, int Y1, int X2, int Y2) {
  if (FObserver) FObserver->CanvasCalled({Operation, X1, Y1, X2, Y2, FPen.Color(), FPen.Width(), FBrush.Color()});
}

void TCanvas::FillRect(const TRect& Rect) {
  Notify(TCanvasOperation::FillRect, Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
  FSurface.FillArea(Rect.Top, Int64{Rect.Bottom} - 1, Rect.Left, Int64{Rect.Right} - 1, FBrush.Color());
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  Notify(TCanvasOperation::Rectangle, X1, Y1, X2, Y2);
  if (X2 < X1) std::swap(X1, X2);
  if (Y2 < Y1) std::swap(Y1, Y2);
  if (X1 == X2 || Y1 == Y2) return;
  const int W = LineWidth();
  // The outline's path runs through the first and the last column and row.
  const Int64 Right = Int64{X2} - 1;
  const Int64 Bottom = Int64{Y2} - 1;
  const Int64 OuterLeft = BandLow(X1, W), OuterRight = BandHigh(Right, W);
  const Int64 InnerLeft = BandHigh(X1, W) + 1, InnerRight = BandLow(Right, W) - 1;
  const Int64 OuterTop = BandLow(Y1, W), OuterBottom = BandHigh(Bottom, W);
  const Int64 InnerTop = BandHigh(Y1, W) + 1, InnerBottom = BandLow(Bottom, W) - 1;
  const bool HasInside = InnerLeft <= InnerRight && InnerTop <= InnerBottom;

  if (!HasInside) {
    FSurface.FillArea(OuterTop, OuterBottom, OuterLeft, OuterRight, FPen.Color());
    return;
  }
  FSurface.FillArea(OuterTop, InnerTop - 1, OuterLeft, OuterRight, FPen.Color());
  FSurface.FillArea(InnerTop, InnerBottom, OuterLeft, InnerLeft - 1, FPen.Color());
  FSurface.FillArea(InnerTop, InnerBottom, InnerLeft, InnerRight, FBrush.Color());
  FSurface.FillArea(InnerTop, InnerBottom, InnerRight + 1, OuterRight, FPen.Color());
  FSurface.FillArea(InnerBottom + 1, OuterBottom, OuterLeft, OuterRight, FPen.Color());
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  Notify(TCanvasOperation::Ellipse, X1, Y1, X2, Y2);
  if (X2 < X1) std::swap(X1, X2);
  if (Y2 < Y1) std::swap(Y1, Y2);
  if (X1 == X2 || Y1 == Y2) return;
  const Int64 Width = Int64{X2} - X1, Height = Int64{Y2} - Y1;
  if (Kept(Width, Height, FPen.Width())) {
    const TShapeKey Key{TShapeKind::Ellipse, Width, Height, FPen.Width()};
    FSurface.FillRuns(FShapes.Runs(Key, BuildEllipse), X1, Y1, FPen.Color(), FBrush.Color());
    return;
  }
  const TEllipseRaster Raster(X1, Y1, X2, Y2, FPen.Width());
  TPaint Paint(FSurface, FPen.Color(), FBrush.Color());
  AddEllipseRows(Paint, Raster, std::max<Int64>(Raster.Top(), 0),
                 std::min<Int64>(Raster.Bottom(), FSurface.Height() - 1));
}

void TCanvas::MoveTo(int X, int Y) {
  Notify(TCanvasOperation::MoveTo, X, Y, X, Y);
  FPenPos = {X, Y};
}

void TCanvas::LineTo(int X, int Y) {
  Notify(TCanvasOperation::LineTo, FPenPos.X, FPenPos.Y, X, Y);
  const TPoint To{X, Y};
  if (LineWidth() == 1) {
    ThinLine(FPenPos, To);
  } else {
    WideLine(FPenPos, To);
  }
  FPenPos = To;
}

// Bresenham's line without its end point: step i along the major axis moves
// the minor axis by floor((2 i Minor + Major) / (2 Major)). Only the steps that
// land on the surface are visited, so far-away end points cost nothing.
void TCanvas::ThinLine(TPoint From, TPoint To) {
  const Int64 Dx = Int64{To.X} - From.X;
  const Int64 Dy = Int64{To.Y} - From.Y;
  const bool XMajor = std::abs(Dx) >= std::abs(Dy);
  const Int64 Major = XMajor ? std::abs(Dx) : std::abs(Dy);
  const Int64 Minor = XMajor ? std::abs(Dy) : std::abs(Dx);
  if (Major == 0) return;
  const int MajorSign = (XMajor ? Dx : Dy) < 0 ? -1 : 1;
  const int MinorSign = (XMajor ? Dy : Dx) < 0 ? -1 : 1;
  const Int64 MajorStart = XMajor ? From.X : From.Y;
  const Int64 MinorStart = XMajor ? From.Y : From.X;
  const Int64 MajorLimit = XMajor ? FSurface.Width() : FSurface.Height();
  const Int64 MinorLimit = XMajor ? FSurface.Height() : FSurface.Width();
  const Int128 Denominator = Int128{2} * Major;
  auto MinorOffsetAt = [&](Int64 Step) { return static_cast<Int64>((Int128{2} * Step * Minor + Major) / Denominator); };

  const auto [MajorLo, MajorHi] = StepsInside(MajorStart, MajorSign, MajorLimit);
  Int64 First = std::max<Int64>(0, MajorLo);
  Int64 Last = std::min<Int64>(Major - 1, MajorHi);
  if (First > Last) return;
  // The minor offset never decreases along the line, so the steps on the
  // surface form one run that two searches find.
  const std::pair<Int64, Int64> Offsets = StepsInside(MinorStart, MinorSign, MinorLimit);
  First = FirstWhere(First, Last + 1, [&](Int64 Step) { return MinorOffsetAt(Step) >= Offsets.first; });
  Last = FirstWhere(First, Last + 1, [&](Int64 Step) { return MinorOffsetAt(Step) > Offsets.second; }) - 1;
  if (First > Last) return;

  const Int128 Start = Int128{2} * First * Minor + Major;
  Int64 Offset = static_cast<Int64>(Start / Denominator);
  Int64 Remainder = static_cast<Int64>(Start % Denominator);
  const Int64 Wrap = static_cast<Int64>(Denominator);
  // Steps with the same minor offset form one straight run, painted at once:
  // a row of a line that is more across than down, a column of the others.
  auto Paint = [&](Int64 RunFirst, Int64 RunLast, Int64 RunOffset) {
    const Int64 MajorFrom = MajorStart + MajorSign * (MajorSign > 0 ? RunFirst : RunLast);
    const Int64 MajorTo = MajorStart + MajorSign * (MajorSign > 0 ? RunLast : RunFirst);
    const Int64 AlongMinor = MinorStart + MinorSign * RunOffset;
    if (XMajor) {
      FSurface.FillArea(AlongMinor, AlongMinor, MajorFrom, MajorTo, FPen.Color());
    } else {
      FSurface.FillArea(MajorFrom, MajorTo, AlongMinor, AlongMinor, FPen.Color());
    }
  };
  Int64 RunFirst = First;
  for (Int64 Step = First; Step <= Last; ++Step) {
    Remainder += 2 * Minor;
    if (Remainder >= Wrap) {
      Remainder -= Wrap;
      Paint(RunFirst, Step, Offset);
      RunFirst = Step + 1;
      ++Offset;
    }
  }
  if (RunFirst <= Last) Paint(RunFirst, Last, Offset);
}

// A line's pixels are the same wherever it is drawn: lines no longer than
// the kept extent are worked out once for their direction and width.
void TCanvas::WideLine(TPoint From, TPoint To) {
  const int W = LineWidth();
  const Int64 Across = Int64{To.X} - From.X, Down = Int64{To.Y} - From.Y;
  if (Kept(Across, Down, W)) {
    FSurface.FillRuns(FShapes.Runs({TShapeKind::Line, Across, Down, W}, BuildLine), From.X, From.Y, FPen.Color(),
                      FPen.Color());
    return;
  }
  const TCapsule Capsule(From, To, W);
  TPaint Paint(FSurface, FPen.Color(), FPen.Color());
  AddCapsuleRows(Paint, Capsule, std::max<Int64>(Capsule.Top(), 0),
                 std::min<Int64>(Capsule.Bottom(), FSurface.Height() - 1), -1.0, static_cast<double>(FSurface.Width()));
}

}  // namespace vcl
