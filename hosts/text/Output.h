// Where the tools' output goes, and what they say when it cannot: files
// written whole or not at all, and standard output checked before a tool
// reports success. A save over a file the user already has goes to a file
// beside it first and takes its place only once every byte is written, so
// that a full disk or a run cut short leaves the old file as it was rather
// than empty.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace quintar::terminal {

// The system's words for an error number, to follow a colon mid-sentence:
// "no such file or directory".
std::string SystemReason(int Error);

// One file's replacement, begun at once so that a tool learns before its
// work, not after, that it cannot write where it was told. Where Path names
// a device or a pipe it is written in place, as is a file whose folder takes
// no new files; a link is followed, and the file it names replaced.
class TFileReplacement {
 public:
  explicit TFileReplacement(const std::string& Path);
  // One never committed leaves no file beside behind.
  ~TFileReplacement();
  TFileReplacement(const TFileReplacement&) = delete;
  TFileReplacement& operator=(const TFileReplacement&) = delete;

  // Why the file cannot be written ("permission denied"), or empty.
  const std::string& Error() const { return FError; }
  // Writes Bytes and puts them in the file's place once; the reason it could
  // not, or empty.
  std::string Commit(std::string_view Bytes);

 private:
  int Finish(std::string_view Bytes);
  void Discard();

  std::string FTarget;
  std::string FWritten;  // the file beside, or the target itself in place
  std::FILE* FFile = nullptr;
  std::string FError;
};

// Both at once: the reason Bytes could not be written to Path, or empty.
std::string WriteWholeFile(const std::string& Path, std::string_view Bytes);

// The exit status for a tool that would end with Status: a failure, said on
// standard error after Program's name, where what it wrote to standard output
// did not all arrive (a full disk, a closed pipe), which would otherwise end
// in success with the output cut short.
int FinishOutput(int Status, std::string_view Program);

}  // namespace quintar::terminal
