#pragma once
// Where the price and amount markers of one side of the trade stand, and what they say.
// Positions are millimetres of the window's drawing scale.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/chart_state.h"
#include "trade/fees.h"

namespace trade {

// A line control's end points.
struct LinePoints {
  float x1, y1, x2, y2;
};

// A marker: its line (absent when the value lies outside the view: the line is hidden and keeps
// its last points) and its label's top-left corner and caption.
struct Marker {
  std::optional<LinePoints> line;
  float labelLeft;
  float labelTop;
  std::string caption;
};

// Width of a caption in the amount label's font, in millimetres.
using TextWidthMm = std::function<float(std::string_view caption)>;

// The vertical line at the side's unit price with its short label at the top, or the label alone
// with an arrow at the plot's left or right edge when the price lies outside the view.
Marker priceMarker(const ChartState& s, Side side);

// The horizontal line at the side's settlement amount with its amount label standing on it, or
// the label alone with an arrow just below or above the plot area. The label's text always ends
// where the line ends. lineHeight is the height of one text line ("M") in the window's font.
Marker amountMarker(const ChartState& s, Side side, float lineHeight, const TextWidthMm& textWidth);

// Both amount markers, so that neither label covers the other: where the sell label would overlap
// the buy label on the same text line, it moves right just enough to leave a gap of 1 mm. Wherever
// they do not overlap, both stand exactly where amountMarker puts them.
struct AmountMarkers {
  Marker buy;
  Marker sell;
};
AmountMarkers amountMarkers(const ChartState& s, float lineHeight, const TextWidthMm& textWidth);

}  // namespace trade
