// A program run with its standard input and output on pipes, for the tests
// that drive the real executables.
#pragma once

#include <sys/types.h>

#include <cstdio>
#include <string>
#include <vector>

namespace quintar::testing {

class TChildProcess {
 public:
  explicit TChildProcess(const std::vector<std::string>& Command);
  ~TChildProcess();
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;

  // Sends the bytes as they are and flushes.
  void Send(const std::string& Bytes);
  // One line of output without its end; empty at the end of the output.
  std::string ReadLine();
  // Everything still to come, after closing the child's input.
  std::string ReadAll();
  // Closes the input and waits: the exit status, or -1 when it did not exit.
  int Wait();

 private:
  pid_t FPid = -1;
  std::FILE* FInput = nullptr;
  std::FILE* FOutput = nullptr;
};

}  // namespace quintar::testing
