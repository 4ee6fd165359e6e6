#include "ScreenLayout.h"

#include <algorithm>
#include <utility>

#include "TextUtil.h"

namespace quintar::terminal {
namespace {

constexpr std::string_view Prompt = "> ";
constexpr std::string_view Ellipsis = "…";

bool ContinuesCharacter(char Byte) { return (static_cast<unsigned char>(Byte) & 0xC0) == 0x80; }

// The bytes of Text's first Columns characters.
std::size_t BytesOf(std::string_view Text, int Columns) {
  std::size_t End = 0;
  for (int Column = 0; End < Text.size() && Column < Columns; ++Column) do
      ++End;
    while (End < Text.size() && ContinuesCharacter(Text[End]));
  return End;
}

std::string Cut(std::string_view Text, int Width) { return std::string(Text.substr(0, BytesOf(Text, Width))); }

// The latest wrapped lines of the messages, at most Count of them.
std::vector<std::string> LatestLines(const std::deque<std::string>& Messages, int Width, int Count) {
  std::vector<std::string> Lines;
  for (auto Message = Messages.rbegin(); Message != Messages.rend() && std::ssize(Lines) < Count; ++Message) {
    const std::vector<std::string> Wrapped = Wrap(*Message, Width);
    for (auto Line = Wrapped.rbegin(); Line != Wrapped.rend() && std::ssize(Lines) < Count; ++Line)
      Lines.push_back(*Line);
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

// The status and the prompt with a long command's end, where the typing is.
void EndWithStatusAndPrompt(TScreen& Screen, const TScreenContent& Content, TScreenSize Size, int Width) {
  if (Size.Lines >= 2) Screen.Lines.push_back(ShortenAtWord(Content.Status, Width));
  const int Room = std::max(Width - static_cast<int>(Prompt.size()) - 1, 0);
  Screen.Lines.push_back(Cut(std::string(Prompt) + std::string(LastColumns(Content.Typed, Room)), Width));
  Screen.CursorLine = static_cast<int>(Screen.Lines.size()) - 1;
  Screen.CursorColumn = std::min(TextColumns(Screen.Lines.back()), Width - 1);
}

// A page of the reply, a line saying where it is and how to go on, then the
// status and the prompt.
TScreen ReadingScreen(std::vector<std::string> Reply, TScreenSize Size, const TScreenContent& Content, int Width) {
  TScreen Screen;
  Screen.Reading = true;
  Screen.ReadingPage = Size.Lines - 3;
  const int Total = static_cast<int>(Reply.size());
  Screen.ReadingFrom = std::clamp(Content.ReadingFrom, 0, std::max(Total - Screen.ReadingPage, 0));
  const int Until = std::min(Screen.ReadingFrom + Screen.ReadingPage, Total);
  Screen.ReadingMore = Until < Total;
  for (int Line = Screen.ReadingFrom; Line < Until; ++Line) Screen.Lines.push_back(std::move(Reply[Line]));
  Screen.Lines.push_back(ShortenAtWord(Content.Words.ReadingGuide(Screen.ReadingFrom + 1, Until, Total), Width));
  EndWithStatusAndPrompt(Screen, Content, Size, Width);
  return Screen;
}

}  // namespace

int TextColumns(std::string_view Text) {
  return static_cast<int>(std::count_if(Text.begin(), Text.end(), [](char Byte) { return !ContinuesCharacter(Byte); }));
}

std::string_view LastColumns(std::string_view Text, int Columns) {
  std::size_t Start = Text.size();
  for (int Column = 0; Start > 0 && Column < Columns; ++Column) do
      --Start;
    while (Start > 0 && ContinuesCharacter(Text[Start]));
  return Text.substr(Start);
}

void EraseLastCharacter(std::string& Text) { Text.resize(Text.size() - LastColumns(Text, 1).size()); }

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
  if (!Content.Reading.empty() && Size.Lines >= 4) {
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
  const int MessageLines = Above - static_cast<int>(Top.size());
  for (std::string& Line : LatestLines(Content.Messages, Width, MessageLines)) Screen.Lines.push_back(std::move(Line));
  EndWithStatusAndPrompt(Screen, Content, Size, Width);
  return Screen;
}

}  // namespace quintar::terminal
