// The board as the desktop game shows it: the widget sized so that its cells
// are square, centred in whatever room the window gives, with the column
// numbers above it and the row numbers at its left, counted from 1 as the
// game's sentences name cells ("column 11, row 9").
//
// The widget still fills its own bounds: the view chooses those bounds, a
// whole number of pixels a cell, and never lets the room shrink below cells
// of smallestCell pixels.
#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

class QuintarWidget;

namespace quintar::desktop {

class BoardView : public QWidget {
  Q_OBJECT

 public:
  // The least cell side a window gives the board, and the least on a
  // screen too small for that.
  static constexpr int smallestCell = 12;
  static constexpr int tinyCell = 6;

  // Takes the board as its child.
  explicit BoardView(QuintarWidget* board, QWidget* parent = nullptr);

  // Lays the board out again when its column or row count has changed since
  // it last did, and says whether it did; the window calls it after every
  // change of the game.
  bool followBoardSize();
  // The side of a cell in the current layout.
  int cellSide() const { return m_cellSide; }
  // How much wider the view is than cells as large as its height allows
  // need; less than 0 where its width keeps the cells smaller.
  int spareWidth() const;

  // A number along an edge, where it is drawn.
  struct EdgeLabel {
    QRect area;
    QString text;
  };
  // The column numbers from left to right, then the row numbers from the
  // top down.
  QList<EdgeLabel> edgeLabels() const;

  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // Room for the numbers along the top and the left.
  int labelWidth() const;
  int labelHeight() const;
  int leastCell() const;
  void layOutBoard();

  QuintarWidget* m_board;
  int m_colCount = 0;
  int m_rowCount = 0;
  int m_cellSide = 0;
};

}  // namespace quintar::desktop
