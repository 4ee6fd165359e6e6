#include "Render.h"

#include <unistd.h>

#include <cstdlib>
#include <iostream>

#include "Output.h"
#include "PngImage.h"
#include "Settings.h"
#include "TextUtil.h"

namespace quintar::terminal {

const std::string_view RenderUsage =
    "usage: quintar render [--board CxR] [--size WxH] [--moves \"C,R C,R ...\"] [--computer N]\n"
    "                      [--seed S] [--set Name=Value ...] -o FILE.png\n"
    "Draws a position with the control's own painting and writes it as PNG.\n"
    "  --board CxR     columns and rows, 5 to 50 each (default 20x20)\n"
    "  --size WxH      picture size in pixels, 1 to 8192 each (default 200x200)\n"
    "  --moves \"...\"   marks in turn, crosses first, each column,row counted from 1\n"
    "  --computer N    then N computer moves, fewer if the game ends\n"
    "  --seed S        repeatable computer draws\n"
    "  --set N=V       any published property, e.g. --set CrossColor=clGreen\n"
    "  -o FILE.png     where the picture goes; - for standard output\n";

namespace {

// "AxB" with both in Low..High.
bool ReadPair(std::string_view Text, int Low, int High, int& A, int& B) {
  const std::size_t Times = Text.find_first_of("xX");
  if (Times == std::string_view::npos) return false;
  const std::optional<int> First = IntegerFrom(Text.substr(0, Times), false);
  const std::optional<int> Second = IntegerFrom(Text.substr(Times + 1), false);
  if (!First || !Second || *First < Low || *First > High || *Second < Low || *Second > High) return false;
  A = *First;
  B = *Second;
  return true;
}

std::string ReadMoves(std::string_view Text, std::vector<vcl::TPoint>& Moves) {
  for (const std::string_view Move : SplitAny(Text, " \t")) {
    const std::vector<std::string_view> Parts = SplitAny(Move, ",");
    const std::optional<int> Col = Parts.size() == 2 ? IntegerFrom(Parts[0], false) : std::nullopt;
    const std::optional<int> Row = Parts.size() == 2 ? IntegerFrom(Parts[1], false) : std::nullopt;
    if (!Col || !Row) return "--moves: \"" + EchoUtf8(Move) + "\" is not column,row";
    Moves.push_back({*Col, *Row});
  }
  return {};
}

std::string PlaceText(std::size_t Index, vcl::TPoint Move) {
  return "move " + std::to_string(Index + 1) + " (" + std::to_string(Move.X) + "," + std::to_string(Move.Y) + ")";
}

std::string PlayMoves(const std::vector<vcl::TPoint>& Moves, TQuintar& Control) {
  for (std::size_t I = 0; I < Moves.size(); ++I) {
    const vcl::TPoint Move = Moves[I];
    if (Control.GameOver()) return PlaceText(I, Move) + " comes after the game has ended";
    if (Control.Lock()) return PlaceText(I, Move) + " cannot be played: the board is locked";
    if (Move.X < 1 || Move.X > Control.ColCount() || Move.Y < 1 || Move.Y > Control.RowCount())
      return PlaceText(I, Move) + " is off the " + std::to_string(Control.ColCount()) + "x" +
             std::to_string(Control.RowCount()) + " board";
    if (Control.Cell(Move.X - 1, Move.Y - 1) != 0) return PlaceText(I, Move) + " is on a taken cell";
    Control.Move(Move.X, Move.Y);
  }
  return {};
}

}  // namespace

std::string ParseRenderArguments(const std::vector<std::string_view>& Arguments, TRenderJob& Job) {
  for (std::size_t I = 0; I < Arguments.size(); ++I) {
    const std::string_view Option = Arguments[I];
    if (I + 1 >= Arguments.size()) return "\"" + EchoUtf8(Option) + "\" needs a value or is unknown (see --help)";
    const std::string_view Value = Arguments[++I];
    if (Option == "--board") {
      if (!ReadPair(Value, TQuintar::MinCount, TQuintar::MaxCount, Job.Cols, Job.Rows))
        return "--board expects CxR with 5 to 50 each, not \"" + EchoUtf8(Value) + "\"";
    } else if (Option == "--size") {
      if (!ReadPair(Value, 1, vcl::TSurface::MaxExtent, Job.Width, Job.Height))
        return "--size expects WxH pixels with 1 to 8192 each, not \"" + EchoUtf8(Value) + "\"";
    } else if (Option == "--moves") {
      if (std::string Error = ReadMoves(Value, Job.Moves); !Error.empty()) return Error;
    } else if (Option == "--computer") {
      const std::optional<int> Count = IntegerFrom(Value, false);
      if (!Count) return "--computer expects a number of moves, not \"" + EchoUtf8(Value) + "\"";
      Job.ComputerMoves = *Count;
    } else if (Option == "--seed") {
      const std::optional<int> Seed = IntegerFrom(Value, false);
      if (!Seed) return "--seed expects a whole number from 0 to 2147483647, not \"" + EchoUtf8(Value) + "\"";
      Job.Seed = static_cast<unsigned>(*Seed);
    } else if (Option == "--set") {
      Job.Settings.emplace_back(Value);
    } else if (Option == "-o" || Option == "--output") {
      Job.OutputPath = Value;
    } else {
      return "unknown option \"" + EchoUtf8(Option) + "\" (see --help)";
    }
  }
  if (Job.OutputPath.empty()) return "no output file: give -o FILE.png";
  return {};
}

std::string PlayJob(const TRenderJob& Job, TQuintar& Control) {
  if (Job.Seed) std::srand(*Job.Seed);
  // The moves list the position; the computer answers only when asked to.
  Control.SetAutoResponse(false);
  Control.SetBounds(0, 0, Job.Width, Job.Height);
  Control.SetColCount(Job.Cols);
  Control.SetRowCount(Job.Rows);
  for (const std::string& Setting : Job.Settings)
    if (std::string Error = ApplySetting(Control, Setting); !Error.empty()) return "--set " + Setting + ": " + Error;
  if (std::string Error = PlayMoves(Job.Moves, Control); !Error.empty()) return Error;
  for (int I = 0; I < Job.ComputerMoves && !Control.GameOver() && !Control.Lock(); ++I) Control.ComputerMove();
  return {};
}

std::string Render(const TRenderJob& Job) {
  TQuintar Control(nullptr);
  if (std::string Error = PlayJob(Job, Control); !Error.empty()) return Error;
  Control.Repaint();
  std::string Encoded;
  if (std::string Error = png::Encode(png::FromSurface(Control.Surface()), Encoded); !Error.empty()) return Error;
  // "-" is standard output, for a pipe or a redirection; not a terminal,
  // which would show the bytes as garbage.
  if (Job.OutputPath == "-") {
    if (::isatty(STDOUT_FILENO)) return "standard output is a terminal: redirect it, or give -o FILE.png";
    std::cout.write(Encoded.data(), static_cast<std::streamsize>(Encoded.size()));
    return {};
  }
  if (std::string Error = WriteWholeFile(Job.OutputPath, Encoded); !Error.empty())
    return "cannot write " + Job.OutputPath + ": " + Error;
  return {};
}

}  // namespace quintar::terminal
