#include "ElementAttributes.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <sstream>

#include "BoardHost.h"
#include "Controls.h"
#include "GameTable.h"
#include "Level.h"
#include "Quintar.h"
#include "Registry.h"

namespace quintar::web {
namespace {

char Lower(char Letter) { return static_cast<char>(std::tolower(static_cast<unsigned char>(Letter))); }
bool IsUpper(char Letter) { return std::isupper(static_cast<unsigned char>(Letter)) != 0; }

// Every control publishes its alignment and visibility: a page lays the
// element out with CSS instead.
bool AmongThem(const std::vector<vcl::TPropertyInfo>& Common, const vcl::TPropertyInfo& Property) {
  return std::any_of(Common.begin(), Common.end(),
                     [&Property](const vcl::TPropertyInfo& Other) { return Other.Name == Property.Name; });
}

std::optional<TAttributeKind> KindOf(const vcl::TPropertyInfo& Property) {
  switch (Property.Kind) {
    case vcl::TPropertyKind::Integer: return TAttributeKind::Count;
    case vcl::TPropertyKind::Boolean: return TAttributeKind::Switch;
    case vcl::TPropertyKind::Color: return TAttributeKind::Color;
    case vcl::TPropertyKind::Enumeration:
      if (Property.TypeName == "TStrength") return TAttributeKind::Strength;
      return std::nullopt;
    case vcl::TPropertyKind::Event: return std::nullopt;
  }
  return std::nullopt;
}

// The element offers the expert beside the control's strengths, so its
// strength is a level.
std::int64_t DefaultOf(const vcl::TPropertyInfo& Property, TAttributeKind Kind) {
  if (Kind == TAttributeKind::Strength)
    return static_cast<std::int64_t>(LevelOf(static_cast<TStrength>(*Property.Default)));
  return *Property.Default;
}

std::string_view KindName(TAttributeKind Kind) {
  static constexpr std::string_view Names[] = {"count", "switch", "color", "strength", "side"};
  return Names[static_cast<int>(Kind)];
}

// A default as the element's board takes it, as JavaScript.
std::string FallbackText(const TElementAttribute& Attribute) {
  switch (Attribute.Kind) {
    case TAttributeKind::Switch: return Attribute.Default != 0 ? "true" : "false";
    case TAttributeKind::Strength:
      return "'" + std::string(game::TGameTable::LevelName(static_cast<TLevel>(Attribute.Default))) + "'";
    default: return std::to_string(Attribute.Default);
  }
}

}  // namespace

std::string AttributesModule() {
  std::ostringstream Text;
  Text << "// The attributes of <quintar-board>, written by the build from the control's\n"
          "// published properties.\n"
          "export default [\n";
  for (const TElementAttribute& Attribute : ElementAttributes())
    Text << "  { attribute: '" << Attribute.Attribute << "', property: '" << Attribute.Property << "', kind: '"
         << KindName(Attribute.Kind) << "', fallback: " << FallbackText(Attribute) << " },\n";
  Text << "];\n"
          "\n"
          "// The board sides a board takes: a count beyond them is brought within.\n"
          "export const BOARD_SIDES = { min: "
       << TQuintar::MinCount << ", max: " << TQuintar::MaxCount
       << " };\n"
          "\n"
          "// The strengths a board plays at: another name is no strength.\n"
          "export const STRENGTHS = [";
  for (int Level = 0; Level < LevelCount; ++Level)
    Text << (Level > 0 ? ", '" : "'") << LevelName(static_cast<TLevel>(Level)) << "'";
  Text << "];\n";
  return Text.str();
}

std::string AttributeName(std::string_view PublishedName) {
  std::string Name;
  for (const char Letter : PublishedName) {
    if (IsUpper(Letter) && !Name.empty()) Name += '-';
    Name += Lower(Letter);
  }
  return Name;
}

std::string PropertyName(std::string_view PublishedName) {
  std::string Name(PublishedName);
  if (!Name.empty()) Name[0] = Lower(Name[0]);
  return Name;
}

std::vector<TElementAttribute> ElementAttributes() {
  const std::vector<vcl::TPropertyInfo> EveryControlPublishes = vcl::PublishedControlProperties();
  std::vector<TElementAttribute> Attributes;
  for (const vcl::TPropertyInfo& Property : TQuintar::ClassInfo().Properties) {
    if (Property.IsEvent() || Property.IsReadOnly() || !Property.Default || AmongThem(EveryControlPublishes, Property))
      continue;
    const std::optional<TAttributeKind> Kind = KindOf(Property);
    if (!Kind) continue;
    Attributes.push_back(
        {AttributeName(Property.Name), PropertyName(Property.Name), *Kind, DefaultOf(Property, *Kind)});
  }
  Attributes.push_back({"computer-side", "computerSide", TAttributeKind::Side, TBoardHost::DefaultComputerSide});
  return Attributes;
}

}  // namespace quintar::web
