#include "GameWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <optional>

#include "BoardView.h"
#include "ElidedLabel.h"
#include "PackageIdentity.h"
#include "QuintarWidget.h"
#include "SettingsDialog.h"
#include "TranslatedPhrasebook.h"

namespace quintar::desktop {
namespace {

// Larger than any record of a 50 x 50 board; anything bigger is refused
// unread.
constexpr qint64 largestRecord = 1 << 20;

const QString geometryKey = QStringLiteral("window/geometry");
const QString windowStateKey = QStringLiteral("window/state");
const QString recordFilter = QStringLiteral("Game records (*.psq);;All files (*)");

}  // namespace

const QString GameWindow::askBeforeDiscardingKey = QStringLiteral("confirm/discardGame");

QString GameWindow::keptGameFile() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/game.psq");
}

GameWindow::GameWindow(QWidget* parent) : QMainWindow(parent), m_phrasebook(qt::translatedPhrasebook()) {
  setWindowTitle(tr("Quintar"));
  setWindowIcon(QIcon(QPixmap::fromImage(qt::mainIcon())));
  // The board assigns the control's events to its signals as it is made;
  // the session, made after it, chains to them.
  m_board = new QuintarWidget;
  m_boardView = new BoardView(m_board);
  setCentralWidget(m_boardView);
  m_session = std::make_unique<game::TGameSession>(m_board->control());

  // Whose turn it is always shows in full; what happened last takes the rest.
  m_turnLabel = new QLabel;
  m_eventLabel = new ElidedLabel;
  statusBar()->addWidget(m_turnLabel);
  statusBar()->addWidget(m_eventLabel, 1);
  createMoveList();
  createMenus();
  listen();

  m_paceTimer.setSingleShot(true);
  connect(&m_paceTimer, &QTimer::timeout, this, &GameWindow::paceElapsed);
  connect(&m_thinker, &BackgroundThinker::thought, this, &GameWindow::thought);
  connect(&m_hintThinker, &BackgroundThinker::thought, this, &GameWindow::hintThought);

  QSettings store;
  applySettings(loadGameSettings(store));
  restoreKeptGame();
  // The first time, cells of the view's preferred size.
  if (!restoreGeometry(store.value(geometryKey).toByteArray())) resize(sizeHint());
  restoreState(store.value(windowStateKey).toByteArray());
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

  QMenu* viewMenu = menuBar()->addMenu(tr("&View"));
  viewMenu->addAction(m_movePanel->toggleViewAction());

  QMenu* settingsMenu = menuBar()->addMenu(tr("&Settings"));
  addAction(settingsMenu, tr("&Players, board and colours..."), QKeySequence(Qt::CTRL | Qt::Key_Comma),
            &GameWindow::editSettings)
      ->setMenuRole(QAction::PreferencesRole);

  QMenu* helpMenu = menuBar()->addMenu(tr("&Help"));
  addAction(helpMenu, tr("&About Quintar"), QKeySequence(), &GameWindow::about)->setMenuRole(QAction::AboutRole);
}

// A side panel the View menu shows and hides; choosing a move goes back (or
// forward) to it.
void GameWindow::createMoveList() {
  m_movePanel = new QDockWidget(tr("Moves"), this);
  m_movePanel->setObjectName(QStringLiteral("moves"));
  m_moveList = new QListWidget;
  // A move's sentence wraps rather than hiding behind a scroll bar.
  m_moveList->setWordWrap(true);
  m_moveList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_moveList->setMinimumWidth(m_moveList->fontMetrics().averageCharWidth() * 18);
  m_movePanel->setWidget(m_moveList);
  addDockWidget(Qt::RightDockWidgetArea, m_movePanel);
  const auto chosen = [this](QListWidgetItem* item) { goToMove(static_cast<std::size_t>(m_moveList->row(item)) + 1); };
  connect(m_moveList, &QListWidget::itemClicked, this, chosen);
  connect(m_moveList, &QListWidget::itemActivated, this, chosen);
}

QAction* GameWindow::addAction(QMenu* menu, const QString& text, const QKeySequence& shortcut,
                               void (GameWindow::*slot)()) {
  return menu->addAction(text, shortcut, this, slot);
}

// The session has taken every move into its history before the board
// signals it.
void GameWindow::listen() {
  connect(m_board, &QuintarWidget::legalMove, this, [this] {
    setEvent(m_phrasebook.Move(m_session->Moves().back()));
    positionChanged();
  });
  // Presses and keys only reach cells on the board: a refused one is taken.
  connect(m_board, &QuintarWidget::illegalMove, this,
          [this] { setEvent(m_phrasebook.Refusal(game::TRefusal::CellTaken)); });
  const auto ended = [this] {
    if (const std::optional<game::TGameResult> result = m_session->Result()) setEvent(m_phrasebook.Result(*result));
  };
  connect(m_board, &QuintarWidget::crossWon, this, ended);
  connect(m_board, &QuintarWidget::noughtWon, this, ended);
  connect(m_board, &QuintarWidget::draw, this, ended);
  connect(m_board, &QuintarWidget::focusCellChanged, this, [this] {
    if (m_hintShown) setEvent(QString());
  });
}

void GameWindow::setEvent(const std::string& sentence) { setEvent(qt::said(sentence)); }

void GameWindow::setEvent(const QString& text) {
  m_hintShown = false;
  m_eventLabel->setFullText(text);
}

QString GameWindow::turnStatus() const { return m_turnLabel->text(); }

QString GameWindow::eventStatus() const { return m_eventLabel->fullText(); }

// ---- Settings -------------------------------------------------------------

// What the status bar said about the game before no longer holds: it says
// which new game began, or who now plays.
void GameWindow::applySettings(const GameSettings& settings) {
  stopComputer();
  // A count written starts a new game, so only a count that changes is.
  const bool newBoard = settings.colCount != m_board->colCount() || settings.rowCount != m_board->rowCount();
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
  setEvent(newBoard ? m_phrasebook.NewGame() : m_phrasebook.Players(m_session->Player(1), m_session->Player(-1)));
  positionChanged();
}

void GameWindow::adoptGameIntoSettings() {
  m_settings.colCount = m_board->colCount();
  m_settings.rowCount = m_board->rowCount();
  for (const int side : {1, -1}) m_settings.player(side) = m_session->Player(side);
}

void GameWindow::saveSettings() {
  QSettings store;
  saveGameSettings(m_settings, store);
  store.setValue(geometryKey, saveGeometry());
  store.setValue(windowStateKey, saveState());
}

// A new board size would end the game in progress: unless the player lets it
// go, everything else changes and the board stays.
void GameWindow::editSettings() {
  SettingsDialog dialog(m_settings, this);
  if (dialog.exec() != QDialog::Accepted) return;
  GameSettings chosen = dialog.settings();
  const bool newBoard = chosen.colCount != m_board->colCount() || chosen.rowCount != m_board->rowCount();
  if (newBoard && !mayDiscardGame()) {
    chosen.colCount = m_board->colCount();
    chosen.rowCount = m_board->rowCount();
  }
  applySettings(chosen);
  saveSettings();
}

void GameWindow::closeEvent(QCloseEvent* event) {
  stopComputer();
  saveSettings();
  keepGame();
  QMainWindow::closeEvent(event);
}

// ---- Asking before a game goes ---------------------------------------------

bool GameWindow::gameInProgress() { return !m_session->Moves().empty() && !m_board->control().GameOver(); }

bool GameWindow::mayDiscardGame() {
  if (!gameInProgress()) return true;
  QSettings store;
  if (!store.value(askBeforeDiscardingKey, true).toBool()) return true;
  QMessageBox box(QMessageBox::Question, tr("Quintar"), tr("The game in progress will be lost."),
                  QMessageBox::Discard | QMessageBox::Cancel, this);
  box.setInformativeText(tr("Do you want to discard it?"));
  box.setDefaultButton(QMessageBox::Cancel);
  auto* dontAsk = new QCheckBox(tr("Don't ask again"));
  box.setCheckBox(dontAsk);
  if (box.exec() != QMessageBox::Discard) return false;
  if (dontAsk->isChecked()) store.setValue(askBeforeDiscardingKey, false);
  return true;
}

// ---- Following the game ---------------------------------------------------

// Presses stop playing at once when the computer is to move; the rest waits
// until whatever changed the game has finished.
void GameWindow::positionChanged() {
  m_board->setClickResponse(m_settings.clickResponse && !m_session->ComputerToMove());
  if (m_followPending) return;
  m_followPending = true;
  QMetaObject::invokeMethod(this, &GameWindow::followPosition, Qt::QueuedConnection);
}

// While a move is being thought out or paced, the answer or the timer asks
// again when it comes.
void GameWindow::followPosition() {
  m_followPending = false;
  m_board->setClickResponse(m_settings.clickResponse && !m_session->ComputerToMove());
  updateStatus();
  m_boardView->followBoardSize();
  if (m_thinker.busy() || m_paceTimer.isActive()) return;
  const game::TComputerDue due = m_session->ComputerDue();
  if (due.Action != game::TComputerAction::None && due.PaceMilliseconds > 0)
    m_paceTimer.start(due.PaceMilliseconds);
  else
    actOn(due);
}

// The pace has been kept: whatever is due now is done at once.
void GameWindow::paceElapsed() { actOn(m_session->ComputerDue()); }

void GameWindow::actOn(const game::TComputerDue& due) {
  switch (due.Action) {
    case game::TComputerAction::None: return;
    case game::TComputerAction::PlayNow: m_session->PlayComputerMove(); return;
    case game::TComputerAction::ThinkElsewhere:
      m_thinker.start(due.Request);
      updateStatus();
      return;
  }
}

// An answer for a position that has moved on plays nothing; whatever is due
// then is asked again.
void GameWindow::thought(const game::TThinkRequest& request, QPoint cell) {
  m_session->PlayThoughtMove(request, {cell.x(), cell.y()});
  positionChanged();
}

void GameWindow::stopComputer() {
  m_thinker.cancel();
  m_hintThinker.cancel();
  m_paceTimer.stop();
}

void GameWindow::updateStatus() {
  const game::TThinkRequest* thinking = m_thinker.request();
  m_turnLabel->setText(qt::said(thinking ? m_phrasebook.Thinking(thinking->Level) : m_phrasebook.Turn(*m_session)));
  m_undoAction->setEnabled(m_session->CanUndo());
  m_redoAction->setEnabled(m_session->CanRedo());
  showMoveLine();
}

// Every move of the line, numbered; the last one on the board is the current
// one, and those that could be played again are greyed.
void GameWindow::showMoveLine() {
  const std::vector<game::TMoveEntry> line = m_session->MoveLine();
  const std::size_t made = m_session->Moves().size();
  const QSignalBlocker quiet(m_moveList);
  m_moveList->clear();
  for (std::size_t index = 0; index < line.size(); ++index) {
    auto* item = new QListWidgetItem(tr("%1. %2").arg(index + 1).arg(qt::said(m_phrasebook.Move(line[index]))));
    if (index >= made) item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
    if (index + 1 == made) {
      QFont current = item->font();
      current.setBold(true);
      item->setFont(current);
    }
    m_moveList->addItem(item);
  }
  m_moveList->setCurrentRow(static_cast<int>(made) - 1);
  if (made > 0) m_moveList->scrollToItem(m_moveList->currentItem());
}

// ---- Game menu ------------------------------------------------------------

void GameWindow::newGame() {
  if (mayDiscardGame()) startNewGame();
}

void GameWindow::startNewGame() {
  stopComputer();
  m_session->NewGame();
  setEvent(m_phrasebook.NewGame());
  positionChanged();
}

void GameWindow::computerMovesNow() {
  if (m_session->ComputerMovesNow()) {
    positionChanged();
    return;
  }
  const bool over = m_board->control().GameOver();
  setEvent(m_phrasebook.Refusal(over ? game::TRefusal::GameOver : game::TRefusal::Locked));
}

void GameWindow::undo() { stepThroughHistory(&game::TGameSession::Undo, game::TRefusal::NothingToUndo); }

void GameWindow::redo() { stepThroughHistory(&game::TGameSession::Redo, game::TRefusal::NothingToRedo); }

void GameWindow::stepThroughHistory(bool (game::TGameSession::*step)(), game::TRefusal nothing) {
  stopComputer();
  const std::size_t before = m_session->Moves().size();
  if ((*m_session.*step)())
    reportStep(before);
  else
    setEvent(m_phrasebook.Refusal(nothing));
  positionChanged();
}

// Moves the history cannot reach (those found on the board when the session
// began) are beyond undo.
void GameWindow::goToMove(std::size_t count) {
  const std::size_t before = m_session->Moves().size();
  if (count == before) return;
  stopComputer();
  if (m_session->GoToMove(count))
    reportStep(before);
  else
    setEvent(m_phrasebook.Refusal(count < before ? game::TRefusal::NothingToUndo : game::TRefusal::NothingToRedo));
  positionChanged();
}

void GameWindow::reportStep(std::size_t before) {
  const std::size_t after = m_session->Moves().size();
  m_board->showChanges();
  setEvent(after < before ? m_phrasebook.TakenBack(before - after) : m_phrasebook.PlayedAgain(after - before));
}

// Thought out elsewhere, since the expert takes its time; the session says
// whether the answer still applies when it comes.
void GameWindow::hint() {
  m_hintThinker.cancel();
  const std::optional<game::TThinkRequest> request = m_session->HintRequest();
  if (!request) {
    setEvent(m_phrasebook.NoHint());
    return;
  }
  m_hintThinker.start(*request);
  setEvent(m_phrasebook.Thinking(request->Level));
}

// When the game has moved on, the event that moved it is what the status
// bar says.
void GameWindow::hintThought(const game::TThinkRequest& request, QPoint cell) {
  const std::optional<vcl::TPoint> shown = m_session->HintStillApplies(request, {cell.x(), cell.y()});
  if (!shown) return;
  m_board->showFocusCell(QPoint(shown->X, shown->Y));
  setEvent(qt::said(m_phrasebook.Hint(*shown)) + QLatin1Char(' ') + tr("Space plays it."));
  m_hintShown = true;
}

// ---- Records --------------------------------------------------------------

QString GameWindow::openRecordText(const QByteArray& text) {
  stopComputer();
  const std::string error =
      m_session->OpenRecord(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
  if (error.empty()) {
    m_board->showChanges();
    adoptGameIntoSettings();
    setEvent(tr("Game opened"));
  }
  positionChanged();
  return QString::fromStdString(error);
}

QString GameWindow::readRecordFile(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return file.errorString();
  const QByteArray text = file.read(largestRecord + 1);
  return text.size() > largestRecord ? tr("the file is larger than any game record") : openRecordText(text);
}

QString GameWindow::writeRecordFile(const QString& fileName) {
  const std::string record = m_session->SaveRecord();
  QSaveFile file(fileName);
  if (file.open(QIODevice::WriteOnly) && file.write(record.data(), static_cast<qint64>(record.size())) >= 0 &&
      file.commit())
    return {};
  return file.errorString();
}

bool GameWindow::openRecordFile(const QString& fileName) {
  const QString reason = readRecordFile(fileName);
  if (reason.isEmpty()) return true;
  QMessageBox::warning(this, tr("Open game"),
                       tr("Cannot open %1 as a game:\n%2").arg(QDir::toNativeSeparators(fileName), reason));
  return false;
}

bool GameWindow::saveRecordFile(const QString& fileName) {
  const QString reason = writeRecordFile(fileName);
  if (reason.isEmpty()) {
    setEvent(tr("Saved to %1").arg(QFileInfo(fileName).fileName()));
    return true;
  }
  QMessageBox::warning(this, tr("Save game"),
                       tr("Cannot save the game as %1:\n%2").arg(QDir::toNativeSeparators(fileName), reason));
  return false;
}

// Closing is no time for questions: a game that cannot be kept is only
// logged.
void GameWindow::keepGame() {
  const QString fileName = keptGameFile();
  QDir().mkpath(QFileInfo(fileName).absolutePath());
  const QString reason = writeRecordFile(fileName);
  if (!reason.isEmpty()) qWarning("Cannot keep the game in %s: %s", qPrintable(fileName), qPrintable(reason));
}

// The window is not up yet, so the status bar says what became of a kept
// game that cannot be read; the file stays for a look, under another name.
void GameWindow::restoreKeptGame() {
  const QString fileName = keptGameFile();
  if (!QFileInfo::exists(fileName)) return;
  const QString reason = readRecordFile(fileName);
  if (reason.isEmpty()) {
    setEvent(tr("The last game goes on."));
    return;
  }
  const QString setAside = fileName + QStringLiteral(".unreadable");
  QFile::remove(setAside);
  QFile::rename(fileName, setAside);
  setEvent(tr("The last game could not be read (%1); it was set aside as %2.")
               .arg(reason, QDir::toNativeSeparators(setAside)));
}

void GameWindow::openRecord() {
  if (!mayDiscardGame()) return;
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
