// The match runner's command line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "MatchRunner.h"

namespace quintar::match {

struct TMatchOptions {
  TMatchSettings Settings;
  bool SeedGiven = false;
  bool ExpertBudgetGiven = false;  // by --expert-ms or --expert-nodes
  bool TurnTimeGiven = false;
  std::string PsqFolder;  // empty: no records
  bool Help = false;
};

extern const std::string_view MatchUsage;

// The options Arguments (without the program name) ask for; false with a
// one-line reason when they make no sense.
bool ParseMatchOptions(const std::vector<std::string_view>& Arguments, TMatchOptions& Options, std::string& Error);

}  // namespace quintar::match
