#include "JsonReader.h"

#include <charconv>
#include <stdexcept>

namespace quintar::testing {

const TJson& TJson::operator[](std::string_view Key) const {
  const auto Found = Members.find(Key);
  if (Found == Members.end()) throw std::out_of_range("no member \"" + std::string(Key) + "\"");
  return Found->second;
}

namespace {

class TReader {
 public:
  explicit TReader(std::string_view Text) : FText(Text) {}

  std::optional<TJson> Whole() {
    std::optional<TJson> Read = Value();
    SkipSpace();
    if (FAt != FText.size()) return std::nullopt;
    return Read;
  }

 private:
  bool AtEnd() const { return FAt >= FText.size(); }
  void SkipSpace() {
    while (!AtEnd() && std::string_view(" \t\r\n").find(FText[FAt]) != std::string_view::npos) ++FAt;
  }
  bool Take(char Expected) {
    SkipSpace();
    if (AtEnd() || FText[FAt] != Expected) return false;
    ++FAt;
    return true;
  }
  bool TakeWord(std::string_view Word) {
    if (FText.substr(FAt, Word.size()) != Word) return false;
    FAt += Word.size();
    return true;
  }

  std::optional<TJson> Value() {
    SkipSpace();
    if (AtEnd()) return std::nullopt;
    TJson Read;
    switch (FText[FAt]) {
      case '{': return Object();
      case '[': return Array();
      case '"': {
        std::optional<std::string> Text = String();
        if (!Text) return std::nullopt;
        Read.Kind = TJson::TKind::String;
        Read.String = std::move(*Text);
        return Read;
      }
      default: break;
    }
    if (TakeWord("null")) return Read;
    Read.Kind = TJson::TKind::Bool;
    Read.Bool = TakeWord("true");
    if (Read.Bool || TakeWord("false")) return Read;
    return Number();
  }

  std::optional<TJson> Object() {
    TJson Read;
    Read.Kind = TJson::TKind::Object;
    ++FAt;
    if (Take('}')) return Read;
    do {
      SkipSpace();
      std::optional<std::string> Key = String();
      if (!Key || !Take(':')) return std::nullopt;
      std::optional<TJson> Member = Value();
      if (!Member || !Read.Members.emplace(std::move(*Key), std::move(*Member)).second) return std::nullopt;
    } while (Take(','));
    if (!Take('}')) return std::nullopt;
    return Read;
  }

  std::optional<TJson> Array() {
    TJson Read;
    Read.Kind = TJson::TKind::Array;
    ++FAt;
    if (Take(']')) return Read;
    do {
      std::optional<TJson> Item = Value();
      if (!Item) return std::nullopt;
      Read.Items.push_back(std::move(*Item));
    } while (Take(','));
    if (!Take(']')) return std::nullopt;
    return Read;
  }

  // JSON's number grammar: an optional minus, an integer without leading
  // zeros, then an optional fraction and exponent.
  std::optional<TJson> Number() {
    const std::size_t Start = FAt;
    const auto Digits = [&] {
      const std::size_t From = FAt;
      while (!AtEnd() && FText[FAt] >= '0' && FText[FAt] <= '9') ++FAt;
      return FAt - From;
    };
    if (!AtEnd() && FText[FAt] == '-') ++FAt;
    const bool LeadingZero = !AtEnd() && FText[FAt] == '0';
    const std::size_t Whole = Digits();
    if (Whole == 0 || (LeadingZero && Whole > 1)) return std::nullopt;
    if (!AtEnd() && FText[FAt] == '.' && (++FAt, Digits() == 0)) return std::nullopt;
    if (!AtEnd() && (FText[FAt] == 'e' || FText[FAt] == 'E')) {
      ++FAt;
      if (!AtEnd() && (FText[FAt] == '+' || FText[FAt] == '-')) ++FAt;
      if (Digits() == 0) return std::nullopt;
    }
    TJson Read;
    Read.Kind = TJson::TKind::Number;
    std::from_chars(FText.data() + Start, FText.data() + FAt, Read.Number);
    return Read;
  }

  // Escapes of characters below 0x80 only: all a test of ours needs.
  std::optional<std::string> String() {
    if (AtEnd() || FText[FAt] != '"') return std::nullopt;
    std::string Read;
    for (++FAt; !AtEnd(); ++FAt) {
      const char Byte = FText[FAt];
      if (Byte == '"') {
        ++FAt;
        return Read;
      }
      if (static_cast<unsigned char>(Byte) < 0x20) return std::nullopt;
      if (Byte != '\\') {
        Read += Byte;
        continue;
      }
      if (++FAt == FText.size()) return std::nullopt;
      const std::string_view Simple = "\"\\/bfnrt";
      const std::string_view Meant = "\"\\/\b\f\n\r\t";
      if (const std::size_t Which = Simple.find(FText[FAt]); Which != std::string_view::npos) {
        Read += Meant[Which];
        continue;
      }
      unsigned Code = 0;
      if (FText[FAt] != 'u' || FAt + 4 >= FText.size() ||
          std::from_chars(FText.data() + FAt + 1, FText.data() + FAt + 5, Code, 16).ptr != FText.data() + FAt + 5 ||
          Code >= 0x80)
        return std::nullopt;
      Read += static_cast<char>(Code);
      FAt += 4;
    }
    return std::nullopt;
  }

  std::string_view FText;
  std::size_t FAt = 0;
};

}  // namespace

std::optional<TJson> ReadJson(std::string_view Text) { return TReader(Text).Whole(); }

}  // namespace quintar::testing
