// The desktop game: settings kept between runs, records opened and refused,
// the status bar in the phrasebook's words, and the computer moving when the
// session says without presses getting in its way, the expert away from the
// window's thread.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTest>
#include <cstdlib>

#include "GameSettings.h"
#include "GameWindow.h"
#include "Phrasebook.h"
#include "QuintarWidget.h"

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

// Runs the window's own queued work: it follows the last change of the game.
void followed(GameWindow& window) { QCoreApplication::sendPostedEvents(&window, QEvent::MetaCall); }

QString said(const std::string& sentence) { return QString::fromStdString(sentence); }

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

// Crosses make five down the first column; noughts answer in the second.
void playCrossesFive(QuintarWidget& board) {
  for (int row = 1; row <= 4; ++row) {
    board.move(1, row);
    board.move(2, row);
  }
  board.move(1, 5);
}

TEST(DesktopWords, AFinishedGameIsToldInThePhrasebooksWords) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  playCrossesFive(*window.board());
  followed(window);
  const game::TPhrasebook words;
  const std::optional<game::TGameResult> result = window.session().Result();
  ASSERT_TRUE(result);
  EXPECT_EQ(window.turnStatus(), said(words.Turn(window.session())));
  EXPECT_EQ(window.eventStatus(), said(words.Result(*result)));
  EXPECT_EQ(window.turnStatus(), QStringLiteral("Crosses won."));

  window.computerMovesNow();
  EXPECT_EQ(window.eventStatus(), said(words.Refusal(game::TRefusal::GameOver)));
  EXPECT_EQ(window.session().Moves().size(), 9u);
}

// Against the computer one step back or forward is the person's move and
// the answer: the status bar counts both.
TEST(DesktopWords, TakingBackAndPlayingAgainCountTheMoves) {
  storeSettings(withPlayers(person, {TPlayerKind::Computer, TLevel::Medium}));
  GameWindow window;
  window.board()->move(5, 5);
  ASSERT_EQ(window.session().Moves().size(), 2u);
  window.undo();
  EXPECT_EQ(window.eventStatus(), QStringLiteral("Took back 2 moves."));
  window.redo();
  EXPECT_EQ(window.eventStatus(), QStringLiteral("Played 2 moves again."));
  window.redo();
  EXPECT_EQ(window.eventStatus(), QStringLiteral("Nothing to play again."));
  EXPECT_EQ(window.session().Moves().size(), 2u);
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
  EXPECT_TRUE(eventually([&] { return window.turnStatus() == QStringLiteral("Crosses to move: you."); }));
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
  followed(window);
  EXPECT_EQ(window.turnStatus(), said(game::TPhrasebook().Thinking(TLevel::Expert)));
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

// The window plays the moves a demonstration paces out here without the
// wait; how the game ended must not change with the players chosen after it.
TEST(DesktopComputer, AFinishedDemonstrationKeepsWhoWonWhenTheWinnerBecomesAPerson) {
  GameSettings settings = withPlayers({TPlayerKind::Computer, TLevel::Low}, {TPlayerKind::Computer, TLevel::Medium});
  settings.colCount = 10;
  settings.rowCount = 10;
  storeSettings(settings);
  GameWindow window;
  std::srand(7);
  while (window.session().PlayComputerMove()) {
  }
  const int winner = window.board()->control().Winner();
  ASSERT_NE(winner, 0) << "this draw of moves should end with five";
  followed(window);
  const QString wonBy = winner == 1 ? QStringLiteral("Crosses won: the computer (low).")
                                    : QStringLiteral("Noughts won: the computer (medium).");
  EXPECT_EQ(window.turnStatus(), wonBy);

  GameSettings winnerAPerson = settings;
  winnerAPerson.player(winner) = person;
  window.applySettings(winnerAPerson);
  followed(window);
  EXPECT_EQ(window.turnStatus(), wonBy);
  EXPECT_TRUE(window.board()->gameOver());
}

// The expert makes the person's move, thinking elsewhere, and then the
// noughts' computer answers as usual; the person keeps crosses throughout.
TEST(DesktopComputer, MovesNowForAPersonWithoutChangingWhoPlays) {
  const TPlayer crosses{TPlayerKind::Person, TLevel::Expert};
  const TPlayer noughts{TPlayerKind::Computer, TLevel::Expert};
  storeSettings(withPlayers(crosses, noughts));
  GameWindow window;
  window.computerMovesNow();
  EXPECT_FALSE(window.board()->clickResponse());
  followed(window);
  EXPECT_EQ(window.session().Player(1), crosses);
  ASSERT_TRUE(eventually([&] { return window.session().Moves().size() == 2; }));
  EXPECT_EQ(window.session().Moves()[0].By, TPlayerKind::Computer);
  EXPECT_EQ(window.session().Moves()[1].By, TPlayerKind::Computer);
  EXPECT_EQ(window.session().Player(1), crosses);
  EXPECT_EQ(window.session().Player(-1), noughts);
  EXPECT_TRUE(eventually([&] { return window.board()->clickResponse(); }));
  EXPECT_EQ(window.turnStatus(), QStringLiteral("Crosses to move: you."));
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
  EXPECT_EQ(window.eventStatus(), QStringLiteral("Hint: column 11, row 11. Space plays it."));
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
