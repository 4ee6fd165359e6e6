// Fits the evaluation's weights to game results: the chance that the side to
// move goes on to win is taken as the logistic function of its static
// evaluation over a scale, and the weights that make the recorded results
// likeliest (the least mean log loss) are sought by gradient descent.
//
// The scale is fitted first, with the starting weights held, and then held
// while the weights move: the weights are whole numbers on a scale of their
// own that the search compares with its fixed bonuses and proven scores, so
// it must not drift.
#pragma once

#include <array>
#include <span>

#include "EvaluationWeights.h"
#include "SelfPlay.h"

namespace quintar::tune {

// The weights as the fit moves them: real numbers, the tempo as a factor.
struct TRealWeights {
  std::array<double, expert::LinePatternCount> LineValues{};
  std::array<double, expert::ThreatKinds> ThreatBonuses{};
  double MoverFactor = 1.0;
  double FourThreeBonus = 0;
  double DoubleThreeBonus = 0;
};

TRealWeights RealWeights(const expert::TEvaluationWeights& Weights);
// To whole numbers, none below zero: the expert adds the values of every
// cell and scales the mover's sum by whole hundredths.
expert::TEvaluationWeights RoundedWeights(const TRealWeights& Weights);

// The evaluation of a sample's position for the side to move; for weights
// that are whole numbers it is the expert's evaluation before its rounding.
double Score(const TPositionFeatures& Features, const TRealWeights& Weights);

// The mean log loss (natural logarithm) of the results predicted with Scale.
double LogLoss(std::span<const TSample> Samples, const TRealWeights& Weights, double Scale);

// The scale that predicts Samples best with Weights held.
double FitScale(std::span<const TSample> Samples, const TRealWeights& Weights);

// Which weights a fit moves. The line values also order the search's moves,
// which a fit of the static evaluation to results cannot see: fitted, they
// predicted results better and played worse. Bonuses leaves them as they
// are and fits the threat bonuses, the tempo and the four-three and
// double-three bonuses, which played better.
enum class TFitted { All, Bonuses };

// The weights, from Start, that predict Samples best at Scale after
// Iterations steps, moving those Fitted names. The no-line value, the five's
// line value and the bonuses of no threat and of a five are always held:
// quiet positions never count a five, and the no-line value only shifts both
// sides' sums alike.
TRealWeights FitWeights(std::span<const TSample> Samples, const TRealWeights& Start, double Scale, int Iterations,
                        TFitted Fitted = TFitted::All);

}  // namespace quintar::tune
