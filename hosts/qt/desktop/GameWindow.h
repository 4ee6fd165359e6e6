// The desktop game: the board in the middle of the window with square cells
// and numbered edges, the list of moves beside it, an Analysis panel shown
// from the View menu, Game, View and Settings menus, and a status bar that
// says whose turn it is and what happened last, in the phrasebook's words.
//
// The game itself is the table's: presses, keys and menu choices go to it,
// and it says what happened. The window keeps the toolkit's part: widgets,
// menus and dialogs, the settings and the game kept between runs, the
// expert's thinking, the analysis of the position and the review of a game
// each on a worker thread of its own, the pace of a demonstration on a
// timer, and asking the person whenever the table says a game in progress
// would be lost (unless the person said not to be asked).
//
// While the Analysis panel is on, the table has every position analysed:
// the panel shows the report, and the board marks the best line with
// numbers. A review marks each move in the Moves list with its judgement;
// choosing a move there says the review's sentence for it.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "BackgroundAnalyst.h"
#include "BackgroundReviewer.h"
#include "BackgroundThinker.h"
#include "GameSettings.h"
#include "GameTable.h"

class QAction;
class QDockWidget;
class QLabel;
class QListWidget;
class QMessageBox;
class QuintarWidget;

namespace quintar::desktop {

class AnalysisPanel;
class BoardView;
class ElidedLabel;

class GameWindow : public QMainWindow, private game::TTableListener {
  Q_OBJECT

 public:
  // Takes the settings and the window's geometry from the application's
  // QSettings, and goes on with the game kept when it last closed.
  explicit GameWindow(QWidget* parent = nullptr);
  ~GameWindow() override;

  // Where the game is kept between runs: in the application's data folder.
  static QString keptGameFile();
  // What keeping the game came to: why it could not be kept, and where a
  // game another window kept meanwhile was set aside; each empty when not.
  struct KeepOutcome {
    QString whyNotKept;
    QString setAside;
  };
  // For an end no one is there to answer (logging out, shutting down):
  // keeps the game and the settings as closing does, without asking.
  KeepOutcome endUnasked();

  QuintarWidget* board() const { return m_board; }
  BoardView* boardView() const { return m_boardView; }
  QListWidget* moveList() const { return m_moveList; }
  // Shown and hidden by its action in the View menu; analysis runs while
  // the action is checked.
  QDockWidget* analysisDock() const { return m_analysisDock; }
  AnalysisPanel* analysisPanel() const { return m_analysisPanel; }
  game::TGameTable& table() { return *m_table; }
  const GameSettings& settings() const { return m_settings; }
  void applySettings(const GameSettings& settings);

  // What the status bar shows.
  QString turnStatus() const;
  QString eventStatus() const;

  // Each says what went wrong in a message box, leaving the game as it was.
  // Opening asks first when a game in progress would be lost.
  bool openRecordFile(const QString& fileName);
  bool saveRecordFile(const QString& fileName);

 public slots:
  void newGame();
  void computerMovesNow();
  void undo();
  void redo();
  // Takes moves back or plays them again until Count moves are on the board.
  void goToMove(std::size_t count);
  void hint();
  // Reviews the game on a worker thread, saying how far it has got.
  void reviewGame();
  void openRecord();
  void saveRecord();
  void editSettings();
  void about();

 signals:
  // Everything the table says, as it says it, also when the status bar
  // leaves it to whose-turn text that says the same.
  void announced(const QString& words);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  class BoardInput;

  // ---- What the table tells the window ----
  void Announced(const std::string& Words) override;
  void Changed() override;
  void ThinkingRequested(std::uint32_t Serial, const game::TThinkRequest& Turn) override;
  void PaceRequested(int Milliseconds) override;
  void AnalysisRequested(std::uint32_t Serial, const std::optional<game::TThinkRequest>& Position) override;
  void AnalysisChanged() override;
  bool PlaysByKeys() const override { return true; }

  void createMenus();
  void createMoveList();
  void createAnalysisPanel();
  QDockWidget* sidePanel() const;
  void fitSidePanel();
  QAction* addAction(QMenu* menu, const QString& text, const QKeySequence& shortcut, void (GameWindow::*slot)());
  void setEvent(const QString& text);
  void showReviewProgress(std::size_t judged, std::size_t moves);
  void showMoveLine();
  // The latest report in the panel and its best line on the board.
  void showAnalysis();
  // The review's sentence for the move at Index, when a review speaks for
  // the game.
  void showJudgement(std::size_t index);
  void reviewed(const game::TReviewRequest& request, const game::TReview& review);
  // The settings as the table and the board take them; the table holds the
  // computer meanwhile, so that it moves once they are all in.
  void adoptSettings(const GameSettings& settings);
  void saveSettings();
  // The computer's move, the analysis and a review stop thinking.
  void stopThinking();
  // Asks whether the game in progress may go; true when the table says no
  // game would be lost, or the player agrees (or said not to be asked again).
  bool mayDiscardGame();
  // Asks whether the window may close though its game could not be kept.
  bool mayCloseWithoutKeeping(const QString& whyNotKept);
  int askHoldingThePace(QMessageBox& box);
  // The settings take the board size and the players of an opened game, so
  // that the settings dialog shows the game as it is.
  void adoptGameIntoSettings();
  // The file's text, at most one byte more than any record: the table
  // refuses what is larger. Empty with the reason when it cannot be read.
  std::optional<QByteArray> readRecordFile(const QString& fileName, QString& reason);
  QString recordFolder() const;
  // The reason the text cannot be written, or empty.
  static QString writeFile(const QString& fileName, const std::string& text);
  static std::string keptFileText(const QString& fileName);
  // Keeps the game for the next run, setting aside first a game another
  // window kept meanwhile.
  KeepOutcome keepGame();
  QString setAsideAnotherWindowsGame(const QString& fileName);
  // A kept game that cannot be read is set aside, renamed, and said so.
  void restoreKeptGame();

  QuintarWidget* m_board = nullptr;
  BoardView* m_boardView = nullptr;
  QDockWidget* m_movePanel = nullptr;
  QListWidget* m_moveList = nullptr;
  QDockWidget* m_analysisDock = nullptr;
  AnalysisPanel* m_analysisPanel = nullptr;
  // The side panel's width before a narrower window took room from it for
  // the board, while it has not had it all back; 0 otherwise. Kept with the
  // window's state, so that a run ended narrow still gives it back.
  int m_panelWidthBeforeNarrowing = 0;
  QLabel* m_turnLabel = nullptr;
  ElidedLabel* m_eventLabel = nullptr;
  QAction* m_undoAction = nullptr;
  QAction* m_redoAction = nullptr;
  GameSettings m_settings;
  BackgroundThinker m_thinker;
  BackgroundAnalyst m_analyst;
  BackgroundReviewer m_reviewer;
  // The game the review under way judges, while it runs, and whether the
  // status bar shows its progress.
  std::optional<game::TReviewRequest> m_reviewing;
  bool m_reviewProgressShown = false;
  // Lets each move of a demonstration be seen before the next; while the
  // person is asked whether its game may go, a move that falls due waits.
  QTimer m_paceTimer;
  bool m_asking = false;
  bool m_paceWaited = false;
  std::unique_ptr<game::TGameTable> m_table;
  game::TKeptGameMark m_keptMark;
  std::unique_ptr<BoardInput> m_input;
  // The event text is a hint for the focus cell: it goes when the cell moves.
  bool m_hintShown = false;
  QString m_recordFolder;  // where a record was last opened or saved
};

}  // namespace quintar::desktop
