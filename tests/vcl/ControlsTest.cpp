// Ownership, events, repaint requests and sizing of the control classes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Controls.h"

namespace vcl {
namespace {

// Records its own destruction into a shared log.
class TLoggedComponent : public TComponent {
 public:
  TLoggedComponent(TComponent* AOwner, std::string AName, std::vector<std::string>& ALog)
      : TComponent(AOwner), FLog(ALog) {
    SetName(std::move(AName));
  }
  ~TLoggedComponent() override { FLog.push_back(Name()); }

 private:
  std::vector<std::string>& FLog;
};

TEST(Ownership, OwnerFreesWhatItOwnsOnceLastCreatedFirst) {
  std::vector<std::string> Log;
  auto* Form = new TLoggedComponent(nullptr, "form", Log);
  auto* Panel = new TLoggedComponent(Form, "panel", Log);
  new TLoggedComponent(Panel, "button", Log);
  new TLoggedComponent(Form, "label", Log);
  EXPECT_EQ(Form->ComponentCount(), 2);
  EXPECT_EQ(Form->Components(0), Panel);
  EXPECT_EQ(Form->Components(2), nullptr);
  delete Form;
  // Each logs as its own destruction begins, before it frees what it owns.
  EXPECT_EQ(Log, (std::vector<std::string>{"form", "label", "panel", "button"}));
}

TEST(Ownership, ComponentFreedFirstLeavesItsOwnersList) {
  std::vector<std::string> Log;
  TLoggedComponent Form(nullptr, "form", Log);
  auto* First = new TLoggedComponent(&Form, "first", Log);
  new TLoggedComponent(&Form, "second", Log);
  delete First;
  ASSERT_EQ(Form.ComponentCount(), 1);
  EXPECT_EQ(Form.Components(0)->Name(), "second");
  EXPECT_EQ(Log, (std::vector<std::string>{"first"}));
}

TEST(Ownership, NullOwnerLeavesTheComponentToItsCreator) {
  std::vector<std::string> Log;
  {
    TLoggedComponent Alone(nullptr, "alone", Log);
    EXPECT_EQ(Alone.Owner(), nullptr);
  }
  EXPECT_EQ(Log, (std::vector<std::string>{"alone"}));
}

class TCountingHost : public TControlHost {
 public:
  void InvalidateRequested(TControl&) override { ++Requests; }
  int Requests = 0;
};

class TPaintCounter : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int Paints = 0;

 protected:
  void Paint() override {
    ++Paints;
    Canvas().Brush().SetColor(clYellow);
    Canvas().FillRect({0, 0, Width(), Height()});
  }
};

// A one-shot handler clears or replaces itself; what it captured must live
// until it returns.
TEST(Events, HandlerMayReplaceItselfWhileItRuns) {
  TPaintCounter Control(nullptr);
  std::vector<std::string> Seen;
  const std::string Label(64, 'x');  // too big to sit inside the handler object
  Control.OnClick = [&Control, &Seen, Label](TObject*) {
    Control.OnClick = nullptr;
    Seen.push_back(Label);
  };
  Control.Click();
  Control.Click();
  EXPECT_EQ(Seen, std::vector<std::string>{Label});
}

TEST(Events, InputEntryPointsRaiseOnlyAssignedEvents) {
  TPaintCounter Control(nullptr);
  // Nothing assigned: every entry point is a no-op.
  Control.MouseDown(mbLeft, TShiftState{}, 1, 2);
  Control.MouseUp(mbLeft, TShiftState{}, 1, 2);
  Control.MouseMove(TShiftState{}, 1, 2);
  Control.Click();
  Control.DblClick();
  Control.DoEnter();
  Control.DoExit();

  std::vector<std::string> Seen;
  Control.OnMouseDown = [&](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    EXPECT_EQ(Sender, &Control);
    EXPECT_EQ(Button, mbRight);
    EXPECT_TRUE(Shift.test(ssCtrl));
    Seen.push_back("down " + std::to_string(X) + "," + std::to_string(Y));
  };
  Control.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int X, int) {
    Seen.push_back("up " + std::to_string(X));
  };
  Control.OnMouseMove = [&](TObject*, TShiftState, int, int Y) { Seen.push_back("move " + std::to_string(Y)); };
  Control.OnClick = [&](TObject*) { Seen.push_back("click"); };
  Control.OnDblClick = [&](TObject*) { Seen.push_back("dblclick"); };
  Control.OnEnter = [&](TObject*) { Seen.push_back("enter"); };
  Control.OnExit = [&](TObject*) { Seen.push_back("exit"); };
  Control.DoEnter();
  Control.MouseDown(mbRight, TShiftState{}.set(ssCtrl), 3, 4);
  Control.MouseMove(TShiftState{}, 5, 6);
  Control.MouseUp(mbRight, TShiftState{}, 7, 8);
  Control.Click();
  Control.DblClick();
  Control.DoExit();
  EXPECT_EQ(Seen, (std::vector<std::string>{"enter", "down 3,4", "move 6", "up 7", "click", "dblclick", "exit"}));
}

TEST(Repaint, InvalidateMarksAndTellsTheHostButDoesNotPaint) {
  TPaintCounter Control(nullptr);
  TCountingHost Host;
  Control.SetHost(&Host);
  Control.Invalidate();
  EXPECT_TRUE(Control.Invalidated());
  EXPECT_EQ(Host.Requests, 1);
  EXPECT_EQ(Control.Paints, 0);
}

TEST(Repaint, UpdatePaintsOnlyWhenMarkedAndRepaintAlways) {
  TPaintCounter Control(nullptr);
  Control.Update();
  EXPECT_EQ(Control.Paints, 0);
  Control.Invalidate();
  Control.Update();
  Control.Update();
  EXPECT_EQ(Control.Paints, 1);
  EXPECT_FALSE(Control.Invalidated());
  Control.Repaint();
  EXPECT_EQ(Control.Paints, 2);
}

TEST(Sizing, SurfaceFollowsEveryResize) {
  TPaintCounter Control(nullptr);
  TCountingHost Host;
  Control.SetHost(&Host);
  int Resizes = 0;
  Control.OnResize = [&](TObject*) { ++Resizes; };
  Control.SetWidth(120);
  Control.SetHeight(80);
  EXPECT_EQ(Control.Surface().Width(), 120);
  EXPECT_EQ(Control.Surface().Height(), 80);
  Control.SetBounds(5, 6, 30, 40);
  EXPECT_EQ(Control.Left(), 5);
  EXPECT_EQ(Control.Top(), 6);
  EXPECT_EQ(Control.Surface().Width(), 30);
  EXPECT_EQ(Control.Surface().Height(), 40);
  EXPECT_EQ(Resizes, 3);
  EXPECT_EQ(Host.Requests, 3);  // a new size needs a full repaint
  Control.SetWidth(30);         // unchanged: no event
  EXPECT_EQ(Resizes, 3);
  Control.Repaint();
  EXPECT_EQ(Control.Canvas().Pixels(29, 39), clYellow);
  EXPECT_EQ(Control.Canvas().Pixels(30, 39), clInvalid);
}

TEST(Sizing, ImpossibleSizesAreClamped) {
  TPaintCounter Control(nullptr);
  Control.SetBounds(0, 0, -5, TSurface::MaxExtent + 1);
  EXPECT_EQ(Control.Width(), 0);
  EXPECT_EQ(Control.Height(), TSurface::MaxExtent);
  EXPECT_EQ(Control.Surface().Width(), 0);
  Control.Repaint();  // paints into nothing, safely
  EXPECT_EQ(Control.Canvas().Pixels(0, 0), clInvalid);
}

TEST(Sizing, AlignAndVisibleAreStored) {
  TPaintCounter Control(nullptr);
  EXPECT_EQ(Control.Align(), alNone);
  EXPECT_TRUE(Control.Visible());
  Control.SetAlign(alClient);
  Control.SetVisible(false);
  EXPECT_EQ(Control.Align(), alClient);
  EXPECT_FALSE(Control.Visible());
  EXPECT_TRUE(Control.Invalidated());
}

}  // namespace
}  // namespace vcl
