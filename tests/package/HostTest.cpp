// A host built against the module: the units' start-up and shut-down as the
// loader runs them, and the class made by name used as what it is.
#include <gtest/gtest.h>

#include <string>

#include "PackageLoader.h"
#include "Quintar.h"
#include "Registry.h"

namespace quintar {
namespace {

TEST(PackageHost, InitializeAndFinalizeNestAndBalance) {
  // Linked in, the module is mapped but not yet initialized.
  EXPECT_EQ(UnitInitializationDepth(), 0);
  std::string Error;
  std::unique_ptr<vcl::TPackage> First = vcl::TPackage::Load(QUINTAR_MODULE, Error);
  ASSERT_NE(First, nullptr) << Error;
  EXPECT_EQ(UnitInitializationDepth(), 1);
  std::unique_ptr<vcl::TPackage> Second = vcl::TPackage::Load(QUINTAR_MODULE, Error);
  ASSERT_NE(Second, nullptr) << Error;
  EXPECT_EQ(UnitInitializationDepth(), 2);
  Second.reset();
  EXPECT_EQ(UnitInitializationDepth(), 1);
  First.reset();
  EXPECT_EQ(UnitInitializationDepth(), 0);
  // A finalization too many is harmless.
  FinalizeUnit();
  EXPECT_EQ(UnitInitializationDepth(), 0);
}

TEST(PackageHost, TheClassMadeByNameIsTheModulesTQuintar) {
  std::string Error;
  const std::unique_ptr<vcl::TPackage> Package = vcl::TPackage::Load(QUINTAR_MODULE, Error);
  ASSERT_NE(Package, nullptr) << Error;
  Package->Register();
  EXPECT_EQ(vcl::FindClass("TQuintar"), &TQuintar::ClassInfo());

  vcl::TComponent Form(nullptr);
  auto* Board = dynamic_cast<TQuintar*>(vcl::CreateComponent("TQuintar", &Form));
  ASSERT_NE(Board, nullptr);
  Board->Move(10, 10);
  EXPECT_EQ(Board->Cell(9, 9), 1);
  // The computer answered at once: crosses to move again, its nought the last mark.
  EXPECT_EQ(Board->Turn(), 1);
  const vcl::TPoint Answer = Board->LastMove();
  EXPECT_NE(Answer, (vcl::TPoint{9, 9}));
  EXPECT_EQ(Board->Cell(Answer.X, Answer.Y), -1);
}

}  // namespace
}  // namespace quintar
