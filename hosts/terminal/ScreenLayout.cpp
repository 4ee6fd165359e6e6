#include "ScreenLayout.h"

#include <cwchar>

#include <algorithm>
#include <utility>

#include "Commands.h"
#include "TextUtil.h"

namespace quintar::terminal {
namespace {

constexpr std::string_view Ellipsis = "…";

bool ContinuesCharacter(char Byte) { return (static_cast<unsigned char>(Byte) & 0xC0) == 0x80; }

// The bytes of the character that starts at Text's first byte.
std::size_t CharacterBytes(std::string_view Text) {
  std::size_t End = 1;
  while (End < Text.size() && ContinuesCharacter(Text[End])) ++End;
  return std::min(End, Text.size());
}

// The columns the UTF-8 character Bytes takes on the screen, as the
// terminal's locale says: two for a wide one (most Chinese characters and
// emoji), none for a combining accent. One where the locale cannot tell.
int CharacterColumns(std::string_view Bytes) {
  const auto Lead = static_cast<unsigned char>(Bytes.front());
  if (Lead < 0x80) return 1;
  const int Length = static_cast<int>(Bytes.size());
  char32_t Point = Lead & (Length == 2 ? 0x1F : Length == 3 ? 0x0F : 0x07);
  for (const char Byte : Bytes.substr(1)) Point = (Point << 6) | (static_cast<unsigned char>(Byte) & 0x3F);
  const int Columns = ::wcwidth(static_cast<wchar_t>(Point));
  return Columns < 0 ? 1 : Columns;
}

// The bytes of Text's first characters that fit in Columns.
std::size_t BytesOf(std::string_view Text, int Columns) {
  std::size_t End = 0;
  for (int Used = 0; End < Text.size();) {
    const std::size_t Bytes = CharacterBytes(Text.substr(End));
    Used += CharacterColumns(Text.substr(End, Bytes));
    if (Used > Columns) break;
    End += Bytes;
  }
  return End;
}

std::string Cut(std::string_view Text, int Width) { return std::string(Text.substr(0, BytesOf(Text, Width))); }

// Text wrapped to Width, at most Count lines of it: when it needs more, the
// last one shown ends in "…" where it is cut.
std::vector<std::string> WrapAtMost(std::string_view Text, int Width, int Count) {
  std::vector<std::string> Lines = Wrap(Text, Width);
  if (std::ssize(Lines) <= Count) return Lines;
  Lines.resize(std::max(Count, 0) + 1);
  if (Count > 0) Lines[Count - 1] = ShortenAtWord(Lines[Count - 1] + " " + Lines[Count], Width);
  Lines.pop_back();
  return Lines;
}

// The latest messages that fit whole in Count lines, wrapped, and blank
// lines above them for one that does not, so that the prompt stays put.
// When even the latest does not fit, its beginning: a tail would start
// mid-sentence.
std::vector<std::string> LatestLines(const std::deque<std::string>& Messages, int Width, int Count) {
  std::vector<std::string> Lines;  // the latest line first
  for (auto Message = Messages.rbegin(); Message != Messages.rend(); ++Message) {
    const int Room = Count - static_cast<int>(Lines.size());
    const std::vector<std::string> Wrapped = Wrap(*Message, Width);
    if (std::ssize(Wrapped) <= Room) {
      Lines.insert(Lines.end(), Wrapped.rbegin(), Wrapped.rend());
      continue;
    }
    if (Lines.empty()) {
      const std::vector<std::string> Beginning = WrapAtMost(*Message, Width, Room);
      Lines.assign(Beginning.rbegin(), Beginning.rend());
    }
    Lines.resize(std::max(Count, 0));
    break;
  }
  std::reverse(Lines.begin(), Lines.end());
  return Lines;
}

// The messages, each wrapped, in order.
std::vector<std::string> Wrapped(std::span<const std::string> Messages, int Width) {
  std::vector<std::string> Lines;
  for (const std::string& Message : Messages)
    for (std::string& Line : Wrap(Message, Width)) Lines.push_back(std::move(Line));
  return Lines;
}

// The status (when shown) and the prompt with a long command's end, where
// the typing is.
void EndWithStatusAndPrompt(TScreen& Screen, const TScreenContent& Content, int Width, bool StatusShown) {
  if (StatusShown) Screen.Lines.push_back(ShortenAtWord(Content.Status, Width));
  const int Room = std::max(Width - static_cast<int>(CommandPrompt.size()) - 1, 0);
  Screen.Lines.push_back(Cut(std::string(CommandPrompt) + std::string(LastColumns(Content.Typed, Room)), Width));
  Screen.CursorLine = static_cast<int>(Screen.Lines.size()) - 1;
  Screen.CursorColumn = std::min(TextColumns(Screen.Lines.back()), Width - 1);
}

// A page of the reply, the lines saying where it is and how to go on, then
// the status and the prompt. The guide is wrapped, not cut, in a narrow
// window; in a window of three lines the status gives way to it.
TScreen ReadingScreen(std::vector<std::string> Reply, TScreenSize Size, const TScreenContent& Content, int Width) {
  TScreen Screen;
  Screen.Reading = true;
  const int Total = static_cast<int>(Reply.size());
  const bool StatusShown = Size.Lines > 3;
  const int Fixed = StatusShown ? 2 : 1;
  // The guide's lines counted with its numbers at their widest, so that a
  // page is as long as any other; the reply keeps at least a line.
  const auto GuideLength = [&](int Last) {
    return std::ssize(Wrap(Content.Words.ReadingGuide(Total, Last, Total), Width));
  };
  const int GuideLines = static_cast<int>(
      std::min<std::ptrdiff_t>(std::max(GuideLength(Total), GuideLength(Total - 1)), Size.Lines - Fixed - 1));
  Screen.ReadingPage = Size.Lines - Fixed - GuideLines;
  Screen.ReadingFrom = std::clamp(Content.ReadingFrom, 0, std::max(Total - Screen.ReadingPage, 0));
  const int Until = std::min(Screen.ReadingFrom + Screen.ReadingPage, Total);
  Screen.ReadingMore = Until < Total;
  for (int Line = Screen.ReadingFrom; Line < Until; ++Line) Screen.Lines.push_back(std::move(Reply[Line]));
  for (std::string& Line :
       WrapAtMost(Content.Words.ReadingGuide(Screen.ReadingFrom + 1, Until, Total), Width, GuideLines))
    Screen.Lines.push_back(std::move(Line));
  EndWithStatusAndPrompt(Screen, Content, Width, StatusShown);
  return Screen;
}

}  // namespace

int TextColumns(std::string_view Text) {
  int Columns = 0;
  for (std::size_t At = 0; At < Text.size();) {
    const std::size_t Bytes = CharacterBytes(Text.substr(At));
    Columns += CharacterColumns(Text.substr(At, Bytes));
    At += Bytes;
  }
  return Columns;
}

std::string_view LastColumns(std::string_view Text, int Columns) {
  std::size_t Start = Text.size();
  for (int Used = 0; Start > 0;) {
    std::size_t Before = Start - 1;
    while (Before > 0 && ContinuesCharacter(Text[Before])) --Before;
    Used += CharacterColumns(Text.substr(Before, Start - Before));
    if (Used > Columns) break;
    Start = Before;
  }
  return Text.substr(Start);
}

// The last character that shows, however many columns it takes, with any
// that take none after it (combining accents).
void EraseLastCharacter(std::string& Text) {
  std::size_t Start = Text.size();
  while (Start > 0) {
    std::size_t Before = Start - 1;
    while (Before > 0 && ContinuesCharacter(Text[Before])) --Before;
    const bool Shows = CharacterColumns(std::string_view(Text).substr(Before, Start - Before)) > 0;
    Start = Before;
    if (Shows) break;
  }
  Text.resize(Start);
}

std::vector<std::string> Wrap(std::string_view Text, int Width) {
  std::vector<std::string> Lines;
  if (Width < 1) return Lines;
  std::string Line;
  for (std::string_view Word : SplitAny(Text, " ")) {
    if (!Line.empty() && TextColumns(Line) + 1 + TextColumns(Word) > Width) Lines.push_back(std::exchange(Line, {}));
    while (TextColumns(Word) > Width) {
      if (!Line.empty()) Lines.push_back(std::exchange(Line, {}));
      const std::size_t Bytes = BytesOf(Word, Width);
      Lines.emplace_back(Word.substr(0, Bytes));
      Word.remove_prefix(Bytes);
    }
    if (Word.empty()) continue;
    if (!Line.empty()) Line += ' ';
    Line += Word;
  }
  if (!Line.empty()) Lines.push_back(Line);
  return Lines;
}

std::string ShortenAtWord(std::string_view Text, int Width) {
  if (TextColumns(Text) <= Width) return std::string(Text);
  if (Width < 1) return {};
  // The words before the ellipsis keep a column for it.
  const int Room = Width - TextColumns(Ellipsis);
  std::string Shortened;
  for (const std::string_view Word : SplitAny(Text, " ")) {
    const int Needed = TextColumns(Shortened) + (Shortened.empty() ? 0 : 1) + TextColumns(Word);
    if (Needed > Room) break;
    if (!Shortened.empty()) Shortened += ' ';
    Shortened += Word;
  }
  if (Shortened.empty()) Shortened = Cut(Trimmed(Text), Room);
  return Shortened + std::string(Ellipsis);
}

TScreen ComposeScreen(TScreenSize Size, const TScreenContent& Content) {
  TScreen Screen;
  const int Width = std::max(Size.Columns, 1);
  const int BoardHeight = static_cast<int>(Content.Board.size());
  // Below the board: at least one message line, the status and the prompt.
  Screen.BoardShown = Content.BoardWidth <= Width && BoardHeight + 3 <= Size.Lines;
  if (!Content.Reading.empty() && Size.Lines >= 3) {
    std::vector<std::string> Reply = Wrapped(Content.Reading, Width);
    const int BelowBoard = Size.Lines - BoardHeight - 2;
    if (!Screen.BoardShown || std::ssize(Reply) > BelowBoard)
      return ReadingScreen(std::move(Reply), Size, Content, Width);
  }
  std::vector<std::string> Top;
  if (Screen.BoardShown) {
    Top = Content.Board;
  } else {
    Top = Wrap(Content.Words.WindowTooSmall(Size.Columns, Size.Lines, Content.BoardWidth, BoardHeight + 3), Width);
  }
  // The status and the prompt always keep their two lines; what is above
  // them gives way from its end.
  const int Above = std::max(Size.Lines - 2, 0);
  if (std::ssize(Top) > Above) Top.resize(Above);
  Screen.Lines = Top;
  int MessageLines = Above - static_cast<int>(Top.size());
  // Where the latest message needs just one more line (a move, the answer
  // and the result, under a board that fills the window), the status gives
  // way to it: the message is said once, while the status comes back with
  // the next reply.
  bool StatusShown = Size.Lines >= 2;
  if (StatusShown && MessageLines > 0 && !Content.Messages.empty() &&
      std::ssize(Wrap(Content.Messages.back(), Width)) == MessageLines + 1) {
    StatusShown = false;
    ++MessageLines;
  }
  for (std::string& Line : LatestLines(Content.Messages, Width, MessageLines)) Screen.Lines.push_back(std::move(Line));
  EndWithStatusAndPrompt(Screen, Content, Width, StatusShown);
  return Screen;
}

}  // namespace quintar::terminal
