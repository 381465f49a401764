// One pointer move while a mouse selection is pending: the rectangle follows the pointer and the
// chart is not redrawn. Beside it, the floor of its repaint: a plain copy of the same pixels.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include "frm_plot_probe.h"

namespace {

QPointF px(double xMm, double yMm) { return {tk::mmToPx(xMm), tk::mmToPx(yMm)}; }

// A drawing operation no redraw produces; it survives until the next Cls.
void markDisplayList(app::FrmPlot& w) { FrmPlotProbe(w).surface().Line(-7, -7, -7, -7); }
bool displayListMarked(app::FrmPlot& w) {
  const auto& ops = FrmPlotProbe(w).surface().ops();
  return !ops.empty() && ops.back().x1 == -7 && ops.back().y2 == -7;
}

// The outline's region at one place of the pointer: what a move repaints where it left and where
// it goes.
QRegion outlineAt(app::FrmPlot& window, QPointF p) {
  QMouseEvent move(QEvent::MouseMove, p, window.mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&window, &move);
  const QWidget* outline = FrmPlotProbe(window).ui().ShpArea;
  return outline->mask().translated(outline->pos());
}

// One iteration, a function of its own so that an instruction count can be taken of it alone
// (valgrind --tool=callgrind --toggle-collect='*moveOnce*').
[[gnu::noinline]] void moveOnce(app::FrmPlot& window, QPointF p, bool paint) {
  QMouseEvent move(QEvent::MouseMove, p, window.mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&window, &move);
  if (paint) QApplication::processEvents();
}

[[gnu::noinline]] void copyOnce(QImage& to, const QImage& from, const QRegion& region) {
  QPainter painter(&to);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  for (const QRect& part : region) painter.drawImage(part.topLeft(), from, part);
}

void runMoves(benchmark::State& state, bool paint) {
  app::FrmPlot window;
  window.show();
  QApplication::processEvents();
  FrmPlotProbe(window).Form_MouseDown(80, 120);  // the first corner
  markDisplayList(window);
  const QPointF points[2] = {px(140, 150), px(40, 70)};
  int next = 0;
  for (auto _ : state) moveOnce(window, points[next ^= 1], paint);
  if (!FrmPlotProbe(window).ui().ShpArea->isVisible() ||
      FrmPlotProbe(window).ui().ShpArea->widthMm() < 39)
    state.SkipWithError("the rectangle did not follow the pointer");
  if (!displayListMarked(window)) state.SkipWithError("the chart was redrawn");
}

// The pixels the move with its repaint changes (the outline where it was and where it is), copied
// from an image of the window into another of the same format, rectangle by rectangle as a
// repaint gets them: no events, no chart, no outline drawn.
void BM_SelectionRegionCopy(benchmark::State& state) {
  app::FrmPlot window;
  window.show();
  QApplication::processEvents();
  FrmPlotProbe(window).Form_MouseDown(80, 120);
  const QRegion region = outlineAt(window, px(140, 150)) + outlineAt(window, px(40, 70));
  QImage from(window.size(), QImage::Format_RGB32), to(window.size(), QImage::Format_RGB32);
  from.fill(Qt::white);
  to.fill(Qt::gray);
  for (auto _ : state) {
    copyOnce(to, from, region);
    benchmark::DoNotOptimize(to.constBits());
  }
  state.counters["pixels"] = static_cast<double>([&] {
    qint64 n = 0;
    for (const QRect& part : region) n += qint64(part.width()) * part.height();
    return n;
  }());
}

// The move event's delivery and handler: what the window does for each pointer move.
void BM_SelectionMove(benchmark::State& state) { runMoves(state, false); }
// The same, with the resulting repaint of the window's changed region.
void BM_SelectionMoveAndRepaint(benchmark::State& state) { runMoves(state, true); }

}  // namespace

BENCHMARK(BM_SelectionMove)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectionMoveAndRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectionRegionCopy)->Unit(benchmark::kMicrosecond);
