#include "Streaming.h"

#include <algorithm>
#include <cstdio>

namespace vcl {
namespace {

bool IsIdentifierStart(char C) { return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_'; }
bool IsIdentifierChar(char C) { return IsIdentifierStart(C) || (C >= '0' && C <= '9'); }

bool IsIdentifier(std::string_view Text) {
  return !Text.empty() && IsIdentifierStart(Text.front()) && std::all_of(Text.begin(), Text.end(), IsIdentifierChar);
}

// Takes the identifier at the start of Rest, if there is one, and the blanks
// after it.
std::string_view TakeIdentifier(std::string_view& Rest) {
  std::size_t Length = 0;
  if (!Rest.empty() && IsIdentifierStart(Rest.front()))
    while (Length < Rest.size() && IsIdentifierChar(Rest[Length])) ++Length;
  const std::string_view Identifier = Rest.substr(0, Length);
  Rest = TrimText(Rest.substr(Length));
  return Identifier;
}

// Takes Symbol at the start of Rest, and the blanks after it.
bool TakeSymbol(std::string_view& Rest, char Symbol) {
  if (Rest.empty() || Rest.front() != Symbol) return false;
  Rest = TrimText(Rest.substr(1));
  return true;
}

// Printable ASCII and tabs: the only bytes a line of the text form holds.
std::optional<unsigned char> FirstForeignByte(std::string_view Line) {
  for (const char C : Line) {
    const auto Byte = static_cast<unsigned char>(C);
    if ((Byte < 0x20 && Byte != '\t') || Byte > 0x7E) return Byte;
  }
  return std::nullopt;
}

std::string ByteText(unsigned char Byte) {
  char Text[8];
  std::snprintf(Text, sizeof Text, "0x%02X", Byte);
  return Text;
}

// Reads the text line by line, keeping what has been seen so far.
class TTextParser {
 public:
  explicit TTextParser(const TComponentClass& Class) : FClass(Class), FSetOnLine(Class.Properties.size(), 0) {}

  std::optional<TComponentText> Parse(std::string_view Text, std::string& Error);

 private:
  enum class TPlace : std::uint8_t { BeforeObject, InObject, AfterEnd };

  // Each returns an empty string when the line is fine, otherwise why not.
  std::string Line(std::string_view Text);
  std::string Header(std::string_view Text);
  std::string Assignment(std::string_view Text);

  const TComponentClass& FClass;
  TComponentText FResult;
  TPlace FPlace = TPlace::BeforeObject;
  std::size_t FLineNumber = 0;
  std::size_t FObjectLine = 0;
  // The line that set each property, 0 while none has.
  std::vector<std::size_t> FSetOnLine;
};

std::optional<TComponentText> TTextParser::Parse(std::string_view Text, std::string& Error) {
  std::string Why;
  while (Why.empty()) {
    ++FLineNumber;
    const std::size_t End = Text.find('\n');
    Why = Line(Text.substr(0, End));
    if (End == std::string_view::npos) break;
    Text.remove_prefix(End + 1);
  }
  if (Why.empty() && FPlace == TPlace::BeforeObject) Why = "expected \"object\" and the class name";
  if (Why.empty() && FPlace == TPlace::InObject)
    Why = "the text ends before the \"end\" of the object on line " + std::to_string(FObjectLine);
  if (!Why.empty()) {
    Error = "line " + std::to_string(FLineNumber) + ": " + Why;
    return std::nullopt;
  }
  return std::move(FResult);
}

std::string TTextParser::Line(std::string_view Text) {
  if (!Text.empty() && Text.back() == '\r') Text.remove_suffix(1);
  if (Text.size() > MaxComponentTextLine)
    return "the line is longer than " + std::to_string(MaxComponentTextLine) + " characters";
  if (const auto Byte = FirstForeignByte(Text)) return "unexpected byte " + ByteText(*Byte);
  Text = TrimText(Text);
  if (Text.empty()) return {};
  switch (FPlace) {
    case TPlace::BeforeObject: return Header(Text);
    case TPlace::InObject:
      if (SameText(Text, "end")) {
        FPlace = TPlace::AfterEnd;
        return {};
      }
      return Assignment(Text);
    case TPlace::AfterEnd: break;
  }
  return "unexpected \"" + std::string(Text) + "\" after the end of the object";
}

std::string TTextParser::Header(std::string_view Text) {
  std::string_view Rest = Text;
  if (!SameText(TakeIdentifier(Rest), "object"))
    return "expected \"object\" and the class name, not \"" + std::string(Text) + "\"";
  const std::string_view First = TakeIdentifier(Rest);
  if (First.empty()) return "expected the class name after \"object\"";
  std::string_view ClassName = First;
  std::string_view Name;
  if (TakeSymbol(Rest, ':')) {
    Name = First;
    ClassName = TakeIdentifier(Rest);
    if (ClassName.empty()) return "expected the class name after \":\"";
  }
  if (!Rest.empty()) return "unexpected \"" + std::string(Rest) + "\" after the class name";
  if (!SameText(ClassName, FClass.Name))
    return "the text describes a " + std::string(ClassName) + ", not a " + FClass.Name;
  FResult.Name = Name;
  FPlace = TPlace::InObject;
  FObjectLine = FLineNumber;
  return {};
}

std::string TTextParser::Assignment(std::string_view Text) {
  std::string_view Rest = Text;
  const std::string_view Name = TakeIdentifier(Rest);
  if (Name.empty()) return "expected a property name, \"=\" and a value, not \"" + std::string(Text) + "\"";
  if (!TakeSymbol(Rest, '=')) {
    if (SameText(Name, "object")) return "an object inside an object is not supported";
    return "expected \"=\" and a value after " + std::string(Name);
  }
  std::string Why;
  const std::optional<TPropertyAssignment> Assignment = ParsePropertyText(FClass, Name, Rest, Why);
  if (!Assignment) return Why;
  std::size_t& SetOnLine = FSetOnLine[static_cast<std::size_t>(Assignment->Property - FClass.Properties.data())];
  if (SetOnLine != 0)
    return Assignment->Property->Name + " is set twice (first on line " + std::to_string(SetOnLine) + ")";
  SetOnLine = FLineNumber;
  FResult.Assignments.push_back(*Assignment);
  return {};
}

}  // namespace

std::string WriteComponentText(const TComponent& Component, const TComponentClass& Class) {
  std::string Text = "object ";
  if (IsIdentifier(Component.Name())) Text += Component.Name() + ": ";
  Text += Class.Name + "\n";
  for (const TPropertyInfo& Property : Class.Properties) {
    if (Property.IsEvent() || Property.IsReadOnly() || !Property.Default) continue;
    const std::int64_t Value = Property.Get(Component);
    if (Value == *Property.Default) continue;
    Text += "  " + Property.Name + " = " + OrdinalToText(Property, Value) + "\n";
  }
  return Text + "end\n";
}

std::optional<TComponentText> ParseComponentText(std::string_view Text, const TComponentClass& Class,
                                                 std::string& Error) {
  return TTextParser(Class).Parse(Text, Error);
}

std::string ReadComponentText(TComponent& Component, const TComponentClass& Class, std::string_view Text) {
  if (!Class.IsInstance(Component)) return "the component is not a " + Class.Name;
  std::string Error;
  const std::optional<TComponentText> Settings = ParseComponentText(Text, Class, Error);
  if (!Settings) return Error;
  if (!Settings->Name.empty()) Component.SetName(Settings->Name);
  for (const TPropertyAssignment& Assignment : Settings->Assignments)
    Assignment.Property->Set(Component, Assignment.Value);
  return {};
}

}  // namespace vcl
