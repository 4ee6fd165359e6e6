#include "BoardView.h"

#include <QPainter>
#include <algorithm>

#include "Quintar.h"
#include "QuintarWidget.h"

namespace quintar::desktop {
namespace {

// Between the numbers and the board, and around the whole.
constexpr int gap = 4;
// The cell side the window starts with.
constexpr int preferredCell = 28;

}  // namespace

BoardView::BoardView(QuintarWidget* board, QWidget* parent) : QWidget(parent), m_board(board) {
  m_board->setParent(this);
  setFocusProxy(m_board);
  m_colCount = m_board->colCount();
  m_rowCount = m_board->rowCount();
}

int BoardView::labelWidth() const { return fontMetrics().horizontalAdvance(QString::number(TQuintar::MaxCount)) + gap; }

int BoardView::labelHeight() const { return fontMetrics().height() + gap; }

QSize BoardView::minimumSizeHint() const {
  return {labelWidth() + m_colCount * smallestCell + 2 * gap, labelHeight() + m_rowCount * smallestCell + 2 * gap};
}

QSize BoardView::sizeHint() const {
  return {labelWidth() + m_colCount * preferredCell + 2 * gap, labelHeight() + m_rowCount * preferredCell + 2 * gap};
}

void BoardView::followBoardSize() {
  if (m_board->colCount() == m_colCount && m_board->rowCount() == m_rowCount) return;
  m_colCount = m_board->colCount();
  m_rowCount = m_board->rowCount();
  updateGeometry();
  layOutBoard();
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
  m_cellSide = std::max(1, std::min(roomWidth / m_colCount, roomHeight / m_rowCount));
  const QSize boardSize(m_colCount * m_cellSide, m_rowCount * m_cellSide);
  const int left = (width() - labelWidth() - boardSize.width()) / 2 + labelWidth();
  const int top = (height() - labelHeight() - boardSize.height()) / 2 + labelHeight();
  m_board->setGeometry(QRect(QPoint(left, top), boardSize));
  update();
}

int BoardView::labelStep(int room) const {
  for (const int step : {1, 2, 5, 10})
    if (step * m_cellSide >= room) return step;
  return TQuintar::MaxCount;
}

void BoardView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  const QRect board = m_board->geometry();
  const int widest = fontMetrics().horizontalAdvance(QString::number(m_colCount)) + 2;
  const int columnStep = labelStep(widest);
  // Crowded numbers show every few cells, never beside one another.
  for (int col = 1; col <= m_colCount; ++col) {
    if (columnStep > 1 && col % columnStep != 0) continue;
    const QRect over(board.left() + (col - 1) * m_cellSide - widest, board.top() - labelHeight(),
                     m_cellSide + 2 * widest, labelHeight() - gap / 2);
    painter.drawText(over, Qt::AlignHCenter | Qt::AlignBottom, QString::number(col));
  }
  const int rowStep = labelStep(fontMetrics().height());
  for (int row = 1; row <= m_rowCount; ++row) {
    if (rowStep > 1 && row % rowStep != 0) continue;
    const QRect beside(board.left() - labelWidth(), board.top() + (row - 1) * m_cellSide, labelWidth() - gap,
                       m_cellSide);
    painter.drawText(beside, Qt::AlignRight | Qt::AlignVCenter, QString::number(row));
  }
}

}  // namespace quintar::desktop
