// What the element's modules answer the page with when the answer has parts:
// JSON text, which the page reads with JSON.parse. Cells are { col, row },
// counted from 1, as Move takes them, or null for none.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "GameTable.h"
#include "Types.h"

namespace quintar::web {

// Text as a JSON string: quoted, with quotes, backslashes and control
// characters escaped; other characters pass as the UTF-8 they are.
std::string JsonString(std::string_view Text);
std::string JsonStrings(const std::vector<std::string>& Texts);
std::string JsonCell(std::optional<vcl::TPoint> Cell);

// The table's latest report, its words, and each candidate's line:
// { turn, depth, nodes, settled, lines, words, candidates }, or null.
std::string AnalysisJson(const game::TGameTable& Table);
// The review of the game on the board: { moves, summary }, each move
// { col, row, side, judgement, better, words }, or null.
std::string ReviewJson(const game::TGameTable& Table);
// The cells of the winning line, or [] while there is none.
std::string WinCellsJson(const TQuintar& Control);

}  // namespace quintar::web
