// One price step as the step buttons make it: a text assignment to the buy field, whose change
// handler moves the buy price and amount markers and recomputes the readout.
#include <benchmark/benchmark.h>

#include <array>

#include "frm_plot_probe.h"
#include "trade/figures.h"

namespace {

void BM_BuyPriceChange(benchmark::State& st) {
  app::FrmPlot window;
  window.show();
  // Alternate between two prices on the chart, so every assignment is a real change.
  const std::array<QString, 2> texts = {QStringLiteral("12.50"), QStringLiteral("12.51")};
  std::size_t i = 0;
  for (auto _ : st) {
    FrmPlotProbe(window).ui().TxtBP->setText(texts[i ^= 1]);
    benchmark::DoNotOptimize(FrmPlotProbe(window).state().buyPrice);
  }
}
BENCHMARK(BM_BuyPriceChange);

}  // namespace

namespace {

// The figures beside the readout alone, which every price change recomputes.
void BM_TradeFigures(benchmark::State& st) {
  core::ChartState s;
  s.quantity = 300;
  s.buyPrice = 1234;
  s.sellPrice = 1250;
  s.quantityDecimal = core::Decimal(300);
  s.buyPriceDecimal = core::Decimal(1234);
  s.sellPriceDecimal = core::Decimal(1250);
  for (auto _ : st) benchmark::DoNotOptimize(trade::figureTexts(s, trade::breakEvenHundredths(s)));
}
BENCHMARK(BM_TradeFigures);

}  // namespace
