// Feeds the brain's protocol reader whatever bytes a tournament manager, or
// a broken one, might send: the brain must answer, keep to bounded memory,
// never touch a cell off its board, and write back nothing but printable
// lines.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "Brain.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  std::istringstream In(std::string(reinterpret_cast<const char*>(Data), Size));
  std::ostringstream Out;
  quintar::brain::RunBrain(In, Out, quintar::TLevel::High, 1);
  for (const char Byte : Out.str()) {
    if (Byte == '\n' || (Byte >= ' ' && Byte <= '~')) continue;
    std::fprintf(stderr, "the brain wrote byte 0x%02x\n", static_cast<unsigned char>(Byte));
    std::abort();
  }
  return 0;
}
