// The test suites' view of a control's private state: set up positions that
// play alone cannot reach and read what the control keeps to itself.
#pragma once

#include "Quintar.h"

namespace quintar {

struct TQuintarAccess {
  static void SetCell(TQuintar& Control, int Col, int Row, int Mark) { Control.FBoard[Col][Row] = Mark; }
  static void SetTurn(TQuintar& Control, int Turn) { Control.FTurn = Turn; }
  static void SetLastMove(TQuintar& Control, vcl::TPoint Cell) { Control.FLastMove = Cell; }
  static vcl::TPoint PrevHighlight(const TQuintar& Control) { return Control.FPrevHighlight; }
  static const TPattern* Patterns(const TQuintar& Control) { return Control.FPatterns.get(); }
};

}  // namespace quintar
