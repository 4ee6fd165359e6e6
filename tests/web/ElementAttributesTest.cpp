// The element's attributes come from the control's class: every writable
// setting of its own, under the names a page writes, with the defaults the
// class publishes.
#include <gtest/gtest.h>

#include <algorithm>

#include "BoardHost.h"
#include "ElementAttributes.h"
#include "Quintar.h"
#include "Registry.h"

namespace quintar::web {
namespace {

const TElementAttribute* Find(const std::vector<TElementAttribute>& Attributes, std::string_view Name) {
  const auto Found = std::find_if(Attributes.begin(), Attributes.end(),
                                  [Name](const TElementAttribute& Each) { return Each.Attribute == Name; });
  return Found == Attributes.end() ? nullptr : &*Found;
}

TEST(ElementAttributesTest, PublishedNamesBecomeAttributeAndPropertyNames) {
  EXPECT_EQ(AttributeName("GridLineColor"), "grid-line-color");
  EXPECT_EQ(PropertyName("GridLineColor"), "gridLineColor");
  EXPECT_EQ(AttributeName("Lock"), "lock");
  EXPECT_EQ(PropertyName("Lock"), "lock");
}

TEST(ElementAttributesTest, EveryWritableSettingOfTheControlIsAnAttributeWithItsPublishedDefault) {
  const std::vector<TElementAttribute> Attributes = ElementAttributes();
  int Settings = 0;
  for (const vcl::TPropertyInfo& Property : TQuintar::ClassInfo().Properties) {
    const TElementAttribute* Attribute = Find(Attributes, AttributeName(Property.Name));
    const bool Setting =
        !Property.IsEvent() && !Property.IsReadOnly() && Property.Name != "Align" && Property.Name != "Visible";
    ASSERT_EQ(Attribute != nullptr, Setting) << Property.Name;
    if (!Setting) continue;
    ++Settings;
    EXPECT_EQ(Attribute->Property, PropertyName(Property.Name));
    if (Attribute->Kind == TAttributeKind::Strength)
      EXPECT_EQ(Attribute->Default, static_cast<std::int64_t>(LevelOf(static_cast<TStrength>(*Property.Default))));
    else
      EXPECT_EQ(Attribute->Default, *Property.Default) << Property.Name;
  }
  EXPECT_EQ(Attributes.size(), static_cast<std::size_t>(Settings) + 1);
  EXPECT_EQ(Find(Attributes, "cross-color")->Kind, TAttributeKind::Color);
  EXPECT_EQ(Find(Attributes, "col-count")->Kind, TAttributeKind::Count);
  EXPECT_EQ(Find(Attributes, "lock")->Kind, TAttributeKind::Switch);
}

TEST(ElementAttributesTest, TheComputersSideIsTheBoardsOwnSettingAndStartsAsANewBoardHasIt) {
  const TElementAttribute Side = ElementAttributes().back();
  EXPECT_EQ(Side.Attribute, "computer-side");
  EXPECT_EQ(Side.Property, "computerSide");
  EXPECT_EQ(Side.Kind, TAttributeKind::Side);

  struct TSilentPage : TBoardListener {
    void Announced(const std::string&) override {}
    void Changed() override {}
    void PaceRequested(int) override {}
    void RepaintRequested() override {}
  } Page;
  const TBoardHost Host(Page);
  EXPECT_EQ(Side.Default, Host.ComputerSide());
  EXPECT_EQ(Find(ElementAttributes(), "auto-response")->Default, Host.AutoResponse() ? 1 : 0);
  EXPECT_EQ(Find(ElementAttributes(), "playing-strength")->Default, static_cast<std::int64_t>(Host.Level()));
}

// The element reads attributes.js, which the build writes with this text:
// one entry per attribute, in order, each default as the board takes it.
TEST(ElementAttributesTest, TheModuleTextListsEveryAttributeInOrderWithItsDefault) {
  const std::string Text = AttributesModule();
  ASSERT_NE(Text.find("export default [\n"), std::string::npos);
  EXPECT_NE(Text.find("];\n"), std::string::npos);
  EXPECT_NE(Text.find("export const BOARD_SIDES = { min: 5, max: 50 };\n"), std::string::npos);
  EXPECT_NE(Text.find("export const STRENGTHS = ['low', 'medium', 'high', 'expert'];\n"), std::string::npos);
  std::size_t At = 0;
  for (const TElementAttribute& Attribute : ElementAttributes()) {
    At = Text.find("{ attribute: '" + Attribute.Attribute + "', property: '" + Attribute.Property + "', kind: '", At);
    ASSERT_NE(At, std::string::npos) << Attribute.Attribute;
  }
  EXPECT_NE(Text.find("property: 'gridLineColor', kind: 'color', fallback: 8421504 }"), std::string::npos);
  EXPECT_NE(Text.find("kind: 'strength', fallback: 'high' }"), std::string::npos);
  EXPECT_NE(Text.find("property: 'lock', kind: 'switch', fallback: false }"), std::string::npos);
  EXPECT_NE(Text.find("property: 'computerSide', kind: 'side', fallback: -1 }"), std::string::npos);
}

}  // namespace
}  // namespace quintar::web
