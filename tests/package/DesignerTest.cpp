// The loaded module as a designer uses it: Register, the palette, the class's
// published properties, and a component made by class name that plays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Controls.h"
#include "PackageLoader.h"
#include "PublishedOrder.h"
#include "Registry.h"

namespace vcl {
namespace {

class Designer : public ::testing::Test {
 protected:
  void SetUp() override {
    Package = TPackage::Load(QUINTAR_MODULE, Error);
    ASSERT_NE(Package, nullptr) << Error;
    Package->Register();
    Class = FindClass("TQuintar");
    ASSERT_NE(Class, nullptr);
  }

  std::string Error;
  std::unique_ptr<TPackage> Package;
  const TComponentClass* Class = nullptr;
};

TEST_F(Designer, RegisterOffersOneClassOnTheQuarbelPage) {
  ASSERT_EQ(PalettePages().size(), 1u);
  EXPECT_EQ(PalettePages()[0].Name, "Quarbel");
  ASSERT_EQ(PalettePages()[0].Classes.size(), 1u);
  EXPECT_EQ(PalettePages()[0].Classes[0], Class);
  EXPECT_EQ(Class->Name, "TQuintar");
  EXPECT_EQ(RegisteredClasses().size(), 1u);
}

TEST_F(Designer, PropertiesInDeclarationOrderWithTheirDefaults) {
  std::vector<std::string> Names;
  for (const TPropertyInfo& Property : Class->Properties) Names.push_back(Property.Name);
  EXPECT_EQ(Names, quintar::PublishedOrder);
  TComponent Form(nullptr);
  const TComponent* Board = CreateComponent("TQuintar", &Form);
  ASSERT_NE(Board, nullptr);
  for (const TPropertyInfo& Property : Class->Properties) {
    EXPECT_EQ(Property.Default.has_value(), !Property.IsEvent()) << Property.Name;
    EXPECT_EQ(Property.Get(*Board), Property.Default.value_or(0)) << Property.Name;
  }
  EXPECT_EQ(OrdinalToText(*Class->FindProperty("Color"), *Class->FindProperty("Color")->Default), "clWhite");
  EXPECT_EQ(OrdinalToText(*Class->FindProperty("ColCount"), *Class->FindProperty("ColCount")->Default), "20");
}

// How many pixels of the control show Color.
int PixelsOf(const TCustomControl& Control, TColor Color) {
  int Count = 0;
  for (int Y = 0; Y < Control.Height(); ++Y)
    for (int X = 0; X < Control.Width(); ++X) Count += Control.Canvas().Pixels(X, Y) == Color;
  return Count;
}

TEST_F(Designer, AComponentMadeByNameBelongsToItsOwnerAndPlays) {
  TComponent Form(nullptr);
  TComponent* Created = CreateComponent("tquintar", &Form);
  ASSERT_NE(Created, nullptr);
  EXPECT_EQ(Form.ComponentCount(), 1);
  EXPECT_EQ(Form.Components(0), Created);
  EXPECT_TRUE(Class->IsInstance(*Created));

  // Set up through the published properties, play through the mouse, as a
  // host that knows the class only by name does.
  auto* Board = dynamic_cast<TCustomControl*>(Created);
  ASSERT_NE(Board, nullptr);
  ASSERT_EQ(SetPropertyText(*Board, *Class, "ColCount", "10"), "");
  ASSERT_EQ(SetPropertyText(*Board, *Class, "RowCount", "10"), "");
  Board->Repaint();
  EXPECT_EQ(PixelsOf(*Board, clRed), 0);
  Board->MouseDown(mbLeft, TShiftState{}, 105, 105);
  EXPECT_GT(PixelsOf(*Board, clRed), 0);   // the cross
  EXPECT_GT(PixelsOf(*Board, clBlue), 0);  // and the computer's nought
  EXPECT_EQ(PropertyText(*Board, *Class->FindProperty("GameOver")), "False");
}

}  // namespace
}  // namespace vcl
