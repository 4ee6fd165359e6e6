#include "PsqRecord.h"

#include <cmath>
#include <cstdio>
#include <fstream>

namespace quintar::match {

void WritePsq(std::ostream& Out, const TGameRecord& Game) {
  Out << "Piskvorky " << Game.ColCount << "x" << Game.RowCount << ", 11:11, 0\n";
  for (const TRecordedMove& Move : Game.Moves)
    Out << Move.Cell.Col + 1 << "," << Move.Cell.Row + 1 << "," << std::lround(Move.Milliseconds) << "\n";
  Out << "-1\n";
}

bool SavePsq(const std::string& Folder, const TGameRecord& Game, std::string& Error) {
  char Name[32];
  std::snprintf(Name, sizeof Name, "game-%04d.psq", Game.Number + 1);
  const std::string Path = Folder + "/" + Name;
  std::ofstream Out(Path);
  if (Out) WritePsq(Out, Game);
  Out.close();
  if (!Out) {
    Error = "cannot write " + Path;
    return false;
  }
  return true;
}

}  // namespace quintar::match
