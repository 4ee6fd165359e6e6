#include "RecordFile.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

#include "GameTable.h"

namespace quintar::terminal {
namespace {

using TFile = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

}  // namespace

std::string SystemReason(int Error) {
  std::string Reason = std::generic_category().message(Error);
  if (!Reason.empty()) Reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(Reason[0])));
  return Reason;
}

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

std::string WriteRecordFile(const std::string& Path, std::string_view Text) {
  errno = 0;
  std::FILE* File = std::fopen(Path.c_str(), "wb");
  if (!File) return SystemReason(errno);
  const bool Written = std::fwrite(Text.data(), 1, Text.size(), File) == Text.size();
  const int WriteError = errno;
  if (std::fclose(File) != 0 || !Written) return SystemReason(Written ? errno : WriteError);
  return {};
}

}  // namespace quintar::terminal
