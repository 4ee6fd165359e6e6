#include "BoardAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "QuintarWidget.h"

namespace quintar::qt {
namespace {

class BoardAccessible : public QAccessibleWidget {
 public:
  explicit BoardAccessible(QuintarWidget* board) : QAccessibleWidget(board, QAccessible::Canvas) {}

  QString text(QAccessible::Text kind) const override {
    const QString announcement = static_cast<const QuintarWidget*>(widget())->spokenWords();
    if (kind == QAccessible::Value) return announcement;
    if (kind == QAccessible::Name && !announcement.isEmpty()) return announcement;
    return QAccessibleWidget::text(kind);
  }
};

QAccessibleInterface* boardFactory(const QString& className, QObject* object) {
  if (className != QLatin1String("QuintarWidget")) return nullptr;
  if (auto* board = qobject_cast<QuintarWidget*>(object)) return new BoardAccessible(board);
  return nullptr;
}

}  // namespace

void installBoardAccessible() {
  static const bool installed = [] {
    QAccessible::installFactory(boardFactory);
    return true;
  }();
  Q_UNUSED(installed);
}

void announceToAssistiveTechnology(QuintarWidget* board, const QString& text) {
  QAccessibleValueChangeEvent valueChanged(board, text);
  QAccessible::updateAccessibility(&valueChanged);
  QAccessibleEvent nameChanged(board, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&nameChanged);
}

}  // namespace quintar::qt
