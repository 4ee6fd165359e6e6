#include "vcl/Controls.h"

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

}  // namespace vcl
