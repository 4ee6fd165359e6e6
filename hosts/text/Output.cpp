#include "Output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace quintar::terminal {
namespace {

namespace fs = std::filesystem;

bool TakesNoNewFiles(int Error) { return Error == EACCES || Error == EPERM || Error == EROFS; }

// Names tried for the file beside before giving up.
constexpr int MostNamesBeside = 100;

// A new file beside Target, never one already there (a file of the user's
// that happens to be called Target.part, say): Target.part, else
// Target.part-2, and on. Null, with errno set, when none can be made.
std::FILE* CreateBeside(const std::string& Target, std::string& Name) {
  for (int Attempt = 1; Attempt <= MostNamesBeside; ++Attempt) {
    Name = Target + ".part" + (Attempt == 1 ? std::string() : "-" + std::to_string(Attempt));
    const int Descriptor = ::open(Name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (Descriptor >= 0) {
      if (std::FILE* File = ::fdopen(Descriptor, "wb")) return File;
      const int Error = errno;
      ::close(Descriptor);
      std::remove(Name.c_str());
      errno = Error;
      return nullptr;
    }
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

// Where Path leads: a symbolic link, even one to a file not made yet, is
// followed, so that writing through it fills the file it names rather than
// putting a file in the link's place.
fs::path FollowedLinks(fs::path Path) {
  std::error_code Failed;
  for (int Hops = 0; Hops < 40 && fs::is_symlink(fs::symlink_status(Path, Failed)); ++Hops) {
    const fs::path Link = fs::read_symlink(Path, Failed);
    if (Failed) break;
    Path = Link.is_absolute() ? Link : Path.parent_path() / Link;
  }
  return Path;
}

// A file whose permissions let no one write it, or not this user, is
// protected: the file beside could replace it, but that would overrule
// whoever protected it.
bool WriteProtected(const std::string& File, fs::perms Permissions) {
  constexpr fs::perms AnyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  return (Permissions & AnyWrite) == fs::perms::none || ::access(File.c_str(), W_OK) != 0;
}

}  // namespace

std::string SystemReason(int Error) {
  std::string Reason = std::generic_category().message(Error);
  if (!Reason.empty()) Reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(Reason[0])));
  return Reason;
}

TFileReplacement::TFileReplacement(const std::string& Path) : FTarget(Path) {
  std::error_code Failed;
  const fs::file_status Status = fs::status(Path, Failed);
  if (fs::is_directory(Status)) {
    FError = SystemReason(EISDIR);
    return;
  }
  const bool Exists = fs::exists(Status);
  if (Exists) {
    const fs::path Resolved = fs::canonical(Path, Failed);
    if (!Failed) FTarget = Resolved.string();
  } else {
    FTarget = FollowedLinks(Path).string();
  }
  if (fs::is_regular_file(Status) && WriteProtected(FTarget, Status.permissions())) {
    FError = SystemReason(EACCES);
    return;
  }
  const bool InPlace = Exists && !fs::is_regular_file(Status);
  errno = 0;
  if (InPlace) {
    FWritten = FTarget;
    FFile = std::fopen(FWritten.c_str(), "wb");
  } else {
    FFile = CreateBeside(FTarget, FWritten);
  }
  if (!FFile && Exists && !InPlace && TakesNoNewFiles(errno)) {
    FWritten = FTarget;
    errno = 0;
    FFile = std::fopen(FWritten.c_str(), "wb");
  }
  if (!FFile) {
    FError = SystemReason(errno);
    return;
  }
  if (Exists && FWritten != FTarget) fs::permissions(FWritten, Status.permissions(), Failed);
}

TFileReplacement::~TFileReplacement() { Discard(); }

void TFileReplacement::Discard() {
  if (!FFile) return;
  std::fclose(FFile);
  FFile = nullptr;
  if (FWritten != FTarget) std::remove(FWritten.c_str());
}

// The error number of the first step that failed: writing, closing, or
// putting the file beside in the target's place; 0 when all went well.
int TFileReplacement::Finish(std::string_view Bytes) {
  errno = 0;
  const bool Written = std::fwrite(Bytes.data(), 1, Bytes.size(), FFile) == Bytes.size();
  const int WriteError = errno;
  const bool Closed = std::fclose(FFile) == 0;
  FFile = nullptr;
  if (!Written) return WriteError == 0 ? EIO : WriteError;
  if (!Closed) return errno == 0 ? EIO : errno;
  if (FWritten == FTarget) return 0;
  std::error_code Failed;
  fs::rename(FWritten, FTarget, Failed);
  return Failed.value();
}

std::string TFileReplacement::Commit(std::string_view Bytes) {
  if (!FFile) return FError.empty() ? SystemReason(EBADF) : FError;
  const int Error = Finish(Bytes);
  if (Error == 0) return {};
  if (FWritten != FTarget) std::remove(FWritten.c_str());
  return SystemReason(Error);
}

std::string WriteWholeFile(const std::string& Path, std::string_view Bytes) {
  TFileReplacement Replacement(Path);
  return Replacement.Error().empty() ? Replacement.Commit(Bytes) : Replacement.Error();
}

int FinishOutput(int Status, std::string_view Program) {
  errno = 0;
  std::cout.flush();
  const bool Flushed = std::fflush(stdout) == 0;
  if (Flushed && !std::ferror(stdout) && std::cout.good()) return Status;
  std::cerr << Program << ": cannot write the output";
  if (errno != 0) std::cerr << ": " << SystemReason(errno);
  std::cerr << '\n';
  return Status == 0 ? 1 : Status;
}

}  // namespace quintar::terminal
