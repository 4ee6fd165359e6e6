#include "LogisticFit.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quintar::tune {
namespace {

using expert::LinePatternCount;
using expert::ThreatKinds;

// The fit moves the weights as one vector: line values, threat bonuses, the
// mover's factor, the four-three and double-three bonuses.
constexpr int LineAt = 0;
constexpr int ThreatAt = LineAt + LinePatternCount;
constexpr int MoverAt = ThreatAt + ThreatKinds;
constexpr int FourThreeAt = MoverAt + 1;
constexpr int DoubleThreeAt = FourThreeAt + 1;
constexpr int ParameterCount = DoubleThreeAt + 1;
using TVector = std::array<double, ParameterCount>;

TVector VectorOf(const TRealWeights& Weights) {
  TVector Vector{};
  std::copy(Weights.LineValues.begin(), Weights.LineValues.end(), Vector.begin() + LineAt);
  std::copy(Weights.ThreatBonuses.begin(), Weights.ThreatBonuses.end(), Vector.begin() + ThreatAt);
  Vector[MoverAt] = Weights.MoverFactor;
  Vector[FourThreeAt] = Weights.FourThreeBonus;
  Vector[DoubleThreeAt] = Weights.DoubleThreeBonus;
  return Vector;
}

TRealWeights WeightsOf(const TVector& Vector) {
  TRealWeights Weights;
  std::copy_n(Vector.begin() + LineAt, LinePatternCount, Weights.LineValues.begin());
  std::copy_n(Vector.begin() + ThreatAt, ThreatKinds, Weights.ThreatBonuses.begin());
  Weights.MoverFactor = Vector[MoverAt];
  Weights.FourThreeBonus = Vector[FourThreeAt];
  Weights.DoubleThreeBonus = Vector[DoubleThreeAt];
  return Weights;
}

bool Held(int Parameter, TFitted Fitted) {
  const bool LineValue = Parameter >= LineAt && Parameter < ThreatAt;
  return (LineValue && Fitted == TFitted::Bonuses) || Parameter == LineAt + expert::lpNone ||
         Parameter == LineAt + expert::lpFive || Parameter == ThreatAt + expert::thNone ||
         Parameter == ThreatAt + expert::thFive;
}

// How far a parameter moves in one step, relative to the step size: weights
// of very different sizes (a single line, a four-three) move at their own
// pace, and those that start at zero by the size of their kind.
double StepScale(int Parameter, double Start) {
  const double Floor = Parameter < ThreatAt ? 10 : Parameter < MoverAt ? 100 : Parameter == MoverAt ? 1 : 1000;
  return std::max(std::abs(Start), Floor);
}

double SideSum(const TSideCounts& Counts, const TRealWeights& Weights) {
  double Sum = 0;
  for (int Line = 0; Line < LinePatternCount; ++Line) Sum += Weights.LineValues[Line] * Counts.Lines[Line];
  for (int Threat = 0; Threat < ThreatKinds; ++Threat) Sum += Weights.ThreatBonuses[Threat] * Counts.Threats[Threat];
  return Sum;
}

// log(1 + e^X) without overflow.
double SoftPlus(double X) { return X > 0 ? X + std::log1p(std::exp(-X)) : std::log1p(std::exp(X)); }

double Sigmoid(double X) { return 1 / (1 + std::exp(-X)); }

// The log loss of one result against a prediction of sigmoid(X).
double SampleLoss(double X, double Result) { return Result * SoftPlus(-X) + (1 - Result) * SoftPlus(X); }

// The mean log loss's gradient in every parameter.
TVector Gradient(std::span<const TSample> Samples, const TRealWeights& Weights, double Scale) {
  TVector Sum{};
  for (const TSample& Sample : Samples) {
    const TPositionFeatures& Features = Sample.Features;
    // d(loss)/d(score) for this sample.
    const double Slope = (Sigmoid(Score(Features, Weights) / Scale) - Sample.Result) / Scale;
    for (int Line = 0; Line < LinePatternCount; ++Line)
      Sum[LineAt + Line] += Slope * (Weights.MoverFactor * Features.Mover.Lines[Line] - Features.Other.Lines[Line]);
    for (int Threat = 0; Threat < ThreatKinds; ++Threat)
      Sum[ThreatAt + Threat] +=
          Slope * (Weights.MoverFactor * Features.Mover.Threats[Threat] - Features.Other.Threats[Threat]);
    Sum[MoverAt] += Slope * SideSum(Features.Mover, Weights);
    Sum[FourThreeAt] += Features.FourThree ? Slope : 0;
    Sum[DoubleThreeAt] += Features.DoubleThree ? Slope : 0;
  }
  for (double& Part : Sum) Part /= static_cast<double>(std::max<std::size_t>(Samples.size(), 1));
  return Sum;
}

}  // namespace

TRealWeights RealWeights(const expert::TEvaluationWeights& Weights) {
  TRealWeights Real;
  std::copy(Weights.LineValues.begin(), Weights.LineValues.end(), Real.LineValues.begin());
  std::copy(Weights.ThreatBonuses.begin(), Weights.ThreatBonuses.end(), Real.ThreatBonuses.begin());
  Real.MoverFactor = Weights.MoverPercent / 100.0;
  Real.FourThreeBonus = Weights.FourThreeBonus;
  Real.DoubleThreeBonus = Weights.DoubleThreeBonus;
  return Real;
}

expert::TEvaluationWeights RoundedWeights(const TRealWeights& Weights) {
  const auto Whole = [](double Value) { return static_cast<std::int32_t>(std::lround(std::max(Value, 0.0))); };
  expert::TEvaluationWeights Rounded{};
  std::transform(Weights.LineValues.begin(), Weights.LineValues.end(), Rounded.LineValues.begin(), Whole);
  std::transform(Weights.ThreatBonuses.begin(), Weights.ThreatBonuses.end(), Rounded.ThreatBonuses.begin(), Whole);
  Rounded.MoverPercent = Whole(Weights.MoverFactor * 100);
  Rounded.FourThreeBonus = Whole(Weights.FourThreeBonus);
  Rounded.DoubleThreeBonus = Whole(Weights.DoubleThreeBonus);
  return Rounded;
}

double Score(const TPositionFeatures& Features, const TRealWeights& Weights) {
  return Weights.MoverFactor * SideSum(Features.Mover, Weights) - SideSum(Features.Other, Weights) +
         (Features.FourThree ? Weights.FourThreeBonus : 0) + (Features.DoubleThree ? Weights.DoubleThreeBonus : 0);
}

double LogLoss(std::span<const TSample> Samples, const TRealWeights& Weights, double Scale) {
  double Sum = 0;
  for (const TSample& Sample : Samples) Sum += SampleLoss(Score(Sample.Features, Weights) / Scale, Sample.Result);
  return Sum / static_cast<double>(std::max<std::size_t>(Samples.size(), 1));
}

// The loss is smooth and has one minimum in the scale's logarithm over any
// sensible range: a golden-section search finds it.
double FitScale(std::span<const TSample> Samples, const TRealWeights& Weights) {
  const double Golden = (std::sqrt(5.0) - 1) / 2;
  double Low = std::log(1.0);
  double High = std::log(1e7);
  const auto Loss = [&](double LogScale) { return LogLoss(Samples, Weights, std::exp(LogScale)); };
  double Left = High - Golden * (High - Low);
  double Right = Low + Golden * (High - Low);
  double LeftLoss = Loss(Left);
  double RightLoss = Loss(Right);
  for (int Step = 0; Step < 60; ++Step) {
    if (LeftLoss < RightLoss) {
      High = Right;
      Right = Left;
      RightLoss = LeftLoss;
      Left = High - Golden * (High - Low);
      LeftLoss = Loss(Left);
    } else {
      Low = Left;
      Left = Right;
      LeftLoss = RightLoss;
      Right = Low + Golden * (High - Low);
      RightLoss = Loss(Right);
    }
  }
  return std::exp((Low + High) / 2);
}

// Adam on the whole sample at every step: a few dozen parameters and a sum
// that is cheap to take, so the full gradient is affordable and the result
// repeats exactly. The step shrinks to nothing by the last iteration.
TRealWeights FitWeights(std::span<const TSample> Samples, const TRealWeights& Start, double Scale, int Iterations,
                        TFitted Fitted) {
  constexpr double StepSize = 0.02;
  constexpr double Beta1 = 0.9;
  constexpr double Beta2 = 0.999;
  constexpr double Epsilon = 1e-12;
  const TVector Origin = VectorOf(Start);
  TVector Vector = Origin;
  TVector Mean{};
  TVector Square{};
  for (int Step = 1; Step <= Iterations; ++Step) {
    const TVector Slope = Gradient(Samples, WeightsOf(Vector), Scale);
    const double Rate = StepSize * (1 - static_cast<double>(Step - 1) / Iterations);
    for (int Parameter = 0; Parameter < ParameterCount; ++Parameter) {
      if (Held(Parameter, Fitted)) continue;
      Mean[Parameter] = Beta1 * Mean[Parameter] + (1 - Beta1) * Slope[Parameter];
      Square[Parameter] = Beta2 * Square[Parameter] + (1 - Beta2) * Slope[Parameter] * Slope[Parameter];
      const double Corrected = Mean[Parameter] / (1 - std::pow(Beta1, Step));
      const double CorrectedSquare = Square[Parameter] / (1 - std::pow(Beta2, Step));
      Vector[Parameter] -=
          Rate * StepScale(Parameter, Origin[Parameter]) * Corrected / (std::sqrt(CorrectedSquare) + Epsilon);
      Vector[Parameter] = std::max(Vector[Parameter], 0.0);
    }
  }
  return WeightsOf(Vector);
}

}  // namespace quintar::tune
