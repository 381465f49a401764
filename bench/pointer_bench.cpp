// The pointer on the chart: one wheel notch zooming in (event, plan, history, full redraw), and
// one pointer move while the readout shows (event, price, both amounts, the tip's text and place).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "app/tk/readout_tip.h"
#include "frm_plot_probe.h"

namespace {

// The large window at quantity 1000, as the redraw benchmark measures it.
void prepare(app::FrmPlot& window) {
  window.show();
  window.resize(tk::twipsToPx(14115), tk::twipsToPx(11115));
  FrmPlotProbe(window).ui().TxtQua->setText(QStringLiteral("1000"));
  QApplication::processEvents();
}

QPointF plotMiddle(app::FrmPlot& window) {
  const core::ChartState& s = FrmPlotProbe(window).state();
  return {tk::mmToPx(s.graphLeft + s.graphWidth / 3),
          tk::mmToPx(s.graphBottom - s.graphHeight / 3)};
}

void wheelZoom(benchmark::State& bench, bool paint) {
  app::FrmPlot window;
  prepare(window);
  FrmPlotProbe w(window);
  const core::SavedView start = core::currentView(w.state());
  const QPointF at = plotMiddle(window);
  QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : bench) {
    bench.PauseTiming();
    core::showView(w.state(), start);  // every notch zooms from the same view
    w.state().viewHistory.assign(1, start);
    w.state().historyIndex = 0;
    bench.ResumeTiming();
    QWheelEvent wheel(at, window.mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&window, &wheel);
    if (paint) {  // the window's next paint: where the chart was and is
      const QRegion changed = w.surface().changed();
      QPainter painter(&image);
      painter.setClipRegion(changed);
      w.surface().paint(painter, window.rect(), changed, window.palette().color(QPalette::Window));
    }
  }
  if (w.state().viewHistory.size() != 2) bench.SkipWithError("the notch did not zoom");
}

// The wheel event through the zoom to the new display list.
void BM_WheelZoom(benchmark::State& bench) { wheelZoom(bench, false); }
// The same with the new picture painted once, as the redraw budget counts it.
void BM_WheelZoomAndPaint(benchmark::State& bench) { wheelZoom(bench, true); }

void readoutMove(benchmark::State& bench, bool repaint) {
  app::FrmPlot window;
  prepare(window);
  const QPoint first = plotMiddle(window).toPoint();
  QHelpEvent rest(QEvent::ToolTip, first, window.mapToGlobal(first));
  QApplication::sendEvent(&window, &rest);
  const QPointF points[2] = {QPointF(first), QPointF(first + QPoint(37, 11))};
  int next = 0;
  for (auto _ : bench) {
    const QPointF p = points[next ^= 1];
    QMouseEvent move(QEvent::MouseMove, p, window.mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&window, &move);
    if (repaint) QApplication::processEvents();
  }
  if (!FrmPlotProbe(window).ui().TipReadout->isVisible())
    bench.SkipWithError("the readout did not stay");
}

// The move's delivery and the readout's new text and place.
void BM_ReadoutFollow(benchmark::State& bench) { readoutMove(bench, false); }
// The same with the repaint of the tip it changed.
void BM_ReadoutFollowAndRepaint(benchmark::State& bench) { readoutMove(bench, true); }

}  // namespace

BENCHMARK(BM_WheelZoom)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WheelZoomAndPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadoutFollow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadoutFollowAndRepaint)->Unit(benchmark::kMicrosecond);
