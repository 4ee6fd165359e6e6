// The desktop game's settings: who plays each side and how strongly, the
// board size, the board's switches and its colours. Edits a copy; the game
// takes it when the dialog is accepted.
#pragma once

#include <QDialog>
#include <array>

#include "GameSettings.h"

class QCheckBox;
class QComboBox;
class QScrollArea;
class QPushButton;
class QSpinBox;

namespace quintar::desktop {

class SettingsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SettingsDialog(const GameSettings& settings, QWidget* parent = nullptr);

  GameSettings settings() const;

 protected:
  // No larger than the screen it is shown on.
  void showEvent(QShowEvent* event) override;

 private:
  QScrollArea* m_scroller = nullptr;
  struct PlayerRow {
    QComboBox* kind;
    QComboBox* level;
  };

  QWidget* playersBox();
  QWidget* boardBox();
  QWidget* colorsBox();
  PlayerRow playerRow(const game::TPlayer& player);
  QCheckBox* switchBox(const QString& text, bool checked);
  void pickColor(std::size_t index);
  void showColor(std::size_t index);

  GameSettings m_settings;
  std::array<PlayerRow, 2> m_players{};
  QSpinBox* m_colCount = nullptr;
  QSpinBox* m_rowCount = nullptr;
  QCheckBox* m_showHighlight = nullptr;
  QCheckBox* m_showQuintar = nullptr;
  QCheckBox* m_clickResponse = nullptr;
  QCheckBox* m_lock = nullptr;
  QCheckBox* m_askBeforeDiscarding = nullptr;
  std::array<QPushButton*, 6> m_colorButtons{};
};

}  // namespace quintar::desktop
