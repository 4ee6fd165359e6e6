// Feeds the brain's protocol reader whatever bytes a tournament manager, or
// a broken one, might send: the brain must answer, keep to bounded memory
// and never touch a cell off its board.
#include <sstream>
#include <string>

#include "Brain.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  std::istringstream In(std::string(reinterpret_cast<const char*>(Data), Size));
  std::ostringstream Out;
  quintar::brain::RunBrain(In, Out, quintar::stHigh);
  return 0;
}
