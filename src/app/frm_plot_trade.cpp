// Entry fields, price markers and the profit/loss readout: the window's side of the trade.
#include <QApplication>
#include <QCheckBox>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QPalette>
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/frm_plot.h"
#include "app/tk/chart_accessible.h"
#include "app/tk/mm_controls.h"
#include "app/tk/refused_entry.h"
#include "app/tk/units.h"
#include "core/mapping.h"
#include "core/price_grid.h"
#include "core/single.h"
#include "trade/entry_fields.h"
#include "trade/fees.h"
#include "trade/figures.h"
#include "trade/markers.h"

namespace app {

namespace {

// Only what differs is set: each setting re-measures and re-places the control, and a price
// step usually leaves most of them as they are.
void applyLine(tk::LineControl* line, const std::optional<trade::LinePoints>& points) {
  if (points && (line->x1() != points->x1 || line->y1() != points->y1 || line->x2() != points->x2 ||
                 line->y2() != points->y2))
    line->setPoints(points->x1, points->y1, points->x2, points->y2);
  line->setVisible(points.has_value());
}

void applyLabel(tk::MmLabel* label, const trade::Marker& m) {
  const QString caption = QString::fromStdString(m.caption);
  if (label->caption() != caption) label->setCaption(caption);
  if (label->leftMm() != m.labelLeft) label->setLeftMm(m.labelLeft);
  if (label->topMm() != m.labelTop) label->setTopMm(m.labelTop);
}

void applyPriceMarker(const core::ChartState& s, trade::Side side, tk::LineControl* line,
                      tk::MmLabel* label) {
  const trade::Marker m = trade::priceMarker(s, side);
  applyLine(line, m.line);
  applyLabel(label, m);
}

// A caption's width in the font the labels share, measured through the label that shows it where
// one does (each remembers the last text it measured), else through the first: a price step
// changes one caption and leaves the other as it was.
float captionWidthMm(std::initializer_list<const tk::MmLabel*> labels, std::string_view caption) {
  const QString text = tk::qs(caption);
  const tk::MmLabel* by = *labels.begin();
  for (const tk::MmLabel* label : labels)
    if (label->caption() == text) by = label;
  return by->captionWidthMm(text);
}

// Both amount markers as they stand beside each other, the side that moved first. The two labels
// share one font: measured in it, as shown (the yen mark, not the backslash).
trade::AmountMarkers amountMarkers(const core::ChartState& s, float lineHeight,
                                   const tk::MmLabel* moved, const tk::MmLabel* other) {
  return trade::amountMarkers(s, lineHeight, [&](std::string_view caption) {
    return captionWidthMm({moved, other}, caption);
  });
}

// Runs a procedure whenever the keyboard focus leaves the watched field.
class FocusLeaves : public QObject {
 public:
  FocusLeaves(std::function<void()> left, QObject* parent)
      : QObject(parent), left_(std::move(left)) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::FocusOut) left_();
    return false;
  }

 private:
  std::function<void()> left_;
};

}  // namespace

void FrmPlot::connectTradeEvents() {
  connect(ui.TxtQua, &QLineEdit::textChanged, this, [this] { TxtQua_Change(); });
  connect(ui.TxtBP, &QLineEdit::textChanged, this, [this] { TxtBP_Change(); });
  connect(ui.TxtSP, &QLineEdit::textChanged, this, [this] { TxtSP_Change(); });
  connect(ui.TxtTarget, &QLineEdit::textChanged, this, [this] { TxtTarget_Change(); });
  connect(ui.ChkNisa, &QCheckBox::toggled, this, [this] { ChkNisa_Click(); });
  // A field left with a text it did not take shows the value in force again, written as the step
  // buttons write it; from then on field, chart and readout agree.
  const auto restoreWhenLeft = [this](QLineEdit* field, auto text) {
    field->installEventFilter(new FocusLeaves(
        [field, text] {
          if (tk::shownRefused(field)) field->setText(QString::fromStdString(text()));
        },
        field));
  };
  restoreWhenLeft(ui.TxtQua, [this] { return core::plainText(state.quantityDecimal); });
  restoreWhenLeft(ui.TxtBP, [this] {
    return core::trimPriceText(core::fixedText(state.buyPriceDecimal, 2), state.settings);
  });
  restoreWhenLeft(ui.TxtSP, [this] {
    return core::trimPriceText(core::fixedText(state.sellPriceDecimal, 2), state.settings);
  });
  restoreWhenLeft(ui.TxtTarget, [this] {
    return state.targetAfterTax ? std::to_string(*state.targetAfterTax) : std::string();
  });
}

// A price field's text into the state with its exact value, when the field takes it.
bool FrmPlot::takePrice(trade::Side side, QLineEdit* field, float& price, core::Decimal& decimal) {
  const std::string text = field->text().toStdString();
  const auto taken = trade::acceptPrice(state, side, text);
  tk::showTaken(field, taken.has_value());
  if (!taken) return false;
  price = *taken;
  decimal = trade::exactValue(text, *taken);
  return true;
}

// A new buy price moves only the buy markers and the readout; the chart does not depend on it.
void FrmPlot::TxtBP_Change() {
  if (!takePrice(trade::Side::Buy, ui.TxtBP, state.buyPrice, state.buyPriceDecimal))
    return ShowFigures();
  MoveLinB();
  MoveLinBYaku();
  CalcSoneki();
}

void FrmPlot::TxtSP_Change() {
  if (!takePrice(trade::Side::Sell, ui.TxtSP, state.sellPrice, state.sellPriceDecimal))
    return ShowFigures();
  MoveLinS();
  MoveLinSYaku();
  CalcSoneki();
}

// The target moves only its figure and marker.
void FrmPlot::TxtTarget_Change() {
  const auto taken = trade::acceptTarget(ui.TxtTarget->text().toStdString());
  tk::showTaken(ui.TxtTarget, taken.has_value());
  if (taken) state.targetAfterTax = taken->yen;
  ShowFigures();
}

// The switch changes the tax, so the figures after tax: 税引後 and the target's price.
void FrmPlot::ChkNisa_Click() {
  state.nisa = ui.ChkNisa->isChecked();
  ShowFigures();
}

// The amount lines depend on the quantity: a taken quantity redraws everything. Whether the text
// is taken is decided here, once per text: a refused one stays refused until it changes, and no
// zoom, undo or resize takes it behind the field's back.
void FrmPlot::TxtQua_Change() {
  if (takeQuantity())
    ReDraw();
  else
    ShowFigures();
}

bool FrmPlot::takeQuantity() {
  const std::string text = ui.TxtQua->text().toStdString();
  const auto quantity = trade::acceptQuantity(state, text);
  tk::showTaken(ui.TxtQua, quantity.has_value());
  if (!quantity) return false;
  state.quantity = *quantity;
  state.quantityDecimal = trade::exactValue(text, *quantity);
  return true;
}

void FrmPlot::MoveLinB() { applyPriceMarker(state, trade::Side::Buy, ui.LinB, ui.LblBuy); }
void FrmPlot::MoveLinS() { applyPriceMarker(state, trade::Side::Sell, ui.LinS, ui.LblSell); }

// The buy amount marker; the sell label moves with it where the two would overlap.
void FrmPlot::MoveLinBYaku() {
  const trade::AmountMarkers m =
      amountMarkers(state, surface.TextHeight("M"), ui.LblBYaku, ui.LblSYaku);
  applyLine(ui.LinBYaku, m.buy.line);
  applyLabel(ui.LblBYaku, m.buy);
  applyLabel(ui.LblSYaku, m.sell);
}

void FrmPlot::MoveLinSYaku() {
  const trade::AmountMarkers m =
      amountMarkers(state, surface.TextHeight("M"), ui.LblSYaku, ui.LblBYaku);
  applyLine(ui.LinSYaku, m.sell.line);
  applyLabel(ui.LblSYaku, m.sell);
}

void FrmPlot::CalcSoneki() {
  const trade::ReadoutLook look = trade::profitLossReadout(state);
  ui.LblSoneki->setCaption(QString::fromStdString(look.caption));
  ui.LblSoneki->setColours(look.back, look.fore);  // background first, then the text colour
  ui.chartArea->followTrade(state);
  ShowFigures();
}

bool FrmPlot::AllFieldsTaken() const {
  return !tk::shownRefused(ui.TxtQua) && !tk::shownRefused(ui.TxtBP) && !tk::shownRefused(ui.TxtSP);
}

// The figures of the trade in force; with a field not taken they cannot answer (nothing), and a
// target not taken has no price.
std::optional<trade::TradeFigures> FrmPlot::FiguresShown() const {
  if (!AllFieldsTaken()) return std::nullopt;
  trade::TradeFigures figures = trade::tradeFigures(state);
  if (tk::shownRefused(ui.TxtTarget)) figures.target = {};
  return figures;
}

// The break-even and target prices on the chart and the figures beside the readout.
void FrmPlot::ShowFigures() {
  const std::optional<trade::TradeFigures> figures = FiguresShown();
  MoveDashedMarkers(figures ? figures->breakEven.hundredths : std::nullopt,
                    figures ? figures->target.hundredths : std::nullopt);
  const std::vector<trade::FigureRow>& table = trade::figureTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    const QString caption = QString::fromStdString(trade::figureText(table[i], state, figures));
    if (ui.LblFigures[i]->caption() == caption) continue;
    ui.LblFigures[i]->setCaption(caption);
    ui.LblFigures[i]->setAccessibleName(caption);
  }
  MoveFigures();
}

namespace {

// The dashed marker of a price in hundredths of a yen; none when there is no price.
std::optional<trade::Marker> dashedMarker(std::optional<std::int64_t> hundredths,
                                          const std::function<trade::Marker(float)>& marker) {
  if (!hundredths) return std::nullopt;
  return marker(core::toSingle(static_cast<double>(*hundredths) / 100.0));
}

void applyDashedMarker(tk::LineControl* line, tk::MmLabel* label,
                       const std::optional<trade::Marker>& m) {
  if (!m) {
    line->hide();
    label->hide();
    return;
  }
  applyLine(line, m->line);
  applyLabel(label, *m);
  label->show();
}

}  // namespace

// The break-even and the target marker, placed together so that the second keeps clear of the
// first as of the trade's own marks.
void FrmPlot::MoveDashedMarkers(std::optional<std::int64_t> breakEvenHundredths,
                                std::optional<std::int64_t> targetHundredths) {
  std::optional<trade::Marker> breakEven = dashedMarker(
      breakEvenHundredths, [this](float price) { return trade::breakEvenMarker(state, price); });
  std::optional<trade::Marker> target = dashedMarker(
      targetHundredths, [this](float price) { return trade::targetMarker(state, price); });
  std::vector<trade::Marker*> marks;
  for (std::optional<trade::Marker>* m : {&breakEven, &target})
    if (*m) marks.push_back(&**m);
  if (!marks.empty()) PlaceNewMarks(std::move(marks));
  applyDashedMarker(ui.LinBunki, ui.LblBunki, breakEven);
  applyDashedMarker(ui.LinTarget, ui.LblTarget, target);
}

// The marks that came after the buy and sell markers stand clear of them: of their captions,
// their amount labels, their price lines from the captions down to the plot, and of the titles
// printed above the plot. The new captions are the break-even's and the target's labels' (they
// share one font).
void FrmPlot::PlaceNewMarks(std::vector<trade::Marker*> marks) {
  const double plotTop = core::plotTop(state);
  trade::MarkRoom room{{}, 0, tk::pxToMm(width())};
  const auto boxOf = [](const QRect& r) {
    return trade::Box{tk::pxToMm(r.left()), tk::pxToMm(r.top()), tk::pxToMm(r.right() + 1),
                      tk::pxToMm(r.bottom() + 1)};
  };
  for (const tk::MmLabel* label : {ui.LblBuy, ui.LblSell, ui.LblBYaku, ui.LblSYaku})
    room.keep.push_back(boxOf(label->geometry()));
  for (const tk::LineControl* line : {ui.LinB, ui.LinS})
    if (line->isVisibleTo(this)) room.keep.push_back({line->x1(), line->y2(), line->x1(), plotTop});
  for (std::size_t i = 0; i < surface.ops().size(); ++i) {
    const tk::DrawOp& op = surface.ops()[i];
    if (op.kind != tk::DrawOp::Text || op.y1 >= plotTop) continue;
    room.keep.push_back({op.x1, op.y1, op.x1 + static_cast<double>(surface.PrintedWidth(i)),
                         op.y1 + static_cast<double>(surface.TextHeight(""))});
  }
  // A caption is as wide and as high as its label: from the whole pixel left of and above its
  // place on.
  const QFontMetricsF metrics(ui.LblBunki->font());
  const double pixel = tk::pxToMm(1);
  trade::placeNewMarks(
      state, std::move(marks), std::move(room),
      core::toSingle(tk::pxToMm(metrics.height()) + pixel), [&](std::string_view caption) {
        return core::toSingle(captionWidthMm({ui.LblBunki, ui.LblTarget}, caption) + pixel);
      });
}

// The figures, each followed by its extra controls, flow to the right of the readout, 3 mm apart,
// so none covers another, in at most two lines. The first line stands on the caption's line and
// ends before the price axis' title (「単価」, right of the plot's right edge); where two such
// lines do not hold them all (the small window), the lines start just below that title and reach
// to the window's right edge.
void FrmPlot::MoveFigures() {
  constexpr double kGapMm = 3;
  // Each figure, then its extras, which keep to one line together (a caption and its field).
  std::vector<QWidget*> items;
  std::vector<bool> joined;  // stays on the line of the item before it
  for (std::size_t i = 0; i < ui.LblFigures.size(); ++i) {
    items.push_back(ui.LblFigures[i]);
    joined.push_back(false);
    for (std::size_t e = 0; e < ui.FigureExtras[i].size(); ++e) {
      items.push_back(ui.FigureExtras[i][e]);
      joined.push_back(e > 0);
    }
  }
  const double afterReadout =
      static_cast<double>(ui.LblSoneki->leftMm()) + tk::pxToMm(ui.LblSoneki->width()) + kGapMm;
  // In the small window's lines, a line below the readout starts at the window's left margin.
  bool belowReadout = false;
  const double readoutBottom =
      static_cast<double>(ui.LblSoneki->topMm()) + tk::pxToMm(ui.LblSoneki->height());
  double top = ui.LblRieki->topMm();
  double lineHeight = 0;
  for (const QWidget* item : items) lineHeight = std::max(lineHeight, tk::pxToMm(item->height()));
  lineHeight += 1;
  const auto start = [&](int line) {
    return belowReadout && top + line * lineHeight >= readoutBottom
               ? static_cast<double>(ui.LblRieki->leftMm())
               : afterReadout;
  };
  // The line of each item when the lines end at `right`.
  const auto lines = [&](double right, std::vector<int>& lineOf) {
    int line = 0;
    double left = start(line);
    lineOf.clear();
    for (std::size_t i = 0; i < items.size(); ++i) {
      double run = tk::pxToMm(items[i]->width());
      for (std::size_t j = i + 1; j < items.size() && joined[j]; ++j)
        run += kGapMm + tk::pxToMm(items[j]->width());
      if (!joined[i] && left > start(line) && left + run > right) {
        ++line;
        left = start(line);
      }
      lineOf.push_back(line);
      left += tk::pxToMm(items[i]->width()) + kGapMm;
    }
    return line + 1;
  };
  std::vector<int> lineOf;
  if (lines(core::plotRight(state), lineOf) > 2) {
    top = state.graphBottom + 1.0 + 2.0 * surface.TextHeight("M");
    belowReadout = true;
    lines(tk::pxToMm(width()), lineOf);
  }
  double left = start(0);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0 && lineOf[i] != lineOf[i - 1]) left = start(lineOf[i]);
    const double lineTop = top + lineOf[i] * lineHeight;
    if (auto* label = dynamic_cast<tk::MmLabel*>(items[i])) {
      if (label->leftMm() != core::toSingle(left)) label->setLeftMm(core::toSingle(left));
      if (label->topMm() != core::toSingle(lineTop)) label->setTopMm(core::toSingle(lineTop));
    } else {
      // A field is centred on the labels' text line.
      const double labelHeight = tk::pxToMm(ui.LblFigures[0]->height());
      const double centredTop = lineTop - (tk::pxToMm(items[i]->height()) - labelHeight) / 2;
      items[i]->move(static_cast<int>(std::lround(tk::mmToPx(left))),
                     static_cast<int>(std::lround(tk::mmToPx(centredTop))));
    }
    left += tk::pxToMm(items[i]->width()) + kGapMm;
  }
}

}  // namespace app
