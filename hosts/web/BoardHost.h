// The board a web page shows: one TQuintar on the game table, and the
// element's settings of who plays. The page shows the area Present() names
// from the control's surface, forwards presses, keys and calls to the table,
// and hears back through a TBoardListener: the table's news and the control's
// events with their sentences, repaint requests, and positions to think about
// in its worker.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "GameTable.h"
#include "Level.h"
#include "Quintar.h"

namespace quintar::web {

class TBoardListener : public game::TTableListener {
 public:
  // The control asks for a full repaint; Present() paints and hands it over.
  virtual void RepaintRequested() = 0;
};

class TBoardHost : private vcl::TControlHost {
 public:
  // Who the computer answers with until told otherwise.
  static constexpr int DefaultComputerSide = -1;

  // A new game, a person playing crosses against the computer at high.
  explicit TBoardHost(TBoardListener& Listener);
  ~TBoardHost() override;
  TBoardHost(const TBoardHost&) = delete;
  TBoardHost& operator=(const TBoardHost&) = delete;

  TQuintar& Control() { return FControl; }
  const TQuintar& Control() const { return FControl; }
  game::TGameTable& Table() { return FTable; }
  const game::TGameTable& Table() const { return FTable; }

  // ---- Showing ----------------------------------------------------------

  // In device pixels.
  void SetSize(int Width, int Height);
  // Paints what is due and returns the part of the control drawn since the
  // last call (empty when none), to be shown from the control's surface,
  // whose pixels a page takes as they lie.
  vcl::TRect Present();

  // ---- Records ----------------------------------------------------------

  // A record opened, or the game kept at the last close taken up.
  enum class TGameKind : std::uint8_t { Record, Kept };
  // Sets up the game of a record or kept game, and takes its players as the
  // settings (the computer's side and level, or two people). Returns why the
  // text is not a record it can take, and then changes nothing; empty when
  // taken.
  std::string TakeGame(std::string_view Text, TGameKind Kind);

  // ---- Settings that decide who plays -----------------------------------

  // On: the computer holds ComputerSide() and answers the other side's
  // moves. Off: two people share the board.
  bool AutoResponse() const { return FAutoResponse; }
  void SetAutoResponse(bool Value);
  // 1 crosses, -1 noughts; any other value is taken as noughts.
  int ComputerSide() const { return FComputerSide; }
  void SetComputerSide(int Side);
  TLevel Level() const { return FLevel; }
  void SetLevel(TLevel Level);

 private:
  void InvalidateRequested(vcl::TControl& Control) override;
  // The settings as the table's players.
  void ApplyPlayers();
  // The table's players as the settings.
  void AdoptPlayers();

  TBoardListener& FListener;
  TQuintar FControl{nullptr};
  bool FAutoResponse = true;
  int FComputerSide = DefaultComputerSide;
  TLevel FLevel = TLevel::High;
  game::TGameTable FTable;
};

}  // namespace quintar::web
