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

namespace {

using B = SettingsBounds;

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
  if (s.taxThousandths < 0 || s.taxThousandths > B::kMaxTaxThousandths)
    return SettingsFault{"taxPercent", "0以上、100以下にしてください"};
  return std::nullopt;
}

}  // namespace core
