#include "BrainProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <thread>

extern char** environ;

namespace quintar::match {
namespace {

// The process group of every brain running, kept where a signal handler can
// read it: a match has at most 16 games going, each with two brains.
constexpr std::size_t MostRunning = 64;
std::array<std::atomic<pid_t>, MostRunning> RunningGroups{};
static_assert(std::atomic<pid_t>::is_always_lock_free);

void Enrol(pid_t Group) {
  for (std::atomic<pid_t>& Slot : RunningGroups) {
    pid_t Free = 0;
    if (Slot.compare_exchange_strong(Free, Group)) return;
  }
}

void Withdraw(pid_t Group) {
  for (std::atomic<pid_t>& Slot : RunningGroups) {
    pid_t Enrolled = Group;
    if (Slot.compare_exchange_strong(Enrolled, 0)) return;
  }
}

// Milliseconds from now to Deadline for poll(): 0 when it has passed.
int PollTimeout(TDeadline Deadline) {
  const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - std::chrono::steady_clock::now());
  if (Left.count() <= 0) return 0;
  return Left.count() > 60000 ? 60000 : static_cast<int>(Left.count()) + 1;
}

bool MakeNonBlocking(int Descriptor) {
  const int Flags = fcntl(Descriptor, F_GETFL);
  return Flags >= 0 && fcntl(Descriptor, F_SETFL, Flags | O_NONBLOCK) == 0;
}

void CloseDescriptor(int& Descriptor) {
  if (Descriptor >= 0) close(Descriptor);
  Descriptor = -1;
}

std::string EndingOf(int Status) {
  if (WIFEXITED(Status)) return "exited with status " + std::to_string(WEXITSTATUS(Status));
  if (WIFSIGNALED(Status))
    return "killed by signal " + std::to_string(WTERMSIG(Status)) + " (" + strsignal(WTERMSIG(Status)) + ")";
  return "ended";
}

// The spawn attributes every brain gets: the default action for a broken
// pipe (this process ignores it, and ignored signals survive exec), no
// blocked signals whatever thread starts it, and a process group of its own
// so that killing it reaches the processes it started too.
struct TSpawnAttributes {
  posix_spawnattr_t Attributes;
  TSpawnAttributes() {
    posix_spawnattr_init(&Attributes);
    sigset_t Signals;
    sigemptyset(&Signals);
    posix_spawnattr_setsigmask(&Attributes, &Signals);
    sigaddset(&Signals, SIGPIPE);
    posix_spawnattr_setsigdefault(&Attributes, &Signals);
    posix_spawnattr_setpgroup(&Attributes, 0);
    posix_spawnattr_setflags(&Attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);
  }
  ~TSpawnAttributes() { posix_spawnattr_destroy(&Attributes); }
  TSpawnAttributes(const TSpawnAttributes&) = delete;
  TSpawnAttributes& operator=(const TSpawnAttributes&) = delete;
};

// The program's ends of its two pipes become its standard input and output.
struct TSpawnFiles {
  posix_spawn_file_actions_t Actions;
  TSpawnFiles(int Input, int Output) {
    posix_spawn_file_actions_init(&Actions);
    posix_spawn_file_actions_adddup2(&Actions, Input, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&Actions, Output, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&Actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  }
  ~TSpawnFiles() { posix_spawn_file_actions_destroy(&Actions); }
  TSpawnFiles(const TSpawnFiles&) = delete;
  TSpawnFiles& operator=(const TSpawnFiles&) = delete;
};

}  // namespace

TBrainProcess::~TBrainProcess() { Stop(std::chrono::milliseconds(0)); }

bool TBrainProcess::Start(const std::vector<std::string>& Words, std::string& Error) {
  Stop(std::chrono::milliseconds(0));
  if (Words.empty()) {
    Error = "no program to start";
    return false;
  }
  // A brain that dies while being written to must not take the match with it.
  signal(SIGPIPE, SIG_IGN);
  int Input[2];
  int Output[2];
  if (pipe2(Input, O_CLOEXEC) != 0) {
    Error = std::string("cannot make a pipe: ") + std::strerror(errno);
    return false;
  }
  if (pipe2(Output, O_CLOEXEC) != 0) {
    Error = std::string("cannot make a pipe: ") + std::strerror(errno);
    close(Input[0]);
    close(Input[1]);
    return false;
  }
  std::vector<char*> Arguments;
  for (const std::string& Word : Words) Arguments.push_back(const_cast<char*>(Word.c_str()));
  Arguments.push_back(nullptr);
  const TSpawnAttributes Attributes;
  const TSpawnFiles Files(Input[0], Output[1]);
  pid_t Pid = -1;
  const int Failure =
      posix_spawnp(&Pid, Arguments[0], &Files.Actions, &Attributes.Attributes, Arguments.data(), environ);
  close(Input[0]);
  close(Output[1]);
  FToProgram = Input[1];
  FFromProgram = Output[0];
  if (Failure != 0) {
    CloseInput();
    CloseOutput();
    Error = "cannot start " + Words[0] + ": " + std::strerror(Failure);
    return false;
  }
  FPid = Pid;
  Enrol(Pid);
  FPending.clear();
  MakeNonBlocking(FToProgram);
  MakeNonBlocking(FFromProgram);
  return true;
}

bool TBrainProcess::WriteLine(std::string_view Line, TDeadline Deadline) {
  if (FToProgram < 0) return false;
  std::string Text(Line);
  Text += '\n';
  std::size_t Written = 0;
  while (Written < Text.size()) {
    const ssize_t Count = write(FToProgram, Text.data() + Written, Text.size() - Written);
    if (Count > 0) {
      Written += static_cast<std::size_t>(Count);
      continue;
    }
    if (Count < 0 && errno == EINTR) continue;
    if (Count < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return false;
    pollfd Wait{FToProgram, POLLOUT, 0};
    if (poll(&Wait, 1, PollTimeout(Deadline)) <= 0 && std::chrono::steady_clock::now() >= Deadline) return false;
  }
  return true;
}

bool TBrainProcess::TakeLine(std::string& Line) {
  // A line feed right after a carriage return ends no second line.
  if (FAfterReturn && !FPending.empty()) {
    if (FPending.front() == '\n') FPending.erase(0, 1);
    FAfterReturn = false;
  }
  const std::size_t End = FPending.find_first_of("\r\n");
  if (End == std::string::npos) return false;
  Line.assign(FPending, 0, End);
  FAfterReturn = FPending[End] == '\r';
  FPending.erase(0, End + 1);
  return true;
}

std::vector<std::string> TBrainProcess::LinesSent() {
  char Block[4096];
  while (FFromProgram >= 0 && FPending.size() <= MaxLineLength) {
    const ssize_t Count = read(FFromProgram, Block, sizeof Block);
    if (Count > 0)
      FPending.append(Block, static_cast<std::size_t>(Count));
    else if (Count < 0 && errno == EINTR)
      continue;
    else
      break;  // nothing more for now, or the end, which the next ReadLine tells
  }
  std::vector<std::string> Lines;
  for (std::string Line; TakeLine(Line);) Lines.push_back(Line);
  return Lines;
}

TBrainProcess::TRead TBrainProcess::ReadLine(std::string& Line, TDeadline Deadline) {
  while (true) {
    if (TakeLine(Line)) return Line.size() > MaxLineLength ? TRead::TooLong : TRead::Line;
    if (FPending.size() > MaxLineLength) return TRead::TooLong;
    if (FFromProgram < 0) return TRead::Closed;
    // Checked before every read, so that a brain that never stops talking
    // without ever answering runs out of time all the same.
    if (std::chrono::steady_clock::now() >= Deadline) return TRead::TimedOut;
    char Block[4096];
    const ssize_t Count = read(FFromProgram, Block, sizeof Block);
    if (Count > 0) {
      FPending.append(Block, static_cast<std::size_t>(Count));
      continue;
    }
    if (Count == 0) {
      CloseOutput();
      return TRead::Closed;
    }
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) {
      CloseOutput();
      return TRead::Closed;
    }
    pollfd Wait{FFromProgram, POLLIN, 0};
    poll(&Wait, 1, PollTimeout(Deadline));
  }
}

std::string TBrainProcess::Stop(std::chrono::milliseconds Grace) {
  CloseInput();
  if (FPid <= 0) {
    CloseOutput();
    return "";
  }
  const TDeadline GiveUp = std::chrono::steady_clock::now() + Grace;
  int Status = 0;
  pid_t Reaped = 0;
  while ((Reaped = waitpid(FPid, &Status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < GiveUp)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  if (Reaped == 0) {
    // Still running after its grace, or unreaped: the whole group goes.
    kill(-FPid, SIGKILL);
    kill(FPid, SIGKILL);
    while ((Reaped = waitpid(FPid, &Status, 0)) < 0 && errno == EINTR) {
    }
  }
  Withdraw(FPid);
  FPid = -1;
  CloseOutput();
  return Reaped > 0 ? EndingOf(Status) : "vanished";
}

void TBrainProcess::CloseInput() { CloseDescriptor(FToProgram); }
void TBrainProcess::CloseOutput() {
  CloseDescriptor(FFromProgram);
  FPending.clear();
  FAfterReturn = false;
}

void KillEveryBrain() {
  for (const std::atomic<pid_t>& Slot : RunningGroups)
    if (const pid_t Group = Slot.load(); Group > 0) kill(-Group, SIGKILL);
}

}  // namespace quintar::match
