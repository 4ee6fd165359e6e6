#include "SelfPlay.h"

#include "Expert.h"
#include "MatchBoard.h"
#include "Mixing.h"
#include "Openings.h"

namespace quintar::tune {
namespace {

struct TPlayedPosition {
  TPositionFeatures Features;
  int Turn;
};

// Plays one game from its opening to the end; the samples of its quiet
// positions are added to Samples once the result is known.
void PlayGame(TExpertSearch& Expert, const TSelfPlaySettings& Settings, int Game, std::vector<TSample>& Samples) {
  const std::uint64_t GameSeed = Mixed(Settings.Seed * 1000003 + static_cast<std::uint64_t>(Game));
  const int Side = Settings.BoardSides[GameSeed % Settings.BoardSides.size()];
  match::TMatchBoard Board(Side, Side);
  match::TVerdict Verdict = match::TVerdict::Going;
  // Two to six marks around the centre, as a match starts its games.
  for (const match::TCell& Cell : match::RandomOpening(GameSeed, Game, Side, Side))
    Verdict = Board.Play(Cell.Col, Cell.Row);
  Expert.Seed(GameSeed);
  const TSearchBudget Budget = {0, Settings.NodesPerMove, nullptr};
  expert::TExpertBoard Judged;
  std::vector<TPlayedPosition> Played;
  while (Verdict == match::TVerdict::Going) {
    Judged.Load(Board.View());
    const int Mover = expert::SideOfTurn(Board.Turn());
    if (IsQuiet(Judged, Mover)) Played.push_back({FeaturesOf(Judged, Mover), Board.Turn()});
    const TExpertChoice Choice = Expert.Choose(Board.View(), Board.Turn(), Budget);
    Verdict = Board.Play(Choice.Col, Choice.Row);
  }
  const int Winner = Verdict == match::TVerdict::CrossWon ? 1 : Verdict == match::TVerdict::NoughtWon ? -1 : 0;
  for (const TPlayedPosition& Position : Played) {
    const double Result = Winner == 0 ? 0.5 : Winner == Position.Turn ? 1.0 : 0.0;
    Samples.push_back({Position.Features, Result, Game});
  }
}

}  // namespace

std::vector<TSample> PlaySelfPlay(const TSelfPlaySettings& Settings, const TGameObserver& OnGame) {
  std::vector<TSample> Samples;
  if (Settings.BoardSides.empty()) return Samples;
  TExpertSearch Expert;
  for (int Game = 0; Game < Settings.Games; ++Game) {
    PlayGame(Expert, Settings, Game, Samples);
    if (OnGame) OnGame(Game + 1);
  }
  return Samples;
}

}  // namespace quintar::tune
