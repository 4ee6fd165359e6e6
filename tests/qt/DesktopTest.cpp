// The desktop game: a short game through the real window, the shared
// scripted game worded as every face words it, settings and the game kept
// between runs, records refused in words, asking only when a game would be
// lost, square cells, the move list, the status bar, the expert thinking
// away from the window's thread, and its analysis and review of the game.
// How the game is played is the table's, and tested there.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <map>
#include <utility>

#include "AnalysisPanel.h"
#include "BoardView.h"
#include "ColorConversion.h"
#include "ElidedLabel.h"
#include "GameSettings.h"
#include "GameWindow.h"
#include "Phrasebook.h"
#include "Quintar.h"
#include "QuintarWidget.h"
#include "SettingsDialog.h"
#include "TranslatedPhrasebook.h"

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
  QFile::remove(GameWindow::keptGameFile() + QStringLiteral(".unreadable-2"));
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
  QString lastText() const { return m_lastText; }

 private:
  void answer() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    ++m_asked;
    m_lastText = box->text();
    if (box->checkBox()) box->checkBox()->setChecked(m_dontAsk);
    box->button(m_button)->click();
  }

  QTimer m_timer;
  QMessageBox::StandardButton m_button;
  bool m_dontAsk;
  int m_asked = 0;
  QString m_lastText;
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
  store.setValue(QStringLiteral("players/crosses/player"), QStringLiteral("Computer"));
  store.setValue(QStringLiteral("board/columns"), QStringLiteral("many"));
  store.setValue(QStringLiteral("board/rows"), 99);
  store.setValue(QStringLiteral("board/locked"), QStringLiteral("maybe"));
  store.setValue(QStringLiteral("board/showWinningFive"), QString());
  store.setValue(QStringLiteral("colors/noughts"), QStringLiteral("not a colour"));
  store.setValue(QStringLiteral("colors/board"), QStringLiteral("transparent"));
  const GameSettings read = loadGameSettings(store);
  const GameSettings defaults = defaultGameSettings();
  EXPECT_EQ(read.players[0].Kind, TPlayerKind::Computer);
  EXPECT_EQ(read.lock, defaults.lock);
  EXPECT_EQ(read.showQuintar, defaults.showQuintar);
  EXPECT_EQ(read.players[1], defaults.players[1]);
  EXPECT_EQ(read.colCount, 20);
  EXPECT_EQ(read.rowCount, 50);
  EXPECT_EQ(read.colors, defaults.colors);
  EXPECT_EQ(defaults.colors[3], QColor(0, 0, 255));
}

// The centre of a cell (0-based) in the board widget's coordinates.
QPoint cellCentre(const QuintarWidget& board, int col, int row) {
  const vcl::TRect cell = board.control().CellBounds(col, row);
  const qreal ratio = board.devicePixelRatioF();
  return {qRound((cell.Left + cell.Right) / 2.0 / ratio), qRound((cell.Top + cell.Bottom) / 2.0 / ratio)};
}

void press(QuintarWidget& board, int col, int row) {
  QTest::mouseClick(&board, Qt::LeftButton, {}, cellCentre(board, col, row));
}

// A window shown (on the offscreen platform), so that its board has its
// size and takes keys.
void showWindow(GameWindow& window) {
  window.resize(900, 800);
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
}

// The row chosen in a list, or -1.
int chosenRow(const QListWidget& list) {
  const QList<QListWidgetItem*> chosen = list.selectedItems();
  return chosen.isEmpty() ? -1 : list.row(chosen.front());
}

// Everything the window's table says, in order.
class Announcements {
 public:
  explicit Announcements(GameWindow& window) {
    QObject::connect(&window, &GameWindow::announced, &m_context, [this](const QString& words) { m_said << words; });
  }
  QStringList take() { return std::exchange(m_said, {}); }

 private:
  QObject m_context;
  QStringList m_said;
};

// The window's status bar, both texts, as a person reads them.
QString statusBarText(const GameWindow& window) {
  return window.turnStatus() + QLatin1Char(' ') + window.eventStatus();
}

// Crosses make five down the first column; noughts answer in the second.
void pressCrossesFive(QuintarWidget& board) {
  for (int row = 0; row < 4; ++row) {
    press(board, 0, row);
    press(board, 1, row);
  }
  press(board, 0, 4);
}

// A short game in the real window: a press, the computer's answer, a cell
// played from the keyboard, and both taken back from the menu.
TEST(DesktopGame, APersonPlaysTheComputerWithPressesKeysAndUndo) {
  storeSettings(withPlayers(person, {TPlayerKind::Computer, TLevel::Medium}));
  GameWindow window;
  showWindow(window);
  std::srand(11);
  Announcements said(window);
  press(*window.board(), 9, 9);
  const QStringList first = said.take();
  ASSERT_EQ(first.size(), 2) << first.join(QStringLiteral(" | ")).toStdString();
  EXPECT_EQ(first[0], QStringLiteral("Cross on column 10, row 10."));
  EXPECT_TRUE(first[1].startsWith(QStringLiteral("Nought by the computer (medium) on column ")))
      << first[1].toStdString();
  EXPECT_EQ(window.turnStatus(), QStringLiteral("Crosses to move: you."));
  EXPECT_EQ(window.moveList()->count(), 2);

  // The keyboard goes on from the cell pressed; the computer answers near
  // the only cross, never five cells from it.
  for (int step = 0; step < 5; ++step) QTest::keyClick(window.board(), Qt::Key_Up);
  EXPECT_EQ(window.board()->focusCell(), QPoint(9, 4));
  ASSERT_EQ(window.board()->control().Cell(9, 4), 0);
  QTest::keyClick(window.board(), Qt::Key_Space);
  EXPECT_EQ(window.board()->control().Cell(9, 4), 1);
  EXPECT_EQ(said.take().value(0), QStringLiteral("Cross on column 10, row 5."));
  EXPECT_EQ(window.moveList()->count(), 4);

  window.undo();
  EXPECT_EQ(said.take(), QStringList{QStringLiteral("Took back 2 moves.")});
  EXPECT_EQ(window.board()->control().Cell(9, 4), 0);
  EXPECT_EQ(chosenRow(*window.moveList()), 1);
}

// The scripted game every face words alike, read from its shared file:
// presses for the cells on the board, the table's Move for the one off it
// (no press reaches there), the menu's Undo.
TEST(DesktopGame, TheScriptedGameIsWordedAsEveryFaceWordsIt) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  showWindow(window);
  QFile script(QStringLiteral(QUINTAR_SCRIPTED_GAME));
  ASSERT_TRUE(script.open(QIODevice::ReadOnly | QIODevice::Text));
  Announcements said(window);
  int steps = 0;
  while (!script.atEnd()) {
    const QString line = QString::fromUtf8(script.readLine()).trimmed();
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    const QStringList parts = line.split(QStringLiteral(" => "));
    ASSERT_EQ(parts.size(), 2) << line.toStdString();
    const QStringList step = parts[0].split(QLatin1Char(' '));
    if (step == QStringList{QStringLiteral("undo")}) {
      window.undo();
    } else {
      ASSERT_EQ(step.size(), 2) << line.toStdString();
      const int col = step[0].toInt();
      const int row = step[1].toInt();
      if (col <= window.board()->colCount() && row <= window.board()->rowCount())
        press(*window.board(), col - 1, row - 1);
      else
        window.table().Move(col, row);
    }
    EXPECT_EQ(said.take(), parts[1].split(QStringLiteral(" | "))) << line.toStdString();
    ++steps;
  }
  EXPECT_GT(steps, 10);
}

// The result is whose-turn text once the game is over: the status bar says
// it once, and the event beside it is the move that ended the game.
TEST(DesktopStatus, TheResultIsSaidOnce) {
  storeSettings(withPlayers(person, {TPlayerKind::Person, TLevel::Low}));
  GameWindow window;
  showWindow(window);
  Announcements said(window);
  pressCrossesFive(*window.board());
  EXPECT_EQ(window.turnStatus(), QStringLiteral("Crosses won."));
  EXPECT_EQ(window.eventStatus(), QStringLiteral("Cross on column 1, row 5."));
  EXPECT_EQ(statusBarText(window).count(QStringLiteral("won")), 1) << statusBarText(window).toStdString();
  EXPECT_EQ(said.take().filter(QStringLiteral("won")), QStringList{QStringLiteral("Crosses won.")});
  // Played again to its end, likewise.
  window.table().Undo();
  window.table().Redo();
  EXPECT_EQ(window.eventStatus(), QStringLiteral("Played 1 move again."));
  EXPECT_EQ(statusBarText(window).count(QStringLiteral("won")), 1) << statusBarText(window).toStdString();
}

// A locked board says so instead of whose move it is, invites no move from
// a hint, and says why a press or Space played nothing.
TEST(DesktopStatus, ALockedBoardSaysSoAndInvitesNoMove) {
  GameSettings locked = withPlayers({TPlayerKind::Person, TLevel::Medium}, person);
  locked.lock = true;
  storeSettings(locked);
  GameWindow window;
  showWindow(window);
  EXPECT_EQ(window.turnStatus(), QStringLiteral("The board is locked."));
  Announcements said(window);
  press(*window.board(), 3, 3);
  QTest::keyClick(window.board(), Qt::Key_Space);
  EXPECT_EQ(said.take(), (QStringList{QStringLiteral("The board is locked."), QStringLiteral("The board is locked.")}));
  EXPECT_EQ(window.table().MovesMade(), 0u);
  // At medium the opening hint is the centre, whatever the draws.
  window.hint();
  EXPECT_EQ(window.eventStatus(), QStringLiteral("Hint: column 11, row 11."));

  GameSettings unlocked = locked;
  unlocked.lock = false;
  window.applySettings(unlocked);
  EXPECT_EQ(window.turnStatus(), QStringLiteral("Crosses to move."));
  window.hint();
  EXPECT_EQ(window.eventStatus(), QStringLiteral("Hint: column 11, row 11. Space plays it."));
  EXPECT_TRUE(window.board()->focusCellShown());
  QTest::keyClick(window.board(), Qt::Key_Space);
  EXPECT_EQ(window.board()->control().Cell(10, 10), 1);

  // A hint with its reason is shown and played the same way.
  for (const int col : {2, 3, 4}) {
    window.table().Move(col, 20);  // noughts
    window.table().Move(col, 1);   // crosses
  }
  window.hint();
  EXPECT_EQ(window.eventStatus(), QStringLiteral("Hint: column 5, row 20 makes an open four. Space plays it."));
  EXPECT_TRUE(window.board()->focusCellShown());
}

// Asked only when a game in progress would be lost: not before any move,
// not after the game ended, not right after it was saved; and not again
// once the player said so, until the settings ask for it again.
TEST(DesktopAsking, OnlyWhenAGameWouldBeLost) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  showWindow(window);
  const QTemporaryDir folder;
  {
    QuestionAnswerer answerer(QMessageBox::Cancel, false);
    window.newGame();
    pressCrossesFive(*window.board());
    window.newGame();
    EXPECT_EQ(window.table().MovesMade(), 0u);
    press(*window.board(), 2, 2);
    ASSERT_TRUE(window.saveRecordFile(folder.filePath(QStringLiteral("saved.psq"))));
    window.newGame();
    EXPECT_EQ(answerer.asked(), 0);
    EXPECT_EQ(window.table().MovesMade(), 0u);
    press(*window.board(), 4, 4);
    window.newGame();
    EXPECT_EQ(answerer.asked(), 1);
    EXPECT_EQ(window.table().MovesMade(), 1u) << "a cancelled question keeps the game";
  }
  {
    QuestionAnswerer answerer(QMessageBox::Discard, true);
    window.newGame();
    EXPECT_EQ(answerer.asked(), 1);
  }
  EXPECT_EQ(window.table().MovesMade(), 0u);
  press(*window.board(), 2, 2);
  QuestionAnswerer answerer(QMessageBox::Cancel, false);
  window.newGame();
  EXPECT_EQ(answerer.asked(), 0);
  EXPECT_EQ(window.table().MovesMade(), 0u) << "not asked again, as the player said";
  // Until the settings say to ask again.
  GameSettings asking = window.settings();
  ASSERT_FALSE(asking.askBeforeDiscarding);
  asking.askBeforeDiscarding = true;
  window.applySettings(asking);
  press(*window.board(), 5, 5);
  window.newGame();
  EXPECT_EQ(answerer.asked(), 1);
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

// A size kept from a larger screen is brought within this one.
TEST(DesktopWindow, OpensNoLargerThanTheScreen) {
  storeSettings(withPlayers(person, person));
  {
    GameWindow window;
    window.resize(20000, 20000);
    window.close();
  }
  GameWindow next;
  const QSize screen = next.screen()->availableGeometry().size();
  EXPECT_LE(next.width(), screen.width());
  EXPECT_LE(next.height(), screen.height());
}

// A run ended in a narrow window still owes the Moves panel its width: the
// next run gives it back once the window is wide again.
TEST(DesktopWindow, ANarrowEndStillGivesThePanelItsWidthBack) {
  storeSettings(withPlayers(person, person));
  int wideWidth = 0;
  {
    GameWindow window;
    showWindow(window);
    wideWidth = window.findChild<QDockWidget*>(QStringLiteral("moves"))->width();
    window.resize(520, 560);
    QTest::qWait(20);
    window.close();
  }
  GameWindow next;
  showWindow(next);
  EXPECT_EQ(next.findChild<QDockWidget*>(QStringLiteral("moves"))->width(), wideWidth);
}

// The game kept at closing comes back with who made each move, whoever
// plays the sides now.
TEST(DesktopWindow, KeepsTheGameWithWhoMadeEachMove) {
  const TPlayer computer{TPlayerKind::Computer, TLevel::Low};
  storeSettings(withPlayers(person, computer));
  QStringList listed;
  {
    GameWindow window;
    showWindow(window);
    press(*window.board(), 2, 3);
    window.applySettings(withPlayers(person, person));
    int col = 0;
    while (window.board()->control().Cell(col, 0) != 0) ++col;
    press(*window.board(), col, 0);
    ASSERT_EQ(window.table().MovesMade(), 3u);
    for (int row = 0; row < window.moveList()->count(); ++row) listed << window.moveList()->item(row)->text();
    window.close();
  }
  EXPECT_TRUE(
      QFileInfo(GameWindow::keptGameFile()).absoluteFilePath().startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
  EXPECT_EQ(listed.filter(QStringLiteral("by the computer (low)")).size(), 1);
  GameWindow next;
  EXPECT_EQ(next.eventStatus(), QStringLiteral("The last game goes on."));
  QStringList restored;
  for (int row = 0; row < next.moveList()->count(); ++row) restored << next.moveList()->item(row)->text();
  EXPECT_EQ(restored, listed);
  EXPECT_EQ(next.settings().player(-1), person);
}

// A game that cannot be kept for the next run is not lost without a word:
// closing says why, and a cancel keeps the window and its game.
TEST(DesktopWindow, AGameThatCannotBeKeptAsksBeforeClosing) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  showWindow(window);
  press(*window.board(), 2, 2);
  ASSERT_TRUE(QDir().mkpath(GameWindow::keptGameFile())) << "a folder where the file would go";
  {
    QuestionAnswerer answerer(QMessageBox::Cancel, false);
    EXPECT_FALSE(window.close());
    EXPECT_EQ(answerer.asked(), 1);
    EXPECT_TRUE(answerer.lastText().startsWith(QStringLiteral("Cannot save the game as ")))
        << answerer.lastText().toStdString();
  }
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.table().MovesMade(), 1u);
  {
    QuestionAnswerer answerer(QMessageBox::Discard, false);
    EXPECT_TRUE(window.close());
    EXPECT_EQ(answerer.asked(), 1);
  }
  EXPECT_TRUE(QDir(GameWindow::keptGameFile()).removeRecursively());
}

// A second window on the same kept game that changed nothing leaves alone,
// closed last, the game the first kept meanwhile.
TEST(DesktopWindow, AWindowThatChangedNothingLeavesTheOthersKeptGame) {
  storeSettings(withPlayers(person, person));
  QFile::remove(GameWindow::keptGameFile());
  GameWindow playing;
  GameWindow idle;
  playing.table().Move(3, 3);
  playing.close();
  idle.close();
  GameWindow next;
  EXPECT_EQ(next.table().MovesMade(), 1u);
  EXPECT_EQ(next.board()->control().Cell(2, 2), 1);
}

// Both played: the one closed last keeps its game and sets the other's
// aside, saying where, rather than overwrite it.
TEST(DesktopWindow, TheWindowClosedLastSetsTheOthersKeptGameAside) {
  storeSettings(withPlayers(person, person));
  const QString earlier = GameWindow::keptGameFile() + QStringLiteral(".earlier");
  QFile::remove(GameWindow::keptGameFile());
  QFile::remove(earlier);
  GameWindow first;
  GameWindow second;
  first.table().Move(3, 3);
  second.table().Move(4, 4);
  first.close();
  {
    QuestionAnswerer answerer(QMessageBox::Ok, false);
    second.close();
    EXPECT_EQ(answerer.asked(), 1);
    EXPECT_TRUE(answerer.lastText().endsWith(QStringLiteral("was set aside as ") + QDir::toNativeSeparators(earlier) +
                                             QStringLiteral(".")))
        << answerer.lastText().toStdString();
  }
  GameWindow next;
  EXPECT_EQ(next.board()->control().Cell(3, 3), 1);
  ASSERT_TRUE(QFile::remove(GameWindow::keptGameFile()) && QFile::rename(earlier, GameWindow::keptGameFile()));
  GameWindow restored;
  EXPECT_EQ(restored.board()->control().Cell(2, 2), 1);
  next.close();
  restored.close();
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
  EXPECT_EQ(window.table().MovesMade(), 0u);
  EXPECT_FALSE(QFileInfo::exists(GameWindow::keptGameFile()));
  QFile setAside(GameWindow::keptGameFile() + QStringLiteral(".unreadable"));
  ASSERT_TRUE(setAside.open(QIODevice::ReadOnly));
  EXPECT_EQ(setAside.readAll(), garbage);
  EXPECT_TRUE(window.eventStatus().startsWith(QStringLiteral("The last game could not be read (")))
      << window.eventStatus().toStdString();
  EXPECT_TRUE(window.eventStatus().endsWith(QStringLiteral(".unreadable."))) << window.eventStatus().toStdString();
  window.table().Move(1, 1);
  window.close();
  GameWindow next;
  EXPECT_EQ(next.table().MovesMade(), 1u);
  // Another one later leaves the first copy as it was.
  next.close();
  QFile again(GameWindow::keptGameFile());
  ASSERT_TRUE(again.open(QIODevice::WriteOnly));
  again.write("nor this\n");
  again.close();
  GameWindow third;
  EXPECT_TRUE(third.eventStatus().endsWith(QStringLiteral(".unreadable-2."))) << third.eventStatus().toStdString();
  setAside.seek(0);
  EXPECT_EQ(setAside.readAll(), garbage);
}

TEST(DesktopRecords, ABadRecordIsRefusedInWordsAndTheGameGoesOn) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  window.table().Move(4, 4);
  const QTemporaryDir folder;
  const QString fileName = folder.filePath(QStringLiteral("bad.psq"));
  {
    QFile bad(fileName);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("Piskvorky 20x20, 11:11, 0\n5,5,0\n5,5,0\n-1\n");
  }
  {
    QuestionAnswerer answerer(QMessageBox::Ok, false);
    EXPECT_FALSE(window.openRecordFile(fileName));
    EXPECT_EQ(answerer.asked(), 1);
    EXPECT_TRUE(answerer.lastText().startsWith(QStringLiteral("Cannot open ") + QDir::toNativeSeparators(fileName) +
                                               QStringLiteral(" as a game: line 3: ")))
        << answerer.lastText().toStdString();
    EXPECT_EQ(window.table().MovesMade(), 1u);
    EXPECT_EQ(window.board()->control().Cell(3, 3), 1);

    // Opening a pipe would wait for a writer, with the window hung meanwhile.
    const QString pipe = folder.filePath(QStringLiteral("pipe.psq"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_FALSE(window.openRecordFile(pipe));
    EXPECT_TRUE(
        answerer.lastText().contains(QStringLiteral(" as a game: it is a pipe or a device, not a stored file.")))
        << answerer.lastText().toStdString();
    EXPECT_EQ(window.table().MovesMade(), 1u);
    EXPECT_EQ(answerer.asked(), 2);  // neither asked to give up the game for it
  }

  // A good record asks first; kept from losing the game, it is not opened.
  const QString good = folder.filePath(QStringLiteral("good.psq"));
  ASSERT_TRUE(window.saveRecordFile(good));
  window.table().Move(5, 5);
  QuestionAnswerer keep(QMessageBox::Cancel, false);
  EXPECT_FALSE(window.openRecordFile(good));
  EXPECT_EQ(keep.asked(), 1);
  EXPECT_EQ(window.table().MovesMade(), 2u);
}

// A disk that takes only the first few bytes of a save (it is full; here a
// file size limit stands in) fails the save in words, leaves the record as
// it was, and the game unsaved.
TEST(DesktopRecords, ASaveTheDiskRefusesLeavesTheOldRecord) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  window.table().Move(4, 4);
  const QTemporaryDir folder;
  const QString fileName = folder.filePath(QStringLiteral("game.psq"));
  ASSERT_TRUE(window.saveRecordFile(fileName));
  const auto contents = [&] {
    QFile saved(fileName);
    return saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
  };
  const QByteArray before = contents();
  window.table().Move(5, 5);

  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
  rlimit small = limit;
  small.rlim_cur = 8;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  QuestionAnswerer answerer(QMessageBox::Ok, false);
  const bool savedAgain = window.saveRecordFile(fileName);
  ::setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(savedAgain);
  EXPECT_TRUE(answerer.lastText().startsWith(QStringLiteral("Cannot save the game as ")))
      << answerer.lastText().toStdString();
  EXPECT_EQ(contents(), before);
  EXPECT_TRUE(window.table().WouldDiscardGame());
}

// The expert's move is thought out on a worker thread and comes back to the
// window; meanwhile a press is refused in words.
TEST(DesktopComputer, TheExpertThinksAwayFromTheWindow) {
  storeSettings(withPlayers({TPlayerKind::Computer, TLevel::Expert}, person));
  GameWindow window;
  // The answer waits in the event queue until the test lets it in.
  EXPECT_EQ(window.turnStatus(), QStringLiteral("The computer (expert) is thinking."));
  Announcements said(window);
  window.table().Move(1, 1);
  EXPECT_EQ(window.board()->control().Cell(0, 0), 0);
  ASSERT_TRUE(eventually([&] { return window.table().MovesMade() == 1; }));
  EXPECT_TRUE(window.table().LastMoveByComputer());
  const QStringList heard = said.take();
  ASSERT_EQ(heard.size(), 2);
  EXPECT_EQ(heard[0], QStringLiteral("The computer is to move."));
  EXPECT_TRUE(heard[1].startsWith(QStringLiteral("Cross by the computer (expert) on "))) << heard[1].toStdString();
  EXPECT_EQ(window.turnStatus(), QStringLiteral("Noughts to move: you."));
}

// Paced by the window's timer, a move at a time.
TEST(DesktopComputer, TwoComputersPlayADemonstrationByThemselves) {
  storeSettings(withPlayers({TPlayerKind::Computer, TLevel::Low}, {TPlayerKind::Computer, TLevel::Medium}));
  GameWindow window;
  EXPECT_EQ(window.table().MovesMade(), 0u);
  ASSERT_TRUE(eventually([&] { return window.table().MovesMade() >= 3; }));
  const std::vector<game::TMoveEntry>& moves = window.table().Session().Moves();
  EXPECT_TRUE(std::all_of(moves.begin(), moves.end(),
                          [](const game::TMoveEntry& move) { return move.By == TPlayerKind::Computer; }));

  // Asked whether its game may go, it waits for the answer, three paces and
  // more, and goes on once the answer keeps it.
  const std::size_t before = window.table().MovesMade();
  std::size_t whileAsked = 0;
  QTimer answerLate;
  answerLate.setSingleShot(true);
  QObject::connect(&answerLate, &QTimer::timeout, [&] {
    whileAsked = window.table().MovesMade();
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
      box->button(QMessageBox::Cancel)->click();
  });
  answerLate.start(1300);
  window.newGame();
  EXPECT_EQ(whileAsked, before);
  EXPECT_TRUE(eventually([&] { return window.table().MovesMade() > before; }));
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
  window.table().Move(3, 3);
  {
    SettingsAnswerer settings(12);
    QuestionAnswerer answerer(QMessageBox::Cancel, false);
    window.editSettings();
    EXPECT_EQ(answerer.asked(), 1);
  }
  EXPECT_EQ(window.board()->colCount(), 20);
  EXPECT_EQ(window.table().MovesMade(), 1u);
  {
    SettingsAnswerer settings(12);
    QuestionAnswerer answerer(QMessageBox::Discard, false);
    window.editSettings();
    EXPECT_EQ(answerer.asked(), 1);
  }
  EXPECT_EQ(window.board()->colCount(), 12);
  EXPECT_EQ(window.table().MovesMade(), 0u);
}

// Every field says what it is for: a combo box or number has a label that
// names it, and a check box names itself. To a screen reader, the boxes and
// colour buttons have names of their own, none twice.
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

  QStringList names;
  for (QComboBox* box : dialog.findChildren<QComboBox*>()) names << box->accessibleName();
  for (QPushButton* button : dialog.findChildren<QPushButton*>())
    if (!button->icon().isNull()) names << button->accessibleName();
  EXPECT_EQ(names.size(), 10);
  EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size()) << names.join(u'|').toStdString();
  EXPECT_TRUE(names.contains(QStringLiteral("Noughts' level")));
  EXPECT_TRUE(names.contains(QStringLiteral("Board")));
}

// Taller than the screen (a large scale, here a large font), the settings
// scroll and OK stays on the screen.
TEST(DesktopSettingsDialog, FitsTheScreen) {
  SettingsDialog dialog(defaultGameSettings());
  QFont large = dialog.font();
  large.setPointSize(large.pointSize() * 3);
  dialog.setFont(large);
  dialog.show();
  QApplication::processEvents();
  const QRect screen = dialog.screen()->availableGeometry();
  EXPECT_LE(dialog.frameGeometry().height(), screen.height());
  const QDialogButtonBox* buttons = dialog.findChild<QDialogButtonBox*>();
  ASSERT_NE(buttons, nullptr);
  const QRect ok = buttons->button(QDialogButtonBox::Ok)
                       ->rect()
                       .translated(buttons->button(QDialogButtonBox::Ok)->mapTo(&dialog, QPoint()));
  EXPECT_TRUE(dialog.rect().contains(ok)) << ok.y() << " in " << dialog.height();
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

// Narrowing the window takes the Moves panel's room before the board's, and
// widening it gives the panel its width back.
TEST(DesktopBoard, ANarrowWindowTakesRoomFromTheMovesPanelFirst) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  showWindow(window);
  const QDockWidget* moves = window.findChild<QDockWidget*>(QStringLiteral("moves"));
  ASSERT_NE(moves, nullptr);
  const int wideWidth = moves->width();
  ASSERT_GT(wideWidth, moves->minimumSizeHint().width());

  window.resize(520, 560);
  QTest::qWait(20);
  const BoardView& view = *window.boardView();
  EXPECT_LT(moves->width(), wideWidth);
  EXPECT_TRUE(moves->width() <= moves->minimumSizeHint().width() || view.spareWidth() >= 0)
      << moves->width() << " " << view.spareWidth();

  window.resize(900, 800);
  QTest::qWait(20);
  EXPECT_EQ(moves->width(), wideWidth);

  // A tall board is held by the window's height: the panel has its room
  // back as soon as the board takes the new size.
  window.resize(520, 560);
  QTest::qWait(20);
  ASSERT_LT(moves->width(), wideWidth);
  GameSettings tall = withPlayers(person, person);
  tall.colCount = 8;
  tall.rowCount = 40;
  window.applySettings(tall);
  QTest::qWait(20);
  EXPECT_GE(moves->width(), wideWidth);
  EXPECT_GE(view.spareWidth(), 0);
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
  for (int col = 1; col <= 4; ++col) window.table().Move(col, 1);
  QListWidget& list = *window.moveList();
  ASSERT_EQ(list.count(), 4);
  EXPECT_EQ(list.item(0)->text(), QStringLiteral("1. Cross on column 1, row 1."));
  EXPECT_EQ(chosenRow(list), 3);
  // Not the list's current item while the list lacks the keyboard, which a
  // screen reader would take for the focus; come to by the keyboard, the
  // list starts there.
  EXPECT_EQ(list.currentRow(), -1);
  list.setFocus(Qt::TabFocusReason);
  EXPECT_EQ(list.currentRow(), 3);

  const auto choose = [&](int row) {
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
  };
  choose(1);
  EXPECT_EQ(window.table().MovesMade(), 2u);
  EXPECT_EQ(window.board()->control().Cell(2, 0), 0);
  EXPECT_EQ(window.eventStatus(), QStringLiteral("Took back 2 moves."));
  ASSERT_EQ(list.count(), 4);
  EXPECT_EQ(chosenRow(list), 1);
  EXPECT_TRUE(list.item(1)->font().bold());
  EXPECT_FALSE(list.item(3)->font().bold());

  choose(3);
  EXPECT_EQ(window.table().MovesMade(), 4u);
  EXPECT_EQ(window.board()->control().Cell(3, 0), -1);
  EXPECT_EQ(window.eventStatus(), QStringLiteral("Played 2 moves again."));
}

// Shown again, the analysis panel takes the height it had the first time,
// half the moves' and its own.
TEST(DesktopPanels, TheAnalysisPanelComesBackAtItsHeight) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  showWindow(window);
  auto* panel = window.findChild<QDockWidget*>(QStringLiteral("analysis"));
  ASSERT_NE(panel, nullptr);
  const auto toggle = [&] {
    panel->toggleViewAction()->trigger();
    // The panel is sized once shown, then laid out.
    QApplication::processEvents();
    QApplication::processEvents();
  };
  toggle();
  const int first = panel->height();
  toggle();
  toggle();
  EXPECT_EQ(panel->height(), first);
  toggle();
}

// A long game's last move is in sight when the window first shows it, as
// after a start that takes up a kept game.
TEST(DesktopMoveList, TheLastMoveIsInSightWhenShown) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  for (int move = 0; move < 40; ++move) window.table().Move(move % 20 + 1, move / 20 + 1);
  showWindow(window);
  QListWidget& list = *window.moveList();
  ASSERT_EQ(list.count(), 40);
  EXPECT_TRUE(list.viewport()->rect().intersects(list.visualItemRect(list.item(39))));
}

// The status bar never reports what no longer holds: a settings change
// drops the last move's words, the cell a hint named loses them when the
// focus moves on.
TEST(DesktopStatus, ChangesReplaceWordsThatNoLongerHold) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  window.show();
  QApplication::setActiveWindow(&window);
  window.table().Move(2, 2);
  EXPECT_EQ(window.eventStatus(), QStringLiteral("Cross on column 2, row 2."));
  const TPlayer expertPerson{TPlayerKind::Person, TLevel::Expert};
  window.applySettings(withPlayers(person, expertPerson));
  EXPECT_EQ(window.eventStatus(), QString::fromStdString(game::TPhrasebook().Players(person, expertPerson)));
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
  window.table().Move(1, 1);
  const QTemporaryDir folder;
  ASSERT_TRUE(window.saveRecordFile(folder.filePath(QStringLiteral("evening game.psq"))));
  EXPECT_EQ(window.eventStatus(), QStringLiteral("Saved 1 move to evening game.psq."));
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

// ---- Analysis and review ------------------------------------------------------------

// Crosses build a row along row 10 while noughts build theirs along row 1:
// noughts' third move lets crosses' three become an open four (a win let
// through), crosses' fifth blocks noughts' four instead of making five (a
// missed win), and noughts make five.
constexpr std::pair<int, int> plantedGame[] = {{5, 10}, {5, 1},  {6, 10}, {6, 1}, {7, 10},
                                               {7, 1},  {8, 10}, {8, 1},  {9, 1}, {4, 1}};

// Every pixel of the board shown on the screen that is not the control's
// own, by the cell it lies in.
std::map<std::pair<int, int>, QList<QColor>> pixelsOverTheControl(QuintarWidget& board) {
  std::map<std::pair<int, int>, QList<QColor>> over;
  const QImage shown = board.grab().toImage();
  TQuintar& control = board.control();
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) {
      const QColor pixel = shown.pixelColor(x, y);
      if (pixel == qt::toQColor(control.Canvas().Pixels(x, y))) continue;
      const vcl::TPoint cell = control.CellAt(x, y);
      over[{cell.X, cell.Y}] << pixel;
    }
  return over;
}

// With crosses' open four on the board and noughts to move, the panel and the
// board show what the computer found: noughts lose whatever they play, so the
// bar is crosses' whole; the best line is numbered on its cells in the colour
// of the side that plays each, and nowhere else does a pixel differ from the
// control's.
TEST(DesktopAnalysis, ThePanelShowsTheReportAndTheBoardNumbersTheBestLine) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  showWindow(window);
  ASSERT_EQ(window.board()->devicePixelRatioF(), 1.0);
  for (std::size_t move = 0; move < 7; ++move) window.table().Move(plantedGame[move].first, plantedGame[move].second);
  QAction* panelSwitch = window.analysisDock()->toggleViewAction();
  panelSwitch->trigger();
  ASSERT_TRUE(window.table().Analysing());
  EXPECT_TRUE(window.analysisDock()->isVisible());
  const auto settled = [&] {
    const std::optional<TAnalysis>& report = window.table().Analysis();
    return report && !report->Lines.empty() && report->Lines.front().Outcome == ocLoss;
  };
  ASSERT_TRUE(eventually(settled));
  const TAnalysis report = *window.table().Analysis();
  EXPECT_EQ(report.Turn, -1);

  const AnalysisPanel& panel = *window.analysisPanel();
  EXPECT_EQ(panel.summary(), QStringLiteral("Noughts lose in 1 move whatever they play."));
  EXPECT_EQ(panel.summary(), qt::said(window.table().AnalysisWords()));
  EXPECT_EQ(panel.crossesAdvantage(), 100);
  ASSERT_EQ(panel.candidates().size(), static_cast<qsizetype>(report.Lines.size()));
  EXPECT_EQ(panel.candidates().front(), qt::said(window.table().CandidateWords().front()));

  const std::vector<TBoardCell>& line = report.Lines.front().Line;
  ASSERT_GE(line.size(), 2u);
  ASSERT_EQ(window.board()->shownLine().size(), static_cast<qsizetype>(line.size()));
  const auto over = pixelsOverTheControl(*window.board());
  EXPECT_EQ(over.size(), line.size());
  for (std::size_t index = 0; index < line.size(); ++index) {
    const auto marked = over.find({line[index].Col, line[index].Row});
    ASSERT_NE(marked, over.end()) << "mark " << index + 1;
    const QColor side = index % 2 == 0 ? window.board()->noughtColor() : window.board()->crossColor();
    EXPECT_TRUE(marked->second.contains(side)) << "mark " << index + 1;
  }
  // Played to its end, the game leaves the panel saying why it is empty.
  for (const TBoardCell& cell : {line[0], line[1]}) window.table().Move(cell.Col + 1, cell.Row + 1);
  ASSERT_TRUE(window.board()->control().GameOver());
  EXPECT_EQ(panel.summary(), QStringLiteral("Nothing to analyse: the game is over."));

  panelSwitch->trigger();
  EXPECT_FALSE(window.table().Analysing());
  EXPECT_TRUE(window.board()->shownLine().isEmpty());
  EXPECT_TRUE(pixelsOverTheControl(*window.board()).empty());
}

// A screen reader hears the summary when its words change, not at every
// report that words it alike.
TEST(DesktopAnalysis, TurnedOnOverAFinishedGameItSaysWhyItIsEmpty) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  showWindow(window);
  for (const auto& [col, row] : plantedGame) window.table().Move(col, row);
  ASSERT_TRUE(window.board()->control().GameOver());
  window.analysisDock()->toggleViewAction()->trigger();
  EXPECT_EQ(window.analysisPanel()->summary(), QStringLiteral("Nothing to analyse: the game is over."));
}

TEST(DesktopAnalysis, TheSummaryIsSpokenWhenItChanges) {
  AnalysisPanel panel;
  QLabel* summary = panel.findChild<QLabel*>(QStringLiteral("analysisSummary"));
  ASSERT_NE(summary, nullptr);
  const QSignalSpy spoken(&panel, &AnalysisPanel::spoken);
  const QString even = QStringLiteral("About even. Best: column 10, row 10.");
  panel.showAnalysis(0, even, {});
  panel.showAnalysis(3, even, {QStringLiteral("column 10, row 10: About even.")});
  const QString ahead = QStringLiteral("Crosses are ahead. Best: column 9, row 9.");
  panel.showAnalysis(40, ahead, {});
  ASSERT_EQ(spoken.size(), 2);
  EXPECT_EQ(spoken[0][0].toString(), even);
  EXPECT_EQ(spoken[1][0].toString(), ahead);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(summary)->text(QAccessible::Name), ahead);
}

// The review runs away from the window; its judgements mark the Moves list,
// and choosing a move says its sentence and shows the summary in the panel.
TEST(DesktopReview, PlantedFaultsAreMarkedInTheMovesList) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  showWindow(window);
  for (const auto& [col, row] : plantedGame) window.table().Move(col, row);
  window.reviewGame();
  EXPECT_TRUE(window.eventStatus().startsWith(QStringLiteral("Reviewing the game: 0 of 10 moves")))
      << window.eventStatus().toStdString();
  ASSERT_TRUE(eventually([&] { return window.table().Review().has_value(); }));

  QListWidget& list = *window.moveList();
  ASSERT_EQ(list.count(), 10);
  const game::TReview review = *window.table().Review();
  for (int row = 0; row < list.count(); ++row) {
    const QString text = list.item(row)->text();
    EXPECT_EQ(text.endsWith(QStringLiteral(" — a win let through")), row == 5) << text.toStdString();
    EXPECT_EQ(text.endsWith(QStringLiteral(" — a missed win")), row == 8) << text.toStdString();
    EXPECT_TRUE(text.endsWith(qt::said(window.table().Words().JudgementWord(review.Moves[row].Judgement))));
  }

  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(8)).center());
  EXPECT_EQ(window.table().MovesMade(), 9u);
  const std::vector<std::string> words = window.table().ReviewWords();
  ASSERT_EQ(words.size(), 12u);
  EXPECT_TRUE(window.eventStatus().startsWith(QStringLiteral("Move 9, cross on column 9, row 1: a missed win;")))
      << window.eventStatus().toStdString();
  EXPECT_EQ(window.eventStatus(), qt::said(words[8]));
  EXPECT_EQ(window.board()->announcement(), qt::said(words[8]));
  EXPECT_EQ(window.analysisPanel()->reviewSummary(), qt::said(words[10] + " " + words[11]));
  EXPECT_TRUE(list.item(8)->text().endsWith(QStringLiteral(" — a missed win")));
}

// A move off the reviewed line leaves the review nothing to judge: it stops,
// its progress leaves the status bar, and no review is said or kept.
TEST(DesktopReview, AMoveOffTheLineStopsTheReview) {
  storeSettings(withPlayers(person, person));
  GameWindow window;
  showWindow(window);
  for (const auto& [col, row] : plantedGame) window.table().Move(col, row);
  window.reviewGame();
  window.table().Undo();  // the last move won; another in its place changes the line
  window.table().Move(15, 15);
  const QString moveWords = window.eventStatus();
  EXPECT_FALSE(moveWords.startsWith(QStringLiteral("Reviewing"))) << moveWords.toStdString();
  QTest::qWait(1000);
  EXPECT_EQ(window.eventStatus(), moveWords);
  EXPECT_FALSE(window.table().Review().has_value());
  window.reviewGame();
  EXPECT_TRUE(eventually([&] { return window.table().Review().has_value(); }));
}

}  // namespace
}  // namespace quintar::desktop
