// The Analysis panel's contents: how the game stands for crosses as a bar
// from -100 (noughts are sure to win) to +100 (crosses are), the computer's
// view of the position in one sentence, its best moves each with its line,
// and, for a game reviewed, the review's summary for each side.
//
// It only shows what the window hands it, in the phrasebook's words. Screen
// readers hear the summary when it changes, and not at every report that
// words it alike; the review's summary likewise.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>

class QLabel;
class QListWidget;

namespace quintar::desktop {

class AnalysisPanel : public QWidget {
  Q_OBJECT

 public:
  explicit AnalysisPanel(QWidget* parent = nullptr);

  // No advantage empties the bar (nothing analysed yet).
  void showAnalysis(std::optional<int> crossesAdvantage, const QString& summary, const QStringList& candidates);
  // Empty when no review speaks for the game.
  void showReviewSummary(const QString& text);
  void setSideColors(const QColor& crosses, const QColor& noughts);

  std::optional<int> crossesAdvantage() const { return m_advantage; }
  QString summary() const;
  QStringList candidates() const { return m_candidateTexts; }
  QString reviewSummary() const;

 signals:
  // The summary or the review's summary changed, and screen readers were
  // told Text.
  void spoken(const QString& text);

 private:
  void speak(QLabel* label, const QString& text);
  class EvaluationBar;

  EvaluationBar* m_bar = nullptr;
  QLabel* m_summary = nullptr;
  QListWidget* m_candidates = nullptr;
  QLabel* m_review = nullptr;
  std::optional<int> m_advantage;
  QStringList m_candidateTexts;
};

}  // namespace quintar::desktop
