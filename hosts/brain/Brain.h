// The tournament brain: the component's opponent speaking the line protocol
// of five-in-a-row tournament managers on a pair of streams.
//
// Commands: START N, RECTSTART W,H, RESTART, BEGIN, TURN x,y, BOARD with one
// x,y,owner line per stone (1 own, 2 opponent) up to DONE, TAKEBACK x,y,
// INFO key value, ABOUT and END. Coordinates are 0-based (column, row). Every
// line gets its answer (OK, a move x,y, the ABOUT text, ERROR with a reason,
// UNKNOWN for an unknown command) except INFO, END and the stone lines of
// BOARD, which DONE answers as a whole. Nothing the peer sends can end the
// brain but END (read even while the expert thinks, which it cuts short) or
// the end of its input, and what a refused command would
// have changed is left as it was. While the expert thinks it sends MESSAGE
// lines with the depth, positions and score it has reached, a proven win or
// loss as such, and the line it expects.
//
// A block it does not play (SWAP2BOARD ... DONE) gets one UNKNOWN at DONE.
//
// The brain plays five or more in a row (the only game its opponent knows),
// and the game ends at the first five. When a manager asks for a rule it does
// not play (INFO rule with exact five, continuous game, renju or caro), it
// says so once, with an ERROR line before its next move, and plays on by its
// own rule.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "BrainBoard.h"
#include "BrainTime.h"
#include "TimeSource.h"

namespace quintar::brain {

// Longer lines are refused; no command needs a tenth of this.
inline constexpr std::size_t MaxLineLength = 1024;

class TBrain {
 public:
  // Seeds the process-wide generator with Seed: a fresh one per process, so
  // that brains started together play different games, or the player's own
  // for a repeatable one. Time is where the brain and its search read the
  // time; it must outlive the brain.
  TBrain(TLevel Level, std::uint64_t Seed, TTimeSource& Time = SteadyTime());

  // One line without its end; answers on Out.
  void Command(std::string_view Line, std::ostream& Out);
  // A line the reader could not take whole: refused with Reason, in BOARD
  // as one of its stones.
  void Refuse(std::string_view Reason, std::ostream& Out);
  // After END.
  bool Ended() const { return FEnded; }

  // What the brain holds now: its own stones and the opponent's.
  const TBrainBoard& Board() const { return FBoard; }
  TLevel Level() const { return FOpponent.Level(); }
  // What the expert does about the opponent's wins by threats; off until set.
  void SetThreatDefence(const TThreatDefence& Defence) { FOpponent.SetThreatDefence(Defence); }
  // The time limits INFO has told.
  const TTimeLimits& TimeLimits() const { return FTimeKeeper.Told(); }
  // Once Stop is set, a search under way ends with the best move it has.
  void StopWhen(const std::atomic<bool>& Stop) { FStop = &Stop; }

 private:
  void Start(std::string_view Arguments, std::ostream& Out);
  void RectStart(std::string_view Arguments, std::ostream& Out);
  void Restart(std::ostream& Out);
  void Begin(std::ostream& Out);
  void Turn(std::string_view Arguments, std::ostream& Out);
  void TakeBack(std::string_view Arguments, std::ostream& Out);
  // Refusal, when not empty, is the answer DONE gets whatever the lines.
  void BeginBoard(std::string_view Refusal);
  // A block of lines up to DONE this brain does not play (SWAP2BOARD): one
  // answer for the whole block, as for any unknown command.
  void PassOverBlock(std::string_view Name);
  void BoardStone(std::string_view Line);
  void EndBoard(std::ostream& Out);
  void Info(std::string_view Arguments, std::ostream& Out);
  void SetRule(std::string_view Value, std::ostream& Out);
  void SetTimeLimit(std::string_view Key, std::string_view Value, std::ostream& Out);
  void SetMemoryLimit(std::string_view Value, std::ostream& Out);
  void About(std::ostream& Out);

  void StartBoard(int Width, int Height, std::ostream& Out);
  // Plays the brain's stone and answers with it, after telling of a rule it
  // does not play.
  void Reply(std::ostream& Out);
  void TellUnplayedRule(std::ostream& Out);

  TBrainBoard FBoard;
  TBrainOpponent FOpponent;
  TTimeSource& FClock;
  TTimeKeeper FTimeKeeper;
  const std::atomic<bool>* FStop = nullptr;
  bool FEnded = false;
  // The rule the manager asked for (its flags), and the last one the brain
  // said it does not play; each such rule is told once.
  int FRule = 0;
  int FRuleTold = 0;
  // Between BOARD and DONE: the position being set up and why it cannot be
  // used, when one of its lines was bad.
  bool FCollecting = false;
  TBrainBoard FPending;
  std::string FPendingError;
  // The command of a block passed over, until its DONE.
  std::string FUnknownBlock;
};

// Reads commands from In until END or the end of the input, answering on Out
// and flushing after every line.
void RunBrain(std::istream& In, std::ostream& Out, TLevel Level, std::uint64_t Seed,
              const TThreatDefence& Defence = {});

}  // namespace quintar::brain
