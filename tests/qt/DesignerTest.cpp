// The widget as a form designer meets it: the plugin Qt Designer loads, and
// forms that set its properties, read at run time or compiled by uic.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFileInfo>
#include <QPluginLoader>
#include <QUiLoader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <memory>

#include "Pictures.h"
#include "Quintar.h"
#include "QuintarWidget.h"
#include "ui_BoardForm.h"

namespace quintar::qt {
namespace {

void expectTheFormsValues(const QuintarWidget& board) {
  EXPECT_EQ(board.control().CrossColor(), 0x008000);
  EXPECT_EQ(board.control().ColCount(), 15);
  EXPECT_EQ(board.control().RowCount(), 12);
  EXPECT_EQ(board.control().PlayingStrength(), stLow);
  EXPECT_FALSE(board.control().AutoResponse());
  EXPECT_FALSE(board.control().ShowQuintar());
  EXPECT_TRUE(board.control().ClickResponse());
}

TEST(DesignerPlugin, LoadsAndOffersTheWidgetOnThePackagesPage) {
  QPluginLoader loader(QStringLiteral(QUINTAR_DESIGNER_PLUGIN));
  QObject* instance = loader.instance();
  ASSERT_NE(instance, nullptr) << loader.errorString().toStdString();
  auto* plugin = qobject_cast<QDesignerCustomWidgetInterface*>(instance);
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(plugin->name(), QStringLiteral("QuintarWidget"));
  EXPECT_EQ(plugin->group(), QStringLiteral("Quarbel"));
  EXPECT_EQ(plugin->toolTip(), QStringLiteral("Quarbels Quintar Component"));
  EXPECT_EQ(plugin->includeFile(), QStringLiteral("QuintarWidget.h"));
  EXPECT_FALSE(plugin->isContainer());
  EXPECT_TRUE(plugin->domXml().contains(QStringLiteral("<width>200</width><height>200</height>")));

  // The icon is the package's palette bitmap, pixel for pixel.
  const vcl::TPictureResource& bitmap = Pictures()[0];
  ASSERT_EQ(bitmap.Name, "TQUINTAR");
  const QImage icon = plugin->icon().pixmap(21, 21).toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(icon.size(), QSize(21, 21));
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 21; ++x) {
      const vcl::TColor color = bitmap.Palette[bitmap.Pixels[static_cast<std::size_t>(y * 21 + x)]];
      ASSERT_EQ(icon.pixel(x, y), qRgb(vcl::RedOf(color), vcl::GreenOf(color), vcl::BlueOf(color))) << x << "," << y;
    }

  const std::unique_ptr<QWidget> made(plugin->createWidget(nullptr));
  EXPECT_NE(qobject_cast<QuintarWidget*>(made.get()), nullptr);
}

TEST(DesignerPlugin, AFormsPropertiesAreSetWhenItIsLoaded) {
  QUiLoader loader;
  loader.addPluginPath(QFileInfo(QStringLiteral(QUINTAR_DESIGNER_PLUGIN)).absolutePath());
  ASSERT_TRUE(loader.availableWidgets().contains(QStringLiteral("QuintarWidget")));
  QFile ui(QStringLiteral(QUINTAR_BOARD_FORM));
  ASSERT_TRUE(ui.open(QIODevice::ReadOnly));
  const std::unique_ptr<QWidget> loaded(loader.load(&ui));
  ASSERT_NE(loaded, nullptr) << loader.errorString().toStdString();
  auto* board = loaded->findChild<QuintarWidget*>(QStringLiteral("board"));
  ASSERT_NE(board, nullptr);
  expectTheFormsValues(*board);
}

TEST(DesignerPlugin, AFormCompiledByUicSetsTheSameProperties) {
  QWidget form;
  Ui::BoardForm ui;
  ui.setupUi(&form);
  expectTheFormsValues(*ui.board);
}

}  // namespace
}  // namespace quintar::qt
