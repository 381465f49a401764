#include "chart/graph_make.h"

#include <cmath>

#include "chart/amount_lines.h"
#include "chart/calc.h"
#include "chart/tick_steps.h"
#include "core/number_text.h"

namespace chart {

namespace {

// More grid lines than any window can show; a guard against a step too small to advance.
constexpr int kMaxGridLines = 100000;

}  // namespace

void GraphMake(ChartState& s, Canvas& canvas) {
  const float lineHeight = canvas.TextHeight("M");

  // Titles: "単価" right of the price axis' end, below its labels; "受渡金額" ending at the
  // amount axis, two text lines above the plot area.
  canvas.CurrentX = static_cast<float>(static_cast<double>(s.graphLeft) + s.graphWidth);
  canvas.CurrentY = static_cast<float>(static_cast<double>(lineHeight) + s.graphBottom + 1);
  canvas.Print("単価");
  canvas.CurrentX =
      static_cast<float>(s.graphLeft - static_cast<double>(canvas.TextWidth("受渡金額")));
  canvas.CurrentY =
      static_cast<float>((static_cast<double>(s.graphBottom) - s.graphHeight) - 2.0 * lineHeight);
  canvas.Print("受渡金額");

  s.priceMax = static_cast<float>(static_cast<double>(s.priceMin) + s.priceSpan);
  s.amountMax = static_cast<float>(static_cast<double>(s.amountSpan) + s.amountMin);

  // Price grid: vertical lines from the left edge, labels centred below the bottom edge.
  canvas.DrawWidth = 1;
  Zappari(s, s.priceSpan, 1, canvas.TextWidth("MM"));
  {
    const float bound = s.priceSpan;
    const float step = s.priceStep;
    float i = 0;
    for (int n = 0; i <= bound && n < kMaxGridLines; ++n) {
      const float x =
          static_cast<float>(static_cast<double>(s.graphWidth) / s.priceSpan * i + s.graphLeft);
      canvas.Line(x, s.graphBottom, x,
                  static_cast<float>(static_cast<double>(s.graphBottom) - s.graphHeight));
      const float value = i + s.priceMin;
      const float w = canvas.TextWidth(numtext::plainFloat(value));
      canvas.CurrentX = static_cast<float>(x - w / 2.0 - 1);
      canvas.CurrentY = static_cast<float>(static_cast<double>(s.graphBottom) + 1);
      canvas.PrintNumber(value);
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
      canvas.Line(s.graphLeft, y,
                  static_cast<float>(static_cast<double>(s.graphLeft) + s.graphWidth), y);
      const std::string plain = numtext::plainFloat(i + s.amountMin);
      const float w = canvas.TextWidth(plain);
      canvas.CurrentX = static_cast<float>(s.graphLeft - static_cast<double>(w) - 2);
      canvas.CurrentY = static_cast<float>(y - lineHeight / 2.0);
      canvas.Print(Calc::FormatAmount(plain));
      i = i + step;
    }
  }

  // The two axes, then the amount lines, all two pixels wide.
  canvas.DrawWidth = 2;
  const float right = static_cast<float>(static_cast<double>(s.graphLeft) + s.graphWidth);
  const float top = static_cast<float>(static_cast<double>(s.graphBottom) - s.graphHeight);
  canvas.Line(s.graphLeft, s.graphBottom, right, s.graphBottom);
  canvas.Line(s.graphLeft, s.graphBottom, s.graphLeft, top);
  drawAmountLines(s, canvas);
}

}  // namespace chart
