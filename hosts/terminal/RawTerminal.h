// The controlling terminal in the state the full-screen game needs, for as
// long as an instance lives: keys arrive one by one without echo, mouse
// presses are reported, and the game draws on the alternate screen. The
// terminal is put back as it was when the instance goes. A hang-up,
// interrupt or termination signal ends the input, so that the game ends as
// quitting ends it; a second one ends the process, the terminal put back. A
// stop signal puts the terminal back for as long as the process is stopped.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ScreenLayout.h"

namespace quintar::terminal {

class TRawTerminal {
 public:
  TRawTerminal();
  ~TRawTerminal();
  TRawTerminal(const TRawTerminal&) = delete;
  TRawTerminal& operator=(const TRawTerminal&) = delete;

  // False when standard input is no terminal that could be set up.
  bool Active() const { return FActive; }
  TScreenSize Size() const;

  // Waits for input, at most TimeoutMs when that is not negative: the bytes
  // that arrived, empty when the time ran out or a resize or a continued
  // stop woke the wait, nothing at the end of the input or once an ending
  // signal came.
  std::optional<std::string> Read(int TimeoutMs = -1);
  void Write(std::string_view Bytes);
  // Stops the process as Ctrl-Z does elsewhere; returns once it continues,
  // the terminal set up again and in need of drawing.
  void Suspend();

 private:
  bool FActive = false;
};

}  // namespace quintar::terminal
