// What the brain tests share: a brain spoken to line by line, and a referee
// for games played through the protocol.
#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "Brain.h"

namespace quintar::brain::testing {

// Sends one line at a time and hands back what the brain answered to it. The
// brain is seeded, so its choices among equally good cells are the same in
// every run.
class TBrainSession {
 public:
  explicit TBrainSession(TLevel Level = TLevel::High, std::uint64_t Seed = 1, TTimeSource& Time = SteadyTime())
      : FBrain(Level, Seed, Time) {}
  std::string operator()(std::string_view Line) {
    std::ostringstream Out;
    FBrain.Command(Line, Out);
    return Out.str();
  }
  TBrain& Brain() { return FBrain; }

 private:
  TBrain FBrain;
};

// A board the test keeps itself: 0 empty, else the number of the player.
class TReferee {
 public:
  TReferee(int Width, int Height) : FWidth(Width), FHeight(Height), FCells(Width * Height, 0) {}
  // Parses "x,y\n"; false for anything that is not an empty cell on the board.
  bool Play(const std::string& Answer, int Player, int& X, int& Y);
  bool FiveThrough(int X, int Y) const;
  bool Full() const;
  // Whether Player, to move, has nothing to think about: it opens the game,
  // wins in one, must block the other's five, or has one cell left.
  bool Forced(int Player);

 private:
  int At(int X, int Y) const;
  int FWidth;
  int FHeight;
  std::vector<int> FCells;
};

}  // namespace quintar::brain::testing
