// The desktop game: the board in the middle of the window, the game session
// behind it, a Game and a Settings menu, and a status bar that says whose
// turn it is and what happened last, in the phrasebook's words.
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
  void stepThroughHistory(bool (game::TGameSession::*step)(), std::string (game::TPhrasebook::*done)(std::size_t) const,
                          game::TRefusal nothing);
  void thought(const game::TThinkRequest& request, QPoint cell);
  void hintThought(const game::TThinkRequest& request, QPoint cell);
  void updateStatus();
  void saveSettings();

  QuintarWidget* m_board = nullptr;
  std::unique_ptr<game::TGameSession> m_session;
  GameSettings m_settings;
  game::TPhrasebook m_phrasebook;
  BackgroundThinker m_thinker;
  BackgroundThinker m_hintThinker;
  // Lets each move of a demonstration be seen before the next.
  QTimer m_paceTimer;
  bool m_followPending = false;
  QLabel* m_turnLabel = nullptr;
  QLabel* m_eventLabel = nullptr;
  QAction* m_undoAction = nullptr;
  QAction* m_redoAction = nullptr;
  QString m_recordFolder;
};

}  // namespace quintar::desktop
