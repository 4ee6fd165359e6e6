// What the loaded Quintar4 module says about itself, read from the module.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "PackageLoader.h"

namespace vcl {
namespace {

class Identity : public ::testing::Test {
 protected:
  void SetUp() override {
    Package = TPackage::Load(QUINTAR_MODULE, Error);
    ASSERT_NE(Package, nullptr) << Error;
  }
  const TPackageInfo& Info() const { return Package->Info(); }

  std::string Error;
  std::unique_ptr<TPackage> Package;
};

TEST_F(Identity, NameDescriptionAndRequiredPackages) {
  EXPECT_EQ(Info().Name, "Quintar4");
  EXPECT_EQ(Info().Description, u"Quarbels Quintar Component");
  ASSERT_EQ(Info().Requires.size(), 1u);
  EXPECT_EQ(Info().Requires[0], "VCL40");
}

TEST_F(Identity, UnitsInInitializationOrder) {
  std::vector<std::string> Names;
  std::vector<std::string> Weak;
  for (const TUnitInfo& Unit : Info().Units) {
    Names.emplace_back(Unit.Name);
    if (Unit.Weak) Weak.emplace_back(Unit.Name);
  }
  const std::vector<std::string> Imports = {"Sysinit", "Windows", "Messages", "Commctrl", "Imm", "Winspool"};
  std::vector<std::string> Expected = Imports;
  Expected.insert(Expected.end(), {"Quintar", "Quintar4"});
  EXPECT_EQ(Names, Expected);
  EXPECT_EQ(Weak, Imports);
  // Only the component unit has anything to run.
  for (const TUnitInfo& Unit : Info().Units) {
    EXPECT_EQ(Unit.Initialization != nullptr, Unit.Name == "Quintar") << Unit.Name;
    EXPECT_EQ(Unit.Finalization != nullptr, Unit.Name == "Quintar") << Unit.Name;
  }
}

TEST_F(Identity, UsableAtDesignAndRunTimeNeverRebuilt) {
  EXPECT_FALSE(Info().Usage.DesignOnly);
  EXPECT_FALSE(Info().Usage.RunOnly);
  EXPECT_TRUE(Info().Usage.NeverBuild);
}

TEST_F(Identity, VersionSwedishWithOnlyTheVersionTexts) {
  const TVersionInfo& Version = Info().Version;
  const std::array<std::uint16_t, 4> OneZero = {1, 0, 0, 0};
  EXPECT_EQ(Version.FileVersion, OneZero);
  EXPECT_EQ(Version.ProductVersion, OneZero);
  EXPECT_EQ(Version.Language, 0x041D);
  EXPECT_EQ(Version.LanguageName, "Swedish");
  EXPECT_EQ(Version.CodePage, 1252);
  std::set<std::string_view> Keys;
  for (const TVersionText& Field : Version.Texts) {
    Keys.insert(Field.Key);
    const bool IsVersion = Field.Key == "FileVersion" || Field.Key == "ProductVersion";
    EXPECT_EQ(Field.Value, IsVersion ? "1.0.0.0" : "") << Field.Key;
  }
  EXPECT_EQ(Keys.size(), Version.Texts.size());  // no field twice
  EXPECT_TRUE(Keys.contains("FileVersion"));
  EXPECT_TRUE(Keys.contains("ProductVersion"));
  EXPECT_TRUE(Keys.contains("CompanyName"));
  EXPECT_TRUE(Keys.contains("FileDescription"));
}

// The colours a picture actually uses.
std::set<TColor> ColorsUsed(const TPictureResource& Picture) {
  std::set<TColor> Used;
  for (const std::uint8_t Index : Picture.Pixels) Used.insert(Picture.Palette[Index]);
  return Used;
}

TEST_F(Identity, PaletteBitmapAndMainIconInSixteenColours) {
  ASSERT_EQ(Info().Resources.size(), 2u);
  const TPictureResource& Bitmap = Info().Resources[0];
  EXPECT_EQ(Bitmap.Name, "TQUINTAR");
  EXPECT_EQ(Bitmap.Kind, TResourceKind::Bitmap);
  EXPECT_EQ(Bitmap.Width, 21);
  EXPECT_EQ(Bitmap.Height, 21);
  EXPECT_EQ(Bitmap.Palette.size(), 16u);
  const TPictureResource& Icon = Info().Resources[1];
  EXPECT_EQ(Icon.Name, "MAINICON");
  EXPECT_EQ(Icon.Kind, TResourceKind::Icon);
  EXPECT_EQ(Icon.Width, 32);
  EXPECT_EQ(Icon.Height, 32);
  EXPECT_EQ(Icon.Palette.size(), 16u);
  for (const TPictureResource* Picture : {&Bitmap, &Icon}) {
    // A board with both marks on it: grid, cells, a cross and a nought.
    const std::set<TColor> Used = ColorsUsed(*Picture);
    for (const TColor Color : {clGray, clWhite, clRed, clBlue})
      EXPECT_TRUE(Used.contains(Color)) << Picture->Name << " lacks colour " << Color;
  }
}

}  // namespace
}  // namespace vcl
