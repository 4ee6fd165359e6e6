// What the widget shows is exactly the control's pixels, at the screen's
// density, and a move repaints only the area it drew.
#include <gtest/gtest.h>

#include <QEvent>
#include <QPaintEvent>
#include <QTest>

#include "Quintar.h"
#include "QuintarWidget.h"

namespace quintar::qt {
namespace {

// The first pixel where the widget's picture and the control's surface
// differ, or nothing.
std::optional<QPoint> firstDifference(QuintarWidget& board) {
  const QImage shown = board.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const vcl::TSurface& surface = board.control().Surface();
  if (shown.width() != surface.Width() || shown.height() != surface.Height()) return QPoint(-1, -1);
  for (int y = 0; y < surface.Height(); ++y)
    for (int x = 0; x < surface.Width(); ++x) {
      const vcl::TColor color = surface.Pixel(x, y);
      if (shown.pixel(x, y) != qRgb(vcl::RedOf(color), vcl::GreenOf(color), vcl::BlueOf(color))) return QPoint(x, y);
    }
  return std::nullopt;
}

// A won game on a board that does not divide the widget evenly.
void playAWin(QuintarWidget& board) {
  board.setAutoResponse(false);
  board.setColCount(13);
  board.setRowCount(9);
  for (int col = 3; col <= 6; ++col) {
    board.move(col, 4);
    board.move(col, 7);
  }
  board.move(7, 4);
  ASSERT_TRUE(board.control().WinFound());
}

// The region of every paint event the widget receives.
class PaintRegions : public QObject {
 public:
  explicit PaintRegions(QWidget& widget) { widget.installEventFilter(this); }
  QRegion take() { return std::exchange(m_region, {}); }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) m_region += static_cast<QPaintEvent*>(event)->region();
    return false;
  }

 private:
  QRegion m_region;
};

TEST(WidgetPaint, TheGrabbedPictureIsTheControlsSurface) {
  QuintarWidget board;
  board.resize(301, 203);
  board.show();
  playAWin(board);
  EXPECT_EQ(board.control().Width(), 301);
  EXPECT_EQ(firstDifference(board), std::nullopt);
}

TEST(WidgetPaint, ARepaintTheControlAsksForShowsTheNewBackground) {
  QuintarWidget board;
  board.resize(200, 200);
  board.show();
  board.grab();
  board.setColor(QColor(0, 128, 0));
  const QImage shown = board.grab().toImage();
  EXPECT_EQ(shown.pixelColor(55, 55), QColor(0, 128, 0));
  EXPECT_EQ(firstDifference(board), std::nullopt);
}

TEST(WidgetPaint, AMoveRepaintsOnlyWhatItDrew) {
  QuintarWidget board;
  board.setAutoResponse(false);
  board.resize(400, 400);
  board.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&board));
  PaintRegions regions(board);
  // The first press also activates and focuses; that repaint is not the
  // move's. Cell (17, 2) spans x 340..360.
  QTest::mouseClick(&board, Qt::LeftButton, {}, QPoint(345, 25));
  QCoreApplication::processEvents();
  regions.take();

  QTest::mouseClick(&board, Qt::LeftButton, {}, QPoint(365, 365));
  QCoreApplication::processEvents();
  // The box moves from cell (17, 2) to (18, 18), both marks are drawn again,
  // and so is the right border line, top to bottom.
  EXPECT_EQ(regions.take().boundingRect(), QRect(340, 0, 60, 400));
  EXPECT_EQ(firstDifference(board), std::nullopt);
}

TEST(WidgetPaint, ATinyOrEmptyWidgetPaintsWithoutFault) {
  QuintarWidget board;
  board.resize(0, 7);
  board.show();
  QTest::mouseClick(&board, Qt::LeftButton, {}, QPoint(0, 0));
  board.resize(3, 3);
  EXPECT_EQ(firstDifference(board), std::nullopt);
}

// Run with QT_SCALE_FACTOR=2: the control is drawn in device pixels and a
// press lands on the cell under it.
TEST(HighDensity, TheControlIsSizedAndPressedInDevicePixels) {
  QuintarWidget board;
  board.resize(150, 100);
  board.show();
  if (board.devicePixelRatioF() == 1.0) GTEST_SKIP() << "needs a screen of another density (QT_SCALE_FACTOR=2)";
  const qreal ratio = board.devicePixelRatioF();
  EXPECT_EQ(board.control().Width(), qRound(150 * ratio));
  EXPECT_EQ(board.control().Height(), qRound(100 * ratio));
  playAWin(board);
  EXPECT_EQ(firstDifference(board), std::nullopt);
  board.newGame();
  // Column 3 of 13 spans 23.1..30.8 widget pixels across, row 2 of 9 spans
  // 11.1..22.2 down.
  QTest::mouseClick(&board, Qt::LeftButton, {}, QPoint(25, 15));
  EXPECT_EQ(board.control().Cell(2, 1), 1);
}

// The control hears presses in device pixels; the signals give them back
// where they were made, at whole and fractional scales alike.
TEST(HighDensity, PressesAreReportedWhereTheyWereMade) {
  QuintarWidget board;
  board.resize(150, 100);
  board.show();
  if (board.devicePixelRatioF() == 1.0) GTEST_SKIP() << "needs a screen of another density (QT_SCALE_FACTOR=2)";
  QList<QPoint> reported;
  QObject::connect(&board, &QuintarWidget::mousePressed,
                   [&](Qt::MouseButton, Qt::KeyboardModifiers, QPoint position) { reported.append(position); });
  const QList<QPoint> pressed{{1, 1}, {10, 11}, {37, 3}, {149, 99}};  // (0, 0) would be the centre
  for (const QPoint position : pressed) QTest::mouseClick(&board, Qt::LeftButton, {}, position);
  EXPECT_EQ(reported, pressed);
}

}  // namespace
}  // namespace quintar::qt
