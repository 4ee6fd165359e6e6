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

void ShowLines(std::ostream& Out, const TReply& Reply) {
  for (const std::string& Said : Reply.Lines) Out << Said << '\n';
  if (!Reply.Advice.empty()) Out << Reply.Advice << '\n';
}

}  // namespace

void RunLines(std::istream& In, std::ostream& Out, TGame& Game, TColorDepth Depth,
              const std::vector<std::string>& Opening) {
  for (const std::string& Said : Opening) Out << Said << '\n';
  ShowBoard(Out, Game, Depth);
  TLineReader Reader(In, MaxCommandLength);
  std::string Line;
  while (Reader.Next(Line)) {
    const TReply Reply =
        Game.Execute(Reader.Truncated() ? TCommand{TInvalid{TMistake::TooLong, {}}} : ParseCommand(Line));
    ShowLines(Out, Reply);
    bool PositionChanged = Reply.PositionChanged;
    // A game of the computer against itself is played out at once.
    while (Game.PaceDue() > 0) {
      const TReply Step = Game.Continue();
      ShowLines(Out, Step);
      PositionChanged = PositionChanged || Step.PositionChanged;
    }
    if (PositionChanged) ShowBoard(Out, Game, Depth);
    Out.flush();
    // Output that can no longer be written (a full disk, a reader gone)
    // ends the game: nobody would see it go on.
    if (Reply.Quit || !Out) return;
  }
}

}  // namespace quintar::terminal
