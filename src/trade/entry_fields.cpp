#include "trade/entry_fields.h"

#include <cmath>
#include <optional>
#include <utility>

#include "core/decimal.h"
#include "core/number_text.h"
#include "core/single.h"
#include "trade/fees.h"

namespace trade {

namespace {

bool amountsFinite(const core::ChartState& s, Side side, float quantity, float price) {
  return std::isfinite(settlementAmount(s, side, quantity, price));
}

}  // namespace

core::Decimal exactValue(std::string_view text, float taken) {
  // The float's value only where the text has none: working it out is dear.
  if (std::optional<core::Decimal> exact = core::readExact(text)) return *std::move(exact);
  return core::fromFloat(taken);
}

std::optional<float> acceptPrice(const core::ChartState& s, Side side, std::string_view text) {
  const std::optional<float> price = core::readStrictFloat(text);
  if (!price || !amountsFinite(s, side, s.quantity, *price)) return std::nullopt;
  return price;
}

std::optional<float> acceptQuantity(const core::ChartState& s, std::string_view text) {
  const std::optional<float> quantity = core::readStrictFloat(text);
  if (!quantity || !(*quantity > 0)) return std::nullopt;
  const float q = *quantity;
  if (!amountsFinite(s, Side::Buy, q, s.buyPrice) || !amountsFinite(s, Side::Sell, q, s.sellPrice))
    return std::nullopt;
  // The amount lines are computed from the view's price ends; a fee of a few thousand cannot
  // carry a product across the float limit (half an ulp there is 2^103), so the products decide.
  if (!core::finiteAsFloat(static_cast<double>(q) * s.priceMin) ||
      !core::finiteAsFloat(static_cast<double>(q) * s.priceMax))
    return std::nullopt;
  return quantity;
}

std::optional<TargetEntry> acceptTarget(std::string_view text) {
  if (text.find_first_not_of(" \t") == std::string_view::npos) return TargetEntry{};
  const std::optional<core::Decimal> value = core::readExact(text);
  if (!value) return std::nullopt;
  if (value->sign() == 0) return TargetEntry{0};
  constexpr std::size_t kMostDigits = 15;  // up to 10^15 - 1 yen
  if (value->exponent() < 0 || value->digits().size() + value->exponent() > kMostDigits)
    return std::nullopt;
  std::int64_t yen = std::stoll(value->digits());
  for (std::int64_t i = 0; i < value->exponent(); ++i) yen *= 10;
  return TargetEntry{value->sign() < 0 ? -yen : yen};
}

}  // namespace trade
