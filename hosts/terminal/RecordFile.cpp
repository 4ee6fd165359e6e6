#include "RecordFile.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "GameTable.h"

namespace quintar::terminal {
namespace {

using TFile = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

}  // namespace

TFileText ReadRecordFile(const std::string& Path) {
  TFileText Read;
  errno = 0;
  const TFile File(std::fopen(Path.c_str(), "rb"), std::fclose);
  if (!File) return {{}, SystemReason(errno)};
  Read.Text.resize(game::LargestRecordBytes + 1);
  Read.Text.resize(std::fread(Read.Text.data(), 1, Read.Text.size(), File.get()));
  // A folder opens, and fails at the first read.
  if (std::ferror(File.get())) return {{}, SystemReason(errno)};
  return Read;
}

}  // namespace quintar::terminal
