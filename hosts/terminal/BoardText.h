// The board as lines of text, drawn from the control's state: a header of
// column numbers, then one line per row led by its number, every cell three
// characters wide. Numbers run from 1 as Move counts. The last move is boxed
// in brackets when ShowHighlight is on; the winning five, when ShowQuintar is
// on and a five was found, is shown in QuintarColor (and, without colour,
// in parentheses). A hinted cell shows <+> in HighlightColor. Marks and
// background take the control's colours when the terminal has any.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "AnsiColor.h"
#include "Quintar.h"

namespace quintar::terminal {

// Where the cells lie in the text: cell (c, r) spans the characters
// BoardLeft + c * CellChars .. + CellChars - 1 of line BoardTop + r.
inline constexpr int CellChars = 3;
inline constexpr int BoardLeft = 3;
inline constexpr int BoardTop = 1;

inline int BoardTextWidth(int ColCount) { return BoardLeft + CellChars * ColCount; }
inline int BoardTextHeight(int RowCount) { return BoardTop + RowCount; }

std::vector<std::string> BoardText(const TQuintar& Control, TColorDepth Depth,
                                   std::optional<vcl::TPoint> Hint = std::nullopt);

}  // namespace quintar::terminal
