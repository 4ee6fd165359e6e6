// Thousands of games between the computer and a random player on random
// boards: after every call the referee's verdicts agree with a scan of the
// whole board, the events come in the promised order, and the whole state
// stays consistent.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "Invariants.h"
#include "Quintar.h"

namespace quintar::testing {
namespace {

// One raised event, with what the board showed when it was raised.
struct TSeen {
  std::string Name;
  int Side = 0;       // for LegalMove: the side whose mark was just placed
  bool Five = false;  // for LegalMove: a five stood on the board
  bool Full = false;  // for LegalMove: no empty cell was left
};

class TGame {
 public:
  explicit TGame(std::mt19937& Random) : FRandom(Random) {
    FControl.SetBounds(0, 0, Pick(0, 120), Pick(0, 120));
    FControl.SetColCount(Pick(5, 50) > 25 ? Pick(5, 50) : Pick(5, 12));
    FControl.SetRowCount(Pick(5, 50) > 25 ? Pick(5, 50) : Pick(5, 12));
    FControl.SetPlayingStrength(static_cast<TStrength>(Pick(0, 2)));
    FControl.OnLegalMove = [this](vcl::TObject*) {
      FSeen.push_back({"LegalMove", -FControl.Turn(), BoardHasFive(FControl), BoardIsFull(FControl)});
    };
    for (auto [Event, Name] : {std::pair{&FControl.OnDraw, "Draw"}, {&FControl.OnCrossWon, "CrossWon"},
                               {&FControl.OnNoughtWon, "NoughtWon"}, {&FControl.OnComputerWon, "ComputerWon"},
                               {&FControl.OnUserWon, "UserWon"}, {&FControl.OnIllegalMove, "IllegalMove"}})
      *Event = [this, Name = std::string(Name)](vcl::TObject*) { FSeen.push_back({Name}); };
  }

  // Plays to the end, alternating random moves (answered by the computer
  // when AutoResponse is on) and computer moves; stops at the first fault.
  void PlayOut() {
    while (!FControl.GameOver() && !::testing::Test::HasFailure()) {
      FSeen.clear();
      if (Pick(0, 2) == 0) {
        FControl.ComputerMove();
        ExpectPlacements({"ComputerWon"}, 1);
      } else {
        FControl.SetAutoResponse(Pick(0, 1) == 1);
        const vcl::TPoint Cell = RandomEmptyCell();
        FControl.Move(Cell.X + 1, Cell.Y + 1);
        ExpectPlacements({"UserWon", "ComputerWon"}, FControl.AutoResponse() ? 2 : 1);
      }
      const std::string Broken = InvariantViolation(FControl);
      ASSERT_TRUE(Broken.empty()) << Broken;
    }
  }

 private:
  int Pick(int Lo, int Hi) { return std::uniform_int_distribution<int>(Lo, Hi)(FRandom); }

  vcl::TPoint RandomEmptyCell() {
    std::vector<vcl::TPoint> Empty;
    for (int Col = 0; Col < FControl.ColCount(); ++Col)
      for (int Row = 0; Row < FControl.RowCount(); ++Row)
        if (FControl.Cell(Col, Row) == 0) Empty.push_back({Col, Row});
    return Empty[static_cast<std::size_t>(Pick(0, static_cast<int>(Empty.size()) - 1))];
  }

  // Each placement is a LegalMove followed, when it made five, by the side's
  // win event and the caller's, and when it filled the board by Draw; a
  // placement that ends nothing hands over to the next one, if any.
  void ExpectPlacements(const std::vector<std::string>& SecondWinEvents, int MaxPlacements) {
    std::vector<std::string> Expected;
    std::size_t At = 0;
    for (int Placement = 0; Placement < MaxPlacements; ++Placement) {
      Expected.push_back("LegalMove");
      if (At >= FSeen.size()) break;  // a placement that should have come did not
      const TSeen& Legal = FSeen[At++];
      if (Legal.Five) {
        Expected.push_back(Legal.Side == 1 ? "CrossWon" : "NoughtWon");
        Expected.push_back(SecondWinEvents[static_cast<std::size_t>(Placement) % SecondWinEvents.size()]);
        break;
      }
      if (Legal.Full) {
        Expected.push_back("Draw");
        break;
      }
    }
    std::vector<std::string> Names;
    for (const TSeen& Seen : FSeen) Names.push_back(Seen.Name);
    ASSERT_FALSE(Names.empty());
    ASSERT_EQ(Names, Expected);
  }

  std::mt19937& FRandom;
  TQuintar FControl{nullptr};
  std::vector<TSeen> FSeen;
};

TEST(Soak, RandomPlayerAgainstTheComputerKeepsEveryPromise) {
  std::mt19937 Random(20261207);
  const int Games = std::getenv("QUINTAR_SOAK_GAMES") ? std::atoi(std::getenv("QUINTAR_SOAK_GAMES")) : 2000;
  for (int Game = 0; Game < Games && !HasFailure(); ++Game) {
    SCOPED_TRACE(::testing::Message() << "game " << Game);
    TGame Play(Random);
    std::srand(static_cast<unsigned>(Random()));
    Play.PlayOut();
  }
}

}  // namespace
}  // namespace quintar::testing
