#include "BoardView.h"

#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "BoardLayout.h"
#include "Quintar.h"
#include "QuintarWidget.h"

namespace quintar::desktop {
namespace {

// Between the numbers and the board, and around the whole.
constexpr int gap = 4;
// The cell side the window starts with.
constexpr int preferredCell = 28;
// What the window keeps of the screen beside the board view: the panel
// beside it at its narrowest, and above and below it the title, the menus
// and the status bar.
constexpr QSize besideTheBoard(160, 120);

}  // namespace

BoardView::BoardView(QuintarWidget* board, QWidget* parent) : QWidget(parent), m_board(board) {
  m_board->setParent(this);
  setFocusProxy(m_board);
  m_colCount = m_board->colCount();
  m_rowCount = m_board->rowCount();
}

int BoardView::labelWidth() const { return fontMetrics().horizontalAdvance(QString::number(TQuintar::MaxCount)) + gap; }

int BoardView::labelHeight() const { return fontMetrics().height() + gap; }

int BoardView::spareWidth() const {
  const int cellSideByHeight = (height() - labelHeight() - 2 * gap) / m_rowCount;
  return width() - (labelWidth() + 2 * gap + m_colCount * cellSideByHeight);
}

// Cells of smallestCell pixels, or smaller where the screen cannot hold a
// window of those (a large board on a small or highly scaled screen), down
// to tinyCell: a window larger than its screen hides rows and the status bar.
int BoardView::leastCell() const {
  const QScreen* shown = screen();
  if (shown == nullptr) return smallestCell;
  const QSize room = shown->availableGeometry().size() - besideTheBoard;
  const int byWidth = (room.width() - labelWidth() - 2 * gap) / m_colCount;
  const int byHeight = (room.height() - labelHeight() - 2 * gap) / m_rowCount;
  return std::clamp(std::min(byWidth, byHeight), tinyCell, smallestCell);
}

QSize BoardView::minimumSizeHint() const {
  const int cell = leastCell();
  return {labelWidth() + m_colCount * cell + 2 * gap, labelHeight() + m_rowCount * cell + 2 * gap};
}

QSize BoardView::sizeHint() const {
  return {labelWidth() + m_colCount * preferredCell + 2 * gap, labelHeight() + m_rowCount * preferredCell + 2 * gap};
}

bool BoardView::followBoardSize() {
  if (m_board->colCount() == m_colCount && m_board->rowCount() == m_rowCount) return false;
  m_colCount = m_board->colCount();
  m_rowCount = m_board->rowCount();
  updateGeometry();
  layOutBoard();
  return true;
}

void BoardView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layOutBoard();
}

// The numbers and the board together are centred; the cells take the
// largest whole side that fits both ways.
void BoardView::layOutBoard() {
  const int roomWidth = width() - labelWidth() - 2 * gap;
  const int roomHeight = height() - labelHeight() - 2 * gap;
  m_cellSide = quintar::game::SquareCellSide(roomWidth, roomHeight, m_colCount, m_rowCount);
  const QSize boardSize(m_colCount * m_cellSide, m_rowCount * m_cellSide);
  const int left = (width() - labelWidth() - boardSize.width()) / 2 + labelWidth();
  const int top = (height() - labelHeight() - boardSize.height()) / 2 + labelHeight();
  m_board->setGeometry(QRect(QPoint(left, top), boardSize));
  update();
}

// Crowded numbers show every few cells, never touching one another.
QList<BoardView::EdgeLabel> BoardView::edgeLabels() const {
  QList<EdgeLabel> labels;
  const QFontMetrics metrics = fontMetrics();
  const QRect board = m_board->geometry();
  const int columnStep =
      quintar::game::EdgeNumberStep(m_cellSide, metrics.horizontalAdvance(QString::number(m_colCount)) + gap);
  for (int col = 1; col <= m_colCount; ++col) {
    if (columnStep > 1 && col % columnStep != 0) continue;
    const QString text = QString::number(col);
    QRect area(0, 0, metrics.horizontalAdvance(text), metrics.height());
    area.moveCenter(QPoint(board.left() + (col - 1) * m_cellSide + m_cellSide / 2, 0));
    area.moveBottom(board.top() - gap / 2);
    labels.push_back({area, text});
  }
  const int rowStep = quintar::game::EdgeNumberStep(m_cellSide, metrics.height());
  for (int row = 1; row <= m_rowCount; ++row) {
    if (rowStep > 1 && row % rowStep != 0) continue;
    const QString text = QString::number(row);
    QRect area(0, 0, metrics.horizontalAdvance(text), metrics.height());
    area.moveCenter(QPoint(0, board.top() + (row - 1) * m_cellSide + m_cellSide / 2));
    area.moveRight(board.left() - gap);
    labels.push_back({area, text});
  }
  return labels;
}

void BoardView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  for (const EdgeLabel& label : edgeLabels()) painter.drawText(label.area, Qt::AlignCenter, label.text);
}

}  // namespace quintar::desktop
