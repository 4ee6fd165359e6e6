// Runs GoogleTest suites inside a QApplication. Without a display: the
// offscreen platform is used unless QT_QPA_PLATFORM names another, and the
// application's settings and its data (the game kept between runs) go to
// folders of their own that start empty.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests needs no application.
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  const QTemporaryDir dataFolder;
  qputenv("XDG_DATA_HOME", dataFolder.path().toLocal8Bit());
  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("QuarbelTests"));
  QApplication::setApplicationName(QStringLiteral("QuintarTests"));
  const QTemporaryDir settingsFolder;
  QSettings::setDefaultFormat(QSettings::IniFormat);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());
  return RUN_ALL_TESTS();
}
