#include "InputDecoder.h"

#include "TextUtil.h"

namespace quintar::terminal {
namespace {

// No sequence the game cares for is longer; the rest of a longer one is
// still swallowed, just not kept.
constexpr std::size_t MaxParameters = 32;

constexpr char Escape = '\x1b';

TInputEvent Key(TInputEvent::TKind Kind) { return {Kind}; }

}  // namespace

bool MousePressFrom(int Code, int Column, int Line, TInputEvent& Press) {
  constexpr int ShiftBit = 4, AltBit = 8, CtrlBit = 16, MotionBit = 32, WheelBit = 64;
  const int Button = Code & 3;
  if ((Code & (MotionBit | WheelBit)) != 0 || Button == 3 || Column < 1 || Line < 1) return false;
  Press = Key(TInputEvent::TKind::MousePress);
  Press.Button = Button == 0 ? vcl::mbLeft : Button == 1 ? vcl::mbMiddle : vcl::mbRight;
  Press.Shift.set(Button == 0 ? vcl::ssLeft : Button == 1 ? vcl::ssMiddle : vcl::ssRight);
  if (Code & ShiftBit) Press.Shift.set(vcl::ssShift);
  if (Code & AltBit) Press.Shift.set(vcl::ssAlt);
  if (Code & CtrlBit) Press.Shift.set(vcl::ssCtrl);
  Press.X = Column - 1;
  Press.Y = Line - 1;
  return true;
}

void TInputDecoder::Feed(char Byte, std::vector<TInputEvent>& Events) {
  switch (FState) {
    case TState::Ground:
      if (Byte == Escape) {
        FState = TState::Escape;
      } else if (Byte == '\r' || Byte == '\n') {
        Events.push_back(Key(TInputEvent::TKind::Enter));
      } else if (Byte == '\x7f' || Byte == '\b') {
        Events.push_back(Key(TInputEvent::TKind::Erase));
      } else if (Byte == '\x15') {  // Ctrl-U
        Events.push_back(Key(TInputEvent::TKind::EraseLine));
      } else if (Byte == '\x03') {  // Ctrl-C
        Events.push_back(Key(TInputEvent::TKind::Interrupt));
      } else if (Byte == '\x04') {  // Ctrl-D
        Events.push_back(Key(TInputEvent::TKind::EndOfInput));
      } else if (Byte == '\x1a') {  // Ctrl-Z
        Events.push_back(Key(TInputEvent::TKind::Suspend));
      } else if (static_cast<unsigned char>(Byte) >= 0x20) {  // printable ASCII, or a byte of a UTF-8 character
        TInputEvent Typed = Key(TInputEvent::TKind::Character);
        Typed.Character = Byte;
        Events.push_back(Typed);
      }
      return;
    case TState::Escape:
      if (Byte == '[' || Byte == 'O') {
        FState = TState::Sequence;
        FIntroducer = Byte;
        FParameters.clear();
        FOverlong = false;
      } else {
        // A lone Escape key: dropped, and the byte after it is typed as usual.
        FState = TState::Ground;
        Feed(Byte, Events);
      }
      return;
    case TState::Sequence: {
      const auto Code = static_cast<unsigned char>(Byte);
      if (Code >= 0x40 && Code <= 0x7e) return FinishSequence(Byte, Events);
      if (Code < 0x20 || Code > 0x7e) {  // not part of any sequence: give up on it
        FState = TState::Ground;
        return Feed(Byte, Events);
      }
      if (FParameters.size() < MaxParameters)
        FParameters.push_back(Byte);
      else
        FOverlong = true;
      return;
    }
    case TState::FixedMouse:
      FParameters.push_back(Byte);
      if (FParameters.size() == 3) {
        FState = TState::Ground;
        TInputEvent Press;
        const auto Value = [this](int I) { return static_cast<unsigned char>(FParameters[I]) - 32; };
        if (MousePressFrom(Value(0), Value(1), Value(2), Press)) Events.push_back(Press);
      }
      return;
  }
}

void TInputDecoder::EndOfBurst(std::vector<TInputEvent>& Events) {
  if (FState != TState::Escape) return;
  FState = TState::Ground;
  Events.push_back(Key(TInputEvent::TKind::Escape));
}

void TInputDecoder::FinishSequence(char Final, std::vector<TInputEvent>& Events) {
  FState = TState::Ground;
  if (FOverlong || FIntroducer != '[') return;
  if (Final == '~' && (FParameters == "5" || FParameters == "6")) {
    Events.push_back(Key(FParameters == "5" ? TInputEvent::TKind::PageUp : TInputEvent::TKind::PageDown));
    return;
  }
  // Only presses matter: 'm' ends the report of a release.
  if (Final != 'M') return;
  if (FParameters.empty()) {
    FState = TState::FixedMouse;
    return;
  }
  if (FParameters[0] != '<') return;
  const std::vector<std::string_view> Fields = SplitAny(std::string_view(FParameters).substr(1), ";");
  if (Fields.size() != 3) return;
  const std::optional<int> Code = IntegerFrom(Fields[0], false);
  const std::optional<int> Column = IntegerFrom(Fields[1], false);
  const std::optional<int> Line = IntegerFrom(Fields[2], false);
  TInputEvent Press;
  if (Code && Column && Line && MousePressFrom(*Code, *Column, *Line, Press)) Events.push_back(Press);
}

}  // namespace quintar::terminal
