// What analysis and review cross between the page and its workers in: the
// expert's report on a position, a game to review and its review, each as
// 32-bit numbers, which a worker posts as an Int32Array without copying
// object by object. Cells are 0-based here, as the table has them.
//
// Whatever crosses back is read as untrusted: nothing is taken but what the
// encoder could have written, so the table only ever sees reports and
// reviews it could have made itself.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "ExpertAnalysis.h"
#include "Review.h"

namespace quintar::web {

using TMessageNumbers = std::vector<std::int32_t>;

// The side to move, the depth, the positions visited, whether it is settled,
// then each candidate: its cell, score, advantage and standing, outcome,
// moves to five, whether its line makes five and is by fours, and its line.
TMessageNumbers EncodeAnalysis(const TAnalysis& Report);
std::optional<TAnalysis> DecodeAnalysis(std::span<const std::int32_t> Numbers);

// The board's size, then the moves from an empty board. The generation stays
// with the page, as a turn's does.
TMessageNumbers EncodeReviewRequest(const game::TReviewRequest& Request);
std::optional<game::TReviewRequest> DecodeReviewRequest(std::span<const std::int32_t> Numbers);

// Each move's cell, side, judgement, better cell (-1, -1 for none) and loss,
// then for crosses and for noughts the count of each judgement and the
// turning point (-1 for none).
TMessageNumbers EncodeReview(const game::TReview& Review);
std::optional<game::TReview> DecodeReview(std::span<const std::int32_t> Numbers);

}  // namespace quintar::web
