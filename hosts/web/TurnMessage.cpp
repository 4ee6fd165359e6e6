#include "TurnMessage.h"

#include "Quintar.h"
#include "Rules.h"

namespace quintar::web {
namespace {

constexpr std::size_t HeaderSize = 4;

}  // namespace

TTurnBytes EncodeTurn(const game::TThinkRequest& Turn) {
  const game::TBoardCopy& Board = Turn.Board;
  TTurnBytes Bytes;
  Bytes.reserve(HeaderSize + static_cast<std::size_t>(Board.ColCount * Board.RowCount));
  Bytes.push_back(static_cast<std::int8_t>(Board.ColCount));
  Bytes.push_back(static_cast<std::int8_t>(Board.RowCount));
  Bytes.push_back(static_cast<std::int8_t>(Turn.Side));
  Bytes.push_back(static_cast<std::int8_t>(Turn.Level));
  for (int Col = 0; Col < Board.ColCount; ++Col)
    for (int Row = 0; Row < Board.RowCount; ++Row) Bytes.push_back(static_cast<std::int8_t>(Board.Cells[Col][Row]));
  return Bytes;
}

std::optional<game::TThinkRequest> DecodeTurn(std::span<const std::int8_t> Bytes) {
  if (Bytes.size() < HeaderSize) return std::nullopt;
  game::TThinkRequest Turn;
  Turn.Board.ColCount = Bytes[0];
  Turn.Board.RowCount = Bytes[1];
  Turn.Side = Bytes[2];
  if (!BoardSideFits(Turn.Board.ColCount) || !BoardSideFits(Turn.Board.RowCount) || (Turn.Side != 1 && Turn.Side != -1))
    return std::nullopt;
  if (Bytes[3] < 0 || Bytes[3] > static_cast<std::int8_t>(TLevel::Expert)) return std::nullopt;
  Turn.Level = static_cast<TLevel>(Bytes[3]);
  if (Bytes.size() != HeaderSize + static_cast<std::size_t>(Turn.Board.ColCount * Turn.Board.RowCount))
    return std::nullopt;
  std::size_t Next = HeaderSize;
  for (int Col = 0; Col < Turn.Board.ColCount; ++Col)
    for (int Row = 0; Row < Turn.Board.RowCount; ++Row) {
      const int Cell = Bytes[Next++];
      if (Cell < -1 || Cell > 1) return std::nullopt;
      Turn.Board.Cells[Col][Row] = Cell;
    }
  return Turn;
}

}  // namespace quintar::web
