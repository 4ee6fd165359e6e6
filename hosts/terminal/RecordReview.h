// `quintar review FILE.psq`: the game of a record reviewed without a terminal
// session, for a person reading it or, as JSON, for a script. The record is
// read as the game's open reads it, and judged as the review command judges
// the game on the board.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "Phrasebook.h"
#include "Review.h"

namespace quintar::terminal {

extern const std::string_view ReviewUsage;

struct TRecordReview {
  // Why the file could not be reviewed; the rest is empty then.
  std::string Error;
  game::TReviewRequest Game;
  game::TReview Review;
  // The opened record in a sentence, then the review's: one per move, and a
  // summary per side.
  std::vector<std::string> Words;
};

// Progress, when given, hears how far the review has got, in words, after
// each move judged.
TRecordReview ReviewRecordFile(const std::string& Path,
                               const std::function<void(const std::string& Words)>& Progress = {});

// The review as one JSON object: the board, every move with its judgement,
// the better move and its sentence, and a summary per side. Moves, columns
// and rows count from 1, as the game shows them; a side's counts are keyed
// by the same judgement names its moves carry.
std::string ReviewJson(const game::TReviewRequest& Game, const game::TReview& Review, const game::TPhrasebook& Words);

// Text as a JSON string, quotes included: quotes, backslashes and control
// characters escaped, everything else as it is.
std::string JsonQuoted(std::string_view Text);

}  // namespace quintar::terminal
