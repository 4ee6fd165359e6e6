#include "BrainPlayer.h"

#include <algorithm>
#include <charconv>
#include <string_view>

namespace quintar::match {
namespace {

using TClock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// What a reason may quote of a brain's line.
std::string Quoted(std::string_view Line) {
  std::string Text;
  for (const char Byte : Line.substr(0, 60)) Text += Byte >= 0x20 && Byte < 0x7f ? Byte : '?';
  return "\"" + Text + (Line.size() > 60 ? "...\"" : "\"");
}

std::string_view Trimmed(std::string_view Text) {
  const std::size_t First = Text.find_first_not_of(" \t");
  if (First == std::string_view::npos) return {};
  return Text.substr(First, Text.find_last_not_of(" \t") - First + 1);
}

std::string_view FirstWord(std::string_view Line) { return Line.substr(0, Line.find_first_of(" \t")); }

bool SameWord(std::string_view A, std::string_view B) {
  return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char X, char Y) {
           return (X >= 'a' && X <= 'z' ? X - 32 : X) == (Y >= 'a' && Y <= 'z' ? Y - 32 : Y);
         });
}

// Lines a brain may send while thinking that are no answer.
bool IsInformational(std::string_view Line) {
  const std::string_view Word = FirstWord(Line);
  return Line.empty() || SameWord(Word, "MESSAGE") || SameWord(Word, "DEBUG") || SameWord(Word, "UNKNOWN") ||
         SameWord(Word, "SUGGEST");
}

std::optional<int> IntegerFrom(std::string_view Text) {
  Text = Trimmed(Text);
  int Value = 0;
  const auto [End, Failure] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
  if (Text.empty() || Failure != std::errc() || End != Text.data() + Text.size()) return std::nullopt;
  return Value;
}

// "x,y" as a cell, whether or not it lies on the board.
std::optional<TCell> CellFrom(std::string_view Line) {
  const std::size_t Comma = Line.find(',');
  if (Comma == std::string_view::npos) return std::nullopt;
  const std::optional<int> Col = IntegerFrom(Line.substr(0, Comma));
  const std::optional<int> Row = IntegerFrom(Line.substr(Comma + 1));
  if (!Col || !Row) return std::nullopt;
  return TCell{*Col, *Row};
}

std::string CellText(int Col, int Row) { return std::to_string(Col) + "," + std::to_string(Row); }

}  // namespace

TBrainPlayer::TBrainPlayer(std::vector<std::string> Command, const TTimeControl& Time)
    : FCommand(std::move(Command)), FTime(Time) {}

void TBrainPlayer::NewGame(std::uint64_t, int ColCount, int RowCount) {
  // A brain draws its own seed; a fresh process per game shares nothing
  // with the last one, not even a crash.
  FProcess.Stop(milliseconds(0));
  FKnown.reset();
  FSpent = milliseconds(0);
  FLastError.clear();
  FLaunchFailure = Launch(ColCount, RowCount);
}

void TBrainPlayer::EndGame() {
  if (!FProcess.Running()) return;
  FProcess.WriteLine("END", TClock::now() + milliseconds(100));
  FProcess.Stop(milliseconds(1000));
}

TAnswer TBrainPlayer::Lose(TFault Fault, std::string Reason) {
  const std::string Ending = FProcess.Stop(Fault == TFault::Crashed ? milliseconds(1000) : milliseconds(0));
  if (Fault == TFault::Crashed && !Ending.empty()) Reason += " (" + Ending + ")";
  return {std::nullopt, Fault, std::move(Reason)};
}

std::optional<TAnswer> TBrainPlayer::AwaitAnswer(std::string& Line, TDeadline Deadline, std::string_view Awaiting,
                                                 int Allowed, TErrorIs Error) {
  while (true) {
    switch (FProcess.ReadLine(Line, Deadline)) {
      case TBrainProcess::TRead::TimedOut: {
        std::string Reason = "no answer to " + std::string(Awaiting) + " within " + std::to_string(Allowed) + " ms";
        if (!FLastError.empty()) Reason += " after " + Quoted(FLastError);
        return Lose(TFault::TimedOut, std::move(Reason));
      }
      case TBrainProcess::TRead::Closed:
        return Lose(TFault::Crashed, "ended instead of answering " + std::string(Awaiting));
      case TBrainProcess::TRead::TooLong:
        return Lose(TFault::Nonsense,
                    "sent a line longer than " + std::to_string(TBrainProcess::MaxLineLength) + " characters");
      case TBrainProcess::TRead::Line: break;
    }
    const std::string_view Text = Trimmed(Line);
    if (IsInformational(Text)) continue;
    if (SameWord(FirstWord(Text), "ERROR") && Error == TErrorIs::Complaint) {
      // Some brains say what they dislike and answer all the same; the
      // complaint is kept for the reason should no answer come.
      FLastError = std::string(Text);
      continue;
    }
    Line = std::string(Text);
    return std::nullopt;
  }
}

std::optional<TAnswer> TBrainPlayer::RefuseUnaskedAnswer() {
  for (const std::string& Line : FProcess.LinesSent()) {
    const std::string_view Text = Trimmed(Line);
    if (IsInformational(Text)) continue;
    if (SameWord(FirstWord(Text), "ERROR")) {
      FLastError = std::string(Text);
      continue;
    }
    return Lose(TFault::Nonsense, "answered twice: sent " + Quoted(Text) + " before it was asked for a move");
  }
  return std::nullopt;
}

std::optional<TAnswer> TBrainPlayer::Launch(int ColCount, int RowCount) {
  std::string Error;
  if (!FProcess.Start(FCommand, Error)) return TAnswer{std::nullopt, TFault::Crashed, Error};
  const TDeadline Deadline = TClock::now() + milliseconds(FTime.Start + FTime.Tolerance);
  const std::string Start =
      ColCount == RowCount ? "START " + std::to_string(ColCount) : "RECTSTART " + CellText(ColCount, RowCount);
  if (!FProcess.WriteLine(Start, Deadline)) return Lose(TFault::Crashed, "stopped reading at " + Start);
  std::string Line;
  if (std::optional<TAnswer> Failure = AwaitAnswer(Line, Deadline, Start, FTime.Start, TErrorIs::Refusal))
    return Failure;
  if (!SameWord(Line, "OK")) return Lose(TFault::Nonsense, "answered " + Start + " with " + Quoted(Line));
  const std::string Infos[] = {"INFO rule 0", "INFO timeout_turn " + std::to_string(FTime.Turn),
                               "INFO timeout_match " + std::to_string(FTime.Match)};
  for (const std::string& Info : Infos)
    if (!FProcess.WriteLine(Info, Deadline)) return Lose(TFault::Crashed, "stopped reading at " + Info);
  return std::nullopt;
}

std::vector<std::string> TBrainPlayer::AskForMove(const TMatchBoard& Board) const {
  std::vector<TCell> Changed;
  std::vector<std::string> Stones;
  const int Own = Board.Turn();
  for (int Col = 0; Col < Board.ColCount(); ++Col) {
    for (int Row = 0; Row < Board.RowCount(); ++Row) {
      const int Mark = Board.At(Col, Row);
      if (Mark != 0) Stones.push_back(CellText(Col, Row) + (Mark == Own ? ",1" : ",2"));
      if (FKnown && FKnown->At(Col, Row) != Mark) Changed.push_back({Col, Row});
    }
  }
  if (Stones.empty()) return {"BEGIN"};
  if (FKnown && Changed.size() == 1 && FKnown->At(Changed[0].Col, Changed[0].Row) == 0 &&
      Board.At(Changed[0].Col, Changed[0].Row) == -Own)
    return {"TURN " + CellText(Changed[0].Col, Changed[0].Row)};
  std::vector<std::string> Lines{"BOARD"};
  Lines.insert(Lines.end(), Stones.begin(), Stones.end());
  Lines.emplace_back("DONE");
  return Lines;
}

int TBrainPlayer::TimeLeft() const { return std::max(0, FTime.Match - static_cast<int>(FSpent.count())); }

TAnswer TBrainPlayer::Choose(const TMatchBoard& Board) {
  if (FLaunchFailure) return *FLaunchFailure;
  if (FTime.Match > 0 &&
      !FProcess.WriteLine("INFO time_left " + std::to_string(TimeLeft()), TClock::now() + milliseconds(FTime.Turn)))
    return Lose(TFault::Crashed, "stopped reading at INFO time_left");
  if (std::optional<TAnswer> Failure = RefuseUnaskedAnswer()) return *Failure;
  const int Allowed = FTime.Match > 0 ? std::min(FTime.Turn, TimeLeft()) : FTime.Turn;
  const TClock::time_point Asked = TClock::now();
  const TDeadline Deadline = Asked + milliseconds(Allowed + FTime.Tolerance);
  const std::vector<std::string> Request = AskForMove(Board);
  for (const std::string& Line : Request)
    if (!FProcess.WriteLine(Line, Deadline)) return Lose(TFault::Crashed, "stopped reading at " + Line);
  std::string Answer;
  if (std::optional<TAnswer> Failure = AwaitAnswer(Answer, Deadline, Request.front(), Allowed, TErrorIs::Complaint))
    return *Failure;
  FSpent += std::chrono::duration_cast<milliseconds>(TClock::now() - Asked);
  const std::optional<TCell> Cell = CellFrom(Answer);
  if (!Cell) return Lose(TFault::Nonsense, "answered " + Request.front() + " with " + Quoted(Answer));
  FLastError.clear();
  FKnown = Board;
  if (FKnown->IsFree(Cell->Col, Cell->Row)) FKnown->Play(Cell->Col, Cell->Row);
  return {Cell, TFault::None, ""};
}

}  // namespace quintar::match
