// Loading package modules: what is refused and why, in one line each time,
// and what loading twice and unloading do to the registry.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "PackageLoader.h"
#include "Registry.h"

namespace vcl {
namespace {

std::string RefusalOf(const std::string& FileName) {
  std::string Error;
  const std::unique_ptr<TPackage> Package = TPackage::Load(FileName, Error);
  EXPECT_EQ(Package, nullptr) << FileName;
  EXPECT_EQ(Error.find('\n'), std::string::npos) << Error;
  return Error;
}

// A file holding Contents, removed again when the object goes, so that runs
// of the suite leave nothing behind.
class TTemporaryFile {
 public:
  TTemporaryFile(const std::string& Name, const std::string& Contents)
      : FPath(::testing::TempDir() + std::to_string(getpid()) + "-" + Name) {
    std::ofstream(FPath, std::ios::binary) << Contents;
  }
  ~TTemporaryFile() { std::remove(FPath.c_str()); }
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;
  const std::string& Path() const { return FPath; }

 private:
  std::string FPath;
};

bool Starts(const std::string& Text, const std::string& Start) { return Text.rfind(Start, 0) == 0; }

TEST(PackageLoader, RefusesWhatIsNoPackageSayingWhy) {
  const std::string Missing = ::testing::TempDir() + "no-such-package.so";
  std::string Error = RefusalOf(Missing);
  EXPECT_TRUE(Starts(Error, "cannot load package \"" + Missing + "\": ")) << Error;
  EXPECT_NE(Error.find("No such file"), std::string::npos) << Error;

  EXPECT_EQ(RefusalOf(""), "cannot load package \"\": no file name given");
  EXPECT_NE(RefusalOf(TTemporaryFile("empty.so", "").Path()).find("file too short"), std::string::npos);
  std::string Text;
  for (int Line = 0; Line < 20; ++Line) Text += "this is text, not a module\n";
  EXPECT_NE(RefusalOf(TTemporaryFile("text.so", Text).Path()).find("invalid ELF header"), std::string::npos);
  // Control characters in the file name are not let through either.
  EXPECT_EQ(RefusalOf(TTemporaryFile("line\nbreak.so", "x").Path()).find('\n'), std::string::npos);

  EXPECT_EQ(RefusalOf(FAKE_WITHOUT_INFO),
            "cannot load package \"" FAKE_WITHOUT_INFO "\": not a package (it has no GetPackageInfoTable)");
  EXPECT_EQ(RefusalOf(FAKE_WITHOUT_FINALIZE),
            "cannot load package \"" FAKE_WITHOUT_FINALIZE "\": the package lacks the entry point Finalize");
  EXPECT_EQ(RefusalOf(FAKE_OTHER_FORMAT),
            "cannot load package \"" FAKE_OTHER_FORMAT "\": the package information has format 99, not 1");
  EXPECT_EQ(RefusalOf(FAKE_BROKEN_RESOURCE),
            "cannot load package \"" FAKE_BROKEN_RESOURCE "\": the resource BROKEN is malformed");
}

TEST(PackageLoader, RefusesArbitraryBytesCleanly) {
  std::mt19937 Random(20240607);
  for (int Round = 0; Round < 50; ++Round) {
    std::string Bytes(static_cast<std::size_t>(Random() % 4096), '\0');
    for (char& Byte : Bytes) Byte = static_cast<char>(Random());
    // Half of them start like an ELF file, so the loader reads further in.
    if (Round % 2 == 0)
      Bytes.replace(0, std::min<std::size_t>(4, Bytes.size()),
                    "\x7f"
                    "ELF");
    EXPECT_FALSE(RefusalOf(TTemporaryFile("random.so", Bytes).Path()).empty());
  }
}

TEST(PackageLoader, AWellFormedPackageLoads) {
  std::string Error;
  const std::unique_ptr<TPackage> Package = TPackage::Load(QUINTAR_MODULE, Error);
  ASSERT_NE(Package, nullptr) << Error;
  EXPECT_EQ(Error, "");
  EXPECT_EQ(Package->FileName(), QUINTAR_MODULE);
  EXPECT_EQ(Package->Info().Name, "Quintar4");
}

TEST(PackageLoader, ClassesStayRegisteredUntilTheLastHolderGoes) {
  std::string Error;
  std::unique_ptr<TPackage> First = TPackage::Load(QUINTAR_MODULE, Error);
  std::unique_ptr<TPackage> Second = TPackage::Load(QUINTAR_MODULE, Error);
  ASSERT_NE(First, nullptr) << Error;
  ASSERT_NE(Second, nullptr) << Error;
  EXPECT_EQ(&First->Info(), &Second->Info());  // one module, shared
  First->Register();
  Second->Register();  // a second registration changes nothing
  ASSERT_EQ(PalettePages().size(), 1u);
  EXPECT_EQ(PalettePages()[0].Classes.size(), 1u);

  First.reset();
  EXPECT_NE(FindClass("TQuintar"), nullptr);
  Second.reset();
  EXPECT_EQ(FindClass("TQuintar"), nullptr);
  EXPECT_TRUE(PalettePages().empty());
  EXPECT_TRUE(RegisteredClasses().empty());

  // The module comes back whole after it was let go.
  std::unique_ptr<TPackage> Again = TPackage::Load(QUINTAR_MODULE, Error);
  ASSERT_NE(Again, nullptr) << Error;
  Again->Register();
  TComponent Form(nullptr);
  EXPECT_NE(CreateComponent("TQuintar", &Form), nullptr);
}

TEST(PackageLoader, ResourcesAreFoundByNameInAnyCase) {
  std::string Error;
  const std::unique_ptr<TPackage> Package = TPackage::Load(QUINTAR_MODULE, Error);
  ASSERT_NE(Package, nullptr) << Error;
  const TPictureResource* Bitmap = FindResource(Package->Info(), "tquintar");
  ASSERT_NE(Bitmap, nullptr);
  EXPECT_EQ(Bitmap->Name, "TQUINTAR");
  EXPECT_EQ(FindResource(Package->Info(), "TQUINTAR2"), nullptr);
}

}  // namespace
}  // namespace vcl
