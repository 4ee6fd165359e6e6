#include "GameRecord.h"

#include <array>
#include <charconv>
#include <optional>

#include "Opponent.h"
#include "Rules.h"
#include "Words.h"

namespace quintar::game {
namespace {

constexpr std::string_view HeaderWord = "Piskvorky ";

TRecordError Refusal(std::size_t Line, const std::string& Reason) {
  return {"line " + std::to_string(Line) + ": " + Reason};
}

std::string CellText(int Col, int Row) { return std::to_string(Col + 1) + "," + std::to_string(Row + 1); }

// Where an editor on some systems starts a text file; it is no part of
// the record.
constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// The text a record is read from: past a byte-order mark, and up to its -1
// line. What follows that (a result, a manager's notes) is not read, so it
// may hold anything.
std::string_view ReadPart(std::string_view Text) {
  if (Text.starts_with(ByteOrderMark)) Text.remove_prefix(ByteOrderMark.size());
  for (std::size_t End = Text.find('\n'); End != std::string_view::npos;) {
    const std::size_t Next = Text.find('\n', End + 1);
    std::string_view Line = Text.substr(End + 1, Next - End - 1);
    if (Line.ends_with('\r')) Line.remove_suffix(1);
    if (Trimmed(Line) == "-1") return Text.substr(0, Next);
    End = Next;
  }
  return Text;
}

// The first control character, with the line it stands on; the CR of a line
// end passes, and so do bytes past ASCII (a player's name may be in any
// language).
std::optional<TRecordError> FirstControlByte(std::string_view Text) {
  std::size_t Line = 1;
  for (std::size_t At = 0; At < Text.size(); ++At) {
    const char Byte = Text[At];
    if (Byte == '\n') {
      ++Line;
      continue;
    }
    const bool LineEnd = Byte == '\r' && (At + 1 == Text.size() || Text[At + 1] == '\n');
    const auto Code = static_cast<unsigned char>(Byte);
    if (LineEnd || (Code >= 0x20 && Code != 0x7f)) continue;
    static constexpr char Digits[] = "0123456789abcdef";
    return Refusal(Line, std::string("byte 0x") + Digits[Code >> 4] + Digits[Code & 15u] + " is not printable text");
  }
  return std::nullopt;
}

// Splits at LF, dropping the CR of a CRLF.
std::vector<std::string_view> Lines(std::string_view Text) {
  std::vector<std::string_view> Result;
  while (!Text.empty()) {
    const std::size_t End = Text.find('\n');
    std::string_view Line = Text.substr(0, End);
    if (!Line.empty() && Line.back() == '\r') Line.remove_suffix(1);
    Result.push_back(Line);
    if (End == std::string_view::npos) break;
    Text.remove_prefix(End + 1);
  }
  return Result;
}

// A whole number filling Text, or nothing; Text may carry a sign.
std::optional<std::int64_t> WholeNumber(std::string_view Text) {
  std::int64_t Value = 0;
  const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
  if (Text.empty() || Error != std::errc() || End != Text.data() + Text.size()) return std::nullopt;
  return Value;
}

// "x,y,ms" as three numbers; nothing for a line of any other shape.
std::optional<std::array<std::int64_t, 3>> MoveFields(std::string_view Line) {
  std::array<std::int64_t, 3> Fields{};
  for (std::size_t Index = 0; Index < Fields.size(); ++Index) {
    const std::size_t Comma = Line.find(',');
    if ((Comma == std::string_view::npos) != (Index == Fields.size() - 1)) return std::nullopt;
    const std::optional<std::int64_t> Number = WholeNumber(Trimmed(Line.substr(0, Comma)));
    if (!Number) return std::nullopt;
    Fields[Index] = *Number;
    Line.remove_prefix(Comma == std::string_view::npos ? Line.size() : Comma + 1);
  }
  return Fields;
}

// Two or three whole numbers between commas, whatever their size, and
// nothing else: what a move line is meant to be, though the reader may not
// take it as one. No name a record holds has this shape.
bool ShapedLikeAMove(std::string_view Line) {
  int Fields = 0;
  while (true) {
    const std::size_t Comma = Line.find(',');
    std::string_view Field = Trimmed(Line.substr(0, Comma));
    if (!Field.empty() && Field.front() == '-') Field.remove_prefix(1);
    if (Field.empty() || Field.find_first_not_of("0123456789") != std::string_view::npos) return false;
    ++Fields;
    if (Comma == std::string_view::npos) return Fields == 2 || Fields == 3;
    Line.remove_prefix(Comma + 1);
  }
}

// The board size of "Piskvorky WxH, ...".
std::optional<std::array<int, 2>> HeaderSize(std::string_view Line) {
  if (Line.substr(0, HeaderWord.size()) != HeaderWord) return std::nullopt;
  Line.remove_prefix(HeaderWord.size());
  const std::string_view Size = Line.substr(0, Line.find(','));
  const std::size_t Cross = Size.find('x');
  if (Cross == std::string_view::npos) return std::nullopt;
  const std::optional<std::int64_t> Cols = WholeNumber(Size.substr(0, Cross));
  const std::optional<std::int64_t> Rows = WholeNumber(Trimmed(Size.substr(Cross + 1)));
  if (!Cols || !Rows || *Cols < 0 || *Rows < 0 || *Cols > 1000000 || *Rows > 1000000) return std::nullopt;
  return std::array<int, 2>{static_cast<int>(*Cols), static_cast<int>(*Rows)};
}

// The moves read so far, to refuse a taken cell and a move after a five.
class TRecordBoard {
 public:
  TRecordBoard(int ColCount, int RowCount) : FColCount(ColCount), FRowCount(RowCount) {}

  // Col and Row must lie on the board.
  int At(int Col, int Row) const { return FCells[Col][Row]; }
  void Put(int Col, int Row, int Side) { FCells[Col][Row] = Side; }
  TBoardView View() const { return {FCells, FColCount, FRowCount}; }

 private:
  int FCells[MaxBoardSide][MaxBoardSide] = {};
  int FColCount;
  int FRowCount;
};

// The names from line First on, up to a -1 line or the end; blank lines are
// passed over. A line among them shaped like a move means the moves broke
// off early: its index, and no names.
std::optional<std::size_t> ReadNames(const std::vector<std::string_view>& TextLines, std::size_t First,
                                     std::vector<std::string>& Names) {
  for (std::size_t Index = First; Index < TextLines.size(); ++Index) {
    const std::string_view Name = Trimmed(TextLines[Index]);
    if (Name == "-1") return std::nullopt;
    if (ShapedLikeAMove(Name)) {
      Names.clear();
      return Index;
    }
    if (!Name.empty()) Names.emplace_back(Name);
  }
  return std::nullopt;
}

}  // namespace

std::variant<TRecord, TRecordError> ReadRecord(std::string_view Text) {
  Text = ReadPart(Text);
  if (const std::optional<TRecordError> Unprintable = FirstControlByte(Text)) return *Unprintable;
  const std::vector<std::string_view> TextLines = Lines(Text);
  const std::optional<std::array<int, 2>> Size = TextLines.empty() ? std::nullopt : HeaderSize(TextLines[0]);
  if (!Size) return Refusal(1, "not a game record: it must begin with \"Piskvorky WxH\"");
  TRecord Record;
  Record.ColCount = (*Size)[0];
  Record.RowCount = (*Size)[1];
  if (!BoardSideFits(Record.ColCount) || !BoardSideFits(Record.RowCount))
    return Refusal(1, "a board of " + std::to_string(Record.ColCount) + "x" + std::to_string(Record.RowCount) +
                          " cells: boards are " + std::to_string(MinBoardSide) + " to " + std::to_string(MaxBoardSide) +
                          " cells a side");

  TRecordBoard Board(Record.ColCount, Record.RowCount);
  const std::size_t CellCount = static_cast<std::size_t>(Record.ColCount * Record.RowCount);
  std::size_t WonAt = 0;
  for (std::size_t Index = 1; Index < TextLines.size(); ++Index) {
    const std::size_t LineNumber = Index + 1;
    const std::optional<std::array<std::int64_t, 3>> Fields = MoveFields(TextLines[Index]);
    if (!Fields) {
      if (ShapedLikeAMove(TextLines[Index]))
        return Refusal(LineNumber, "not a move: a move is column,row,milliseconds, each a number that fits");
      if (const std::optional<std::size_t> Stray = ReadNames(TextLines, Index, Record.Names))
        return Refusal(LineNumber, "the moves break off here, yet line " + std::to_string(*Stray + 1) + " is a move");
      break;
    }
    const std::int64_t X = (*Fields)[0], Y = (*Fields)[1], Time = (*Fields)[2];
    if (X < 1 || X > Record.ColCount || Y < 1 || Y > Record.RowCount)
      return Refusal(LineNumber, "move " + std::to_string(X) + "," + std::to_string(Y) + " is off the " +
                                     std::to_string(Record.ColCount) + "x" + std::to_string(Record.RowCount) +
                                     " board");
    if (Time < 0) return Refusal(LineNumber, "a move cannot take a negative time");
    if (WonAt != 0) return Refusal(LineNumber, "a move after the five made on line " + std::to_string(WonAt));
    if (Record.Moves.size() == CellCount) return Refusal(LineNumber, "more moves than the board has cells");
    const int Col = static_cast<int>(X - 1), Row = static_cast<int>(Y - 1);
    if (Board.At(Col, Row) != 0) return Refusal(LineNumber, "cell " + CellText(Col, Row) + " is taken already");
    Board.Put(Col, Row, Record.Moves.size() % 2 == 0 ? 1 : -1);
    if (FiveThrough(Board.View(), Col, Row)) WonAt = LineNumber;
    Record.Moves.push_back({Col, Row, Time});
  }
  return Record;
}

std::string WriteRecord(const TRecord& Record) {
  std::string Text = std::string(HeaderWord) + std::to_string(Record.ColCount) + "x" + std::to_string(Record.RowCount) +
                     ", 11:11, 0\n";
  for (const TRecordMove& Move : Record.Moves)
    Text += CellText(Move.Col, Move.Row) + "," + std::to_string(Move.Milliseconds) + "\n";
  for (const std::string& Name : Record.Names) Text += Name + "\n";
  return Text + "-1\n";
}

}  // namespace quintar::game
