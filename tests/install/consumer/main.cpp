// Plays a whole game, the computer answering every move, and prints the
// events as they come. Exits 0 when the game ended with a winner or a draw.
#include <cstdio>

#include "Quintar.h"

int main() {
  quintar::TQuintar Board(nullptr);
  Board.OnLegalMove = [&Board](vcl::TObject*) {
    const vcl::TPoint Cell = Board.LastMove();
    std::printf("%s on %d,%d\n", Board.Turn() == 1 ? "nought" : "cross", Cell.X + 1, Cell.Y + 1);
  };
  Board.OnCrossWon = [](vcl::TObject*) { std::puts("crosses won"); };
  Board.OnNoughtWon = [](vcl::TObject*) { std::puts("noughts won"); };
  Board.OnDraw = [](vcl::TObject*) { std::puts("draw"); };
  // The human side walks along the first free cells; the computer answers.
  for (int Col = 1; Col <= Board.ColCount() && !Board.GameOver(); ++Col)
    for (int Row = 1; Row <= Board.RowCount() && !Board.GameOver(); ++Row)
      if (Board.Cell(Col - 1, Row - 1) == 0) Board.Move(Col, Row);
  return Board.GameOver() ? 0 : 1;
}
