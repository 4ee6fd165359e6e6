#include "ElidedLabel.h"

namespace quintar::desktop {

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void ElidedLabel::setFullText(const QString& text) {
  m_fullText = text;
  updateGeometry();
  fitText();
}

// As narrow as an ellipsis: the room left over is what it gets.
QSize ElidedLabel::minimumSizeHint() const {
  return {fontMetrics().horizontalAdvance(QStringLiteral("\u2026")), QLabel::minimumSizeHint().height()};
}

QSize ElidedLabel::sizeHint() const {
  return {fontMetrics().horizontalAdvance(m_fullText) + 2 * margin(), QLabel::sizeHint().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  fitText();
}

void ElidedLabel::fitText() {
  const QString shown = fontMetrics().elidedText(m_fullText, Qt::ElideRight, contentsRect().width());
  setText(shown);
  setToolTip(shown == m_fullText ? QString() : m_fullText);
}

}  // namespace quintar::desktop
