#include "Controls.h"

#include <algorithm>

namespace vcl {

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  FLeft = ALeft;
  FTop = ATop;
  AWidth = std::clamp(AWidth, 0, TSurface::MaxExtent);
  AHeight = std::clamp(AHeight, 0, TSurface::MaxExtent);
  if (AWidth == FWidth && AHeight == FHeight) return;
  FWidth = AWidth;
  FHeight = AHeight;
  SizeChanged();
  Invalidate();
  Raise(OnResize, this);
}

void TControl::SetVisible(bool AVisible) {
  if (AVisible == FVisible) return;
  FVisible = AVisible;
  Invalidate();
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  Raise(OnMouseDown, this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  Raise(OnMouseUp, this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) { Raise(OnMouseMove, this, Shift, X, Y); }

void TControl::Click() { Raise(OnClick, this); }

void TControl::DblClick() { Raise(OnDblClick, this); }

void TControl::DoEnter() { Raise(OnEnter, this); }

void TControl::DoExit() { Raise(OnExit, this); }

void TControl::Invalidate() {
  FInvalidated = true;
  if (FHost) FHost->InvalidateRequested(*this);
}

void TControl::Update() { FInvalidated = false; }

void TControl::Repaint() {
  FInvalidated = true;
  Update();
}

TCustomControl::TCustomControl(TComponent* AOwner) : TControl(AOwner) {}

void TCustomControl::Update() {
  if (!Invalidated()) return;
  // Cleared first: a Paint that invalidates again asks for another one.
  ClearInvalidated();
  Paint();
}

void TCustomControl::SizeChanged() { FSurface.Resize(Width(), Height()); }

std::vector<TPropertyInfo> PublishedControlProperties() {
  return {
      EnumProperty<TControl, TAlign>("Align", "TAlign",
                                     {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}, &TControl::Align,
                                     &TControl::SetAlign, alNone),
      BooleanProperty<TControl>("Visible", &TControl::Visible, &TControl::SetVisible, true),
  };
}

std::vector<TPropertyInfo> PublishedControlEvents() {
  return {
      EventProperty("OnMouseDown", "TMouseEvent", &TControl::OnMouseDown),
      EventProperty("OnMouseUp", "TMouseEvent", &TControl::OnMouseUp),
      EventProperty("OnMouseMove", "TMouseMoveEvent", &TControl::OnMouseMove),
      EventProperty("OnClick", "TNotifyEvent", &TControl::OnClick),
      EventProperty("OnDblClick", "TNotifyEvent", &TControl::OnDblClick),
      EventProperty("OnEnter", "TNotifyEvent", &TControl::OnEnter),
      EventProperty("OnExit", "TNotifyEvent", &TControl::OnExit),
      EventProperty("OnResize", "TNotifyEvent", &TControl::OnResize),
  };
}

}  // namespace vcl
