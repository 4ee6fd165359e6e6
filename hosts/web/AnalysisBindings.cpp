// The module the analysing and reviewing workers load, and nothing else: the
// class Analyst. It is a module of its own because the expert's analysis and
// the review of a game weigh about a quarter of the board's module, which
// every page downloads before its board shows, and only a page that asks
// for them needs them. Positions and games cross in AnalysisMessage numbers,
// turns in TurnMessage bytes.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "ComputerThinker.h"
#include "PageValues.h"
#include "Review.h"

namespace quintar::web {
namespace {

using emscripten::val;

class TPageAnalyst {
 public:
  // Hands Report each report as an Int32Array view, to be copied at once:
  // the first at once, then at most ten a second, and the last, until the
  // analysis settles or its time is up. The worker cannot be interrupted
  // meanwhile: a page that wants it stopped ends the worker. False when the
  // bytes are no turn.
  bool Analyse(const val& Bytes, const val& Report) {
    const std::optional<game::TThinkRequest> Turn = TurnOf(Bytes);
    if (!Turn) return false;
    std::optional<TAnalysis> LastTold;
    const auto Tell = [&](const TAnalysis& Analysis) {
      LastTold = Analysis;
      Report(NumbersView(EncodeAnalysis(Analysis)));
    };
    const TAnalysis Last = FThinker.Analyse(*Turn, AnalysisBudget, Tell);
    if (Last != LastTold) Tell(Last);
    return true;
  }

  // The review of the game, as an Int32Array view to copy at once, or null
  // when the numbers are no game.
  val Review(const val& Numbers) {
    const std::optional<TMessageNumbers> Message = NumbersOf(Numbers);
    const std::optional<game::TReviewRequest> Game = Message ? DecodeReviewRequest(*Message) : std::nullopt;
    if (!Game) return val::null();
    // Seeded alike every time, so that a game is judged alike however often
    // it is reviewed.
    game::TComputerThinker Reviewer(ReviewSeed);
    FReview = EncodeReview(game::ReviewGame(*Game, Reviewer, DefaultReviewBudget()));
    return NumbersView(FReview);
  }

 private:
  // A position is analysed until deeper search would change nothing, or for
  // at most this long, so that a page left open does not keep a core busy.
  static constexpr TSearchBudget AnalysisBudget{60000, 0, nullptr};
  static constexpr std::uint64_t ReviewSeed = 1;

  game::TComputerThinker FThinker;
  TMessageNumbers FReview;
};

}  // namespace

EMSCRIPTEN_BINDINGS(quintar_analysis) {
  emscripten::class_<TPageAnalyst>("Analyst")
      .constructor<>()
      .function("analyse", &TPageAnalyst::Analyse)
      .function("review", &TPageAnalyst::Review);
}

}  // namespace quintar::web
