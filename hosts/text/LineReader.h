// Lines from a byte stream as a line-oriented peer sends them. A line ends at
// LF, CR or CR LF, and a line end is acted on the moment it arrives: nothing
// waits to see what follows a CR, so a peer that ends its lines with CR alone
// is answered at once. The bytes kept of one line are bounded, so hostile
// input (a gigantic line, binary garbage) costs a fixed amount of memory.
#pragma once

#include <cstddef>
#include <istream>
#include <string>

namespace quintar::terminal {

class TLineReader {
 public:
  TLineReader(std::istream& In, std::size_t MaxLength) : FIn(In), FMaxLength(MaxLength) {}

  // The next line without its end. False at the end of the input when no
  // byte of a further line is left; a last line without an end still counts.
  bool Next(std::string& Line);
  // Whether the line Next gave was longer than MaxLength: the bytes past it
  // were read and dropped.
  bool Truncated() const { return FTruncated; }

 private:
  std::istream& FIn;
  std::size_t FMaxLength;
  bool FAfterCarriageReturn = false;
  bool FTruncated = false;
};

}  // namespace quintar::terminal
