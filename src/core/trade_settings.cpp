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

const SettingField& settingField(std::string_view key) {
  std::string plain;  // the key without its places: "fees[2].fee" is "fees.fee"
  for (std::size_t i = 0; i < key.size(); ++i) {
    if (key[i] == '[')
      i = key.find(']', i);
    else
      plain += key[i];
    if (i == std::string_view::npos) break;
  }
  for (const SettingField& field : kSettingFields)
    if (field.key == plain) return field;
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

// A row's rules between its numbers, once each number is within its bounds.
void checkRow(std::vector<SettingsFault>& faults, const StepSetting& row, const std::string& name) {
  if (row.step > row.bigStep) faults.push_back({name + ".bigStep", "小さい刻み以上にしてください"});
  if (row.lowest >= row.highest)
    faults.push_back({name + ".highest", "下限より大きくしてください"});
}

// A table from the file: its borders rise, each on its own band's grid, and the last band is open.
void checkTicks(std::vector<SettingsFault>& faults, const PriceTicks& ticks) {
  if (ticks.table != TickTable::File) return;
  const std::vector<TickBand>& bands = ticks.fileBands;
  if (bands.empty() || bands.size() > kMaxTickBands)
    faults.push_back(
        {"price.ticks", "呼値の段は1段から" + std::to_string(kMaxTickBands) + "段までです"});
  std::optional<std::int64_t> previous;
  for (std::size_t i = 0; i < bands.size(); ++i) {
    const std::string key = "price.ticks[" + std::to_string(i) + "].";
    const TickBand& band = bands[i];
    const bool last = i + 1 == bands.size();
    const std::size_t before = faults.size();
    checkBounds(faults, key + "tick", band.tick);
    if (last && band.upTo) faults.push_back({key + "upTo", "最後の段には単価を書きません"});
    if (!last && !band.upTo) faults.push_back({key + "upTo", "単価を入れてください"});
    if (!band.upTo) continue;
    checkBounds(faults, key + "upTo", *band.upTo);
    if (faults.size() != before) continue;
    if (previous && *band.upTo <= *previous)
      faults.push_back({key + "upTo", "前の段の単価より大きくしてください"});
    else if (*band.upTo % band.tick != 0)
      faults.push_back({key + "upTo", "その段の刻みの倍数にしてください"});
    previous = band.upTo;
  }
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
  forEachStepNumber(
      s, [&](const std::string& key, std::int64_t value) { checkBounds(faults, key, value); });
  for (const StepRow& r : kStepRows) checkRow(faults, s.*r.row, r.key);
  checkTicks(faults, s.priceTicks);
  checkBounds(faults, "taxPercent", s.taxThousandths);
  return faults;
}

std::optional<SettingsFault> checkSettings(const TradeSettings& settings) {
  std::vector<SettingsFault> faults = settingsFaults(settings);
  if (faults.empty()) return std::nullopt;
  return faults.front();
}

}  // namespace core
