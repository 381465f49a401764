#include "core/trade_settings.h"

#include "core/number_text.h"

namespace core {

TradeSettings builtInSettings() {
  TradeSettings s;
  s.fees = {{50000, 525}, {200000, 1050}, {std::nullopt, 1575}};
  s.quantity = {1000, 10000, 1000, 250000};
  s.price = {1, 100, 1, 9999};
  s.taxThousandths = 20315;
  return s;
}

const std::vector<TickBand>& standardTicks() {
  static const std::vector<TickBand> bands = {{300'000, 100},
                                              {500'000, 500},
                                              {3'000'000, 1'000},
                                              {5'000'000, 5'000},
                                              {30'000'000, 10'000},
                                              {50'000'000, 50'000},
                                              {300'000'000, 100'000},
                                              {500'000'000, 500'000},
                                              {3'000'000'000, 1'000'000},
                                              {5'000'000'000, 5'000'000},
                                              {std::nullopt, 10'000'000}};
  return bands;
}

const std::vector<TickBand>& topix100Ticks() {
  static const std::vector<TickBand> bands = {{100'000, 10},
                                              {300'000, 50},
                                              {1'000'000, 100},
                                              {3'000'000, 500},
                                              {10'000'000, 1'000},
                                              {30'000'000, 5'000},
                                              {100'000'000, 10'000},
                                              {300'000'000, 50'000},
                                              {1'000'000'000, 100'000},
                                              {3'000'000'000, 500'000},
                                              {std::nullopt, 1'000'000}};
  return bands;
}

const std::vector<TickBand>* tickBands(const PriceTicks& ticks) {
  switch (ticks.table) {
    case TickTable::Standard:
      return &standardTicks();
    case TickTable::Topix100:
      return &topix100Ticks();
    case TickTable::File:
      return &ticks.fileBands;
    case TickTable::Fixed:
      break;
  }
  return nullptr;
}

namespace {

using B = SettingsBounds;

// A table from the file: its borders rise, each on its own band's grid, and the last band is open.
std::optional<SettingsFault> checkTicks(const PriceTicks& ticks) {
  if (ticks.table != TickTable::File) return std::nullopt;
  const std::vector<TickBand>& bands = ticks.fileBands;
  if (bands.empty() || bands.size() > B::kMaxTickBands)
    return SettingsFault{"price.ticks",
                         "呼値の段は1段から" + std::to_string(B::kMaxTickBands) + "段までです"};
  std::int64_t previous = 0;
  for (std::size_t i = 0; i < bands.size(); ++i) {
    const std::string key = "price.ticks[" + std::to_string(i) + "]";
    const TickBand& band = bands[i];
    const bool last = i + 1 == bands.size();
    if (band.tick <= 0 || band.tick > B::kMaxPriceHundredths)
      return SettingsFault{key + ".tick", "0より大きく、10,000,000円以下にしてください"};
    if (last && band.upTo) return SettingsFault{key + ".upTo", "最後の段には upTo を書きません"};
    if (!last && !band.upTo)
      return SettingsFault{key + ".upTo", "最後の段のほかは upTo が要ります"};
    if (!band.upTo) continue;
    if (*band.upTo <= previous || *band.upTo > B::kMaxPriceHundredths)
      return SettingsFault{key + ".upTo", "前の段より大きく、10,000,000円以下にしてください"};
    if (*band.upTo % band.tick != 0)
      return SettingsFault{key + ".upTo", "その段の刻み（tick）の倍数にしてください"};
    previous = *band.upTo;
  }
  return std::nullopt;
}

std::string upTo(std::int64_t bound, const char* unit) {
  return core::groupDigits(std::to_string(bound)) + unit;
}

std::optional<SettingsFault> checkRow(const StepSetting& row, const std::string& name,
                                      std::int64_t max, const char* maxText) {
  for (const StepField& field : kStepFields) {
    const std::int64_t value = row.*field.value;
    if (value <= 0 || value > max)
      return SettingsFault{name + "." + field.key,
                           std::string("0より大きく、") + maxText + "以下にしてください"};
  }
  if (row.step > row.bigStep)
    return SettingsFault{name + ".bigStep", "小さい刻み（step）以上にしてください"};
  if (row.lowest >= row.highest)
    return SettingsFault{name + ".highest", "下限（lowest）より大きくしてください"};
  return std::nullopt;
}

}  // namespace

std::optional<SettingsFault> checkSettings(const TradeSettings& s) {
  if (s.fees.empty()) return SettingsFault{"fees", "手数料の段が1つもありません"};
  if (s.fees.size() > B::kMaxTiers)
    return SettingsFault{"fees", "手数料の段は" + std::to_string(B::kMaxTiers) + "段までです"};
  std::int64_t previous = 0;
  for (std::size_t i = 0; i < s.fees.size(); ++i) {
    const std::string key = "fees[" + std::to_string(i) + "]";
    const FeeTierSetting& tier = s.fees[i];
    const bool last = i + 1 == s.fees.size();
    if (tier.fee < 0 || tier.fee > B::kMaxFee)
      return SettingsFault{key + ".fee", "0以上、" + upTo(B::kMaxFee, "円") + "以下にしてください"};
    if (last && tier.below)
      return SettingsFault{key + ".below", "最後の段には上限（below）を書きません"};
    if (!last && !tier.below)
      return SettingsFault{key + ".below", "最後の段のほかは上限（below）が要ります"};
    if (tier.below) {
      if (*tier.below <= 0 || *tier.below > B::kMaxThreshold)
        return SettingsFault{key + ".below",
                             "0より大きく、" + upTo(B::kMaxThreshold, "円") + "以下にしてください"};
      if (*tier.below <= previous)
        return SettingsFault{key + ".below", "前の段の上限より大きくしてください"};
      previous = *tier.below;
    }
  }
  if (auto fault = checkRow(s.quantity, "quantity", B::kMaxQuantity, "100,000,000株")) return fault;
  if (auto fault = checkRow(s.price, "price", B::kMaxPriceHundredths, "10,000,000円")) return fault;
  if (auto fault = checkTicks(s.priceTicks)) return fault;
  if (s.taxThousandths < 0 || s.taxThousandths > B::kMaxTaxThousandths)
    return SettingsFault{"taxPercent", "0以上、100以下にしてください"};
  return std::nullopt;
}

}  // namespace core
