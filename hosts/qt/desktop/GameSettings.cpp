#include "GameSettings.h"

#include <QStringList>
#include <algorithm>

#include "ColorConversion.h"
#include "Registry.h"

namespace quintar::desktop {
namespace {

const std::array<QString, 2> sideKeys = {QStringLiteral("crosses"), QStringLiteral("noughts")};
const std::array<QString, 6> colorKeys = {QStringLiteral("board"),    QStringLiteral("gridLines"),
                                          QStringLiteral("crosses"),  QStringLiteral("noughts"),
                                          QStringLiteral("lastMove"), QStringLiteral("winningFive")};

game::TPlayer readPlayer(const StoredValues& stored, const QString& side, game::TPlayer fallback) {
  const QString group = QStringLiteral("players/") + side + QLatin1Char('/');
  // Read as the level is, whatever its case.
  const QString kind = stored(group + QStringLiteral("player")).toString().trimmed().toLower();
  if (kind == QLatin1String("person")) fallback.Kind = game::TPlayerKind::Person;
  if (kind == QLatin1String("computer")) fallback.Kind = game::TPlayerKind::Computer;
  const QByteArray level = stored(group + QStringLiteral("level")).toString().toLatin1();
  if (const std::optional<TLevel> named =
          game::TGameTable::LevelNamed(std::string_view(level.constData(), level.size())))
    fallback.Level = *named;
  return fallback;
}

int readCount(const StoredValues& stored, const QString& key, int fallback) {
  bool ok = false;
  const int value = stored(key).toInt(&ok);
  return ok ? std::clamp(value, TQuintar::MinCount, TQuintar::MaxCount) : fallback;
}

// Only true or false (or 1 or 0): anything else, an empty value included,
// keeps the fallback rather than turning the switch on.
bool readSwitch(const StoredValues& stored, const QString& key, bool fallback) {
  const QString value = stored(key).toString().trimmed().toLower();
  if (value == QLatin1String("true") || value == QLatin1String("1")) return true;
  if (value == QLatin1String("false") || value == QLatin1String("0")) return false;
  return fallback;
}

// What a new control has, as it publishes it.
std::int64_t publishedDefault(std::string_view property) {
  return TQuintar::ClassInfo().FindProperty(property)->Default.value_or(0);
}

QColor defaultColor(std::string_view property) {
  return qt::toQColor(static_cast<vcl::TColor>(publishedDefault(property)));
}

}  // namespace

GameSettings defaultGameSettings() {
  GameSettings settings;
  const TLevel level = LevelOf(static_cast<TStrength>(publishedDefault("PlayingStrength")));
  settings.players = {{{game::TPlayerKind::Person, level}, {game::TPlayerKind::Computer, level}}};
  settings.colCount = static_cast<int>(publishedDefault("ColCount"));
  settings.rowCount = static_cast<int>(publishedDefault("RowCount"));
  settings.showHighlight = publishedDefault("ShowHighlight") != 0;
  settings.showQuintar = publishedDefault("ShowQuintar") != 0;
  settings.clickResponse = publishedDefault("ClickResponse") != 0;
  settings.lock = publishedDefault("Lock") != 0;
  settings.colors = {defaultColor("Color"),       defaultColor("GridLineColor"),  defaultColor("CrossColor"),
                     defaultColor("NoughtColor"), defaultColor("HighlightColor"), defaultColor("QuintarColor")};
  return settings;
}

GameSettings readGameSettings(const StoredValues& stored) {
  GameSettings settings = defaultGameSettings();
  for (std::size_t side = 0; side < 2; ++side)
    settings.players[side] = readPlayer(stored, sideKeys[side], settings.players[side]);

  settings.colCount = readCount(stored, QStringLiteral("board/columns"), settings.colCount);
  settings.rowCount = readCount(stored, QStringLiteral("board/rows"), settings.rowCount);
  settings.showHighlight = readSwitch(stored, QStringLiteral("board/showLastMove"), settings.showHighlight);
  settings.showQuintar = readSwitch(stored, QStringLiteral("board/showWinningFive"), settings.showQuintar);
  settings.clickResponse = readSwitch(stored, QStringLiteral("board/pressesPlay"), settings.clickResponse);
  settings.lock = readSwitch(stored, QStringLiteral("board/locked"), settings.lock);

  for (std::size_t index = 0; index < colorKeys.size(); ++index) {
    // The board is opaque: a colour that is partly see-through would be drawn
    // as something else than it says.
    const QColor color = QColor::fromString(stored(QStringLiteral("colors/") + colorKeys[index]).toString());
    if (color.isValid() && color.alpha() == 255) settings.colors[index] = color;
  }
  settings.askBeforeDiscarding =
      readSwitch(stored, QStringLiteral("confirm/discardGame"), settings.askBeforeDiscarding);
  return settings;
}

GameSettings loadGameSettings(QSettings& store) {
  return readGameSettings([&store](const QString& key) { return store.value(key); });
}

void saveGameSettings(const GameSettings& settings, QSettings& store) {
  store.beginGroup(QStringLiteral("players"));
  for (std::size_t side = 0; side < 2; ++side) {
    const game::TPlayer& player = settings.players[side];
    store.beginGroup(sideKeys[side]);
    store.setValue(QStringLiteral("player"),
                   player.Kind == game::TPlayerKind::Person ? QStringLiteral("person") : QStringLiteral("computer"));
    const std::string_view level = game::TGameTable::LevelName(player.Level);
    store.setValue(QStringLiteral("level"), QString::fromLatin1(level.data(), static_cast<qsizetype>(level.size())));
    store.endGroup();
  }
  store.endGroup();

  store.beginGroup(QStringLiteral("board"));
  store.setValue(QStringLiteral("columns"), settings.colCount);
  store.setValue(QStringLiteral("rows"), settings.rowCount);
  store.setValue(QStringLiteral("showLastMove"), settings.showHighlight);
  store.setValue(QStringLiteral("showWinningFive"), settings.showQuintar);
  store.setValue(QStringLiteral("pressesPlay"), settings.clickResponse);
  store.setValue(QStringLiteral("locked"), settings.lock);
  store.endGroup();

  store.beginGroup(QStringLiteral("colors"));
  for (std::size_t index = 0; index < colorKeys.size(); ++index)
    store.setValue(colorKeys[index], settings.colors[index].name());
  store.endGroup();

  store.setValue(QStringLiteral("confirm/discardGame"), settings.askBeforeDiscarding);
}

}  // namespace quintar::desktop
