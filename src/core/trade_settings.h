#pragma once
// The user's trade settings: the broker's fee tiers, the step buttons' units and limits, the tax
// rate on a profit and a name for the plan. One plain value, read wherever a built-in number used
// to be read. The built-in values are the program's original numbers, so a user without a
// settings file sees nothing change.
//
// Every number is a whole count of its unit, so a setting is exact and two settings compare
// exactly: fees and thresholds in yen, quantities in shares, prices in hundredths of a yen
// (at most two decimals), fee rates in millionths (ten-thousandths of a percent), the tax rate
// in thousandths of a percent (at most three decimals).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// Which tier a trade value equal to a threshold belongs to: the higher one (「未満」, the
// original's rule) or the one the threshold closes (「まで」).
enum class FeeBorders { Below, UpTo };

// A tier's fee: `fee` yen plus the trade value x `percent`, rounded down to whole yen, then
// raised to `min` and lowered to `max` where they are given (core::feeOf).
struct FeeTierSetting {
  std::optional<std::int64_t> below;  // the tier's threshold; the last tier has none
  std::int64_t fee = 0;
  std::int64_t percent = 0;  // ten-thousandths of a percent: 14300 is 1.43 %
  std::optional<std::int64_t> min = std::nullopt;
  std::optional<std::int64_t> max = std::nullopt;
  bool operator==(const FeeTierSetting&) const = default;
};

// A row of step buttons: "<" / ">" move by `step`, "<<" / ">>" by `bigStep`; "<" and "<<" step
// only from `lowest` + their step up, ">" and ">>" only up to `highest` - their step.
struct StepSetting {
  std::int64_t step = 0;
  std::int64_t bigStep = 0;
  std::int64_t lowest = 0;
  std::int64_t highest = 0;
  bool operator==(const StepSetting&) const = default;
};

// A row's four numbers by their keys in the settings file, in the order they are shown.
struct StepField {
  const char* key;
  std::int64_t StepSetting::*value;
};
inline constexpr std::array<StepField, 4> kStepFields{{{"step", &StepSetting::step},
                                                       {"bigStep", &StepSetting::bigStep},
                                                       {"lowest", &StepSetting::lowest},
                                                       {"highest", &StepSetting::highest}}};

// One band of an exchange's tick table (呼値の単位), in hundredths of a yen: prices up to and
// including `upTo` are multiples of `tick`; the last band has no `upTo` and holds every price
// above.
struct TickBand {
  std::optional<std::int64_t> upTo;
  std::int64_t tick = 0;
  bool operator==(const TickBand&) const = default;
};

// How the price buttons step: by the fixed steps of StepSetting, or along a tick table, one of
// the two built in or one the settings file wrote out (kept in `fileBands`).
enum class TickTable { Fixed, Standard, Topix100, File };
struct PriceTicks {
  TickTable table = TickTable::Fixed;
  std::vector<TickBand> fileBands;
  bool operator==(const PriceTicks&) const = default;
};

// The two built-in tables: most shares, and the shares of the TOPIX100.
const std::vector<TickBand>& standardTicks();
const std::vector<TickBand>& topix100Ticks();
// The bands in force, or nothing with fixed steps.
const std::vector<TickBand>* tickBands(const PriceTicks& ticks);

struct TradeSettings {
  std::vector<FeeTierSetting> fees;
  FeeBorders feeBorders = FeeBorders::Below;
  std::string name;                 // the plan's name for the title; may be empty
  StepSetting quantity;             // shares
  StepSetting price;                // hundredths of a yen
  PriceTicks priceTicks;            // "price.ticks"; fixed steps when the file has none
  std::int64_t taxThousandths = 0;  // thousandths of a percent: 20315 is 20.315 %
  bool operator==(const TradeSettings&) const = default;
};

// The two rows of step buttons by their keys in the file, with their names in the dialog.
struct StepRow {
  const char* key;
  StepSetting TradeSettings::*row;
  std::string_view what;   // 「数量」「単価」
  std::string_view title;  // the dialog's group: 「数量のボタン（株）」
};
inline constexpr std::array<StepRow, 2> kStepRows{
    {{"quantity", &TradeSettings::quantity, "数量", "数量のボタン（株）"},
     {"price", &TradeSettings::price, "単価", "単価のボタン（円）"}}};

// Every number of the step rows, with its key ("price.step"), in the order they are shown: the
// one loop over both rows and their four numbers. `Settings` is TradeSettings, const or not.
template <class Settings, class Visit>
void forEachStepNumber(Settings& settings, const Visit& visit) {
  for (const StepRow& r : kStepRows)
    for (const StepField& f : kStepFields)
      visit(std::string(r.key) + "." + f.key, (settings.*r.row).*f.value);
}

// The original's numbers: fees of 525 yen below 50,000, 1,050 below 200,000 and 1,575 from
// there; quantities by 1,000 and 10,000 from 1,000 to 250,000; prices by 0.01 and 1 from 0.01 to
// 99.99; 20.315 % tax.
TradeSettings builtInSettings();

// One number a setting holds, as the checker, the file and the dialog all know it: its key in
// the file without the places in its lists ("fees.fee" for "fees[2].fee", "price.ticks.tick"),
// the decimals of its unit, its bounds in whole units, its unit and its caption in the dialog's
// words.
struct SettingField {
  std::string_view key;
  int decimals;
  std::int64_t lowest, highest;
  std::string_view unit;     // 「円」「株」「%」
  std::string_view caption;  // 「手数料」「小さい刻み」
};

inline constexpr std::size_t kMaxTiers = 20;
inline constexpr std::size_t kMaxTickBands = 30;
inline constexpr std::size_t kMaxNameLength = 40;  // characters

// The table of every number a setting holds. Wide enough for any broker and trade of today,
// narrow enough that every amount the chart computes stays exact in its float and decimal
// arithmetic.
inline constexpr std::array<SettingField, 16> kSettingFields{{
    {"fees.below", 0, 1, 1'000'000'000'000, "円", "約定代金"},
    {"fees.fee", 0, 0, 10'000'000, "円", "手数料"},
    {"fees.percent", 4, 0, 100'000, "%", "料率"},
    {"fees.min", 0, 0, 10'000'000, "円", "最低"},
    {"fees.max", 0, 0, 10'000'000, "円", "最高"},
    {"quantity.step", 0, 1, 100'000'000, "株", "小さい刻み"},
    {"quantity.bigStep", 0, 1, 100'000'000, "株", "大きい刻み"},
    {"quantity.lowest", 0, 1, 100'000'000, "株", "下限"},
    {"quantity.highest", 0, 1, 100'000'000, "株", "上限"},
    {"price.step", 2, 1, 1'000'000'000, "円", "小さい刻み"},
    {"price.bigStep", 2, 1, 1'000'000'000, "円", "大きい刻み"},
    {"price.lowest", 2, 1, 1'000'000'000, "円", "下限"},
    {"price.highest", 2, 1, 1'000'000'000, "円", "上限"},
    {"price.ticks.upTo", 2, 1, 1'000'000'000, "円", "呼値の段の単価"},
    {"price.ticks.tick", 2, 1, 1'000'000'000, "円", "呼値の刻み"},
    {"taxPercent", 3, 0, 100'000, "%", "税率"},
}};

// The row of a key ("price.step"), with or without the places in its lists ("fees[2].fee").
const SettingField& settingField(std::string_view key);

// A setting that is not taken: where (the file's key, "fees[1].below", "price.step") and why,
// in the dialog's words.
struct SettingsFault {
  std::string key;
  std::string reason;
  bool operator==(const SettingsFault&) const = default;
};

// Every fault of the settings, in the order of the file; empty when every value is taken.
std::vector<SettingsFault> settingsFaults(const TradeSettings& settings);
// The first of them, or nothing.
std::optional<SettingsFault> checkSettings(const TradeSettings& settings);

// The key of a tier's number in the file: "fees[1].below".
std::string tierKey(std::size_t tier, std::string_view name);

}  // namespace core
