// Game records in the form five-in-a-row tournament managers write:
//
//   Piskvorky 20x20, 11:11, 0
//   11,11,0          one line per move: column, row (both from 1), milliseconds
//   10,12,2534       crosses first, then the sides alternate
//   expert           after the moves, one name a line for who played crosses
//   person           and who played noughts (managers write engine names)
//   -1               a -1 line ends the names; what follows (a result) is not read
//
// A record is read whole and checked before anything uses it, so a file that
// cannot be taken changes nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quintar::game {

struct TRecordMove {
  int Col;  // 0-based
  int Row;  // 0-based
  std::int64_t Milliseconds;
  friend bool operator==(const TRecordMove&, const TRecordMove&) = default;
};

struct TRecord {
  int ColCount = 20;
  int RowCount = 20;
  std::vector<TRecordMove> Moves;
  // The lines between the moves and the -1 line, trimmed: who played.
  std::vector<std::string> Names;
  friend bool operator==(const TRecord&, const TRecord&) = default;
};

// Why a text is not a record: "line N: reason".
struct TRecordError {
  std::string Message;
};

// Takes LF or CRLF line ends, and passes over a byte-order mark and whatever
// follows the -1 line. Refuses a text with no header, a board outside 5..50
// a side, a move off the board, on a taken cell or after a five, more moves
// than cells, a line meant as a move that is not one (two numbers, a number
// too large, or a line that breaks the moves off before more), or a control
// character up to the -1 line (names may hold letters beyond ASCII).
std::variant<TRecord, TRecordError> ReadRecord(std::string_view Text);

// The header, the moves, one line per name and a closing -1 line, each ended
// by LF. Each name must be printable text, not shaped like a move, and not
// -1.
std::string WriteRecord(const TRecord& Record);

}  // namespace quintar::game
