#include "ChildProcess.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>
#include <utility>

namespace quintar::testing {

TChildProcess::TChildProcess(const std::vector<std::string>& Command) {
  int ToChild[2], FromChild[2];
  if (::pipe(ToChild) != 0 || ::pipe(FromChild) != 0) throw std::runtime_error("pipe failed");
  // A child that stops reading must fail the test, not kill it.
  std::signal(SIGPIPE, SIG_IGN);
  FPid = ::fork();
  if (FPid == 0) {
    ::dup2(ToChild[0], STDIN_FILENO);
    ::dup2(FromChild[1], STDOUT_FILENO);
    for (const int End : {ToChild[0], ToChild[1], FromChild[0], FromChild[1]}) ::close(End);
    std::vector<char*> Arguments;
    for (const std::string& Argument : Command) Arguments.push_back(const_cast<char*>(Argument.c_str()));
    Arguments.push_back(nullptr);
    ::execv(Arguments[0], Arguments.data());
    ::_exit(127);
  }
  ::close(ToChild[0]);
  ::close(FromChild[1]);
  FInput = ::fdopen(ToChild[1], "w");
  FOutput = ::fdopen(FromChild[0], "r");
}

TChildProcess::~TChildProcess() { Wait(); }

void TChildProcess::Send(const std::string& Bytes) {
  if (FInput == nullptr) return;
  std::fwrite(Bytes.data(), 1, Bytes.size(), FInput);
  std::fflush(FInput);
}

std::string TChildProcess::ReadLine() {
  std::string Line;
  for (int Byte; FOutput != nullptr && (Byte = std::fgetc(FOutput)) != EOF && Byte != '\n';)
    Line.push_back(static_cast<char>(Byte));
  return Line;
}

std::string TChildProcess::ReadAll() {
  if (FInput != nullptr) std::fclose(std::exchange(FInput, nullptr));
  std::string All;
  for (int Byte; FOutput != nullptr && (Byte = std::fgetc(FOutput)) != EOF;) All.push_back(static_cast<char>(Byte));
  return All;
}

int TChildProcess::Wait() {
  if (FInput != nullptr) std::fclose(std::exchange(FInput, nullptr));
  if (FOutput != nullptr) std::fclose(std::exchange(FOutput, nullptr));
  if (FPid <= 0) return -1;
  int Status = 0;
  ::waitpid(std::exchange(FPid, -1), &Status, 0);
  return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
}

}  // namespace quintar::testing
