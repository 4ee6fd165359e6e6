// An outside program running as a child process, its standard input and
// output on pipes: lines written to it and read from it, each against a
// deadline so that a program that stops reading or answering never holds the
// match up, and the process ended and reaped whatever it does.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace quintar::match {

using TDeadline = std::chrono::steady_clock::time_point;

class TBrainProcess {
 public:
  // Longer lines are not read: no answer of a brain needs a fraction of this.
  static constexpr std::size_t MaxLineLength = 65536;

  enum class TRead { Line, TimedOut, Closed, TooLong };

  TBrainProcess() = default;
  TBrainProcess(const TBrainProcess&) = delete;
  TBrainProcess& operator=(const TBrainProcess&) = delete;
  ~TBrainProcess();

  // Starts Words[0] (searched on the PATH when it has no slash) with the
  // rest as arguments and its error output discarded; false with the reason
  // when it cannot be started.
  bool Start(const std::vector<std::string>& Words, std::string& Error);
  bool Running() const { return FPid > 0; }

  // Writes Line and a line end; false when the program no longer reads it
  // or has not taken it by the deadline.
  bool WriteLine(std::string_view Line, TDeadline Deadline);
  // The next line without its end: a line feed, a carriage return, or both.
  TRead ReadLine(std::string& Line, TDeadline Deadline);
  // The whole lines the program has sent that nobody has read yet, taken
  // without waiting for more.
  std::vector<std::string> LinesSent();

  // Closes the program's input, gives it Grace to end, kills it (and what
  // it started) after that, and reaps it. Says how it ended: "exited with
  // status 3", "killed by signal 11 (Segmentation fault)"; empty when it
  // was not running.
  std::string Stop(std::chrono::milliseconds Grace);

 private:
  void CloseInput();
  void CloseOutput();
  // Whether a line is complete in the buffer; moves it to Line if so.
  bool TakeLine(std::string& Line);

  pid_t FPid = -1;
  bool FAfterReturn = false;  // the last line ended at a carriage return
  int FToProgram = -1;        // the program's standard input, written here
  int FFromProgram = -1;      // its standard output, read here
  std::string FPending;       // read but not yet taken as a line
};

// Kills every brain still running and what it started, from a signal
// handler too: for a match that must end at once.
void KillEveryBrain();

}  // namespace quintar::match
