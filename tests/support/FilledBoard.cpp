#include "FilledBoard.h"

#include "QuintarAccess.h"

namespace quintar {

void FillBoard(TQuintar& Control, int Mark) {
  for (int Col = 0; Col < Control.ColCount(); ++Col)
    for (int Row = 0; Row < Control.RowCount(); ++Row) TQuintarAccess::SetCell(Control, Col, Row, Mark);
}

}  // namespace quintar
