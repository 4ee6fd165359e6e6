// pbrain-quintar: the component's opponent as a tournament brain on stdin and
// stdout.
#include <iostream>
#include <string_view>

#include "Brain.h"
#include "Strength.h"

namespace {

constexpr std::string_view Usage =
    "usage: pbrain-quintar [--strength low|medium|high]\n"
    "Plays five in a row by the tournament brain protocol on standard input and output.\n";

}  // namespace

int main(int Argc, char** Argv) {
  quintar::TStrength Strength = quintar::stHigh;
  for (int I = 1; I < Argc; ++I) {
    const std::string_view Argument = Argv[I];
    if (Argument == "--help" || Argument == "-h") {
      std::cout << Usage;
      return 0;
    }
    if (Argument == "--strength" && I + 1 < Argc) {
      const auto Named = quintar::terminal::StrengthNamed(Argv[++I]);
      if (!Named) {
        std::cerr << "pbrain-quintar: --strength expects low, medium or high\n";
        return 2;
      }
      Strength = *Named;
      continue;
    }
    std::cerr << "pbrain-quintar: unknown argument \"" << Argument << "\" (try --help)\n";
    return 2;
  }
  std::ios::sync_with_stdio(false);
  quintar::brain::RunBrain(std::cin, std::cout, Strength);
  return 0;
}
