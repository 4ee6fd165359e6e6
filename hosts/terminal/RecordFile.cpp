#include "RecordFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>

#include "GameTable.h"

namespace quintar::terminal {
namespace {

using TFile = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

}  // namespace

// Opened without waiting, and refused unless it is a stored file: opening a
// pipe waits for a writer, and reading a terminal for its keys, either of
// which would hold the game for good.
TFileText ReadRecordFile(const std::string& Path, const game::TPhrasebook& Words) {
  errno = 0;
  const int Descriptor = ::open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (Descriptor < 0) return {{}, SystemReason(errno)};
  struct stat Status = {};
  const bool Stated = ::fstat(Descriptor, &Status) == 0;
  if (!Stated || !S_ISREG(Status.st_mode)) {
    const std::string Reason = !Stated                   ? SystemReason(errno)
                               : S_ISDIR(Status.st_mode) ? SystemReason(EISDIR)
                                                         : Words.Phrase(game::TPhrase::NotAStoredFile);
    ::close(Descriptor);
    return {{}, Reason};
  }
  const TFile File(::fdopen(Descriptor, "rb"), std::fclose);
  if (!File) {
    const int Error = errno;
    ::close(Descriptor);
    return {{}, SystemReason(Error)};
  }
  TFileText Read;
  Read.Text.resize(game::LargestRecordBytes + 1);
  Read.Text.resize(std::fread(Read.Text.data(), 1, Read.Text.size(), File.get()));
  if (std::ferror(File.get())) return {{}, SystemReason(errno)};
  return Read;
}

}  // namespace quintar::terminal
