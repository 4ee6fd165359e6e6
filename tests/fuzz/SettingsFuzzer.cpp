// Reads the desktop game's stored settings from whatever its configuration
// file might hold: any value, of any type, under the keys the game reads and
// under others. What is read must be settings a game starts with as they are
// (each count within what the board takes, every colour valid, each player a
// known kind at a known level), and a game started with them must take them
// all and hold together.
#include <QHash>
#include <QStringList>
#include <QVariant>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ColorConversion.h"
#include "FuzzInput.h"
#include "GameSettings.h"
#include "Invariants.h"

namespace quintar::fuzz {
namespace {

void Fail(const char* What, const QString& Detail = {}) {
  std::fprintf(stderr, "%s: %s\n", What, Detail.toUtf8().constData());
  std::abort();
}

// The keys the game reads, so that most values land on one of them.
const std::array<QString, 16> KnownKeys = {
    QStringLiteral("players/crosses/player"), QStringLiteral("players/crosses/level"),
    QStringLiteral("players/noughts/player"), QStringLiteral("players/noughts/level"),
    QStringLiteral("board/columns"),          QStringLiteral("board/rows"),
    QStringLiteral("board/showLastMove"),     QStringLiteral("board/showWinningFive"),
    QStringLiteral("board/pressesPlay"),      QStringLiteral("board/locked"),
    QStringLiteral("colors/board"),           QStringLiteral("colors/gridLines"),
    QStringLiteral("colors/crosses"),         QStringLiteral("colors/noughts"),
    QStringLiteral("colors/lastMove"),        QStringLiteral("colors/winningFive")};

QString AnyText(TFuzzInput& Input) {
  const std::string_view Bytes = Input.Text();
  return QString::fromUtf8(Bytes.data(), static_cast<qsizetype>(Bytes.size()));
}

// A value as a settings file gives it back: mostly text, now and then a
// number, a switch or a list, as another format or program may have stored.
QVariant AnyValue(TFuzzInput& Input) {
  switch (Input.Byte() % 6) {
    case 0: return Input.AnyInt();
    case 1: return Input.Byte() % 2 != 0;
    case 2: {
      std::uint64_t Bits = static_cast<std::uint32_t>(Input.AnyInt());
      Bits = Bits << 32 | static_cast<std::uint32_t>(Input.AnyInt());
      double Number = 0;
      std::memcpy(&Number, &Bits, sizeof Number);
      return Number;
    }
    case 3: {
      QString First = AnyText(Input);
      return QStringList{First, AnyText(Input)};
    }
    default: return AnyText(Input);
  }
}

QHash<QString, QVariant> AnyStore(TFuzzInput& Input) {
  QHash<QString, QVariant> Store;
  while (!Input.Exhausted()) {
    const std::uint8_t Which = Input.Byte();
    const QString Key = Which < 0xF0 ? KnownKeys[Which % KnownKeys.size()] : AnyText(Input);
    Store.insert(Key, AnyValue(Input));
  }
  return Store;
}

bool KnownLevel(TLevel Level) { return !LevelName(Level).empty(); }

void CheckSettings(const desktop::GameSettings& Settings) {
  for (const game::TPlayer& Player : Settings.players) {
    if (Player.Kind != game::TPlayerKind::Person && Player.Kind != game::TPlayerKind::Computer)
      Fail("a player of no known kind");
    if (!KnownLevel(Player.Level)) Fail("a player at no known level");
  }
  for (const int Count : {Settings.colCount, Settings.rowCount})
    if (Count < TQuintar::MinCount || Count > TQuintar::MaxCount)
      Fail("a count the board cannot take", QString::number(Count));
  for (const QColor& Color : Settings.colors)
    if (!Color.isValid()) Fail("an invalid colour");
}

// The game the desktop starts with the settings, as its window applies them
// to the board and the session.
void StartGame(const desktop::GameSettings& Settings) {
  TQuintar Control(nullptr);
  std::srand(0);
  game::TGameSession Session(Control, [] { return std::int64_t{0}; });
  Control.SetColCount(Settings.colCount);
  Control.SetRowCount(Settings.rowCount);
  for (const int Side : {1, -1}) Session.SetPlayer(Side, Settings.player(Side));
  Control.SetShowHighlight(Settings.showHighlight);
  Control.SetShowQuintar(Settings.showQuintar);
  Control.SetClickResponse(Settings.clickResponse);
  Control.SetLock(Settings.lock);
  using Setter = void (TQuintar::*)(vcl::TColor);
  const std::array<Setter, 6> ColorSetters = {&TQuintar::SetColor,          &TQuintar::SetGridLineColor,
                                              &TQuintar::SetCrossColor,     &TQuintar::SetNoughtColor,
                                              &TQuintar::SetHighlightColor, &TQuintar::SetQuintarColor};
  for (std::size_t I = 0; I < ColorSetters.size(); ++I) (Control.*ColorSetters[I])(qt::fromQColor(Settings.colors[I]));

  if (Control.ColCount() != Settings.colCount || Control.RowCount() != Settings.rowCount)
    Fail("the board did not take the counts");
  for (const int Side : {1, -1})
    if (Session.Player(Side) != Settings.player(Side)) Fail("the session did not take a player");
  if (Control.Lock() != Settings.lock || Control.ShowHighlight() != Settings.showHighlight)
    Fail("the board did not take a switch");

  // The opening: the computer's first move when it holds crosses at one of
  // the control's strengths (the expert's would be thought out elsewhere).
  Session.NewGame();
  if (Session.ComputerDue().Action == game::TComputerAction::PlayNow) Session.PlayComputerMove();
  if (const std::string Broken = testing::InvariantViolation(Control); !Broken.empty())
    Fail("inconsistent control", QString::fromStdString(Broken));
}

}  // namespace
}  // namespace quintar::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  using namespace quintar::fuzz;
  TFuzzInput Input(Data, Size);
  const QHash<QString, QVariant> Store = AnyStore(Input);
  const quintar::desktop::GameSettings Settings =
      quintar::desktop::readGameSettings([&Store](const QString& Key) { return Store.value(Key); });
  CheckSettings(Settings);
  StartGame(Settings);
  return 0;
}
