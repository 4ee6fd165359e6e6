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
#include <QPainter>
#include <QResizeEvent>
#include <QSaveFile>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <algorithm>
#include <array>

#include "AnalysisPanel.h"
#include "BoardView.h"
#include "ElidedLabel.h"
#include "PackageIdentity.h"
#include "Quintar.h"
#include "QuintarWidget.h"
#include "SettingsDialog.h"
#include "TranslatedPhrasebook.h"

namespace quintar::desktop {
namespace {

// The game's moves. Come to by the keyboard, the list starts at the move
// chosen in it, the one the game stands at, rather than at the first; shown
// or resized (the window restored at a start, the panel shown again), it
// keeps that move in sight.
class MoveList : public QListWidget {
 protected:
  void focusInEvent(QFocusEvent* event) override {
    if (QListWidgetItem* move = chosenMove()) setCurrentItem(move);
    QListWidget::focusInEvent(event);
  }
  void showEvent(QShowEvent* event) override {
    QListWidget::showEvent(event);
    showChosenMove();
  }
  void resizeEvent(QResizeEvent* event) override {
    QListWidget::resizeEvent(event);
    showChosenMove();
  }

 private:
  QListWidgetItem* chosenMove() const {
    const QList<QListWidgetItem*> chosen = selectedItems();
    return chosen.isEmpty() ? nullptr : chosen.front();
  }
  void showChosenMove() {
    if (QListWidgetItem* move = chosenMove()) scrollToItem(move);
  }
};

const QString geometryKey = QStringLiteral("window/geometry");
const QString windowStateKey = QStringLiteral("window/state");
const QString panelWidthOwedKey = QStringLiteral("window/panelWidthOwed");

QString recordFilter() {
  return GameWindow::tr("Game records (*%1);;All files (*)").arg(QLatin1String(game::RecordExtension));
}

std::string_view viewOf(const QByteArray& text) { return {text.constData(), static_cast<std::size_t>(text.size())}; }

// A dot beside a reviewed move, from green for the best to red for a win
// thrown away, so that the faults of a long game stand out.
QIcon judgementIcon(game::TJudgement judgement) {
  static constexpr std::array<QRgb, game::JudgementCount> colors = {0x2e7d32, 0x9ccc65, 0xfbc02d,
                                                                    0xef6c00, 0xc62828, 0xc62828};
  QPixmap dot(12, 12);
  dot.fill(Qt::transparent);
  QPainter painter(&dot);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(colors[static_cast<std::size_t>(judgement)]));
  painter.drawEllipse(1, 1, 10, 10);
  return QIcon(dot);
}

// How the game stands for crosses, whichever side is to move.
std::optional<int> crossesAdvantage(const std::optional<TAnalysis>& report) {
  if (!report || report->Lines.empty()) return std::nullopt;
  return report->Lines.front().Advantage.Value * report->Turn;
}

}  // namespace

// The board's presses and keys, played through the table so that a refused
// one is said and the computer answers.
class GameWindow::BoardInput : public QuintarWidget::Forwarder {
 public:
  explicit BoardInput(game::TGameTable& table) : m_table(table) {}
  void press(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) override {
    m_table.Press(button, shift, x, y);
  }
  void moveFocusCell(int columns, int rows) override { m_table.MoveFocus(columns, rows); }
  void setFocusCell(QPoint cell) override { m_table.SetFocusCell({cell.x(), cell.y()}); }
  QPoint focusCell() const override { return {m_table.FocusCell().X, m_table.FocusCell().Y}; }
  void playFocusCell() override { m_table.PlayFocusCell(); }

 private:
  game::TGameTable& m_table;
};

QString GameWindow::keptGameFile() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/game") +
         QLatin1String(game::RecordExtension);
}

// The board assigns the control's events to its signals as it is made; the
// table, made after it, chains to them.
GameWindow::GameWindow(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(tr("Quintar"));
  setWindowIcon(QIcon(QPixmap::fromImage(qt::mainIcon())));
  m_board = new QuintarWidget;
  m_boardView = new BoardView(m_board);
  setCentralWidget(m_boardView);
  m_table = std::make_unique<game::TGameTable>(m_board->control(), static_cast<game::TTableListener&>(*this),
                                               game::TThinking::Elsewhere, qt::translatedPhrasebook());
  m_input = std::make_unique<BoardInput>(*m_table);
  m_board->setForwarder(m_input.get());

  // Whose turn it is always shows in full; what happened last takes the rest.
  m_turnLabel = new QLabel;
  m_eventLabel = new ElidedLabel;
  statusBar()->addWidget(m_turnLabel);
  statusBar()->addWidget(m_eventLabel, 1);
  createMoveList();
  createAnalysisPanel();
  createMenus();

  m_paceTimer.setSingleShot(true);
  connect(&m_paceTimer, &QTimer::timeout, this, [this] {
    if (m_asking)
      m_paceWaited = true;
    else
      m_table->Continue();
  });
  connect(&m_thinker, &BackgroundThinker::thought, this, [this](std::uint32_t serial, std::optional<QPoint> cell) {
    m_table->Answer(serial, cell ? std::optional<vcl::TPoint>(vcl::TPoint{cell->x(), cell->y()}) : std::nullopt);
  });
  connect(&m_analyst, &BackgroundAnalyst::reported, this,
          [this](std::uint32_t serial, const TAnalysis& report) { m_table->AnalysisReported(serial, report); });
  connect(&m_reviewer, &BackgroundReviewer::progressed, this, [this](std::size_t judged, std::size_t moves) {
    if (m_reviewing) showReviewProgress(judged, moves);
  });
  connect(&m_reviewer, &BackgroundReviewer::reviewed, this, &GameWindow::reviewed);
  connect(m_board, &QuintarWidget::focusCellChanged, this, [this] {
    if (m_hintShown) setEvent(QString());
  });

  // The computer waits until the game to go on with is on the board.
  m_table->SetHeld(true);
  QSettings store;
  adoptSettings(loadGameSettings(store));
  restoreKeptGame();
  m_keptMark = game::TKeptGameMark(m_table->GameToKeep(), keptFileText(keptGameFile()));
  m_table->SetHeld(false);
  // The first time, cells of the view's preferred size.
  if (!restoreGeometry(store.value(geometryKey).toByteArray())) resize(sizeHint());
  // A window kept from a larger screen, or a tall board's first size, would
  // reach past this one, and its status bar with it.
  if (const QScreen* shown = screen()) resize(size().boundedTo(shown->availableGeometry().size()));
  restoreState(store.value(windowStateKey).toByteArray());
  m_panelWidthBeforeNarrowing = store.value(panelWidthOwedKey, 0).toInt();
  m_board->setFocus();
}

// The thinking stops, and the board plays by itself again, before the table
// goes; so does the analysis panel's switch, which the panel, hidden as the
// window closes, would otherwise turn off on a table already gone.
GameWindow::~GameWindow() {
  stopThinking();
  m_board->setForwarder(nullptr);
  disconnect(m_analysisDock->toggleViewAction(), nullptr, this, nullptr);
}

void GameWindow::createMenus() {
  QMenu* gameMenu = menuBar()->addMenu(tr("&Game"));
  addAction(gameMenu, tr("&New"), QKeySequence::New, &GameWindow::newGame);
  addAction(gameMenu, tr("&Computer moves now"), QKeySequence(Qt::CTRL | Qt::Key_M), &GameWindow::computerMovesNow);
  gameMenu->addSeparator();
  m_undoAction = addAction(gameMenu, tr("&Undo"), QKeySequence::Undo, &GameWindow::undo);
  m_redoAction = addAction(gameMenu, tr("&Redo"), QKeySequence::Redo, &GameWindow::redo);
  addAction(gameMenu, tr("&Hint"), QKeySequence(Qt::CTRL | Qt::Key_H), &GameWindow::hint);
  addAction(gameMenu, tr("Re&view game"), QKeySequence(Qt::CTRL | Qt::Key_R), &GameWindow::reviewGame);
  gameMenu->addSeparator();
  addAction(gameMenu, tr("&Open..."), QKeySequence::Open, &GameWindow::openRecord);
  addAction(gameMenu, tr("&Save..."), QKeySequence::Save, &GameWindow::saveRecord);
  gameMenu->addSeparator();
  QAction* quit = gameMenu->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);
  quit->setMenuRole(QAction::QuitRole);

  QMenu* viewMenu = menuBar()->addMenu(tr("&View"));
  viewMenu->addAction(m_movePanel->toggleViewAction());
  QAction* analysis = m_analysisDock->toggleViewAction();
  analysis->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
  viewMenu->addAction(analysis);

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
  m_moveList = new MoveList;
  m_moveList->setAccessibleName(m_movePanel->windowTitle());
  // A move's sentence wraps rather than hiding behind a scroll bar.
  m_moveList->setWordWrap(true);
  m_moveList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_moveList->setMinimumWidth(m_moveList->fontMetrics().averageCharWidth() * 18);
  m_movePanel->setWidget(m_moveList);
  addDockWidget(Qt::RightDockWidgetArea, m_movePanel);
  const auto chosen = [this](QListWidgetItem* item) {
    const auto index = static_cast<std::size_t>(m_moveList->row(item));
    goToMove(index + 1);
    showJudgement(index);
  };
  connect(m_moveList, &QListWidget::itemClicked, this, chosen);
  connect(m_moveList, &QListWidget::itemActivated, this, chosen);
}

// Off at first; the window's saved state may show it again. Showing it turns
// analysis on, hiding it (by the menu or its own close button) off.
void GameWindow::createAnalysisPanel() {
  m_analysisDock = new QDockWidget(tr("Analysis"), this);
  m_analysisDock->setObjectName(QStringLiteral("analysis"));
  m_analysisPanel = new AnalysisPanel;
  m_analysisDock->setWidget(m_analysisPanel);
  addDockWidget(Qt::RightDockWidgetArea, m_analysisDock);
  m_analysisDock->hide();
  connect(m_analysisDock->toggleViewAction(), &QAction::toggled, this, [this](bool on) {
    // Its sentences wrap: beside the moves, it takes half the height, once
    // it is shown (the action says so before the panel shows again).
    if (on)
      QMetaObject::invokeMethod(
          this,
          [this] {
            resizeDocks({m_movePanel, m_analysisDock}, {1, 1}, Qt::Vertical);
          },
          Qt::QueuedConnection);
    m_table->SetAnalysing(on);
  });
}

QAction* GameWindow::addAction(QMenu* menu, const QString& text, const QKeySequence& shortcut,
                               void (GameWindow::*slot)()) {
  return menu->addAction(text, shortcut, this, slot);
}

// ---- What the table tells the window ----------------------------------------

// The board's words for assistive technology, and the status bar's unless
// the whose-turn text says the same already (the result, a locked board).
void GameWindow::Announced(const std::string& Words) {
  const QString text = qt::said(Words);
  m_board->announce(text);
  emit announced(text);
  if (Words == m_table->Status()) return;
  const std::optional<vcl::TPoint> hint = m_table->HintCell();
  const bool isHint = hint && m_table->AnnouncingHint();
  if (isHint) m_board->showFocusCell(QPoint(hint->X, hint->Y));
  setEvent(text);
  m_hintShown = isHint;
}

void GameWindow::Changed() {
  m_board->showChanges();
  m_board->followFocusCell();
  if (m_boardView->followBoardSize()) fitSidePanel();
  m_turnLabel->setText(qt::said(m_table->Status()));
  m_undoAction->setEnabled(m_table->CanUndo());
  m_redoAction->setEnabled(m_table->CanRedo());
  showMoveLine();
  // A move off the reviewed line leaves the review nothing to judge: it
  // stops, and its progress no longer speaks over the game.
  if (m_reviewing && !m_table->ReviewApplies(*m_reviewing)) {
    m_reviewer.cancel();
    m_reviewing.reset();
    if (m_reviewProgressShown) setEvent(QString());
  }
}

// A new question replaces the one being thought about, whose position the
// table has left behind.
void GameWindow::ThinkingRequested(std::uint32_t Serial, const game::TThinkRequest& Turn) {
  m_thinker.start(Serial, Turn);
}

void GameWindow::PaceRequested(int Milliseconds) { m_paceTimer.start(Milliseconds); }

// A new position replaces the one being analysed at once.
void GameWindow::AnalysisRequested(std::uint32_t Serial, const std::optional<game::TThinkRequest>& Position) {
  if (Position)
    m_analyst.start(Serial, *Position);
  else
    m_analyst.stop();
}

void GameWindow::AnalysisChanged() { showAnalysis(); }

void GameWindow::setEvent(const QString& text) {
  m_hintShown = false;
  m_reviewProgressShown = false;
  m_eventLabel->setFullText(text);
}

void GameWindow::showReviewProgress(std::size_t judged, std::size_t moves) {
  setEvent(qt::said(m_table->Words().ReviewProgress(judged, moves)));
  m_reviewProgressShown = true;
}

QString GameWindow::turnStatus() const { return m_turnLabel->text(); }

QString GameWindow::eventStatus() const { return m_eventLabel->fullText(); }

// Every move of the line, numbered; the last one on the board is the current
// one, and those that could be played again are greyed. A reviewed game's
// moves carry their judgement, with its sentence for a tooltip and for
// screen readers, and the panel shows the review's summary for each side.
void GameWindow::showMoveLine() {
  const std::vector<std::string> line = m_table->MoveLineWords();
  const std::size_t made = m_table->MovesMade();
  const std::optional<game::TReview> review = m_table->Review();
  const std::vector<std::string> reviewWords = m_table->ReviewWords();
  const QSignalBlocker quiet(m_moveList);
  m_moveList->clear();
  for (std::size_t index = 0; index < line.size(); ++index) {
    auto* item = new QListWidgetItem(tr("%1. %2").arg(index + 1).arg(qt::said(line[index])));
    if (review && index < review->Moves.size()) {
      const game::TJudgement judgement = review->Moves[index].Judgement;
      item->setText(tr("%1 — %2").arg(item->text(), qt::said(m_table->Words().JudgementWord(judgement))));
      item->setIcon(judgementIcon(judgement));
      item->setToolTip(qt::said(reviewWords[index]));
      item->setData(Qt::AccessibleDescriptionRole, item->toolTip());
    }
    // Greyed as a field's placeholder is, which stays readable: the disabled
    // text colour is too faint for a move that may still be read and chosen.
    if (index >= made) item->setForeground(palette().brush(QPalette::PlaceholderText));
    if (index + 1 == made) {
      QFont current = item->font();
      current.setBold(true);
      item->setFont(current);
    }
    m_moveList->addItem(item);
  }
  // The last move made is the list's choice, but its current item only while
  // the list has the keyboard: a screen reader hears a list's current item
  // as where the focus is, even while the board has it.
  if (QListWidgetItem* last = made > 0 ? m_moveList->item(static_cast<int>(made) - 1) : nullptr) {
    last->setSelected(true);
    if (m_moveList->hasFocus()) m_moveList->setCurrentItem(last);
    m_moveList->scrollToItem(last);
  }
  const std::size_t summaries = reviewWords.size();
  m_analysisPanel->showReviewSummary(review ? qt::said(reviewWords[summaries - 2]) + QLatin1Char(' ') +
                                                  qt::said(reviewWords[summaries - 1])
                                            : QString());
}

// The best line is marked only while analysis is on: the last report may
// stay in the table a moment after it goes off.
void GameWindow::showAnalysis() {
  const std::optional<TAnalysis>& report = m_table->Analysis();
  QStringList candidates;
  for (const std::string& words : m_table->CandidateWords()) candidates << qt::said(words);
  m_analysisPanel->showAnalysis(crossesAdvantage(report), qt::said(m_table->AnalysisWords()), candidates);
  QList<QPoint> line;
  if (report && !report->Lines.empty() && m_table->Analysing())
    for (const TBoardCell& cell : report->Lines.front().Line) line << QPoint(cell.Col, cell.Row);
  m_board->showLine(line, report ? report->Turn : 1);
}

// Said to screen readers by the board too, after what choosing the move did.
void GameWindow::showJudgement(std::size_t index) {
  const std::optional<game::TReview> review = m_table->Review();
  if (!review || index >= review->Moves.size()) return;
  const QString sentence = qt::said(m_table->ReviewWords()[index]);
  setEvent(sentence);
  m_board->announce(sentence);
}

void GameWindow::reviewed(const game::TReviewRequest& request, const game::TReview& review) {
  m_reviewing.reset();
  if (!m_table->ReviewApplies(request)) return;
  m_table->Reviewed(request, review);
  showMoveLine();
  setEvent(m_analysisPanel->reviewSummary());
}

// ---- Settings -------------------------------------------------------------

void GameWindow::applySettings(const GameSettings& settings) {
  m_table->SetHeld(true);
  adoptSettings(settings);
  m_table->SetHeld(false);
}

// What the status bar said about the game before no longer holds: it says
// which new board began, or who now plays.
void GameWindow::adoptSettings(const GameSettings& settings) {
  const bool newBoard = settings.colCount != m_board->colCount() || settings.rowCount != m_board->rowCount();
  if (newBoard) m_table->SetBoardSize(settings.colCount, settings.rowCount);
  m_table->SetPlayers(settings.player(1), settings.player(-1));
  m_table->SetLock(settings.lock);
  m_table->SetClickResponse(settings.clickResponse);
  m_board->setShowHighlight(settings.showHighlight);
  m_board->setShowQuintar(settings.showQuintar);
  m_board->setColor(settings.colors[0]);
  m_board->setGridLineColor(settings.colors[1]);
  m_board->setCrossColor(settings.colors[2]);
  m_board->setNoughtColor(settings.colors[3]);
  m_board->setHighlightColor(settings.colors[4]);
  m_board->setQuintarColor(settings.colors[5]);
  m_analysisPanel->setSideColors(settings.colors[2], settings.colors[3]);
  m_settings = settings;
  const game::TPhrasebook& words = m_table->Words();
  setEvent(qt::said(newBoard ? words.NewBoard(settings.colCount, settings.rowCount) : m_table->PlayersWords()));
}

void GameWindow::adoptGameIntoSettings() {
  m_settings.colCount = m_board->colCount();
  m_settings.rowCount = m_board->rowCount();
  for (const int side : {1, -1}) m_settings.player(side) = m_table->Player(side);
}

void GameWindow::saveSettings() {
  QSettings store;
  saveGameSettings(m_settings, store);
  store.setValue(geometryKey, saveGeometry());
  store.setValue(windowStateKey, saveState());
  store.setValue(panelWidthOwedKey, m_panelWidthBeforeNarrowing);
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
  const KeepOutcome kept = keepGame();
  if (!kept.setAside.isEmpty()) {
    QMessageBox box(QMessageBox::Information, tr("Quintar"), kept.setAside, QMessageBox::Ok, this);
    askHoldingThePace(box);
  }
  if (!kept.whyNotKept.isEmpty() && !mayCloseWithoutKeeping(kept.whyNotKept)) {
    event->ignore();
    return;
  }
  stopThinking();
  saveSettings();
  QMainWindow::closeEvent(event);
}

GameWindow::KeepOutcome GameWindow::endUnasked() {
  const KeepOutcome kept = keepGame();
  stopThinking();
  saveSettings();
  return kept;
}

void GameWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  fitSidePanel();
}

// A narrower window, or a board that wants more width, takes the room from
// the side panel before the board, down to the panel's least width, and gives
// it back when the board no longer needs it: Qt's dock areas keep their width
// and would leave every pixel lost to the board, which is what the window is
// for.
void GameWindow::fitSidePanel() {
  QDockWidget* panel = sidePanel();
  if (panel == nullptr) return;
  const int spare = m_boardView->spareWidth();
  int width = panel->width();
  if (spare < 0) {
    if (m_panelWidthBeforeNarrowing == 0) m_panelWidthBeforeNarrowing = width;
    width = std::max(panel->minimumSizeHint().width(), width + spare);
  } else if (m_panelWidthBeforeNarrowing > 0) {
    width = std::min(m_panelWidthBeforeNarrowing, width + spare);
    if (width == m_panelWidthBeforeNarrowing) m_panelWidthBeforeNarrowing = 0;
  }
  if (width != panel->width()) resizeDocks({panel}, {width}, Qt::Horizontal);
}

// The first panel docked beside the board, if any is shown: also while the
// window itself is being shown, which lays it out first.
QDockWidget* GameWindow::sidePanel() const {
  for (QDockWidget* panel : {m_movePanel, m_analysisDock}) {
    const Qt::DockWidgetArea area = dockWidgetArea(panel);
    if (panel->isVisibleTo(this) && !panel->isFloating() &&
        (area == Qt::LeftDockWidgetArea || area == Qt::RightDockWidgetArea))
      return panel;
  }
  return nullptr;
}

void GameWindow::stopThinking() {
  m_thinker.cancel();
  m_analyst.stop();
  m_reviewer.cancel();
  m_paceTimer.stop();
}

// ---- Asking before a game goes ---------------------------------------------

bool GameWindow::mayDiscardGame() {
  if (!m_table->WouldDiscardGame() || !m_settings.askBeforeDiscarding) return true;
  const game::TPhrasebook& words = m_table->Words();
  QMessageBox box(QMessageBox::Question, tr("Quintar"), qt::said(words.Phrase(game::TPhrase::DiscardWarning)),
                  QMessageBox::Discard | QMessageBox::Cancel, this);
  box.setInformativeText(qt::said(words.Phrase(game::TPhrase::DiscardQuestion)));
  box.setDefaultButton(QMessageBox::Cancel);
  auto* dontAsk = new QCheckBox(qt::said(words.Phrase(game::TPhrase::DontAskAgain)));
  box.setCheckBox(dontAsk);
  if (askHoldingThePace(box) != QMessageBox::Discard) return false;
  if (dontAsk->isChecked()) {
    m_settings.askBeforeDiscarding = false;
    QSettings store;
    saveGameSettings(m_settings, store);
  }
  return true;
}

// A game that cannot be kept for the next run would go with the window, so
// the player hears why and may stay to save it elsewhere. Asked every time:
// this is no question of habit but a fault.
bool GameWindow::mayCloseWithoutKeeping(const QString& whyNotKept) {
  const game::TPhrasebook& words = m_table->Words();
  QMessageBox box(QMessageBox::Warning, tr("Quintar"), whyNotKept, QMessageBox::Discard | QMessageBox::Cancel, this);
  box.setInformativeText(
      qt::said(words.Phrase(game::TPhrase::DiscardWarning) + " " + words.Phrase(game::TPhrase::DiscardQuestion)));
  box.setDefaultButton(QMessageBox::Cancel);
  return askHoldingThePace(box) == QMessageBox::Discard;
}

// A computer's move that falls due while the player is asked waits a pace
// more after the answer: a game given up meanwhile takes no move.
int GameWindow::askHoldingThePace(QMessageBox& box) {
  m_asking = true;
  const int answer = box.exec();
  m_asking = false;
  if (std::exchange(m_paceWaited, false)) m_paceTimer.start();
  return answer;
}

// ---- Game menu ------------------------------------------------------------

void GameWindow::newGame() {
  if (mayDiscardGame()) m_table->NewGame();
}

void GameWindow::computerMovesNow() { m_table->ComputerMovesNow(); }

void GameWindow::undo() { m_table->Undo(); }

void GameWindow::redo() { m_table->Redo(); }

void GameWindow::goToMove(std::size_t count) { m_table->GoToMove(count); }

void GameWindow::hint() { m_table->Hint(); }

void GameWindow::reviewGame() {
  if (!m_table->MayReview()) return;
  m_reviewing = m_table->ReviewRequest();
  showReviewProgress(0, m_reviewing->Moves.size());
  m_reviewer.start(*m_reviewing);
}

// ---- Records --------------------------------------------------------------

std::optional<QByteArray> GameWindow::readRecordFile(const QString& fileName, QString& reason) {
  // Opening a pipe waits for a writer, and the window would hang meanwhile.
  const QFileInfo info(fileName);
  if (info.exists() && !info.isFile() && !info.isDir()) {
    reason = qt::said(m_table->Words().Phrase(game::TPhrase::NotAStoredFile));
    return std::nullopt;
  }
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) {
    reason = file.errorString();
    return std::nullopt;
  }
  return file.read(static_cast<qint64>(game::LargestRecordBytes) + 1);
}

// The kept file's bytes, as much of them as a record can be; empty when
// there is none.
std::string GameWindow::keptFileText(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.read(static_cast<qint64>(game::LargestRecordBytes) + 1).toStdString();
}

// Unbuffered, so that a write the disk refuses (it is full) fails the save:
// a buffered write fails only as the file is committed, which then puts the
// short file in the old one's place all the same.
QString GameWindow::writeFile(const QString& fileName, const std::string& text) {
  QSaveFile file(fileName);
  const auto size = static_cast<qint64>(text.size());
  if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && file.write(text.data(), size) == size && file.commit())
    return {};
  return file.errorString();
}

// A file that is no record is refused before anyone is asked to give up the
// game in progress for it.
bool GameWindow::openRecordFile(const QString& fileName) {
  QString reason;
  const std::optional<QByteArray> text = readRecordFile(fileName, reason);
  if (text) reason = qt::said(m_table->RecordRefusal(viewOf(*text)));
  if (reason.isEmpty()) {
    if (!mayDiscardGame()) return false;
    reason = qt::said(m_table->OpenRecord(viewOf(*text), QFileInfo(fileName).fileName().toStdString()));
  }
  if (reason.isEmpty()) {
    adoptGameIntoSettings();
    return true;
  }
  const std::string name = QDir::toNativeSeparators(fileName).toStdString();
  QMessageBox::warning(this, tr("Open game"), qt::said(m_table->Words().CannotOpen(name, reason.toStdString())));
  return false;
}

// A game just saved is not lost by what comes next: the table hears of it.
bool GameWindow::saveRecordFile(const QString& fileName) {
  const QString reason = writeFile(fileName, m_table->SaveRecord());
  if (reason.isEmpty()) {
    m_table->Saved(QFileInfo(fileName).fileName().toStdString());
    return true;
  }
  const std::string name = QDir::toNativeSeparators(fileName).toStdString();
  QMessageBox::warning(this, tr("Save game"), qt::said(m_table->Words().CannotSave(name, reason.toStdString())));
  return false;
}

// With no game worth keeping, none is offered next time.
GameWindow::KeepOutcome GameWindow::keepGame() {
  const QString fileName = keptGameFile();
  const std::string kept = m_table->GameToKeep();
  if (!m_keptMark.Changed(kept)) return {};
  // With nothing to keep, a game another window kept stays where it is.
  if (kept.empty() && m_keptMark.AnotherKeptSince(keptFileText(fileName))) return {};
  KeepOutcome outcome{{}, setAsideAnotherWindowsGame(fileName)};
  if (kept.empty()) {
    QFile::remove(fileName);
  } else {
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    if (const QString reason = writeFile(fileName, kept); !reason.isEmpty()) {
      const std::string name = QDir::toNativeSeparators(fileName).toStdString();
      outcome.whyNotKept = qt::said(m_table->Words().CannotSave(name, reason.toStdString()));
      return outcome;
    }
  }
  m_keptMark = game::TKeptGameMark(kept, kept);
  return outcome;
}

// A game another window kept while this one ran would be lost under this
// one's: it goes under another name, which the person is told.
QString GameWindow::setAsideAnotherWindowsGame(const QString& fileName) {
  if (!m_keptMark.AnotherKeptSince(keptFileText(fileName))) return {};
  const QString setAside =
      QString::fromStdString(game::SetAsideName(fileName.toStdString(), "earlier", [](const std::string& name) {
        return QFileInfo::exists(QString::fromStdString(name));
      }));
  if (!QFile::rename(fileName, setAside)) return {};
  return qt::said(m_table->Words().EarlierGameSetAside(QDir::toNativeSeparators(setAside).toStdString()));
}

// The window is not up yet, so the status bar says what became of a kept
// game that cannot be read; the file stays for a look, under another name.
void GameWindow::restoreKeptGame() {
  const QString fileName = keptGameFile();
  if (!QFileInfo::exists(fileName)) return;
  QString reason;
  if (const std::optional<QByteArray> text = readRecordFile(fileName, reason))
    reason = qt::said(m_table->RestoreKeptGame(viewOf(*text)));
  if (reason.isEmpty()) {
    adoptGameIntoSettings();
    return;
  }
  const QString setAside =
      QString::fromStdString(game::SetAsideName(fileName.toStdString(), "unreadable", [](const std::string& name) {
        return QFileInfo(QString::fromStdString(name)).exists();
      }));
  QFile::remove(setAside);
  if (!QFile::rename(fileName, setAside)) {
    const std::string name = QDir::toNativeSeparators(fileName).toStdString();
    setEvent(qt::said(m_table->Words().CannotOpen(name, reason.toStdString())));
    return;
  }
  setEvent(qt::said(
      m_table->Words().KeptGameSetAside(reason.toStdString(), QDir::toNativeSeparators(setAside).toStdString())));
}

// Records are looked for where the last was opened or saved, else among the
// person's documents, not wherever the program happened to be started.
QString GameWindow::recordFolder() const {
  if (!m_recordFolder.isEmpty()) return m_recordFolder;
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void GameWindow::openRecord() {
  const QString fileName = QFileDialog::getOpenFileName(this, tr("Open game"), recordFolder(), recordFilter());
  if (fileName.isEmpty()) return;
  m_recordFolder = QFileInfo(fileName).absolutePath();
  openRecordFile(fileName);
}

// The dialog offers a name to take or change: "game.psq" at first.
void GameWindow::saveRecord() {
  const QString offered = tr("game") + QLatin1String(game::RecordExtension);
  QFileDialog dialog(this, tr("Save game"), QDir(recordFolder()).filePath(offered), recordFilter());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QLatin1String(game::RecordExtension.substr(1)));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString fileName = dialog.selectedFiles().constFirst();
  m_recordFolder = QFileInfo(fileName).absolutePath();
  saveRecordFile(fileName);
}

// ---- About ----------------------------------------------------------------

// What the game is and how it is played, for players.
void GameWindow::about() {
  const game::TPhrasebook& words = m_table->Words();
  QMessageBox box(this);
  box.setWindowTitle(tr("About Quintar"));
  box.setIconPixmap(QPixmap::fromImage(qt::mainIcon()).scaled(64, 64, Qt::KeepAspectRatio, Qt::FastTransformation));
  box.setText(QStringLiteral("<h3>%1</h3><p>%2</p><p>%3</p><p>%4</p>")
                  .arg(tr("Quintar"), qt::said(words.Phrase(game::TPhrase::About)).toHtmlEscaped(),
                       qt::said(words.Phrase(game::TPhrase::Rules)).toHtmlEscaped(),
                       tr("Version %1").arg(qt::packageVersion())));
  box.exec();
}

}  // namespace quintar::desktop
