// The module a page loads: the board and the layout rules the element sizes
// itself by, as the functions bindings/board.js makes the class Board of.
// The expert is not here: its moves, analysis and review have a module of
// their own (AnalysisBindings.cpp), which a page fetches when it first needs
// the expert. Pixels are the control's, which are the canvas's device
// pixels. The element's attributes are not here: the build writes them into
// attributes.js (see PrintAttributes.cpp).
#include <emscripten/em_js.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "BoardHost.h"
#include "PageJson.h"
#include "PageValues.h"

// The listener the page made board Page with (see bindings/board.js). Bytes
// and numbers are views of the module's memory, which the listener copies
// before it returns if it keeps them. The position to analyse is null when
// the analysis is to stop.
EM_JS(void, page_event, (int Page, int Event, const char* Words),
      { boardListeners.get(Page).event(Event, UTF8ToString(Words)); });
EM_JS(void, page_announce, (int Page, const char* Words), { boardListeners.get(Page).announce(UTF8ToString(Words)); });
EM_JS(void, page_changed, (int Page), { boardListeners.get(Page).changed(); });
EM_JS(void, page_repaint, (int Page), { boardListeners.get(Page).repaint(); });
EM_JS(void, page_think, (int Page, unsigned Serial, const std::int8_t* Bytes, int Count),
      { boardListeners.get(Page).think(Serial >>> 0, HEAP8.subarray(Bytes, Bytes + Count)); });
EM_JS(void, page_pace, (int Page, int Milliseconds), { boardListeners.get(Page).pace(Milliseconds); });
EM_JS(void, page_analyse, (int Page, unsigned Serial, const std::int8_t* Bytes, int Count),
      { boardListeners.get(Page).analyse(Serial >>> 0, Bytes ? HEAP8.subarray(Bytes, Bytes + Count) : null); });
EM_JS(void, page_analysis_changed, (int Page), { boardListeners.get(Page).analysisChanged(); });

namespace quintar::web {
namespace {

// A board that tells the page's listener Page what happens to it.
class TPageBoard final : public TBoardListener {
 public:
  explicit TPageBoard(int Page) : FPage(Page) {}

  TBoardHost& Host() { return FHost; }
  TQuintar& Control() { return FHost.Control(); }
  game::TGameTable& Table() { return FHost.Table(); }

  // Where the board keeps the answers the page reads after the call.
  std::string& Text() { return FText; }
  TMessageNumbers& Numbers() { return FNumbers; }
  // The last area to draw or cell's bounds answered, as the page reads them.
  std::array<int, 7>& Rectangle() { return FRectangle; }
  // Whether the person plays with keys, or by touch, where advice about a
  // key would mislead; the page says which, as the person's input changes.
  bool PlaysByKeys() const override { return FPlaysByKeys; }
  void SetPlaysByKeys(bool PlaysByKeys) { FPlaysByKeys = PlaysByKeys; }

 private:
  void EventRaised(game::TBoardEvent Event, const std::string& Words) override {
    page_event(FPage, static_cast<int>(Event), Words.c_str());
  }
  void Announced(const std::string& Words) override { page_announce(FPage, Words.c_str()); }
  void Changed() override { page_changed(FPage); }
  void RepaintRequested() override { page_repaint(FPage); }
  void ThinkingRequested(std::uint32_t Serial, const game::TThinkRequest& Turn) override {
    const TTurnBytes Bytes = EncodeTurn(Turn);
    page_think(FPage, Serial, Bytes.data(), static_cast<int>(Bytes.size()));
  }
  void PaceRequested(int Milliseconds) override { page_pace(FPage, Milliseconds); }
  void AnalysisRequested(std::uint32_t Serial, const std::optional<game::TThinkRequest>& Position) override {
    const TTurnBytes Bytes = Position ? EncodeTurn(*Position) : TTurnBytes{};
    page_analyse(FPage, Serial, Position ? Bytes.data() : nullptr, static_cast<int>(Bytes.size()));
  }
  void AnalysisChanged() override { page_analysis_changed(FPage); }

  int FPage;
  TBoardHost FHost{*this};
  std::string FText;
  TMessageNumbers FNumbers;
  std::array<int, 7> FRectangle{};
  bool FPlaysByKeys = true;
};

// The board's numbers and switches the page reads and sets as properties, in
// the order bindings/board.js names them.
enum class TProperty {
  Turn,
  GameOver,
  Color,
  GridLineColor,
  CrossColor,
  NoughtColor,
  HighlightColor,
  QuintarColor,
  ColCount,
  RowCount,
  ClickResponse,
  Lock,
  ShowHighlight,
  ShowQuintar,
  AutoResponse,
  ComputerSide,
  Held,
  Analysing,
  PlaysByKeys
};

int PropertyOf(TPageBoard& Board, TProperty Property) {
  TQuintar& Control = Board.Control();
  switch (Property) {
    case TProperty::Turn: return Control.Turn();
    case TProperty::GameOver: return Control.GameOver();
    case TProperty::Color: return Control.Color();
    case TProperty::GridLineColor: return Control.GridLineColor();
    case TProperty::CrossColor: return Control.CrossColor();
    case TProperty::NoughtColor: return Control.NoughtColor();
    case TProperty::HighlightColor: return Control.HighlightColor();
    case TProperty::QuintarColor: return Control.QuintarColor();
    case TProperty::ColCount: return Control.ColCount();
    case TProperty::RowCount: return Control.RowCount();
    case TProperty::ClickResponse: return Control.ClickResponse();
    case TProperty::Lock: return Control.Lock();
    case TProperty::ShowHighlight: return Control.ShowHighlight();
    case TProperty::ShowQuintar: return Control.ShowQuintar();
    case TProperty::AutoResponse: return Board.Host().AutoResponse();
    case TProperty::ComputerSide: return Board.Host().ComputerSide();
    case TProperty::Held: return Board.Table().Held();
    case TProperty::Analysing: return Board.Table().Analysing();
    case TProperty::PlaysByKeys: return Board.PlaysByKeys();
  }
  return 0;
}

// Counts and switches go through the table, which keeps the game whole;
// colours and what is shown go to the control. Turn and GameOver are only
// read.
void SetProperty(TPageBoard& Board, TProperty Property, int Value) {
  TQuintar& Control = Board.Control();
  game::TGameTable& Table = Board.Table();
  switch (Property) {
    case TProperty::Turn:
    case TProperty::GameOver: return;
    case TProperty::Color: return Control.SetColor(Value);
    case TProperty::GridLineColor: return Control.SetGridLineColor(Value);
    case TProperty::CrossColor: return Control.SetCrossColor(Value);
    case TProperty::NoughtColor: return Control.SetNoughtColor(Value);
    case TProperty::HighlightColor: return Control.SetHighlightColor(Value);
    case TProperty::QuintarColor: return Control.SetQuintarColor(Value);
    case TProperty::ColCount: return Table.SetColCount(Value);
    case TProperty::RowCount: return Table.SetRowCount(Value);
    case TProperty::ClickResponse: return Table.SetClickResponse(Value != 0);
    case TProperty::Lock: return Table.SetLock(Value != 0);
    case TProperty::ShowHighlight: return Control.SetShowHighlight(Value != 0);
    case TProperty::ShowQuintar: return Control.SetShowQuintar(Value != 0);
    case TProperty::AutoResponse: return Board.Host().SetAutoResponse(Value != 0);
    case TProperty::ComputerSide: return Board.Host().SetComputerSide(Value);
    case TProperty::Held: return Table.SetHeld(Value != 0);
    case TProperty::Analysing: return Table.SetAnalysing(Value != 0);
    case TProperty::PlaysByKeys: return Board.SetPlaysByKeys(Value != 0);
  }
}

}  // namespace

// ---- The board ---------------------------------------------------------------

QUINTAR_PAGE_CALL TPageBoard* board_new(int Page) { return new TPageBoard(Page); }
QUINTAR_PAGE_CALL void board_delete(TPageBoard* Board) { delete Board; }

QUINTAR_PAGE_CALL int board_property(TPageBoard* Board, int Property) {
  return PropertyOf(*Board, static_cast<TProperty>(Property));
}
QUINTAR_PAGE_CALL void board_set_property(TPageBoard* Board, int Property, int Value) {
  SetProperty(*Board, static_cast<TProperty>(Property), Value);
}

QUINTAR_PAGE_CALL void board_set_size(TPageBoard* Board, int Width, int Height) {
  Board->Host().SetSize(Width, Height);
}

// Null, or { left, top, width, height, pixels address, surface width,
// surface height }: the area to draw anew, within the surface's RGBA pixels,
// which are valid until the next call.
QUINTAR_PAGE_CALL const int* board_present(TPageBoard* Board) {
  const vcl::TRect Area = Board->Host().Present();
  if (Area.IsEmpty()) return nullptr;
  const vcl::TSurface& Surface = Board->Control().Surface();
  Board->Rectangle() = {Area.Left,
                        Area.Top,
                        Area.Right - Area.Left,
                        Area.Bottom - Area.Top,
                        static_cast<int>(reinterpret_cast<std::uintptr_t>(Surface.Row(0))),
                        Surface.Width(),
                        Surface.Height()};
  return Board->Rectangle().data();
}

// The whole board handed over again at the next present, for a canvas that
// lost what it showed.
QUINTAR_PAGE_CALL void board_invalidate(TPageBoard* Board) { Board->Control().Invalidate(); }

// Any button past the middle one is not a board press.
QUINTAR_PAGE_CALL void board_press(TPageBoard* Board, int Button, int Shift, int X, int Y) {
  if (Button < vcl::mbLeft || Button > vcl::mbMiddle) return;
  Board->Table().Press(static_cast<vcl::TMouseButton>(Button), vcl::TShiftState(static_cast<unsigned>(Shift) & 0x7Fu),
                       X, Y);
}

QUINTAR_PAGE_CALL void board_move(TPageBoard* Board, int Col, int Row) { Board->Table().Move(Col, Row); }
QUINTAR_PAGE_CALL void board_new_game(TPageBoard* Board) { Board->Table().NewGame(); }
QUINTAR_PAGE_CALL void board_computer_move(TPageBoard* Board) { Board->Table().ComputerMovesNow(); }
QUINTAR_PAGE_CALL bool board_undo(TPageBoard* Board) { return Board->Table().Undo(); }
QUINTAR_PAGE_CALL bool board_redo(TPageBoard* Board) { return Board->Table().Redo(); }
QUINTAR_PAGE_CALL bool board_can_undo(TPageBoard* Board) { return Board->Table().CanUndo(); }
QUINTAR_PAGE_CALL bool board_can_redo(TPageBoard* Board) { return Board->Table().CanRedo(); }
QUINTAR_PAGE_CALL void board_hint(TPageBoard* Board) { Board->Table().Hint(); }
QUINTAR_PAGE_CALL bool board_hint_pending(TPageBoard* Board) { return Board->Table().HintPending(); }
QUINTAR_PAGE_CALL int board_hint_cell(TPageBoard* Board) { return PackedCell(Board->Table().HintCell()); }
QUINTAR_PAGE_CALL void board_keep_pace(TPageBoard* Board) { Board->Table().Continue(); }
QUINTAR_PAGE_CALL bool board_thinking(TPageBoard* Board) { return Board->Table().Thinking(); }
QUINTAR_PAGE_CALL bool board_last_move_by_computer(TPageBoard* Board) { return Board->Table().LastMoveByComputer(); }
QUINTAR_PAGE_CALL bool board_would_discard_game(TPageBoard* Board) { return Board->Table().WouldDiscardGame(); }

// The expert's answer to turn Serial: the cell, or 0, 0 when it has none.
QUINTAR_PAGE_CALL void board_answer(TPageBoard* Board, std::uint32_t Serial, int Col, int Row) {
  Board->Table().Answer(Serial, Col ? std::optional(vcl::TPoint{Col - 1, Row - 1}) : std::nullopt);
}

// 1 for a cross, -1 for a nought, 0 for an empty cell or one off the board.
QUINTAR_PAGE_CALL int board_cell(TPageBoard* Board, int Col, int Row) {
  return Board->Control().Cell(Col - 1, Row - 1);
}
// The cell a press at device pixel (X, Y) plays.
QUINTAR_PAGE_CALL int board_cell_at(TPageBoard* Board, int X, int Y) {
  const vcl::TPoint Cell = Board->Control().CellAt(X, Y);
  return PackedCell(Cell == TQuintar::NoCell ? std::nullopt : std::optional(Cell));
}
// Null, or { left, top, right, bottom }: the device pixels whose presses play
// the cell, right and bottom exclusive.
QUINTAR_PAGE_CALL const int* board_cell_bounds(TPageBoard* Board, int Col, int Row) {
  const vcl::TRect Bounds = Board->Control().CellBounds(Col - 1, Row - 1);
  if (Bounds.IsEmpty()) return nullptr;
  Board->Rectangle() = {Bounds.Left, Bounds.Top, Bounds.Right, Bounds.Bottom, 0, 0, 0};
  return Board->Rectangle().data();
}
QUINTAR_PAGE_CALL int board_last_move(TPageBoard* Board) {
  const vcl::TPoint Last = Board->Control().LastMove();
  return PackedCell(Last == TQuintar::NoCell ? std::nullopt : std::optional(Last));
}
QUINTAR_PAGE_CALL const char* board_win_cells(TPageBoard* Board) {
  return KeptText(Board->Text(), WinCellsJson(Board->Control()));
}

QUINTAR_PAGE_CALL int board_focus_cell(TPageBoard* Board) { return PackedCell(Board->Table().FocusCell()); }
QUINTAR_PAGE_CALL void board_move_focus(TPageBoard* Board, int Cols, int Rows) { Board->Table().MoveFocus(Cols, Rows); }
QUINTAR_PAGE_CALL void board_set_focus_cell(TPageBoard* Board, int Col, int Row) {
  Board->Table().SetFocusCell({Col - 1, Row - 1});
}
QUINTAR_PAGE_CALL const char* board_focus_words(TPageBoard* Board) {
  return KeptText(Board->Text(), Board->Table().FocusWords());
}
QUINTAR_PAGE_CALL void board_play_focus_cell(TPageBoard* Board) { Board->Table().PlayFocusCell(); }

QUINTAR_PAGE_CALL const char* board_status(TPageBoard* Board) {
  return KeptText(Board->Text(), Board->Table().Status());
}
QUINTAR_PAGE_CALL const char* board_players(TPageBoard* Board) {
  return KeptText(Board->Text(), Board->Table().PlayersWords());
}
// The sentence of each move on the board, in order, as JSON.
QUINTAR_PAGE_CALL const char* board_move_words(TPageBoard* Board) {
  std::vector<std::string> Words = Board->Table().MoveLineWords();
  Words.resize(Board->Table().MovesMade());
  return KeptText(Board->Text(), JsonStrings(Words));
}

QUINTAR_PAGE_CALL const char* board_save_record(TPageBoard* Board) {
  return KeptText(Board->Text(), Board->Table().SaveRecord());
}
QUINTAR_PAGE_CALL void board_saved(TPageBoard* Board, const char* Name, int Length) {
  Board->Table().Saved(TextAt(Name, Length));
}
// A record (Kept false) or the game kept at the last close.
QUINTAR_PAGE_CALL const char* board_take_game(TPageBoard* Board, const char* Text, int Length, bool Kept) {
  const auto Kind = Kept ? TBoardHost::TGameKind::Kept : TBoardHost::TGameKind::Record;
  return KeptText(Board->Text(), Board->Host().TakeGame(TextAt(Text, Length), Kind));
}
QUINTAR_PAGE_CALL const char* board_game_to_keep(TPageBoard* Board) {
  return KeptText(Board->Text(), Board->Table().GameToKeep());
}

QUINTAR_PAGE_CALL const char* board_playing_strength(TPageBoard* Board) {
  return KeptText(Board->Text(), std::string(game::TGameTable::LevelName(Board->Host().Level())));
}
QUINTAR_PAGE_CALL bool board_set_playing_strength(TPageBoard* Board, const char* Name, int Length) {
  const std::optional<TLevel> Level = game::TGameTable::LevelNamed(TextAt(Name, Length));
  if (Level) Board->Host().SetLevel(*Level);
  return Level.has_value();
}

// A report from the analysing worker for request Serial; one that is no
// report is dropped, as one for a position gone is.
QUINTAR_PAGE_CALL void board_analysis_reported(TPageBoard* Board, std::uint32_t Serial, const std::int32_t* Numbers,
                                               int Count) {
  if (const std::optional<TAnalysis> Report = DecodeAnalysis(NumbersAt(Numbers, Count)))
    Board->Table().AnalysisReported(Serial, *Report);
}
QUINTAR_PAGE_CALL const char* board_analysis(TPageBoard* Board) {
  return KeptText(Board->Text(), AnalysisJson(Board->Table()));
}

// The game on the board to review, as counted numbers; none, and the board
// says why, when it has no move to judge.
QUINTAR_PAGE_CALL const std::int32_t* board_review_request(TPageBoard* Board) {
  if (!Board->Table().MayReview()) return nullptr;
  return KeptNumbers(Board->Numbers(), EncodeReviewRequest(Board->Table().ReviewRequest()));
}
// The review of the game Request (as board_review_request gave it); false
// when either is not what it claims.
QUINTAR_PAGE_CALL bool board_reviewed(TPageBoard* Board, const std::int32_t* Request, int RequestCount,
                                      const std::int32_t* Review, int ReviewCount) {
  const std::optional<game::TReviewRequest> Game = DecodeReviewRequest(NumbersAt(Request, RequestCount));
  const std::optional<game::TReview> Judged = DecodeReview(NumbersAt(Review, ReviewCount));
  if (!Game || !Judged || Judged->Moves.size() > Game->Moves.size()) return false;
  Board->Table().Reviewed(*Game, *Judged);
  return true;
}
QUINTAR_PAGE_CALL const char* board_review(TPageBoard* Board) {
  return KeptText(Board->Text(), ReviewJson(Board->Table()));
}

// ---- The rest ----------------------------------------------------------------

// The control seeds the generator from the clock when it is made; a page
// (or a test) that wants the same computer moves every time seeds it after.
QUINTAR_PAGE_CALL void seed(unsigned Value) { std::srand(Value); }
QUINTAR_PAGE_CALL const char* board_name() {
  static const std::string Name = game::TPhrasebook().Phrase(game::TPhrase::BoardName);
  return Name.c_str();
}
QUINTAR_PAGE_CALL const char* discard_question() {
  static const std::string Question = [] {
    const game::TPhrasebook Words;
    return Words.Phrase(game::TPhrase::DiscardWarning) + " " + Words.Phrase(game::TPhrase::DiscardQuestion);
  }();
  return Question.c_str();
}

}  // namespace quintar::web
