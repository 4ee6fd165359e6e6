#include "Output.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace quintar::terminal {
namespace {

namespace fs = std::filesystem;

fs::path FreshFolder(const std::string& Name) {
  const fs::path Folder = fs::path(::testing::TempDir()) / Name;
  fs::remove_all(Folder);
  fs::create_directories(Folder);
  return Folder;
}

std::string Contents(const fs::path& File) {
  std::ostringstream Text;
  Text << std::ifstream(File, std::ios::binary).rdbuf();
  return Text.str();
}

std::size_t EntriesIn(const fs::path& Folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(Folder), fs::directory_iterator()));
}

TEST(WholeFile, ReplacesTheFileKeepingItsPermissionsAndNothingBeside) {
  const fs::path Folder = FreshFolder("output-replace");
  const fs::path File = Folder / "game.psq";
  std::ofstream(File) << "old";
  fs::permissions(File, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(WriteWholeFile(File.string(), "new record"), "");
  EXPECT_EQ(Contents(File), "new record");
  EXPECT_EQ(fs::status(File).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(EntriesIn(Folder), 1u);
}

// What a full disk does halfway: the old file stays whole, and the file
// beside it goes.
TEST(WholeFile, AWriteThatFailsLeavesTheOldFileAsItWas) {
  const fs::path Folder = FreshFolder("output-full");
  const fs::path File = Folder / "picture.png";
  std::ofstream(File) << "the old picture";
  const pid_t Child = fork();
  ASSERT_GE(Child, 0);
  if (Child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit Small = {4, 4};
    setrlimit(RLIMIT_FSIZE, &Small);
    _exit(WriteWholeFile(File.string(), std::string(4096, 'x')) == "file too large" ? 0 : 1);
  }
  int Status = 0;
  ASSERT_EQ(waitpid(Child, &Status, 0), Child);
  EXPECT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 0);
  EXPECT_EQ(Contents(File), "the old picture");
  EXPECT_EQ(EntriesIn(Folder), 1u);
}

TEST(WholeFile, SaysUpFrontWhatCannotBeWrittenAndLeavesNothing) {
  const fs::path Folder = FreshFolder("output-refused");
  TFileReplacement IntoAFolder(Folder.string());
  EXPECT_EQ(IntoAFolder.Error(), "is a directory");
  TFileReplacement Nowhere((Folder / "missing" / "w.h").string());
  EXPECT_EQ(Nowhere.Error(), "no such file or directory");
  EXPECT_EQ(Nowhere.Commit("x"), "no such file or directory");
  {
    TFileReplacement NeverCommitted((Folder / "w.h").string());
    EXPECT_EQ(NeverCommitted.Error(), "");
  }
  EXPECT_EQ(EntriesIn(Folder), 0u);
}

// The file beside never takes the place of one of the user's.
TEST(WholeFile, AFileOfTheUsersNamedLikeTheFileBesideIsLeftAlone) {
  const fs::path Folder = FreshFolder("output-beside");
  std::ofstream(Folder / "notes.psq.part") << "notes";
  fs::create_directory(Folder / "notes.psq.part-2");
  EXPECT_EQ(WriteWholeFile((Folder / "notes.psq").string(), "record"), "");
  EXPECT_EQ(Contents(Folder / "notes.psq"), "record");
  EXPECT_EQ(Contents(Folder / "notes.psq.part"), "notes");
  EXPECT_EQ(EntriesIn(Folder), 3u);
}

TEST(WholeFile, ALinkKeepsPointingAtTheFileItNames) {
  const fs::path Folder = FreshFolder("output-link");
  std::ofstream(Folder / "real.psq") << "old";
  fs::create_symlink("real.psq", Folder / "link.psq");
  EXPECT_EQ(WriteWholeFile((Folder / "link.psq").string(), "new"), "");
  EXPECT_TRUE(fs::is_symlink(Folder / "link.psq"));
  EXPECT_EQ(Contents(Folder / "real.psq"), "new");
  // A link to a file not made yet makes it.
  fs::create_symlink("later.psq", Folder / "ahead.psq");
  EXPECT_EQ(WriteWholeFile((Folder / "ahead.psq").string(), "made"), "");
  EXPECT_TRUE(fs::is_symlink(Folder / "ahead.psq"));
  EXPECT_EQ(Contents(Folder / "later.psq"), "made");
}

// Whoever took away a file's write permission meant it to stay as it is.
TEST(WholeFile, AWriteProtectedFileIsRefusedAndKept) {
  const fs::path File = FreshFolder("output-protected") / "kept.psq";
  std::ofstream(File) << "precious";
  fs::permissions(File, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(WriteWholeFile(File.string(), "new"), "permission denied");
  EXPECT_EQ(Contents(File), "precious");
}

// A device takes the bytes where it is; nothing is made beside it.
TEST(WholeFile, ADeviceIsWrittenInPlace) {
  EXPECT_EQ(WriteWholeFile("/dev/null", "bytes"), "");
  EXPECT_FALSE(fs::exists("/dev/null.part"));
  EXPECT_EQ(WriteWholeFile("/dev/full", "bytes"), "no space left on device");
}

// Output that never arrived makes a tool fail, though it would have succeeded.
TEST(FinishOutput, AFullDiskTurnsSuccessIntoFailure) {
  const pid_t Child = fork();
  ASSERT_GE(Child, 0);
  if (Child == 0) {
    if (!std::freopen("/dev/full", "w", stdout) || !std::freopen("/dev/null", "w", stderr)) _exit(9);
    std::cout << "a review of the game\n";
    _exit(FinishOutput(0, "quintar review"));
  }
  int Status = 0;
  ASSERT_EQ(waitpid(Child, &Status, 0), Child);
  EXPECT_TRUE(WIFEXITED(Status) && WEXITSTATUS(Status) == 1);
  EXPECT_EQ(FinishOutput(2, "quintar review"), 2);
}

}  // namespace
}  // namespace quintar::terminal
