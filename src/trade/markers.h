#pragma once
// Where the price and amount markers of one side of the trade stand, and what they say, and the
// same amounts read at the pointer. Positions are millimetres of the window's drawing scale.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
Marker priceMarker(const core::ChartState& s, Side side);

// The same for the break-even price (「分岐」), its label in a row of its own below the buy and
// sell price labels, so it never covers them.
Marker breakEvenMarker(const core::ChartState& s, float price);

// The same for the target's price (「目標」), its label just inside the plot's top edge, below the
// break-even label's row.
Marker targetMarker(const core::ChartState& s, float price);

// A rectangle on the window in millimetres; a line is one of no width.
struct Box {
  double left, top, right, bottom;
};

// What the marks that came after the buy and sell markers (the break-even 「分岐」 and the
// like) must leave whole: the buy and sell captions and amount labels, the axis titles, and the
// buy and sell price lines from their captions down to the plot. Captions may stand between
// `left` and `right` (the window's edges).
struct MarkRoom {
  std::vector<Box> keep;
  double left, right;
};

// Places the new marks' captions one after another, so that none covers what `room` keeps or a
// caption or line of a new mark placed before it: where its own place would, the caption moves
// along its row, then to the rows of the price captions above it, to the nearest free place. A
// moved caption's line still reaches up to the caption's top; where no place is free the caption
// stays where it was. captionHeight is the height of a caption in millimetres.
void placeNewMarks(const core::ChartState& s, std::vector<Marker*> marks, MarkRoom room,
                   float captionHeight, const TextWidthMm& textWidth);

// The horizontal line at the side's settlement amount with its amount label standing on it, or
// the label alone with an arrow just below or above the plot area. The label's text always ends
// where the line ends. lineHeight is the height of one text line ("M") in the window's font.
Marker amountMarker(const core::ChartState& s, Side side, float lineHeight,
                    const TextWidthMm& textWidth);

// Both amount markers, so that neither label covers the other: where the sell label would overlap
// the buy label on the same text line, it moves right just enough to leave a gap of 1 mm. Wherever
// they do not overlap, both stand exactly where amountMarker puts them.
struct AmountMarkers {
  Marker buy;
  Marker sell;
};
AmountMarkers amountMarkers(const core::ChartState& s, float lineHeight,
                            const TextWidthMm& textWidth);

// The unit price under the pointer at x: FuncX backwards, to the nearest 0.01 (halves away from
// zero) and stored as a float.
float pointerPrice(const core::ChartState& s, float x);

// What the chart reads at a unit price: "単価 35.20", then the buy and sell settlement amounts of
// the state's quantity at that price (as it is written, "0.00") as the amount labels write them
// ("買 \\35,725", "売 \\34,675"; the screen shows the backslash as the yen sign), and the profit
// were the shares sold there, as the readout writes it ("損益 -1,050"), and the fee of each side
// there ("手数料 買 525円 / 売 525円").
std::array<std::string, 5> pointerReadout(const core::ChartState& s, float price);

}  // namespace trade
