#include "trade/fees.h"

#include "core/fee_schedule.h"
#include "core/single.h"

namespace trade {

namespace {
constexpr core::Colour kBlue = core::RGB(0, 0, 255);
constexpr core::Colour kRed = core::RGB(255, 0, 0);
constexpr core::Colour kWhite = core::RGB(255, 255, 255);
constexpr core::Colour kBlack = core::RGB(0, 0, 0);
}  // namespace

float feeFor(const core::ChartState& s, float quantity, float price) {
  return core::feeOfFloats(s.settings, quantity, price);
}

core::Decimal exactFee(const core::ChartState& s, const core::Decimal& priceDecimal) {
  return core::feeOf(s.settings, s.quantityDecimal * priceDecimal);
}

float settlementAmount(const core::ChartState& s, Side side, float quantity, float price) {
  const double fee = feeFor(s, quantity, price);
  const double value = static_cast<double>(quantity) * price;
  return core::toSingle(side == Side::Buy ? value + fee : value - fee);
}

std::string settlementText(const core::ChartState& s, Side side, float /*price*/,
                           const core::Decimal& priceDecimal) {
  const core::Decimal fee = exactFee(s, priceDecimal);
  return core::yenText(
      core::wholeYen({s.quantityDecimal * priceDecimal, side == Side::Buy ? fee : -fee}));
}

std::string settlementText(const core::ChartState& s, Side side) {
  return side == Side::Buy ? settlementText(s, side, s.buyPrice, s.buyPriceDecimal)
                           : settlementText(s, side, s.sellPrice, s.sellPriceDecimal);
}

core::Decimal shownProfit(const core::ChartState& s, float /*sellPrice*/,
                          const core::Decimal& sellDecimal) {
  return core::wholeYen({s.quantityDecimal * sellDecimal, -exactFee(s, sellDecimal),
                         -(s.quantityDecimal * s.buyPriceDecimal),
                         -exactFee(s, s.buyPriceDecimal)});
}

ReadoutLook profitLossReadout(const core::ChartState& s) {
  const core::Decimal profit = shownProfit(s, s.sellPrice, s.sellPriceDecimal);
  ReadoutLook look;
  look.caption = core::groupedText(profit);
  if (profit.sign() < 0) {
    look.back = kBlue;
    look.fore = kWhite;
  } else if (profit.sign() > 0) {
    look.back = kRed;
    look.fore = kWhite;
  } else {
    look.back = kWhite;
    look.fore = kBlack;
  }
  return look;
}

float funcTip(const core::ChartState& s, float tempP) { return feeFor(s, s.quantity, tempP); }

}  // namespace trade
