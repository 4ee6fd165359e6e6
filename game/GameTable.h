// The table: one game as a face plays it, without any toolkit. It sits on a
// face's TQuintar with a game session and the phrasebook, and owns every
// decision a face would otherwise make on its own: who plays each side, when
// and how the computer moves, hints, undo and redo, new games, board sizes and
// records, why a request played nothing, whether a change would throw away a
// game in progress, the keyboard's cell, and what to say about all of it.
//
// A face draws the control's pixels, asks the person what the table says
// needs asking, stores what it is handed to keep, thinks where it can, and
// forwards presses, keys and menu choices here. It hears back through a
// TTableListener:
// - Announced: something happened, in one sentence (a move, the result,
//   a refusal, a new game, moves taken back). Said once, as it happens.
// - EventRaised: the control's own event with its sentence, for faces that
//   publish the control's events (the web element); others ignore it.
// - Changed: the status sentence, the moves, undo and redo, the hint or the
//   keyboard's cell may read differently now.
// - ThinkingRequested and PaceRequested: the computer's moves, see below.
//
// The control's strengths answer within microseconds and always play at once.
// The expert thinks for longer: a table made to think elsewhere hands its
// positions to the face (ThinkingRequested) and takes the cell back with
// Answer, dropping answers to positions that moved on; one made to think here
// thinks inside the call that made the move due. When the computer plays both
// sides, each move waits for the face's Continue after PaceRequested, so that
// a demonstration can be watched.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "GameSession.h"
#include "Level.h"
#include "Phrasebook.h"
#include "Quintar.h"
#include "Review.h"

namespace quintar::game {

// The control's events, in the order it publishes them.
enum class TBoardEvent : std::uint8_t { LegalMove, IllegalMove, Draw, CrossWon, NoughtWon, ComputerWon, UserWon };
inline constexpr int BoardEventCount = 7;

// Game records: the file name extension, and a size no record of the largest
// board comes near, so that a face refuses anything larger unread.
inline constexpr std::string_view RecordExtension = ".psq";
inline constexpr std::size_t LargestRecordBytes = 1 << 20;

class TTableListener {
 public:
  virtual ~TTableListener() = default;
  virtual void Announced(const std::string& Words) = 0;
  virtual void EventRaised(TBoardEvent /*Event*/, const std::string& /*Words*/) {}
  virtual void Changed() = 0;
  // Think about Turn away from the face and hand the cell to Answer(Serial,
  // cell); only a table that thinks elsewhere asks.
  virtual void ThinkingRequested(std::uint32_t /*Serial*/, const TThinkRequest& /*Turn*/) {}
  // A demonstration's next move is due in Milliseconds: call Continue() then.
  virtual void PaceRequested(int Milliseconds) = 0;
  // While analysis is on: analyse Position away from the face and hand each
  // report to AnalysisReported(Serial, report), or, with no position, stop.
  virtual void AnalysisRequested(std::uint32_t /*Serial*/, const std::optional<TThinkRequest>& /*Position*/) {}
  // Analysis() or Review() reads differently now.
  virtual void AnalysisChanged() {}
  // Whether the person plays by keys on the table's keyboard cell here, so
  // that a hint, which puts that cell on itself, says which key plays it.
  virtual bool PlaysByKeys() const { return false; }
};

enum class TThinking : std::uint8_t { Here, Elsewhere };

class TGameTable {
 public:
  // Hooks the control's events (chaining to handlers already on them), and
  // starts with the players the control's settings imply. MakeExpert makes
  // the expert for what is thought here; a face that thinks elsewhere may
  // leave it out (NoExpertHere): a failed answer then leaves the expert's
  // move due, until ComputerMovesNow asks for it again.
  TGameTable(TQuintar& Control, TTableListener& Listener, TThinking Thinking, TPhrasebook Words = TPhrasebook(),
             TExpertMaker MakeExpert = MakeExpertSearch);
  ~TGameTable();
  TGameTable(const TGameTable&) = delete;
  TGameTable& operator=(const TGameTable&) = delete;

  const TQuintar& Control() const { return FControl; }
  const TGameSession& Session() const { return *FSession; }
  const TPhrasebook& Words() const { return FWords; }

  // ---- Who plays ----------------------------------------------------------

  TPlayer Player(int Side) const { return FSession->Player(Side); }
  void SetPlayers(TPlayer Crosses, TPlayer Noughts);
  // The level names a face offers and reads, in order from low to expert.
  static std::string_view LevelName(TLevel Level);
  static std::optional<TLevel> LevelNamed(std::string_view Name);

  // ---- Playing: each lets the computer move afterwards when it is due -----

  // A press at pixel (X, Y) of the control.
  void Press(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y);
  // Col and Row counted from 1, as the control's Move takes them.
  void Move(int Col, int Row);
  // The computer makes the next move for the side to move, at that side's
  // level; who plays which side does not change.
  void ComputerMovesNow();
  // False, and said why, when there is nothing to take back or play again.
  bool Undo();
  bool Redo();
  // Takes moves back or plays them again until Count of the line are on the
  // board, as choosing a move in a list does.
  void GoToMove(std::size_t Count);
  void Hint();
  // The cell thought out for request Serial; nothing when the thinking
  // failed, and the computer then thinks here instead.
  void Answer(std::uint32_t Serial, std::optional<vcl::TPoint> Cell);
  // The pace of a demonstration has been kept: its next move is made.
  void Continue();
  // While held, the computer waits with the moves that fall due (a face holds
  // a new board until its settings are all in). Releasing it lets it play.
  void SetHeld(bool Value);
  bool Held() const { return FHeld; }
  void SetLock(bool Value);
  // Whether a press on the control plays; presses refused are said.
  void SetClickResponse(bool Value) { FControl.SetClickResponse(Value); }

  // ---- Games --------------------------------------------------------------

  // A game in progress that has changed since it was last saved or opened:
  // a new game, another board size or opening a record would lose it. A face
  // asks the person before any of those when this holds.
  bool WouldDiscardGame() const;
  void NewGame();
  // A new game on a board of that size; outside 5..50 a side the request is
  // refused and said.
  void SetBoardSize(int ColCount, int RowCount);
  // One count at a time, as a property takes it: clamped to 5..50.
  void SetColCount(int Value);
  void SetRowCount(int Value);
  // The game with its board size, players and who made each move.
  std::string SaveRecord() const { return FSession->SaveRecord(); }
  // The face wrote SaveRecord() under Name: the game counts as saved.
  void Saved(std::string_view Name);
  // Sets up the game of a record named Name (a file name, or empty). Returns
  // why the text is not a record it can take, and then changes nothing; empty
  // when taken.
  std::string OpenRecord(std::string_view Text, std::string_view Name = {});
  // Why OpenRecord would refuse Text, or empty when it would take it; nothing
  // changes. A face checks a record with it before asking whether the game
  // in progress may go.
  std::string RecordRefusal(std::string_view Text) const;
  // What to keep when the face closes: the game as a record, or empty when
  // there is none worth keeping.
  std::string GameToKeep() const;
  // Takes up the game kept at the last close. Returns why it cannot, as
  // OpenRecord does. Unlike an opened game it was never saved, so a new game
  // asks before it loses it.
  std::string RestoreKeptGame(std::string_view Text);

  // ---- The keyboard's cell (0-based) --------------------------------------

  // It starts at the middle of the board, and moves to the middle again when
  // the board changes size.
  vcl::TPoint FocusCell() const { return FFocus; }
  // By the arrow keys: one cell, stopping at the edges.
  void MoveFocus(int Cols, int Rows);
  // Anywhere on the board; a cell off it is ignored.
  void SetFocusCell(vcl::TPoint Cell);
  // What the cell holds, as someone exploring the board hears it.
  std::string FocusWords() const;
  void PlayFocusCell();

  // ---- Analysis and review --------------------------------------------------

  // While on, every position the game reaches is analysed away from the face
  // (AnalysisRequested); a finished game is not.
  void SetAnalysing(bool Value);
  bool Analysing() const { return FAnalysing; }
  // A report for request Serial; one for a position gone is dropped.
  void AnalysisReported(std::uint32_t Serial, const TAnalysis& Report);
  // The latest report on the position on the board.
  const std::optional<TAnalysis>& Analysis() const { return FAnalysis; }
  // It in one sentence, and its candidates one each; empty without a report
  // (but for a finished game while analysis is on, which says so).
  std::string AnalysisWords() const;
  std::vector<std::string> CandidateWords() const;
  // Whether the game's line has a move to judge, made or to be played again;
  // when it has none, says so. A face asks before it reviews.
  bool MayReview();
  // The game on the board, as a review takes it: its whole line, the moves
  // that could be played again included.
  TReviewRequest ReviewRequest() const;
  // A review of Request made elsewhere: kept while the game's line is the one
  // it reviewed, so that going back and forth through the game keeps it.
  void Reviewed(const TReviewRequest& Request, const TReview& Review);
  // Whether a review of Request is a review of the game's line as it stands;
  // one that is not, a face need not finish.
  bool ReviewApplies(const TReviewRequest& Request) const;
  std::optional<TReview> Review() const;
  // The review's sentence for each move, then its summary for crosses and
  // for noughts; empty without a review of the game's line.
  std::vector<std::string> ReviewWords() const;

  // ---- What the face shows ------------------------------------------------

  // Whose move it is, who is thinking, that the board is locked, or how the
  // game ended.
  std::string Status() const;
  // The last sentence announced.
  const std::string& LastAnnouncement() const { return FLastAnnouncement; }
  // Who holds each side, in words.
  std::string PlayersWords() const;
  // Every move of the line with its sentence: those made, then those that
  // could be played again; MovesMade() of them are on the board.
  std::vector<std::string> MoveLineWords() const;
  std::size_t MovesMade() const { return FSession->Moves().size(); }
  bool CanUndo() const { return FSession->CanUndo(); }
  bool CanRedo() const { return FSession->CanRedo(); }
  // The computer is to move (or thinking): presses are not the person's.
  bool ComputerToMove() const { return FSession->ComputerToMove(); }
  // The computer's move is being thought out elsewhere.
  bool Thinking() const { return FMoveRequest.has_value(); }
  // A person may play a cell now: the game goes on, the board is neither
  // locked nor waiting for the computer, and presses play.
  bool PersonMayPlay() const;
  // A hint is being thought out elsewhere.
  bool HintPending() const { return FHintRequest.has_value(); }
  // The cell of the last hint, while its position stands.
  std::optional<vcl::TPoint> HintCell() const { return FHintCell; }
  // Whether the announcement under way is the hint's, for a face that adds
  // how to play it.
  bool AnnouncingHint() const { return FAnnouncingHint; }
  bool LastMoveByComputer() const;

 private:
  struct TRequest {
    std::uint32_t Serial;
    TThinkRequest Turn;
  };
  void HookEvent(vcl::TNotifyEvent& Event, TBoardEvent Raised);
  void Heard(TBoardEvent Event);
  void Announce(const std::string& Words);
  void Refuse(TRefusal Why) { Announce(FWords.Refusal(Why)); }
  bool StepThroughHistory(bool (TGameSession::*Step)(), TRefusal Nothing);
  void HistoryStepped(std::size_t Before);
  // Runs a move request; when it raised no event, says why nothing happened.
  template <typename TRun>
  void Request(vcl::TPoint Asked, bool Pressed, TRun&& Run);
  std::optional<TRefusal> WhyNothing(bool Pressed) const;
  // Something changed the game: a stale hint goes, the computer moves when due,
  // and the face hears of it.
  void GameChanged();
  void LetComputerPlay();
  void Answered(const TRequest& Move, std::optional<vcl::TPoint> Cell);
  void HintAnswered(const TRequest& Hint, std::optional<vcl::TPoint> Cell);
  void ShowHint(std::optional<vcl::TPoint> Cell);
  // The position was replaced: requests and the hint for the old one go.
  void PositionReplaced();
  void NewBoard();
  void MarkUnchanged();
  std::vector<vcl::TPoint> CellsPlayed() const;
  static std::vector<vcl::TPoint> CellsOf(const std::vector<TMoveEntry>& Moves);
  std::uint32_t NextSerial() { return ++FLastSerial; }
  // Sets up a record's game; the reason it cannot, or empty.
  std::string TakeRecord(std::string_view Text);
  vcl::TPoint Middle() const;

  TQuintar& FControl;
  TTableListener& FListener;
  TThinking FThinking;
  TPhrasebook FWords;
  std::unique_ptr<TGameSession> FSession;
  bool FHeld = false;
  // A record opened stays as it was opened, to be read and stepped through,
  // until a move is made or asked for or a game starts: the computer plays
  // on it by itself no sooner (whoever holds the sides, which a face may set
  // from the record), so that a record of the computer against itself is not
  // played over.
  bool FOpenedRecordWaits = false;
  bool FPaceRequested = false;
  bool FPaceKept = false;
  // The face's handlers found on the control's events, called before the
  // table hears each.
  vcl::TNotifyEvent FFaceHandlers[BoardEventCount];
  std::uint32_t FLastSerial = 0;
  std::optional<TRequest> FMoveRequest;
  // The position whose move failed elsewhere and could not be thought here:
  // it is not asked for again until ComputerMovesNow, so that a failure does
  // not repeat without end.
  std::optional<std::uint64_t> FUnthoughtGeneration;
  std::optional<TRequest> FHintRequest;
  std::optional<vcl::TPoint> FHintCell;
  bool FAnnouncingHint = false;
  vcl::TPoint FFocus{0, 0};
  // The cell the move request in progress asked for (0-based), to say why
  // it was refused.
  vcl::TPoint FAsked = TQuintar::NoCell;
  // Events raised since the move request in progress began.
  int FEventsRaised = 0;
  // The cells of the game as last saved or opened.
  std::vector<vcl::TPoint> FUnchangedLine;
  std::string FLastAnnouncement;
  bool FAnalysing = false;
  std::optional<TRequest> FAnalysisRequest;
  std::optional<TAnalysis> FAnalysis;
  std::optional<std::pair<TReviewRequest, TReview>> FReview;
  void FollowWithAnalysis();
};

// The name a kept game is set aside under, so that it stays for a look:
// File.Why (File.unreadable, File.earlier), or File.Why-2, -3 and so on when
// Taken says an earlier one is there, so that none is overwritten while a
// free name remains.
std::string SetAsideName(std::string_view File, std::string_view Why,
                         const std::function<bool(const std::string&)>& Taken);

// The kept game as this copy of the program took it up (empty when it took
// none up), or as it last kept it, and the kept file's bytes then. Closing,
// a copy writes the game to keep only when it has changed since: one that
// changed nothing leaves the kept file alone, rather than putting back the
// game it took up over one another copy kept meanwhile, or removing that
// game. One whose game changed too finds that other game on the file, and
// sets it aside before keeping its own.
class TKeptGameMark {
 public:
  TKeptGameMark() = default;
  TKeptGameMark(std::string TakenUp, std::string OnFile) : FTakenUp(std::move(TakenUp)), FOnFile(std::move(OnFile)) {}
  bool Changed(std::string_view ToKeep) const { return ToKeep != FTakenUp; }
  // Whether the kept file, holding OnFileNow (empty for none), holds a game
  // another copy kept since.
  bool AnotherKeptSince(std::string_view OnFileNow) const { return !OnFileNow.empty() && OnFileNow != FOnFile; }

 private:
  std::string FTakenUp;
  std::string FOnFile;
};

}  // namespace quintar::game
