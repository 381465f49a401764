#include "core/trade_settings.h"

#include "core/number_text.h"
#include "core/unit_text.h"

namespace core {

TradeSettings builtInSettings() {
  TradeSettings s;
  s.fees = {{50000, 525}, {200000, 1050}, {std::nullopt, 1575}};
  s.quantity = {1000, 10000, 1000, 250000};
  s.price = {1, 100, 1, 9999};
  s.taxThousandths = 20315;
  return s;
}

const SettingField& settingField(std::string_view key) {
  if (key.starts_with("fees[")) key.remove_prefix(key.find('.') + 1);
  for (const SettingField& field : kSettingFields)
    if (field.key == key) return field;
  return kSettingFields.front();
}

std::string tierKey(std::size_t tier, std::string_view name) {
  return "fees[" + std::to_string(tier) + "]." + std::string(name);
}

namespace {

std::size_t utf8Length(std::string_view text) {
  std::size_t n = 0;
  for (const char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

// 「0以上、10,000,000円以下にしてください」: a field's bounds as its reason says them.
std::string boundsReason(const SettingField& f) {
  const std::string low = f.lowest == 0 ? "0以上、" : "0より大きく、";
  return low + unitsText(f.highest, f.decimals) + std::string(f.unit) + "以下にしてください";
}

void checkBounds(std::vector<SettingsFault>& faults, const std::string& key, std::int64_t value) {
  const SettingField& f = settingField(key);
  if (value < f.lowest || value > f.highest) faults.push_back({key, boundsReason(f)});
}

void checkRow(std::vector<SettingsFault>& faults, const StepSetting& row, const std::string& name) {
  for (const StepField& field : kStepFields)
    checkBounds(faults, name + "." + field.key, row.*field.value);
  if (row.step > row.bigStep) faults.push_back({name + ".bigStep", "小さい刻み以上にしてください"});
  if (row.lowest >= row.highest)
    faults.push_back({name + ".highest", "下限より大きくしてください"});
}

}  // namespace

std::vector<SettingsFault> settingsFaults(const TradeSettings& s) {
  std::vector<SettingsFault> faults;
  if (s.fees.empty()) faults.push_back({"fees", "手数料の段が1つもありません"});
  if (s.fees.size() > kMaxTiers)
    faults.push_back({"fees", "手数料の段は" + std::to_string(kMaxTiers) + "段までです"});
  std::optional<std::int64_t> previous;
  for (std::size_t i = 0; i < s.fees.size(); ++i) {
    const FeeTierSetting& tier = s.fees[i];
    const bool last = i + 1 == s.fees.size();
    checkBounds(faults, tierKey(i, "fee"), tier.fee);
    if (last && tier.below) faults.push_back({tierKey(i, "below"), "最後の段には額を書きません"});
    if (!last && !tier.below) faults.push_back({tierKey(i, "below"), "額を入れてください"});
    if (tier.below) {
      const std::size_t before = faults.size();
      checkBounds(faults, tierKey(i, "below"), *tier.below);
      if (faults.size() == before && previous && *tier.below <= *previous)
        faults.push_back({tierKey(i, "below"), "前の段の額より大きくしてください"});
      previous = tier.below;
    }
    checkBounds(faults, tierKey(i, "percent"), tier.percent);
    if (tier.min) checkBounds(faults, tierKey(i, "min"), *tier.min);
    if (tier.max) checkBounds(faults, tierKey(i, "max"), *tier.max);
    if (tier.min && tier.max && *tier.min > *tier.max)
      faults.push_back({tierKey(i, "max"), "最低以上にしてください"});
  }
  if (utf8Length(s.name) > kMaxNameLength)
    faults.push_back({"name", std::to_string(kMaxNameLength) + "文字までにしてください"});
  checkRow(faults, s.quantity, "quantity");
  checkRow(faults, s.price, "price");
  checkBounds(faults, "taxPercent", s.taxThousandths);
  return faults;
}

std::optional<SettingsFault> checkSettings(const TradeSettings& settings) {
  std::vector<SettingsFault> faults = settingsFaults(settings);
  if (faults.empty()) return std::nullopt;
  return faults.front();
}

}  // namespace core
