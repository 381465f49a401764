// Entry fields, price markers and the profit/loss readout: the window's side of the trade.
#include <QApplication>
#include <QLineEdit>
#include <QPalette>

#include "app/frm_plot.h"
#include "app/tk/mm_controls.h"
#include "app/tk/units.h"
#include "trade/entry_fields.h"
#include "trade/fees.h"
#include "trade/markers.h"

namespace {

// A field whose text is not taken shows it in red until its text is taken again; a screen reader
// hears the same through the field's description.
void showTaken(QLineEdit* field, bool taken) {
  const bool shownRed = field->palette().color(QPalette::Text) == QColor(Qt::red);
  if (taken != shownRed) return;
  QPalette palette = field->palette();
  palette.setColor(QPalette::Text,
                   taken ? QApplication::palette(field).color(QPalette::Text) : QColor(Qt::red));
  field->setPalette(palette);
  field->setAccessibleDescription(
      taken ? field->toolTip() : field->toolTip() + QStringLiteral("（受け付けられない値です）"));
}

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

void applyPriceMarker(const ChartState& s, trade::Side side, tk::LineControl* line,
                      tk::MmLabel* label) {
  const trade::Marker m = trade::priceMarker(s, side);
  applyLine(line, m.line);
  applyLabel(label, m);
}

// Both amount markers as they stand beside each other. The two labels share one font: measured
// in it, as shown (the yen mark, not the backslash).
trade::AmountMarkers amountMarkers(const ChartState& s, float lineHeight,
                                   const tk::MmLabel* label) {
  const auto width = [label](std::string_view caption) {
    return tk::textWidthMm(label->font(), tk::qs(caption));
  };
  return trade::amountMarkers(s, lineHeight, width);
}

}  // namespace

void FrmPlot::connectTradeEvents() {
  connect(ui.TxtQua, &QLineEdit::textChanged, this, [this] { TxtQua_Change(); });
  connect(ui.TxtBP, &QLineEdit::textChanged, this, [this] { TxtBP_Change(); });
  connect(ui.TxtSP, &QLineEdit::textChanged, this, [this] { TxtSP_Change(); });
}

// A new buy price moves only the buy markers and the readout; the chart does not depend on it.
void FrmPlot::TxtBP_Change() {
  const std::string text = ui.TxtBP->text().toStdString();
  const auto price = trade::acceptPrice(state, trade::Side::Buy, text);
  showTaken(ui.TxtBP, price.has_value());
  if (!price) return;
  state.buyPrice = *price;
  state.buyPriceDecimal = trade::exactValue(text, *price);
  MoveLinB();
  MoveLinBYaku();
  CalcSoneki();
}

void FrmPlot::TxtSP_Change() {
  const std::string text = ui.TxtSP->text().toStdString();
  const auto price = trade::acceptPrice(state, trade::Side::Sell, text);
  showTaken(ui.TxtSP, price.has_value());
  if (!price) return;
  state.sellPrice = *price;
  state.sellPriceDecimal = trade::exactValue(text, *price);
  MoveLinS();
  MoveLinSYaku();
  CalcSoneki();
}

// The amount lines depend on the quantity: a taken quantity redraws everything. Whether the text
// is taken is decided here, once per text: a refused one stays refused until it changes, and no
// zoom, undo or resize takes it behind the field's back.
void FrmPlot::TxtQua_Change() {
  const std::string text = ui.TxtQua->text().toStdString();
  const auto quantity = trade::acceptQuantity(state, text);
  showTaken(ui.TxtQua, quantity.has_value());
  if (!quantity) return;
  state.quantity = *quantity;
  state.quantityDecimal = trade::exactValue(text, *quantity);
  ReDraw();
}

void FrmPlot::MoveLinB() { applyPriceMarker(state, trade::Side::Buy, ui.LinB, ui.LblBuy); }
void FrmPlot::MoveLinS() { applyPriceMarker(state, trade::Side::Sell, ui.LinS, ui.LblSell); }

// The buy amount marker; the sell label moves with it where the two would overlap.
void FrmPlot::MoveLinBYaku() {
  const trade::AmountMarkers m = amountMarkers(state, surface.TextHeight("M"), ui.LblBYaku);
  applyLine(ui.LinBYaku, m.buy.line);
  applyLabel(ui.LblBYaku, m.buy);
  applyLabel(ui.LblSYaku, m.sell);
}

void FrmPlot::MoveLinSYaku() {
  const trade::AmountMarkers m = amountMarkers(state, surface.TextHeight("M"), ui.LblSYaku);
  applyLine(ui.LinSYaku, m.sell.line);
  applyLabel(ui.LblSYaku, m.sell);
}

void FrmPlot::CalcSoneki() {
  const trade::ReadoutLook look = trade::profitLossReadout(state);
  ui.LblSoneki->setCaption(QString::fromStdString(look.caption));
  ui.LblSoneki->setColours(look.back, look.fore);  // background first, then the text colour
}
