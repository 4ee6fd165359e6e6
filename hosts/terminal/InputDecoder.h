// Keys and mouse presses from the bytes a terminal sends in raw mode. Escape
// sequences are taken apart here: a mouse press in the SGR form the game asks
// for (ESC [ < b ; x ; y M) or in the older fixed-length form (ESC [ M b x y),
// and Page Up and Page Down; any other sequence (arrows, function keys) is
// swallowed whole, so none of its bytes leaks into the command being typed.
// State is a few bytes at most, whatever arrives.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Types.h"

namespace quintar::terminal {

struct TInputEvent {
  enum class TKind : std::uint8_t {
    Character,
    Enter,
    Erase,
    EraseLine,
    Interrupt,
    EndOfInput,
    Suspend,
    Escape,
    PageUp,
    PageDown,
    MousePress
  };
  TKind Kind;
  // For TKind::Character: printable ASCII, or one byte of a character
  // beyond it, as the terminal sends it (UTF-8).
  char Character = 0;
  vcl::TMouseButton Button = vcl::mbLeft;
  vcl::TShiftState Shift{};
  // 0-based terminal column and line of a press.
  int X = 0;
  int Y = 0;
};

class TInputDecoder {
 public:
  // Appends what Byte completes to Events.
  void Feed(char Byte, std::vector<TInputEvent>& Events);
  // The bytes that arrived together are all fed. A terminal sends a key's
  // sequence in one go, so an Escape that ends them was the Escape key
  // alone, and the next byte is typed as usual (the O of "Open", say).
  void EndOfBurst(std::vector<TInputEvent>& Events);

 private:
  enum class TState : std::uint8_t { Ground, Escape, Sequence, FixedMouse };
  void FinishSequence(char Final, std::vector<TInputEvent>& Events);

  TState FState = TState::Ground;
  char FIntroducer = 0;  // '[' or 'O'
  // Parameter bytes of the sequence in progress, bounded.
  std::string FParameters;
  bool FOverlong = false;
};

// The press a mouse report describes: its button code (buttons, modifier and
// motion bits) and 1-based position. False for releases, motion and wheel.
bool MousePressFrom(int Code, int Column, int Line, TInputEvent& Press);

}  // namespace quintar::terminal
