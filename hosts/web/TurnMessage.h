// A computer move to think about, as the bytes that cross from the page to
// the worker that thinks: the columns and rows in play, the side to move,
// the level, then the cells column by column (0 empty, 1 cross, -1 nought).
// The position's generation stays behind with the page, which alone judges
// whether an answer is still wanted.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "ThinkRequest.h"

namespace quintar::web {

using TTurnBytes = std::vector<std::int8_t>;

TTurnBytes EncodeTurn(const game::TThinkRequest& Turn);

// Nothing unless the bytes are a turn EncodeTurn could have written: a board
// of 5..50 a side whose cells all follow, a side of 1 or -1, a known level.
std::optional<game::TThinkRequest> DecodeTurn(std::span<const std::int8_t> Bytes);

}  // namespace quintar::web
