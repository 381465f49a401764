// One quantity step: the button's click reads the field, writes the new text, and the change
// handler redraws the whole chart. A held button does this every 200 ms.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "frm_plot_probe.h"

namespace {

// Up and down by 1000 in turn, so every iteration is a real step (never one the limit refuses).
void step(app::FrmPlot& window, bool up) {
  app::FrmPlotControls& ui = FrmPlotProbe(window).ui();
  (up ? ui.CmdSQU : ui.CmdSQD)->click();
}

void BM_QuantityStep(benchmark::State& bench) {
  app::FrmPlot window;
  window.show();
  bool up = true;
  for (auto _ : bench) {
    step(window, up);
    up = !up;
    benchmark::DoNotOptimize(FrmPlotProbe(window).surface().ops().size());
  }
}
BENCHMARK(BM_QuantityStep);

// The same, with the window's next paint into an image of its size: where the chart was and is.
void BM_QuantityStepAndPaint(benchmark::State& bench) {
  app::FrmPlot window;
  window.show();
  QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
  bool up = true;
  for (auto _ : bench) {
    step(window, up);
    up = !up;
    const QRegion changed = FrmPlotProbe(window).surface().changed();
    QPainter painter(&image);
    painter.setClipRegion(changed);
    FrmPlotProbe(window).surface().paint(painter, window.rect(), changed,
                                         window.palette().color(QPalette::Window));
  }
}
BENCHMARK(BM_QuantityStepAndPaint);

}  // namespace
