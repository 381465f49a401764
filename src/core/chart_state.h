#pragma once
// The window-level variables every procedure of the window shares, in declaration order.
// Geometry is in millimetres of the window's drawing scale; chart values are single-precision
// floats; truth values are 16-bit (true = -1, false = 0); colours are 0x00BBGGRR.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/decimal.h"
#include "core/trade_settings.h"

namespace core {

using Truth = std::int16_t;
inline constexpr Truth kTrue = -1;
inline constexpr Truth kFalse = 0;

using Colour = std::uint32_t;  // 0x00BBGGRR, red in the low byte
constexpr Colour RGB(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }
constexpr unsigned redOf(Colour c) { return c & 0xFFu; }
constexpr unsigned greenOf(Colour c) { return (c >> 8) & 0xFFu; }
constexpr unsigned blueOf(Colour c) { return (c >> 16) & 0xFFu; }

// One saved view: slot 0 priceMin, 1 priceSpan, 2 amountMin, 3 amountSpan.
using SavedView = std::array<float, 4>;

struct ChartState {
  float graphLeft = 0;
  float graphBottom = 0;
  float graphWidth = 0;
  float graphHeight = 0;
  float priceMin = 0;
  float priceMax = 0;
  float amountMin = 0;
  float amountMax = 0;
  float quantity = 0;
  float priceSpan = 0;
  float amountSpan = 0;
  float lineStartX = 0, lineStartY = 0;
  float lineEndX = 0, lineEndY = 0;
  float amountStep = 0;
  float priceStep = 0;
  float tierStartPrice = 0, tierEndPrice = 0;
  Truth tierStartInside = kFalse, tierEndInside = kFalse;
  Truth selectionActive = kFalse;
  float anchorX = 0, anchorY = 0;
  float areaPriceLow = 0, areaPriceHigh = 0, areaAmountHigh = 0, areaAmountLow = 0;
  // Indexed [entry][slot]: each entry is one saved view.
  std::vector<SavedView> viewHistory;
  float historyIndex = 0;  // whole numbers only
  Truth stepUp = kFalse;
  Truth stepUpSell = kFalse;
  std::int16_t repeatCount = 0;
  float buyPrice = 0;
  float sellPrice = 0;
  Colour drawColor = 0;
  Truth compactMode = kFalse;
  // The quantity and the prices exactly as the fields hold them (their decimal values), for the
  // money texts; the floats above serve the chart and every position.
  core::Decimal quantityDecimal;
  core::Decimal buyPriceDecimal;
  core::Decimal sellPriceDecimal;
  // The profit after tax the user aims at (目標（税引後）), whole yen; none while the field is
  // empty.
  std::optional<std::int64_t> targetAfterTax;
  // The NISA switch of this window: the trade is tax-free whatever rate the settings hold.
  bool nisa = false;
  // The fee tiers, the step buttons' units and limits and the tax rate in force: the user's, or
  // the built-in ones. They take the place of the fees and the quantity limit the window once
  // kept as constants of its own.
  TradeSettings settings = builtInSettings();
};

// The tax rate in force for the trade held, in thousandths of a percent: the settings' taxable
// rate, or 0 while the NISA switch is on. Every figure after tax reads the rate here.
std::int64_t taxThousandthsInForce(const ChartState& s);

// Sets the start view and the start plot area, as start-up does before it reads the fields.
void setStartView(ChartState& s);

// The view on screen as the history saves it.
SavedView currentView(const ChartState& s);
// Puts a saved view on screen (the caller redraws).
void showView(ChartState& s, const SavedView& v);

}  // namespace core
