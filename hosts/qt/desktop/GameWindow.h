// The desktop game: the board in the middle of the window with square cells
// and numbered edges, the game session behind it, the list of moves beside
// it, Game, View and Settings menus, and a status bar that says whose turn it
// is and what happened last, in the phrasebook's words.
//
// A game in progress is never lost unasked: New, a new board size and Open
// ask first (unless the player said not to), and closing the window keeps
// the game for the next start.
//
// The window decides nothing about the game: after every change it asks the
// session what the computer must do and does it. The control's own
// strengths move here and now; the expert's moves and hints are thought out
// on worker threads while the window stays responsive, and come back here.
// While the computer is to move, presses and keys do not play.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <cstddef>
#include <memory>
#include <string>

#include "BackgroundThinker.h"
#include "GameSettings.h"
#include "Phrasebook.h"

class QAction;
class QDockWidget;
class QLabel;
class QListWidget;
class QuintarWidget;

namespace quintar::desktop {

class BoardView;
class ElidedLabel;

class GameWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Takes the settings and the window's geometry from the application's
  // QSettings, and goes on with the game kept when it last closed.
  explicit GameWindow(QWidget* parent = nullptr);
  ~GameWindow() override;

  // Where the game is kept between runs: in the application's data folder.
  static QString keptGameFile();
  // The setting that, when false, lets a game in progress go unasked.
  static const QString askBeforeDiscardingKey;

  QuintarWidget* board() const { return m_board; }
  BoardView* boardView() const { return m_boardView; }
  QListWidget* moveList() const { return m_moveList; }
  game::TGameSession& session() { return *m_session; }
  const GameSettings& settings() const { return m_settings; }
  void applySettings(const GameSettings& settings);

  // What the status bar shows.
  QString turnStatus() const;
  QString eventStatus() const;

  // Sets up the game of a record's text; the reason it cannot, or empty.
  QString openRecordText(const QByteArray& text);
  // At least one move made and the game not over.
  bool gameInProgress();
  // Each says what went wrong in a message box, leaving the game as it was.
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
  void openRecord();
  void saveRecord();
  void editSettings();
  void about();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void createMenus();
  void createMoveList();
  void listen();
  QAction* addAction(QMenu* menu, const QString& text, const QKeySequence& shortcut, void (GameWindow::*slot)());
  void setEvent(const std::string& sentence);
  void setEvent(const QString& text);
  // Runs once after every change of the game, after the change is done.
  void positionChanged();
  void followPosition();
  // Does what the session says the computer must do now.
  void actOn(const game::TComputerDue& due);
  void paceElapsed();
  void stopComputer();
  // Undo or Redo, and the phrasebook's words for how many moves it stepped.
  void stepThroughHistory(bool (game::TGameSession::*step)(), game::TRefusal nothing);
  // Says how many moves the last step through the history took back or
  // played again, from Before moves on the board.
  void reportStep(std::size_t before);
  void thought(const game::TThinkRequest& request, QPoint cell);
  void hintThought(const game::TThinkRequest& request, QPoint cell);
  void updateStatus();
  void showMoveLine();
  void saveSettings();
  void startNewGame();
  // Asks whether the game in progress may go; true when there is none or the
  // player agrees (or said not to be asked again).
  bool mayDiscardGame();
  // The settings take the board size and the players of an opened game, so
  // that the settings dialog shows the game as it is.
  void adoptGameIntoSettings();
  // Opens the game of a record file: the reason it cannot, or empty.
  QString readRecordFile(const QString& fileName);
  // The reason the record cannot be written, or empty.
  QString writeRecordFile(const QString& fileName);
  void keepGame();
  // A kept game that cannot be read is set aside, renamed, and said so.
  void restoreKeptGame();

  QuintarWidget* m_board = nullptr;
  BoardView* m_boardView = nullptr;
  QDockWidget* m_movePanel = nullptr;
  QListWidget* m_moveList = nullptr;
  std::unique_ptr<game::TGameSession> m_session;
  GameSettings m_settings;
  game::TPhrasebook m_phrasebook;
  BackgroundThinker m_thinker;
  BackgroundThinker m_hintThinker;
  // Lets each move of a demonstration be seen before the next.
  QTimer m_paceTimer;
  bool m_followPending = false;
  QLabel* m_turnLabel = nullptr;
  ElidedLabel* m_eventLabel = nullptr;
  // The event text is a hint for the focus cell: it goes when the cell moves.
  bool m_hintShown = false;
  QAction* m_undoAction = nullptr;
  QAction* m_redoAction = nullptr;
  QString m_recordFolder;
};

}  // namespace quintar::desktop
