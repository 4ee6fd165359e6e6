// QuintarWidget: the board control as a Qt widget, to put on a form in Qt
// Designer or to create from code.
//
// The widget hosts one quintar::TQuintar and only shows it: the control
// draws into its own pixels, sized to the widget in device pixels so that it
// is crisp on high-density screens, and the widget puts on the screen the
// area the control says it drew. Presses, releases, moves, clicks, double
// clicks and focus changes go to the control; its published properties are
// Qt properties and its events are signals.
//
// Keyboard play: the arrow keys move a focus cell, framed on its edges by
// the widget so that its mark stays in view, and Space or Enter plays it, as
// a press on it would (so only while clickResponse is on). Assistive
// technology hears each cell the arrows reach: its column, row and mark.
//
// A program that plays the game through something of its own (a game table
// that refuses moves with words and lets the computer answer) sets a
// Forwarder: presses and keys then go to it rather than to the control, the
// frame shows the forwarder's keyboard cell, and the program tells assistive
// technology about the game itself (announce). Without one, as on a form in
// Designer, the widget plays on its control.
//
// A program that explains the game may mark a line of moves to come on the
// board (showLine): numbered marks the widget draws over the control's
// pixels, as it draws the focus frame, leaving the control's drawing as it is.
//
// The control's events are assigned to the widget's signals when it is made.
// Code that attaches something else to the hosted control's events (a game
// session) should chain to those handlers, not replace them. Code that drives
// the hosted control directly calls showChanges() afterwards, so that what it
// drew reaches the screen; moves announce themselves through legalMove and
// need no such call.
#pragma once

#include <QColor>
#include <QList>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <memory>

#include "Types.h"

namespace quintar {
class TQuintar;
namespace qt {
class SurfaceImage;
}
}  // namespace quintar

class QuintarWidget : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QColor color READ color WRITE setColor)
  Q_PROPERTY(QColor gridLineColor READ gridLineColor WRITE setGridLineColor)
  Q_PROPERTY(QColor crossColor READ crossColor WRITE setCrossColor)
  Q_PROPERTY(QColor noughtColor READ noughtColor WRITE setNoughtColor)
  Q_PROPERTY(QColor highlightColor READ highlightColor WRITE setHighlightColor)
  Q_PROPERTY(QColor quintarColor READ quintarColor WRITE setQuintarColor)
  Q_PROPERTY(int colCount READ colCount WRITE setColCount)
  Q_PROPERTY(int rowCount READ rowCount WRITE setRowCount)
  Q_PROPERTY(Strength playingStrength READ playingStrength WRITE setPlayingStrength)
  Q_PROPERTY(bool autoResponse READ autoResponse WRITE setAutoResponse)
  Q_PROPERTY(bool clickResponse READ clickResponse WRITE setClickResponse)
  Q_PROPERTY(bool lock READ lock WRITE setLock)
  Q_PROPERTY(bool showHighlight READ showHighlight WRITE setShowHighlight)
  Q_PROPERTY(bool showQuintar READ showQuintar WRITE setShowQuintar)
  Q_PROPERTY(bool gameOver READ gameOver STORED false)

 public:
  // The control's three strengths, in its order.
  enum Strength { Low, Medium, High };
  Q_ENUM(Strength)

  // Plays the board's presses and keys, and holds the keyboard's cell.
  class Forwarder {
   public:
    virtual ~Forwarder() = default;
    // A press at (X, Y) in the control's pixels.
    virtual void press(vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) = 0;
    // By the arrow keys, one cell at a time.
    virtual void moveFocusCell(int columns, int rows) = 0;
    virtual void setFocusCell(QPoint cell) = 0;
    virtual QPoint focusCell() const = 0;
    virtual void playFocusCell() = 0;
  };

  explicit QuintarWidget(QWidget* parent = nullptr);
  ~QuintarWidget() override;

  // Null gives play back to the widget. The forwarder outlives its use here.
  void setForwarder(Forwarder* forwarder);

  // The hosted control, for everything beyond the properties: the board's
  // cells, the side to move, the last move and the winning line.
  quintar::TQuintar& control() { return *m_control; }
  const quintar::TQuintar& control() const { return *m_control; }

  QColor color() const;
  void setColor(const QColor& value);
  QColor gridLineColor() const;
  void setGridLineColor(const QColor& value);
  QColor crossColor() const;
  void setCrossColor(const QColor& value);
  QColor noughtColor() const;
  void setNoughtColor(const QColor& value);
  QColor highlightColor() const;
  void setHighlightColor(const QColor& value);
  QColor quintarColor() const;
  void setQuintarColor(const QColor& value);
  // Clamped to 5..50; every write starts a new game.
  int colCount() const;
  void setColCount(int value);
  int rowCount() const;
  void setRowCount(int value);
  Strength playingStrength() const;
  void setPlayingStrength(Strength value);
  bool autoResponse() const;
  void setAutoResponse(bool value);
  bool clickResponse() const;
  void setClickResponse(bool value);
  bool lock() const;
  void setLock(bool value);
  bool showHighlight() const;
  void setShowHighlight(bool value);
  bool showQuintar() const;
  void setShowQuintar(bool value);
  bool gameOver() const;

  // The cell keyboard play acts on, 0-based (column, row), always on the
  // board in play; the forwarder's, when there is one.
  QPoint focusCell() const;
  void setFocusCell(QPoint cell);
  // The forwarder's cell may have moved: its frame follows.
  void followFocusCell();
  // Moves the focus cell to Cell, shows it and takes the focus: Space or
  // Enter plays it next.
  void showFocusCell(QPoint cell);
  // Whether the focus cell is drawn: after keyboard navigation, while the
  // widget has the focus, until the next press.
  bool focusCellShown() const;
  // The last move or result, or the cell the arrow keys reached, in words.
  QString announcement() const { return m_announcement; }
  // Tells assistive technology Text as the board's words.
  void announce(const QString& text);
  // What assistive technology hears: everything announced in one go (a move
  // and the computer's answer, a move and the result), as one text once
  // control returns to the event loop. A screen reader reads the board's
  // latest words, and would otherwise miss all but the last sentence.
  QString spokenWords() const { return m_spokenWords; }

  // Puts on the screen what the control drew since it last did.
  void showChanges();

  // A line of moves to come, each cell (0-based) marked on the screen with
  // its number in the line (1, 2, 3 ...) in the colour of the side that
  // would play it, firstSide (1 crosses, -1 noughts) playing the first. The
  // marks lie over the control's pixels; the control draws as it did. An
  // empty line takes the marks away.
  void showLine(const QList<QPoint>& cells, int firstSide);
  QList<QPoint> shownLine() const { return m_line; }

  QSize sizeHint() const override;

 public slots:
  void newGame();
  // Plays column col, row row (both from 1) for the side to move. Note that
  // this hides QWidget::move(int, int): position the widget through a
  // QWidget pointer, setGeometry or a layout.
  void move(int col, int row);
  void computerMove();

 signals:
  // The control's own events.
  void legalMove();
  void illegalMove();
  void draw();  // the board filled without five
  void crossWon();
  void noughtWon();
  void computerWon();
  void userWon();
  // The events every control has, positions in the widget's coordinates.
  // mousePressed follows a press the control took (not while clickResponse
  // is off).
  void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
  void mouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
  void mouseMoved(Qt::KeyboardModifiers modifiers, QPoint position);
  void clicked();
  void doubleClicked();
  void entered();
  void exited();
  void resized();
  // The cell keyboard play acts on has moved (0-based).
  void focusCellChanged(QPoint cell);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  class Host;

  void listen();
  void setColorOf(void (quintar::TQuintar::*setter)(vcl::TColor), const QColor& value);
  // The widget words the game only while it plays it.
  void announceOwnPlay(const QString& text);
  QString moveText() const;
  // The control's size follows the widget's in device pixels.
  void fitControl();
  qreal pixelRatio() const;
  QPoint devicePosition(const QMouseEvent* event) const;
  QPoint widgetPosition(int x, int y) const;
  // The widget's area over device pixels, rounded outwards.
  QRect widgetRect(int left, int top, int right, int bottom) const;
  QRect cellArea(QPoint cell) const;
  // What the focus frame of Cell covers, its edges included.
  QRect focusFrameArea(QPoint cell) const;
  static constexpr int focusFrameWidth = 2;
  void updateFocusFrame(QPoint cell);
  void moveFocusCell(int columns, int rows);
  void drawFocusCell(QPainter& painter) const;
  void playFocusCell();
  void drawLine(QPainter& painter) const;

  std::unique_ptr<quintar::TQuintar> m_control;
  std::unique_ptr<Host> m_host;
  std::unique_ptr<quintar::qt::SurfaceImage> m_pixels;
  Forwarder* m_forwarder = nullptr;
  // The widget's own keyboard cell, and the one its frame was last drawn on.
  QPoint m_focusCell;
  QPoint m_framedCell;
  bool m_keyboardNavigation = false;
  // A left press inside the widget whose release makes a click.
  bool m_clickPending = false;
  QString m_announcement;
  QString m_spokenWords;
  bool m_speaking = false;  // words said in this go are joined, then told
  QList<QPoint> m_line;
  int m_lineFirstSide = 1;
};
