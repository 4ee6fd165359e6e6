// One tuning run from start to end: self-play, a split of the games into
// those the fit learns from and those it is checked on, the fit, and the
// weights it leads to with the prediction error before and after.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "EvaluationWeights.h"
#include "LogisticFit.h"
#include "SelfPlay.h"

namespace quintar::tune {

struct TTuningSettings {
  TSelfPlaySettings Play;
  int Iterations = 0;
  // Every HeldOutEvery-th game is kept out of the fit to check it.
  int HeldOutEvery = 5;
  // The line values are held unless told otherwise: see TFitted.
  TFitted Fitted = TFitted::Bonuses;
};

// What a run is usually given: about a minute on one core of an idle
// machine, a few on a busy one.
TTuningSettings DefaultTuningSettings();

struct TTuningResult {
  expert::TEvaluationWeights Weights;  // the starting weights when there is nothing to fit
  int TrainingPositions = 0;
  int HeldOutPositions = 0;
  double Scale = 0;
  double TrainingLossBefore = 0;
  double TrainingLossAfter = 0;
  double HeldOutLossBefore = 0;
  double HeldOutLossAfter = 0;
};

// Fits Start to the self-play games the settings describe; the losses are
// of the rounded weights, as the expert would play them.
TTuningResult RunTuning(const TTuningSettings& Settings, const expert::TEvaluationWeights& Start,
                        const TGameObserver& OnGame = {});

// The command line that repeats a run with Settings, writing to Output.
std::string TuningCommand(const TTuningSettings& Settings, const std::string& Output);

}  // namespace quintar::tune
