#include "PsqRecord.h"

#include <cmath>
#include <cstdio>
#include <fstream>

#include "GameRecord.h"

namespace quintar::match {

void WritePsq(std::ostream& Out, const TGameRecord& Game, const TContender& First, const TContender& Second) {
  game::TRecord Record;
  Record.ColCount = Game.ColCount;
  Record.RowCount = Game.RowCount;
  for (const TRecordedMove& Move : Game.Moves)
    Record.Moves.push_back({Move.Cell.Col, Move.Cell.Row, std::llround(Move.Milliseconds)});
  const TContender& Crosses = Game.FirstPlaysCrosses ? First : Second;
  const TContender& Noughts = Game.FirstPlaysCrosses ? Second : First;
  Record.Names = {ContenderName(Crosses), ContenderName(Noughts)};
  Out << game::WriteRecord(Record);
}

bool SavePsq(const std::string& Folder, const TGameRecord& Game, const TContender& First, const TContender& Second,
             std::string& Error) {
  char Name[32];
  std::snprintf(Name, sizeof Name, "game-%04d.psq", Game.Number + 1);
  const std::string Path = Folder + "/" + Name;
  std::ofstream Out(Path);
  if (Out) WritePsq(Out, Game, First, Second);
  Out.close();
  if (!Out) {
    Error = "cannot write " + Path;
    return false;
  }
  return true;
}

}  // namespace quintar::match
