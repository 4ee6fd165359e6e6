// The attributes of <quintar-board>: the control's published settings as a
// page writes them, named and defaulted from the control's class, so that the
// element keeps no copy of its own that could drift from the control.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quintar::web {

// How the element reads an attribute's text.
enum class TAttributeKind : std::uint8_t { Count, Switch, Color, Strength, Side };

struct TElementAttribute {
  std::string Attribute;  // "grid-line-color"
  std::string Property;   // "gridLineColor"
  TAttributeKind Kind;
  // What a new board has: a count, 0 or 1, a colour as 0x00BBGGRR, a TLevel,
  // or a side (1 crosses, -1 noughts).
  std::int64_t Default;
};

// The control's writable published properties of its own (not those every
// control publishes, and no events), in their published order, then the
// computer's side, which the board adds.
std::vector<TElementAttribute> ElementAttributes();

// The attributes as the text of an ES module whose default export is an
// array of { attribute, property, kind, fallback }: kind "count", "switch",
// "color", "strength" or "side"; fallback what a new board has, as the
// element's board takes it (a colour as 0x00BBGGRR, a strength by name, a
// side as 1 or -1); and BOARD_SIDES, { min, max }, the counts a board takes.
// The build writes it into the element's package.
std::string AttributesModule();

// "GridLineColor" as an attribute, "grid-line-color", and as a script
// property, "gridLineColor".
std::string AttributeName(std::string_view PublishedName);
std::string PropertyName(std::string_view PublishedName);

}  // namespace quintar::web
