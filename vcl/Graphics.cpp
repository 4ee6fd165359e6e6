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

void FillEllipseRow(TSurface& Surface, Int64 Y, const TEllipseRow& Row, TColor Pen, TColor Brush) {
  if (Row.Empty()) return;
  if (!Row.HasInside()) {
    Surface.FillSpan(Y, Row.OuterLeft, Row.OuterRight, Pen);
    return;
  }
  Surface.FillSpan(Y, Row.OuterLeft, Row.InsideLeft - 1, Pen);
  Surface.FillSpan(Y, Row.InsideLeft, Row.InsideRight, Brush);
  Surface.FillSpan(Y, Row.InsideRight + 1, Row.OuterRight, Pen);
}

}  // namespace

void TCanvas::Notify(TCanvasOperation Operation, int X1, int Y1, int X2, int Y2) {
  if (FObserver) FObserver->CanvasCalled({Operation, X1, Y1, X2, Y2, FPen.Color(), FPen.Width(), FBrush.Color()});
}

void TCanvas::FillRect(const TRect& Rect) {
  Notify(TCanvasOperation::FillRect, Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
  if (Rect.IsEmpty()) return;
  const int First = std::max(Rect.Top, 0);
  const int Last = std::min(Rect.Bottom, FSurface.Height());
  for (int Y = First; Y < Last; ++Y) FSurface.FillSpan(Y, Rect.Left, Int64{Rect.Right} - 1, FBrush.Color());
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

  const Int64 First = std::max<Int64>(OuterTop, 0);
  const Int64 Last = std::min<Int64>(OuterBottom, FSurface.Height() - 1);
  for (Int64 Y = First; Y <= Last; ++Y) {
    if (!HasInside || Y < InnerTop || Y > InnerBottom) {
      FSurface.FillSpan(Y, OuterLeft, OuterRight, FPen.Color());
      continue;
    }
    FSurface.FillSpan(Y, OuterLeft, InnerLeft - 1, FPen.Color());
    FSurface.FillSpan(Y, InnerLeft, InnerRight, FBrush.Color());
    FSurface.FillSpan(Y, InnerRight + 1, OuterRight, FPen.Color());
  }
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  Notify(TCanvasOperation::Ellipse, X1, Y1, X2, Y2);
  if (X2 < X1) std::swap(X1, X2);
  if (Y2 < Y1) std::swap(Y1, Y2);
  if (X1 == X2 || Y1 == Y2) return;
  const TEllipseRaster Raster(X1, Y1, X2, Y2, FPen.Width());
  const Int64 First = std::max<Int64>(Raster.Top(), 0);
  const Int64 Last = std::min<Int64>(Raster.Bottom(), FSurface.Height() - 1);
  // A row and its mirror image below the centre are the same: each pair is
  // worked out once, at the first of its rows on the surface.
  for (Int64 Y = First; Y <= Last; ++Y) {
    const Int64 Mirror = Raster.Mirror(Y);
    if (Mirror < Y && Mirror >= First) continue;
    const TEllipseRow Row = Raster.Row(Y);
    FillEllipseRow(FSurface, Y, Row, FPen.Color(), FBrush.Color());
    if (Mirror != Y && Mirror <= Last) FillEllipseRow(FSurface, Mirror, Row, FPen.Color(), FBrush.Color());
  }
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
  for (Int64 Step = First; Step <= Last; ++Step) {
    const Int64 AlongMajor = MajorStart + MajorSign * Step;
    const Int64 AlongMinor = MinorStart + MinorSign * Offset;
    if (XMajor) {
      FSurface.FillSpan(AlongMinor, AlongMajor, AlongMajor, FPen.Color());
    } else {
      FSurface.FillSpan(AlongMajor, AlongMinor, AlongMinor, FPen.Color());
    }
    Remainder += 2 * Minor;
    if (Remainder >= Wrap) {
      Remainder -= Wrap;
      ++Offset;
    }
  }
}

// A wide line is every pixel whose centre lies within half the pen width of
// the segment: a capsule, which gives the round ends. Each row of it is one
// interval, joined from the two end discs and the body between them.
void TCanvas::WideLine(TPoint From, TPoint To) {
  const int W = LineWidth();
  // Even widths run the path along pixel corners so they cover W pixels.
  const double Shift = W % 2 == 0 ? -0.5 : 0.0;
  const double Ax = From.X + Shift, Ay = From.Y + Shift;
  const double Bx = To.X + Shift, By = To.Y + Shift;
  const double Radius = W / 2.0;
  const double Dx = Bx - Ax, Dy = By - Ay;
  const double LengthSquared = Dx * Dx + Dy * Dy;
  const double Reach = Radius * std::sqrt(LengthSquared);

  const Int64 First = std::max<Int64>(static_cast<Int64>(std::ceil(std::min(Ay, By) - Radius)), 0);
  const Int64 Last = std::min<Int64>(static_cast<Int64>(std::floor(std::max(Ay, By) + Radius)), FSurface.Height() - 1);
  for (Int64 Y = First; Y <= Last; ++Y) {
    const double Row = static_cast<double>(Y);
    TSpan Span = Join(DiscRow(Ax, Ay, Radius, Row), DiscRow(Bx, By, Radius, Row));
    if (LengthSquared > 0) {
      // Within Radius of the infinite line, and projecting between the ends.
      const double Across = (Row - Ay) * Dx + Ax * Dy;
      const double Along = Ax * Dx - (Row - Ay) * Dy;
      Span = Join(Span, Intersect(Solve(Dy, Across - Reach, Across + Reach), Solve(Dx, Along, Along + LengthSquared)));
    }
    if (Span.Empty()) continue;
    // Clamp before converting: a span may reach far beyond the surface.
    const double Lo = std::clamp(Span.Lo, -1.0, static_cast<double>(FSurface.Width()));
    const double Hi = std::clamp(Span.Hi, -1.0, static_cast<double>(FSurface.Width()));
    FSurface.FillSpan(Y, static_cast<Int64>(std::ceil(Lo)), static_cast<Int64>(std::floor(Hi)), FPen.Color());
  }
}

}  // namespace vcl
