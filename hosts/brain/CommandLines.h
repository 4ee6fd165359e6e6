// The manager's lines, read on a thread of their own, so that END reaches a
// search under way: a manager asks a brain to end as soon as it can, and
// kills one that keeps it waiting. The lines are answered in order by the
// thread that asks for them; nothing is read past END.
#pragma once

#include <atomic>
#include <cstddef>
#include <istream>
#include <memory>
#include <optional>
#include <string>

namespace quintar::brain {

struct TCommandLine {
  std::string Text;  // without its end
  bool Truncated;    // longer than the most kept: the rest was dropped
};

class TCommandLines {
 public:
  TCommandLines(std::istream& In, std::size_t MaxLength);
  // A reader still waiting for input is left to end with the process, so
  // In must last as long as the process when the brain may stop before its
  // input ends (standard input does); it stops at END or the input's end.
  ~TCommandLines();
  TCommandLines(const TCommandLines&) = delete;
  TCommandLines& operator=(const TCommandLines&) = delete;

  // The next line, once it has come; nothing at the end of the input.
  std::optional<TCommandLine> Next();
  // Set once END has been read, before it is answered.
  const std::atomic<bool>& EndRead() const;

  // Most lines held unanswered: past them the reader waits, as a pipe would.
  static constexpr std::size_t MostWaiting = 1024;

 private:
  struct TShared;
  std::shared_ptr<TShared> FShared;
};

}  // namespace quintar::brain
