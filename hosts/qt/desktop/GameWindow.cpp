#include "GameWindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QSaveFile>
#include <QSettings>
#include <QStatusBar>

#include "PackageIdentity.h"
#include "QuintarWidget.h"
#include "SettingsDialog.h"
#include "StatusText.h"

namespace quintar::desktop {
namespace {

// Larger than any record of a 50 x 50 board; anything bigger is refused
// unread.
constexpr qint64 largestRecord = 1 << 20;

const QString geometryKey = QStringLiteral("window/geometry");
const QString recordFilter = QStringLiteral("Game records (*.psq);;All files (*)");

}  // namespace

GameWindow::GameWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(tr("Quintar"));
  setWindowIcon(QIcon(QPixmap::fromImage(qt::mainIcon())));
  // The board assigns the control's events to its signals as it is made;
  // the session, made after it, chains to them.
  m_board = new QuintarWidget;
  setCentralWidget(m_board);
  m_session = std::make_unique<game::TGameSession>(m_board->control());

  m_turnLabel = new QLabel;
  m_eventLabel = new QLabel;
  statusBar()->addWidget(m_turnLabel, 1);
  statusBar()->addPermanentWidget(m_eventLabel);
  createMenus();
  listen();

  m_demonstrationTimer.setSingleShot(true);
  m_demonstrationTimer.setInterval(demonstrationMilliseconds);
  connect(&m_demonstrationTimer, &QTimer::timeout, this, &GameWindow::moveComputer);
  connect(&m_thinker, &BackgroundThinker::thought, this, &GameWindow::thought);
  connect(&m_hintThinker, &BackgroundThinker::thought, this, &GameWindow::hintThought);

  QSettings store;
  applySettings(loadGameSettings(store));
  // The first time, a square board of 28 pixels a cell.
  if (!restoreGeometry(store.value(geometryKey).toByteArray()))
    resize(560, 560 + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
  m_board->setFocus();
}

// The thinking stops before the session it would answer goes.
GameWindow::~GameWindow() { stopComputer(); }

void GameWindow::createMenus() {
  QMenu* gameMenu = menuBar()->addMenu(tr("&Game"));
  addAction(gameMenu, tr("&New"), QKeySequence::New, &GameWindow::newGame);
  addAction(gameMenu, tr("&Computer moves now"), QKeySequence(Qt::CTRL | Qt::Key_M), &GameWindow::computerMovesNow);
  gameMenu->addSeparator();
  m_undoAction = addAction(gameMenu, tr("&Undo"), QKeySequence::Undo, &GameWindow::undo);
  m_redoAction = addAction(gameMenu, tr("&Redo"), QKeySequence::Redo, &GameWindow::redo);
  addAction(gameMenu, tr("&Hint"), QKeySequence(Qt::CTRL | Qt::Key_H), &GameWindow::hint);
  gameMenu->addSeparator();
  addAction(gameMenu, tr("&Open..."), QKeySequence::Open, &GameWindow::openRecord);
  addAction(gameMenu, tr("&Save..."), QKeySequence::Save, &GameWindow::saveRecord);
  gameMenu->addSeparator();
  QAction* quit = gameMenu->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);
  quit->setMenuRole(QAction::QuitRole);

  QMenu* settingsMenu = menuBar()->addMenu(tr("&Settings"));
  addAction(settingsMenu, tr("&Players, board and colours..."), QKeySequence(Qt::CTRL | Qt::Key_Comma),
            &GameWindow::editSettings)
      ->setMenuRole(QAction::PreferencesRole);

  QMenu* helpMenu = menuBar()->addMenu(tr("&Help"));
  addAction(helpMenu, tr("&About Quintar"), QKeySequence(), &GameWindow::about)->setMenuRole(QAction::AboutRole);
}

QAction* GameWindow::addAction(QMenu* menu, const QString& text, const QKeySequence& shortcut,
                               void (GameWindow::*slot)()) {
  return menu->addAction(text, shortcut, this, slot);
}

void GameWindow::listen() {
  connect(m_board, &QuintarWidget::legalMove, this, [this] {
    const game::TMoveEntry& last = m_session->Moves().back();
    setEvent(moveText(m_board->control(), last.Cell, last.By));
    positionChanged();
  });
  connect(m_board, &QuintarWidget::illegalMove, this, [this] { setEvent(tr("That cell is taken")); });
  connect(m_board, &QuintarWidget::crossWon, this, [this] { setEvent(tr("Five in a row: crosses win")); });
  connect(m_board, &QuintarWidget::noughtWon, this, [this] { setEvent(tr("Five in a row: noughts win")); });
  connect(m_board, &QuintarWidget::draw, this, [this] { setEvent(tr("The board is full: a draw")); });
}

void GameWindow::setEvent(const QString& text) { m_eventLabel->setText(text); }

QString GameWindow::turnStatus() const { return m_turnLabel->text(); }

QString GameWindow::eventStatus() const { return m_eventLabel->text(); }

// ---- Settings -------------------------------------------------------------

void GameWindow::applySettings(const GameSettings& settings) {
  stopComputer();
  // A count written starts a new game, so only a count that changes is.
  if (settings.colCount != m_board->colCount()) m_board->setColCount(settings.colCount);
  if (settings.rowCount != m_board->rowCount()) m_board->setRowCount(settings.rowCount);
  for (const int side : {1, -1}) m_session->SetPlayer(side, settings.player(side));
  m_board->setShowHighlight(settings.showHighlight);
  m_board->setShowQuintar(settings.showQuintar);
  m_board->setLock(settings.lock);
  m_board->setColor(settings.colors[0]);
  m_board->setGridLineColor(settings.colors[1]);
  m_board->setCrossColor(settings.colors[2]);
  m_board->setNoughtColor(settings.colors[3]);
  m_board->setHighlightColor(settings.colors[4]);
  m_board->setQuintarColor(settings.colors[5]);
  m_settings = settings;
  positionChanged();
}

void GameWindow::saveSettings() {
  QSettings store;
  saveGameSettings(m_settings, store);
  store.setValue(geometryKey, saveGeometry());
}

void GameWindow::editSettings() {
  SettingsDialog dialog(m_settings, this);
  if (dialog.exec() != QDialog::Accepted) return;
  applySettings(dialog.settings());
  saveSettings();
}

void GameWindow::closeEvent(QCloseEvent* event) {
  stopComputer();
  saveSettings();
  QMainWindow::closeEvent(event);
}

// ---- Following the game ---------------------------------------------------

// Presses stop playing at once when the computer is to move; the rest waits
// until whatever changed the game has finished.
void GameWindow::positionChanged() {
  m_hintThinker.cancel();
  m_board->setClickResponse(m_settings.clickResponse && !m_session->ComputerToMove());
  if (m_followPending) return;
  m_followPending = true;
  QMetaObject::invokeMethod(this, &GameWindow::followPosition, Qt::QueuedConnection);
}

void GameWindow::followPosition() {
  m_followPending = false;
  const bool computerToMove = m_session->ComputerToMove();
  m_board->setClickResponse(m_settings.clickResponse && !computerToMove);
  updateStatus();
  if (!computerToMove || m_thinker.busy() || m_demonstrationTimer.isActive()) return;
  if (demonstration())
    m_demonstrationTimer.start();
  else
    moveComputer();
}

bool GameWindow::demonstration() const {
  return m_settings.players[0].Kind == game::TPlayerKind::Computer &&
         m_settings.players[1].Kind == game::TPlayerKind::Computer;
}

// The control's own strengths answer in microseconds, here; the expert thinks
// elsewhere.
void GameWindow::moveComputer() {
  if (!m_session->ComputerToMove()) return;
  if (m_session->Player(m_board->control().Turn()).Level != TLevel::Expert) {
    m_session->Step();
    return;
  }
  if (const std::optional<game::TThinkRequest> turn = m_session->ComputerTurn()) {
    m_thinker.start(*turn);
    setEvent(tr("The computer is thinking..."));
  }
}

void GameWindow::thought(const game::TThinkRequest& turn, QPoint cell) {
  m_session->PlayComputerMove(turn, {cell.x(), cell.y()});
  giveBackLentSide();
  positionChanged();
}

void GameWindow::stopComputer() {
  m_thinker.cancel();
  m_hintThinker.cancel();
  m_demonstrationTimer.stop();
  giveBackLentSide();
}

void GameWindow::giveBackLentSide() {
  if (!m_lentSide) return;
  m_session->SetPlayer(*m_lentSide, m_settings.player(*m_lentSide));
  m_lentSide.reset();
}

void GameWindow::updateStatus() {
  m_turnLabel->setText(turnText(m_board->control(), m_session->Player(1), m_session->Player(-1)));
  m_undoAction->setEnabled(m_session->CanUndo());
  m_redoAction->setEnabled(m_session->CanRedo());
}

// ---- Game menu ------------------------------------------------------------

void GameWindow::newGame() {
  stopComputer();
  m_session->NewGame();
  setEvent(tr("New game: crosses move first"));
  positionChanged();
}

// The control's own strengths move here and now. The expert takes over the side
// to move for one move, thinking elsewhere like any computer player.
void GameWindow::computerMovesNow() {
  stopComputer();
  const TQuintar& board = m_board->control();
  if (board.GameOver() || board.Lock()) {
    setEvent(tr("No move: the game is over or the board is locked"));
  } else if (m_session->Player(board.Turn()).Level != TLevel::Expert) {
    m_session->ComputerMoveNow();
  } else if (m_session->Player(board.Turn()).Kind == game::TPlayerKind::Person) {
    m_lentSide = board.Turn();
    m_session->SetPlayer(board.Turn(), {game::TPlayerKind::Computer, TLevel::Expert});
  }
  positionChanged();
}

void GameWindow::undo() { stepThroughHistory(&game::TGameSession::Undo, tr("Move taken back")); }

void GameWindow::redo() { stepThroughHistory(&game::TGameSession::Redo, tr("Move played again")); }

void GameWindow::stepThroughHistory(bool (game::TGameSession::*step)(), const QString& done) {
  stopComputer();
  if ((*m_session.*step)()) {
    m_board->showChanges();
    setEvent(done);
  }
  positionChanged();
}

// Thought out elsewhere, since the expert takes its time; any change of the
// game makes it moot.
void GameWindow::hint() {
  m_hintThinker.cancel();
  const TQuintar& board = m_board->control();
  if (board.GameOver()) {
    setEvent(tr("No hint: the game is over"));
    return;
  }
  m_hintThinker.start({game::CopyBoard(board), board.Turn(), m_session->Player(board.Turn()).Level, 0});
  setEvent(tr("Looking for a hint..."));
}

void GameWindow::hintThought(const game::TThinkRequest&, QPoint cell) {
  m_board->showFocusCell(cell);
  setEvent(tr("Hint: column %1, row %2 (Space plays it)").arg(cell.x() + 1).arg(cell.y() + 1));
}

// ---- Records --------------------------------------------------------------

QString GameWindow::openRecordText(const QByteArray& text) {
  stopComputer();
  const std::string error = m_session->OpenRecord(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
  if (error.empty()) {
    m_board->showChanges();
    setEvent(tr("Game opened"));
  }
  positionChanged();
  return QString::fromStdString(error);
}

bool GameWindow::openRecordFile(const QString& fileName) {
  const QString shown = QDir::toNativeSeparators(fileName);
  QFile file(fileName);
  QString reason;
  if (!file.open(QIODevice::ReadOnly)) {
    reason = file.errorString();
  } else {
    const QByteArray text = file.read(largestRecord + 1);
    reason = text.size() > largestRecord ? tr("the file is larger than any game record") : openRecordText(text);
  }
  if (reason.isEmpty()) return true;
  QMessageBox::warning(this, tr("Open game"), tr("Cannot open %1 as a game:\n%2").arg(shown, reason));
  return false;
}

bool GameWindow::saveRecordFile(const QString& fileName) {
  const std::string record = m_session->SaveRecord();
  QSaveFile file(fileName);
  if (file.open(QIODevice::WriteOnly) && file.write(record.data(), static_cast<qint64>(record.size())) >= 0 &&
      file.commit()) {
    setEvent(tr("Game saved"));
    return true;
  }
  QMessageBox::warning(this, tr("Save game"),
                       tr("Cannot save the game as %1:\n%2").arg(QDir::toNativeSeparators(fileName), file.errorString()));
  return false;
}

void GameWindow::openRecord() {
  const QString fileName = QFileDialog::getOpenFileName(this, tr("Open game"), m_recordFolder, recordFilter);
  if (fileName.isEmpty()) return;
  m_recordFolder = QFileInfo(fileName).absolutePath();
  openRecordFile(fileName);
}

void GameWindow::saveRecord() {
  QFileDialog dialog(this, tr("Save game"), m_recordFolder, recordFilter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("psq"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString fileName = dialog.selectedFiles().constFirst();
  m_recordFolder = QFileInfo(fileName).absolutePath();
  saveRecordFile(fileName);
}

// ---- About ----------------------------------------------------------------

void GameWindow::about() {
  QMessageBox box(this);
  box.setWindowTitle(tr("About Quintar"));
  box.setIconPixmap(QPixmap::fromImage(qt::mainIcon()).scaled(64, 64, Qt::KeepAspectRatio, Qt::FastTransformation));
  box.setText(tr("<h3>Quintar</h3><p>%1<br>Version %2</p>"
                 "<p>Five in a row against the computer or another person. Crosses move first; "
                 "the first to get five marks in an unbroken line wins.</p>")
                  .arg(qt::packageDescription().toHtmlEscaped(), qt::packageVersion()));
  box.exec();
}

}  // namespace quintar::desktop
