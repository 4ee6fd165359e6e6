#include "QuintarWidget.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "BoardAccessible.h"
#include "ColorConversion.h"
#include "Quintar.h"
#include "SurfaceImage.h"
#include "TranslatedPhrasebook.h"

// Tells the widget when the control wants a full repaint.
class QuintarWidget::Host : public vcl::TControlHost {
 public:
  explicit Host(QuintarWidget& widget) : m_widget(widget) {}
  void InvalidateRequested(vcl::TControl&) override { m_widget.update(); }

 private:
  QuintarWidget& m_widget;
};

namespace {

vcl::TShiftState shiftState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  vcl::TShiftState state{};
  state[vcl::ssShift] = modifiers.testFlag(Qt::ShiftModifier);
  state[vcl::ssAlt] = modifiers.testFlag(Qt::AltModifier);
  state[vcl::ssCtrl] = modifiers.testFlag(Qt::ControlModifier);
  state[vcl::ssLeft] = buttons.testFlag(Qt::LeftButton);
  state[vcl::ssRight] = buttons.testFlag(Qt::RightButton);
  state[vcl::ssMiddle] = buttons.testFlag(Qt::MiddleButton);
  return state;
}

Qt::KeyboardModifiers modifiersOf(vcl::TShiftState state) {
  Qt::KeyboardModifiers modifiers;
  modifiers.setFlag(Qt::ShiftModifier, state[vcl::ssShift]);
  modifiers.setFlag(Qt::AltModifier, state[vcl::ssAlt]);
  modifiers.setFlag(Qt::ControlModifier, state[vcl::ssCtrl]);
  return modifiers;
}

// The buttons the control knows; the others (back, forward, ...) are not
// passed on.
std::optional<vcl::TMouseButton> controlButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return vcl::mbLeft;
    case Qt::RightButton: return vcl::mbRight;
    case Qt::MiddleButton: return vcl::mbMiddle;
    default: return std::nullopt;
  }
}

// The game's words; the translation is looked up as each sentence is made,
// so a translator installed later applies.
const quintar::game::TPhrasebook& phrasebook() {
  static const quintar::game::TPhrasebook words = quintar::qt::translatedPhrasebook();
  return words;
}

// How a game without a session ended: the control knows the side, not who
// played it.
QString resultText(int winner) {
  quintar::game::TGameResult result;
  result.Winner = winner;
  return quintar::qt::said(phrasebook().Result(result));
}

Qt::MouseButton qtButton(vcl::TMouseButton button) {
  switch (button) {
    case vcl::mbRight: return Qt::RightButton;
    case vcl::mbMiddle: return Qt::MiddleButton;
    default: return Qt::LeftButton;
  }
}

}  // namespace

QuintarWidget::QuintarWidget(QWidget* parent)
    : QWidget(parent),
      m_control(std::make_unique<quintar::TQuintar>(nullptr)),
      m_host(std::make_unique<Host>(*this)),
      m_pixels(std::make_unique<quintar::qt::SurfaceImage>()) {
  // Every pixel is the control's: nothing behind needs painting first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  // Before the name is set: that already makes Qt create the interface.
  quintar::qt::installBoardAccessible();
  setAccessibleName(quintar::qt::said(phrasebook().Phrase(quintar::game::TPhrase::BoardName)));
  // The rules, and how this widget's keys play.
  setAccessibleDescription(quintar::qt::said(phrasebook().Phrase(quintar::game::TPhrase::Rules)) + QLatin1Char(' ') +
                           tr("The arrow keys choose a cell, Space or Enter plays it."));
  m_focusCell = QPoint(m_control->ColCount() / 2, m_control->RowCount() / 2);
  m_framedCell = m_focusCell;
  m_control->SetHost(m_host.get());
  listen();
  fitControl();
}

QuintarWidget::~QuintarWidget() { m_control->SetHost(nullptr); }

// Every event of the control becomes a signal. Whatever a move drew is shown
// before the signal goes out, so that a slot sees the board as it is.
void QuintarWidget::listen() {
  quintar::TQuintar& control = *m_control;
  control.OnLegalMove = [this](vcl::TObject*) {
    showChanges();
    announceOwnPlay(moveText());
    emit legalMove();
  };
  control.OnIllegalMove = [this](vcl::TObject*) { emit illegalMove(); };
  control.OnDraw = [this](vcl::TObject*) {
    announceOwnPlay(resultText(0));
    emit draw();
  };
  control.OnCrossWon = [this](vcl::TObject*) {
    showChanges();
    announceOwnPlay(resultText(1));
    emit crossWon();
  };
  control.OnNoughtWon = [this](vcl::TObject*) {
    showChanges();
    announceOwnPlay(resultText(-1));
    emit noughtWon();
  };
  control.OnComputerWon = [this](vcl::TObject*) { emit computerWon(); };
  control.OnUserWon = [this](vcl::TObject*) { emit userWon(); };
  control.OnMouseDown = [this](vcl::TObject*, vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) {
    emit mousePressed(qtButton(button), modifiersOf(shift), widgetPosition(x, y));
  };
  control.OnMouseUp = [this](vcl::TObject*, vcl::TMouseButton button, vcl::TShiftState shift, int x, int y) {
    emit mouseReleased(qtButton(button), modifiersOf(shift), widgetPosition(x, y));
  };
  control.OnMouseMove = [this](vcl::TObject*, vcl::TShiftState shift, int x, int y) {
    emit mouseMoved(modifiersOf(shift), widgetPosition(x, y));
  };
  control.OnClick = [this](vcl::TObject*) { emit clicked(); };
  control.OnDblClick = [this](vcl::TObject*) { emit doubleClicked(); };
  control.OnEnter = [this](vcl::TObject*) { emit entered(); };
  control.OnExit = [this](vcl::TObject*) { emit exited(); };
  control.OnResize = [this](vcl::TObject*) { emit resized(); };
}

// The widget cannot tell whose the mark is, so the move is worded as a
// person's: the mark and its cell, no player named.
QString QuintarWidget::moveText() const {
  const vcl::TPoint cell = m_control->LastMove();
  quintar::game::TMoveEntry move{};
  move.Cell = cell;
  move.Side = m_control->Cell(cell.X, cell.Y);
  move.By = quintar::game::TPlayerKind::Person;
  return quintar::qt::said(phrasebook().Move(move));
}

void QuintarWidget::announce(const QString& text) {
  m_announcement = text;
  m_spokenWords = m_speaking ? m_spokenWords + QLatin1Char(' ') + text : text;
  if (std::exchange(m_speaking, true)) return;
  QMetaObject::invokeMethod(
      this,
      [this] {
        m_speaking = false;
        quintar::qt::announceToAssistiveTechnology(this, m_spokenWords);
      },
      Qt::QueuedConnection);
}

void QuintarWidget::announceOwnPlay(const QString& text) {
  if (!m_forwarder) announce(text);
}

void QuintarWidget::setForwarder(Forwarder* forwarder) {
  m_forwarder = forwarder;
  followFocusCell();
}

// ---- Properties ---------------------------------------------------------

using quintar::qt::fromQColor;
using quintar::qt::toQColor;

QColor QuintarWidget::color() const { return toQColor(m_control->Color()); }
QColor QuintarWidget::gridLineColor() const { return toQColor(m_control->GridLineColor()); }
QColor QuintarWidget::crossColor() const { return toQColor(m_control->CrossColor()); }
QColor QuintarWidget::noughtColor() const { return toQColor(m_control->NoughtColor()); }
QColor QuintarWidget::highlightColor() const { return toQColor(m_control->HighlightColor()); }
QColor QuintarWidget::quintarColor() const { return toQColor(m_control->QuintarColor()); }

// An invalid colour is no colour: the write is ignored. The marks' colours
// are drawn at once; the board's and the grid's come with the repaint their
// setters ask for.
void QuintarWidget::setColorOf(void (quintar::TQuintar::*setter)(vcl::TColor), const QColor& value) {
  if (!value.isValid()) return;
  ((*m_control).*setter)(fromQColor(value));
  showChanges();
}

void QuintarWidget::setColor(const QColor& value) { setColorOf(&quintar::TQuintar::SetColor, value); }
void QuintarWidget::setGridLineColor(const QColor& value) { setColorOf(&quintar::TQuintar::SetGridLineColor, value); }
void QuintarWidget::setCrossColor(const QColor& value) { setColorOf(&quintar::TQuintar::SetCrossColor, value); }
void QuintarWidget::setNoughtColor(const QColor& value) { setColorOf(&quintar::TQuintar::SetNoughtColor, value); }
void QuintarWidget::setHighlightColor(const QColor& value) { setColorOf(&quintar::TQuintar::SetHighlightColor, value); }
void QuintarWidget::setQuintarColor(const QColor& value) { setColorOf(&quintar::TQuintar::SetQuintarColor, value); }

int QuintarWidget::colCount() const { return m_control->ColCount(); }
// A smaller board may take the keyboard's cell along: followers hear of it.
void QuintarWidget::setColCount(int value) {
  m_control->SetColCount(value);
  followFocusCell();
}
int QuintarWidget::rowCount() const { return m_control->RowCount(); }
void QuintarWidget::setRowCount(int value) {
  m_control->SetRowCount(value);
  followFocusCell();
}

QuintarWidget::Strength QuintarWidget::playingStrength() const {
  return static_cast<Strength>(m_control->PlayingStrength());
}
void QuintarWidget::setPlayingStrength(Strength value) {
  m_control->SetPlayingStrength(static_cast<quintar::TStrength>(value));
}

bool QuintarWidget::autoResponse() const { return m_control->AutoResponse(); }
void QuintarWidget::setAutoResponse(bool value) { m_control->SetAutoResponse(value); }
bool QuintarWidget::clickResponse() const { return m_control->ClickResponse(); }
void QuintarWidget::setClickResponse(bool value) { m_control->SetClickResponse(value); }
bool QuintarWidget::lock() const { return m_control->Lock(); }
void QuintarWidget::setLock(bool value) { m_control->SetLock(value); }
bool QuintarWidget::showHighlight() const { return m_control->ShowHighlight(); }
void QuintarWidget::setShowHighlight(bool value) { m_control->SetShowHighlight(value); }
bool QuintarWidget::showQuintar() const { return m_control->ShowQuintar(); }
void QuintarWidget::setShowQuintar(bool value) { m_control->SetShowQuintar(value); }
bool QuintarWidget::gameOver() const { return m_control->GameOver(); }

// ---- Operations ---------------------------------------------------------

void QuintarWidget::newGame() { m_control->NewGame(); }

void QuintarWidget::move(int col, int row) {
  m_control->Move(col, row);
  showChanges();
}

void QuintarWidget::computerMove() {
  m_control->ComputerMove();
  showChanges();
}

// ---- Showing the control ------------------------------------------------

QSize QuintarWidget::sizeHint() const { return {200, 200}; }

qreal QuintarWidget::pixelRatio() const { return devicePixelRatioF(); }

void QuintarWidget::fitControl() {
  const qreal ratio = pixelRatio();
  m_control->SetBounds(0, 0, static_cast<int>(std::lround(width() * ratio)),
                       static_cast<int>(std::lround(height() * ratio)));
}

void QuintarWidget::showChanges() {
  const vcl::TRect area = m_control->TakeChangedArea();
  if (!area.IsEmpty()) update(widgetRect(area.Left, area.Top, area.Right, area.Bottom));
}

QRect QuintarWidget::widgetRect(int left, int top, int right, int bottom) const {
  const qreal ratio = pixelRatio();
  const int x1 = static_cast<int>(std::floor(left / ratio));
  const int y1 = static_cast<int>(std::floor(top / ratio));
  const int x2 = static_cast<int>(std::ceil(right / ratio));
  const int y2 = static_cast<int>(std::ceil(bottom / ratio));
  return {x1, y1, x2 - x1, y2 - y1};
}

// The widget pixel a press at (x, y) in device pixels came from: the least
// one whose device position rounds down to it, so that a press is reported
// where it was made at any scale (at 1.25, widget pixel 10 lies at device
// pixel 12, which the floor of 12 / 1.25 would give back as 9).
QPoint QuintarWidget::widgetPosition(int x, int y) const {
  const qreal ratio = pixelRatio();
  constexpr qreal rounding = 1e-9;
  return {static_cast<int>(std::ceil(x / ratio - rounding)), static_cast<int>(std::ceil(y / ratio - rounding))};
}

QPoint QuintarWidget::devicePosition(const QMouseEvent* event) const {
  const QPointF position = event->position() * pixelRatio();
  return {static_cast<int>(std::floor(position.x())), static_cast<int>(std::floor(position.y()))};
}

// A repaint the control asked for is drawn here, as the framework's paint
// message would; nothing of the game changes.
void QuintarWidget::paintEvent(QPaintEvent* event) {
  if (m_control->Invalidated()) {
    m_control->Update();
    // The whole widget is being painted: the area the repaint drew is shown.
    m_control->TakeChangedArea();
  }
  QPainter painter(this);
  const qreal ratio = pixelRatio();
  for (const QRect& rect : event->region()) {
    const QRectF source = quintar::qt::deviceRect(rect, ratio);
    painter.drawImage(rect, m_pixels->update(m_control->Surface(), source.toAlignedRect(), ratio), source);
  }
  drawLine(painter);
  if (focusCellShown()) drawFocusCell(painter);
}

void QuintarWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  fitControl();
}

// A window moved to a screen of another pixel density shows the control at
// that density.
void QuintarWidget::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (QWindow* window = this->window()->windowHandle())
    connect(window, &QWindow::screenChanged, this, &QuintarWidget::fitControl, Qt::UniqueConnection);
  fitControl();
}

// ---- Input --------------------------------------------------------------

void QuintarWidget::mousePressEvent(QMouseEvent* event) {
  const std::optional<vcl::TMouseButton> button = controlButton(event->button());
  if (!button) return QWidget::mousePressEvent(event);
  const bool hidFocusCell = focusCellShown();
  m_keyboardNavigation = false;
  m_clickPending = event->button() == Qt::LeftButton;
  const QPoint position = devicePosition(event);
  // The keyboard goes on from the cell the press played.
  const vcl::TPoint pressed = m_control->CellAt(position.x(), position.y());
  if (pressed != quintar::TQuintar::NoCell) setFocusCell(QPoint(pressed.X, pressed.Y));
  const vcl::TShiftState shift = shiftState(event->modifiers(), event->buttons());
  if (m_forwarder)
    m_forwarder->press(*button, shift, position.x(), position.y());
  else
    m_control->MouseDown(*button, shift, position.x(), position.y());
  showChanges();
  if (hidFocusCell) update();
}

// A left release over the widget after a left press on it is a click, told
// before the release itself.
void QuintarWidget::mouseReleaseEvent(QMouseEvent* event) {
  const std::optional<vcl::TMouseButton> button = controlButton(event->button());
  if (!button) return QWidget::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && std::exchange(m_clickPending, false) &&
      rect().contains(event->position().toPoint()))
    m_control->Click();
  const QPoint position = devicePosition(event);
  m_control->MouseUp(*button, shiftState(event->modifiers(), event->buttons()), position.x(), position.y());
  showChanges();
}

// Qt delivers the second press of a double click as a press of its own
// before this event, so the control has had its MouseDown already; a
// release after it makes no click.
void QuintarWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!controlButton(event->button())) return QWidget::mouseDoubleClickEvent(event);
  m_clickPending = false;
  m_control->DblClick();
  showChanges();
}

void QuintarWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint position = devicePosition(event);
  m_control->MouseMove(shiftState(event->modifiers(), event->buttons()), position.x(), position.y());
  showChanges();
}

void QuintarWidget::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  // Arriving by the keyboard shows where the keyboard will play.
  if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) m_keyboardNavigation = true;
  m_control->DoEnter();
  showChanges();
  update(focusFrameArea(focusCell()));
}

void QuintarWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  m_control->DoExit();
  showChanges();
  update(focusFrameArea(focusCell()));
}

// ---- Keyboard play ------------------------------------------------------

void QuintarWidget::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left: return moveFocusCell(-1, 0);
    case Qt::Key_Right: return moveFocusCell(1, 0);
    case Qt::Key_Up: return moveFocusCell(0, -1);
    case Qt::Key_Down: return moveFocusCell(0, 1);
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: return playFocusCell();
    default: return QWidget::keyPressEvent(event);
  }
}

// The board may have shrunk since the cell was chosen.
QPoint QuintarWidget::focusCell() const {
  const QPoint cell = m_forwarder ? m_forwarder->focusCell() : m_focusCell;
  return {std::clamp(cell.x(), 0, m_control->ColCount() - 1), std::clamp(cell.y(), 0, m_control->RowCount() - 1)};
}

// The frame is redrawn even where the cell stays: keyboard play may just
// have begun to show it.
void QuintarWidget::setFocusCell(QPoint cell) {
  updateFocusFrame(focusCell());
  if (m_forwarder) {
    m_forwarder->setFocusCell(cell);
  } else {
    m_focusCell = cell;
    m_focusCell = focusCell();
  }
  followFocusCell();
}

void QuintarWidget::followFocusCell() {
  const QPoint cell = focusCell();
  updateFocusFrame(cell);
  if (cell == m_framedCell) return;
  updateFocusFrame(m_framedCell);
  m_framedCell = cell;
  emit focusCellChanged(cell);
}

void QuintarWidget::showFocusCell(QPoint cell) {
  m_keyboardNavigation = true;
  setFocusCell(cell);
  setFocus(Qt::OtherFocusReason);
}

bool QuintarWidget::focusCellShown() const { return m_keyboardNavigation && hasFocus(); }

void QuintarWidget::moveFocusCell(int columns, int rows) {
  m_keyboardNavigation = true;
  if (m_forwarder) {
    updateFocusFrame(focusCell());
    m_forwarder->moveFocusCell(columns, rows);
    followFocusCell();
  } else {
    setFocusCell(focusCell() + QPoint(columns, rows));
  }
  const QPoint cell = focusCell();
  announce(quintar::qt::said(phrasebook().CellContents({cell.x(), cell.y()}, m_control->Cell(cell.x(), cell.y()))));
}

// As a press on the cell would: only while presses play, or as the forwarder
// decides.
void QuintarWidget::playFocusCell() {
  m_keyboardNavigation = true;
  const QPoint cell = focusCell();
  update(focusFrameArea(cell));
  if (m_forwarder)
    m_forwarder->playFocusCell();
  else if (m_control->ClickResponse())
    move(cell.x() + 1, cell.y() + 1);
}

// Only a frame on the screen needs drawing again: a press moves the cell
// without showing it.
void QuintarWidget::updateFocusFrame(QPoint cell) {
  if (focusCellShown()) update(focusFrameArea(cell));
}

// The area on the widget whose presses play the cell.
QRect QuintarWidget::cellArea(QPoint cell) const {
  const vcl::TRect bounds = m_control->CellBounds(cell.x(), cell.y());
  return widgetRect(bounds.Left, bounds.Top, bounds.Right, bounds.Bottom);
}

// The frame lies on the cell's edges, where the grid lines are: the mark
// inside keeps every pixel but the outermost ring.
QRect QuintarWidget::focusFrameArea(QPoint cell) const {
  const QRect area = cellArea(cell);
  return area.adjusted(-focusFrameWidth, -focusFrameWidth, focusFrameWidth, focusFrameWidth);
}

// A frame in the system's highlight colour straddling the cell's edges, with
// a light outer line so that it shows on every board colour, over the
// control's pixels only on screen.
void QuintarWidget::drawFocusCell(QPainter& painter) const {
  const QRect cell = cellArea(focusCell());
  painter.setBrush(Qt::NoBrush);
  // One pixel inside the cell, one outside.
  painter.setPen(QPen(palette().color(QPalette::Highlight), 1));
  painter.drawRect(cell.adjusted(0, 0, -1, -1));
  painter.drawRect(cell.adjusted(-1, -1, 0, 0));
  painter.setPen(QPen(palette().color(QPalette::HighlightedText), 1));
  painter.drawRect(cell.adjusted(-2, -2, 1, 1));
}

// ---- A line of moves to come ---------------------------------------------

void QuintarWidget::showLine(const QList<QPoint>& cells, int firstSide) {
  if (cells == m_line && firstSide == m_lineFirstSide) return;
  m_line = cells;
  m_lineFirstSide = firstSide;
  update();
}

// A ring and a bold number, sized to the cell, so that a mark reads as a move
// to come and never as one made; a cell off the board (it has shrunk since)
// has no area and shows nothing.
void QuintarWidget::drawLine(QPainter& painter) const {
  if (m_line.isEmpty()) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(Qt::NoBrush);
  QFont numbers = font();
  numbers.setBold(true);
  int side = m_lineFirstSide;
  for (qsizetype index = 0; index < m_line.size(); ++index, side = -side) {
    const QRect cell = cellArea(m_line[index]);
    if (cell.isEmpty()) continue;
    const int inset = std::max(2, cell.width() / 8);
    painter.setPen(QPen(side == 1 ? crossColor() : noughtColor(), std::max(1, cell.width() / 14)));
    painter.drawEllipse(QRectF(cell.adjusted(inset, inset, -inset, -inset)));
    numbers.setPixelSize(std::max(6, cell.height() / 2));
    painter.setFont(numbers);
    painter.drawText(cell, Qt::AlignCenter, QString::number(index + 1));
  }
  painter.restore();
}
