// The cost of one full refresh of the large window (computation, display list and the window's
// paint after it, which makes the chart's picture and copies it), and of a repaint that changes
// nothing.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <cmath>

#include "chart/amount_lines.h"
#include "core/fee_schedule.h"
#include "frm_plot_probe.h"

namespace {

void fullRedraw(benchmark::State& st, const char* quantity,
                const core::TradeSettings& settings = core::builtInSettings()) {
  app::FrmPlot window;
  window.show();
  window.resize(tk::twipsToPx(14115), tk::twipsToPx(11115));
  FrmPlotProbe(window).ApplySettings(settings);
  FrmPlotProbe(window).ui().TxtQua->setText(QString::fromLatin1(quantity));
  QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
  const QRegion whole(window.rect());
  const QColor grey = window.palette().color(QPalette::Window);
  for (auto _ : st) {
    FrmPlotProbe(window).ReDraw();
    // What the window repaints after a redraw: where the chart was and is.
    const QRegion changed = FrmPlotProbe(window).surface().changed();
    QPainter painter(&image);
    painter.setClipRegion(changed);
    FrmPlotProbe(window).surface().paint(painter, window.rect(), changed, grey);
    benchmark::DoNotOptimize(image.bits());
  }
}

void BM_ReDrawQuantity1000(benchmark::State& st) { fullRedraw(st, "1000"); }
void BM_ReDrawQuantity250000(benchmark::State& st) { fullRedraw(st, "250000"); }
// A typed quantity of 1 walks the 0.01 steps up to a price of 200000.
void BM_ReDrawQuantity1(benchmark::State& st) { fullRedraw(st, "1"); }
// The most tiers a broker may have, with borders from 10,000 yen up to 1,000,000,000 yen: at a
// quantity of 1 the walk runs far past the prices where 0.01 no longer moves a float.
void BM_ReDraw20TiersQuantity1(benchmark::State& st) {
  core::TradeSettings settings = core::builtInSettings();
  settings.fees.clear();
  for (int tier = 0; tier < 19; ++tier)
    settings.fees.push_back({std::llround(1e4 * std::pow(10.0, tier * 5.0 / 18.0)), 100 * tier});
  settings.fees.push_back({std::nullopt, 2000});
  fullRedraw(st, "1", settings);
}

// The same twenty tiers as percentages with a minimum and a maximum, the borders 「まで」: each
// line has its own slope and bends where a bound takes over, and the break-even search meets
// the fee rounded down.
void BM_ReDraw20PercentTiersQuantity1(benchmark::State& st) {
  core::TradeSettings settings = core::builtInSettings();
  settings.feeBorders = core::FeeBorders::UpTo;
  settings.fees.clear();
  for (int tier = 0; tier < 19; ++tier)
    settings.fees.push_back({std::llround(1e4 * std::pow(10.0, tier * 5.0 / 18.0)), 50 * tier,
                             5000 + 2500 * tier, 100, 1'000'000});
  settings.fees.push_back({std::nullopt, 2000, 10000, std::nullopt, 10'000'000});
  fullRedraw(st, "1", settings);
}

// The window's own paint of its whole area when nothing has changed (an uncovered window): the
// chart comes from its cached picture.
void BM_ExposeRepaint(benchmark::State& st) {
  app::FrmPlot window;
  window.show();
  window.resize(tk::twipsToPx(14115), tk::twipsToPx(11115));
  QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
  const QRegion whole(window.rect());
  const QColor grey = window.palette().color(QPalette::Window);
  for (auto _ : st) {
    QPainter painter(&image);
    FrmPlotProbe(window).surface().paint(painter, window.rect(), whole, grey);
    benchmark::DoNotOptimize(image.bits());
  }
}

void BM_BorderWalkQuantity1000(benchmark::State& st) {
  core::ChartState s;
  core::setStartView(s);
  s.quantity = 1000;
  for (auto _ : st) {
    s.tierStartPrice = 0;
    s.tierEndPrice = 0;
    for (std::size_t tier = 0; tier + 1 < core::tierCount(s); ++tier)
      chart::Border(s, static_cast<float>(core::tierThreshold(s, tier)));
    benchmark::DoNotOptimize(s.tierEndPrice);
  }
}

}  // namespace

BENCHMARK(BM_ReDrawQuantity1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReDrawQuantity250000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReDrawQuantity1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReDraw20TiersQuantity1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReDraw20PercentTiersQuantity1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExposeRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BorderWalkQuantity1000)->Unit(benchmark::kMicrosecond);
