// Game records as files: read whole but never more than a record can be, with
// the system's reason when that fails. They are written with WriteWholeFile.
#pragma once

#include <string>

#include "Output.h"
#include "Phrasebook.h"

namespace quintar::terminal {

struct TFileText {
  // At most game::LargestRecordBytes + 1 bytes: a larger file is known to
  // be too large unread.
  std::string Text;
  // Why the file could not be read ("no such file or directory"); empty when it was.
  std::string Error;
};

// A pipe or a device is refused in Words, unread.
TFileText ReadRecordFile(const std::string& Path, const game::TPhrasebook& Words);

}  // namespace quintar::terminal
