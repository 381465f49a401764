#include "chart/graph_make.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "chart/amount_lines.h"
#include "chart/calc.h"
#include "chart/tick_steps.h"
#include "core/mapping.h"
#include "core/number_text.h"
#include "core/single.h"

namespace chart {

namespace {

// More grid lines than any window can show; a guard against a step too small to advance.
constexpr int kMaxGridLines = 100000;

// The amount axis' tick labels and the unit they are written in (none for yen).
struct AmountLabels {
  const char* unit;
  std::vector<std::string> texts;
  std::vector<float> lefts;
};

// Where the yen labels do not all fit beside the axis, the amounts are written in the first of
// these units in which they do, the unit under the axis title, so that no label is cut at the
// window's edge (where "1,900,000" would read ",900,000") or runs into the plot. Amounts beyond
// them are written in yen in exponent form where that is shorter ("1.5E+30", the very number the
// float's plain text gives).
struct AmountUnit {
  int power;
  const char* unit;
};
constexpr AmountUnit kAmountUnits[] = {
    {4, "（万円）"}, {8, "（億円）"}, {12, "（兆円）"}, {0, nullptr}};

std::string amountText(const std::string& plain, int power) {
  if (power > 0) return chart::FormatAmountIn(plain, power);
  std::string grouped = chart::FormatAmount(plain);
  // Floats print in exponent form only from 1E+07 up, where they are whole, or below 1E-04,
  // where the whole-yen text "0" is shorter.
  return plain.find('E') != std::string::npos && plain.size() < grouped.size() ? plain : grouped;
}

// The labels of the ticks whose values have these plain texts. In yen each label stands where it
// always has: its plain text (without commas) ends 2 mm left of the axis. Otherwise the label
// itself ends there, or nearer the axis where that lets a unit with fewer decimals fit. When no
// way of writing them lets every label fit, the one with the narrowest widest label is taken,
// and a label too wide starts at the window's left edge: whole, though over the axis.
AmountLabels amountLabels(const core::ChartState& s, const Canvas& canvas,
                          const std::vector<std::string>& plains) {
  AmountLabels yen{nullptr, {}, {}};
  bool yenFits = true;
  for (const std::string& plain : plains) {
    yen.texts.push_back(chart::FormatAmount(plain));
    const double left = static_cast<double>(s.graphLeft) - canvas.TextWidth(plain) - 2;
    yen.lefts.push_back(core::toSingle(left));
    yenFits = yenFits && left >= 0 && left + canvas.TextWidth(yen.texts.back()) <= s.graphLeft;
  }
  if (yenFits) return yen;

  // Each unit's labels, ending 2 mm left of the axis.
  struct Written {
    AmountLabels labels;
    double widest;
    std::size_t decimals;  // of the label with the most
  };
  std::vector<Written> written;
  for (const AmountUnit& unit : kAmountUnits) {
    Written w{{unit.unit, {}, {}}, 0, 0};
    for (const std::string& plain : plains) {
      const std::string text = amountText(plain, unit.power);
      const double width = canvas.TextWidth(text);
      w.widest = std::max(w.widest, width);
      const std::size_t point = text.find('.');
      if (point != std::string::npos)
        w.decimals = std::max(w.decimals, text.find_first_not_of("0123456789", point + 1) -
                                              std::min(text.size(), point + 1));
      w.labels.texts.push_back(text);
      w.labels.lefts.push_back(core::toSingle(static_cast<double>(s.graphLeft) - width - 2));
    }
    written.push_back(std::move(w));
  }
  const double room = static_cast<double>(s.graphLeft) - 2;
  const auto first = std::find_if(written.begin(), written.end(),
                                  [&](const Written& w) { return w.widest <= room; });
  if (first != written.end() && first->decimals == 0) return first->labels;
  // The first unit that fits needs decimals (or none fits): the unit (万円, 億円, 兆円) with the
  // fewest decimals reads better ("9,998.7" rather than "0.99987"), and may come closer to the
  // axis to fit, up to half a millimetre from it.
  constexpr double kNearestMm = 0.5;
  const Written* fewest = first != written.end() ? &*first : nullptr;
  for (const Written& w : written)
    if (w.labels.unit && w.widest <= static_cast<double>(s.graphLeft) - kNearestMm &&
        (!fewest || w.decimals < fewest->decimals))
      fewest = &w;
  if (fewest) {
    AmountLabels labels = fewest->labels;
    const double shift = std::max(0.0, fewest->widest - room);
    for (float& left : labels.lefts) left = core::toSingle(left + shift);
    return labels;
  }
  // No way of writing them lets every label fit: the narrowest widest label, from the window's
  // left edge where it is too wide.
  const auto narrowest =
      std::min_element(written.begin(), written.end(),
                       [](const Written& a, const Written& b) { return a.widest < b.widest; });
  AmountLabels best = narrowest->labels;
  for (float& left : best.lefts) left = std::max(left, 0.0f);
  return best;
}

// A tick's value as its label writes it. Above 2^24 yen a float no longer holds every whole
// number: the axis' start and the tick's offset are each rounded to the floats' spacing there,
// so their sum may lie beside the grid value by up to a spacing, which seven digits show (a label
// "99.99981" 億円 on the line of 99.9998). Where the sum lies that close to a multiple of the
// step's last decimal place, the label writes that multiple; elsewhere the float's own text.
std::string amountPlain(float tick, float start, float step) {
  const std::string plain = core::plainFloat(tick);
  constexpr double kWhole = 16777216.0;  // 2^24: up to here every whole number is a float
  const double magnitude =
      std::max(std::fabs(static_cast<double>(tick)), std::fabs(static_cast<double>(start)));
  if (!(magnitude > kWhole) || !std::isfinite(magnitude) || !(step > 0)) return plain;
  double place = std::pow(10.0, std::floor(std::log10(static_cast<double>(step))));
  if (std::fmod(static_cast<double>(step), place) != 0) place /= 10;  // a step of 2.5 x 10^n
  const double grid = std::round(static_cast<double>(tick) / place) * place;
  const float far = std::fabs(tick) > std::fabs(start) ? tick : start;
  const double spacing = static_cast<double>(std::nextafter(std::fabs(far), HUGE_VALF)) -
                         static_cast<double>(std::fabs(far));
  if (std::fabs(grid - static_cast<double>(tick)) > spacing) return plain;
  return core::plainDouble(grid);
}

// A price tick: where its line stands, its value, and where its label is printed and ends.
struct PriceTick {
  float x, value, left, right;
};

std::vector<PriceTick> priceTicksOf(const core::ChartState& s, const Canvas& canvas) {
  std::vector<PriceTick> ticks;
  const float bound = s.priceSpan;
  const float step = s.priceStep;
  float i = 0;
  for (int n = 0; i <= bound && n < kMaxGridLines; ++n) {
    const float x =
        core::toSingle(static_cast<double>(s.graphWidth) / s.priceSpan * i + s.graphLeft);
    const float value = i + s.priceMin;
    const std::string plain = core::plainFloat(value);
    const float left = core::toSingle(x - canvas.TextWidth(plain) / 2.0 - 1);
    // The printed text: a blank in place of the sign when >= 0.
    const float width = canvas.TextWidth(value >= 0 ? " " + plain : plain);
    ticks.push_back({x, value, left, core::toSingle(static_cast<double>(left) + width)});
    i = i + step;
  }
  return ticks;
}

bool labelsTouch(const std::vector<PriceTick>& ticks) {
  for (std::size_t n = 1; n < ticks.size(); ++n)
    if (ticks[n].left <= ticks[n - 1].right) return true;
  return false;
}

}  // namespace

void GraphMake(core::ChartState& s, Canvas& canvas) {
  const float lineHeight = canvas.TextHeight("M");

  // The amount ticks come first: their labels decide the amount axis' title.
  Barasi(s, s.amountSpan, 1, lineHeight);
  std::vector<float> amountTicks;
  {
    const float bound = s.amountSpan;
    const float step = s.amountStep;
    float i = 0;
    for (int n = 0; i <= bound && n < kMaxGridLines; ++n) {
      amountTicks.push_back(i);
      i = i + step;
    }
  }
  std::vector<std::string> amountPlains;
  amountPlains.reserve(amountTicks.size());
  for (const float i : amountTicks)
    amountPlains.push_back(amountPlain(i + s.amountMin, s.amountMin, s.amountStep));
  const AmountLabels labels = amountLabels(s, canvas, amountPlains);

  // Titles: "単価" right of the price axis' end, below its labels; "受渡金額" ending at the
  // amount axis, two text lines above the plot area. A unit of the amounts takes that line, and
  // the title moves one line up: beside the axis there is room for neither both on one line nor
  // the unit below, where the top tick label may stand.
  canvas.CurrentX = core::toSingle(core::plotRight(s));
  canvas.CurrentY = core::toSingle(static_cast<double>(lineHeight) + s.graphBottom + 1);
  canvas.Print("単価");
  const double titleY = core::plotTop(s) - 2.0 * lineHeight;
  const auto printEndingAtAxis = [&](const char* text, double y) {
    canvas.CurrentX = core::toSingle(s.graphLeft - static_cast<double>(canvas.TextWidth(text)));
    canvas.CurrentY = core::toSingle(y);
    canvas.Print(text);
  };
  if (labels.unit) {
    printEndingAtAxis("受渡金額", titleY - lineHeight);
    printEndingAtAxis(labels.unit, titleY);
  } else {
    printEndingAtAxis("受渡金額", titleY);
  }

  s.priceMax = core::toSingle(static_cast<double>(s.priceMin) + s.priceSpan);
  s.amountMax = core::toSingle(static_cast<double>(s.amountSpan) + s.amountMin);

  // Price grid: vertical lines from the left edge, labels centred below the bottom edge. The
  // step search spaces the ticks by the width of "MM"; where longer labels would still touch,
  // the next larger step is taken.
  canvas.DrawWidth = 1;
  Zappari(s, s.priceSpan, 1, canvas.TextWidth("MM"));
  std::vector<PriceTick> priceTicks = priceTicksOf(s, canvas);
  while (labelsTouch(priceTicks)) {
    const float next = s.priceStep * 10.0f;
    if (!std::isfinite(next)) break;
    s.priceStep = next;
    priceTicks = priceTicksOf(s, canvas);
  }
  for (const PriceTick& tick : priceTicks) {
    canvas.Line(tick.x, s.graphBottom, tick.x, core::toSingle(core::plotTop(s)));
    canvas.CurrentX = tick.left;
    canvas.CurrentY = core::toSingle(static_cast<double>(s.graphBottom) + 1);
    canvas.PrintNumber(tick.value);
  }

  // Amount grid: horizontal lines from the bottom edge, labels left of the left edge.
  for (std::size_t n = 0; n < amountTicks.size(); ++n) {
    const float y = core::toSingle(s.graphBottom - static_cast<double>(s.graphHeight) /
                                                       s.amountSpan * amountTicks[n]);
    canvas.Line(s.graphLeft, y, core::toSingle(core::plotRight(s)), y);
    canvas.CurrentX = labels.lefts[n];
    canvas.CurrentY = core::toSingle(y - lineHeight / 2.0);
    canvas.Print(labels.texts[n]);
  }

  // The two axes, then the amount lines, all two pixels wide.
  canvas.DrawWidth = 2;
  const float right = core::toSingle(core::plotRight(s));
  const float top = core::toSingle(core::plotTop(s));
  canvas.Line(s.graphLeft, s.graphBottom, right, s.graphBottom);
  canvas.Line(s.graphLeft, s.graphBottom, s.graphLeft, top);
  drawAmountLines(s, canvas);
}

}  // namespace chart
