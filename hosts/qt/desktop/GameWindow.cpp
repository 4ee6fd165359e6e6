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
#include <optional>

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
const QString recordFilter = QStringLiteral("Game records (*.psq);;All files (*)");

}  // namespace

GameWindow::GameWindow(QWidget* parent) : QMainWindow(parent), m_phrasebook(qt::translatedPhrasebook()) {
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

  m_paceTimer.setSingleShot(true);
  connect(&m_paceTimer, &QTimer::timeout, this, &GameWindow::paceElapsed);
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
}

void GameWindow::setEvent(const std::string& sentence) { setEvent(qt::said(sentence)); }

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
}

// ---- Game menu ------------------------------------------------------------

void GameWindow::newGame() {
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

void GameWindow::undo() {
  stepThroughHistory(&game::TGameSession::Undo, &game::TPhrasebook::TakenBack, game::TRefusal::NothingToUndo);
}

void GameWindow::redo() {
  stepThroughHistory(&game::TGameSession::Redo, &game::TPhrasebook::PlayedAgain, game::TRefusal::NothingToRedo);
}

void GameWindow::stepThroughHistory(bool (game::TGameSession::*step)(),
                                    std::string (game::TPhrasebook::*done)(std::size_t) const, game::TRefusal nothing) {
  stopComputer();
  const std::size_t before = m_session->Moves().size();
  if ((*m_session.*step)()) {
    const std::size_t after = m_session->Moves().size();
    m_board->showChanges();
    // Undo takes moves off, Redo puts them back.
    setEvent((m_phrasebook.*done)(before > after ? before - after : after - before));
  } else {
    setEvent(m_phrasebook.Refusal(nothing));
  }
  positionChanged();
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
}

// ---- Records --------------------------------------------------------------

QString GameWindow::openRecordText(const QByteArray& text) {
  stopComputer();
  const std::string error =
      m_session->OpenRecord(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
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
  QMessageBox::warning(
      this, tr("Save game"),
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
