// Types the input's bytes into the terminal game as a raw terminal would
// deliver them: keys, escape sequences and mouse reports go through the
// decoder, finished lines through the command reader into the game, presses
// onto the control. After every command and press the control's state must
// agree with an independent scan of its board.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Commands.h"
#include "Game.h"
#include "InputDecoder.h"
#include "Invariants.h"

namespace {

void ExpectConsistent(const quintar::TQuintar& Control) {
  const std::string Broken = quintar::testing::InvariantViolation(Control);
  if (Broken.empty()) return;
  std::fprintf(stderr, "invariant broken: %s\n", Broken.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  using quintar::terminal::TInputEvent;
  quintar::terminal::TGame Game(3, 1);
  quintar::terminal::TInputDecoder Decoder;
  std::vector<TInputEvent> Events;
  std::string Line;
  for (std::size_t I = 0; I < Size; ++I) {
    Events.clear();
    Decoder.Feed(static_cast<char>(Data[I]), Events);
    for (const TInputEvent& Event : Events) {
      switch (Event.Kind) {
        case TInputEvent::TKind::Character:
          if (Line.size() < 256) Line += Event.Character;
          break;
        case TInputEvent::TKind::Erase:
          if (!Line.empty()) Line.pop_back();
          break;
        case TInputEvent::TKind::EraseLine: Line.clear(); break;
        case TInputEvent::TKind::Enter:
          if (Game.Execute(quintar::terminal::ParseCommand(Line)).Quit) return 0;
          Line.clear();
          ExpectConsistent(Game.Control());
          break;
        case TInputEvent::TKind::MousePress:
          Game.Press(Event.Button, Event.Shift, Event.X, Event.Y);
          ExpectConsistent(Game.Control());
          break;
        case TInputEvent::TKind::Suspend:  // the process's business, not the game's
        case TInputEvent::TKind::Escape:
        case TInputEvent::TKind::PageUp:
        case TInputEvent::TKind::PageDown: break;
        case TInputEvent::TKind::Interrupt:
        case TInputEvent::TKind::EndOfInput: return 0;
      }
    }
  }
  return 0;
}
