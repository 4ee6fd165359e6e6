#include "SettingsDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include "TranslatedPhrasebook.h"

namespace quintar::desktop {
namespace {

constexpr std::array<TLevel, 4> levels = {TLevel::Low, TLevel::Medium, TLevel::High, TLevel::Expert};

QSpinBox* countBox(int value) {
  auto* box = new QSpinBox;
  box->setRange(TQuintar::MinCount, TQuintar::MaxCount);
  box->setValue(value);
  return box;
}

// A form's label as a control's own name: "Board:" names the button
// "Board".
QString withoutColon(QString label) {
  if (label.endsWith(QLatin1Char(':'))) label.chop(1);
  return label.trimmed();
}

}  // namespace

SettingsDialog::SettingsDialog(const GameSettings& settings, QWidget* parent) : QDialog(parent), m_settings(settings) {
  setWindowTitle(tr("Settings"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // The settings scroll where the screen is too short for them all (a
  // small screen, or a large scale), so that OK and Cancel stay on it.
  auto* fields = new QWidget;
  auto* settingsLayout = new QVBoxLayout(fields);
  settingsLayout->setContentsMargins({});
  settingsLayout->addWidget(playersBox());
  settingsLayout->addWidget(boardBox());
  settingsLayout->addWidget(colorsBox());
  m_scroller = new QScrollArea;
  m_scroller->setWidget(fields);
  m_scroller->setWidgetResizable(true);
  m_scroller->setFrameShape(QFrame::NoFrame);
  m_scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_scroller);
  layout->addWidget(buttons);
}

void SettingsDialog::showEvent(QShowEvent* event) {
  if (const QScreen* shown = screen()) {
    // The settings whole where the screen has room for them (a scroll area
    // alone would show only some two dozen lines), scrolling where it has not.
    const QSize room = shown->availableGeometry().size() - (frameGeometry().size() - geometry().size());
    const QSize around = size() - m_scroller->viewport()->size();
    const QSize whole = m_scroller->widget()->sizeHint() + around;
    setMaximumSize(room);
    resize(whole.expandedTo(size()).boundedTo(room));
  }
  QDialog::showEvent(event);
}

QWidget* SettingsDialog::playersBox() {
  auto* box = new QGroupBox(tr("Players"));
  auto* form = new QFormLayout(box);
  const std::array<QString, 2> sides = {tr("Crosses (move first):"), tr("Noughts:")};
  // A screen reader names a box by its value unless told otherwise, and
  // both sides' levels would be "Level".
  const std::array<QString, 2> playerNames = {tr("Who plays crosses"), tr("Who plays noughts")};
  const std::array<QString, 2> levelNames = {tr("Crosses' level"), tr("Noughts' level")};
  for (std::size_t side = 0; side < 2; ++side) {
    m_players[side] = playerRow(m_settings.players[side]);
    m_players[side].kind->setAccessibleName(playerNames[side]);
    m_players[side].level->setAccessibleName(levelNames[side]);
    auto* row = new QHBoxLayout;
    row->addWidget(m_players[side].kind);
    auto* levelLabel = new QLabel(tr("Level:"));
    levelLabel->setBuddy(m_players[side].level);
    row->addWidget(levelLabel);
    row->addWidget(m_players[side].level);
    auto* sideLabel = new QLabel(sides[side]);
    sideLabel->setBuddy(m_players[side].kind);
    form->addRow(sideLabel, row);
  }
  return box;
}

SettingsDialog::PlayerRow SettingsDialog::playerRow(const game::TPlayer& player) {
  PlayerRow row{new QComboBox, new QComboBox};
  row.kind->addItem(tr("Person"));
  row.kind->addItem(tr("Computer"));
  row.kind->setCurrentIndex(player.Kind == game::TPlayerKind::Person ? 0 : 1);
  const game::TPhrasebook words = qt::translatedPhrasebook();
  for (const TLevel level : levels) row.level->addItem(qt::said(words.LevelWord(level)));
  row.level->setCurrentIndex(static_cast<int>(player.Level));
  row.level->setToolTip(
      tr("How strongly the computer plays this side, and for a person, hints and "
         "\"computer moves now\""));
  return row;
}

QWidget* SettingsDialog::boardBox() {
  auto* box = new QGroupBox(tr("Board"));
  auto* form = new QFormLayout(box);
  m_colCount = countBox(m_settings.colCount);
  m_rowCount = countBox(m_settings.rowCount);
  form->addRow(tr("Columns:"), m_colCount);
  form->addRow(tr("Rows:"), m_rowCount);
  m_showHighlight = switchBox(tr("Box the last move"), m_settings.showHighlight);
  m_showQuintar = switchBox(tr("Colour the winning five"), m_settings.showQuintar);
  m_clickResponse = switchBox(tr("Presses and keys play"), m_settings.clickResponse);
  m_lock = switchBox(tr("Lock the board"), m_settings.lock);
  m_askBeforeDiscarding = switchBox(tr("Ask before a game in progress is thrown away"), m_settings.askBeforeDiscarding);
  for (QCheckBox* check : {m_showHighlight, m_showQuintar, m_clickResponse, m_lock, m_askBeforeDiscarding})
    form->addRow(check);
  return box;
}

QCheckBox* SettingsDialog::switchBox(const QString& text, bool checked) {
  auto* check = new QCheckBox(text);
  check->setChecked(checked);
  return check;
}

QWidget* SettingsDialog::colorsBox() {
  auto* box = new QGroupBox(tr("Colours"));
  auto* form = new QFormLayout(box);
  const std::array<QString, 6> names = {tr("Board:"),   tr("Grid lines:"),    tr("Crosses:"),
                                        tr("Noughts:"), tr("Last move box:"), tr("Winning five:")};
  for (std::size_t index = 0; index < names.size(); ++index) {
    m_colorButtons[index] = new QPushButton;
    // Named for what it colours; its text, the colour's code, describes it.
    m_colorButtons[index]->setAccessibleName(withoutColon(names[index]));
    connect(m_colorButtons[index], &QPushButton::clicked, this, [this, index] { pickColor(index); });
    showColor(index);
    form->addRow(names[index], m_colorButtons[index]);
  }
  return box;
}

void SettingsDialog::pickColor(std::size_t index) {
  const QColor chosen = QColorDialog::getColor(m_settings.colors[index], this);
  if (!chosen.isValid()) return;
  m_settings.colors[index] = chosen;
  showColor(index);
}

void SettingsDialog::showColor(std::size_t index) {
  QPixmap swatch(32, 16);
  swatch.fill(m_settings.colors[index]);
  m_colorButtons[index]->setIcon(swatch);
  m_colorButtons[index]->setText(m_settings.colors[index].name());
  m_colorButtons[index]->setAccessibleDescription(m_settings.colors[index].name());
}

GameSettings SettingsDialog::settings() const {
  GameSettings settings = m_settings;
  for (std::size_t side = 0; side < 2; ++side) {
    settings.players[side].Kind =
        m_players[side].kind->currentIndex() == 0 ? game::TPlayerKind::Person : game::TPlayerKind::Computer;
    settings.players[side].Level = levels[static_cast<std::size_t>(m_players[side].level->currentIndex())];
  }
  settings.colCount = m_colCount->value();
  settings.rowCount = m_rowCount->value();
  settings.showHighlight = m_showHighlight->isChecked();
  settings.showQuintar = m_showQuintar->isChecked();
  settings.clickResponse = m_clickResponse->isChecked();
  settings.lock = m_lock->isChecked();
  settings.askBeforeDiscarding = m_askBeforeDiscarding->isChecked();
  return settings;
}

}  // namespace quintar::desktop
