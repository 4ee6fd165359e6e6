#include "RawTerminal.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

namespace quintar::terminal {
namespace {

// Alternate screen on, mouse press reports on in the SGR form.
constexpr std::string_view EnterSequence = "\x1b[?1049h\x1b[?1000h\x1b[?1006h";
// Mouse reports off, cursor shown, colours reset, main screen back.
constexpr std::string_view LeaveSequence = "\x1b[?1006l\x1b[?1000l\x1b[?25h\x1b[0m\x1b[?1049l";

constexpr int EndingSignals[] = {SIGHUP, SIGINT, SIGQUIT, SIGTERM};

// What a signal handler needs to put the terminal back, and the raw mode to
// take up again after a suspension; set before the handlers are installed.
termios SavedSettings;
termios RawSettings;

// A signal handler writes a byte here to wake the wait for input: a signal
// that comes just before the wait begins is seen as surely as one during it.
int WakePipe[2] = {-1, -1};

void WriteAll(std::string_view Bytes) {
  while (!Bytes.empty()) {
    const ssize_t Written = ::write(STDOUT_FILENO, Bytes.data(), Bytes.size());
    if (Written < 0 && errno == EINTR) continue;
    if (Written <= 0) return;
    Bytes.remove_prefix(static_cast<std::size_t>(Written));
  }
}

void Restore() {
  WriteAll(LeaveSequence);
  ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &SavedSettings);
}

// Only async-signal-safe calls, and errno left as it was.
void Wake() {
  const int Saved = errno;
  const char Byte = 0;
  [[maybe_unused]] const ssize_t Written = ::write(WakePipe[1], &Byte, 1);
  errno = Saved;
}

void EmptyWakePipe() {
  char Bytes[64];
  while (::read(WakePipe[0], Bytes, sizeof Bytes) > 0) {
  }
}

bool OpenWakePipe() {
  if (WakePipe[0] >= 0) return true;
  return ::pipe2(WakePipe, O_NONBLOCK | O_CLOEXEC) == 0;
}

// The first ending signal (a closed terminal window's hang-up, above all)
// ends the game as quitting does, so that the game is kept: the wait for
// input reports the end of the input. Should a second come before that,
// the terminal is put back and the signal takes its ordinary course.
volatile sig_atomic_t EndRequested = 0;
// A stop asked for from outside (kill -TSTP); the wait for input carries it
// out, where the terminal can be put back first.
volatile sig_atomic_t SuspendRequested = 0;

void EndOnSignal(int Signal) {
  if (EndRequested == 0) {
    EndRequested = 1;
    Wake();
    return;
  }
  Restore();
  ::signal(Signal, SIG_DFL);
  ::raise(Signal);
}

void SuspendOnSignal(int) {
  SuspendRequested = 1;
  Wake();
}

// Wakes the wait for input, so the screen is drawn again at the new size.
void WakeOnResize(int) { Wake(); }

void Install(int Signal, void (*Handler)(int)) {
  struct sigaction Action {};
  Action.sa_handler = Handler;
  sigemptyset(&Action.sa_mask);
  Action.sa_flags = 0;
  ::sigaction(Signal, &Action, nullptr);
}

void Uninstall() {
  for (const int Signal : EndingSignals) ::signal(Signal, SIG_DFL);
  ::signal(SIGWINCH, SIG_DFL);
  ::signal(SIGTSTP, SIG_DFL);
}

}  // namespace

TRawTerminal::TRawTerminal() {
  if (!::isatty(STDIN_FILENO) || ::tcgetattr(STDIN_FILENO, &SavedSettings) != 0 || !OpenWakePipe()) return;
  RawSettings = SavedSettings;
  // Ctrl-C, Ctrl-D and Ctrl-Z arrive as keys, so quitting and stopping go
  // through the game and the terminal is put back in one place.
  RawSettings.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
  RawSettings.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL);
  RawSettings.c_cc[VMIN] = 1;
  RawSettings.c_cc[VTIME] = 0;
  for (const int Signal : EndingSignals) Install(Signal, EndOnSignal);
  Install(SIGWINCH, WakeOnResize);
  Install(SIGTSTP, SuspendOnSignal);
  if (::tcsetattr(STDIN_FILENO, TCSAFLUSH, &RawSettings) != 0) {
    Uninstall();
    return;
  }
  WriteAll(EnterSequence);
  FActive = true;
}

TRawTerminal::~TRawTerminal() {
  if (!FActive) return;
  Restore();
  Uninstall();
}

// The terminal is put back and the process stops, as a stopped program
// should leave the shell; once continued, the game takes the terminal up
// again. Where no shell can continue it (an orphaned process group), the
// stop is ignored and the game goes straight on.
void TRawTerminal::Suspend() {
  SuspendRequested = 0;
  Restore();
  ::signal(SIGTSTP, SIG_DFL);
  ::raise(SIGTSTP);
  Install(SIGTSTP, SuspendOnSignal);
  ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &RawSettings);
  WriteAll(EnterSequence);
}

TScreenSize TRawTerminal::Size() const {
  winsize Window{};
  if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &Window) != 0 || Window.ws_col == 0 || Window.ws_row == 0) return {};
  return {Window.ws_col, Window.ws_row};
}

std::optional<std::string> TRawTerminal::Read(int TimeoutMs) {
  if (EndRequested != 0) return std::nullopt;
  pollfd Waits[2] = {{STDIN_FILENO, POLLIN, 0}, {WakePipe[0], POLLIN, 0}};
  const int Ready = ::poll(Waits, 2, TimeoutMs);
  if (Ready < 0 && errno != EINTR) return std::nullopt;
  if (Waits[1].revents != 0) EmptyWakePipe();
  if (EndRequested != 0) return std::nullopt;
  if (SuspendRequested != 0) Suspend();
  if (Ready <= 0 || Waits[0].revents == 0) return std::string();
  char Bytes[256];
  const ssize_t Count = ::read(STDIN_FILENO, Bytes, sizeof Bytes);
  if (Count < 0 && (errno == EINTR || errno == EAGAIN)) return std::string();
  if (Count <= 0) return std::nullopt;
  return std::string(Bytes, static_cast<std::size_t>(Count));
}

void TRawTerminal::Write(std::string_view Bytes) { WriteAll(Bytes); }

}  // namespace quintar::terminal
