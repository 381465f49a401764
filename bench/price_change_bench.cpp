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

// Twenty fee tiers, the standard tick table and a target after tax: the same price change now
// also searches break-even and target prices on both grids. With `percent` the tiers charge a
// rate with a minimum and a maximum, their borders 「まで」: the searches meet fees rounded down.
core::TradeSettings twentyTiers(bool percent = false) {
  core::TradeSettings settings = core::builtInSettings();
  settings.fees.clear();
  for (std::int64_t i = 1; i < 20; ++i) {
    if (percent)
      settings.fees.push_back({i * 25'000, 50 * i, 5000 + 2500 * i, 100, 1'000'000});
    else
      settings.fees.push_back({i * 25'000, 100 + i * 50});
  }
  settings.fees.push_back(percent ? core::FeeTierSetting{std::nullopt, 2000, 10000}
                                  : core::FeeTierSetting{std::nullopt, 1200});
  if (percent) settings.feeBorders = core::FeeBorders::UpTo;
  settings.price = {1, 100, 1, 1'000'000};
  settings.priceTicks.table = core::TickTable::Standard;
  return settings;
}

void BM_BuyPriceChangeTargetTwentyTiers(benchmark::State& st) {
  app::FrmPlot window;
  window.show();
  FrmPlotProbe probe(window);
  probe.ApplySettings(twentyTiers(st.range(0) != 0));
  probe.ui().TxtQua->setText(QStringLiteral("300"));
  probe.ui().TxtSP->setText(QStringLiteral("1250"));
  probe.ui().TxtTarget->setText(QStringLiteral("10000"));
  const std::array<QString, 2> texts = {QStringLiteral("1234"), QStringLiteral("1235")};
  std::size_t i = 0;
  for (auto _ : st) {
    probe.ui().TxtBP->setText(texts[i ^= 1]);
    benchmark::DoNotOptimize(probe.state().buyPrice);
  }
}
BENCHMARK(BM_BuyPriceChangeTargetTwentyTiers)->Arg(0)->Arg(1);  // 1: percentages

}  // namespace

namespace {

// The figures beside the readout alone, which every price change recomputes: the built-in
// settings, then twenty tiers with the tick table and a target, then the same as percentages.
void BM_TradeFigures(benchmark::State& st) {
  core::ChartState s;
  if (st.range(0) != 0) {
    s.settings = twentyTiers(st.range(0) == 2);
    s.targetAfterTax = 10000;
  }
  s.quantity = 300;
  s.buyPrice = 1234;
  s.sellPrice = 1250;
  s.quantityDecimal = core::Decimal(300);
  s.buyPriceDecimal = core::Decimal(1234);
  s.sellPriceDecimal = core::Decimal(1250);
  for (auto _ : st) benchmark::DoNotOptimize(trade::tradeFigures(s));
}
BENCHMARK(BM_TradeFigures)->Arg(0)->Arg(1)->Arg(2);  // 2: percentages

}  // namespace
