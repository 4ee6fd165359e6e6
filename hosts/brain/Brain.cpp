#include "Brain.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "CommandLines.h"
#include "TextUtil.h"

#ifndef QUINTAR_VERSION
#define QUINTAR_VERSION "unknown"
#endif

namespace quintar::brain {
namespace {

using terminal::Echo;
using terminal::IntegerFrom;
using terminal::SplitAny;

void Answer(std::ostream& Out, std::string_view Text) { Out << Text << '\n'; }
void Error(std::ostream& Out, std::string_view Reason) { Out << "ERROR " << Reason << '\n'; }

constexpr std::string_view GameOverText = "the game is over: five in a row stand on the board";

std::string CellText(vcl::TPoint Cell) { return std::to_string(Cell.X) + "," + std::to_string(Cell.Y); }

std::string CellText(TBoardCell Cell) { return CellText(vcl::TPoint{Cell.Col, Cell.Row}); }

// One completed depth as a manager shows it, on one line: where the search
// is, the move it would play, a proven result as such, and the first moves
// of the line it expects, both sides in turn.
std::string ProgressMessage(const TSearchProgress& Progress) {
  const TCandidateLine& Best = Progress.Best;
  std::string Text = "MESSAGE depth " + std::to_string(Progress.Depth) + " nodes " + std::to_string(Progress.Nodes) +
                     " score " + std::to_string(Best.Score) + " best " + CellText(Best.Cell);
  if (Best.Outcome != ocUnproven)
    Text += (Best.Outcome == ocWin ? " win in " : " loss in ") + std::to_string(Best.MovesToFive);
  Text += " line";
  const std::size_t Shown = std::min(Best.Line.size(), static_cast<std::size_t>(MaxLineMoves));
  for (std::size_t I = 0; I < Shown; ++I) Text += " " + CellText(Best.Line[I]);
  return Text;
}

std::string SizeText(const TBrainBoard& Board) {
  return std::to_string(Board.Width()) + "x" + std::to_string(Board.Height());
}

// Non-negative numbers separated by commas, exactly Count of them.
bool ReadNumbers(std::string_view Text, std::size_t Count, int* Numbers) {
  const std::vector<std::string_view> Pieces = SplitAny(Text, ",");
  // Empty pieces ("3,,4") are not dropped silently: the commas must match.
  std::size_t Commas = 0;
  for (const char Byte : Text) Commas += Byte == ',';
  if (Pieces.size() != Count || Commas != Count - 1) return false;
  for (std::size_t I = 0; I < Count; ++I) {
    const std::optional<int> Number = IntegerFrom(Trimmed(Pieces[I]), false);
    if (!Number) return false;
    Numbers[I] = *Number;
  }
  return true;
}

// The flags of INFO rule. The brain plays none of them: five or more of one
// side in a row wins, and the game ends there (a continuous game would play
// on past a five).
struct TRuleFlag {
  int Bit;
  std::string_view Name;
};
constexpr TRuleFlag RuleFlags[] = {{1, "exact five"}, {2, "continuous game"}, {4, "renju"}, {8, "caro"}};

// "exact five and renju", with the flags the protocol does not name as a number.
std::string UnplayedRuleNames(int Rule) {
  std::string Names;
  const auto Add = [&Names](std::string_view Name) { Names += (Names.empty() ? "" : " and ") + std::string(Name); };
  int Unnamed = Rule;
  for (const TRuleFlag& Flag : RuleFlags) {
    if ((Unnamed & Flag.Bit) != 0) Add(Flag.Name);
    Unnamed &= ~Flag.Bit;
  }
  if (Unnamed != 0) Add("unknown flags " + std::to_string(Unnamed));
  return Names;
}

// Rounded up, so that the account never shows more time left than there is.
int MillisecondsSince(TTimeSource::TTime Then, TTimeSource& Clock) {
  const auto Spent = std::chrono::ceil<std::chrono::milliseconds>(Clock.Now() - Then).count();
  return static_cast<int>(std::clamp<decltype(Spent)>(Spent, 0, INT_MAX));
}

// The cell named by "x,y" on a started board; otherwise false with the reason.
bool ReadCell(std::string_view Text, const TBrainBoard& On, vcl::TPoint& Cell, std::string& Why) {
  if (!On.Started()) {
    Why = "needs a board: send START first";
    return false;
  }
  int Numbers[2];
  if (!ReadNumbers(Text, 2, Numbers)) {
    Why = "expects x,y, not \"" + Echo(Text) + "\"";
    return false;
  }
  Cell = {Numbers[0], Numbers[1]};
  if (!On.OnBoard(Cell.X, Cell.Y)) {
    Why = CellText(Cell) + " is off the " + SizeText(On) + " board";
    return false;
  }
  return true;
}

}  // namespace

TBrain::TBrain(TLevel Level, std::uint64_t Seed, TTimeSource& Time) : FOpponent(Level, Seed), FClock(Time) {
  std::srand(static_cast<unsigned>(Seed ^ Seed >> 32));
}

void TBrain::Command(std::string_view Line, std::ostream& Out) {
  if (FCollecting) {
    if (SameWord(Trimmed(Line), "DONE"))
      EndBoard(Out);
    else if (SameWord(Trimmed(Line), "END"))
      FEnded = true;
    else
      BoardStone(Line);
    return;
  }
  const std::string_view Text = Trimmed(Line);
  if (Text.empty()) return;  // a stray blank line asks nothing
  const std::size_t Space = Text.find_first_of(" \t");
  const std::string_view Name = Text.substr(0, Space);
  const std::string_view Arguments = Space == std::string_view::npos ? "" : Trimmed(Text.substr(Space));
  const auto NoArguments = [&](auto&& Run) {
    if (Arguments.empty())
      Run();
    else
      Error(Out, std::string(Name) + " takes no arguments");
  };
  if (SameWord(Name, "START"))
    Start(Arguments, Out);
  else if (SameWord(Name, "RECTSTART"))
    RectStart(Arguments, Out);
  else if (SameWord(Name, "RESTART"))
    NoArguments([&] { Restart(Out); });
  else if (SameWord(Name, "BEGIN"))
    NoArguments([&] { Begin(Out); });
  else if (SameWord(Name, "TURN"))
    Turn(Arguments, Out);
  else if (SameWord(Name, "BOARD"))
    BeginBoard(Arguments.empty() ? "" : "BOARD takes no arguments");
  else if (SameWord(Name, "SWAP2BOARD"))
    PassOverBlock(Name);
  else if (SameWord(Name, "TAKEBACK"))
    TakeBack(Arguments, Out);
  else if (SameWord(Name, "INFO"))
    Info(Arguments, Out);
  else if (SameWord(Name, "ABOUT"))
    NoArguments([&] { About(Out); });
  else if (SameWord(Name, "END"))
    FEnded = true;
  else
    Answer(Out, "UNKNOWN command " + Echo(Name));
}

void TBrain::Refuse(std::string_view Reason, std::ostream& Out) {
  if (FCollecting) {
    if (FPendingError.empty()) FPendingError = std::string(Reason);
    return;
  }
  Error(Out, Reason);
}

void TBrain::Start(std::string_view Arguments, std::ostream& Out) {
  const std::optional<int> Side = IntegerFrom(Arguments, false);
  if (!Side) return Error(Out, "START expects the board size, a number from 5 to 50");
  StartBoard(*Side, *Side, Out);
}

void TBrain::RectStart(std::string_view Arguments, std::ostream& Out) {
  int Sides[2];
  if (!ReadNumbers(Arguments, 2, Sides)) return Error(Out, "RECTSTART expects width,height, each from 5 to 50");
  StartBoard(Sides[0], Sides[1], Out);
}

void TBrain::StartBoard(int Width, int Height, std::ostream& Out) {
  if (!BoardSideFits(Width) || !BoardSideFits(Height))
    return Error(Out, "unsupported size " + std::to_string(Width) + "x" + std::to_string(Height) +
                          ": boards of 5 to 50 cells a side only");
  FBoard.Reset(Width, Height);
  FTimeKeeper.NewGame();
  Answer(Out, "OK");
}

void TBrain::Restart(std::ostream& Out) {
  if (!FBoard.Started()) return Error(Out, "no board yet: send START first");
  FBoard.Reset(FBoard.Width(), FBoard.Height());
  FTimeKeeper.NewGame();
  Answer(Out, "OK");
}

void TBrain::Begin(std::ostream& Out) {
  if (!FBoard.Started()) return Error(Out, "no board yet: send START first");
  if (!FBoard.Empty()) return Error(Out, "BEGIN opens an empty board, and this one holds stones: send RESTART first");
  Reply(Out);
}

void TBrain::Turn(std::string_view Arguments, std::ostream& Out) {
  vcl::TPoint Cell;
  std::string Why;
  if (!ReadCell(Arguments, FBoard, Cell, Why)) return Error(Out, "TURN " + Why);
  if (FBoard.At(Cell.X, Cell.Y) != TStone::Empty) return Error(Out, "TURN " + CellText(Cell) + " is taken");
  // After a five no move belongs on the board: refused, it leaves none.
  if (FBoard.HasFive()) return Error(Out, GameOverText);
  FBoard.Put(Cell.X, Cell.Y, TStone::Opponent);
  Reply(Out);
}

void TBrain::TakeBack(std::string_view Arguments, std::ostream& Out) {
  vcl::TPoint Cell;
  std::string Why;
  if (!ReadCell(Arguments, FBoard, Cell, Why)) return Error(Out, "TAKEBACK " + Why);
  if (FBoard.At(Cell.X, Cell.Y) == TStone::Empty) return Error(Out, "TAKEBACK " + CellText(Cell) + " holds no stone");
  FBoard.Put(Cell.X, Cell.Y, TStone::Empty);
  Answer(Out, "OK");
}

void TBrain::BeginBoard(std::string_view Refusal) {
  FCollecting = true;
  FPendingError = Refusal;
  FPending = FBoard;
  if (!FBoard.Started())
    FPendingError = "no board yet: send START first";
  else
    FPending.Reset(FBoard.Width(), FBoard.Height());
}

void TBrain::PassOverBlock(std::string_view Name) {
  FCollecting = true;
  FUnknownBlock = Echo(Name);
}

void TBrain::BoardStone(std::string_view Line) {
  // After the first bad line the position is lost anyway; only that first
  // reason is kept, so a flood of stones costs nothing more.
  if (!FPendingError.empty() || !FUnknownBlock.empty()) return;
  if (Trimmed(Line).empty()) return;  // a stray blank line, here as anywhere
  int Numbers[3];
  if (!ReadNumbers(Trimmed(Line), 3, Numbers)) {
    FPendingError = "BOARD expects x,y,owner lines up to DONE, not \"" + Echo(Line) + "\"";
    return;
  }
  const vcl::TPoint Cell{Numbers[0], Numbers[1]};
  if (!FPending.OnBoard(Cell.X, Cell.Y))
    FPendingError = "BOARD " + CellText(Cell) + " is off the " + SizeText(FPending) + " board";
  else if (Numbers[2] != 1 && Numbers[2] != 2)
    FPendingError = "BOARD owner of " + CellText(Cell) + " must be 1 (own) or 2 (opponent)";
  else if (FPending.At(Cell.X, Cell.Y) != TStone::Empty)
    FPendingError = "BOARD " + CellText(Cell) + " given twice";
  else
    FPending.Put(Cell.X, Cell.Y, Numbers[2] == 1 ? TStone::Own : TStone::Opponent);
}

void TBrain::EndBoard(std::ostream& Out) {
  FCollecting = false;
  if (!FUnknownBlock.empty()) return Answer(Out, "UNKNOWN command " + std::exchange(FUnknownBlock, {}));
  if (!FPendingError.empty()) return Error(Out, FPendingError + "; position unchanged");
  FBoard = FPending;
  Reply(Out);
}

void TBrain::Info(std::string_view Arguments, std::ostream& Out) {
  const std::size_t Space = Arguments.find_first_of(" \t");
  const std::string_view Key = Arguments.substr(0, Space);
  const std::string_view Value = Space == std::string_view::npos ? "" : Trimmed(Arguments.substr(Space));
  if (Key.empty()) return Error(Out, "INFO expects a key and a value");
  if (SameWord(Key, "strength")) {
    const std::optional<TLevel> Level = LevelNamed(Value);
    if (!Level) return Error(Out, "INFO strength expects low, medium, high or expert");
    FOpponent.SetLevel(*Level);
  } else if (SameWord(Key, "rule")) {
    SetRule(Value, Out);
  } else if (SameWord(Key, "timeout_turn") || SameWord(Key, "timeout_match") || SameWord(Key, "time_left")) {
    SetTimeLimit(Key, Value, Out);
  } else if (SameWord(Key, "max_memory")) {
    SetMemoryLimit(Value, Out);
  }
  // Every other key (folders, game type) is the manager's business: the
  // opponent plays the same whatever they say, and a good INFO is never
  // answered.
}

void TBrain::SetRule(std::string_view Value, std::ostream& Out) {
  const std::optional<int> Rule = IntegerFrom(Value, false);
  if (!Rule)
    return Error(Out, "INFO rule expects a number: the sum of 1 exact five, 2 continuous game, 4 renju, 8 caro");
  FRule = *Rule;
}

void TBrain::TellUnplayedRule(std::ostream& Out) {
  if (FRule == 0 || FRule == FRuleTold) return;
  FRuleTold = FRule;
  Error(Out, "rule " + std::to_string(FRule) + " asks for " + UnplayedRuleNames(FRule) +
                 ", which this brain does not play: it plays five or more in a row (freestyle)");
}

// Only the expert uses the time; the other levels answer at once.
void TBrain::SetTimeLimit(std::string_view Key, std::string_view Value, std::ostream& Out) {
  const std::optional<int> Milliseconds = IntegerFrom(Value, true);
  if (!Milliseconds) return Error(Out, "INFO " + Echo(Key) + " expects milliseconds, not \"" + Echo(Value) + "\"");
  const int Limit = std::max(*Milliseconds, 0);
  if (SameWord(Key, "timeout_turn"))
    FTimeKeeper.TellTurn(Limit);
  else if (SameWord(Key, "timeout_match"))
    FTimeKeeper.TellMatch(Limit);
  else
    FTimeKeeper.TellLeft(Limit);
}

// The expert's tables are sized to it before its next move.
void TBrain::SetMemoryLimit(std::string_view Value, std::ostream& Out) {
  std::uint64_t Bytes = 0;
  const auto [End, Failure] = std::from_chars(Value.data(), Value.data() + Value.size(), Bytes);
  if (Value.empty() || Failure != std::errc() || End != Value.data() + Value.size())
    return Error(Out, "INFO max_memory expects bytes, not \"" + Echo(Value) + "\"");
  FOpponent.LimitMemory(static_cast<std::size_t>(std::min<std::uint64_t>(Bytes, SIZE_MAX)));
}

void TBrain::About(std::ostream& Out) {
  Answer(Out, "name=\"Quintar\", version=\"" QUINTAR_VERSION
              "\", author=\"The Quintar developers\", rules=\"freestyle: five or more in a row wins\"");
}

// While the expert thinks, each depth it completes is told as a MESSAGE
// line, which managers show and otherwise ignore: never a bare move. The time the choice takes
// counts against the match.
void TBrain::Reply(std::ostream& Out) {
  // A manager sends no move after a five; one that does has lost track of
  // the game, and a move would hide that.
  if (FBoard.HasFive()) return Error(Out, GameOverText);
  const TTimeSource::TTime Asked = FClock.Now();
  const TSearchObserver TellDepth = [&Out](const TSearchProgress& Progress) {
    Answer(Out, ProgressMessage(Progress));
    Out.flush();
  };
  TSearchBudget Budget = ExpertBudgetFor(FTimeKeeper.Reckoned());
  Budget.OnDepth = &TellDepth;
  Budget.Time = &FClock;
  Budget.Stop = FStop;
  const std::optional<vcl::TPoint> Cell = FOpponent.Choose(FBoard, Budget);
  FTimeKeeper.Spend(MillisecondsSince(Asked, FClock));
  if (!Cell) return Error(Out, "no empty cell left to play");
  TellUnplayedRule(Out);
  FBoard.Put(Cell->X, Cell->Y, TStone::Own);
  Answer(Out, CellText(*Cell));
}

void RunBrain(std::istream& In, std::ostream& Out, TLevel Level, std::uint64_t Seed, const TThreatDefence& Defence) {
  TBrain Brain(Level, Seed);
  Brain.SetThreatDefence(Defence);
  TCommandLines Lines(In, MaxLineLength);
  // END cuts a search under way short: its move is still sent, as the
  // answer the manager no longer waits for, and then the brain ends.
  Brain.StopWhen(Lines.EndRead());
  // A manager that can no longer be answered has gone: the brain stops.
  while (!Brain.Ended() && Out) {
    const std::optional<TCommandLine> Line = Lines.Next();
    if (!Line) break;
    if (Line->Truncated)
      Brain.Refuse("line longer than " + std::to_string(MaxLineLength) + " characters", Out);
    else
      Brain.Command(Line->Text, Out);
    Out.flush();
  }
}

}  // namespace quintar::brain
