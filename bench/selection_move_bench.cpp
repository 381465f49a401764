// One pointer move while a mouse selection is pending: the rectangle follows the pointer and the
// chart is not redrawn. Beside it, the floor of its repaint: a plain copy of the same region.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
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

// What the window repaints, as its paint events report it.
class RepaintRecorder : public QObject {
 public:
  QRegion region;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) region += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

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

// A plain copy of the region one move repaints (recorded from the window's paint events, for each
// of the two moves the loop makes): from an image of the window into another, rectangle by
// rectangle as a repaint gets them. No events, no chart, no outline drawn. The region holds the
// outline where it was and where it is, and the rectangle's inside too: Qt repaints under a masked
// control's whole rectangle when its mask changes. BM_SelectionOutlineCopy copies the outlines
// alone, the pixels that change.
void copyRegions(benchmark::State& state, bool outlinesOnly) {
  app::FrmPlot window;
  window.show();
  QApplication::processEvents();
  FrmPlotProbe(window).Form_MouseDown(80, 120);
  const QPointF points[2] = {px(140, 150), px(40, 70)};
  for (int warm = 0; warm < 4; ++warm) moveOnce(window, points[warm % 2], true);
  RepaintRecorder recorder;
  window.installEventFilter(&recorder);
  QRegion regions[2];
  for (int i = 0; i < 2; ++i) {
    recorder.region = QRegion();
    const QWidget* outline = FrmPlotProbe(window).ui().ShpArea;
    const QRegion before = outline->mask().translated(outline->pos());
    moveOnce(window, points[i], true);
    regions[i] =
        outlinesOnly ? before + outline->mask().translated(outline->pos()) : recorder.region;
  }
  window.removeEventFilter(&recorder);
  QImage from(window.size(), QImage::Format_RGB32), to(window.size(), QImage::Format_RGB32);
  from.fill(Qt::white);
  to.fill(Qt::gray);
  int next = 0;
  for (auto _ : state) {
    copyOnce(to, from, regions[next ^= 1]);
    benchmark::DoNotOptimize(to.constBits());
  }
  qint64 pixels = 0;
  for (const QRect& part : regions[0]) pixels += qint64(part.width()) * part.height();
  state.counters["pixels"] = static_cast<double>(pixels);
}

void BM_SelectionRegionCopy(benchmark::State& state) { copyRegions(state, false); }
void BM_SelectionOutlineCopy(benchmark::State& state) { copyRegions(state, true); }

// The move event's delivery and handler: what the window does for each pointer move.
void BM_SelectionMove(benchmark::State& state) { runMoves(state, false); }
// The same, with the resulting repaint of the window's changed region.
void BM_SelectionMoveAndRepaint(benchmark::State& state) { runMoves(state, true); }

}  // namespace

BENCHMARK(BM_SelectionMove)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectionMoveAndRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectionRegionCopy)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectionOutlineCopy)->Unit(benchmark::kMicrosecond);
