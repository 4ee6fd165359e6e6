// Controls: a component with a size and mouse, click, focus and resize
// events (TControl), and one that paints itself onto its own pixel surface
// (TCustomControl). A control never knows which toolkit shows it: a host
// installs itself through the narrow TControlHost seam, delivers input
// through the public entry points, and shows the surface's pixels.
#pragma once

#include <functional>

#include "Classes.h"
#include "Graphics.h"
#include "Surface.h"
#include "TypInfo.h"
#include "Types.h"

namespace vcl {

class TControl;

using TMouseEvent = TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TEvent<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

// What a toolkit provides to the controls it shows.
class TControlHost {
 public:
  virtual ~TControlHost() = default;
  // The control wants a full repaint; the host calls Update() when it is
  // ready to show the result.
  virtual void InvalidateRequested(TControl& Control) = 0;
};

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);

  // Bounds. Width and Height are clamped to 0 .. TSurface::MaxExtent.
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetWidth(int AWidth) { SetBounds(FLeft, FTop, AWidth, FHeight); }
  void SetHeight(int AHeight) { SetBounds(FLeft, FTop, FWidth, AHeight); }
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign AAlign) { FAlign = AAlign; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool AVisible);

  // The host that shows this control; null when none does.
  TControlHost* Host() const { return FHost; }
  void SetHost(TControlHost* AHost) { FHost = AHost; }

  // Entry points through which a host delivers input. Each raises the
  // matching event when it is assigned.
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void Click();
  virtual void DblClick();
  virtual void DoEnter();
  virtual void DoExit();

  // Marks the control for a full repaint and tells the host.
  void Invalidate();
  bool Invalidated() const { return FInvalidated; }
  // Paints now if marked.
  virtual void Update();
  // Paints now.
  void Repaint();

  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TNotifyEvent OnResize;

 protected:
  // Runs after the size changed, before OnResize.
  virtual void SizeChanged() {}
  void ClearInvalidated() { FInvalidated = false; }

 private:
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  TAlign FAlign = alNone;
  bool FVisible = true;
  bool FInvalidated = false;
  TControlHost* FHost = nullptr;
};

class TCustomControl : public TControl {
 public:
  explicit TCustomControl(TComponent* AOwner);

  TCanvas& Canvas() { return FCanvas; }
  const TCanvas& Canvas() const { return FCanvas; }
  const TSurface& Surface() const { return FSurface; }

  void Update() override;

  // The area drawn since the last call: hosts show it after delivering input
  // or setting a property, since such calls draw at once, outside Paint.
  TRect TakeChangedArea() { return FSurface.TakeChangedArea(); }

 protected:
  // Draws the whole control. Update and Repaint call it.
  virtual void Paint() {}
  void SizeChanged() override;

 private:
  TSurface FSurface;
  TCanvas FCanvas{FSurface};
};

// What every control publishes, for a class to list among its own: the
// properties Align and Visible, and the mouse, click, focus and resize events.
std::vector<TPropertyInfo> PublishedControlProperties();
std::vector<TPropertyInfo> PublishedControlEvents();

}  // namespace vcl
