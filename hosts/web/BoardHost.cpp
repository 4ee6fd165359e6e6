#include "BoardHost.h"

namespace quintar::web {

// The board a new element shows is the table's own: a person against the
// computer holding noughts at high, which is what the settings start as. The
// expert thinks in its own module, so the board leaves it out.
TBoardHost::TBoardHost(TBoardListener& Listener)
    : FListener(Listener), FTable(FControl, Listener, game::TThinking::Elsewhere, game::TPhrasebook(), NoExpertHere) {
  FControl.SetHost(this);
  ApplyPlayers();
}

TBoardHost::~TBoardHost() { FControl.SetHost(nullptr); }

void TBoardHost::InvalidateRequested(vcl::TControl&) { FListener.RepaintRequested(); }

// ---- Showing ----------------------------------------------------------------

void TBoardHost::SetSize(int Width, int Height) { FControl.SetBounds(0, 0, Width, Height); }

vcl::TRect TBoardHost::Present() {
  FControl.Update();
  return FControl.TakeChangedArea();
}

// ---- Records ----------------------------------------------------------------

std::string TBoardHost::TakeGame(std::string_view Text, TGameKind Kind) {
  std::string Refused = Kind == TGameKind::Kept ? FTable.RestoreKeptGame(Text) : FTable.OpenRecord(Text);
  if (Refused.empty()) AdoptPlayers();
  return Refused;
}

// ---- Settings ---------------------------------------------------------------

void TBoardHost::ApplyPlayers() {
  const auto Holder = [this](int Side) {
    const bool Computer = FAutoResponse && Side == FComputerSide;
    return game::TPlayer{Computer ? game::TPlayerKind::Computer : game::TPlayerKind::Person, FLevel};
  };
  FTable.SetPlayers(Holder(1), Holder(-1));
}

// The element holds one computer side at one level. A record with the
// computer on both sides (a demonstration elsewhere) is taken as a game
// against the computer holding the side to move, which then waits to be
// asked, as the opened game's computers do.
void TBoardHost::AdoptPlayers() {
  const bool ComputerCrosses = FTable.Player(1).Kind == game::TPlayerKind::Computer;
  const bool ComputerNoughts = FTable.Player(-1).Kind == game::TPlayerKind::Computer;
  FAutoResponse = ComputerCrosses || ComputerNoughts;
  if (FAutoResponse) {
    FComputerSide = ComputerCrosses && ComputerNoughts ? FControl.Turn() : ComputerNoughts ? -1 : 1;
    FLevel = FTable.Player(FComputerSide).Level;
  }
  ApplyPlayers();
}

void TBoardHost::SetAutoResponse(bool Value) {
  FAutoResponse = Value;
  ApplyPlayers();
}

void TBoardHost::SetComputerSide(int Side) {
  FComputerSide = Side == 1 ? 1 : -1;
  ApplyPlayers();
}

void TBoardHost::SetLevel(TLevel Level) {
  FLevel = Level;
  ApplyPlayers();
}

}  // namespace quintar::web
