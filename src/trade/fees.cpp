#include "trade/fees.h"

#include "core/fee_schedule.h"
#include "core/number_text.h"
#include "core/single.h"

namespace trade {

namespace {
constexpr Colour kBlue = RGB(0, 0, 255);
constexpr Colour kRed = RGB(255, 0, 0);
constexpr Colour kWhite = RGB(255, 255, 255);
constexpr Colour kBlack = RGB(0, 0, 0);
}  // namespace

float feeFor(const ChartState& s, float quantity, float price) {
  // The product of two floats is exact in double.
  return tierFee(s, feeTierOf(static_cast<double>(price) * quantity));
}

float settlementAmount(const ChartState& s, Side side, float quantity, float price) {
  const double fee = feeFor(s, quantity, price);
  const double value = static_cast<double>(quantity) * price;
  return toSingle(side == Side::Buy ? value + fee : value - fee);
}

ReadoutLook profitLossReadout(const ChartState& s) {
  const float sellFee = funcTip(s, s.sellPrice);
  const float buyFee = funcTip(s, s.buyPrice);
  // The proceeds count as the 7-digit number a float prints as; the cost stays exact.
  const float proceedsFloat = toSingle(static_cast<double>(s.quantity) * s.sellPrice - sellFee);
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
