// Defaults, property writes and the new-game reset.
#include <gtest/gtest.h>

#include "EventLog.h"
#include "Graphics.h"
#include "Quintar.h"

namespace quintar {
namespace {

using testing::TEventLog;

TEST(Construction, FreshControlIsAReadyDefaultGame) {
  TQuintar Control(nullptr);
  EXPECT_EQ(Control.Width(), 200);
  EXPECT_EQ(Control.Height(), 200);
  EXPECT_EQ(Control.ColCount(), 20);
  EXPECT_EQ(Control.RowCount(), 20);
  EXPECT_EQ(Control.Color(), vcl::clWhite);
  EXPECT_EQ(Control.GridLineColor(), vcl::clGray);
  EXPECT_EQ(Control.CrossColor(), vcl::clRed);
  EXPECT_EQ(Control.NoughtColor(), vcl::clBlue);
  EXPECT_EQ(Control.HighlightColor(), vcl::clBlack);
  EXPECT_EQ(Control.QuintarColor(), vcl::clYellow);
  EXPECT_EQ(Control.PlayingStrength(), stHigh);
  EXPECT_TRUE(Control.AutoResponse());
  EXPECT_TRUE(Control.ClickResponse());
  EXPECT_FALSE(Control.Lock());
  EXPECT_TRUE(Control.ShowHighlight());
  EXPECT_TRUE(Control.ShowQuintar());
  EXPECT_FALSE(Control.GameOver());
  EXPECT_FALSE(Control.WinFound());
  EXPECT_EQ(Control.Turn(), 1);
  EXPECT_EQ(Control.LastMove(), TQuintar::NoCell);
  for (int Col = 0; Col < 20; ++Col)
    for (int Row = 0; Row < 20; ++Row) ASSERT_EQ(Control.Cell(Col, Row), 0);
  EXPECT_TRUE(Control.Invalidated());  // the first paint is pending
}

TEST(Construction, OwnerFreesTheControl) {
  auto* Form = new vcl::TComponent(nullptr);
  auto* Control = new TQuintar(Form);
  EXPECT_EQ(Form->Components(0), Control);
  delete Form;  // frees the control and its working memory; the sanitizers check
}

TEST(Counts, AreClampedToFiveToFifty) {
  TQuintar Control(nullptr);
  const std::pair<int, int> Writes[] = {{3, 5}, {51, 50}, {50, 50},     {-7, 5},
                                        {5, 5}, {17, 17}, {INT_MIN, 5}, {INT_MAX, 50}};
  for (const auto& [Written, Stored] : Writes) {
    Control.SetColCount(Written);
    Control.SetRowCount(Written);
    EXPECT_EQ(Control.ColCount(), Stored) << Written;
    EXPECT_EQ(Control.RowCount(), Stored) << Written;
  }
}

TEST(Counts, EveryWriteStartsANewGameEvenWithTheSameValue) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  for (const bool Rows : {false, true}) {
    Control.Move(3, 4);
    Control.Move(5, 6);
    ASSERT_EQ(Control.Turn(), 1);
    Control.Move(7, 7);
    ASSERT_EQ(Control.Turn(), -1);
    Control.Repaint();
    if (Rows) {
      Control.SetRowCount(Control.RowCount());
    } else {
      Control.SetColCount(Control.ColCount());
    }
    EXPECT_EQ(Control.Cell(2, 3), 0);
    EXPECT_EQ(Control.Cell(6, 6), 0);
    EXPECT_EQ(Control.Turn(), 1);
    EXPECT_EQ(Control.LastMove(), TQuintar::NoCell);
    EXPECT_TRUE(Control.Invalidated());
  }
}

TEST(Counts, NewGameEndsAFinishedGame) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  for (int I = 1; I <= 4; ++I) {
    Control.Move(I, 1);
    Control.Move(I, 3);
  }
  Control.Move(5, 1);
  ASSERT_TRUE(Control.GameOver());
  ASSERT_TRUE(Control.WinFound());
  Control.NewGame();
  EXPECT_FALSE(Control.GameOver());
  EXPECT_FALSE(Control.WinFound());
  EXPECT_EQ(Control.Cell(0, 0), 0);
}

TEST(Counts, ShrinkingThenGrowingClearsTheWholeNewBoard) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  Control.Move(20, 20);
  Control.SetColCount(10);
  Control.SetColCount(20);
  EXPECT_EQ(Control.Cell(19, 19), 0);
}

TEST(Switches, ChangeNothingButThemselves) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  Control.Move(4, 4);
  Control.Repaint();
  vcl::TCanvasRecorder Recorder;
  Control.Canvas().SetObserver(&Recorder);
  TEventLog Log(Control);
  Control.SetPlayingStrength(stLow);
  Control.SetAutoResponse(true);
  Control.SetClickResponse(false);
  Control.SetLock(true);
  Control.SetShowHighlight(false);
  Control.SetShowQuintar(false);
  EXPECT_TRUE(Recorder.Calls().empty());
  EXPECT_FALSE(Control.Invalidated());
  EXPECT_TRUE(Log.Names().empty());
  EXPECT_EQ(Control.Cell(3, 3), 1);
  EXPECT_EQ(Control.Turn(), -1);
  EXPECT_EQ(Control.PlayingStrength(), stLow);
  EXPECT_TRUE(Control.AutoResponse());
  EXPECT_FALSE(Control.ClickResponse());
  EXPECT_TRUE(Control.Lock());
  EXPECT_FALSE(Control.ShowHighlight());
  EXPECT_FALSE(Control.ShowQuintar());
}

TEST(Switches, StrengthOutsideTheEnumerationIsTakenAsHigh) {
  TQuintar Control(nullptr);
  Control.SetPlayingStrength(static_cast<TStrength>(9));
  EXPECT_EQ(Control.PlayingStrength(), stHigh);
}

TEST(Colours, MarkColoursRedrawAtOnceBackgroundAndGridAtTheNextPaint) {
  TQuintar Control(nullptr);
  Control.Repaint();
  vcl::TCanvasRecorder Recorder;
  Control.Canvas().SetObserver(&Recorder);
  for (auto Setter : {&TQuintar::SetCrossColor, &TQuintar::SetNoughtColor, &TQuintar::SetHighlightColor,
                      &TQuintar::SetQuintarColor}) {
    Recorder.Clear();
    (Control.*Setter)(0x123456);
    EXPECT_FALSE(Recorder.Calls().empty());
    EXPECT_FALSE(Control.Invalidated());
  }
  for (auto Setter : {&TQuintar::SetColor, &TQuintar::SetGridLineColor}) {
    Recorder.Clear();
    Control.Update();
    ASSERT_FALSE(Control.Invalidated());
    Recorder.Clear();
    (Control.*Setter)(0x654321);
    EXPECT_TRUE(Recorder.Calls().empty());
    EXPECT_TRUE(Control.Invalidated());
  }
  EXPECT_EQ(Control.Color(), 0x654321);
  EXPECT_EQ(Control.GridLineColor(), 0x654321);
  EXPECT_EQ(Control.CrossColor(), 0x123456);
}

TEST(GameState, CellOffTheBoardReadsEmpty) {
  TQuintar Control(nullptr);
  Control.SetAutoResponse(false);
  Control.Move(1, 1);
  EXPECT_EQ(Control.Cell(0, 0), 1);
  EXPECT_EQ(Control.Cell(-1, 0), 0);
  EXPECT_EQ(Control.Cell(20, 0), 0);
  EXPECT_EQ(Control.Cell(0, 1000), 0);
}

}  // namespace
}  // namespace quintar
