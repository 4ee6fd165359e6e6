#include "AnalysisPanel.h"

#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

namespace quintar::desktop {
namespace {

QLabel* wrappingLabel() {
  auto* label = new QLabel;
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

// Crosses' share from the left in their colour, noughts' the rest in theirs,
// with a mark at even; grey before there is anything to show.
class AnalysisPanel::EvaluationBar : public QWidget {
 public:
  EvaluationBar() {
    setMinimumHeight(fontMetrics().height());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleName(AnalysisPanel::tr("Evaluation for crosses"));
  }
  void setAdvantage(std::optional<int> advantage) {
    m_advantage = advantage;
    setAccessibleDescription(advantage ? QString::number(*advantage) : QString());
    update();
  }
  void setColors(const QColor& crosses, const QColor& noughts) {
    m_crosses = crosses;
    m_noughts = noughts;
    update();
  }
  QSize sizeHint() const override { return {200, fontMetrics().height()}; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QRect area = rect().adjusted(0, 0, -1, -1);
    if (!m_advantage) {
      painter.fillRect(area, palette().color(QPalette::Disabled, QPalette::Window).darker(110));
    } else {
      const int crossesWidth = area.width() * (std::clamp(*m_advantage, -100, 100) + 100) / 200;
      painter.fillRect(area, m_noughts);
      painter.fillRect(QRect(area.topLeft(), QSize(crossesWidth, area.height())), m_crosses);
    }
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawLine(area.center().x(), area.top(), area.center().x(), area.bottom());
    painter.drawRect(area);
  }

 private:
  std::optional<int> m_advantage;
  QColor m_crosses = Qt::red;
  QColor m_noughts = Qt::blue;
};

AnalysisPanel::AnalysisPanel(QWidget* parent) : QWidget(parent) {
  m_bar = new EvaluationBar;
  m_summary = wrappingLabel();
  m_summary->setObjectName(QStringLiteral("analysisSummary"));
  m_candidates = new QListWidget;
  m_candidates->setWordWrap(true);
  m_candidates->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_candidates->setAccessibleName(tr("Best moves"));
  m_review = wrappingLabel();
  m_review->setObjectName(QStringLiteral("reviewSummary"));
  m_review->hide();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_bar);
  layout->addWidget(m_summary);
  layout->addWidget(m_candidates, 1);
  layout->addWidget(m_review);
}

void AnalysisPanel::showAnalysis(std::optional<int> crossesAdvantage, const QString& summary,
                                 const QStringList& candidates) {
  m_advantage = crossesAdvantage;
  m_bar->setAdvantage(crossesAdvantage);
  speak(m_summary, summary);
  if (candidates == m_candidateTexts) return;
  m_candidateTexts = candidates;
  m_candidates->clear();
  for (qsizetype index = 0; index < candidates.size(); ++index)
    m_candidates->addItem(tr("%1. %2").arg(index + 1).arg(candidates[index]));
}

void AnalysisPanel::showReviewSummary(const QString& text) { speak(m_review, text); }

// A label's new text is a change of its name to assistive technology, which
// QLabel tells it itself and a screen reader speaks; setting the same text
// again would say it again, so it is not set.
void AnalysisPanel::speak(QLabel* label, const QString& text) {
  if (label->text() == text) return;
  label->setText(text);
  label->setVisible(!text.isEmpty());
  emit spoken(text);
}

void AnalysisPanel::setSideColors(const QColor& crosses, const QColor& noughts) { m_bar->setColors(crosses, noughts); }

QString AnalysisPanel::summary() const { return m_summary->text(); }

QString AnalysisPanel::reviewSummary() const { return m_review->text(); }

}  // namespace quintar::desktop
