// Feeds the game-record reader whatever a file might hold, through the game
// session that opens it: a refused file must leave the game in progress
// exactly as it was and say why in one line; a file taken must set the board
// up to its moves, keep the control consistent, and save to a record that
// opens to the same game again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "GameRecord.h"
#include "GameSession.h"
#include "Invariants.h"

namespace {

void Fail(const char* What, const std::string& Detail) {
  std::fprintf(stderr, "%s: %s\n", What, Detail.c_str());
  std::abort();
}

// What of the game a refused file must not change.
struct TGameState {
  std::string Record;
  std::vector<quintar::game::TMoveEntry> Moves;
  bool CanUndo;
  bool CanRedo;
  bool operator==(const TGameState&) const = default;
};

TGameState StateOf(quintar::game::TGameSession& Session) {
  return {Session.SaveRecord(), Session.Moves(), Session.CanUndo(), Session.CanRedo()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  using namespace quintar;
  const std::string_view Text(reinterpret_cast<const char*>(Data), Size);
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  Control.SetColCount(12);
  game::TGameSession Session(Control, [] { return std::int64_t{0}; });
  for (const int Cell : {3, 4, 5}) {
    Control.Move(Cell, Cell + 1);
    Control.Move(Cell + 4, Cell);
  }
  Session.Undo();
  const TGameState Before = StateOf(Session);

  const std::string Refused = Session.OpenRecord(Text);
  if (!Refused.empty()) {
    if (Refused.rfind("line ", 0) != 0 || Refused.find('\n') != std::string::npos)
      Fail("a refusal that is not one line naming a line", Refused);
    if (!(StateOf(Session) == Before)) Fail("a refused file changed the game", Refused);
    return 0;
  }
  if (const std::string Broken = testing::InvariantViolation(Control); !Broken.empty())
    Fail("inconsistent control", Broken);
  const auto Read = game::ReadRecord(Text);
  const game::TRecord& Record = std::get<game::TRecord>(Read);
  if (Session.Moves().size() != Record.Moves.size()) Fail("moves lost on opening", std::to_string(Record.Moves.size()));
  for (std::size_t I = 0; I < Record.Moves.size(); ++I)
    if (Control.Cell(Record.Moves[I].Col, Record.Moves[I].Row) != (I % 2 == 0 ? 1 : -1))
      Fail("a move of the record is not on the board", std::to_string(I));

  const std::string Saved = Session.SaveRecord();
  TQuintar Copy(nullptr);
  game::TGameSession Reopened(Copy);
  if (const std::string Again = Reopened.OpenRecord(Saved); !Again.empty()) Fail("a saved game does not open", Again);
  if (Reopened.SaveRecord() != Saved) Fail("a saved game opens to another game", Saved);
  return 0;
}
