// The module a page loads: the board as the class Board, the Thinker a worker
// thinks with, and seed(). Cells cross to the page counted from 1, as Move
// takes them, and come back the same way; pixels are the control's, which
// are the canvas's device pixels. The element's attributes are not here: the
// build writes them into attributes.js (see PrintAttributes.cpp).
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdlib>
#include <span>
#include <vector>

#include "BoardHost.h"
#include "ComputerThinker.h"
#include "TurnMessage.h"

namespace quintar::web {
namespace {

using emscripten::val;

val CellValue(std::optional<vcl::TPoint> Cell) {
  if (!Cell) return val::null();
  val Value = val::object();
  Value.set("col", Cell->X + 1);
  Value.set("row", Cell->Y + 1);
  return Value;
}

std::optional<vcl::TPoint> CellOf(const val& Value) {
  if (!Value.isNull() && !Value.isUndefined() && Value["col"].isNumber() && Value["row"].isNumber())
    return vcl::TPoint{Value["col"].as<int>() - 1, Value["row"].as<int>() - 1};
  return std::nullopt;
}

// A board whose listener is an object of the page's, with the methods
// event(index, words), repaint(), think(serial, bytes), hint(cell or null,
// words) and said(words).
// think() must copy the bytes before it returns: they live only that long.
class TPageBoard final : public TBoardListener {
 public:
  explicit TPageBoard(val Page) : FPage(std::move(Page)) {}

  TBoardHost& Host() { return FHost; }
  const TBoardHost& Host() const { return FHost; }

  void SetSize(int Width, int Height) { FHost.SetSize(Width, Height); }
  // Null, or { left, top, width, height, pixels }: the area to draw anew,
  // its RGBA bytes a view that lasts until the next call into the module.
  val Present();
  // Any button past the middle one is not a board press.
  void Press(int Button, int Shift, int X, int Y);
  void Answer(std::uint32_t Serial, const val& Cell) { FHost.Answer(Serial, CellOf(Cell)); }
  // "cross", "nought" or "".
  std::string MarkAt(int Col, int Row) const;
  // The cell a press at device pixel (X, Y) plays, or null.
  val CellAt(int X, int Y) const;
  // Null, or { left, top, right, bottom }: the device pixels whose presses
  // play the cell, right and bottom exclusive.
  val CellBounds(int Col, int Row) const;
  val LastMove() const;
  std::string Players() const { return FHost.Players(); }
  // The sentence of each move on the board, in order.
  val MoveWords();
  std::string SaveRecord() { return FHost.SaveRecord(); }
  // Empty when the record was taken, else why not.
  std::string OpenRecord(const std::string& Text) { return FHost.OpenRecord(Text); }
  val WinCells() const;
  std::string PlayingStrength() const { return std::string(LevelName(FHost.Level())); }
  bool SetPlayingStrength(const std::string& Name);

 private:
  void EventRaised(TBoardEvent Event, const std::string& Words) override {
    FPage.call<void>("event", static_cast<int>(Event), Words);
  }
  void RepaintRequested() override { FPage.call<void>("repaint"); }
  void ThinkingRequested(std::uint32_t Serial, const game::TThinkRequest& Turn) override {
    const TTurnBytes Bytes = EncodeTurn(Turn);
    FPage.call<void>("think", Serial, val(emscripten::typed_memory_view(Bytes.size(), Bytes.data())));
  }
  void HintFound(std::optional<vcl::TPoint> Cell, const std::string& Words) override {
    FPage.call<void>("hint", CellValue(Cell), Words);
  }
  void Said(const std::string& Words) override { FPage.call<void>("said", Words); }

  val FPage;
  TBoardHost FHost{*this};
};

val TPageBoard::Present() {
  const vcl::TRect Area = FHost.Present();
  if (Area.IsEmpty()) return val::null();
  const std::vector<std::uint32_t>& Pixels = FHost.AreaPixels();
  val Value = val::object();
  Value.set("left", Area.Left);
  Value.set("top", Area.Top);
  Value.set("width", Area.Right - Area.Left);
  Value.set("height", Area.Bottom - Area.Top);
  Value.set("pixels", val(emscripten::typed_memory_view(Pixels.size() * sizeof(std::uint32_t),
                                                        reinterpret_cast<const std::uint8_t*>(Pixels.data()))));
  return Value;
}

void TPageBoard::Press(int Button, int Shift, int X, int Y) {
  if (Button < vcl::mbLeft || Button > vcl::mbMiddle) return;
  FHost.Press(static_cast<vcl::TMouseButton>(Button), vcl::TShiftState(static_cast<unsigned>(Shift) & 0x7Fu), X, Y);
}

std::string TPageBoard::MarkAt(int Col, int Row) const {
  const int Mark = FHost.Control().Cell(Col - 1, Row - 1);
  return Mark == 1 ? "cross" : Mark == -1 ? "nought" : "";
}

val TPageBoard::CellAt(int X, int Y) const {
  const vcl::TPoint Cell = FHost.Control().CellAt(X, Y);
  return CellValue(Cell == TQuintar::NoCell ? std::nullopt : std::optional(Cell));
}

val TPageBoard::CellBounds(int Col, int Row) const {
  const vcl::TRect Bounds = FHost.Control().CellBounds(Col - 1, Row - 1);
  if (Bounds.IsEmpty()) return val::null();
  val Value = val::object();
  Value.set("left", Bounds.Left);
  Value.set("top", Bounds.Top);
  Value.set("right", Bounds.Right);
  Value.set("bottom", Bounds.Bottom);
  return Value;
}

val TPageBoard::LastMove() const {
  const vcl::TPoint Last = FHost.Control().LastMove();
  return CellValue(Last == TQuintar::NoCell ? std::nullopt : std::optional(Last));
}

val TPageBoard::MoveWords() {
  val Words = val::array();
  for (const std::string& Move : FHost.MoveWords()) Words.call<void>("push", Move);
  return Words;
}

val TPageBoard::WinCells() const {
  val Cells = val::array();
  if (FHost.Control().WinFound())
    for (const vcl::TPoint Cell : FHost.Control().WinCells()) Cells.call<void>("push", CellValue(Cell));
  return Cells;
}

bool TPageBoard::SetPlayingStrength(const std::string& Name) {
  const std::optional<TLevel> Level = LevelNamed(Name);
  if (Level) FHost.SetLevel(*Level);
  return Level.has_value();
}

// Reading and writing a property of the control, or of the host.
template <auto Reader>
auto ControlValue(const TPageBoard& Board) {
  return (Board.Host().Control().*Reader)();
}
template <auto Writer, typename TValue>
void SetControlValue(TPageBoard& Board, TValue Value) {
  (Board.Host().Control().*Writer)(Value);
}
template <auto Reader>
auto HostValue(const TPageBoard& Board) {
  return (Board.Host().*Reader)();
}
template <auto Writer, typename TValue>
void SetHostValue(TPageBoard& Board, TValue Value) {
  (Board.Host().*Writer)(Value);
}
template <auto Operation>
auto HostCall(TPageBoard& Board) {
  return (Board.Host().*Operation)();
}

// What a worker thinks with: a turn as TurnMessage bytes in, the cell out,
// or null when the bytes are no turn or no cell is empty.
class TPageThinker {
 public:
  val Think(const val& Bytes) {
    const std::vector<std::int8_t> Copy = emscripten::convertJSArrayToNumberVector<std::int8_t>(Bytes);
    const std::optional<game::TThinkRequest> Turn = DecodeTurn(Copy);
    return CellValue(Turn ? FThinker.Think(*Turn) : std::nullopt);
  }

 private:
  game::TComputerThinker FThinker;
};

// The control seeds the generator from the clock when it is made; a page
// (or a test) that wants the same computer moves every time seeds it after.
void Seed(unsigned Value) { std::srand(Value); }

}  // namespace

EMSCRIPTEN_BINDINGS(quintar_board) {
  using emscripten::class_;
  class_<TPageBoard>("Board")
      .constructor<val>()
      .function("setSize", &TPageBoard::SetSize)
      .function("present", &TPageBoard::Present)
      .function("press", &TPageBoard::Press)
      .function(
          "move", +[](TPageBoard& Board, int Col, int Row) { Board.Host().Move(Col, Row); })
      .function("newGame", &HostCall<&TBoardHost::NewGame>)
      .function("computerMove", &HostCall<&TBoardHost::ComputerMove>)
      .function("undo", &HostCall<&TBoardHost::Undo>)
      .function("redo", &HostCall<&TBoardHost::Redo>)
      .function("canUndo", &HostCall<&TBoardHost::CanUndo>)
      .function("canRedo", &HostCall<&TBoardHost::CanRedo>)
      .function("hint", &HostCall<&TBoardHost::Hint>)
      .function("answer", &TPageBoard::Answer)
      .function("computerToMove", &HostCall<&TBoardHost::ComputerToMove>)
      .function("lastMoveByComputer", &HostCall<&TBoardHost::LastMoveByComputer>)
      .function("cell", &TPageBoard::MarkAt)
      .function(
          "cellWords", +[](const TPageBoard& Board, int Col, int Row) { return Board.Host().CellWords(Col, Row); })
      .function("cellAt", &TPageBoard::CellAt)
      .function("cellBounds", &TPageBoard::CellBounds)
      .function("status", &HostCall<&TBoardHost::Status>)
      .function("players", &TPageBoard::Players)
      .function("moveWords", &TPageBoard::MoveWords)
      .function("saveRecord", &TPageBoard::SaveRecord)
      .function("openRecord", &TPageBoard::OpenRecord)
      .function("lastMove", &TPageBoard::LastMove)
      .function("winCells", &TPageBoard::WinCells)
      .function("setPlayingStrength", &TPageBoard::SetPlayingStrength)
      .property("playingStrength", &TPageBoard::PlayingStrength)
      .property("turn", &ControlValue<&TQuintar::Turn>)
      .property("gameOver", &ControlValue<&TQuintar::GameOver>)
      .property("color", &ControlValue<&TQuintar::Color>, &SetControlValue<&TQuintar::SetColor, vcl::TColor>)
      .property("gridLineColor", &ControlValue<&TQuintar::GridLineColor>,
                &SetControlValue<&TQuintar::SetGridLineColor, vcl::TColor>)
      .property("crossColor", &ControlValue<&TQuintar::CrossColor>,
                &SetControlValue<&TQuintar::SetCrossColor, vcl::TColor>)
      .property("noughtColor", &ControlValue<&TQuintar::NoughtColor>,
                &SetControlValue<&TQuintar::SetNoughtColor, vcl::TColor>)
      .property("highlightColor", &ControlValue<&TQuintar::HighlightColor>,
                &SetControlValue<&TQuintar::SetHighlightColor, vcl::TColor>)
      .property("quintarColor", &ControlValue<&TQuintar::QuintarColor>,
                &SetControlValue<&TQuintar::SetQuintarColor, vcl::TColor>)
      .property("colCount", &ControlValue<&TQuintar::ColCount>, &SetHostValue<&TBoardHost::SetColCount, int>)
      .property("rowCount", &ControlValue<&TQuintar::RowCount>, &SetHostValue<&TBoardHost::SetRowCount, int>)
      .property("clickResponse", &ControlValue<&TQuintar::ClickResponse>,
                &SetControlValue<&TQuintar::SetClickResponse, bool>)
      .property("lock", &ControlValue<&TQuintar::Lock>, &SetHostValue<&TBoardHost::SetLock, bool>)
      .property("showHighlight", &ControlValue<&TQuintar::ShowHighlight>,
                &SetControlValue<&TQuintar::SetShowHighlight, bool>)
      .property("showQuintar", &ControlValue<&TQuintar::ShowQuintar>, &SetControlValue<&TQuintar::SetShowQuintar, bool>)
      .property("autoResponse", &HostValue<&TBoardHost::AutoResponse>,
                &SetHostValue<&TBoardHost::SetAutoResponse, bool>)
      .property("computerSide", &HostValue<&TBoardHost::ComputerSide>, &SetHostValue<&TBoardHost::SetComputerSide, int>)
      .property("held", &HostValue<&TBoardHost::Held>, &SetHostValue<&TBoardHost::SetHeld, bool>);

  class_<TPageThinker>("Thinker").constructor<>().function("think", &TPageThinker::Think);

  emscripten::function("seed", &Seed);
}

}  // namespace quintar::web
