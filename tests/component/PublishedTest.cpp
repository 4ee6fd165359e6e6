// The control's published properties as a designer and a form reader see
// them: the list, its order and defaults, and setting values from text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PublishedOrder.h"
#include "Quintar.h"
#include "Registry.h"

namespace quintar {
namespace {

const vcl::TComponentClass& Class = TQuintar::ClassInfo();

TEST(Published, PropertiesThenEventsInDeclarationOrder) {
  std::vector<std::string> Names;
  for (const vcl::TPropertyInfo& Property : Class.Properties) Names.push_back(Property.Name);
  EXPECT_EQ(Names, PublishedOrder);
}

TEST(Published, DefaultsAreWhatAFreshControlHolds) {
  TQuintar Control(nullptr);
  for (const vcl::TPropertyInfo& Property : Class.Properties) {
    if (Property.IsEvent()) {
      EXPECT_FALSE(Property.Default.has_value()) << Property.Name;
      EXPECT_EQ(Property.Get(Control), 0) << Property.Name;
      continue;
    }
    ASSERT_TRUE(Property.Default.has_value()) << Property.Name;
    EXPECT_EQ(Property.Get(Control), *Property.Default) << Property.Name;
  }
}

TEST(Published, ReadersAndWritersAreTheFieldsOrSettersBehindThem) {
  EXPECT_EQ(Class.FindProperty("ColCount")->Writer, "SetColCount");
  EXPECT_EQ(Class.FindProperty("CrossColor")->Writer, "SetCrossColor");
  EXPECT_EQ(Class.FindProperty("Lock")->Writer, "FLock");
  EXPECT_EQ(Class.FindProperty("PlayingStrength")->Reader, "FPlayingStrength");
  EXPECT_TRUE(Class.FindProperty("GameOver")->IsReadOnly());
  EXPECT_EQ(Class.FindProperty("GameOver")->Writer, "");
  EXPECT_EQ(Class.FindProperty("OnUserWon")->TypeName, "TNotifyEvent");
  EXPECT_EQ(Class.FindProperty("OnMouseDown")->TypeName, "TMouseEvent");
}

TEST(Published, TextValuesGoThroughTheSetters) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  Control.Move(1, 1);
  EXPECT_EQ(vcl::SetPropertyText(Control, Class, "colcount", " 15 "), "");
  EXPECT_EQ(Control.ColCount(), 15);
  EXPECT_EQ(Control.Cell(0, 0), 0);  // the count setter started a new game
  EXPECT_EQ(vcl::SetPropertyText(Control, Class, "RowCount", "99"), "");
  EXPECT_EQ(Control.RowCount(), 50);  // clamped as any write is
  EXPECT_EQ(vcl::SetPropertyText(Control, Class, "CrossColor", "clLime"), "");
  EXPECT_EQ(Control.CrossColor(), vcl::clLime);
  EXPECT_EQ(vcl::SetPropertyText(Control, Class, "Color", "$00123456"), "");
  EXPECT_EQ(Control.Color(), 0x123456);
  EXPECT_EQ(vcl::SetPropertyText(Control, Class, "PlayingStrength", "stlow"), "");
  EXPECT_EQ(Control.PlayingStrength(), stLow);
  EXPECT_EQ(vcl::SetPropertyText(Control, Class, "ShowHighlight", "False"), "");
  EXPECT_FALSE(Control.ShowHighlight());
  EXPECT_EQ(vcl::SetPropertyText(Control, Class, "Align", "alClient"), "");
  EXPECT_EQ(Control.Align(), vcl::alClient);
}

TEST(Published, BadTextIsRefusedAndChangesNothing) {
  TQuintar Control(nullptr);
  const struct {
    const char* Name;
    const char* Value;
    const char* ErrorStart;
  } Refusals[] = {
      {"ColCount", "fifteen", "\"fifteen\" is not a valid Integer for ColCount"},
      {"ColCount", "99999999999", "\"99999999999\" is not a valid Integer"},
      {"ColCount", "", "\"\" is not a valid Integer"},
      {"Color", "$123456789", "\"$123456789\" is not a valid TColor"},
      {"Color", "$-12", "\"$-12\" is not a valid TColor"},
      {"Color", "clMauve", "\"clMauve\" is not a valid TColor"},
      {"PlayingStrength", "stHighest", "\"stHighest\" is not a valid TStrength"},
      {"Lock", "yes", "\"yes\" is not a valid Boolean"},
      {"GameOver", "True", "GameOver is read-only"},
      {"OnLegalMove", "Handler", "OnLegalMove is an event"},
      {"Colour", "clRed", "unknown property \"Colour\" of TQuintar"},
  };
  for (const auto& Refusal : Refusals) {
    const std::string Error = vcl::SetPropertyText(Control, Class, Refusal.Name, Refusal.Value);
    EXPECT_EQ(Error.rfind(Refusal.ErrorStart, 0), 0u) << Error;
  }
  for (const vcl::TPropertyInfo& Property : Class.Properties) {
    if (!Property.Default) continue;
    EXPECT_EQ(Property.Get(Control), *Property.Default) << Property.Name;
  }
}

TEST(Published, EveryValueReadsBackAsTextThatSetsItAgain) {
  TQuintar Source(nullptr);
  Source.SetColor(0x00ABCDEF);
  Source.SetNoughtColor(-1);  // not a plain colour, but every bit must survive
  Source.SetColCount(7);
  Source.SetPlayingStrength(stMedium);
  Source.SetLock(true);
  Source.SetVisible(false);
  TQuintar Copy(nullptr);
  for (const vcl::TPropertyInfo& Property : Class.Properties) {
    if (Property.IsEvent() || Property.IsReadOnly()) continue;
    const std::string Text = vcl::PropertyText(Source, Property);
    EXPECT_EQ(vcl::SetPropertyText(Copy, Class, Property.Name, Text), "") << Property.Name;
    EXPECT_EQ(Property.Get(Copy), Property.Get(Source)) << Property.Name << " = " << Text;
  }
  EXPECT_EQ(vcl::PropertyText(Source, *Class.FindProperty("NoughtColor")), "$FFFFFFFF");
  EXPECT_EQ(vcl::PropertyText(Source, *Class.FindProperty("CrossColor")), "clRed");
}

TEST(Published, TheClassIsCreatedByNameOnceRegistered) {
  Register();
  ASSERT_EQ(vcl::FindClass("tquintar"), &Class);
  vcl::TComponent Form(nullptr);
  vcl::TComponent* Created = vcl::CreateComponent("TQuintar", &Form);
  ASSERT_NE(dynamic_cast<TQuintar*>(Created), nullptr);
  EXPECT_EQ(Form.Components(0), Created);
  EXPECT_EQ(vcl::CreateComponent("TNoSuchClass", &Form), nullptr);
  EXPECT_EQ(vcl::SetPropertyText(Form, Class, "ColCount", "9"), "the component is not a TQuintar");
}

TEST(Published, AClassWhoseNameIsTakenIsNeitherRegisteredNorOffered) {
  Register();
  const vcl::TComponentClass Impostor = vcl::ComponentClass<TQuintar>("tQuintar", {});
  vcl::RegisterComponents("Quarbel", {&Impostor});
  vcl::RegisterComponents("Elsewhere", {&Impostor});
  EXPECT_EQ(vcl::FindClass("TQuintar"), &Class);
  ASSERT_EQ(vcl::PalettePages().size(), 1u);
  EXPECT_EQ(vcl::PalettePages()[0].Classes, std::vector<const vcl::TComponentClass*>{&Class});

  // Withdrawn, the class leaves its page, and the empty page goes too.
  vcl::UnregisterClass(Class);
  EXPECT_EQ(vcl::FindClass("TQuintar"), nullptr);
  EXPECT_TRUE(vcl::PalettePages().empty());
  EXPECT_TRUE(vcl::RegisteredClasses().empty());
}

}  // namespace
}  // namespace quintar
