// Records the names of a QuintarWidget's signals in the order emitted, for
// comparing whole sequences.
#pragma once

#include <QObject>
#include <string>
#include <vector>

#include "QuintarWidget.h"

namespace quintar::qt::testing {

using TNames = std::vector<std::string>;

class SignalLog {
 public:
  explicit SignalLog(QuintarWidget& board) {
    listen(board, &QuintarWidget::legalMove, "legalMove");
    listen(board, &QuintarWidget::illegalMove, "illegalMove");
    listen(board, &QuintarWidget::draw, "draw");
    listen(board, &QuintarWidget::crossWon, "crossWon");
    listen(board, &QuintarWidget::noughtWon, "noughtWon");
    listen(board, &QuintarWidget::computerWon, "computerWon");
    listen(board, &QuintarWidget::userWon, "userWon");
    listen(board, &QuintarWidget::mousePressed, "mousePressed");
    listen(board, &QuintarWidget::mouseReleased, "mouseReleased");
    listen(board, &QuintarWidget::clicked, "clicked");
    listen(board, &QuintarWidget::doubleClicked, "doubleClicked");
    listen(board, &QuintarWidget::entered, "entered");
    listen(board, &QuintarWidget::exited, "exited");
  }
  TNames take() { return std::exchange(m_names, {}); }

 private:
  template <typename Signal>
  void listen(QuintarWidget& board, Signal signal, const char* name) {
    QObject::connect(&board, signal, &m_context, [this, name] { m_names.push_back(name); });
  }

  QObject m_context;
  TNames m_names;
};

}  // namespace quintar::qt::testing
