#include "chart/graph_make.h"

#include <cmath>

#include "app/number_text.h"
#include "chart/amount_lines.h"
#include "chart/calc.h"
#include "chart/tick_steps.h"

namespace chart {

namespace {

// More grid lines than any window can show; a guard against a step too small to advance.
constexpr int kMaxGridLines = 100000;

bool finitePositive(float v) { return std::isfinite(v) && v > 0; }

}  // namespace

bool viewIsDrawable(const ChartState& s) {
  return finitePositive(s.priceSpan) && finitePositive(s.amountSpan) && std::isfinite(s.priceMin) &&
         std::isfinite(s.amountMin) && std::isfinite(s.priceMin + s.priceSpan) &&
         std::isfinite(s.amountSpan + s.amountMin) && finitePositive(s.graphWidth) &&
         finitePositive(s.graphHeight);
}

void GraphMake(ChartState& s, tk::DrawingSurface& surface, const QuantityReader& readQuantity) {
  const float lineHeight = surface.TextHeight("M");

  // Titles: "単価" right of the price axis' end, below its labels; "受渡金額" ending at the
  // amount axis, two text lines above the plot area.
  surface.CurrentX = static_cast<float>(static_cast<double>(s.graphLeft) + s.graphWidth);
  surface.CurrentY = static_cast<float>(static_cast<double>(lineHeight) + s.graphBottom + 1);
  surface.Print("単価");
  surface.CurrentX =
      static_cast<float>(s.graphLeft - static_cast<double>(surface.TextWidth("受渡金額")));
  surface.CurrentY =
      static_cast<float>((static_cast<double>(s.graphBottom) - s.graphHeight) - 2.0 * lineHeight);
  surface.Print("受渡金額");

  s.priceMax = static_cast<float>(static_cast<double>(s.priceMin) + s.priceSpan);
  s.amountMax = static_cast<float>(static_cast<double>(s.amountSpan) + s.amountMin);

  if (const auto q = readQuantity(s); q && finitePositive(*q)) s.quantity = *q;

  // Price grid: vertical lines from the left edge, labels centred below the bottom edge.
  surface.DrawWidth = 1;
  Zappari(s, s.priceSpan, 1, surface.TextWidth("MM"));
  {
    const float bound = s.priceSpan;
    const float step = s.priceStep;
    float i = 0;
    for (int n = 0; i <= bound && n < kMaxGridLines; ++n) {
      const float x =
          static_cast<float>(static_cast<double>(s.graphWidth) / s.priceSpan * i + s.graphLeft);
      surface.Line(x, s.graphBottom, x,
                   static_cast<float>(static_cast<double>(s.graphBottom) - s.graphHeight));
      const float value = i + s.priceMin;
      const float w = surface.TextWidth(numtext::plainFloat(value));
      surface.CurrentX = static_cast<float>(x - w / 2.0 - 1);
      surface.CurrentY = static_cast<float>(static_cast<double>(s.graphBottom) + 1);
      surface.PrintNumber(value);
      i = i + step;
    }
  }

  // Amount grid: horizontal lines from the bottom edge, labels left of the left edge.
  Barasi(s, s.amountSpan, 1, lineHeight);
  {
    const float bound = s.amountSpan;
    const float step = s.amountStep;
    float i = 0;
    for (int n = 0; i <= bound && n < kMaxGridLines; ++n) {
      const float y =
          static_cast<float>(s.graphBottom - static_cast<double>(s.graphHeight) / s.amountSpan * i);
      surface.Line(s.graphLeft, y,
                   static_cast<float>(static_cast<double>(s.graphLeft) + s.graphWidth), y);
      const std::string plain = numtext::plainFloat(i + s.amountMin);
      const float w = surface.TextWidth(plain);
      surface.CurrentX = static_cast<float>(s.graphLeft - static_cast<double>(w) - 2);
      surface.CurrentY = static_cast<float>(y - lineHeight / 2.0);
      surface.Print(Calc::FormatAmount(plain));
      i = i + step;
    }
  }

  // The two axes, then the amount lines, all two pixels wide.
  surface.DrawWidth = 2;
  const float right = static_cast<float>(static_cast<double>(s.graphLeft) + s.graphWidth);
  const float top = static_cast<float>(static_cast<double>(s.graphBottom) - s.graphHeight);
  surface.Line(s.graphLeft, s.graphBottom, right, s.graphBottom);
  surface.Line(s.graphLeft, s.graphBottom, s.graphLeft, top);
  drawAmountLines(s, surface);
}

}  // namespace chart
