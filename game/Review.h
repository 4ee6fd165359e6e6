// A review of a game: every move judged against what the expert found in the
// position before it, at a fixed budget of positions so that the same game is
// always judged alike. It runs wherever a face can spare the time (a thread,
// a worker, the terminal's command) and hands the faces what the phrasebook
// words.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "ComputerThinker.h"
#include "Expert.h"
#include "Types.h"

namespace quintar::game {

// Best first; a missed win and a win let through outweigh any score.
enum class TJudgement : std::uint8_t { Best, Good, Inaccuracy, Mistake, MissedWin, LetWinThrough };
inline constexpr std::size_t JudgementCount = 6;

struct TMoveReview {
  vcl::TPoint Cell;  // the move played, 0-based
  int Side = 1;
  TJudgement Judgement = TJudgement::Best;
  // The expert's best move in the position, when the move played was not it.
  std::optional<vcl::TPoint> Better;
  // How much of the advantage (on its -100..100 scale) the move gave away.
  int Loss = 0;
  friend bool operator==(const TMoveReview&, const TMoveReview&) = default;
};

struct TSideSummary {
  std::array<int, JudgementCount> Counts{};
  // The move (index into the game) that cost the side most, when any did.
  std::optional<std::size_t> TurningPoint;
  friend bool operator==(const TSideSummary&, const TSideSummary&) = default;
};

struct TReview {
  std::vector<TMoveReview> Moves;
  TSideSummary Crosses;
  TSideSummary Noughts;
  const TSideSummary& Summary(int Side) const { return Side == 1 ? Crosses : Noughts; }
  friend bool operator==(const TReview&, const TReview&) = default;
};

// A game to review: its board size and its moves from an empty board, with
// the generation of the position it was taken from.
struct TReviewRequest {
  int ColCount = 20;
  int RowCount = 20;
  std::vector<vcl::TPoint> Moves;
  std::uint64_t Generation = 0;
};

// How a move is judged from the reports before and after it, each for the
// side then to move; After is empty when the move ended the game.
TMoveReview JudgeMove(vcl::TPoint Cell, int Side, const TAnalysis& Before, const std::optional<TAnalysis>& After);

// The seed every review starts its thinker from: where moves are equally
// good the same one is named, and the same game reads the same in every face
// and every run.
inline constexpr std::uint64_t ReviewSeed = 31;

// Reviews the game of Request with Thinker at Budget (DefaultReviewBudget()
// unless given), the thinker seeded with ReviewSeed. Progress, when given,
// hears how many moves are judged so far; a stop raised in Budget ends the
// review early with the moves judged by then.
TReview ReviewGame(const TReviewRequest& Request, TComputerThinker& Thinker, TSearchBudget Budget,
                   const std::function<void(std::size_t Judged)>& Progress = {});

}  // namespace quintar::game
