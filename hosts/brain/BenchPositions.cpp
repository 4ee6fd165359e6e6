#include "BenchPositions.h"

#include <array>
#include <charconv>

#include "Rules.h"

namespace quintar::brain {
namespace {

// From games the expert played against the high strength and against
// itself, from random openings: quiet middle games that take the whole
// budget, and positions near a decision where the search proves a win or a
// loss before its budget runs out.
constexpr std::array<TBenchPosition, 24> Positions = {{
    {15, "8,7 4,4 8,6 8,5 9,6 7,6 9,4 10,5 9,5"},
    {15, "8,7 4,4 9,6 4,5 7,8 6,9 4,3 5,4 3,6 5,5 6,4 5,3 5,6"},
    {15, "6,5 8,5 4,5 10,4 6,10 5,5 6,7 5,6 5,4 7,6 6,6 6,4 3,6"},
    {15, "4,9 7,7 5,10 3,8 4,10 3,10 3,9 5,9 4,11"},
    {15, "8,4 7,5 8,9 7,6 10,9 7,7 7,8 9,10 9,9 7,9 9,8 8,8 10,7"},
    {15, "8,4 7,5 8,9 7,3 7,4 6,4 5,5 6,3 5,3 5,4 6,5 4,5 3,6 8,3 7,2 10,3 9,3 11,4 12,5 11,2 9,4"},
    {15, "9,6 8,10 9,7 6,10 9,5 9,4 7,10 7,11 6,12 8,12 5,9 8,11 8,13"},
    {15, "8,6 4,8 7,7 6,10 6,8 5,9 3,7 7,9 6,9"},
    {15, "8,6 4,8 8,4 8,5 9,5 10,4 9,7 10,6 10,8 7,5 9,8 9,6 11,8"},
    {15, "9,7 10,4 8,5 8,6 7,9 4,7 8,8 10,6 9,5 9,6 11,6 10,5 10,7 7,6 6,6 8,7 11,4 6,5 5,4 7,4 5,6"},
    {15, "9,9 4,7 4,9 2,9 3,8 2,7 2,8 1,8 3,6 3,7 1,7 4,8 3,9 4,10 5,9 4,5 3,10 2,6 5,8 6,7 5,7"},
    {15, "9,9 4,7 4,9 3,6 8,10 2,5 5,8 3,10 7,11 6,12 7,9 7,10 8,11"},
    {20, "9,10 7,13 10,11 11,12 10,10 11,10 11,11 9,11 12,12"},
    {20, "9,10 7,13 9,9 6,13 9,8 9,11 8,12 7,14 8,13 6,12 6,14 8,15 5,12"},
    {20, "7,9 10,11 7,10 10,10 7,11 7,12 10,9 8,9 9,10 5,10 11,8 8,11 8,10"},
    {20, "7,9 10,11 7,10 10,10 7,11 7,12 10,9 8,9 9,10 5,10 11,8 8,11 8,10 8,13 6,11 9,12 11,10 10,12 8,12 9,13 10,13"},
    {20, "11,9 8,8 12,13 9,7 10,6 7,7 8,7 6,8 7,8 9,9 6,6 9,6 9,8"},
    {20, "9,10 11,8 9,8 13,10 9,9 9,7 12,9 13,9 13,11 13,8 12,8 13,7 13,6"},
    {20, "13,13 13,9 14,13 15,13 14,12 14,14 16,12 15,12 15,11 16,10 12,11 13,12 14,11"},
    {20, "7,8 13,13 9,12 11,8 11,7 7,13 9,10 9,11 8,12 7,12 8,9 10,11 8,11 8,10 7,10 6,9 10,7"},
    {20, "7,8 13,13 9,12 11,8 11,7 7,13 10,8 9,9 10,7 10,10 10,6 10,5 9,7"},
    {20, "13,13 13,7 15,13 14,6 15,5 15,7 14,13 12,13 13,5 14,7 12,7 14,5 14,8"},
    {20, "13,12 11,10 14,11 11,12 12,13 11,14 13,11 13,10 11,13 14,10 15,10 16,9 13,13"},
    {20, "7,7 8,13 12,11 13,8 11,7 10,7 10,10 10,5 11,6 11,5 9,9 8,8 10,8 8,10 11,9 13,5 12,5 9,7 10,6 8,9 8,7"},
}};

// Reads a whole number at the front of Text and drops it; nothing when there
// is none.
std::optional<int> TakeNumber(std::string_view& Text) {
  int Number = 0;
  const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Number);
  if (Error != std::errc()) return std::nullopt;
  Text.remove_prefix(static_cast<std::size_t>(End - Text.data()));
  return Number;
}

}  // namespace

std::span<const TBenchPosition> BenchPositions() { return Positions; }

std::optional<TBenchBoard> BenchBoard(const TBenchPosition& Position) {
  if (!BoardSideFits(Position.Side)) return std::nullopt;
  TBenchBoard Board;
  Board.ColCount = Board.RowCount = Position.Side;
  std::string_view Rest = Position.Moves;
  while (true) {
    while (!Rest.empty() && Rest.front() == ' ') Rest.remove_prefix(1);
    if (Rest.empty()) return Board;
    const std::optional<int> X = TakeNumber(Rest);
    if (!X || Rest.empty() || Rest.front() != ',') return std::nullopt;
    Rest.remove_prefix(1);
    const std::optional<int> Y = TakeNumber(Rest);
    if (!Y || *X < 0 || *X >= Position.Side || *Y < 0 || *Y >= Position.Side) return std::nullopt;
    if (!Rest.empty() && Rest.front() != ' ') return std::nullopt;
    if (Board.Cells[*X][*Y] != 0) return std::nullopt;
    Board.Cells[*X][*Y] = Board.Turn;
    Board.Turn = -Board.Turn;
  }
}

}  // namespace quintar::brain
