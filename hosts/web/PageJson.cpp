#include "PageJson.h"

#include <cstdint>

namespace quintar::web {
namespace {

// The names the page reads the expert's and the review's verdicts by, in the
// order of their enumerations.
constexpr const char* StandingNames[] = {"even", "ahead", "well-ahead", "winning"};
constexpr const char* OutcomeNames[] = {"unproven", "win", "loss"};
constexpr const char* JudgementNames[] = {"best", "good", "inaccuracy", "mistake", "missed-win", "win-let-through"};
static_assert(std::size(JudgementNames) == game::JudgementCount);

const char* MarkName(int Side) { return Side == 1 ? "cross" : "nought"; }

// JSON written as it goes, each value after the first in an object or an
// array given its comma. A field is its Name and then its value.
class TJsonWriter {
 public:
  TJsonWriter& Open(char Bracket) {
    Separate();
    FText += Bracket;
    FFirst = true;
    return *this;
  }
  TJsonWriter& Close(char Bracket) {
    FText += Bracket;
    FFirst = false;
    return *this;
  }
  TJsonWriter& Name(std::string_view Name) {
    String(Name);
    FText += ':';
    FFirst = true;
    return *this;
  }
  TJsonWriter& String(std::string_view Text);
  TJsonWriter& Number(std::int64_t Value) { return Raw(std::to_string(Value)); }
  TJsonWriter& Bool(bool Value) { return Raw(Value ? "true" : "false"); }
  // A cell's col and row fields, counted from 1, in the object open.
  TJsonWriter& CellFields(vcl::TPoint Cell) { return Name("col").Number(Cell.X + 1).Name("row").Number(Cell.Y + 1); }
  TJsonWriter& Cell(std::optional<vcl::TPoint> Cell) {
    return Cell ? Open('{').CellFields(*Cell).Close('}') : Raw("null");
  }
  TJsonWriter& Strings(const std::vector<std::string>& Texts) {
    Open('[');
    for (const std::string& Text : Texts) String(Text);
    return Close(']');
  }
  // The text written, which leaves the writer empty.
  std::string Take() { return std::move(FText); }

 private:
  void Separate() {
    if (!FFirst) FText += ',';
    FFirst = false;
  }
  TJsonWriter& Raw(std::string_view Value) {
    Separate();
    FText += Value;
    return *this;
  }

  std::string FText;
  bool FFirst = true;
};

TJsonWriter& TJsonWriter::String(std::string_view Text) {
  Separate();
  FText += '"';
  for (const char Character : Text) {
    const auto Byte = static_cast<unsigned char>(Character);
    if (Character == '"' || Character == '\\') {
      FText += '\\';
      FText += Character;
    } else if (Byte < 0x20) {
      constexpr std::string_view Digits = "0123456789abcdef";
      FText += "\\u00";
      FText += Digits[Byte >> 4];
      FText += Digits[Byte & 0xF];
    } else {
      FText += Character;
    }
  }
  FText += '"';
  return *this;
}

void WriteCandidate(TJsonWriter& Json, const TCandidateLine& Candidate) {
  Json.Open('{').CellFields(vcl::TPoint{Candidate.Cell.Col, Candidate.Cell.Row});
  Json.Name("advantage").Number(Candidate.Advantage.Value);
  Json.Name("standing").String(StandingNames[Candidate.Advantage.Standing]);
  Json.Name("outcome").String(OutcomeNames[Candidate.Outcome]);
  Json.Name("movesToFive").Number(Candidate.MovesToFive);
  Json.Name("line").Open('[');
  for (const TBoardCell& Cell : Candidate.Line) Json.Cell(vcl::TPoint{Cell.Col, Cell.Row});
  Json.Close(']');
  Json.Name("byFours").Bool(Candidate.ByFours);
  Json.Close('}');
}

}  // namespace

std::string JsonString(std::string_view Text) { return TJsonWriter().String(Text).Take(); }

std::string JsonStrings(const std::vector<std::string>& Texts) { return TJsonWriter().Strings(Texts).Take(); }

std::string JsonCell(std::optional<vcl::TPoint> Cell) { return TJsonWriter().Cell(Cell).Take(); }

std::string AnalysisJson(const game::TGameTable& Table) {
  const std::optional<TAnalysis>& Report = Table.Analysis();
  if (!Report) return "null";
  TJsonWriter Json;
  Json.Open('{').Name("turn").String(MarkName(Report->Turn));
  Json.Name("depth").Number(Report->Depth);
  Json.Name("nodes").Number(Report->Nodes);
  Json.Name("settled").Bool(Report->Settled);
  Json.Name("lines").Open('[');
  for (const TCandidateLine& Candidate : Report->Lines) WriteCandidate(Json, Candidate);
  Json.Close(']');
  Json.Name("words").String(Table.AnalysisWords());
  Json.Name("candidates").Strings(Table.CandidateWords());
  return Json.Close('}').Take();
}

std::string ReviewJson(const game::TGameTable& Table) {
  const std::optional<game::TReview> Review = Table.Review();
  if (!Review) return "null";
  // A sentence for each move, then the summary's two.
  const std::vector<std::string> Words = Table.ReviewWords();
  TJsonWriter Json;
  Json.Open('{').Name("moves").Open('[');
  for (std::size_t Index = 0; Index < Review->Moves.size(); ++Index) {
    const game::TMoveReview& Move = Review->Moves[Index];
    Json.Open('{').CellFields(Move.Cell);
    Json.Name("side").String(MarkName(Move.Side));
    Json.Name("judgement").String(JudgementNames[static_cast<std::size_t>(Move.Judgement)]);
    Json.Name("better").Cell(Move.Better);
    Json.Name("words").String(Words[Index]);
    Json.Close('}');
  }
  Json.Close(']').Name("summary").Strings({Words.end() - 2, Words.end()});
  return Json.Close('}').Take();
}

std::string WinCellsJson(const TQuintar& Control) {
  TJsonWriter Json;
  Json.Open('[');
  if (Control.WinFound())
    for (const vcl::TPoint Cell : Control.WinCells()) Json.Cell(Cell);
  return Json.Close(']').Take();
}

}  // namespace quintar::web
