// Game records as files: read whole but never more than a record can be, and
// written whole, with the system's reason when either fails.
#pragma once

#include <string>
#include <string_view>

namespace quintar::terminal {

struct TFileText {
  // At most game::LargestRecordBytes + 1 bytes: a larger file is known to
  // be too large unread.
  std::string Text;
  // Why the file could not be read ("no such file or directory"); empty when it was.
  std::string Error;
};

TFileText ReadRecordFile(const std::string& Path);
// The reason the file could not be written, or empty.
std::string WriteRecordFile(const std::string& Path, std::string_view Text);
// The system's words for an error number, to follow a colon mid-sentence:
// "no such file or directory".
std::string SystemReason(int Error);

}  // namespace quintar::terminal
