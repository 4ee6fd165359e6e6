#include "ScreenSession.h"

#include <algorithm>
#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "BoardText.h"
#include "InputDecoder.h"
#include "LineSession.h"
#include "RawTerminal.h"
#include "ScreenLayout.h"

namespace quintar::terminal {
namespace {

// What the prompt keeps of a line, well past what a command may be, so that
// a line typed too long can be erased back to one; past this, typing is
// dropped and the line refused whatever is erased.
constexpr std::size_t MostTypedBytes = 16 * MaxCommandLength;

// Messages kept for showing; older ones scroll away for good. Enough for
// the review of the longest game, a line a move on a 50 × 50 board.
constexpr std::size_t KeptMessages = 4096;

class TScreenSession {
 public:
  TScreenSession(TGame& Game, TColorDepth Depth, TRawTerminal& Terminal, const std::vector<std::string>& Opening)
      : FGame(Game), FDepth(Depth), FTerminal(Terminal) {
    Note(FGame.Words().TerminalPhrase(game::TTerminalPhrase::Greeting));
    for (const std::string& Said : Opening) Note(Said);
    FGame.SetReviewProgress([this](const std::string& Words) { ShowProgress(Words); });
  }
  ~TScreenSession() { FGame.SetReviewProgress({}); }
  TScreenSession(const TScreenSession&) = delete;
  TScreenSession& operator=(const TScreenSession&) = delete;

  void Run() {
    Draw();
    std::vector<TInputEvent> Events;
    while (!FQuit) {
      const std::optional<std::string> Bytes = FTerminal.Read(WaitForNextStep());
      if (!Bytes) return;
      if (FNextStep && Clock::now() >= *FNextStep) {
        FNextStep.reset();
        NoteReply(FGame.Continue());
      }
      Events.clear();
      for (const char Byte : *Bytes) FDecoder.Feed(Byte, Events);
      if (!Bytes->empty()) FDecoder.EndOfBurst(Events);
      for (const TInputEvent& Event : Events) {
        Handle(Event);
        if (FQuit) return;
      }
      Draw();
    }
  }

 private:
  void Handle(const TInputEvent& Event) {
    using TKind = TInputEvent::TKind;
    if (TurnsPage(Event)) return;
    // Any other key leaves the reply for the board, and does its work.
    FReading.clear();
    switch (Event.Kind) {
      case TKind::Character:
        if (FTyped.size() < MostTypedBytes)
          FTyped += Event.Character;
        else
          FTypedTooLong = true;
        break;
      case TKind::Erase: EraseLastCharacter(FTyped); break;
      case TKind::EraseLine:
        FTyped.clear();
        FTypedTooLong = false;
        break;
      case TKind::Enter: Show(FGame.Execute(TakeCommand())); break;
      case TKind::EndOfInput:
        if (FTyped.empty()) FQuit = true;
        break;
      case TKind::Interrupt: FQuit = true; break;
      case TKind::Suspend: FTerminal.Suspend(); break;
      case TKind::Escape:
      case TKind::PageUp:
      case TKind::PageDown: break;
      case TKind::MousePress: Press(Event); break;
    }
  }

  // While a long reply is shown in the board's place, Page Down (or Space
  // with nothing typed) and Page Up turn its pages; Space on the last page
  // goes back to the board.
  bool TurnsPage(const TInputEvent& Event) {
    using TKind = TInputEvent::TKind;
    if (!FReadingShown) return false;
    if (Event.Kind == TKind::PageUp) {
      FReadingFrom = std::max(FReadingFrom - FReadingPage, 0);
      return true;
    }
    const bool Space = Event.Kind == TKind::Character && Event.Character == ' ' && FTyped.empty();
    if (Event.Kind != TKind::PageDown && !Space) return false;
    if (FReadingMore)
      FReadingFrom += FReadingPage;
    else if (Space)
      FReading.clear();  // read to the end: back to the board
    return true;
  }

  // A demonstration's next move comes when its pace has passed since the
  // last, whatever keys, resizes or stops came between: milliseconds to
  // wait, or -1 to wait for a key alone.
  int WaitForNextStep() {
    const int Pace = FGame.PaceDue();
    if (Pace <= 0) {
      FNextStep.reset();
      return -1;
    }
    if (!FNextStep) FNextStep = Clock::now() + std::chrono::milliseconds(Pace);
    const auto Left = std::chrono::ceil<std::chrono::milliseconds>(*FNextStep - Clock::now()).count();
    return static_cast<int>(std::max<decltype(Left)>(Left, 0));
  }

  // A line that grew past what a command may be is refused whole, as the
  // line mode refuses it, rather than run cut short.
  TCommand TakeCommand() {
    const std::string Typed = std::exchange(FTyped, {});
    if (std::exchange(FTypedTooLong, false) || Typed.size() > MaxCommandLength) return TInvalid{TMistake::TooLong, {}};
    return ParseCommand(Typed);
  }

  // Presses off the board are not the control's: the control covers the board's cells only.
  void Press(const TInputEvent& Event) {
    if (!FBoardShown) return;
    const int X = Event.X - BoardLeft;
    const int Y = Event.Y - BoardTop;
    if (FGame.Control().CellAt(X, Y) == TQuintar::NoCell) return;
    Show(FGame.Press(Event.Button, Event.Shift, X, Y));
  }

  // What a command or press led to. A reply that leaves the board as it was
  // is there to be read: when it does not fit below the board, it is shown
  // in the board's place.
  void Show(const TReply& Reply) {
    std::vector<std::string> Noted = NoteReply(Reply);
    FReading = Reply.PositionChanged ? std::vector<std::string>() : std::move(Noted);
    FReadingFrom = 0;
  }

  // A reply is one message, or one a line when it is a list; the messages
  // noted. A demonstration's move is only noted: a reply being read stays.
  std::vector<std::string> NoteReply(const TReply& Reply) {
    if (std::exchange(FProgressShown, false)) FMessages.pop_back();
    std::vector<std::string> Noted;
    std::string Message;
    for (const std::string& Line : Reply.Lines) {
      if (Reply.Listing)
        Noted.push_back(Line);
      else
        Message += (Message.empty() ? "" : " ") + Line;
    }
    if (!Reply.Advice.empty()) Message += (Message.empty() ? "" : " ") + Reply.Advice;
    if (!Message.empty()) Noted.push_back(std::move(Message));
    for (const std::string& Said : Noted) Note(Said);
    FQuit = Reply.Quit;
    return Noted;
  }

  // How far a review has got: one message, replaced as it goes on, and
  // gone when the review's reply comes.
  void ShowProgress(const std::string& Words) {
    if (FProgressShown)
      FMessages.back() = Words;
    else
      Note(Words);
    FProgressShown = true;
    Draw();
  }

  void Note(std::string Message) {
    FMessages.push_back(std::move(Message));
    if (FMessages.size() > KeptMessages) FMessages.pop_front();
  }

  void Draw() {
    const std::vector<std::string> Board = BoardText(FGame.Control(), FDepth, FGame.Hint());
    const std::string Status = FGame.Status();
    const TScreen Screen =
        ComposeScreen(FTerminal.Size(), {Board, BoardTextWidth(FGame.Control().ColCount()), FMessages, Status, FTyped,
                                         FGame.Words(), FReading, FReadingFrom});
    FBoardShown = Screen.BoardShown;
    FReadingShown = Screen.Reading;
    FReadingFrom = Screen.ReadingFrom;
    FReadingPage = Screen.ReadingPage;
    FReadingMore = Screen.ReadingMore;
    // Home, each line cleared and written, the rest of the screen cleared,
    // the cursor at the prompt: one write, no flicker. A line is cleared
    // before it is written, not after: after a line as wide as the window the
    // cursor still stands on its last column, and clearing from there would
    // take that character away.
    std::string Bytes = "\x1b[H";
    for (std::size_t I = 0; I < Screen.Lines.size(); ++I) {
      if (I > 0) Bytes += "\r\n";
      Bytes += "\x1b[K";
      Bytes += Screen.Lines[I];
    }
    Bytes +=
        "\x1b[J\x1b[" + std::to_string(Screen.CursorLine + 1) + ";" + std::to_string(Screen.CursorColumn + 1) + "H";
    FTerminal.Write(Bytes);
  }

  using Clock = std::chrono::steady_clock;

  TGame& FGame;
  TColorDepth FDepth;
  TRawTerminal& FTerminal;
  TInputDecoder FDecoder;
  std::deque<std::string> FMessages;
  std::string FTyped;
  bool FTypedTooLong = false;
  bool FBoardShown = false;
  bool FQuit = false;
  bool FProgressShown = false;
  std::optional<Clock::time_point> FNextStep;
  // The latest reply to read (none when empty) and the page of it on
  // screen, as the last drawing laid it out.
  std::vector<std::string> FReading;
  int FReadingFrom = 0;
  int FReadingPage = 0;
  bool FReadingShown = false;
  bool FReadingMore = false;
};

}  // namespace

bool RunScreen(TGame& Game, TColorDepth Depth, const std::vector<std::string>& Opening) {
  TRawTerminal Terminal;
  if (!Terminal.Active()) return false;
  TScreenSession(Game, Depth, Terminal, Opening).Run();
  return true;
}

}  // namespace quintar::terminal
