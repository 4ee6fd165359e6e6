// The module a page loads: the board as the class Board, the Thinker the
// expert's worker thinks with, and seed(). Analysis and review have a module
// of their own (AnalysisBindings.cpp), which only their workers load. Cells
// cross to the page counted from 1, as Move takes them, and come back the
// same way; pixels are the control's, which are the canvas's device pixels. The element's attributes are not here: the
// build writes them into attributes.js (see PrintAttributes.cpp).
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdlib>
#include <span>
#include <vector>

#include "BoardHost.h"
#include "BoardLayout.h"
#include "ComputerThinker.h"
#include "PageValues.h"

namespace quintar::web {
namespace {

using emscripten::val;

std::optional<vcl::TPoint> CellOf(const val& Value) {
  if (!Value.isNull() && !Value.isUndefined() && Value["col"].isNumber() && Value["row"].isNumber())
    return vcl::TPoint{Value["col"].as<int>() - 1, Value["row"].as<int>() - 1};
  return std::nullopt;
}

// ---- Reports and reviews as plain data for the page --------------------------

// The names the page reads the expert's and the review's verdicts by, in the
// order of their enumerations.
constexpr const char* StandingNames[] = {"even", "ahead", "well-ahead", "winning"};
constexpr const char* OutcomeNames[] = {"unproven", "win", "loss"};
constexpr const char* JudgementNames[] = {"best", "good", "inaccuracy", "mistake", "missed-win", "win-let-through"};
static_assert(std::size(JudgementNames) == game::JudgementCount);

const char* MarkName(int Side) { return Side == 1 ? "cross" : "nought"; }

val Strings(const std::vector<std::string>& Texts) {
  val Array = val::array();
  for (const std::string& Text : Texts) Array.call<void>("push", Text);
  return Array;
}

val CandidateValue(const TCandidateLine& Candidate) {
  val Value = CellValue(vcl::TPoint{Candidate.Cell.Col, Candidate.Cell.Row});
  Value.set("advantage", Candidate.Advantage.Value);
  Value.set("standing", StandingNames[Candidate.Advantage.Standing]);
  Value.set("outcome", OutcomeNames[Candidate.Outcome]);
  Value.set("movesToFive", Candidate.MovesToFive);
  val Line = val::array();
  for (const TBoardCell& Cell : Candidate.Line) Line.call<void>("push", CellValue(vcl::TPoint{Cell.Col, Cell.Row}));
  Value.set("line", Line);
  Value.set("byFours", Candidate.ByFours);
  return Value;
}

// The table's latest report with its words, or null.
val AnalysisValue(const game::TGameTable& Table) {
  const std::optional<TAnalysis>& Report = Table.Analysis();
  if (!Report) return val::null();
  val Value = val::object();
  Value.set("turn", MarkName(Report->Turn));
  Value.set("depth", Report->Depth);
  Value.set("nodes", static_cast<double>(Report->Nodes));
  Value.set("settled", Report->Settled);
  val Lines = val::array();
  for (const TCandidateLine& Candidate : Report->Lines) Lines.call<void>("push", CandidateValue(Candidate));
  Value.set("lines", Lines);
  Value.set("words", Table.AnalysisWords());
  Value.set("candidates", Strings(Table.CandidateWords()));
  return Value;
}

// The review of the game on the board with its words, or null.
val ReviewValue(const game::TGameTable& Table) {
  const std::optional<game::TReview> Review = Table.Review();
  if (!Review) return val::null();
  const std::vector<std::string> Words = Table.ReviewWords();
  val Moves = val::array();
  for (std::size_t Index = 0; Index < Review->Moves.size(); ++Index) {
    const game::TMoveReview& Move = Review->Moves[Index];
    val Value = CellValue(Move.Cell);
    Value.set("side", MarkName(Move.Side));
    Value.set("judgement", JudgementNames[static_cast<std::size_t>(Move.Judgement)]);
    Value.set("better", CellValue(Move.Better));
    Value.set("words", Words[Index]);
    Moves.call<void>("push", Value);
  }
  val Value = val::object();
  Value.set("moves", Moves);
  Value.set("summary", Strings({Words.end() - 2, Words.end()}));
  return Value;
}

// A board whose listener is an object of the page's, with the methods
// event(index, words), announce(words), changed(), think(serial, bytes),
// pace(milliseconds), repaint(), analyse(serial, bytes or null: stop) and
// analysisChanged().
// think() and analyse() must copy the bytes before they return: they live
// only that long.
class TPageBoard final : public TBoardListener {
 public:
  explicit TPageBoard(val Page) : FPage(std::move(Page)) {}

  TBoardHost& Host() { return FHost; }
  const TBoardHost& Host() const { return FHost; }
  game::TGameTable& Table() { return FHost.Table(); }
  const game::TGameTable& Table() const { return FHost.Table(); }

  void SetSize(int Width, int Height) { FHost.SetSize(Width, Height); }
  // Null, or { left, top, width, height, pixels }: the area to draw anew,
  // its RGBA bytes a view that lasts until the next call into the module.
  val Present();
  // Any button past the middle one is not a board press.
  void Press(int Button, int Shift, int X, int Y);
  void Answer(std::uint32_t Serial, const val& Cell) { Table().Answer(Serial, CellOf(Cell)); }
  // "cross", "nought" or "".
  std::string MarkAt(int Col, int Row) const;
  // The cell a press at device pixel (X, Y) plays, or null.
  val CellAt(int X, int Y) const;
  // Null, or { left, top, right, bottom }: the device pixels whose presses
  // play the cell, right and bottom exclusive.
  val CellBounds(int Col, int Row) const;
  val LastMove() const;
  // The sentence of each move on the board, in order.
  val MoveWords() const;
  val WinCells() const;
  val FocusCell() const { return CellValue(Table().FocusCell()); }
  // A report (an Int32Array from the analysing worker) for request Serial;
  // one that is no report is dropped, as one for a position gone is.
  void AnalysisReported(std::uint32_t Serial, const val& Numbers);
  // The game on the board to review, as an Int32Array view to copy at once.
  val ReviewRequest();
  // The review (an Int32Array from the reviewing worker) of the game Request
  // (as ReviewRequest gave it); false when either is not what it claims.
  bool Reviewed(const val& Request, const val& Review);
  val HintCell() const { return CellValue(Table().HintCell()); }
  std::string PlayingStrength() const { return std::string(game::TGameTable::LevelName(FHost.Level())); }
  bool SetPlayingStrength(const std::string& Name);

 private:
  void EventRaised(game::TBoardEvent Event, const std::string& Words) override {
    FPage.call<void>("event", static_cast<int>(Event), Words);
  }
  void Announced(const std::string& Words) override { FPage.call<void>("announce", Words); }
  void Changed() override { FPage.call<void>("changed"); }
  void RepaintRequested() override { FPage.call<void>("repaint"); }
  void ThinkingRequested(std::uint32_t Serial, const game::TThinkRequest& Turn) override {
    const TTurnBytes Bytes = EncodeTurn(Turn);
    FPage.call<void>("think", Serial, val(emscripten::typed_memory_view(Bytes.size(), Bytes.data())));
  }
  void PaceRequested(int Milliseconds) override { FPage.call<void>("pace", Milliseconds); }
  void AnalysisRequested(std::uint32_t Serial, const std::optional<game::TThinkRequest>& Position) override {
    if (!Position) {
      FPage.call<void>("analyse", Serial, val::null());
      return;
    }
    const TTurnBytes Bytes = EncodeTurn(*Position);
    FPage.call<void>("analyse", Serial, NumbersView(Bytes));
  }
  void AnalysisChanged() override { FPage.call<void>("analysisChanged"); }

  val FPage;
  TBoardHost FHost{*this};
  TMessageNumbers FReviewRequest;
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
  Table().Press(static_cast<vcl::TMouseButton>(Button), vcl::TShiftState(static_cast<unsigned>(Shift) & 0x7Fu), X, Y);
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

val TPageBoard::MoveWords() const {
  const std::vector<std::string> Line = Table().MoveLineWords();
  val Words = val::array();
  for (std::size_t Index = 0; Index < Table().MovesMade(); ++Index) Words.call<void>("push", Line[Index]);
  return Words;
}

val TPageBoard::WinCells() const {
  val Cells = val::array();
  if (FHost.Control().WinFound())
    for (const vcl::TPoint Cell : FHost.Control().WinCells()) Cells.call<void>("push", CellValue(Cell));
  return Cells;
}

void TPageBoard::AnalysisReported(std::uint32_t Serial, const val& Numbers) {
  const std::optional<TMessageNumbers> Message = NumbersOf(Numbers);
  if (const std::optional<TAnalysis> Report = Message ? DecodeAnalysis(*Message) : std::nullopt)
    Table().AnalysisReported(Serial, *Report);
}

val TPageBoard::ReviewRequest() {
  FReviewRequest = EncodeReviewRequest(Table().ReviewRequest());
  return NumbersView(FReviewRequest);
}

bool TPageBoard::Reviewed(const val& Request, const val& Review) {
  const std::optional<TMessageNumbers> RequestMessage = NumbersOf(Request);
  const std::optional<TMessageNumbers> ReviewMessage = NumbersOf(Review);
  if (!RequestMessage || !ReviewMessage) return false;
  const std::optional<game::TReviewRequest> Game = DecodeReviewRequest(*RequestMessage);
  const std::optional<game::TReview> Judged = DecodeReview(*ReviewMessage);
  if (!Game || !Judged || Judged->Moves.size() > Game->Moves.size()) return false;
  Table().Reviewed(*Game, *Judged);
  return true;
}

bool TPageBoard::SetPlayingStrength(const std::string& Name) {
  const std::optional<TLevel> Level = game::TGameTable::LevelNamed(Name);
  if (Level) FHost.SetLevel(*Level);
  return Level.has_value();
}

// Reading and writing a property of the control, the table or the host.
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
template <auto Writer, typename TValue>
void SetTableValue(TPageBoard& Board, TValue Value) {
  (Board.Table().*Writer)(Value);
}
template <auto Operation>
auto TableCall(TPageBoard& Board) {
  return (Board.Table().*Operation)();
}
template <auto Query>
auto TableQuery(const TPageBoard& Board) {
  return (Board.Table().*Query)();
}

// What the expert's worker thinks with: a turn as TurnMessage bytes in, the
// cell out, or null when the bytes are no turn or no cell is empty.
class TPageThinker {
 public:
  val Think(const val& Bytes) {
    const std::optional<game::TThinkRequest> Turn = TurnOf(Bytes);
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
          "move", +[](TPageBoard& Board, int Col, int Row) { Board.Table().Move(Col, Row); })
      .function("newGame", &TableCall<&game::TGameTable::NewGame>)
      .function("computerMove", &TableCall<&game::TGameTable::ComputerMovesNow>)
      .function("undo", &TableCall<&game::TGameTable::Undo>)
      .function("redo", &TableCall<&game::TGameTable::Redo>)
      .function("canUndo", &TableQuery<&game::TGameTable::CanUndo>)
      .function("canRedo", &TableQuery<&game::TGameTable::CanRedo>)
      .function("hint", &TableCall<&game::TGameTable::Hint>)
      .function("analysisReported", &TPageBoard::AnalysisReported)
      .function(
          "analysis", +[](const TPageBoard& Board) { return AnalysisValue(Board.Table()); })
      .function("reviewRequest", &TPageBoard::ReviewRequest)
      .function("reviewed", &TPageBoard::Reviewed)
      .function(
          "review", +[](const TPageBoard& Board) { return ReviewValue(Board.Table()); })
      .function("hintPending", &TableQuery<&game::TGameTable::HintPending>)
      .function("hintCell", &TPageBoard::HintCell)
      .function("answer", &TPageBoard::Answer)
      .function("keepPace", &TableCall<&game::TGameTable::Continue>)
      .function("computerToMove", &TableQuery<&game::TGameTable::ComputerToMove>)
      .function("lastMoveByComputer", &TableQuery<&game::TGameTable::LastMoveByComputer>)
      .function("wouldDiscardGame", &TableQuery<&game::TGameTable::WouldDiscardGame>)
      .function("cell", &TPageBoard::MarkAt)
      .function("cellAt", &TPageBoard::CellAt)
      .function("cellBounds", &TPageBoard::CellBounds)
      .function("focusCell", &TPageBoard::FocusCell)
      .function(
          "moveFocus", +[](TPageBoard& Board, int Cols, int Rows) { Board.Table().MoveFocus(Cols, Rows); })
      .function(
          "setFocusCell",
          +[](TPageBoard& Board, int Col, int Row) {
            Board.Table().SetFocusCell({Col - 1, Row - 1});
          })
      .function("focusWords", &TableQuery<&game::TGameTable::FocusWords>)
      .function("playFocusCell", &TableCall<&game::TGameTable::PlayFocusCell>)
      .function("status", &TableQuery<&game::TGameTable::Status>)
      .function("players", &TableQuery<&game::TGameTable::PlayersWords>)
      .function("moveWords", &TPageBoard::MoveWords)
      .function("saveRecord", &TableQuery<&game::TGameTable::SaveRecord>)
      .function(
          "saved", +[](TPageBoard& Board, const std::string& Name) { Board.Table().Saved(Name); })
      .function(
          "openRecord", +[](TPageBoard& Board, const std::string& Text) { return Board.Host().OpenRecord(Text); })
      .function(
          "restoreKeptGame",
          +[](TPageBoard& Board, const std::string& Text) { return Board.Table().RestoreKeptGame(Text); })
      .function("gameToKeep", &TableQuery<&game::TGameTable::GameToKeep>)
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
      .property("colCount", &ControlValue<&TQuintar::ColCount>, &SetTableValue<&game::TGameTable::SetColCount, int>)
      .property("rowCount", &ControlValue<&TQuintar::RowCount>, &SetTableValue<&game::TGameTable::SetRowCount, int>)
      .property("clickResponse", &ControlValue<&TQuintar::ClickResponse>,
                &SetTableValue<&game::TGameTable::SetClickResponse, bool>)
      .property("lock", &ControlValue<&TQuintar::Lock>, &SetTableValue<&game::TGameTable::SetLock, bool>)
      .property("showHighlight", &ControlValue<&TQuintar::ShowHighlight>,
                &SetControlValue<&TQuintar::SetShowHighlight, bool>)
      .property("showQuintar", &ControlValue<&TQuintar::ShowQuintar>, &SetControlValue<&TQuintar::SetShowQuintar, bool>)
      .property("autoResponse", &HostValue<&TBoardHost::AutoResponse>,
                &SetHostValue<&TBoardHost::SetAutoResponse, bool>)
      .property("computerSide", &HostValue<&TBoardHost::ComputerSide>, &SetHostValue<&TBoardHost::SetComputerSide, int>)
      .property("held", &TableQuery<&game::TGameTable::Held>, &SetTableValue<&game::TGameTable::SetHeld, bool>)
      .property("analysing", &TableQuery<&game::TGameTable::Analysing>,
                &SetTableValue<&game::TGameTable::SetAnalysing, bool>);

  class_<TPageThinker>("Thinker").constructor<>().function("think", &TPageThinker::Think);

  emscripten::function("seed", &Seed);
  emscripten::function("squareCellSide", &game::SquareCellSide);
  emscripten::function("edgeNumberStep", &game::EdgeNumberStep);
  emscripten::function(
      "boardName", +[] { return game::TPhrasebook().Phrase(game::TPhrase::BoardName); });
  emscripten::function(
      "discardQuestion", +[] {
        const game::TPhrasebook Words;
        return Words.Phrase(game::TPhrase::DiscardWarning) + " " + Words.Phrase(game::TPhrase::DiscardQuestion);
      });
}

}  // namespace quintar::web
