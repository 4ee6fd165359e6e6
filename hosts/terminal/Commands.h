// What a player types in the terminal game, read into one command. Reading
// never fails: a line that is not a command becomes TInvalid, worded by the
// phrasebook when shown, so the game goes on unchanged.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "GameSession.h"
#include "Level.h"
#include "Phrasebook.h"

namespace quintar::terminal {

// Where a person types a command.
inline constexpr std::string_view CommandPrompt = "> ";

struct TNothing {};  // a blank line
struct TPlay {       // "8 9" or "8,9": column and row, 1-based as Move counts
  int Col;
  int Row;
};
struct TNewGame {};  // new
struct TResize {     // size W H
  int Cols;
  int Rows;
};
struct TSetStrength {  // strength low|medium|high|expert
  TLevel Level;
};
struct TSetPlayers {  // players person|computer person|computer: crosses, then noughts
  game::TPlayerKind Crosses;
  game::TPlayerKind Noughts;
};
struct TSetAutoResponse {  // auto on|off
  bool On;
};
struct TComputerMove {};  // computer
struct TUndo {};          // undo
struct TRedo {};          // redo
struct THint {};          // hint
struct TAnalyse {};       // analyse (or analyze): the computer's best moves in the position
struct TReviewGame {};    // review: every move of the game judged
struct TSave {            // save FILE
  std::string Path;
};
struct TOpen {  // open FILE
  std::string Path;
};
struct TSetLock {  // lock on|off
  bool On;
};
struct THelp {};  // help
struct TQuit {};  // quit
// What was wrong with a line, and the word it is about when the words for
// it name one.
enum class TMistake : std::uint8_t { Move, Size, Strength, Players, File, Switch, TakesNothing, Unknown, TooLong };
struct TInvalid {
  TMistake Mistake;
  std::string Word;
};

using TCommand =
    std::variant<TNothing, TPlay, TNewGame, TResize, TSetStrength, TSetPlayers, TSetAutoResponse, TComputerMove, TUndo,
                 TRedo, THint, TAnalyse, TReviewGame, TSave, TOpen, TSetLock, THelp, TQuit, TInvalid>;

// Words are separated by spaces, tabs or commas; command words ignore case.
// A file name is the rest of the line, spaces and all.
TCommand ParseCommand(std::string_view Line);

// A file name as a shell would take it: "~" and "~/..." from Home (the
// name as it is when there is none).
std::string WithHome(std::string_view Path, const char* Home);

// The person's home folder: HOME, or with HOME unset or empty (env -u,
// some services) the one the account names, as a login shell would have
// set HOME; null when neither says.
const char* HomeFolder();

// What to say about a line that is not a command.
std::string Explain(const TInvalid& Invalid, const game::TPhrasebook& Words);

// What help shows, one line per entry.
extern const game::TTerminalPhrase HelpLines[6];

}  // namespace quintar::terminal
