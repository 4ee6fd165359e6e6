// Keyboard play: the arrow keys move the focus cell over the board, Space
// and Enter play it as a press would, and the frame that shows it is drawn
// on the screen only, never into the control's pixels.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "Quintar.h"
#include "SignalLog.h"

namespace quintar::qt {
namespace {

using testing::SignalLog;
using testing::TNames;

// A shown two-person board with the keyboard focus, ten pixels a cell.
class Keyboard : public ::testing::Test {
 protected:
  void SetUp() override {
    board.resize(200, 200);
    board.setAutoResponse(false);
    board.show();
    QApplication::setActiveWindow(&board);
    board.setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(board.hasFocus());
  }
  QuintarWidget board;
};

TEST_F(Keyboard, ArrowsMoveTheFocusCellAndSpaceAndEnterPlayIt) {
  EXPECT_EQ(board.focusCell(), QPoint(10, 10));
  QTest::keyClick(&board, Qt::Key_Left);
  QTest::keyClick(&board, Qt::Key_Up);
  QTest::keyClick(&board, Qt::Key_Up);
  EXPECT_EQ(board.focusCell(), QPoint(9, 8));
  SignalLog log(board);
  QTest::keyClick(&board, Qt::Key_Space);
  EXPECT_EQ(board.control().Cell(9, 8), 1);
  QTest::keyClick(&board, Qt::Key_Right);
  QTest::keyClick(&board, Qt::Key_Down);
  QTest::keyClick(&board, Qt::Key_Return);
  EXPECT_EQ(board.control().Cell(10, 9), -1);
  QTest::keyClick(&board, Qt::Key_Enter);  // taken now
  EXPECT_EQ(log.take(), (TNames{"legalMove", "legalMove", "illegalMove"}));
}

TEST_F(Keyboard, TheFocusCellStaysOnTheBoard) {
  for (int step = 0; step < 30; ++step) {
    QTest::keyClick(&board, Qt::Key_Right);
    QTest::keyClick(&board, Qt::Key_Down);
  }
  EXPECT_EQ(board.focusCell(), QPoint(19, 19));
  board.control().SetColCount(5);  // behind the widget's back
  EXPECT_EQ(board.focusCell(), QPoint(4, 19));
  QTest::keyClick(&board, Qt::Key_Space);
  EXPECT_EQ(board.control().Cell(4, 19), 1);
  // Through the widget, the cell's followers hear of the move.
  QSignalSpy moved(&board, &QuintarWidget::focusCellChanged);
  board.setRowCount(5);
  ASSERT_EQ(moved.size(), 1);
  EXPECT_EQ(moved[0][0].toPoint(), QPoint(4, 4));
}

TEST_F(Keyboard, KeysPlayOnlyWhilePressesDo) {
  board.setClickResponse(false);
  SignalLog log(board);
  QTest::keyClick(&board, Qt::Key_Space);
  EXPECT_EQ(board.control().Cell(10, 10), 0);
  EXPECT_EQ(log.take(), TNames{});
}

TEST_F(Keyboard, TheFrameIsOnTheScreenAndNotInTheControl) {
  QTest::keyClick(&board, Qt::Key_Right);
  ASSERT_TRUE(board.focusCellShown());
  const QImage shown = board.grab().toImage();
  // Cell (11, 10) spans pixels 110..120 x 100..110; its frame lies on its
  // edges.
  const QColor frame = board.palette().color(QPalette::Highlight);
  EXPECT_EQ(shown.pixelColor(110, 105), frame);
  EXPECT_EQ(board.control().Canvas().Pixels(110, 105), board.control().GridLineColor());
  // A press hides it again.
  QTest::mouseClick(&board, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(board.focusCellShown());
  EXPECT_EQ(board.grab().toImage().pixelColor(110, 105), board.gridLineColor());
}

// Seven columns and nine rows over 200 pixels: no cell is a whole number of
// pixels wide or high, so the cell under a press is easily missed by one.
TEST_F(Keyboard, APressMovesTheFocusCellToTheCellItPlayed) {
  board.setColCount(7);
  board.setRowCount(9);
  for (const QPoint press : {QPoint(28, 22), QPoint(29, 23), QPoint(57, 67), QPoint(58, 45), QPoint(199, 199)}) {
    QTest::mouseClick(&board, Qt::LeftButton, {}, press);
    const vcl::TPoint played = board.control().LastMove();
    EXPECT_EQ(board.focusCell(), QPoint(played.X, played.Y)) << press.x() << ", " << press.y();
  }
  EXPECT_EQ(board.control().Turn(), -1);  // five presses, five cells
}

// The frame straddles the cell's edges: every pixel of the mark inside
// shows as it did without the frame. Seven columns and nine rows over 200
// pixels: no cell is a whole number of pixels wide or high.
TEST_F(Keyboard, TheFrameLiesOnTheCellsEdgesAndLeavesItsMarkInView) {
  board.setColCount(7);
  board.setRowCount(9);
  board.move(4, 5);
  board.showFocusCell(QPoint(0, 0));
  const QImage unframed = board.grab().toImage();
  board.showFocusCell(QPoint(3, 4));
  const QImage shown = board.grab().toImage();
  const vcl::TRect cell = board.control().CellBounds(3, 4);
  const QRect area(cell.Left, cell.Top, cell.Right - cell.Left, cell.Bottom - cell.Top);
  const QRect inside = area.adjusted(1, 1, -1, -1);
  int markPixels = 0;
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x) {
      ASSERT_EQ(shown.pixelColor(x, y), unframed.pixelColor(x, y)) << x << ", " << y;
      if (shown.pixelColor(x, y) == board.crossColor()) ++markPixels;
    }
  EXPECT_GT(markPixels, 0);

  const QColor frame = board.palette().color(QPalette::Highlight);
  QRect framed;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x)
      if (shown.pixelColor(x, y) == frame) framed |= QRect(x, y, 1, 1);
  EXPECT_EQ(framed, area.adjusted(-1, -1, 1, 1))
      << framed.x() << ", " << framed.y() << " " << framed.width() << " x " << framed.height();
}

// Whoever explores the board with the arrows hears each cell they reach.
TEST_F(Keyboard, EachCellReachedIsToldWithItsMark) {
  board.move(12, 11);
  QTest::keyClick(&board, Qt::Key_Right);
  EXPECT_EQ(board.announcement(), QStringLiteral("Column 12, row 11, cross."));
  QTest::keyClick(&board, Qt::Key_Down);
  EXPECT_EQ(board.announcement(), QStringLiteral("Column 12, row 12, empty."));
}

TEST_F(Keyboard, AHintShowsItsCellForTheKeyboard) {
  board.showFocusCell(QPoint(3, 4));
  EXPECT_TRUE(board.focusCellShown());
  QTest::keyClick(&board, Qt::Key_Space);
  EXPECT_EQ(board.control().Cell(3, 4), 1);
}

}  // namespace
}  // namespace quintar::qt
