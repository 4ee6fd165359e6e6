// The phrasebook: every sentence a host shows about the game, worded once so
// that the same situation reads the same in the terminal, on the desktop and
// on a web page. Cells are named as a person counts them, from 1: "column 11,
// row 9".
//
// A host that translates hands in its translation: every sentence pattern
// and every word put into one passes through it before the numbers and names
// are filled in. Patterns mark their blanks %1, %2 and %3. A pattern that
// holds a count marks it %n and passes the count along, so that a language
// chooses its own plural form; a translation that leaves such a pattern as
// it is gets the English form for the count.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "ExpertAnalysis.h"
#include "GameSession.h"
#include "HintReason.h"
#include "Review.h"

namespace quintar::game {

// Why a request played nothing.
enum class TRefusal : std::uint8_t {
  CellTaken,
  OffBoard,
  GameOver,
  Locked,
  NothingToUndo,
  NothingToRedo,
  ComputerToMove,
  ClicksOff,
  BoardSize,
};

// The sentences that take no blanks.
enum class TPhrase : std::uint8_t {
  // The rules in two sentences, for a board's description and the help.
  Rules,
  // What the game is, for an About box.
  About,
  // The one name of the board, for screen readers.
  BoardName,
  LastGameGoesOn,
  // Asking before a change throws the game in progress away.
  DiscardWarning,
  DiscardQuestion,
  DontAskAgain,
  // After a hint, where a key plays the cell.
  SpacePlaysIt,
  BoardUnlocked,
  // Reasons, as OpenRecord gives them, to follow a colon: a file too large
  // to be a record, and one that is no stored file (a pipe or a device),
  // which a face does not wait on.
  FileTooLarge,
  NotAStoredFile,
  // The answer when a game has nothing to review.
  NothingToReview,
  // The expert's move or hint failed where it was thought out, and cannot be
  // thought here (a face that leaves the expert out).
  ComputerCouldNotThink,
  HintCouldNotThink,
  // A record opened where the computer holds the side to move: it waits.
  ComputerMovesWhenAsked,
  // What analysis says of a finished game.
  NothingToAnalyse,
};

// The terminal's own sentences, which take no blanks: apart from TPhrase so
// that a face without a command line leaves them out of its build.
enum class TTerminalPhrase : std::uint8_t {
  // Asking before a change throws the game in progress away: the person
  // answers by asking again.
  DiscardAskAgain,
  // Advice after a reply.
  HintMarked,
  PlayAgain,
  UnlockToPlay,
  ComputerAnswers,
  ComputerWaits,
  ClicksDoNotPlay,
  // Its greeting, where a cell may be clicked and where it may not, and its
  // help, one line each.
  Greeting,
  TypedGreeting,
  HelpPlay,
  HelpGames,
  HelpPlayers,
  HelpComputer,
  HelpMore,
  HelpExplains,
  // How to write what it could not read.
  MoveUsage,
  SizeUsage,
  StrengthUsage,
  PlayersUsage,
  LineTooLong,
  // What it adds when there is nothing to analyse.
  ReviewInstead,
  // Before the judgements of moves taken back, which the board no longer shows.
  TakenBackFollow,
};

class TPhrasebook {
 public:
  // The count is the number a %n in the pattern stands for, when it has one.
  using TTranslation = std::function<std::string(std::string_view English, std::optional<std::size_t> Count)>;

  // Without a translation the words are English.
  explicit TPhrasebook(TTranslation Translation = {});

  // Whose move it is ("Noughts to move: the computer (high).") or, once the
  // game is over, how it ended.
  std::string Turn(const TGameSession& Session) const;
  // One mark just made: "Cross on column 11, row 9." or "Nought by the
  // computer (high) on column 12, row 9."
  std::string Move(const TMoveEntry& Move) const;
  // "Crosses won: you.", "Noughts won: the computer (expert).", "Crosses
  // won." between two people, "Draw: the board is full."
  std::string Result(const TGameResult& Result) const;
  std::string NewGame() const;
  std::string Thinking(TLevel Level) const;
  std::string Hint(vcl::TPoint Cell) const;
  // The hint with why: "Hint: column 9, row 7 stops an open four.",
  // "Hint: column 9, row 7 starts a win in 5 moves."
  std::string Hint(vcl::TPoint Cell, const THintReason& Why) const;
  std::string NoHint() const;
  std::string Refusal(TRefusal Why) const;
  std::string TakenBack(std::size_t Count) const;
  std::string PlayedAgain(std::size_t Count) const;
  std::string Phrase(TPhrase Which) const;
  std::string TerminalPhrase(TTerminalPhrase Which) const;
  // "an 8 × 8 board"
  std::string BoardSize(int ColCount, int RowCount) const;
  // "New game on an 8 × 8 board."
  std::string NewBoard(int ColCount, int RowCount) const;
  // "Opened game.psq: a 15 × 15 board, 12 moves."; without a name, "Opened a
  // game: ...".
  std::string Opened(std::string_view Name, int ColCount, int RowCount, std::size_t Moves) const;
  // "Saved 12 moves to game.psq.", or "Saved 12 moves." with no name.
  std::string Saved(std::string_view Name, std::size_t Moves) const;
  // Why a record could not be read, written or used.
  std::string CannotOpen(std::string_view Name, std::string_view Reason) const;
  std::string CannotSave(std::string_view Name, std::string_view Reason) const;
  std::string KeptGameSetAside(std::string_view Reason, std::string_view SetAsideAs) const;
  // Another copy of the program kept its game while this one ran.
  std::string EarlierGameSetAside(std::string_view SetAsideAs) const;
  // "Strength: expert."
  std::string Strength(TLevel Level) const;

  // ---- What the computer found ---------------------------------------------

  // The report in one sentence, for the side to move (Turn): "Crosses win in
  // 7 moves: column 9, row 7, then column 10, row 8, then …", "Noughts lose in 3
  // moves whatever they play.", "Noughts are well ahead. Best: column 12, row 3.",
  // "About even. Best: column 10, row 10."
  std::string Analysis(const TAnalysis& Report) const;
  // One candidate: its cell, what it is worth, and the line it expects:
  // "column 9, row 7: crosses win in 5 moves; then column 10, row 8, then …".
  std::string Candidate(const TCandidateLine& Line, int Turn) const;
  // "column 9, row 7, then column 10, row 8, then column 11, row 9"
  std::string Line(const std::vector<TBoardCell>& Cells) const;
  // A move of a review: "Move 12, cross on column 9, row 7: a mistake;
  // column 10, row 8 was better."
  std::string Judgement(std::size_t Index, const TMoveReview& Move) const;
  // "Crosses: 20 best, 5 good, 2 inaccuracies, 1 mistake, 1 missed win, 0 wins
  // let through; the turning point was move 23."
  std::string ReviewSummary(int Side, const TSideSummary& Summary) const;
  // The judgement alone, for a mark beside a move: "best", "a mistake".
  std::string JudgementWord(TJudgement Judgement) const;
  // While a review runs: "Reviewing the game: 12 of 40 moves judged."
  std::string ReviewProgress(std::size_t Judged, std::size_t Moves) const;
  // Who holds each side: "Crosses: a person; noughts: the computer (high)."
  std::string Players(const TPlayer& Crosses, const TPlayer& Noughts) const;
  // A cell as someone exploring the board hears it: "Column 3, row 4, empty."
  std::string CellContents(vcl::TPoint Cell, int Mark) const;
  // "the computer (high)" or "a person".
  std::string PlayerName(const TPlayer& Player) const;
  // "low", "medium", "high" or "expert".
  std::string LevelWord(TLevel Level) const;
  // The terminal's replies to what it could not read, with the command or
  // word as typed: "Usage: save FILE, for example save game.psq."
  std::string FileUsage(std::string_view Command) const;
  std::string SwitchUsage(std::string_view Command) const;
  std::string TakesNothingAfter(std::string_view Command) const;
  std::string UnknownCommand(std::string_view Word) const;
  // A terminal window too small for the board, both sizes in characters
  // and lines.
  std::string WindowTooSmall(int Columns, int Lines, int NeededColumns, int NeededLines) const;
  // Below a long reply the terminal shows in the board's place: which of
  // its lines are on screen (1-based) and how to go on.
  std::string ReadingGuide(int First, int Last, int Total) const;
  // The terminal's status line: the status sentence, who plays, and the
  // board: "Crosses to move: you. Crosses: a person; noughts: the computer
  // (expert). Board 20 × 20."
  std::string StatusLine(std::string_view Status, std::string_view Players, int ColCount, int RowCount) const;

 private:
  // The pattern translated, its blanks filled with Blanks in order.
  std::string Say(std::string_view Pattern, std::initializer_list<std::string> Blanks = {}) const;
  // Pattern, whose %n is Count, in the form for Count: Singular when the
  // translation leaves Plural as it is.
  std::string Count(std::string_view Singular, std::string_view Plural, std::size_t Count,
                    std::initializer_list<std::string> Blanks = {}) const;
  std::string Fill(std::string_view Translated, std::initializer_list<std::string> Blanks) const;
  std::string Word(std::string_view English) const;
  std::string Where(vcl::TPoint Cell) const;
  std::string Worth(const TCandidateLine& Candidate, int Turn) const;

  TTranslation FTranslation;
};

}  // namespace quintar::game
