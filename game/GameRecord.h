// Game records in the form five-in-a-row tournament managers write:
//
//   Piskvorky 20x20, 11:11, 0
//   11,11,0          one line per move: column, row (both from 1), milliseconds
//   10,12,2534       crosses first, then the sides alternate
//   -1               anything after the moves (managers add engine names, a
//                    -1 line and a result) ends them and is not read further
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
  friend bool operator==(const TRecord&, const TRecord&) = default;
};

// Why a text is not a record: "line N: reason".
struct TRecordError {
  std::string Message;
};

// Takes LF or CRLF line ends. Refuses a text with no header, a board outside
// 5..50 a side, a move off the board, on a taken cell or after a five, more
// moves than cells, or any byte that is not printable ASCII.
std::variant<TRecord, TRecordError> ReadRecord(std::string_view Text);

// The header, the moves, one line per name in Players (who played crosses
// first, then noughts) and a closing -1 line, each ended by LF. Readers stop
// at the first line after the moves, so the names are for people only; each
// must be printable text and not shaped like a move.
std::string WriteRecord(const TRecord& Record, const std::vector<std::string>& Players = {});

}  // namespace quintar::game
