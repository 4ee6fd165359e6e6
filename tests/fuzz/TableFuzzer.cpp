// Drives the game table through every operation a face forwards, on the
// board a web page shows, with operations decoded from the input: every
// attribute the element forwards, written with any value its text can give;
// moves, presses and the keyboard's cell anywhere; new games, board sizes,
// undo, redo, going to any move, hints and "computer moves now"; records
// opened, saved and kept; the pace of demonstrations kept; and the worker's
// answers, right or wrong, to requests old and current, in any order. After
// every operation the game must hold together: the control is consistent, the
// board holds exactly the moves of the history with the sides alternating, a
// finished game has a result and takes no further move, and the computer
// holds the side the settings give it.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "BoardHost.h"
#include "ElementAttributes.h"
#include "FuzzInput.h"
#include "Invariants.h"
#include "Registry.h"
#include "Rules.h"

namespace quintar::fuzz {
namespace {

using game::TBoardEvent;
using web::TAttributeKind;

// The expert thinking on the page's thread (after an answer that cannot be
// played) costs as much as hundreds of other operations: once per input
// reaches that path without making every input slow.
constexpr int MaxExpertFallbacks = 1;
constexpr std::int64_t MaxQuickArea = 1 << 18;

void Fail(const char* What, const std::string& Detail) {
  std::fprintf(stderr, "%s: %s\n", What, Detail.c_str());
  std::abort();
}

bool SameBoard(const game::TBoardCopy& Left, const game::TBoardCopy& Right) {
  if (Left.ColCount != Right.ColCount || Left.RowCount != Right.RowCount) return false;
  for (int Col = 0; Col < Left.ColCount; ++Col)
    for (int Row = 0; Row < Left.RowCount; ++Row)
      if (Left.Cells[Col][Row] != Right.Cells[Col][Row]) return false;
  return true;
}

enum TOperation : std::uint8_t {
  opAttribute,
  opHeld,
  opMove,
  opPress,
  opNewGame,
  opUndo,
  opRedo,
  opHint,
  opComputerMove,
  opAnswer,
  opOpenRecord,
  opResize,
  opPresent,
  opWords,
  opFocus,
  opBoardSize,
  opGoToMove,
  opContinue,
  opKeep,
  opClickResponse,
  OperationCount
};

// The page: it hears the host as the element does and remembers every
// request to think, so that answers can come late, twice or never.
class TPage final : public web::TBoardListener {
 public:
  TPage() {
    std::srand(0);
    BindAttributes();
  }

  void Run(TFuzzInput& Input) {
    while (!Input.Exhausted()) {
      Perform(Input);
      CheckGame();
    }
  }

 private:
  using TWriter = std::function<void(TFuzzInput&)>;

  // ---- What the host says ---------------------------------------------------

  void EventRaised(TBoardEvent Event, const std::string& Words) override {
    if (Event == TBoardEvent::LegalMove && Words.empty()) Fail("a move without words", "");
    Table().Status();
  }
  void Announced(const std::string& Words) override {
    if (Words.empty()) Fail("an announcement without words", "");
  }
  void Changed() override { Table().Status(); }
  void PaceRequested(int Milliseconds) override {
    if (Milliseconds <= 0) Fail("a pace of no time", std::to_string(Milliseconds));
  }
  void RepaintRequested() override {}
  void ThinkingRequested(std::uint32_t Serial, const game::TThinkRequest& Turn) override {
    const TQuintar& Control = FHost.Control();
    if (Control.GameOver()) Fail("thinking asked for in a finished game", std::to_string(Serial));
    if (Turn.Side != Control.Turn()) Fail("thinking asked for the side not to move", std::to_string(Turn.Side));
    if (!SameBoard(Turn.Board, game::CopyBoard(Control))) Fail("thinking asked for another board", "");
    FAsked.push_back(Serial);
  }

  game::TGameTable& Table() { return FHost.Table(); }

  // ---- Attributes -------------------------------------------------------------

  // Each attribute the element forwards, bound as the module binds its
  // property: the board's counts, lock and players through the host, the
  // control's other settings straight to the control.
  void BindAttributes() {
    const std::map<std::string, TWriter> HostOwned = {
        {"colCount", [this](TFuzzInput& In) { Table().SetColCount(Count(In)); }},
        {"rowCount", [this](TFuzzInput& In) { Table().SetRowCount(Count(In)); }},
        {"lock", [this](TFuzzInput& In) { Table().SetLock(In.Byte() % 2 != 0); }},
        {"autoResponse", [this](TFuzzInput& In) { FHost.SetAutoResponse(In.Byte() % 2 != 0); }},
        {"computerSide", [this](TFuzzInput& In) { FHost.SetComputerSide(In.Around(-2, 2)); }},
        {"playingStrength", [this](TFuzzInput& In) { SetStrengthNamed(In); }},
    };
    for (const web::TElementAttribute& Attribute : web::ElementAttributes()) {
      if (const auto Owned = HostOwned.find(Attribute.Property); Owned != HostOwned.end()) {
        FAttributes.push_back(Owned->second);
        continue;
      }
      const vcl::TPropertyInfo* Property = ControlProperty(Attribute.Property);
      if (!Property || Attribute.Kind == TAttributeKind::Strength || Attribute.Kind == TAttributeKind::Side)
        Fail("an attribute the harness cannot write", Attribute.Attribute);
      FAttributes.push_back([this, Property, Kind = Attribute.Kind](TFuzzInput& In) {
        const std::int64_t Value = Kind == TAttributeKind::Switch ? In.Byte() % 2 : Count(In);
        Property->Set(FHost.Control(), Value);
      });
    }
  }

  static const vcl::TPropertyInfo* ControlProperty(const std::string& ScriptName) {
    for (const vcl::TPropertyInfo& Property : TQuintar::ClassInfo().Properties)
      if (web::PropertyName(Property.Name) == ScriptName) return &Property;
    return nullptr;
  }

  // What a count's text can give once the element has read it: any 32-bit
  // integer, mostly near the board's sizes. Colours take the same.
  static int Count(TFuzzInput& Input) { return Input.Around(-4, 60); }

  // The element hands the strength over by name, as the page wrote it.
  void SetStrengthNamed(TFuzzInput& Input) {
    const std::uint8_t Choice = Input.Byte();
    const std::string Name(Choice < LevelCount ? LevelName(static_cast<TLevel>(Choice)) : Input.Text());
    if (const std::optional<TLevel> Level = game::TGameTable::LevelNamed(Name)) FHost.SetLevel(*Level);
  }

  // ---- Operations -------------------------------------------------------------

  // Every value is read into a local of its own before it is used: the
  // order in which a call's arguments are evaluated differs between
  // compilers, and a saved input must replay the same everywhere.
  void Perform(TFuzzInput& Input) {
    const auto Operation = static_cast<TOperation>(Input.Byte() % OperationCount);
    const bool WasOver = FHost.Control().GameOver();
    const std::vector<game::TMoveEntry> MovesBefore = Table().Session().Moves();
    bool Plays = false;
    switch (Operation) {
      case opAttribute: {
        const std::size_t Which = Input.Byte() % FAttributes.size();
        FAttributes[Which](Input);
        break;
      }
      case opHeld: Table().SetHeld(Input.Byte() % 2 != 0); break;
      case opMove: {
        const int Col = Input.Around(-2, 52);
        const int Row = Input.Around(-2, 52);
        Table().Move(Col, Row);
        Plays = true;
        break;
      }
      case opPress: {
        const auto Button = static_cast<vcl::TMouseButton>(Input.Byte() % 3);
        const vcl::TShiftState Shift(Input.Byte() & 0x7Fu);
        const int X = Input.Around(-20, FHost.Control().Width() + 20);
        const int Y = Input.Around(-20, FHost.Control().Height() + 20);
        Table().Press(Button, Shift, X, Y);
        Plays = true;
        break;
      }
      case opNewGame: Table().NewGame(); break;
      case opUndo: Table().Undo(); break;
      case opRedo: Table().Redo(); break;
      case opHint:
        Table().Hint();
        Plays = true;
        break;
      case opComputerMove:
        Table().ComputerMovesNow();
        Plays = true;
        break;
      case opAnswer:
        Answer(Input);
        Plays = true;
        break;
      case opOpenRecord: {
        const bool Own = Input.Byte() % 2 != 0;
        const std::string Text = Own ? Table().SaveRecord() : std::string(Input.Text());
        const auto Kind = Input.Byte() % 2 != 0 ? web::TBoardHost::TGameKind::Kept : web::TBoardHost::TGameKind::Record;
        const std::string Refused = FHost.TakeGame(Text, Kind);
        if (Own && !Refused.empty()) Fail("the board's own record refused", Refused);
        break;
      }
      case opResize: {
        const int Width = Input.Around(-5, 200);
        const int Height = Input.Around(-5, 200);
        FHost.SetSize(Width, Height);
        // The clamp to the largest surface has been met; painting one that
        // size over and over would only make the input slow.
        if (std::int64_t{FHost.Control().Width()} * FHost.Control().Height() > MaxQuickArea) FHost.SetSize(64, 64);
        break;
      }
      case opPresent: Present(); break;
      case opWords:
        Table().FocusWords();
        Table().PlayersWords();
        Table().MoveLineWords();
        Table().WouldDiscardGame();
        break;
      case opFocus: {
        const int Cols = Input.Around(-3, 3);
        const int Rows = Input.Around(-3, 3);
        Table().MoveFocus(Cols, Rows);
        if (Input.Byte() % 2 != 0) Table().PlayFocusCell();
        Plays = true;
        break;
      }
      case opBoardSize: {
        const int Cols = Count(Input);
        const int Rows = Count(Input);
        Table().SetBoardSize(Cols, Rows);
        break;
      }
      case opGoToMove: Table().GoToMove(Input.Byte()); break;
      case opContinue: Table().Continue(); break;
      case opKeep: {
        const std::string Kept = Table().GameToKeep();
        if (Input.Byte() % 2 != 0) Table().Saved(Input.Text());
        if (!Kept.empty() && !Table().RestoreKeptGame(Kept).empty()) Fail("the game kept cannot be taken up", Kept);
        break;
      }
      case opClickResponse: Table().SetClickResponse(Input.Byte() % 2 != 0); break;
      case OperationCount: break;
    }
    // Play in a finished game changes nothing until a new game, an undo or a
    // record starts another.
    if (Plays && WasOver && Table().Session().Moves() != MovesBefore) Fail("a finished game took a move", "");
    if (const std::optional<vcl::TPoint> Hint = Table().HintCell(); Hint && FHost.Control().Cell(Hint->X, Hint->Y) != 0)
      Fail("a hint at a taken cell", "");
    const vcl::TPoint Focus = Table().FocusCell();
    if (!OnBoard(FHost.Control().ColCount(), FHost.Control().RowCount(), Focus.X, Focus.Y))
      Fail("the keyboard's cell off the board", "");
  }

  // An answer from the worker: to any request asked so far, or to none, with
  // the cell it found, a cell that cannot be played, or nothing at all.
  void Answer(TFuzzInput& Input) {
    const std::uint8_t Which = Input.Byte();
    const std::uint32_t Serial =
        FAsked.empty() || Which == 0xFF ? static_cast<std::uint32_t>(Input.AnyInt()) : FAsked[Which % FAsked.size()];
    std::optional<vcl::TPoint> Cell;
    switch (Input.Byte() % 4) {
      case 0: break;
      case 1: {
        const int Col = Input.Around(-2, 52);
        const int Row = Input.Around(-2, 52);
        Cell = vcl::TPoint{Col, Row};
        break;
      }
      default: Cell = EmptyCell(Input.Byte()); break;
    }
    if (!Playable(Cell)) {
      if (FExpertFallbacks == MaxExpertFallbacks)
        Cell = EmptyCell(0);
      else
        ++FExpertFallbacks;
    }
    Table().Answer(Serial, Cell);
  }

  bool Playable(std::optional<vcl::TPoint> Cell) const {
    const TQuintar& Control = FHost.Control();
    return Cell && Cell->X >= 0 && Cell->X < Control.ColCount() && Cell->Y >= 0 && Cell->Y < Control.RowCount() &&
           Control.Cell(Cell->X, Cell->Y) == 0;
  }

  // The first empty cell from the Skip-th on, in reading order; nothing on a
  // full board.
  std::optional<vcl::TPoint> EmptyCell(int Skip) const {
    const TQuintar& Control = FHost.Control();
    const int Cells = Control.ColCount() * Control.RowCount();
    for (int I = 0; I < Cells; ++I) {
      const int At = (Skip + I) % Cells;
      const vcl::TPoint Cell{At % Control.ColCount(), At / Control.ColCount()};
      if (Control.Cell(Cell.X, Cell.Y) == 0) return Cell;
    }
    return std::nullopt;
  }

  void Present() {
    const vcl::TRect Area = FHost.Present();
    if (Area.IsEmpty()) return;
    const TQuintar& Control = FHost.Control();
    if (Area.Left < 0 || Area.Top < 0 || Area.Right > Control.Width() || Area.Bottom > Control.Height())
      Fail("an area drawn outside the board", "");
  }

  // ---- The game holds together ---------------------------------------------

  void CheckGame() {
    TQuintar& Control = FHost.Control();
    if (const std::string Broken = testing::InvariantViolation(Control); !Broken.empty())
      Fail("inconsistent control", Broken);
    const std::vector<game::TMoveEntry>& Moves = Table().Session().Moves();
    int Marks = 0;
    for (int Col = 0; Col < Control.ColCount(); ++Col)
      for (int Row = 0; Row < Control.RowCount(); ++Row) Marks += Control.Cell(Col, Row) != 0;
    if (static_cast<std::size_t>(Marks) != Moves.size()) Fail("the history misses marks", std::to_string(Marks));
    for (std::size_t I = 0; I < Moves.size(); ++I) {
      const int Side = I % 2 == 0 ? 1 : -1;
      if (Moves[I].Side != Side) Fail("the sides do not alternate", std::to_string(I));
      if (Control.Cell(Moves[I].Cell.X, Moves[I].Cell.Y) != Side) Fail("a move of the history is not on the board", "");
    }
    if (Table().Session().Result().has_value() != Control.GameOver()) Fail("a result without the game over", "");
    CheckPlayers();
  }

  // The computer holds the side the settings give it, at their level, and
  // nothing else; without it two people play.
  void CheckPlayers() {
    if (FHost.ComputerSide() != 1 && FHost.ComputerSide() != -1) Fail("no side for the computer", "");
    for (const int Side : {1, -1}) {
      const game::TPlayer Player = Table().Player(Side);
      const bool Computer = FHost.AutoResponse() && Side == FHost.ComputerSide();
      if ((Player.Kind == game::TPlayerKind::Computer) != Computer) Fail("the computer on the wrong side", "");
      if (Player.Level != FHost.Level()) Fail("a player at another level", "");
    }
  }

  std::vector<TWriter> FAttributes;
  // The serial of every request to think, in the order asked.
  std::vector<std::uint32_t> FAsked;
  int FExpertFallbacks = 0;
  // Last: the host may call the page while it is made.
  web::TBoardHost FHost{*this};
};

}  // namespace
}  // namespace quintar::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  quintar::fuzz::TFuzzInput Input(Data, Size);
  quintar::fuzz::TPage Page;
  Page.Run(Input);
  return 0;
}
