// quintar-desktop: five in a row in a window.
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QSocketNotifier>
#include <csignal>
#include <iostream>

#include "GameWindow.h"

namespace {

int EndSignalPipe[2] = {-1, -1};

// A signal handler may only write: the event loop reads the byte and ends
// the game there.
void SignalledToEnd(int) {
  const char Byte = 1;
  [[maybe_unused]] const auto Written = ::write(EndSignalPipe[1], &Byte, 1);
}

// A termination or hang-up (logging out, shutting down, kill) and Ctrl-C in
// the terminal that started it end the game as Quit does, keeping it, but
// without a question no one would be there to answer.
void EndOnSignals(quintar::desktop::GameWindow& window) {
  if (::pipe2(EndSignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* notifier = new QSocketNotifier(EndSignalPipe[0], QSocketNotifier::Read, &window);
  QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window, notifier] {
    notifier->setEnabled(false);
    const quintar::desktop::GameWindow::KeepOutcome kept = window.endUnasked();
    for (const QString& said : {kept.setAside, kept.whyNotKept})
      if (!said.isEmpty()) std::cerr << "quintar-desktop: " << said.toStdString() << '\n';
    QCoreApplication::exit(kept.whyNotKept.isEmpty() ? 0 : 1);
  });
  struct sigaction action = {};
  action.sa_handler = SignalledToEnd;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGHUP, SIGINT}) sigaction(signal, &action, nullptr);
}

void nameApplication() {
  QCoreApplication::setOrganizationName(QStringLiteral("Quarbel"));
  QCoreApplication::setApplicationName(QStringLiteral("Quintar"));
  QCoreApplication::setApplicationVersion(QStringLiteral(QUINTAR_VERSION));
}

// --help and --version answer and end, and an unknown option is refused in a
// line, as by every other program of the package; the game takes no
// arguments of its own. They are read before the window system is reached,
// so that they answer with no display too (over ssh, say).
void readOptions(int argc, char** argv) {
  QCoreApplication core(argc, argv);
  nameApplication();
  QCommandLineParser options;
  options.setApplicationDescription(QStringLiteral(
      "Five in a row against the computer: press a cell to play. The Game menu starts, undoes, hints, saves and "
      "opens games; Quit keeps the game for the next start."));
  options.addHelpOption();
  options.addVersionOption();
  options.process(core);
}

}  // namespace

int main(int argc, char** argv) {
  readOptions(argc, argv);
  QApplication application(argc, argv);
  nameApplication();
  quintar::desktop::GameWindow window;
  EndOnSignals(window);
  window.show();
  return QApplication::exec();
}
