// quintar-pkginfo as its users run it: the designer's view of the module,
// pictures written out, and a one-line error with a non-zero status for
// anything it cannot do.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace {

struct TRun {
  int Status;
  std::string Out;
  std::string Err;
};

std::string Contents(const std::string& Path) {
  std::ifstream File(Path, std::ios::binary);
  return {std::istreambuf_iterator<char>(File), {}};
}

// The files the tool reads and writes lie in a folder named after the
// process, so that suites running side by side keep apart, and removed with
// it when the tests end, so that runs leave nothing behind.
class TScratchFolder {
 public:
  TScratchFolder() : FPath(::testing::TempDir() + "pkginfo-" + std::to_string(getpid())) {
    std::filesystem::create_directories(FPath);
  }
  ~TScratchFolder() {
    std::error_code Ignored;
    std::filesystem::remove_all(FPath, Ignored);
  }
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;
  const std::string& Path() const { return FPath; }

 private:
  std::string FPath;
};

std::string Temporary(const std::string& Name) {
  static const TScratchFolder Folder;
  return Folder.Path() + "/" + Name;
}

TRun RunTool(const std::string& Arguments) {
  const std::string Out = Temporary("out.txt");
  const std::string Err = Temporary("err.txt");
  const std::string Command = std::string(QUINTAR_PKGINFO) + " " + Arguments + " >" + Out + " 2>" + Err;
  const int Raw = std::system(Command.c_str());
  return {WIFEXITED(Raw) ? WEXITSTATUS(Raw) : -1, Contents(Out), Contents(Err)};
}

const std::string Module = QUINTAR_MODULE;

TEST(PkgInfoTool, PrintsIdentityPaletteAndClass) {
  const TRun Result = RunTool(Module);
  ASSERT_EQ(Result.Status, 0) << Result.Err;
  EXPECT_EQ(Result.Err, "");
  for (const char* Expected :
       {"Package Quintar4\n", "  Description:      Quarbels Quintar Component\n", "  Requires:         VCL40\n",
        "  Usage:            design time and run time; never rebuilt implicitly\n", "  File version:     1.0.0.0\n",
        "  Language:         Swedish (041D), code page 1252\n", "TQUINTAR (bitmap, 21 x 21, 16 colours)",
        "MAINICON (icon, 32 x 32, 16 colours)", "Palette pages\n  Quarbel: TQuintar\n",
        "Class TQuintar\n  Properties\n", "default clWhite", "read FColor, write SetColor\n",
        "read FGameOver, read-only\n", "  Events\n"})
    EXPECT_NE(Result.Out.find(Expected), std::string::npos) << Expected;
  // Properties, then events, each in declaration order.
  EXPECT_LT(Result.Out.find("    Color "), Result.Out.find("    ColCount "));
  EXPECT_LT(Result.Out.find("    Visible "), Result.Out.find("  Events\n"));
  EXPECT_LT(Result.Out.find("    OnMouseDown "), Result.Out.find("    OnUserWon "));
}

TEST(PkgInfoTool, WritesThePicturesAsBitmapAndIcon) {
  const std::string Bitmap = Temporary("tquintar.bmp");
  // Written through a link, which stays, to the file it names.
  const std::string Icon = Temporary("mainicon.ico");
  const std::string Link = Temporary("icon-link.ico");
  std::filesystem::remove(Link);
  std::ofstream(Icon) << "old";
  std::filesystem::create_symlink(Icon, Link);
  EXPECT_EQ(RunTool(Module + " --resource TQUINTAR --output " + Bitmap).Status, 0);
  EXPECT_EQ(RunTool(Module + " --output " + Link + " --resource mainicon").Status, 0);
  EXPECT_TRUE(std::filesystem::is_symlink(Link));
  const std::string BitmapBytes = Contents(Bitmap);
  EXPECT_EQ(BitmapBytes.substr(0, 2), "BM");
  EXPECT_EQ(BitmapBytes.size(), 14u + 40 + 16 * 4 + 21 * 12);  // rows of 21 nibbles padded to 12 bytes
  const std::string IconBytes = Contents(Icon);
  EXPECT_EQ(IconBytes.substr(0, 4), std::string("\0\0\1\0", 4));
  EXPECT_EQ(IconBytes.size(), 6u + 16 + 40 + 16 * 4 + 32 * 16 + 32 * 4);  // and a mask of 4-byte rows
}

TEST(PkgInfoTool, HelpSaysWhatItDoes) {
  const TRun Result = RunTool("--help");
  EXPECT_EQ(Result.Status, 0);
  EXPECT_TRUE(Result.Out.starts_with("usage: quintar-pkginfo MODULE")) << Result.Out;
  EXPECT_NE(Result.Out.find("--resource NAME --output FILE\n"), std::string::npos) << Result.Out;
}

TEST(PkgInfoTool, FailsWithOneLineAndANonZeroStatus) {
  const std::string Garbage = Temporary("garbage.so");
  std::ofstream(Garbage) << "garbage";
  const struct {
    std::string Arguments;
    int Status;
    std::string Error;
  } Failures[] = {
      {"", 2, "no module given"},
      {"--bogus " + Module, 2, "unknown option --bogus"},
      {Module + " " + Module, 2, "more than one module given"},
      {Module + " --resource TQUINTAR", 2, "--resource and --output go together"},
      {Module + " --output", 2, "--output needs a value"},
      {Module + " --resource A --resource B --output x", 2, "--resource is given twice"},
      {Temporary("missing.so"), 1, "cannot load package"},
      {Garbage, 1, "cannot load package"},
      {Module + " --resource NOPE --output " + Temporary("nope.bmp"), 1, "package Quintar4 has no resource NOPE"},
      {Module + " --resource TQUINTAR --output " + Temporary("no/such/folder.bmp"), 1, "cannot write"},
  };
  for (const auto& Failure : Failures) {
    const TRun Result = RunTool(Failure.Arguments);
    EXPECT_EQ(Result.Status, Failure.Status) << Failure.Arguments;
    EXPECT_EQ(Result.Out, "") << Failure.Arguments;
    EXPECT_EQ(Result.Err.rfind("quintar-pkginfo: " + Failure.Error, 0), 0u) << Result.Err;
    EXPECT_EQ(Result.Err.find('\n'), Result.Err.size() - 1) << Result.Err;
  }
  EXPECT_FALSE(std::filesystem::exists(Temporary("nope.bmp")));
}

}  // namespace
