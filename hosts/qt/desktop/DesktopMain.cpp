// quintar-desktop: five in a row in a window.
#include <QApplication>

#include "GameWindow.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Quarbel"));
  QApplication::setApplicationName(QStringLiteral("Quintar"));
  quintar::desktop::GameWindow window;
  window.show();
  return QApplication::exec();
}
