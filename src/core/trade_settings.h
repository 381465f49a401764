#pragma once
// The user's trade settings: the broker's fee tiers, the step buttons' units and limits, and the
// tax rate on a profit. One plain value, read wherever a built-in number used to be read. The
// built-in values are the program's original numbers, so a user without a settings file sees
// nothing change.
//
// Every number is a whole count of its unit, so a setting is exact and two settings compare
// exactly: fees and thresholds in yen, quantities in shares, prices in hundredths of a yen
// (at most two decimals), the tax rate in thousandths of a percent (at most three decimals).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace core {

struct FeeTierSetting {
  std::optional<std::int64_t> below;  // the tier holds trade values below this; the last has none
  std::int64_t fee = 0;
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
  StepSetting quantity;             // shares
  StepSetting price;                // hundredths of a yen
  PriceTicks priceTicks;            // "price.ticks"; fixed steps when the file has none
  std::int64_t taxThousandths = 0;  // thousandths of a percent: 20315 is 20.315 %
  bool operator==(const TradeSettings&) const = default;
};

// The original's numbers: fees of 525 yen below 50,000, 1,050 below 200,000 and 1,575 from
// there; quantities by 1,000 and 10,000 from 1,000 to 250,000; prices by 0.01 and 1 from 0.01 to
// 99.99; 20.315 % tax.
TradeSettings builtInSettings();

// What a setting may hold. Wide enough for any broker and trade of today, narrow enough that
// every amount the chart computes stays exact in its float and decimal arithmetic.
struct SettingsBounds {
  static constexpr std::size_t kMaxTiers = 20;
  static constexpr std::int64_t kMaxFee = 10'000'000;                 // yen
  static constexpr std::int64_t kMaxThreshold = 1'000'000'000'000;    // yen
  static constexpr std::int64_t kMaxQuantity = 100'000'000;           // shares
  static constexpr std::int64_t kMaxPriceHundredths = 1'000'000'000;  // 10,000,000.00 yen
  static constexpr std::int64_t kMaxTaxThousandths = 100'000;         // 100 %
  static constexpr std::size_t kMaxTickBands = 30;
};

// A setting that is not taken: where (the file's key, "fees[1].below", "price.step") and why,
// in the words the window shows.
struct SettingsFault {
  std::string key;
  std::string reason;
  bool operator==(const SettingsFault&) const = default;
};

// The first fault of the settings, or nothing when every value is taken.
std::optional<SettingsFault> checkSettings(const TradeSettings& settings);

}  // namespace core
