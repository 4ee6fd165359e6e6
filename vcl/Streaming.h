// A component's published settings as a small text form, the way a form keeps
// the controls placed on it:
//
//   object Board1: TQuintar
//     ColCount = 15
//     CrossColor = clLime
//   end
//
// Only values that differ from their defaults are written; read-only
// properties and events never are (a handler is code, not a setting). Values
// use the text forms of TypInfo.h; names and keywords ignore letter case.
// Blank lines are allowed anywhere; a line holds printable ASCII only.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Classes.h"
#include "Registry.h"

namespace vcl {

// The longest line the reader accepts, so that errors, which quote the line's
// text, stay short.
inline constexpr std::size_t MaxComponentTextLine = 256;

// What a text form says, checked against the class it names.
struct TComponentText {
  std::string Name;                              // empty when the text gives none
  std::vector<TPropertyAssignment> Assignments;  // in the order written
};

// The text form of Component, an instance of Class. A component name that is
// not an identifier cannot be read back, so it is left out.
std::string WriteComponentText(const TComponent& Component, const TComponentClass& Class);

// Reads and checks the whole of Text for Class without touching a component:
// the settings, or nothing with Error naming the first bad line and what is
// wrong with it. Any bytes at all are safe to pass; the work is linear in
// the length of Text and the result holds at most one value per property.
std::optional<TComponentText> ParseComponentText(std::string_view Text, const TComponentClass& Class,
                                                 std::string& Error);

// Parses Text as above and only when all of it is valid sets the name and
// the properties, in the order written. Returns an empty string on success,
// otherwise the parse error, with the component unchanged.
std::string ReadComponentText(TComponent& Component, const TComponentClass& Class, std::string_view Text);

}  // namespace vcl
