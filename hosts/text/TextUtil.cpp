#include "TextUtil.h"

#include <charconv>

namespace quintar::terminal {

std::vector<std::string_view> SplitAny(std::string_view Text, std::string_view Separators) {
  std::vector<std::string_view> Pieces;
  std::size_t Start = Text.find_first_not_of(Separators);
  while (Start != std::string_view::npos) {
    const std::size_t End = Text.find_first_of(Separators, Start);
    Pieces.push_back(Text.substr(Start, End == std::string_view::npos ? End : End - Start));
    Start = End == std::string_view::npos ? End : Text.find_first_not_of(Separators, End);
  }
  return Pieces;
}

std::optional<int> IntegerFrom(std::string_view Text, bool Signed) {
  if (Text.empty() || (!Signed && Text.front() == '-')) return std::nullopt;
  int Value = 0;
  const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
  if (Error != std::errc() || End != Text.data() + Text.size()) return std::nullopt;
  return Value;
}

std::string Echo(std::string_view Text, std::size_t MaxLength) {
  static constexpr char Digits[] = "0123456789abcdef";
  std::string Shown;
  for (const char Byte : Text.substr(0, MaxLength)) {
    const auto Code = static_cast<unsigned char>(Byte);
    if (Byte == '\\') {
      Shown += "\\\\";
    } else if (Byte >= ' ' && Byte <= '~') {
      Shown.push_back(Byte);
    } else {
      Shown += "\\x";
      Shown.push_back(Digits[Code >> 4]);
      Shown.push_back(Digits[Code & 15u]);
    }
  }
  if (Text.size() > MaxLength) Shown += "...";
  return Shown;
}

}  // namespace quintar::terminal
