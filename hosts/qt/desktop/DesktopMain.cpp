// quintar-desktop: five in a row in a window.
#include <QApplication>
#include <QCommandLineParser>

#include "GameWindow.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Quarbel"));
  QApplication::setApplicationName(QStringLiteral("Quintar"));
  QApplication::setApplicationVersion(QStringLiteral(QUINTAR_VERSION));
  // --help and --version answer and end, and an unknown option is refused
  // in a line, as by every other program of the package; the game takes no
  // arguments of its own.
  QCommandLineParser options;
  options.setApplicationDescription(QStringLiteral(
      "Five in a row against the computer: press a cell to play. The Game menu starts, undoes, hints, saves and "
      "opens games; Quit keeps the game for the next start."));
  options.addHelpOption();
  options.addVersionOption();
  options.process(application);
  quintar::desktop::GameWindow window;
  window.show();
  return QApplication::exec();
}
