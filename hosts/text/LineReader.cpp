#include "LineReader.h"

namespace quintar::terminal {

bool TLineReader::Next(std::string& Line) {
  Line.clear();
  FTruncated = false;
  std::streambuf& Buffer = *FIn.rdbuf();
  bool Started = false;
  for (;;) {
    const int Byte = Buffer.sbumpc();
    if (Byte == std::char_traits<char>::eof()) {
      FIn.setstate(std::ios::eofbit);
      return Started;
    }
    const bool SkipLineFeed = FAfterCarriageReturn && Byte == '\n';
    FAfterCarriageReturn = Byte == '\r';
    if (SkipLineFeed) continue;  // the LF of a CR LF pair: that line has ended already
    if (Byte == '\n' || Byte == '\r') return true;
    Started = true;
    if (Line.size() < FMaxLength)
      Line.push_back(static_cast<char>(Byte));
    else
      FTruncated = true;
  }
}

}  // namespace quintar::terminal
