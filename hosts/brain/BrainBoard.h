// The brain's side of a game: a board of its own stones and its opponent's,
// and the component's opponent choosing the brain's next stone on it.
//
// The protocol names stones by owner, not by colour. The side to move is
// crosses when both sides have as many stones and noughts otherwise, so the
// brain's own stones are that side when it is asked for a move.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "Expert.h"
#include "Level.h"
#include "MoveChooser.h"
#include "Opponent.h"
#include "Rules.h"
#include "Types.h"

namespace quintar::brain {

enum class TStone : std::uint8_t { Empty, Own, Opponent };

// A position, copied freely: the board being set up by BOARD is one while the
// position in play stays untouched until DONE.
class TBrainBoard {
 public:
  static constexpr int MinSide = MinBoardSide;
  static constexpr int MaxSide = MaxBoardSide;

  // An empty board of Width x Height; both must lie in MinSide..MaxSide.
  void Reset(int Width, int Height);
  // No board exists before the first Reset.
  bool Started() const { return FWidth > 0; }
  bool Empty() const { return FOwnCount + FOpponentCount == 0; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool OnBoard(int X, int Y) const { return quintar::OnBoard(FWidth, FHeight, X, Y); }

  // X, Y must lie on the board.
  TStone At(int X, int Y) const { return FCells[X][Y]; }
  void Put(int X, int Y, TStone Stone);

  // 1 when the brain's stones are crosses, -1 when they are noughts.
  int OwnSide() const { return FOwnCount == FOpponentCount ? 1 : -1; }
  // The board as the opponent reads it: 1 crosses, -1 noughts.
  void FillMarks(int (&Marks)[MaxBoardSide][MaxBoardSide]) const;
  // Whether either side has five in a row: the game is over.
  bool HasFive() const;

 private:
  int FWidth = 0;
  int FHeight = 0;
  int FOwnCount = 0;
  int FOpponentCount = 0;
  TStone FCells[MaxBoardSide][MaxBoardSide] = {};
};

// The computer's levels on the brain's board: the control's three strengths
// with the same procedure and the same two draws from the process-wide
// generator as its computer move, or the expert search.
class TBrainOpponent {
 public:
  TBrainOpponent(TLevel Level, std::uint64_t Seed);

  TLevel Level() const { return FLevel; }
  void SetLevel(TLevel Level) { FLevel = Level; }
  // The memory the expert may take, in bytes; 0 for its usual size.
  void LimitMemory(std::size_t Bytes) { FChooser.LimitExpertMemory(Bytes); }
  void SetThreatDefence(const TThreatDefence& Defence) { FChooser.SetExpertThreatDefence(Defence); }

  // The cell chosen for the brain's side; nothing when no cell is empty.
  // ExpertBudget is what the expert may spend.
  std::optional<vcl::TPoint> Choose(const TBrainBoard& Board, const TSearchBudget& ExpertBudget);

 private:
  TLevel FLevel;
  TMoveChooser FChooser;
};

}  // namespace quintar::brain
