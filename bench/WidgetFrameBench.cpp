// Times the Qt widget's side of a frame against the bare control's drawing,
// in the same run:
//   - a press on a 600 x 600 widget in mid-game, the computer answering, up
//     to the changed region handed to Qt (and on to the pixels painted);
//   - a full repaint of a 1000 x 1000 widget with 600 marks on a 50 x 50
//     board, the control's Paint and the blit together, and the blit alone.
// Without a display it runs on Qt's offscreen platform.
//
//   widget_frame_bench [--benchmark_repetitions=N] ...
//
// Last it prints each path's time beside the bare control's, as a ratio.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "MidgamePosition.h"
#include "Quintar.h"
#include "QuintarWidget.h"

namespace {

constexpr int PressSide = 600;
constexpr int MidgameMarks = 30;
constexpr int CrowdedSide = 1000;
constexpr int CrowdedBoard = 50;
constexpr int CrowdedMarks = 600;

// Presses reach the widget's handler as Qt's dispatch delivers them.
class PressedWidget : public QuintarWidget {
 public:
  void press(QPoint position) {
    QMouseEvent event(QEvent::MouseButtonPress, position, mapToGlobal(position), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    mousePressEvent(&event);
  }
};

void setUp(quintar::TQuintar& control, const std::vector<vcl::TPoint>& moves) {
  control.NewGame();
  const bool answering = control.AutoResponse();
  control.SetAutoResponse(false);
  for (const vcl::TPoint move : moves) control.Move(move.X + 1, move.Y + 1);
  control.SetAutoResponse(answering);
}

struct PressFixture {
  PressFixture() : moves(quintar::MidgameMoves(MidgameMarks)) {
    board.resize(PressSide, PressSide);
    board.show();
    QCoreApplication::processEvents();
  }
  // Back to the position before the press, painted and with nothing pending.
  QPoint reset() {
    setUp(board.control(), moves);
    std::srand(11);
    board.repaint();
    QCoreApplication::processEvents();
    const int cell = PressSide / board.colCount();
    const vcl::TPoint target = quintar::EmptyCellNearTheCentre(board.control());
    return {target.X * cell + cell / 2, target.Y * cell + cell / 2};
  }
  std::vector<vcl::TPoint> moves;
  PressedWidget board;
};

// A press, up to the changed region handed to Qt, and with Paint also the
// region painted into the window's backing store.
template <bool Paint>
void press(benchmark::State& state) {
  PressFixture fixture;
  for (auto _ : state) {
    state.PauseTiming();
    const QPoint position = fixture.reset();
    state.ResumeTiming();
    fixture.board.press(position);
    if (Paint) fixture.board.repaint();
  }
}

void PressToRegion(benchmark::State& state) { press<false>(state); }
void PressToPixels(benchmark::State& state) { press<true>(state); }

// The bare control: the same press delivered to MouseDown, drawing included.
void BareControlPress(benchmark::State& state) {
  const std::vector<vcl::TPoint> moves = quintar::MidgameMoves(MidgameMarks);
  quintar::TQuintar control(nullptr);
  control.SetBounds(0, 0, PressSide, PressSide);
  for (auto _ : state) {
    state.PauseTiming();
    setUp(control, moves);
    std::srand(11);
    control.Repaint();
    const vcl::TPoint target = quintar::EmptyCellNearTheCentre(control);
    const int cell = PressSide / control.ColCount();
    state.ResumeTiming();
    control.MouseDown(vcl::mbLeft, vcl::TShiftState{}, target.X * cell + cell / 2, target.Y * cell + cell / 2);
  }
}

// A 1000 x 1000 widget showing 600 marks on a 50 x 50 board.
struct CrowdedFixture {
  CrowdedFixture() {
    board.resize(CrowdedSide, CrowdedSide);
    board.setAutoResponse(false);
    board.setColCount(CrowdedBoard);
    board.setRowCount(CrowdedBoard);
    setUp(board.control(), quintar::CrowdedMoves(CrowdedBoard, CrowdedMarks));
    board.show();
    QCoreApplication::processEvents();
  }
  QuintarWidget board;
};

// The control's Paint and the widget's blit.
void FullRepaint(benchmark::State& state) {
  CrowdedFixture fixture;
  for (auto _ : state) {
    fixture.board.control().Invalidate();
    fixture.board.repaint();
  }
}

// The blit alone: the whole widget shown again from pixels already drawn.
void FullBlit(benchmark::State& state) {
  CrowdedFixture fixture;
  for (auto _ : state) fixture.board.repaint();
}

// The bare control's Paint of the same board.
void BareControlPaint(benchmark::State& state) {
  quintar::TQuintar control(nullptr);
  control.SetBounds(0, 0, CrowdedSide, CrowdedSide);
  control.SetAutoResponse(false);
  control.SetColCount(CrowdedBoard);
  control.SetRowCount(CrowdedBoard);
  setUp(control, quintar::CrowdedMoves(CrowdedBoard, CrowdedMarks));
  for (auto _ : state) control.Repaint();
}

void printRatios(const std::map<std::string, double>& times) {
  struct Pair {
    const char* path;
    const char* widget;
    const char* bare;
  };
  const Pair pairs[] = {{"press to region", "PressToRegion", "BareControlPress"},
                        {"press to pixels", "PressToPixels", "BareControlPress"},
                        {"full repaint", "FullRepaint", "BareControlPaint"},
                        {"blit alone", "FullBlit", "BareControlPaint"}};
  std::printf("\n%-16s %12s %12s %12s\n", "path", "widget us", "control us", "widget/control");
  for (const Pair& pair : pairs) {
    const auto widget = times.find(pair.widget);
    const auto bare = times.find(pair.bare);
    if (widget == times.end() || bare == times.end()) continue;
    std::printf("%-16s %12.1f %12.1f %12.2f\n", pair.path, widget->second, bare->second, widget->second / bare->second);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (!quintar::InitializeBenchmarks(argc, argv)) return 1;
  for (const auto& [name, run] : {std::pair{"PressToRegion", &PressToRegion},
                                  {"PressToPixels", &PressToPixels},
                                  {"BareControlPress", &BareControlPress},
                                  {"FullRepaint", &FullRepaint},
                                  {"FullBlit", &FullBlit},
                                  {"BareControlPaint", &BareControlPaint}})
    benchmark::RegisterBenchmark(name, run)->Unit(benchmark::kMicrosecond)->ReportAggregatesOnly(true);
  printRatios(quintar::RunBenchmarks());
  return 0;
}
