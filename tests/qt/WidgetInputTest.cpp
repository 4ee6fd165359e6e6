// Presses, releases, clicks and double clicks on the widget reach the
// control as the framework delivers them, and the control's events come
// back as signals, in order.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>
#include <cstdlib>

#include "Quintar.h"
#include "SignalLog.h"

namespace quintar::qt {
namespace {

using testing::SignalLog;
using testing::TNames;

// Two people on a 20 x 20 board of 200 x 200 pixels: ten pixels a cell.
struct TwoPeople {
  TwoPeople() {
    board.resize(200, 200);
    board.setAutoResponse(false);
    board.show();
  }
  QuintarWidget board;
};

TEST(WidgetInput, AClickPlaysTheCellUnderItAndSignalsInOrder) {
  TwoPeople game;
  SignalLog log(game.board);
  QSignalSpy pressed(&game.board, &QuintarWidget::mousePressed);
  QTest::mouseClick(&game.board, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 9));
  EXPECT_EQ(game.board.control().Cell(1, 0), 1);
  EXPECT_EQ(game.board.control().Turn(), -1);
  EXPECT_EQ(log.take(), (TNames{"legalMove", "mousePressed", "clicked", "mouseReleased"}));
  ASSERT_EQ(pressed.size(), 1);
  EXPECT_EQ(pressed[0][0].value<Qt::MouseButton>(), Qt::LeftButton);
  EXPECT_EQ(pressed[0][1].value<Qt::KeyboardModifiers>(), Qt::ShiftModifier);
  EXPECT_EQ(pressed[0][2].toPoint(), QPoint(10, 9));

  // Every button plays; only the left one clicks.
  QTest::mouseClick(&game.board, Qt::RightButton, {}, QPoint(199, 199));
  EXPECT_EQ(game.board.control().Cell(19, 19), -1);
  EXPECT_EQ(log.take(), (TNames{"legalMove", "mousePressed", "mouseReleased"}));
}

TEST(WidgetInput, TheComputersAnswerComesWithinTheSamePress) {
  QuintarWidget board;
  board.resize(200, 200);
  board.show();
  std::srand(3);
  SignalLog log(board);
  QTest::mouseClick(&board, Qt::LeftButton, {}, QPoint(105, 105));
  EXPECT_EQ(board.control().Cell(10, 10), 1);
  EXPECT_EQ(board.control().Turn(), 1);
  EXPECT_EQ(log.take(), (TNames{"legalMove", "legalMove", "mousePressed", "clicked", "mouseReleased"}));
}

TEST(WidgetInput, TheFifthCrossWinsWithItsSignals) {
  TwoPeople game;
  for (int col = 1; col <= 4; ++col) {
    game.board.move(col, 1);
    game.board.move(col, 3);
  }
  SignalLog log(game.board);
  QTest::mouseClick(&game.board, Qt::LeftButton, {}, QPoint(45, 5));
  EXPECT_TRUE(game.board.gameOver());
  EXPECT_EQ(log.take(), (TNames{"legalMove", "crossWon", "userWon", "mousePressed", "clicked", "mouseReleased"}));
  EXPECT_EQ(game.board.announcement(), QStringLiteral("Crosses won."));
  // Over: presses play nothing and say nothing of moves.
  QTest::mouseClick(&game.board, Qt::LeftButton, {}, QPoint(105, 105));
  EXPECT_EQ(game.board.control().Cell(10, 10), 0);
  EXPECT_EQ(log.take(), (TNames{"mousePressed", "clicked", "mouseReleased"}));
}

TEST(WidgetInput, WithoutClickResponseAPressNeitherPlaysNorIsTold) {
  TwoPeople game;
  game.board.setClickResponse(false);
  SignalLog log(game.board);
  QTest::mouseClick(&game.board, Qt::LeftButton, {}, QPoint(50, 50));
  EXPECT_EQ(game.board.control().Cell(5, 5), 0);
  // The release and the click come from other messages and still arrive.
  EXPECT_EQ(log.take(), (TNames{"clicked", "mouseReleased"}));
}

TEST(WidgetInput, AReleaseAwayFromTheWidgetIsNoClick) {
  TwoPeople game;
  SignalLog log(game.board);
  QTest::mousePress(&game.board, Qt::LeftButton, {}, QPoint(50, 50));
  QTest::mouseRelease(&game.board, Qt::LeftButton, {}, QPoint(250, 50));
  EXPECT_EQ(log.take(), (TNames{"legalMove", "mousePressed", "mouseReleased"}));
}

// As Qt delivers a double click: press, release, press, double click,
// release. The second press plays the cell again, which is taken.
TEST(WidgetInput, ADoubleClickIsTwoPressesAndADoubleClick) {
  TwoPeople game;
  SignalLog log(game.board);
  QTest::mouseClick(&game.board, Qt::LeftButton, {}, QPoint(50, 50));
  QTest::mousePress(&game.board, Qt::LeftButton, {}, QPoint(50, 50));
  QTest::mouseDClick(&game.board, Qt::LeftButton, {}, QPoint(50, 50));
  QTest::mouseRelease(&game.board, Qt::LeftButton, {}, QPoint(50, 50));
  EXPECT_EQ(game.board.control().Cell(5, 5), 1);
  EXPECT_EQ(game.board.control().Turn(), -1);
  EXPECT_EQ(log.take(), (TNames{"legalMove", "mousePressed", "clicked", "mouseReleased", "illegalMove", "mousePressed",
                                "doubleClicked", "mouseReleased"}));
}

// Qt hands accessibility events to a platform's bridge only while assistive
// technology listens, which no headless platform does; what they carry is
// what the board's accessible interface reports. Words said in one go reach
// it as one text, told once control returns to the event loop.
TEST(WidgetInput, TheBoardTellsAssistiveTechnologyEveryMoveAndResult) {
  TwoPeople game;
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&game.board);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::Canvas);
  EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Five-in-a-row board"));
  EXPECT_TRUE(accessible->text(QAccessible::Description).contains(QStringLiteral("arrow keys")));
  EXPECT_EQ(accessible->text(QAccessible::Value), QString());

  game.board.move(3, 4);
  EXPECT_EQ(accessible->text(QAccessible::Value), QStringLiteral("Cross on column 3, row 4."));
  // The name is what the desktop bridge carries to a screen reader.
  EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Cross on column 3, row 4."));
  QCoreApplication::processEvents();
  game.board.move(3, 5);
  EXPECT_EQ(game.board.announcement(), QStringLiteral("Nought on column 3, row 5."));
  EXPECT_EQ(accessible->text(QAccessible::Value), QStringLiteral("Nought on column 3, row 5."));
  game.board.move(3, 5);  // taken: nothing to announce
  EXPECT_EQ(game.board.announcement(), QStringLiteral("Nought on column 3, row 5."));

  game.board.setColCount(5);
  game.board.setRowCount(5);
  // Crosses and noughts in turn fill the board without five: rows read
  // XXOOX, OOXXO, XXOOX, OOXXO, XXOXO.
  for (const auto& [col, row] :
       {std::pair{1, 1}, {3, 1}, {2, 1}, {4, 1}, {5, 1}, {1, 2}, {3, 2}, {2, 2}, {4, 2}, {5, 2}, {1, 3}, {3, 3}, {2, 3},
        {4, 3},          {5, 3}, {1, 4}, {3, 4}, {2, 4}, {4, 4}, {5, 4}, {1, 5}, {3, 5}, {2, 5}, {5, 5}, {4, 5}}) {
    QCoreApplication::processEvents();
    game.board.move(col, row);
  }
  EXPECT_TRUE(game.board.gameOver());
  EXPECT_FALSE(game.board.control().WinFound());
  EXPECT_EQ(game.board.announcement(), QStringLiteral("Draw: the board is full."));
  EXPECT_EQ(accessible->text(QAccessible::Value), QStringLiteral("Cross on column 4, row 5. Draw: the board is full."));
}

}  // namespace
}  // namespace quintar::qt
