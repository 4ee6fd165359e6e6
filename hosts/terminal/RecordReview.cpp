#include "RecordReview.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "ComputerThinker.h"
#include "Expert.h"
#include "GameTable.h"
#include "Quintar.h"
#include "RecordFile.h"
#include "TextUtil.h"

namespace quintar::terminal {

const std::string_view ReviewUsage =
    "usage: quintar review FILE.psq [--json]\n"
    "  every move of a game record judged: best, good, an inaccuracy, a mistake, a missed win or a win let\n"
    "  through, with the better move, then a summary for each side\n"
    "  --json   the same as one JSON object, for scripts\n";

namespace {

// Keeps what the table announces; nothing else of a face is needed here.
class TAnnouncements : public game::TTableListener {
 public:
  std::vector<std::string> Said;
  void Announced(const std::string& Words) override { Said.push_back(Words); }
  void Changed() override {}
  void PaceRequested(int /*Milliseconds*/) override {}
};

// The names a script reads, in the order of TJudgement.
constexpr std::array<std::string_view, game::JudgementCount> JudgementNames = {
    "best", "good", "inaccuracy", "mistake", "missed win", "win let through",
};

std::string_view JudgementName(game::TJudgement Judgement) {
  return JudgementNames[static_cast<std::size_t>(Judgement)];
}

std::string CellJson(vcl::TPoint Cell) {
  return "\"col\": " + std::to_string(Cell.X + 1) + ", \"row\": " + std::to_string(Cell.Y + 1);
}

std::string MoveJson(std::size_t Index, const game::TMoveReview& Move, const game::TPhrasebook& Words) {
  return "{\"move\": " + std::to_string(Index + 1) + ", " + CellJson(Move.Cell) + ", \"side\": \"" +
         (Move.Side == 1 ? "crosses" : "noughts") + "\", \"judgement\": " + JsonQuoted(JudgementName(Move.Judgement)) +
         ", \"better\": " + (Move.Better ? "{" + CellJson(*Move.Better) + "}" : std::string("null")) +
         ", \"words\": " + JsonQuoted(Words.Judgement(Index, Move)) + "}";
}

std::string SummaryJson(const game::TSideSummary& Summary) {
  std::string Json = "{";
  for (std::size_t Judgement = 0; Judgement < game::JudgementCount; ++Judgement)
    Json += JsonQuoted(JudgementNames[Judgement]) + ": " + std::to_string(Summary.Counts[Judgement]) + ", ";
  Json += "\"turningPoint\": ";
  Json += Summary.TurningPoint ? std::to_string(*Summary.TurningPoint + 1) : std::string("null");
  return Json + "}";
}

}  // namespace

// The record is taken up by a table held still, so that no computer plays a
// move on it, and judged at the budget of positions every review spends.
TRecordReview ReviewRecordFile(const std::string& Path, const std::function<void(const std::string& Words)>& Progress) {
  const TFileText File = ReadRecordFile(Path, game::TPhrasebook());
  if (!File.Error.empty()) return {File.Error, {}, {}, {}};
  TQuintar Control(nullptr);
  TAnnouncements Announcements;
  game::TGameTable Table(Control, Announcements, game::TThinking::Here);
  Table.SetHeld(true);
  if (std::string Refused = Table.OpenRecord(File.Text, EchoUtf8(Path)); !Refused.empty())
    return {std::move(Refused), {}, {}, {}};
  // A record of no moves is refused in the words the game uses.
  if (!Table.MayReview()) return {Announcements.Said.back(), {}, {}, {}};
  TRecordReview Reviewed{{}, Table.ReviewRequest(), {}, std::move(Announcements.Said)};
  game::TComputerThinker Thinker;
  const auto Judged = [&](std::size_t Count) {
    if (Progress) Progress(game::TPhrasebook().ReviewProgress(Count, Reviewed.Game.Moves.size()));
  };
  Reviewed.Review = game::ReviewGame(Reviewed.Game, Thinker, DefaultReviewBudget(), Judged);
  Table.Reviewed(Reviewed.Game, Reviewed.Review);
  for (std::string& Line : Table.ReviewWords()) Reviewed.Words.push_back(std::move(Line));
  return Reviewed;
}

std::string ReviewJson(const game::TReviewRequest& Game, const game::TReview& Review, const game::TPhrasebook& Words) {
  std::string Json = "{\"board\": {\"cols\": " + std::to_string(Game.ColCount) +
                     ", \"rows\": " + std::to_string(Game.RowCount) + "},\n \"moves\": [";
  for (std::size_t Index = 0; Index < Review.Moves.size(); ++Index)
    Json += (Index == 0 ? "\n  " : ",\n  ") + MoveJson(Index, Review.Moves[Index], Words);
  Json += "],\n \"summary\": {\"crosses\": " + SummaryJson(Review.Crosses) +
          ",\n             \"noughts\": " + SummaryJson(Review.Noughts) + "}}\n";
  return Json;
}

std::string JsonQuoted(std::string_view Text) {
  std::string Quoted = "\"";
  for (const char Byte : Text) {
    switch (Byte) {
      case '"': Quoted += "\\\""; break;
      case '\\': Quoted += "\\\\"; break;
      case '\n': Quoted += "\\n"; break;
      case '\t': Quoted += "\\t"; break;
      case '\r': Quoted += "\\r"; break;
      default:
        if (static_cast<unsigned char>(Byte) < 0x20) {
          char Escaped[8];
          std::snprintf(Escaped, sizeof Escaped, "\\u%04x", static_cast<unsigned>(Byte));
          Quoted += Escaped;
        } else {
          Quoted += Byte;
        }
    }
  }
  return Quoted + "\"";
}

}  // namespace quintar::terminal
