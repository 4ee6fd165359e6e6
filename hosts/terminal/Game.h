// The terminal game: one TQuintar and the table that plays it. It turns the
// player's commands and presses into the table's requests, reads and writes
// record files, asks before a command throws a game away, and gathers what
// the table announces into a reply. It knows nothing of terminals; the line
// and screen sessions show its replies and the board.
//
// The terminal has no thread to think on: the expert thinks inside the
// command that made its move due, and analyses or reviews inside the command
// that asked, within a fixed budget. A demonstration (the computer on both
// sides) waits between moves for the session to keep its pace and call
// Continue.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Commands.h"
#include "ComputerThinker.h"
#include "GameTable.h"
#include "Quintar.h"

namespace quintar::terminal {

// What one command or press led to, in the order it happened.
struct TReply {
  // The table's announcements and the terminal's answers, one sentence each.
  std::vector<std::string> Lines;
  // What the person might do next, after the lines ("Type new to play
  // again."); empty when there is nothing to suggest.
  std::string Advice;
  // The lines are a list (the best moves, the moves of a review): each is
  // shown on a line of its own rather than run together.
  bool Listing = false;
  // The board as shown has changed: it should be shown anew.
  bool PositionChanged = false;
  bool Quit = false;
};

class TGame : private game::TTableListener {
 public:
  // One board cell spans CellWidth x CellHeight of the host's units. The
  // control is sized to the board in those units, so a press at a host
  // position inside the board reaches MouseDown as it is and MouseDown's own
  // mapping picks the cell.
  TGame(int CellWidth, int CellHeight);
  ~TGame() override;
  TGame(const TGame&) = delete;
  TGame& operator=(const TGame&) = delete;

  const TQuintar& Control() const { return FControl; }
  const game::TGameTable& Table() const { return *FTable; }
  const game::TPhrasebook& Words() const { return FTable->Words(); }
  // The cell of the last hint, marked on the board while its position stands.
  std::optional<vcl::TPoint> Hint() const { return FTable->HintCell(); }

  // Sets a published property from "Name=Value", before play: the table
  // starts again from the players the control's settings imply. The error,
  // or empty.
  std::string Set(std::string_view Assignment);

  TReply Execute(const TCommand& Command);
  // A press at (X, Y) in host units from the board's top-left corner.
  TReply Press(vcl::TMouseButton Button, vcl::TShiftState Shift, int X, int Y);
  // How long the demonstration's next move waits to be seen, in
  // milliseconds; 0 when none waits, also while the person is asked whether
  // its game may go.
  int PaceDue() const { return FQuestion ? 0 : FPaceDue; }
  // The pace was kept: the demonstration's next move.
  TReply Continue();
  // Hears, worded, how far a review has got while it runs, so that a screen
  // can show it; none by default.
  void SetReviewProgress(std::function<void(const std::string& Words)> Progress) {
    FReviewProgress = std::move(Progress);
  }

  // One line on the game in progress: whose move, who plays, the board.
  std::string Status() const;

  // The game to keep at quit, as a record; empty when there is none.
  std::string GameToKeep() const { return FTable->GameToKeep(); }
  // Keeps the game when quit is typed, and says why it cannot: Keep returns
  // the reason, or empty. A game that cannot be kept is not left behind
  // unasked: quit goes ahead only when typed again, as new does.
  void KeepAtQuit(std::function<std::string()> Keep) { FKeepAtQuit = std::move(Keep); }
  // Quit was typed again after the game could not be kept: the person chose
  // to leave without it, so nothing is to be kept, or reported, on the way out.
  bool LeftWithoutKeeping() const { return FLeftWithoutKeeping; }
  // Takes up the game kept at the last quit: Said holds what was said (that
  // the game goes on, and a move the computer then made). Why it cannot, or
  // empty.
  std::string RestoreKeptGame(std::string_view Text, std::vector<std::string>& Said);

 private:
  void Announced(const std::string& Words) override { FReply.Lines.push_back(Words); }
  void Changed() override { FitControl(); }
  void PaceRequested(int Milliseconds) override { FPaceDue = Milliseconds; }
  void AnalysisRequested(std::uint32_t Serial, const std::optional<game::TThinkRequest>& Position) override;

  // The terminal thinks here: it has no thread to think on.
  std::unique_ptr<game::TGameTable> MakeTable();
  void FitControl();
  // Starts a reply, and finishes it with the advice that fits and whether
  // the board changed. A request to play may be refused: the advice then
  // says how to go on.
  void Begin();
  TReply Finish(bool PlayRequest);
  void Say(std::string Line) { FReply.Lines.push_back(std::move(Line)); }
  void Run(const TCommand& Command);
  // Who plays changes without the table's words, for the terminal's own.
  void SeatQuietly(game::TPlayer Crosses, game::TPlayer Noughts);
  void SetStrength(TLevel Level);
  void SetPlayers(game::TPlayerKind Crosses, game::TPlayerKind Noughts);
  void SetAutoResponse(bool On);
  void SetLock(bool On);
  void Resize(const TResize& Size);
  void Save(const std::string& Path);
  void Open(const std::string& Path);
  void Analyse();
  void Review();
  void Quit();
  // Asks instead of going ahead when Request would throw a game away and
  // was not the command just before: true when it asked.
  bool AskBeforeDiscarding(std::string Request);

  TQuintar FControl{nullptr};
  int FCellWidth;
  int FCellHeight;
  std::unique_ptr<game::TGameTable> FTable;
  TReply FReply;
  // The board as the sessions show it when the reply began.
  std::vector<std::string> FShownBefore;
  bool FWasOver = false;
  int FPaceDue = 0;
  // The command that asked before discarding, and the one before the
  // command being run: asked again at once, it goes ahead.
  std::optional<std::string> FQuestion;
  std::optional<std::string> FQuestionBefore;
  std::function<std::string()> FKeepAtQuit;
  bool FLeftWithoutKeeping = false;
  // Analyses and reviews: the expert's report on a position the table asked
  // about, answered before the command ends.
  game::TComputerThinker FThinker;
  struct TAnalysisAsked {
    std::uint32_t Serial;
    game::TThinkRequest Position;
  };
  std::optional<TAnalysisAsked> FAnalysisAsked;
  std::function<void(const std::string&)> FReviewProgress;
};

}  // namespace quintar::terminal
