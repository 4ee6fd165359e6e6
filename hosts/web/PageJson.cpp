#include "PageJson.h"

#include <initializer_list>
#include <utility>

namespace quintar::web {
namespace {

// The names the page reads the expert's and the review's verdicts by, in the
// order of their enumerations.
constexpr const char* StandingNames[] = {"even", "ahead", "well-ahead", "winning"};
constexpr const char* OutcomeNames[] = {"unproven", "win", "loss"};
constexpr const char* JudgementNames[] = {"best", "good", "inaccuracy", "mistake", "missed-win", "win-let-through"};
static_assert(std::size(JudgementNames) == game::JudgementCount);

std::string MarkName(int Side) { return JsonString(Side == 1 ? "cross" : "nought"); }
std::string JsonBool(bool Value) { return Value ? "true" : "false"; }

using TField = std::pair<std::string_view, std::string>;

// Fields, their values already JSON.
std::string JsonObject(const std::vector<TField>& Fields) {
  std::string Text = "{";
  for (const auto& [Name, Value] : Fields) {
    if (Text.size() > 1) Text += ',';
    Text += JsonString(Name) + ':' + Value;
  }
  return Text + '}';
}

// Items, already JSON.
std::string JsonArray(const std::vector<std::string>& Items) {
  std::string Text = "[";
  for (const std::string& Item : Items) {
    if (Text.size() > 1) Text += ',';
    Text += Item;
  }
  return Text + ']';
}

// A cell's col and row, counted from 1, followed by more fields of its own.
std::string JsonCellWith(vcl::TPoint Cell, std::initializer_list<TField> More) {
  std::vector<TField> Fields{{"col", std::to_string(Cell.X + 1)}, {"row", std::to_string(Cell.Y + 1)}};
  Fields.insert(Fields.end(), More);
  return JsonObject(Fields);
}

std::string CandidateJson(const TCandidateLine& Candidate) {
  std::vector<std::string> Line;
  for (const TBoardCell& Cell : Candidate.Line) Line.push_back(JsonCell(vcl::TPoint{Cell.Col, Cell.Row}));
  return JsonCellWith(vcl::TPoint{Candidate.Cell.Col, Candidate.Cell.Row},
                      {{"advantage", std::to_string(Candidate.Advantage.Value)},
                       {"standing", JsonString(StandingNames[Candidate.Advantage.Standing])},
                       {"outcome", JsonString(OutcomeNames[Candidate.Outcome])},
                       {"movesToFive", std::to_string(Candidate.MovesToFive)},
                       {"line", JsonArray(Line)},
                       {"byFours", JsonBool(Candidate.ByFours)}});
}

}  // namespace

std::string JsonString(std::string_view Text) {
  std::string Quoted = "\"";
  for (const char Character : Text) {
    if (Character == '"' || Character == '\\') {
      Quoted += '\\';
      Quoted += Character;
    } else if (static_cast<unsigned char>(Character) < 0x20) {
      constexpr std::string_view Digits = "0123456789abcdef";
      Quoted += "\\u00";
      Quoted += Digits[static_cast<unsigned char>(Character) >> 4];
      Quoted += Digits[static_cast<unsigned char>(Character) & 0xF];
    } else {
      Quoted += Character;
    }
  }
  return Quoted + '"';
}

std::string JsonStrings(const std::vector<std::string>& Texts) {
  std::vector<std::string> Items;
  for (const std::string& Text : Texts) Items.push_back(JsonString(Text));
  return JsonArray(Items);
}

std::string JsonCell(std::optional<vcl::TPoint> Cell) { return Cell ? JsonCellWith(*Cell, {}) : "null"; }

std::string AnalysisJson(const game::TGameTable& Table) {
  const std::optional<TAnalysis>& Report = Table.Analysis();
  if (!Report) return "null";
  std::vector<std::string> Lines;
  for (const TCandidateLine& Candidate : Report->Lines) Lines.push_back(CandidateJson(Candidate));
  return JsonObject({{"turn", MarkName(Report->Turn)},
                     {"depth", std::to_string(Report->Depth)},
                     {"nodes", std::to_string(Report->Nodes)},
                     {"settled", JsonBool(Report->Settled)},
                     {"lines", JsonArray(Lines)},
                     {"words", JsonString(Table.AnalysisWords())},
                     {"candidates", JsonStrings(Table.CandidateWords())}});
}

std::string ReviewJson(const game::TGameTable& Table) {
  const std::optional<game::TReview> Review = Table.Review();
  if (!Review) return "null";
  // A sentence for each move, then the summary's two.
  const std::vector<std::string> Words = Table.ReviewWords();
  std::vector<std::string> Moves;
  for (std::size_t Index = 0; Index < Review->Moves.size(); ++Index) {
    const game::TMoveReview& Move = Review->Moves[Index];
    Moves.push_back(
        JsonCellWith(Move.Cell, {{"side", MarkName(Move.Side)},
                                 {"judgement", JsonString(JudgementNames[static_cast<std::size_t>(Move.Judgement)])},
                                 {"better", JsonCell(Move.Better)},
                                 {"words", JsonString(Words[Index])}}));
  }
  return JsonObject({{"moves", JsonArray(Moves)}, {"summary", JsonStrings({Words.end() - 2, Words.end()})}});
}

std::string WinCellsJson(const TQuintar& Control) {
  std::vector<std::string> Cells;
  if (Control.WinFound())
    for (const vcl::TPoint Cell : Control.WinCells()) Cells.push_back(JsonCell(Cell));
  return JsonArray(Cells);
}

}  // namespace quintar::web
