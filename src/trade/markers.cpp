#include "trade/markers.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/fee_schedule.h"
#include "core/mapping.h"
#include "core/number_text.h"
#include "core/single.h"
#include "trade/fees.h"

namespace trade {

namespace {

// How far each side's marker lines reach past the plot area: the price line above its top edge
// (and the price label's top), the amount line beyond its right edge (and the label's text end).
// The sell side reaches further so that equal prices do not put one label over the other.
struct SideLook {
  float priceReach;
  float amountReach;
  const char* priceText;   // "買" / "売"
  const char* amountText;  // "買 " / "売 "
};

SideLook lookOf(Side side) {
  return side == Side::Buy ? SideLook{10, 25, "買", "買 "} : SideLook{15, 50, "売", "売 "};
}

float priceOf(const core::ChartState& s, Side side) {
  return side == Side::Buy ? s.buyPrice : s.sellPrice;
}

// The break-even line reaches least far above the plot: its label's row lies below the others'.
constexpr float kBreakEvenReach = 5;
// The target's line ends at the plot's top edge, its label in a row of its own inside the plot.
constexpr float kTargetReach = 0;

}  // namespace

namespace {

Marker verticalMarker(const core::ChartState& s, float price, float reach, const char* text) {
  const float top = core::toSingle(core::plotTop(s) - reach);
  Marker m;
  m.labelTop = top;
  if (price < s.priceMin) {
    m.labelLeft = s.graphLeft;
    m.caption = std::string("←") + text;
  } else if (price > s.priceMax) {
    m.labelLeft = core::toSingle(core::plotRight(s));
    m.caption = std::string("→") + text;
  } else {
    const float x = core::FuncX(s, price);
    m.line = LinePoints{x, s.graphBottom, x, top};
    m.labelLeft = x;
    m.caption = text;
  }
  return m;
}

}  // namespace

Marker priceMarker(const core::ChartState& s, Side side) {
  const SideLook look = lookOf(side);
  return verticalMarker(s, priceOf(s, side), look.priceReach, look.priceText);
}

Marker breakEvenMarker(const core::ChartState& s, float price) {
  return verticalMarker(s, price, kBreakEvenReach, "分岐");
}

Marker targetMarker(const core::ChartState& s, float price) {
  return verticalMarker(s, price, kTargetReach, "目標");
}

namespace {

// The space kept between a new caption and what it must leave whole: the labels start at the
// whole pixel left of their place, and a line one pixel wide must stay visible beside them.
constexpr double kClearMm = 0.5;

bool overlaps(const Box& a, const Box& b) {
  return a.left < b.right + kClearMm && b.left < a.right + kClearMm && a.top < b.bottom &&
         b.top < a.bottom;
}

}  // namespace

void placeNewMarks(const core::ChartState& s, std::vector<Marker*> marks, MarkRoom room,
                   float captionHeight, const TextWidthMm& textWidth) {
  const double plotTop = core::plotTop(s);
  // The rows a caption may take: its own, then those of the buy and sell price captions.
  const double rowReaches[] = {lookOf(Side::Buy).priceReach, lookOf(Side::Sell).priceReach};
  for (Marker* m : marks) {
    const double width = textWidth(m->caption);
    const double own = m->labelLeft;
    std::vector<double> rows{m->labelTop};
    for (const double reach : rowReaches)
      if (plotTop - reach < m->labelTop) rows.push_back(plotTop - reach);
    std::optional<Box> best;
    double bestCost = 0;
    for (std::size_t row = 0; row < rows.size(); ++row) {
      const double top = rows[row];
      // Its own place, ending at its line instead, and just beside each thing kept.
      std::vector<double> lefts{own, own - width - kClearMm};
      for (const Box& k : room.keep)
        lefts.insert(lefts.end(), {k.right + kClearMm, k.left - kClearMm - width});
      for (const double left : lefts) {
        // A row away counts as far as a caption's width along one.
        const double cost = std::fabs(left - own) + static_cast<double>(row) * 2 * width;
        if (best && cost >= bestCost) continue;
        if (left < room.left || left + width > room.right) continue;
        // (Lines lie under every caption: a line reaching up past another caption is hidden
        // there and covers nothing.)
        const Box caption{left, top, left + width, top + captionHeight};
        if (std::any_of(room.keep.begin(), room.keep.end(),
                        [&](const Box& k) { return overlaps(caption, k); }))
          continue;
        best = caption;
        bestCost = cost;
      }
    }
    if (!best) continue;
    m->labelLeft = core::toSingle(best->left);
    m->labelTop = core::toSingle(best->top);
    if (m->line) m->line->y2 = m->labelTop;
    // What comes next leaves this one whole too.
    room.keep.push_back(*best);
    if (m->line) room.keep.push_back({m->line->x1, best->top, m->line->x1, plotTop});
  }
}

Marker amountMarker(const core::ChartState& s, Side side, float lineHeight,
                    const TextWidthMm& textWidth) {
  const SideLook look = lookOf(side);
  const float price = priceOf(s, side);
  // The fee the label charges, so that the line stands at the label's amount.
  const float fee =
      core::toFloat(exactFee(s, side == Side::Buy ? s.buyPriceDecimal : s.sellPriceDecimal));
  const double value = static_cast<double>(s.quantity) * price;
  const float amount = core::toSingle(side == Side::Buy ? value + fee : value - fee);
  const std::string amountText = settlementText(s, side);
  const float end = core::toSingle(core::plotRight(s) + look.amountReach);
  Marker m;
  if (amount < s.amountMin) {
    m.caption = std::string("↓") + look.amountText + amountText;
    m.labelTop = s.graphBottom;
  } else if (amount > s.amountMax) {
    m.caption = std::string("↑") + look.amountText + amountText;
    m.labelTop = core::toSingle(core::plotTop(s) - lineHeight);
  } else {
    const float y = core::FuncY(s, price, side == Side::Buy ? fee : -fee);
    m.line = LinePoints{s.graphLeft, y, end, y};
    m.caption = look.amountText + amountText;
    m.labelTop = core::toSingle(static_cast<double>(y) - lineHeight);
  }
  m.labelLeft = core::toSingle(static_cast<double>(end) - textWidth(m.caption));
  return m;
}

AmountMarkers amountMarkers(const core::ChartState& s, float lineHeight,
                            const TextWidthMm& textWidth) {
  constexpr double kGapMm = 1;
  AmountMarkers m{amountMarker(s, Side::Buy, lineHeight, textWidth),
                  amountMarker(s, Side::Sell, lineHeight, textWidth)};
  const double buyRight = static_cast<double>(m.buy.labelLeft) + textWidth(m.buy.caption);
  const double sellRight = static_cast<double>(m.sell.labelLeft) + textWidth(m.sell.caption);
  const bool sameLine =
      std::fabs(static_cast<double>(m.sell.labelTop) - m.buy.labelTop) < lineHeight;
  if (sameLine && m.sell.labelLeft < buyRight && m.buy.labelLeft < sellRight)
    m.sell.labelLeft = core::toSingle(buyRight + kGapMm);
  return m;
}

float pointerPrice(const core::ChartState& s, float x) {
  // Rounded as every "0.00" text is, and taken as the field would take that text.
  return core::readStrictFloat(core::format0_00(core::PriceAtX(s, x))).value_or(0);
}

std::array<std::string, 5> pointerReadout(const core::ChartState& s, float price) {
  const std::string priceText = core::format0_00(price);
  const std::optional<core::Decimal> read = core::readExact(priceText);
  const core::Decimal priceDecimal = read ? *read : core::fromFloat(price);
  // Both sides trade the same value at the pointer's price, so they pay the same fee; the line
  // says so in the words of the two amounts above it.
  const std::string fee = core::groupedText(exactFee(s, priceDecimal)) + "円";
  return {std::string("単価 ") + priceText,
          lookOf(Side::Buy).amountText + settlementText(s, Side::Buy, price, priceDecimal),
          lookOf(Side::Sell).amountText + settlementText(s, Side::Sell, price, priceDecimal),
          "損益 " + core::groupedText(shownProfit(s, price, priceDecimal)),
          "手数料 買 " + fee + " / 売 " + fee};
}

}  // namespace trade
