#include "LineSession.h"

#include <string>

#include "BoardText.h"
#include "LineReader.h"

namespace quintar::terminal {
namespace {

void ShowBoard(std::ostream& Out, const TGame& Game, TColorDepth Depth) {
  for (const std::string& Line : BoardText(Game.Control(), Depth, Game.Hint())) Out << Line << '\n';
  Out << '\n';
}

}  // namespace

void RunLines(std::istream& In, std::ostream& Out, TGame& Game, TColorDepth Depth) {
  ShowBoard(Out, Game, Depth);
  TLineReader Reader(In, MaxCommandLength);
  std::string Line;
  while (Reader.Next(Line)) {
    TReply Reply = Game.Execute(Reader.Truncated() ? TCommand{TInvalid{"That line is too long to be a command."}}
                                                   : ParseCommand(Line));
    // A game of the computer against itself is played out at once.
    while (Game.Demonstrating()) {
      TReply Step = Game.Demonstrate();
      Reply.Lines.insert(Reply.Lines.end(), Step.Lines.begin(), Step.Lines.end());
      Reply.PositionChanged = true;
    }
    for (const std::string& Said : Reply.Lines) Out << Said << '\n';
    if (Reply.PositionChanged) ShowBoard(Out, Game, Depth);
    Out.flush();
    if (Reply.Quit) return;
  }
}

}  // namespace quintar::terminal
