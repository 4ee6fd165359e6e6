#include "LineSession.h"

#include <sstream>
#include <string>
#include <utility>

#include "BoardText.h"
#include "LineReader.h"

namespace quintar::terminal {
namespace {

void ShowBoard(std::ostream& Out, const TGame& Game, TColorDepth Depth) {
  for (const std::string& Line : BoardText(Game.Control(), Depth, Game.Hint())) Out << Line << '\n';
  Out << '\n';
}

void ShowLines(std::ostream& Out, const TReply& Reply) {
  for (const std::string& Said : Reply.Lines) Out << Said << '\n';
  if (!Reply.Advice.empty()) Out << Reply.Advice << '\n';
}

// What a person needs before typing: the status when it has changed, and the
// prompt, shown at once.
class TPrompter {
 public:
  TPrompter(std::ostream& Out, const TGame& Game, TLineTyper Typer) : FOut(Out), FGame(Game), FTyper(Typer) {}

  void Greet() {
    if (FTyper == TLineTyper::Person)
      FOut << FGame.Words().TerminalPhrase(game::TTerminalPhrase::TypedGreeting) << '\n';
  }

  void Ask() {
    if (FTyper == TLineTyper::Person) {
      if (std::string Status = FGame.Status(); Status != FStatusShown)
        FOut << (FStatusShown = std::move(Status)) << '\n';
      FOut << CommandPrompt;
    }
    FOut.flush();
  }

 private:
  std::ostream& FOut;
  const TGame& FGame;
  const TLineTyper FTyper;
  std::string FStatusShown;
};

}  // namespace

void RunLines(std::istream& In, std::ostream& Out, TGame& Game, TColorDepth Depth, TLineTyper Typer,
              const std::vector<std::string>& Opening) {
  TPrompter Prompter(Out, Game, Typer);
  // A person reads what happened after the board, just above the prompt:
  // before it, the board's lines would push the words off a small screen.
  // A script's transcript keeps them in the order they happened.
  std::ostringstream WordsAfterBoard;
  std::ostream& Words = Typer == TLineTyper::Person ? WordsAfterBoard : Out;
  const auto ShowWordsHeld = [&] {
    Out << WordsAfterBoard.str();
    WordsAfterBoard.str({});
  };
  Prompter.Greet();
  for (const std::string& Said : Opening) Words << Said << '\n';
  ShowBoard(Out, Game, Depth);
  ShowWordsHeld();
  Prompter.Ask();
  TLineReader Reader(In, MaxCommandLength);
  std::string Line;
  while (Reader.Next(Line)) {
    const TReply Reply =
        Game.Execute(Reader.Truncated() ? TCommand{TInvalid{TMistake::TooLong, {}}} : ParseCommand(Line));
    ShowLines(Words, Reply);
    bool PositionChanged = Reply.PositionChanged;
    // A game of the computer against itself is played out at once.
    while (Game.PaceDue() > 0) {
      const TReply Step = Game.Continue();
      ShowLines(Words, Step);
      PositionChanged = PositionChanged || Step.PositionChanged;
    }
    if (PositionChanged) ShowBoard(Out, Game, Depth);
    ShowWordsHeld();
    if (Reply.Quit) break;
    Prompter.Ask();
    // Output that can no longer be written (a full disk, a reader gone)
    // ends the game: nobody would see it go on.
    if (!Out) return;
  }
  Out.flush();
}

}  // namespace quintar::terminal
