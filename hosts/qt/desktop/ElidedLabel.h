// A status text that never pushes its neighbours aside: when the room it is
// given is too narrow, it ends in an ellipsis and the whole text is its
// tooltip.
#pragma once

#include <QLabel>

namespace quintar::desktop {

class ElidedLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ElidedLabel(QWidget* parent = nullptr);

  // The whole text, however much of it shows.
  QString fullText() const { return m_fullText; }
  void setFullText(const QString& text);

  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void fitText();

  QString m_fullText;
};

}  // namespace quintar::desktop
