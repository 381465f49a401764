#include "trade/fees.h"

#include "core/fee_schedule.h"
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
  return tierFee(s, feeTierOf(s, static_cast<double>(price) * quantity));
}

float settlementAmount(const ChartState& s, Side side, float quantity, float price) {
  const double fee = feeFor(s, quantity, price);
  const double value = static_cast<double>(quantity) * price;
  return toSingle(side == Side::Buy ? value + fee : value - fee);
}

std::string settlementText(const ChartState& s, Side side, float price,
                           const exact::Decimal& priceDecimal) {
  const exact::Decimal fee = exact::fromFloat(funcTip(s, price));
  return exact::yenText(
      exact::wholeYen({s.quantityDecimal * priceDecimal, side == Side::Buy ? fee : -fee}));
}

std::string settlementText(const ChartState& s, Side side) {
  return side == Side::Buy ? settlementText(s, side, s.buyPrice, s.buyPriceDecimal)
                           : settlementText(s, side, s.sellPrice, s.sellPriceDecimal);
}

exact::Decimal shownProfit(const ChartState& s, float sellPrice,
                           const exact::Decimal& sellDecimal) {
  const exact::Decimal sellFee = exact::fromFloat(funcTip(s, sellPrice));
  const exact::Decimal buyFee = exact::fromFloat(funcTip(s, s.buyPrice));
  return exact::wholeYen({s.quantityDecimal * sellDecimal, -sellFee,
                          -(s.quantityDecimal * s.buyPriceDecimal), -buyFee});
}

ReadoutLook profitLossReadout(const ChartState& s) {
  const exact::Decimal profit = shownProfit(s, s.sellPrice, s.sellPriceDecimal);
  ReadoutLook look;
  look.caption = exact::groupedText(profit);
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

}  // namespace trade

float funcTip(const ChartState& s, float tempP) { return trade::feeFor(s, s.quantity, tempP); }
