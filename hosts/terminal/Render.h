// `quintar render`: a position drawn by the control's own Paint at a given
// pixel size and written as PNG, exactly the control's pixels.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Quintar.h"

namespace quintar::terminal {

struct TRenderJob {
  int Cols = 20;
  int Rows = 20;
  int Width = 200;
  int Height = 200;
  // 1-based as Move counts, played in turn with the computer's answers off
  // (unless a setting turns them on).
  std::vector<vcl::TPoint> Moves;
  // Computer moves after Moves; fewer when the game ends first.
  int ComputerMoves = 0;
  // Makes the computer's draws repeatable; otherwise they follow the clock.
  std::optional<unsigned> Seed;
  // Name=Value, applied in order after the board size.
  std::vector<std::string> Settings;
  std::string OutputPath;
};

extern const std::string_view RenderUsage;

// Reads the arguments after "render"; the error, or empty.
std::string ParseRenderArguments(const std::vector<std::string_view>& Arguments, TRenderJob& Job);
// Sizes and sets up the control and plays the job on it; the error, or empty.
std::string PlayJob(const TRenderJob& Job, TQuintar& Control);
// Plays the job on a new control, paints it and writes the picture; the
// error, or empty.
std::string Render(const TRenderJob& Job);

}  // namespace quintar::terminal
