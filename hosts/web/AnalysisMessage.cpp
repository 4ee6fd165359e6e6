#include "AnalysisMessage.h"

#include <limits>

#include "Rules.h"

namespace quintar::web {
namespace {

constexpr int AnyNumber = std::numeric_limits<std::int32_t>::max();
constexpr int MaxCells = MaxBoardSide * MaxBoardSide;
constexpr int NoCell = -1;

// Reads numbers in order, each within the bounds the encoder keeps to; one
// outside them, or a read past the end, spoils the whole message.
class TReader {
 public:
  explicit TReader(std::span<const std::int32_t> Numbers) : FNumbers(Numbers) {}

  int Take(int Low, int High) {
    if (FNext >= FNumbers.size() || FNumbers[FNext] < Low || FNumbers[FNext] > High) {
      FSpoilt = true;
      return Low;
    }
    return FNumbers[FNext++];
  }
  bool TakeSwitch() { return Take(0, 1) == 1; }
  // A cell anywhere a board of the largest size has one.
  TBoardCell TakeCell() {
    const int Col = Take(0, MaxBoardSide - 1);
    return {Col, Take(0, MaxBoardSide - 1)};
  }
  std::optional<vcl::TPoint> TakeOptionalCell() {
    const int Col = Take(NoCell, MaxBoardSide - 1);
    const int Row = Take(Col == NoCell ? NoCell : 0, Col == NoCell ? NoCell : MaxBoardSide - 1);
    if (Col == NoCell) return std::nullopt;
    return vcl::TPoint{Col, Row};
  }
  bool Spoilt() const { return FSpoilt; }
  // Every number was read, and each was one the encoder could have written.
  bool Whole() const { return !FSpoilt && FNext == FNumbers.size(); }

 private:
  std::span<const std::int32_t> FNumbers;
  std::size_t FNext = 0;
  bool FSpoilt = false;
};

void PutCell(TMessageNumbers& Numbers, int Col, int Row) {
  Numbers.push_back(Col);
  Numbers.push_back(Row);
}

void PutSummary(TMessageNumbers& Numbers, const game::TSideSummary& Summary) {
  Numbers.insert(Numbers.end(), Summary.Counts.begin(), Summary.Counts.end());
  Numbers.push_back(Summary.TurningPoint ? static_cast<std::int32_t>(*Summary.TurningPoint) : NoCell);
}

game::TSideSummary TakeSummary(TReader& Reader, int MoveCount) {
  game::TSideSummary Summary;
  for (int& Count : Summary.Counts) Count = Reader.Take(0, MoveCount);
  const int TurningPoint = Reader.Take(NoCell, MoveCount - 1);
  if (TurningPoint != NoCell) Summary.TurningPoint = static_cast<std::size_t>(TurningPoint);
  return Summary;
}

}  // namespace

// ---- The expert's report ----------------------------------------------------

TMessageNumbers EncodeAnalysis(const TAnalysis& Report) {
  TMessageNumbers Numbers{Report.Turn,
                          Report.Depth,
                          static_cast<std::int32_t>(Report.Nodes >> 31),
                          static_cast<std::int32_t>(Report.Nodes & AnyNumber),
                          Report.Settled,
                          static_cast<std::int32_t>(Report.Lines.size())};
  for (const TCandidateLine& Line : Report.Lines) {
    PutCell(Numbers, Line.Cell.Col, Line.Cell.Row);
    Numbers.insert(Numbers.end(),
                   {Line.Score, Line.Advantage.Value, Line.Advantage.Standing, Line.Outcome, Line.MovesToFive,
                    Line.LineMakesFive, Line.ByFours, static_cast<std::int32_t>(Line.Line.size())});
    for (const TBoardCell& Cell : Line.Line) PutCell(Numbers, Cell.Col, Cell.Row);
  }
  return Numbers;
}

std::optional<TAnalysis> DecodeAnalysis(std::span<const std::int32_t> Numbers) {
  TReader Reader(Numbers);
  TAnalysis Report;
  Report.Turn = Reader.Take(-1, 1);
  Report.Depth = Reader.Take(0, AnyNumber);
  const std::int64_t NodesHigh = Reader.Take(0, AnyNumber);
  Report.Nodes = NodesHigh << 31 | Reader.Take(0, AnyNumber);
  Report.Settled = Reader.TakeSwitch();
  const int LineCount = Reader.Take(0, MaxCandidateLines);
  for (int Index = 0; Index < LineCount && !Reader.Spoilt(); ++Index) {
    TCandidateLine Line;
    Line.Cell = Reader.TakeCell();
    Line.Score = Reader.Take(-AnyNumber, AnyNumber);
    Line.Advantage.Value = Reader.Take(-100, 100);
    Line.Advantage.Standing = static_cast<TStanding>(Reader.Take(sdEven, sdWinning));
    Line.Outcome = static_cast<TOutcome>(Reader.Take(ocUnproven, ocLoss));
    Line.MovesToFive = Reader.Take(0, MaxCells);
    Line.LineMakesFive = Reader.TakeSwitch();
    Line.ByFours = Reader.TakeSwitch();
    const int Length = Reader.Take(0, MaxCells);
    for (int Move = 0; Move < Length && !Reader.Spoilt(); ++Move) Line.Line.push_back(Reader.TakeCell());
    Report.Lines.push_back(std::move(Line));
  }
  if (!Reader.Whole() || Report.Turn == 0) return std::nullopt;
  return Report;
}

// ---- A game to review, and its review ---------------------------------------

TMessageNumbers EncodeReviewRequest(const game::TReviewRequest& Request) {
  TMessageNumbers Numbers{Request.ColCount, Request.RowCount, static_cast<std::int32_t>(Request.Moves.size())};
  for (const vcl::TPoint Cell : Request.Moves) PutCell(Numbers, Cell.X, Cell.Y);
  return Numbers;
}

std::optional<game::TReviewRequest> DecodeReviewRequest(std::span<const std::int32_t> Numbers) {
  TReader Reader(Numbers);
  game::TReviewRequest Request;
  Request.ColCount = Reader.Take(MinBoardSide, MaxBoardSide);
  Request.RowCount = Reader.Take(MinBoardSide, MaxBoardSide);
  const int MoveCount = Reader.Take(0, Request.ColCount * Request.RowCount);
  for (int Index = 0; Index < MoveCount && !Reader.Spoilt(); ++Index) {
    const int Col = Reader.Take(0, Request.ColCount - 1);
    Request.Moves.push_back({Col, Reader.Take(0, Request.RowCount - 1)});
  }
  if (!Reader.Whole()) return std::nullopt;
  return Request;
}

TMessageNumbers EncodeReview(const game::TReview& Review) {
  TMessageNumbers Numbers{static_cast<std::int32_t>(Review.Moves.size())};
  for (const game::TMoveReview& Move : Review.Moves) {
    PutCell(Numbers, Move.Cell.X, Move.Cell.Y);
    Numbers.push_back(Move.Side);
    Numbers.push_back(static_cast<std::int32_t>(Move.Judgement));
    if (Move.Better)
      PutCell(Numbers, Move.Better->X, Move.Better->Y);
    else
      PutCell(Numbers, NoCell, NoCell);
    Numbers.push_back(Move.Loss);
  }
  PutSummary(Numbers, Review.Crosses);
  PutSummary(Numbers, Review.Noughts);
  return Numbers;
}

std::optional<game::TReview> DecodeReview(std::span<const std::int32_t> Numbers) {
  TReader Reader(Numbers);
  game::TReview Review;
  const int MoveCount = Reader.Take(0, MaxCells);
  for (int Index = 0; Index < MoveCount && !Reader.Spoilt(); ++Index) {
    game::TMoveReview Move;
    const TBoardCell Cell = Reader.TakeCell();
    Move.Cell = {Cell.Col, Cell.Row};
    Move.Side = Reader.Take(-1, 1);
    Move.Judgement = static_cast<game::TJudgement>(Reader.Take(0, game::JudgementCount - 1));
    Move.Better = Reader.TakeOptionalCell();
    Move.Loss = Reader.Take(0, 200);
    if (Move.Side == 0) return std::nullopt;
    Review.Moves.push_back(Move);
  }
  Review.Crosses = TakeSummary(Reader, MoveCount);
  Review.Noughts = TakeSummary(Reader, MoveCount);
  if (!Reader.Whole()) return std::nullopt;
  return Review;
}

}  // namespace quintar::web
