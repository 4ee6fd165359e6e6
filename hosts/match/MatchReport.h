// What the match runner prints: the match it is about to play, a progress
// line while it plays, and the result.
#pragma once

#include <cstdio>
#include <vector>

#include "MatchOptions.h"
#include "MatchStats.h"

namespace quintar::match {

void PrintHeader(std::FILE* Out, const TMatchSettings& Settings);
// One line that overwrites itself: games played and the running result.
void PrintProgress(std::FILE* Out, const TMatchSettings& Settings, const TTally& Tally);
void PrintResult(std::FILE* Out, const TMatchSettings& Settings, const std::vector<TGameRecord>& Games);

}  // namespace quintar::match
