#include "TypInfo.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <limits>

#include "Types.h"

namespace vcl {
namespace {

struct TNamedColor {
  const char* Name;
  TColor Value;
};

constexpr TNamedColor NamedColors[] = {
    {"clBlack", clBlack},   {"clMaroon", clMaroon},   {"clGreen", clGreen}, {"clOlive", clOlive},
    {"clNavy", clNavy},     {"clPurple", clPurple},   {"clTeal", clTeal},   {"clGray", clGray},
    {"clSilver", clSilver}, {"clRed", clRed},         {"clLime", clLime},   {"clYellow", clYellow},
    {"clBlue", clBlue},     {"clFuchsia", clFuchsia}, {"clAqua", clAqua},   {"clWhite", clWhite},
};

// The whole of Text as a number in Base, or nothing.
template <typename TNumber>
std::optional<TNumber> WholeNumber(std::string_view Text, int Base) {
  TNumber Value{};
  const char* End = Text.data() + Text.size();
  const auto [Stop, Failure] = std::from_chars(Text.data(), End, Value, Base);
  if (Text.empty() || Failure != std::errc() || Stop != End) return std::nullopt;
  return Value;
}

std::optional<std::int64_t> Int32(std::string_view Text) {
  const auto Value = WholeNumber<std::int64_t>(Text, 10);
  if (!Value || *Value < std::numeric_limits<std::int32_t>::min() || *Value > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return Value;
}

// A named colour, $ and up to eight hex digits (all 32 bits, as written), or
// a decimal 32-bit number.
std::optional<std::int64_t> ColorValue(std::string_view Text) {
  for (const TNamedColor& Named : NamedColors)
    if (SameText(Text, Named.Name)) return Named.Value;
  if (!Text.empty() && Text.front() == '$') {
    Text.remove_prefix(1);
    if (Text.size() > 8 || (!Text.empty() && (Text.front() == '+' || Text.front() == '-'))) return std::nullopt;
    const auto Bits = WholeNumber<std::uint32_t>(Text, 16);
    if (!Bits) return std::nullopt;
    return static_cast<std::int32_t>(*Bits);
  }
  return Int32(Text);
}

std::optional<std::int64_t> NamedOrdinal(const std::vector<std::string>& Names, std::string_view Text) {
  for (std::size_t I = 0; I < Names.size(); ++I)
    if (SameText(Text, Names[I])) return static_cast<std::int64_t>(I);
  return std::nullopt;
}

std::string ColorText(std::int64_t Value) {
  const auto Color = static_cast<TColor>(Value);
  for (const TNamedColor& Named : NamedColors)
    if (Named.Value == Color) return Named.Name;
  char Text[16];
  std::snprintf(Text, sizeof Text, "$%08X", static_cast<unsigned>(static_cast<std::uint32_t>(Color)));
  return Text;
}

}  // namespace

bool SameText(std::string_view Left, std::string_view Right) {
  return Left.size() == Right.size() && std::equal(Left.begin(), Left.end(), Right.begin(), [](char A, char B) {
           return std::tolower(static_cast<unsigned char>(A)) == std::tolower(static_cast<unsigned char>(B));
         });
}

std::string_view TrimText(std::string_view Text) {
  const auto IsSpace = [](char C) { return std::isspace(static_cast<unsigned char>(C)) != 0; };
  while (!Text.empty() && IsSpace(Text.front())) Text.remove_prefix(1);
  while (!Text.empty() && IsSpace(Text.back())) Text.remove_suffix(1);
  return Text;
}

std::string OrdinalToText(const TPropertyInfo& Property, std::int64_t Value) {
  switch (Property.Kind) {
    case TPropertyKind::Integer: return std::to_string(Value);
    case TPropertyKind::Color: return ColorText(Value);
    case TPropertyKind::Boolean:
    case TPropertyKind::Enumeration:
      if (Value >= 0 && Value < static_cast<std::int64_t>(Property.EnumNames.size()))
        return Property.EnumNames[static_cast<std::size_t>(Value)];
      return std::to_string(Value);
    case TPropertyKind::Event: return Value != 0 ? "assigned" : "";
  }
  return std::to_string(Value);
}

std::optional<std::int64_t> TextToOrdinal(const TPropertyInfo& Property, std::string_view Text, std::string& Error) {
  Text = TrimText(Text);
  std::optional<std::int64_t> Value;
  const char* Expected = "";
  switch (Property.Kind) {
    case TPropertyKind::Integer:
      Value = Int32(Text);
      Expected = "a whole number";
      break;
    case TPropertyKind::Color:
      Value = ColorValue(Text);
      Expected = "a colour name such as clRed, or $00BBGGRR";
      break;
    case TPropertyKind::Boolean:
    case TPropertyKind::Enumeration:
      Value = NamedOrdinal(Property.EnumNames, Text);
      Expected = "one of the names listed for it";
      break;
    case TPropertyKind::Event:
      Error = Property.Name + " is an event: only a program can assign it";
      return std::nullopt;
  }
  if (!Value) {
    Error = "\"" + std::string(Text) + "\" is not a valid " + Property.TypeName + " for " + Property.Name +
            " (expected " + Expected;
    if (!Property.EnumNames.empty()) {
      Error += ":";
      for (const std::string& Name : Property.EnumNames) Error += " " + Name;
    }
    Error += ")";
  }
  return Value;
}

}  // namespace vcl
