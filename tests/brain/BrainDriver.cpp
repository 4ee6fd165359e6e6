#include "BrainDriver.h"

namespace quintar::brain::testing {

bool TReferee::Play(const std::string& Answer, int Player, int& X, int& Y) {
  char Comma = 0, End = 0;
  std::istringstream In(Answer);
  if (!(In >> X >> Comma >> Y) || Comma != ',' || !In.get(End) || End != '\n') return false;
  if (At(X, Y) != 0) return false;
  FCells[Y * FWidth + X] = Player;
  return true;
}

int TReferee::At(int X, int Y) const {
  return X < 0 || X >= FWidth || Y < 0 || Y >= FHeight ? -1 : FCells[Y * FWidth + X];
}

bool TReferee::FiveThrough(int X, int Y) const {
  const int Player = At(X, Y);
  const int Steps[4][2] = {{1, 0}, {0, 1}, {1, 1}, {1, -1}};
  for (const auto& Step : Steps) {
    int Run = 1;
    for (int Sign : {-1, 1})
      for (int I = 1; At(X + Sign * I * Step[0], Y + Sign * I * Step[1]) == Player; ++I) ++Run;
    if (Run >= 5) return true;
  }
  return false;
}

bool TReferee::Full() const {
  for (const int Cell : FCells)
    if (Cell == 0) return false;
  return true;
}

bool TReferee::Forced(int Player) {
  int Empty = 0;
  bool MakesFive = false;
  for (int X = 0; X < FWidth; ++X)
    for (int Y = 0; Y < FHeight; ++Y) {
      int& Cell = FCells[Y * FWidth + X];
      if (Cell != 0) continue;
      ++Empty;
      for (const int Mark : {Player, 3 - Player}) {
        Cell = Mark;
        MakesFive = MakesFive || FiveThrough(X, Y);
      }
      Cell = 0;
    }
  return MakesFive || Empty == 1 || Empty == FWidth * FHeight;
}

}  // namespace quintar::brain::testing
