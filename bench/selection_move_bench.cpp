// One pointer move while a mouse selection is pending: the rectangle follows the pointer and the
// chart is not redrawn.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>

#include "frm_plot_probe.h"

namespace {

QPointF px(double xMm, double yMm) { return {tk::mmToPx(xMm), tk::mmToPx(yMm)}; }

// A drawing operation no redraw produces; it survives until the next Cls.
void markDisplayList(app::FrmPlot& w) { FrmPlotProbe(w).surface().Line(-7, -7, -7, -7); }
bool displayListMarked(app::FrmPlot& w) {
  const auto& ops = FrmPlotProbe(w).surface().ops();
  return !ops.empty() && ops.back().x1 == -7 && ops.back().y2 == -7;
}

void runMoves(benchmark::State& state, bool paint) {
  app::FrmPlot window;
  window.show();
  QApplication::processEvents();
  FrmPlotProbe(window).Form_MouseDown(80, 120);  // the first corner
  markDisplayList(window);
  const QPointF points[2] = {px(140, 150), px(40, 70)};
  int next = 0;
  for (auto _ : state) {
    const QPointF p = points[next ^= 1];
    QMouseEvent move(QEvent::MouseMove, p, window.mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&window, &move);
    if (paint) QApplication::processEvents();
  }
  if (!FrmPlotProbe(window).ui().ShpArea->isVisible() ||
      FrmPlotProbe(window).ui().ShpArea->widthMm() < 39)
    state.SkipWithError("the rectangle did not follow the pointer");
  if (!displayListMarked(window)) state.SkipWithError("the chart was redrawn");
}

// The move event's delivery and handler: what the window does for each pointer move.
void BM_SelectionMove(benchmark::State& state) { runMoves(state, false); }
// The same, with the resulting repaint of the window's changed region.
void BM_SelectionMoveAndRepaint(benchmark::State& state) { runMoves(state, true); }

}  // namespace

BENCHMARK(BM_SelectionMove)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectionMoveAndRepaint)->Unit(benchmark::kMicrosecond);
