// The desktop game: settings and the game kept between runs, records opened
// and refused, a game in progress never discarded unasked, square cells, the
// move list, the status bar in the phrasebook's words, and the computer
// moving when the session says without presses getting in its way, the
// expert away from the window's thread.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "BoardView.h"
#include "ElidedLabel.h"
#include "GameSettings.h"
#include "GameWindow.h"
#include "Phrasebook.h"
#include "Quintar.h"
#include "QuintarWidget.h"
#include "SettingsDialog.h"

namespace quintar::desktop {
namespace {

using game::TPlayer;
using game::TPlayerKind;

constexpr TPlayer person{TPlayerKind::Person, TLevel::High};

// The window's settings before it is made, in the tests' own store, and no
// game kept from an earlier window.
void storeSettings(const GameSettings& settings) {
  QSettings store;
  store.clear();
  saveGameSettings(settings, store);
  QFile::remove(GameWindow::keptGameFile());
  QFile::remove(GameWindow::keptGameFile() + QStringLiteral(".unreadable"));
}

// Answers every question box that comes up while it lives with Button,
// ticking "don't ask again" when told, and counts them.
class QuestionAnswerer {
 public:
  QuestionAnswerer(QMessageBox::StandardButton button, bool dontAskAgain) : m_button(button), m_dontAsk(dontAskAgain) {
    QObject::connect(&m_timer, &QTimer::timeout, [this] { answer(); });
    m_timer.start(5);
  }
  int asked() const { return m_asked; }

 private:
  void answer() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    ++m_asked;
    if (box->checkBox()) box->checkBox()->setChecked(m_dontAsk);
    box->button(m_button)->click();
  }

  QTimer m_timer;
  QMessageBox::StandardButton m_button;
  bool m_dontAsk;
  int m_asked = 0;
};

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
  QSettings().setValue(GameWindow::askBeforeDiscardingKey, false);
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

TEST(DesktopWindow, KeepsTheGameAndItsPlayersForTheNextStart) {
  const TPlayer noughts{TPlayerKind::Computer, TLevel::Low};
  storeSettings(withPlayers(person, noughts));
  std::vector<game::TMoveEntry> played;
  {
    GameWindow window;
    window.board()->move(3, 4);
    window.board()->move(7, 2);
    played = window.session().Moves();
    ASSERT_EQ(played.size(), 4u);
    window.close();
  }
  EXPECT_TRUE(
      QFileInfo(GameWindow::keptGameFile()).absoluteFilePath().startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
  // The settings say otherwise; the game kept says who played it.
  QSettings store;
  saveGameSettings(withPlayers(person, person), store);
  store.sync();
  GameWindow next;
  ASSERT_EQ(next.session().Moves().size(), played.size());
  for (std::size_t index = 0; index < played.size(); ++index) {
    EXPECT_EQ(next.session().Moves()[index].Cell, played[index].Cell);
    EXPECT_EQ(next.session().Moves()[index].Side, played[index].Side);
  }
  EXPECT_EQ(next.session().Player(1).Kind, TPlayerKind::Person);
  EXPECT_EQ(next.session().Player(-1), noughts);
  EXPECT_EQ(next.settings().player(-1), noughts);
  EXPECT_EQ(next.board()->control().Cell(6, 1), 1);
}

TEST(DesktopWindow, SetsAsideAKeptGameItCannotRead) {
  storeSettings(withPlayers(person, person));
  const QByteArray garbage = "not a game at all\n";
  {
    QFile kept(GameWindow::keptGameFile());
    ASSERT_TRUE(QDir().mkpath(QFileInfo(kept).absolutePath()));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.write(garbage);
  }
  GameWindow window;
  EXPECT_TRUE(window.session().Moves().empty());
  EXPECT_FALSE(QFileInfo::exists(GameWindow::keptGameFile()));
  QFile setAside(GameWindow::keptGameFile() + QStringLiteral(".unreadable"));
  ASSERT_TRUE(setAside.open(QIODevice::ReadOnly));
  EXPECT_EQ(setAside.readAll(), garbage);
  EXPECT_TRUE(window.eventStatus().contains(QStringLiteral(".unreadable"))) << window.eventStatus().toStdString();
  // Playing on and closing keeps the new game.
  window.board()->move(1, 1);
  window.close();
  GameWindow next;
  EXPECT_EQ(next.session().Moves().size(), 1u);
}

TEST(DesktopAsking, NewAsksBeforeDiscardingAndDontAskAgainIsHonoured) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  window.board()->move(3, 3);
  {
    QuestionAnswerer answerer(QMessageBox::Cancel, true);
    window.newGame();
    EXPECT_EQ(answerer.asked(), 1);
  }
  EXPECT_EQ(window.session().Moves().size(), 1u) << "a cancelled question keeps the game";
  EXPECT_TRUE(QSettings().value(GameWindow::askBeforeDiscardingKey, true).toBool());
  {
    QuestionAnswerer answerer(QMessageBox::Discard, true);
    window.newGame();
    EXPECT_EQ(answerer.asked(), 1);
  }
  EXPECT_TRUE(window.session().Moves().empty());
  window.board()->move(3, 3);
  {
    QuestionAnswerer answerer(QMessageBox::Cancel, false);
    window.newGame();
    EXPECT_EQ(answerer.asked(), 0);
  }
  EXPECT_TRUE(window.session().Moves().empty()) << "not asked again, as the player said";
}

TEST(DesktopAsking, OnlyAGameInProgressIsAskedAbout) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  QuestionAnswerer answerer(QMessageBox::Cancel, false);
  window.newGame();  // no move made
  playCrossesFive(*window.board());
  ASSERT_TRUE(window.board()->gameOver());
  window.newGame();  // over
  EXPECT_EQ(answerer.asked(), 0);
  EXPECT_TRUE(window.session().Moves().empty());
  // Open asks before it shows the files; a cancelled question shows none.
  window.board()->move(3, 3);
  window.openRecord();
  EXPECT_EQ(answerer.asked(), 1);
  EXPECT_EQ(window.session().Moves().size(), 1u);
}

// Closes the settings dialog that comes up with Columns set to Count.
class SettingsAnswerer {
 public:
  explicit SettingsAnswerer(int columns) : m_columns(columns) {
    QObject::connect(&m_timer, &QTimer::timeout, [this] { answer(); });
    m_timer.start(5);
  }

 private:
  void answer() {
    auto* dialog = qobject_cast<SettingsDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    const QList<QSpinBox*> counts = dialog->findChildren<QSpinBox*>();
    counts.front()->setValue(m_columns);
    dialog->accept();
  }

  QTimer m_timer;
  int m_columns;
};

TEST(DesktopAsking, ANewBoardSizeAsksAndACancelKeepsTheBoard) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  window.board()->move(3, 3);
  {
    SettingsAnswerer settings(12);
    QuestionAnswerer answerer(QMessageBox::Cancel, false);
    window.editSettings();
    EXPECT_EQ(answerer.asked(), 1);
  }
  EXPECT_EQ(window.board()->colCount(), 20);
  EXPECT_EQ(window.session().Moves().size(), 1u);
  {
    SettingsAnswerer settings(12);
    QuestionAnswerer answerer(QMessageBox::Discard, false);
    window.editSettings();
    EXPECT_EQ(answerer.asked(), 1);
  }
  EXPECT_EQ(window.board()->colCount(), 12);
  EXPECT_TRUE(window.session().Moves().empty());
}

// Every field says what it is for: a combo box or number has a label that
// names it, and a check box names itself.
TEST(DesktopSettingsDialog, EveryFieldIsLabelled) {
  SettingsDialog dialog(defaultGameSettings());
  const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
  const auto labelled = [&](QWidget* field) {
    return std::any_of(labels.begin(), labels.end(), [&](QLabel* label) { return label->buddy() == field; });
  };
  QList<QWidget*> fields;
  for (QComboBox* box : dialog.findChildren<QComboBox*>()) fields.push_back(box);
  for (QSpinBox* box : dialog.findChildren<QSpinBox*>()) fields.push_back(box);
  EXPECT_EQ(fields.size(), 6);
  for (QWidget* field : fields) EXPECT_TRUE(labelled(field)) << field->metaObject()->className();
}

TEST(DesktopBoard, CellsStaySquareAndCentredInAWideWindow) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  window.resize(1500, 500);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QuintarWidget& board = *window.board();
  for (const QPoint cell : {QPoint(0, 0), QPoint(7, 13), QPoint(19, 19)}) {
    const vcl::TRect bounds = board.control().CellBounds(cell.x(), cell.y());
    EXPECT_EQ(bounds.Right - bounds.Left, bounds.Bottom - bounds.Top) << cell.x() << ", " << cell.y();
  }
  // The control fills the widget; the widget is a whole number of cells.
  const int side = window.boardView()->cellSide();
  EXPECT_GE(side, BoardView::smallestCell);
  EXPECT_EQ(board.size(), QSize(20 * side, 20 * side));
  EXPECT_EQ(board.control().Width(), qRound(board.width() * board.devicePixelRatioF()));
  // Wide: room on both sides, the numbers of the rows on the left.
  const int leftRoom = board.x();
  const int rightRoom = window.boardView()->width() - board.geometry().right() - 1;
  EXPECT_GT(rightRoom, 100);
  EXPECT_GT(leftRoom, rightRoom);
  EXPECT_LT(leftRoom - rightRoom, 100);
}

// The numbers count from 1 as the game's sentences do: column N's number
// stands over the cell a press plays as column N, row N's beside it.
TEST(DesktopBoard, TheEdgesAreNumberedAsTheGameNamesCells) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  window.resize(900, 800);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QList<BoardView::EdgeLabel> labels = window.boardView()->edgeLabels();
  ASSERT_EQ(labels.size(), 40);
  QuintarWidget& board = *window.board();
  const qreal ratio = board.devicePixelRatioF();
  for (int index = 0; index < 20; ++index) {
    const BoardView::EdgeLabel& column = labels[index];
    const BoardView::EdgeLabel& row = labels[20 + index];
    EXPECT_EQ(column.text, QString::number(index + 1));
    EXPECT_EQ(row.text, QString::number(index + 1));
    const vcl::TRect cell = board.control().CellBounds(index, index);
    const QPoint cellCentre = board.mapTo(window.boardView(), QPoint(qRound((cell.Left + cell.Right) / 2.0 / ratio),
                                                                     qRound((cell.Top + cell.Bottom) / 2.0 / ratio)));
    EXPECT_LE(std::abs(column.area.center().x() - cellCentre.x()), 1) << index;
    EXPECT_LT(column.area.bottom(), board.y());
    EXPECT_LE(std::abs(row.area.center().y() - cellCentre.y()), 1) << index;
    EXPECT_LT(row.area.right(), board.x());
  }
  // Shown on a small window, the numbers thin out rather than touch.
  window.applySettings([] {
    GameSettings large = withPlayers(person, person);
    large.colCount = 50;
    large.rowCount = 50;
    return large;
  }());
  window.resize(50, 50);
  QTest::qWait(20);
  const QList<BoardView::EdgeLabel> crowded = window.boardView()->edgeLabels();
  ASSERT_GT(crowded.size(), 2);
  EXPECT_LT(crowded.size(), 100);
  for (qsizetype index = 0; index + 1 < crowded.size(); ++index) {
    const QRect& here = crowded[index].area;
    const QRect& next = crowded[index + 1].area;
    const bool bothColumns = here.y() == next.y() && here.bottom() < board.y();
    const bool bothRows = here.right() == next.right() && here.right() < board.x();
    if (bothColumns) {
      EXPECT_LT(here.right(), next.left()) << crowded[index].text.toStdString();
    }
    if (bothRows) {
      EXPECT_LT(here.bottom(), next.top()) << crowded[index].text.toStdString();
    }
  }
}

TEST(DesktopBoard, TheSmallestWindowKeepsCellsOfTwelvePixels) {
  GameSettings settings = withPlayers(person, person);
  settings.colCount = 30;
  settings.rowCount = 25;
  storeSettings(settings);
  GameWindow window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.resize(50, 50);
  QTest::qWait(20);
  EXPECT_EQ(window.boardView()->cellSide(), BoardView::smallestCell);
  EXPECT_EQ(window.board()->size(), QSize(30 * BoardView::smallestCell, 25 * BoardView::smallestCell));
}

// Choosing a move takes the game back to it, and forward again; the list
// keeps the whole line and marks where the game is.
TEST(DesktopMoveList, ChoosingAMoveGoesToIt) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  for (int col = 1; col <= 4; ++col) window.board()->move(col, 1);
  followed(window);
  QListWidget& list = *window.moveList();
  ASSERT_EQ(list.count(), 4);
  EXPECT_EQ(list.item(0)->text(), QStringLiteral("1. Cross on column 1, row 1."));
  EXPECT_EQ(list.currentRow(), 3);

  const auto choose = [&](int row) {
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
    followed(window);
  };
  choose(1);
  EXPECT_EQ(window.session().Moves().size(), 2u);
  EXPECT_EQ(window.board()->control().Cell(2, 0), 0);
  EXPECT_EQ(window.eventStatus(), QStringLiteral("Took back 2 moves."));
  ASSERT_EQ(list.count(), 4);
  EXPECT_EQ(list.currentRow(), 1);
  EXPECT_TRUE(list.item(1)->font().bold());
  EXPECT_FALSE(list.item(3)->font().bold());

  choose(3);
  EXPECT_EQ(window.session().Moves().size(), 4u);
  EXPECT_EQ(window.board()->control().Cell(3, 0), -1);
  EXPECT_EQ(window.eventStatus(), QStringLiteral("Played 2 moves again."));
}

// The status bar never reports what no longer holds: a settings change
// drops the last move's words, the cell a hint named loses them when the
// focus moves on.
TEST(DesktopStatus, ChangesReplaceWordsThatNoLongerHold) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  window.show();
  QApplication::setActiveWindow(&window);
  window.board()->move(2, 2);
  EXPECT_EQ(window.eventStatus(), QStringLiteral("Cross on column 2, row 2."));
  const TPlayer expertPerson{TPlayerKind::Person, TLevel::Expert};
  window.applySettings(withPlayers(person, expertPerson));
  followed(window);
  EXPECT_EQ(window.eventStatus(), said(game::TPhrasebook().Players(person, expertPerson)));
  EXPECT_EQ(window.turnStatus(), QStringLiteral("Noughts to move."));

  window.board()->showFocusCell(QPoint(5, 5));
  window.hint();
  ASSERT_TRUE(eventually([&] { return window.eventStatus().startsWith(QStringLiteral("Hint:")); }));
  QTest::keyClick(window.board(), Qt::Key_Right);
  EXPECT_EQ(window.eventStatus(), QString());
}

TEST(DesktopStatus, SavingNamesTheFile) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  const QTemporaryDir folder;
  ASSERT_TRUE(window.saveRecordFile(folder.filePath(QStringLiteral("evening game.psq"))));
  EXPECT_EQ(window.eventStatus(), QStringLiteral("Saved to evening game.psq"));
}

TEST(DesktopStatus, ALongEventEndsInAnEllipsisWithTheWholeTextAsTooltip) {
  ElidedLabel label;
  label.show();
  const QString text = QStringLiteral("Crosses: the computer (expert); noughts: the computer (expert).");
  label.setFullText(text);
  label.resize(80, 20);
  EXPECT_TRUE(label.text().endsWith(QChar(0x2026))) << label.text().toStdString();
  EXPECT_EQ(label.toolTip(), text);
  EXPECT_EQ(label.fullText(), text);
  label.resize(label.sizeHint().width() + 10, 20);
  EXPECT_EQ(label.text(), text);
  EXPECT_EQ(label.toolTip(), QString());
}

// At the narrowest usual window whose turn it is shows in full, and what
// happened last shows in the rest of the bar, whole or with its whole text
// as a tooltip.
TEST(DesktopStatus, BothTextsAreReadableInANarrowWindow) {
  const TPlayer expert{TPlayerKind::Computer, TLevel::Expert};
  storeSettings(withPlayers(person, expert));
  GameWindow window;
  window.resize(560, 640);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.applySettings(withPlayers({TPlayerKind::Person, TLevel::Low}, expert));
  followed(window);
  QTest::qWait(20);
  const QList<QLabel*> labels = window.statusBar()->findChildren<QLabel*>();
  const auto turn =
      std::find_if(labels.begin(), labels.end(), [&](QLabel* label) { return label->text() == window.turnStatus(); });
  ASSERT_NE(turn, labels.end());
  EXPECT_GE((*turn)->width(), (*turn)->sizeHint().width());
  ElidedLabel* event = window.statusBar()->findChild<ElidedLabel*>();
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(event->fullText(), window.eventStatus());
  EXPECT_LE(event->geometry().right(), window.statusBar()->width());
  EXPECT_GE(event->geometry().left(), (*turn)->geometry().right());
  EXPECT_TRUE(event->text() == event->fullText() || event->toolTip() == event->fullText());
}

}  // namespace
}  // namespace quintar::desktop
