// The desktop game: settings kept between runs, records opened and refused,
// the status bar's words, and the computer moving without presses getting
// in its way, the expert away from the window's thread.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTest>

#include "GameSettings.h"
#include "GameWindow.h"
#include "QuintarWidget.h"
#include "StatusText.h"

namespace quintar::desktop {
namespace {

using game::TPlayer;
using game::TPlayerKind;

constexpr TPlayer person{TPlayerKind::Person, TLevel::High};

// The window's settings before it is made, in the tests' own store.
void storeSettings(const GameSettings& settings) {
  QSettings store;
  store.clear();
  saveGameSettings(settings, store);
}

GameSettings withPlayers(TPlayer crosses, TPlayer noughts) {
  GameSettings settings = defaultGameSettings();
  settings.players = {crosses, noughts};
  return settings;
}

// Lets the window's queued work and the worker's answer arrive; gives up
// after a minute so that a fault cannot hang the suite.
template <typename Condition>
bool eventually(Condition condition) {
  for (int round = 0; round < 6000 && !condition(); ++round) QTest::qWait(10);
  return condition();
}

TEST(DesktopSettings, AreKeptAndReadBack) {
  GameSettings settings = withPlayers({TPlayerKind::Computer, TLevel::Expert}, {TPlayerKind::Person, TLevel::Low});
  settings.colCount = 15;
  settings.rowCount = 7;
  settings.showQuintar = false;
  settings.lock = true;
  settings.colors[2] = QColor(10, 20, 30);
  storeSettings(settings);
  QSettings store;
  EXPECT_EQ(loadGameSettings(store), settings);
}

TEST(DesktopSettings, ValuesThatCannotBeReadFallBackOneByOne) {
  QSettings store;
  store.clear();
  store.setValue(QStringLiteral("players/noughts/level"), QStringLiteral("grandmaster"));
  store.setValue(QStringLiteral("players/crosses/player"), QStringLiteral("computer"));
  store.setValue(QStringLiteral("board/columns"), QStringLiteral("many"));
  store.setValue(QStringLiteral("board/rows"), 99);
  store.setValue(QStringLiteral("colors/noughts"), QStringLiteral("not a colour"));
  const GameSettings read = loadGameSettings(store);
  const GameSettings defaults = defaultGameSettings();
  EXPECT_EQ(read.players[0].Kind, TPlayerKind::Computer);
  EXPECT_EQ(read.players[1], defaults.players[1]);
  EXPECT_EQ(read.colCount, 20);
  EXPECT_EQ(read.rowCount, 50);
  EXPECT_EQ(read.colors, defaults.colors);
  EXPECT_EQ(defaults.colors[3], QColor(0, 0, 255));
}

TEST(DesktopStatus, SaysWhoIsToMoveAndHowItEnded) {
  TQuintar board(nullptr);
  board.SetAutoResponse(false);
  const TPlayer computer{TPlayerKind::Computer, TLevel::Expert};
  EXPECT_EQ(turnText(board, person, computer), QStringLiteral("Crosses to move: you"));
  board.Move(1, 1);
  EXPECT_EQ(turnText(board, person, computer), QStringLiteral("Noughts to move: computer, expert"));
  EXPECT_EQ(turnText(board, person, person), QStringLiteral("Noughts to move: person"));
  EXPECT_EQ(moveText(board, {0, 0}, TPlayerKind::Person), QStringLiteral("A cross on column 1, row 1"));
  for (int row = 2; row <= 5; ++row) {
    board.Move(2, row);
    board.Move(1, row);
  }
  EXPECT_EQ(turnText(board, person, computer), QStringLiteral("Crosses won: you"));
  EXPECT_EQ(turnText(board, computer, person), QStringLiteral("Crosses won: computer, expert"));
}

TEST(DesktopRecords, ABadRecordNamesItsLineAndLeavesTheGame) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  window.board()->move(4, 4);
  const QString fault = window.openRecordText("Piskvorky 20x20, 11:11, 0\n5,5,0\n5,5,0\n-1\n");
  EXPECT_TRUE(fault.startsWith(QStringLiteral("line 3: "))) << fault.toStdString();
  EXPECT_EQ(window.session().Moves().size(), 1u);
  EXPECT_EQ(window.board()->control().Cell(3, 3), 1);

  EXPECT_EQ(window.openRecordText("Piskvorky 15x15, 11:11, 0\n5,5,0\n6,5,0\n-1\n"), QString());
  EXPECT_EQ(window.board()->colCount(), 15);
  EXPECT_EQ(window.board()->control().Cell(5, 4), -1);
  EXPECT_EQ(window.eventStatus(), QStringLiteral("Game opened"));
}

TEST(DesktopComputer, AnswersAPersonsPressAtOnce) {
  storeSettings(withPlayers(person, {TPlayerKind::Computer, TLevel::Medium}));
  GameWindow window;
  window.board()->resize(200, 200);
  QTest::mouseClick(window.board(), Qt::LeftButton, {}, QPoint(105, 105));
  EXPECT_EQ(window.session().Moves().size(), 2u);
  EXPECT_TRUE(eventually([&] { return window.turnStatus() == QStringLiteral("Crosses to move: you"); }));
  EXPECT_TRUE(window.board()->clickResponse());
}

TEST(DesktopComputer, TheExpertThinksAwayFromTheWindowAndPressesWaitForIt) {
  storeSettings(withPlayers({TPlayerKind::Computer, TLevel::Expert}, person));
  GameWindow window;
  window.board()->resize(200, 200);
  // The computer opens; until its cross is on the board, presses play nothing.
  EXPECT_FALSE(window.board()->clickResponse());
  QTest::mouseClick(window.board(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(window.board()->control().Cell(0, 0), 0);
  ASSERT_TRUE(eventually([&] { return window.session().Moves().size() == 1; }));
  EXPECT_EQ(window.session().Moves()[0].By, TPlayerKind::Computer);
  EXPECT_TRUE(eventually([&] { return window.board()->clickResponse(); }));
}

TEST(DesktopComputer, ANewGameDropsTheThinkingInProgress) {
  storeSettings(withPlayers(person, {TPlayerKind::Computer, TLevel::Expert}));
  GameWindow window;
  window.board()->move(10, 10);
  // The window's own queued work only: the thinking starts, and its answer,
  // however soon it comes, waits in the queue.
  QCoreApplication::sendPostedEvents(&window, QEvent::MetaCall);
  EXPECT_EQ(window.eventStatus(), QStringLiteral("The computer is thinking..."));
  window.newGame();  // the worker has stopped when this returns
  QCoreApplication::processEvents();
  EXPECT_TRUE(window.session().Moves().empty());
  EXPECT_TRUE(window.board()->clickResponse());
}

TEST(DesktopComputer, TwoComputersPlayADemonstrationByThemselves) {
  storeSettings(withPlayers({TPlayerKind::Computer, TLevel::Low}, {TPlayerKind::Computer, TLevel::Expert}));
  GameWindow window;
  ASSERT_TRUE(eventually([&] { return window.session().Moves().size() >= 3; }));
  EXPECT_FALSE(window.board()->clickResponse());
  const std::vector<game::TMoveEntry>& moves = window.session().Moves();
  EXPECT_TRUE(std::all_of(moves.begin(), moves.end(),
                          [](const game::TMoveEntry& move) { return move.By == TPlayerKind::Computer; }));
}

TEST(DesktopComputer, MovesNowAtTheExpertForAPersonAndHandsTheSideBack) {
  storeSettings(withPlayers({TPlayerKind::Person, TLevel::Expert}, {TPlayerKind::Computer, TLevel::Expert}));
  GameWindow window;
  window.computerMovesNow();
  EXPECT_FALSE(window.board()->clickResponse());
  // The computer's cross, then its nought as the noughts' own player.
  ASSERT_TRUE(eventually([&] { return window.session().Moves().size() == 2; }));
  EXPECT_EQ(window.session().Moves()[0].By, TPlayerKind::Computer);
  EXPECT_EQ(window.session().Player(1).Kind, TPlayerKind::Person);
  EXPECT_TRUE(eventually([&] { return window.board()->clickResponse(); }));
}

TEST(DesktopComputer, AHintIsThoughtOutElsewhereAndSpacePlaysIt) {
  storeSettings(withPlayers({TPlayerKind::Person, TLevel::Medium}, person));
  GameWindow window;
  window.show();
  QApplication::setActiveWindow(&window);
  window.hint();
  // At medium the opening choice is the centre, whatever the draws.
  ASSERT_TRUE(eventually([&] { return window.board()->focusCellShown(); }));
  EXPECT_EQ(window.board()->focusCell(), QPoint(10, 10));
  EXPECT_EQ(window.eventStatus(), QStringLiteral("Hint: column 11, row 11 (Space plays it)"));
  QTest::keyClick(window.board(), Qt::Key_Space);
  EXPECT_EQ(window.board()->control().Cell(10, 10), 1);
}

TEST(DesktopWindow, KeepsItsSettingsForTheNextRun) {
  storeSettings(defaultGameSettings());
  GameSettings changed = withPlayers(person, person);
  changed.colCount = 9;
  {
    GameWindow window;
    window.applySettings(changed);
    window.close();
  }
  GameWindow next;
  EXPECT_EQ(next.settings(), changed);
  EXPECT_EQ(next.board()->colCount(), 9);
}

}  // namespace
}  // namespace quintar::desktop
