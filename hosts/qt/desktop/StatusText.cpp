#include "StatusText.h"

#include <QCoreApplication>

namespace quintar::desktop {
namespace {

QString tr(const char* text) { return QCoreApplication::translate("StatusText", text); }

}  // namespace

QString levelText(TLevel level) {
  switch (level) {
    case TLevel::Low: return tr("low");
    case TLevel::Medium: return tr("medium");
    case TLevel::High: return tr("high");
    case TLevel::Expert: return tr("expert");
  }
  return {};
}

QString playerText(const game::TPlayer& player) {
  if (player.Kind == game::TPlayerKind::Person) return tr("person");
  return tr("computer, %1").arg(levelText(player.Level));
}

// Against the computer the person is "you".
QString turnText(const TQuintar& board, const game::TPlayer& crosses, const game::TPlayer& noughts) {
  const bool onePerson = (crosses.Kind == game::TPlayerKind::Person) != (noughts.Kind == game::TPlayerKind::Person);
  const auto who = [onePerson](const game::TPlayer& player) {
    return onePerson && player.Kind == game::TPlayerKind::Person ? tr("you") : playerText(player);
  };
  if (board.WinFound()) {
    const vcl::TPoint cell = board.WinCells()[0];
    const bool crossesWon = board.Cell(cell.X, cell.Y) == 1;
    return (crossesWon ? tr("Crosses won: %1") : tr("Noughts won: %1")).arg(who(crossesWon ? crosses : noughts));
  }
  if (board.GameOver()) return tr("Draw: the board is full");
  const bool crossesToMove = board.Turn() == 1;
  return (crossesToMove ? tr("Crosses to move: %1") : tr("Noughts to move: %1")).arg(who(crossesToMove ? crosses : noughts));
}

QString moveText(const TQuintar& board, vcl::TPoint cell, game::TPlayerKind by) {
  const QString mark = board.Cell(cell.X, cell.Y) == 1 ? tr("cross") : tr("nought");
  const QString where = tr("column %1, row %2").arg(cell.X + 1).arg(cell.Y + 1);
  if (by == game::TPlayerKind::Computer) return tr("The computer put a %1 on %2").arg(mark, where);
  return tr("A %1 on %2").arg(mark, where);
}

}  // namespace quintar::desktop
