// Drives one control with operations decoded from the input: moves at any
// cell, presses at any pixel, computer moves, every property written with
// any value (directly and as text), new games, resizes to any size, paints,
// and event handlers that themselves run decoded operations, re-entrantly,
// to a bounded depth. After every top-level operation the control's whole
// state must be consistent with an independent scan of its board.
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "Invariants.h"
#include "Quintar.h"
#include "Registry.h"

namespace quintar::fuzz {
namespace {

// Handlers may run handlers in turn, but only so deep and so often per input,
// or a few bytes could ask for exponential work.
constexpr int MaxHandlerDepth = 3;
constexpr int MaxNestedOperations = 64;
constexpr std::int64_t MaxQuickArea = 1 << 20;

enum TOperation : std::uint8_t {
  opMove,
  opPress,
  opComputerMove,
  opNewGame,
  opSetProperty,
  opSetPropertyText,
  opResize,
  opPaint,
  opOtherInput,
  opSetHandler,
  opClearHandler,
  OperationCount
};

class TSession {
 public:
  // A small control keeps each execution quick; resizes reach every size.
  TSession() { FControl.SetBounds(0, 0, 100, 100); }

  void Run(TFuzzInput& Input) {
    std::srand(0);
    while (!Input.Exhausted()) {
      Perform(Input);
      const std::string Broken = testing::InvariantViolation(FControl);
      if (!Broken.empty()) {
        std::fprintf(stderr, "invariant broken: %s\n", Broken.c_str());
        std::abort();
      }
    }
  }

 private:
  // Every value is read into a local of its own before it is used: the
  // order in which a call's arguments are evaluated differs between
  // compilers, and a saved input must replay the same everywhere.
  void Perform(TFuzzInput& Input) {
    switch (static_cast<TOperation>(Input.Byte() % OperationCount)) {
      case opMove: {
        const int Col = Input.Around(-2, 52);
        const int Row = Input.Around(-2, 52);
        FControl.Move(Col, Row);
        break;
      }
      case opPress: {
        const auto Button = static_cast<vcl::TMouseButton>(Input.Byte() % 3);
        const vcl::TShiftState Shift(Input.Byte());
        const int X = Input.Around(-20, FControl.Width() + 20);
        const int Y = Input.Around(-20, FControl.Height() + 20);
        FControl.MouseDown(Button, Shift, X, Y);
        break;
      }
      case opComputerMove: FControl.ComputerMove(); break;
      case opNewGame: FControl.NewGame(); break;
      case opSetProperty: {
        const vcl::TPropertyInfo& Property = AnyProperty(Input);
        const int Value = Input.Around(-8, 60);
        if (!Property.IsReadOnly()) Property.Set(FControl, Value);
        break;
      }
      case opSetPropertyText: {
        const vcl::TPropertyInfo& Property = AnyProperty(Input);
        const std::string Name(Input.Byte() < 16 ? Input.Text() : std::string_view(Property.Name));
        const std::string_view Value = Input.Text();
        vcl::SetPropertyText(FControl, TQuintar::ClassInfo(), Name, Value);
        break;
      }
      case opResize: {
        const int Left = Input.Around(-5, 5);
        const int Top = Input.Around(-5, 5);
        const int Width = Input.Around(-5, 160);
        const int Height = Input.Around(-5, 160);
        FControl.SetBounds(Left, Top, Width, Height);
        // The clamp to the largest surface has been met; painting one that
        // size hundreds of times over would only make the input slow.
        if (std::int64_t{FControl.Width()} * FControl.Height() > MaxQuickArea) FControl.SetBounds(0, 0, 64, 64);
        break;
      }
      case opPaint: Paint(Input.Byte() % 3); break;
      case opOtherInput: OtherInput(Input); break;
      case opSetHandler: {
        const std::uint8_t Event = Input.Byte();
        SetHandler(Event, std::string(Input.Text()));
        break;
      }
      case opClearHandler: SetHandler(Input.Byte(), std::string()); break;
      case OperationCount: break;
    }
  }

  const vcl::TPropertyInfo& AnyProperty(TFuzzInput& Input) {
    const auto& Properties = TQuintar::ClassInfo().Properties;
    return Properties[Input.Byte() % Properties.size()];
  }

  void Paint(int How) {
    if (How == 0) FControl.Repaint();
    if (How == 1) FControl.Update();
    if (How == 2) FControl.DrawGraphics();
  }

  void OtherInput(TFuzzInput& Input) {
    const int X = Input.Around(-20, 180);
    const int Y = Input.Around(-20, 180);
    switch (Input.Byte() % 6) {
      case 0: FControl.MouseUp(vcl::mbLeft, vcl::TShiftState{}, X, Y); break;
      case 1: FControl.MouseMove(vcl::TShiftState{}, X, Y); break;
      case 2: FControl.Click(); break;
      case 3: FControl.DblClick(); break;
      case 4: FControl.DoEnter(); break;
      default: FControl.DoExit(); break;
    }
  }

  // The handler replays Script as operations each time it is raised; an
  // empty script clears the event. Replacing the running handler from inside
  // itself is one of the things a script may do.
  void SetHandler(std::uint8_t Which, std::string Script) {
    vcl::TNotifyEvent Handler;
    if (!Script.empty()) Handler = [this, Script = std::move(Script)](vcl::TObject*) { RunScript(Script); };
    std::array<vcl::TNotifyEvent*, 8> Events = {&FControl.OnLegalMove, &FControl.OnIllegalMove, &FControl.OnDraw,
                                                &FControl.OnCrossWon,  &FControl.OnNoughtWon,   &FControl.OnComputerWon,
                                                &FControl.OnUserWon,   &FControl.OnResize};
    if (Which % 9 < Events.size()) {
      *Events[Which % 9] = Handler;
    } else if (Handler) {
      FControl.OnMouseDown = [Handler](vcl::TObject* Sender, vcl::TMouseButton, vcl::TShiftState, int, int) {
        Handler(Sender);
      };
    } else {
      FControl.OnMouseDown = nullptr;
    }
  }

  // Depth counts handlers running inside one another right now.
  void RunScript(const std::string& Script) {
    if (FDepth == MaxHandlerDepth) return;
    ++FDepth;
    TFuzzInput Input(reinterpret_cast<const std::uint8_t*>(Script.data()), Script.size());
    while (!Input.Exhausted() && FNestedOperations < MaxNestedOperations) {
      ++FNestedOperations;
      Perform(Input);
    }
    --FDepth;
  }

  TQuintar FControl{nullptr};
  int FDepth = 0;
  int FNestedOperations = 0;
};

}  // namespace
}  // namespace quintar::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  quintar::fuzz::TFuzzInput Input(Data, Size);
  quintar::fuzz::TSession Session;
  Session.Run(Input);
  return 0;
}
