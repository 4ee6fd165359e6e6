// The desktop game: the board in the middle of the window, the game session
// behind it, a Game and a Settings menu, and a status bar that says whose
// turn it is and what happened last.
//
// The computer never thinks on this thread for longer than one of the
// control's own strengths takes: the expert's moves and hints are thought out
// on worker threads while the window stays responsive, and come back here.
// With the computer on both sides the game is a demonstration, one move per tick of a timer.
// While the computer is to move, presses and keys do not play.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <memory>
#include <optional>

#include "BackgroundThinker.h"
#include "GameSettings.h"

class QAction;
class QLabel;
class QuintarWidget;

namespace quintar::desktop {

class GameWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Takes the settings and the window's geometry from the application's
  // QSettings.
  explicit GameWindow(QWidget* parent = nullptr);
  ~GameWindow() override;

  QuintarWidget* board() const { return m_board; }
  game::TGameSession& session() { return *m_session; }
  const GameSettings& settings() const { return m_settings; }
  void applySettings(const GameSettings& settings);

  // What the status bar shows.
  QString turnStatus() const;
  QString eventStatus() const;

  // Sets up the game of a record's text; the reason it cannot, or empty.
  QString openRecordText(const QByteArray& text);
  // Each says what went wrong in a message box, leaving the game as it was.
  bool openRecordFile(const QString& fileName);
  bool saveRecordFile(const QString& fileName);

  // The pace of a demonstration.
  static constexpr int demonstrationMilliseconds = 400;

 public slots:
  void newGame();
  void computerMovesNow();
  void undo();
  void redo();
  void hint();
  void openRecord();
  void saveRecord();
  void editSettings();
  void about();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void createMenus();
  void listen();
  QAction* addAction(QMenu* menu, const QString& text, const QKeySequence& shortcut, void (GameWindow::*slot)());
  void setEvent(const QString& text);
  // Runs once after every change of the game, after the change is done.
  void positionChanged();
  void followPosition();
  void moveComputer();
  void stopComputer();
  // Undo or Redo, and what the status bar says when it did something.
  void stepThroughHistory(bool (game::TGameSession::*step)(), const QString& done);
  void thought(const game::TThinkRequest& turn, QPoint cell);
  void hintThought(const game::TThinkRequest& turn, QPoint cell);
  // The person's side the expert plays one move for, back to the person.
  void giveBackLentSide();
  void updateStatus();
  void saveSettings();
  bool demonstration() const;

  QuintarWidget* m_board = nullptr;
  std::unique_ptr<game::TGameSession> m_session;
  GameSettings m_settings;
  BackgroundThinker m_thinker;
  BackgroundThinker m_hintThinker;
  // A person's side the computer moves for once ("computer moves now").
  std::optional<int> m_lentSide;
  QTimer m_demonstrationTimer;
  bool m_followPending = false;
  QLabel* m_turnLabel = nullptr;
  QLabel* m_eventLabel = nullptr;
  QAction* m_undoAction = nullptr;
  QAction* m_redoAction = nullptr;
  QString m_recordFolder;
};

}  // namespace quintar::desktop
