#include "EllipseRaster.h"

#include <algorithm>
#include <cmath>

namespace vcl {

namespace {

using Int64 = std::int64_t;

Int64 Floor(double Value) { return static_cast<Int64>(std::floor(Value)); }
Int64 Ceil(double Value) { return static_cast<Int64>(std::ceil(Value)); }

// Half the width of the ellipse with semi-axes A and B at height Dy from its
// centre; minus infinity above and below it.
double HalfWidthOf(double A, double B, double Dy) {
  if (std::abs(Dy) > B) return -HUGE_VAL;
  if (B == 0) return A;
  const double Ratio = Dy / B;
  return A * std::sqrt(std::max(0.0, 1 - Ratio * Ratio));
}

// A direction in the upper right quarter, given by W from 0 (rightwards)
// to 2 (upwards): (1, W) up to the diagonal at W = 1, then (2 - W, 1). Its
// cosine and sine so stay exact even when one is tiny, as at the ends of a
// very flat ellipse, and the angle grows with W.
struct TDirection {
  double C, S;  // cosine and sine
  double Turn;  // how fast the angle grows with W

  static TDirection At(double W) {
    const double P = W <= 1 ? 1 : 2 - W, Q = W <= 1 ? W : 1;
    const double LengthSquared = P * P + Q * Q, Length = std::sqrt(LengthSquared);
    return {P / Length, Q / Length, 1 / LengthSquared};
  }
  // The W of the direction (Across, Up), both at least 0 and not both 0.
  static double Of(double Across, double Up) { return Up <= Across ? Up / Across : 2 - Across / Up; }
};

// The curve at a fixed distance Offset outside the ellipse with semi-axes
// A, B > 0 (inside it for a negative Offset), in its upper right quarter,
// followed by the direction (C, S) of the ellipse's normal: the ellipse's
// point with that normal, moved by Offset along it, is
//   (C (A^2 / H + Offset), S (B^2 / H + Offset)),  H = sqrt(A^2 C^2 + B^2 S^2).
// The height grows with the normal's angle wherever the curve is the edge of
// the area the pen sweeps over, so each row meets that edge once.
struct TParallelCurve {
  // Far below what moves an edge across a pixel centre.
  static constexpr double Tolerance = 1e-9;
  double A, B, Offset;

  double Norm(const TDirection& D) const { return std::sqrt(A * A * D.C * D.C + B * B * D.S * D.S); }
  double Height(double W) const {
    const TDirection D = TDirection::At(W);
    return D.S * (B * B / Norm(D) + Offset);
  }
  double Reach(double W) const {
    const TDirection D = TDirection::At(W);
    return std::max(0.0, D.C * (A * A / Norm(D) + Offset));
  }

  // Where the ellipse with the semi-axes moved by Offset, which runs close
  // to the curve, has its normal at height Dy.
  double GuessAt(double Dy) const {
    const double Wide = A + Offset, High = B + Offset;
    const double Across = HalfWidthOf(Wide, High, Dy);
    if (Across <= 0) return 2;
    return TDirection::Of(Across / (Wide * Wide), Dy / (High * High));
  }

  // Reach at height Dy, for a Dy between the heights at From and To, along
  // which the height grows: Newton's steps, kept inside a shrinking bracket.
  // A circle's parallel curves are circles.
  double ReachAt(double Dy, double From, double To) const {
    if (A == B) return std::sqrt(std::max(0.0, (A + Offset) * (A + Offset) - Dy * Dy));
    double Low = From, High = To;
    double W = std::clamp(GuessAt(Dy), Low, High);
    for (int Step = 0; Step < 60; ++Step) {
      const TDirection D = TDirection::At(W);
      const double H = Norm(D);
      const double Error = D.S * (B * B / H + Offset) - Dy;
      if (std::abs(Error) <= Tolerance) return std::max(0.0, D.C * (A * A / H + Offset));
      if (Error < 0) {
        Low = W;
      } else {
        High = W;
      }
      const double Slope = D.C * (A * A * B * B / (H * H * H) + Offset) * D.Turn;
      double Next = Slope > 0 ? W - Error / Slope : Low;
      if (!(Next > Low && Next < High)) Next = (Low + High) / 2;
      W = Next;
    }
    return Reach(W);
  }
};

}  // namespace

TEllipseRaster::TEllipseRaster(int X1, int Y1, int X2, int Y2, int PenWidth) {
  const bool EvenPen = PenWidth > 1 && PenWidth % 2 == 0;
  const Int64 TwiceCenterX = Int64{X1} + X2 - 1 - (EvenPen ? 1 : 0);
  FLeft = TwiceCenterX >= 0 ? TwiceCenterX / 2 : -((1 - TwiceCenterX) / 2);
  FRight = FLeft + (TwiceCenterX % 2 != 0 ? 1 : 0);
  FHalfStep = FRight == FLeft ? 0.0 : 0.5;
  FTwiceCenterY = Int64{Y1} + Y2 - 1 - (EvenPen ? 1 : 0);
  FCenterY = static_cast<double>(FTwiceCenterY) / 2;
  FRadiusX = (static_cast<double>(X2) - X1 - 1) / 2;
  FRadiusY = (static_cast<double>(Y2) - Y1 - 1) / 2;
  FPenRadius = PenWidth > 1 ? PenWidth / 2.0 : 0.0;
  FTop = Ceil(FCenterY - FRadiusY - FPenRadius);
  FBottom = Floor(FCenterY + FRadiusY + FPenRadius);

  // The inner parallel curve bounds the inside only where it lies in the
  // upper right quarter: beyond that it folds back over itself (where the
  // pen is wider than the path is curved) and the other quarters' curves cut
  // it off. Its reach and height are both at least 0 exactly where H is at
  // most min(A^2, B^2) / PenRadius; H^2 = A^2 C^2 + B^2 S^2 runs from A^2
  // rightwards to B^2 upwards.
  const double A = FRadiusX, B = FRadiusY, R = FPenRadius;
  FHasInside = R > 0 && R < std::min(A, B);
  FInsideFrom = 0;
  FInsideTo = 2;
  FInsideBottom = 0;
  FInsideCorner = A - R;
  FInsideTop = B - R;
  if (!FHasInside || A == B) return;
  const double Most = std::min(A * A, B * B) / R;
  // Where H = Most, S^2 = (Most^2 - A^2) / (B^2 - A^2) and C^2 = (B^2 - Most^2) / (B^2 - A^2).
  const double SineSquared = (Most * Most - A * A) / (B * B - A * A);
  const double CosineSquared = (B * B - Most * Most) / (B * B - A * A);
  if (SineSquared <= 0 || CosineSquared <= 0) return;
  const double Limit = TDirection::Of(std::sqrt(CosineSquared), std::sqrt(SineSquared));
  if (A > B) {
    FInsideFrom = Limit;
  } else {
    FInsideTo = Limit;
  }
  const TParallelCurve Inner{A, B, -R};
  FInsideBottom = Inner.Height(FInsideFrom);
  FInsideCorner = Inner.Reach(FInsideFrom);
  FInsideTop = Inner.Height(FInsideTo);
}

double TEllipseRaster::SweptReach(double Dy) const {
  const double Height = std::abs(Dy);
  const double A = FRadiusX, B = FRadiusY, R = FPenRadius;
  if (Height > B + R) return -HUGE_VAL;
  // A flat path is a segment, and the area a capsule.
  if (A == 0 || B == 0) {
    const double Beyond = std::max(0.0, Height - B);
    return A + std::sqrt(std::max(0.0, R * R - Beyond * Beyond));
  }
  return TParallelCurve{A, B, R}.ReachAt(Height, 0, 2);
}

double TEllipseRaster::InsideReach(double Dy) const {
  if (!FHasInside) return -1;
  const double Height = std::abs(Dy);
  if (Height > FInsideTop) return -1;
  if (Height <= FInsideBottom) return FInsideCorner;
  return TParallelCurve{FRadiusX, FRadiusY, -FPenRadius}.ReachAt(Height, FInsideFrom, FInsideTo);
}

// A pixel's diamond has its corners half a pixel left, right, above and
// below its centre; the path enters and leaves it when some corners lie
// inside the ellipse and some do not (a corner on the path is not inside).
// Along a row that is one run on each side, from the first pixel with a
// corner not inside to the last with a corner inside.
TEllipseRaster::TSteps TEllipseRaster::ThinSteps(double Dy) const {
  const double Height = std::abs(Dy);
  const double Here = HalfWidthOf(FRadiusX, FRadiusY, Height);
  const double Outward = HalfWidthOf(FRadiusX, FRadiusY, Height + 0.5);
  const double Inward = HalfWidthOf(FRadiusX, FRadiusY, std::abs(Height - 0.5));
  const double RunEnd = std::max(Here + 0.5, Inward);     // some corner inside below this
  const double RunStart = std::min(Here - 0.5, Outward);  // some corner not inside from here
  // The last step strictly below a bound, -1 when none.
  auto LastBelow = [&](double Bound) { return Bound <= FHalfStep ? -1 : Ceil(Bound - FHalfStep) - 1; };
  return {LastBelow(RunEnd), LastBelow(RunStart)};
}

// The pen covers the centres up to the swept area's edge, that included;
// the inside begins strictly within the inner edge.
TEllipseRaster::TSteps TEllipseRaster::WideSteps(double Dy) const {
  const double Outer = SweptReach(Dy);
  const double Inner = InsideReach(Dy);
  return {Outer < FHalfStep ? -1 : Floor(Outer - FHalfStep), Inner <= FHalfStep ? -1 : Ceil(Inner - FHalfStep) - 1};
}

TEllipseRow TEllipseRaster::Row(Int64 Y) const {
  constexpr TEllipseRow EmptyRow{1, 0, 1, 0};
  if (Y < FTop || Y > FBottom) return EmptyRow;
  const double Dy = static_cast<double>(Y) - FCenterY;
  const TSteps Steps = FPenRadius == 0 ? ThinSteps(Dy) : WideSteps(Dy);
  if (Steps.Outer < 0) return EmptyRow;
  TEllipseRow Row{FLeft - Steps.Outer, FRight + Steps.Outer, 1, 0};
  if (Steps.Inner >= 0) {
    Row.InsideLeft = FLeft - Steps.Inner;
    Row.InsideRight = FRight + Steps.Inner;
  }
  return Row;
}

}  // namespace vcl
