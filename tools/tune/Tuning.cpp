#include "Tuning.h"

namespace quintar::tune {

TTuningSettings DefaultTuningSettings() {
  TTuningSettings Settings;
  Settings.Play = {2000, 1500, 1, {15, 19, 20}};
  Settings.Iterations = 1500;
  return Settings;
}

TTuningResult RunTuning(const TTuningSettings& Settings, const expert::TEvaluationWeights& Start,
                        const TGameObserver& OnGame) {
  const std::vector<TSample> Samples = PlaySelfPlay(Settings.Play, OnGame);
  std::vector<TSample> Training;
  std::vector<TSample> HeldOut;
  for (const TSample& Sample : Samples)
    (Settings.HeldOutEvery > 0 && Sample.Game % Settings.HeldOutEvery == Settings.HeldOutEvery - 1 ? HeldOut : Training)
        .push_back(Sample);

  TTuningResult Result;
  Result.Weights = Start;
  Result.TrainingPositions = static_cast<int>(Training.size());
  Result.HeldOutPositions = static_cast<int>(HeldOut.size());
  if (Training.empty()) return Result;

  const TRealWeights Before = RealWeights(Start);
  Result.Scale = FitScale(Training, Before);
  Result.Weights = RoundedWeights(FitWeights(Training, Before, Result.Scale, Settings.Iterations, Settings.Fitted));
  const TRealWeights After = RealWeights(Result.Weights);
  Result.TrainingLossBefore = LogLoss(Training, Before, Result.Scale);
  Result.TrainingLossAfter = LogLoss(Training, After, Result.Scale);
  Result.HeldOutLossBefore = LogLoss(HeldOut, Before, Result.Scale);
  Result.HeldOutLossAfter = LogLoss(HeldOut, After, Result.Scale);
  return Result;
}

std::string TuningCommand(const TTuningSettings& Settings, const std::string& Output) {
  std::string Boards;
  for (const int Side : Settings.Play.BoardSides) Boards += (Boards.empty() ? "" : ",") + std::to_string(Side);
  return "quintar-tune --games " + std::to_string(Settings.Play.Games) + " --nodes " +
         std::to_string(Settings.Play.NodesPerMove) + " --seed " + std::to_string(Settings.Play.Seed) + " --boards " +
         Boards + " --iterations " + std::to_string(Settings.Iterations) + " --held-out-every " +
         std::to_string(Settings.HeldOutEvery) + (Settings.Fitted == TFitted::All ? " --fit all" : "") + " --output " +
         Output;
}

}  // namespace quintar::tune
