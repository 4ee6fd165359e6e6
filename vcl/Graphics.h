// The canvas a control draws on, with its pen and brush, following the
// classic raster rules:
//  - right and bottom edges are exclusive: FillRect(0, 0, 2, 2) fills 2 x 2;
//  - a one-pixel Rectangle outline covers columns X1 and X2 - 1 and rows Y1
//    and Y2 - 1 and fills the inside with the brush; Ellipse fits the same box
//    (its path runs through the centres of those columns and rows);
//  - a one-pixel LineTo leaves out its end point; a one-pixel line or
//    ellipse outline has one pixel per step along its longer direction;
//  - a pen of width 0 draws one pixel wide; a wider pen sweeps a disc of its
//    width along the path and covers the pixels whose centres the disc
//    passes over (edge included): lines get round ends, ellipses a ring of
//    even thickness. An even width cannot be centred on a pixel, so its disc
//    sits half a pixel up and left: width w covers w pixels across, from
//    offset -w/2 to (w-1)/2, as a Rectangle's outline does;
//  - everything is clipped to the surface, whatever the coordinates.
#pragma once

#include <vector>

#include "ShapeCache.h"
#include "Surface.h"
#include "Types.h"

namespace vcl {

class TPen {
 public:
  TColor Color() const { return FColor; }
  void SetColor(TColor AColor) { FColor = AColor; }
  int Width() const { return FWidth; }
  // A negative width is taken as 0.
  void SetWidth(int AWidth) { FWidth = AWidth < 0 ? 0 : AWidth; }

 private:
  TColor FColor = clBlack;
  int FWidth = 1;
};

class TBrush {
 public:
  TColor Color() const { return FColor; }
  void SetColor(TColor AColor) { FColor = AColor; }

 private:
  TColor FColor = clWhite;
};

// One drawing call as a test or a tool sees it, with the pen and brush in
// force when it was made. MoveTo uses X1, Y1 only.
enum class TCanvasOperation { FillRect, Rectangle, Ellipse, MoveTo, LineTo };

struct TCanvasCall {
  TCanvasOperation Operation;
  int X1, Y1, X2, Y2;
  TColor PenColor;
  int PenWidth;
  TColor BrushColor;
  friend bool operator==(const TCanvasCall&, const TCanvasCall&) = default;
};

class TCanvasObserver {
 public:
  virtual ~TCanvasObserver() = default;
  virtual void CanvasCalled(const TCanvasCall& Call) = 0;
};

// Keeps every call it observes, in order.
class TCanvasRecorder : public TCanvasObserver {
 public:
  void CanvasCalled(const TCanvasCall& Call) override { FCalls.push_back(Call); }
  const std::vector<TCanvasCall>& Calls() const { return FCalls; }
  void Clear() { FCalls.clear(); }

 private:
  std::vector<TCanvasCall> FCalls;
};

class TCanvas {
 public:
  explicit TCanvas(TSurface& ASurface) : FSurface(ASurface) {}

  TPen& Pen() { return FPen; }
  const TPen& Pen() const { return FPen; }
  TBrush& Brush() { return FBrush; }
  const TBrush& Brush() const { return FBrush; }

  void FillRect(const TRect& Rect);
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  TPoint PenPos() const { return FPenPos; }

  TColor Pixels(int X, int Y) const { return FSurface.Pixel(X, Y); }

  // Null stops observing. The observer must outlive its registration.
  void SetObserver(TCanvasObserver* Observer) { FObserver = Observer; }

 private:
  void Notify(TCanvasOperation Operation, int X1, int Y1, int X2, int Y2);
  int LineWidth() const { return FPen.Width() < 1 ? 1 : FPen.Width(); }
  void ThinLine(TPoint From, TPoint To);
  void WideLine(TPoint From, TPoint To);

  TSurface& FSurface;
  TShapeCache FShapes;
  TPen FPen;
  TBrush FBrush;
  TPoint FPenPos;
  TCanvasObserver* FObserver = nullptr;
};

}  // namespace vcl
