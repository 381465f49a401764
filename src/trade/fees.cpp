#include "trade/fees.h"

#include <cmath>
#include <limits>

#include "app/number_text.h"

namespace trade {

namespace {
constexpr Colour kBlue = RGB(0, 0, 255);
constexpr Colour kRed = RGB(255, 0, 0);
constexpr Colour kWhite = RGB(255, 255, 255);
constexpr Colour kBlack = RGB(0, 0, 0);

// From here on a double rounds to infinity when stored as a float (FLT_MAX plus half an ulp).
constexpr double kFloatOverflow = 0x1.ffffffp+127;
}  // namespace

float feeFor(const ChartState& s, float quantity, float price) {
  // The product of two floats is exact in double.
  const double value = static_cast<double>(price) * quantity;
  if (value < kFeeThresholdLow) return s.feeLow;
  if (value < kFeeThresholdHigh) return s.feeMid;
  return s.feeHigh;
}

bool finiteAsFloat(double value) { return std::fabs(value) < kFloatOverflow; }

float storeFloat(double value) {
  if (std::isnan(value)) return std::numeric_limits<float>::quiet_NaN();
  if (!finiteAsFloat(value)) return std::copysign(std::numeric_limits<float>::infinity(), value);
  return static_cast<float>(value);
}

ReadoutLook profitLossReadout(const ChartState& s) {
  const float sellFee = funcTip(s, s.sellPrice);
  const float buyFee = funcTip(s, s.buyPrice);
  // The proceeds count as the 7-digit number a float prints as; the cost stays exact.
  const float proceedsFloat = storeFloat(static_cast<double>(s.quantity) * s.sellPrice - sellFee);
  const std::string proceedsText = numtext::plainFloat(proceedsFloat);
  const double proceeds = numtext::readStrict(proceedsText).value_or(proceedsFloat);
  const double cost = static_cast<double>(s.quantity) * s.buyPrice + buyFee;
  const double profit = proceeds - cost;

  ReadoutLook look;
  look.caption = numtext::formatGrouped(profit);
  // The colour follows the whole number shown, so a result that shows as 0 is coloured as zero.
  // Storing the read-back in single precision cannot change its sign, so the double decides.
  const double shown = numtext::readStrict(look.caption).value_or(profit);
  if (shown < 0) {
    look.back = kBlue;
    look.fore = kWhite;
  } else if (shown > 0) {
    look.back = kRed;
    look.fore = kWhite;
  } else {
    look.back = kWhite;
    look.fore = kBlack;
  }
  return look;
}

}  // namespace trade

float funcTip(const ChartState& s, float tempP) { return trade::feeFor(s, s.quantity, tempP); }
