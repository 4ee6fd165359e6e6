#include "RawTerminal.h"

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

// What a signal handler needs to put the terminal back; set before the
// handlers are installed.
termios SavedSettings;

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

// The first ending signal (a closed terminal window's hang-up, above all)
// ends the game as quitting does, so that the game is kept: the wait for
// input it interrupts reports the end of the input. Should a second come
// before that, the terminal is put back and the signal takes its ordinary
// course. Only async-signal-safe calls.
volatile sig_atomic_t EndRequested = 0;

void EndOnSignal(int Signal) {
  if (EndRequested == 0) {
    EndRequested = 1;
    return;
  }
  Restore();
  ::signal(Signal, SIG_DFL);
  ::raise(Signal);
}

// Its only work is to interrupt the wait for input, so the screen is drawn
// again at the new size.
void WakeOnResize(int) {}

void Install(int Signal, void (*Handler)(int)) {
  struct sigaction Action {};
  Action.sa_handler = Handler;
  sigemptyset(&Action.sa_mask);
  Action.sa_flags = 0;  // no restart: a resize must wake the waiting poll
  ::sigaction(Signal, &Action, nullptr);
}

}  // namespace

TRawTerminal::TRawTerminal() {
  if (!::isatty(STDIN_FILENO) || ::tcgetattr(STDIN_FILENO, &SavedSettings) != 0) return;
  termios Raw = SavedSettings;
  // Ctrl-C and Ctrl-D arrive as keys, so quitting goes through the game and
  // the terminal is put back in one place.
  Raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
  Raw.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL);
  Raw.c_cc[VMIN] = 1;
  Raw.c_cc[VTIME] = 0;
  for (const int Signal : EndingSignals) Install(Signal, EndOnSignal);
  Install(SIGWINCH, WakeOnResize);
  if (::tcsetattr(STDIN_FILENO, TCSAFLUSH, &Raw) != 0) {
    for (const int Signal : EndingSignals) ::signal(Signal, SIG_DFL);
    return;
  }
  WriteAll(EnterSequence);
  FActive = true;
}

TRawTerminal::~TRawTerminal() {
  if (!FActive) return;
  Restore();
  for (const int Signal : EndingSignals) ::signal(Signal, SIG_DFL);
  ::signal(SIGWINCH, SIG_DFL);
}

TScreenSize TRawTerminal::Size() const {
  winsize Window{};
  if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &Window) != 0 || Window.ws_col == 0 || Window.ws_row == 0) return {};
  return {Window.ws_col, Window.ws_row};
}

std::optional<std::string> TRawTerminal::Read(int TimeoutMs) {
  if (EndRequested != 0) return std::nullopt;
  pollfd Input{STDIN_FILENO, POLLIN, 0};
  const int Ready = ::poll(&Input, 1, TimeoutMs);
  if (Ready < 0) {
    if (errno == EINTR) return EndRequested != 0 ? std::nullopt : std::optional<std::string>(std::string());
    return std::nullopt;
  }
  if (Ready == 0) return std::string();
  char Bytes[256];
  const ssize_t Count = ::read(STDIN_FILENO, Bytes, sizeof Bytes);
  if (Count < 0 && (errno == EINTR || errno == EAGAIN)) return std::string();
  if (Count <= 0) return std::nullopt;
  return std::string(Bytes, static_cast<std::size_t>(Count));
}

void TRawTerminal::Write(std::string_view Bytes) { WriteAll(Bytes); }

}  // namespace quintar::terminal
