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

namespace {

// The length of the well-formed UTF-8 sequence of a printable character
// beyond ASCII at the start of Text, or 0 for anything else: overlong forms,
// surrogates, C1 controls, and the marks that reorder or break a line, with
// which a name could be made to read otherwise.
std::size_t PrintableBeyondAscii(std::string_view Text) {
  const auto Lead = static_cast<unsigned char>(Text[0]);
  const std::size_t Length = Lead >= 0xF5 ? 0 : Lead >= 0xF0 ? 4 : Lead >= 0xE0 ? 3 : Lead >= 0xC2 ? 2 : 0;
  if (Length == 0 || Text.size() < Length) return 0;
  char32_t Code = Lead & (0x7Fu >> Length);
  for (std::size_t I = 1; I < Length; ++I) {
    const auto Next = static_cast<unsigned char>(Text[I]);
    if ((Next & 0xC0u) != 0x80u) return 0;
    Code = (Code << 6) | (Next & 0x3Fu);
  }
  constexpr char32_t Least[] = {0, 0, 0xA0, 0x800, 0x10000};
  const bool Reorders =
      (Code >= 0x200E && Code <= 0x200F) || (Code >= 0x2028 && Code <= 0x202E) || (Code >= 0x2066 && Code <= 0x2069);
  if (Code < Least[Length] || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF) || Reorders) return 0;
  return Length;
}

// The echo of Text, with printable characters beyond ASCII shown as they
// are when Utf8 is set.
std::string Echoed(std::string_view Text, std::size_t MaxLength, bool Utf8) {
  static constexpr char Digits[] = "0123456789abcdef";
  std::string Shown;
  std::size_t At = 0;
  while (At < Text.size() && At < MaxLength) {
    const char Byte = Text[At];
    const auto Code = static_cast<unsigned char>(Byte);
    if (Byte == '\\') {
      Shown += "\\\\";
    } else if (Byte >= ' ' && Byte <= '~') {
      Shown.push_back(Byte);
    } else if (const std::size_t Length = Utf8 ? PrintableBeyondAscii(Text.substr(At)) : 0; Length > 0) {
      if (At + Length > MaxLength) break;  // never half a character
      Shown += Text.substr(At, Length);
      At += Length;
      continue;
    } else {
      Shown += "\\x";
      Shown.push_back(Digits[Code >> 4]);
      Shown.push_back(Digits[Code & 15u]);
    }
    ++At;
  }
  if (At < Text.size()) Shown += "...";
  return Shown;
}

}  // namespace

std::string Echo(std::string_view Text, std::size_t MaxLength) { return Echoed(Text, MaxLength, false); }

std::string EchoUtf8(std::string_view Text, std::size_t MaxLength) { return Echoed(Text, MaxLength, true); }

}  // namespace quintar::terminal
