// The expert's module: its moves, its analysis and the review of a game, as
// the functions bindings/analysis.js makes the class Analyst of. The workers
// that think, analyse and review load it, and a page that can have no worker
// thinks with it itself. It is a module of its own because the expert weighs
// about a fifth of what a page would otherwise download before its board
// shows, and only a page that plays or asks the expert needs it. Positions
// and games cross in AnalysisMessage numbers, turns in TurnMessage bytes.
#include <emscripten/em_js.h>

#include "ComputerThinker.h"
#include "PageValues.h"
#include "Review.h"

// Hands the analysis under way a report, as a view of the module's memory
// to copy at once (see bindings/analysis.js).
EM_JS(void, analysis_report, (const std::int32_t* Numbers, int Count),
      { analysisReport(HEAP32.subarray(Numbers >> 2, (Numbers >> 2) + Count)); });

namespace quintar::web {
namespace {

// A position is analysed until deeper search would change nothing, or for at
// most this long, so that a page left open does not keep a core busy.
constexpr TSearchBudget AnalysisBudget{60000, 0, nullptr};
class TPageAnalyst {
 public:
  game::TComputerThinker& Thinker() { return FThinker; }
  TMessageNumbers& Review() { return FReview; }

 private:
  game::TComputerThinker FThinker;
  TMessageNumbers FReview;
};

}  // namespace

QUINTAR_PAGE_CALL TPageAnalyst* analyst_new() { return new TPageAnalyst; }

// The expert's cell for the turn in the bytes, or 0 when they are no turn or
// no cell is empty. The board asks elsewhere only for the expert's moves and
// hints, so the turn's level is not read, and the strengths stay out of the
// module.
QUINTAR_PAGE_CALL int analyst_think(TPageAnalyst* Analyst, const std::int8_t* Bytes, int Count) {
  const std::optional<game::TThinkRequest> Turn = TurnAt(Bytes, Count);
  return PackedCell(Turn ? Analyst->Thinker().ThinkAsExpert(*Turn) : std::nullopt);
}

// Reports on the turn in the bytes: the first at once, then at most ten a
// second, and the last, until the analysis settles or its time is up. The
// worker cannot be interrupted meanwhile: a page that wants it stopped ends
// the worker. False when the bytes are no turn.
QUINTAR_PAGE_CALL bool analyst_analyse(TPageAnalyst* Analyst, const std::int8_t* Bytes, int Count) {
  const std::optional<game::TThinkRequest> Turn = TurnAt(Bytes, Count);
  if (!Turn) return false;
  std::optional<TAnalysis> LastTold;
  const auto Tell = [&](const TAnalysis& Analysis) {
    LastTold = Analysis;
    const TMessageNumbers Numbers = EncodeAnalysis(Analysis);
    analysis_report(Numbers.data(), static_cast<int>(Numbers.size()));
  };
  const TAnalysis Last = Analyst->Thinker().Analyse(*Turn, AnalysisBudget, Tell);
  if (Last != LastTold) Tell(Last);
  return true;
}

// The review of the game in the numbers, as counted numbers, or null when
// they are no game.
QUINTAR_PAGE_CALL const std::int32_t* analyst_review(TPageAnalyst* Analyst, const std::int32_t* Numbers, int Count) {
  const std::optional<game::TReviewRequest> Game = DecodeReviewRequest(NumbersAt(Numbers, Count));
  if (!Game) return nullptr;
  game::TComputerThinker Reviewer;
  return KeptNumbers(Analyst->Review(), EncodeReview(game::ReviewGame(*Game, Reviewer, DefaultReviewBudget())));
}

}  // namespace quintar::web
