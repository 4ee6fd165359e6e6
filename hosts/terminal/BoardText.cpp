#include "BoardText.h"

#include <algorithm>

namespace quintar::terminal {
namespace {

// One cell as its three characters with the colour of each.
struct TCellGlyphs {
  char Chars[3];
  vcl::TColor Colors[3];
};

bool IsWinCell(const TQuintar& Control, vcl::TPoint Cell) {
  if (!Control.ShowQuintar() || !Control.WinFound()) return false;
  const auto Cells = Control.WinCells();
  return std::find(Cells.begin(), Cells.end(), Cell) != Cells.end();
}

TCellGlyphs GlyphsOf(const TQuintar& Control, vcl::TPoint Cell, bool Colored, std::optional<vcl::TPoint> Hint) {
  if (Hint == Cell && Control.Cell(Cell.X, Cell.Y) == 0) {
    const vcl::TColor Color = Control.HighlightColor();
    return {{'<', '+', '>'}, {Color, Color, Color}};
  }
  const int Mark = Control.Cell(Cell.X, Cell.Y);
  const bool Won = IsWinCell(Control, Cell);
  const bool Boxed = Control.ShowHighlight() && Control.LastMove() == Cell;
  const char Middle = Mark == 1 ? 'X' : Mark == -1 ? 'O' : '.';
  const vcl::TColor MarkColor = Won         ? Control.QuintarColor()
                                : Mark == 1 ? Control.CrossColor()
                                : Mark == -1 ? Control.NoughtColor()
                                             : Control.GridLineColor();
  // Without colour the winning five needs a sign of its own.
  const char Left = Boxed ? '[' : Won && !Colored ? '(' : ' ';
  const char Right = Boxed ? ']' : Won && !Colored ? ')' : ' ';
  const vcl::TColor Frame = Boxed ? Control.HighlightColor() : MarkColor;
  return {{Left, Middle, Right}, {Frame, MarkColor, Frame}};
}

// A column or row number right-aligned in two characters, then a space.
std::string Label(int Number) {
  std::string Text = std::to_string(Number);
  if (Text.size() < 2) Text.insert(0, 2 - Text.size(), ' ');
  return Text + ' ';
}

void TrimRight(std::string& Line) { Line.erase(Line.find_last_not_of(' ') + 1); }

std::string HeaderLine(const TQuintar& Control) {
  std::string Line(BoardLeft, ' ');
  // The units digit stands above the mark, the middle of its cell.
  for (int Col = 1; Col <= Control.ColCount(); ++Col) Line += Label(Col);
  TrimRight(Line);
  return Line;
}

std::string RowLine(const TQuintar& Control, int Row, TColorDepth Depth, std::optional<vcl::TPoint> Hint) {
  const bool Colored = Depth != TColorDepth::None;
  std::string Line = Label(Row + 1);
  if (Colored) Line += Background(Control.Color(), Depth);
  vcl::TColor Current = vcl::clInvalid;
  for (int Col = 0; Col < Control.ColCount(); ++Col) {
    const TCellGlyphs Glyphs = GlyphsOf(Control, {Col, Row}, Colored, Hint);
    for (int I = 0; I < 3; ++I) {
      if (Colored && Glyphs.Colors[I] != Current) {
        Current = Glyphs.Colors[I];
        Line += Foreground(Current, Depth);
      }
      Line += Glyphs.Chars[I];
    }
  }
  if (Colored)
    Line += ResetColors;
  else
    TrimRight(Line);
  return Line;
}

}  // namespace

std::vector<std::string> BoardText(const TQuintar& Control, TColorDepth Depth, std::optional<vcl::TPoint> Hint) {
  std::vector<std::string> Lines{HeaderLine(Control)};
  for (int Row = 0; Row < Control.RowCount(); ++Row) Lines.push_back(RowLine(Control, Row, Depth, Hint));
  return Lines;
}

}  // namespace quintar::terminal
