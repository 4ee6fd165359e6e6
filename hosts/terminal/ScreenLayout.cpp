#include "ScreenLayout.h"

#include <algorithm>
#include <utility>

#include "TextUtil.h"

namespace quintar::terminal {
namespace {

constexpr std::string_view Prompt = "> ";

std::string Cut(std::string_view Text, int Width) { return std::string(Text.substr(0, std::max(Width, 0))); }

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

}  // namespace

std::vector<std::string> Wrap(std::string_view Text, int Width) {
  std::vector<std::string> Lines;
  if (Width < 1) return Lines;
  std::string Line;
  for (std::string_view Word : SplitAny(Text, " ")) {
    if (!Line.empty() && std::ssize(Line) + 1 + std::ssize(Word) > Width) Lines.push_back(std::exchange(Line, {}));
    while (std::ssize(Word) > Width) {
      if (!Line.empty()) Lines.push_back(std::exchange(Line, {}));
      Lines.emplace_back(Word.substr(0, Width));
      Word.remove_prefix(Width);
    }
    if (Word.empty()) continue;
    if (!Line.empty()) Line += ' ';
    Line += Word;
  }
  if (!Line.empty()) Lines.push_back(Line);
  return Lines;
}

TScreen ComposeScreen(TScreenSize Size, const TScreenContent& Content) {
  TScreen Screen;
  const int Width = std::max(Size.Columns, 1);
  const int BoardHeight = static_cast<int>(Content.Board.size());
  // Below the board: at least one message line, the status and the prompt.
  Screen.BoardShown = Content.BoardWidth <= Width && BoardHeight + 3 <= Size.Lines;
  std::vector<std::string> Top;
  if (Screen.BoardShown) {
    Top = Content.Board;
  } else {
    Top = Wrap("The window is " + std::to_string(Size.Columns) + " x " + std::to_string(Size.Lines) +
                   "; this board needs " + std::to_string(Content.BoardWidth) + " x " +
                   std::to_string(BoardHeight + 3) + ". Make the window larger, or type size with smaller numbers.",
               Width);
  }
  // The status and the prompt always keep their two lines; what is above
  // them gives way from its end.
  const int Above = std::max(Size.Lines - 2, 0);
  if (std::ssize(Top) > Above) Top.resize(Above);
  Screen.Lines = Top;
  const int MessageLines = Above - static_cast<int>(Top.size());
  for (std::string& Line : LatestLines(Content.Messages, Width, MessageLines)) Screen.Lines.push_back(std::move(Line));
  if (Size.Lines >= 2) Screen.Lines.push_back(Cut(Content.Status, Width));
  // A long command shows its end, where the typing is.
  const int Room = std::max(Width - static_cast<int>(Prompt.size()) - 1, 0);
  const std::string_view Typed = Content.Typed.substr(Content.Typed.size() - std::min<std::size_t>(Content.Typed.size(), Room));
  Screen.Lines.push_back(Cut(std::string(Prompt) + std::string(Typed), Width));
  Screen.CursorLine = static_cast<int>(Screen.Lines.size()) - 1;
  Screen.CursorColumn = std::min(static_cast<int>(Screen.Lines.back().size()), Width - 1);
  return Screen;
}

}  // namespace quintar::terminal
