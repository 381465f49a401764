// The mouse wheel on the chart (a notch away zooms in around the pointer, a notch toward zooms
// out) and the readout under a resting pointer: the unit price there and both settlement amounts.
#include <QHelpEvent>
#include <QStringList>
#include <QWheelEvent>
#include <algorithm>

#include "app/frm_plot.h"
#include "app/tk/chart_accessible.h"
#include "app/tk/mm_controls.h"
#include "app/tk/readout_tip.h"
#include "app/tk/units.h"
#include "core/mapping.h"
#include "core/single.h"
#include "trade/markers.h"
#include "view/zoom_snap.h"

namespace app {

namespace {
// Notches taken from one wheel event: a fast spin gives a few; a flood beyond this would only
// stack up views (and redraws) nobody asked to see one by one.
constexpr int kMaxNotchesPerTurn = 10;
}  // namespace

void FrmPlot::connectPointerEvents() {
  ui.TipReadout = new tk::ReadoutTip(
      this, [this](QPoint globalPos) { ShowReadout(mapFromGlobal(globalPos), globalPos); });
}

bool FrmPlot::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::ToolTip: {
      // Also what the labels on the chart pass on: they show no tip of their own.
      const auto* help = static_cast<QHelpEvent*>(event);
      ShowReadout(help->pos(), help->globalPos());
      return true;
    }
    case QEvent::Leave:
    case QEvent::Hide:
    case QEvent::WindowDeactivate:
      ui.TipReadout->hideTip();
      break;
    default:
      break;
  }
  return QWidget::event(event);
}

void FrmPlot::wheelEvent(QWheelEvent* event) {
  const QPointF p = event->position();
  const float x = core::toSingle(tk::pxToMm(p.x()));
  const float y = core::toSingle(tk::pxToMm(p.y()));
  // A turn that zooms nothing leaves nothing over for the next one either.
  if (state.selectionActive != core::kFalse || !view::insidePlotArea(state, x, y)) return;
  Form_MouseWheel(x, y, chartWheel.take(event->angleDelta().y()));
}

void FrmPlot::Form_MouseWheel(float x, float y, int notches) {
  if (state.selectionActive != core::kFalse || !view::insidePlotArea(state, x, y)) return;
  notches = std::clamp(notches, -kMaxNotchesPerTurn, kMaxNotchesPerTurn);
  for (; notches > 0; --notches)
    if (!ZoomInAt(x, y)) return;
  for (; notches < 0; ++notches) CmdZoom_Click();
}

// The second click of a selection, with the rectangle around the pointer for the marked one.
bool FrmPlot::ZoomInAt(float x, float y) {
  const view::AreaRect area = view::wheelZoomArea(state, x, y);
  const auto plan = view::planZoom(state, area, surface.TextWidth("MM"), surface.TextHeight("M"));
  // A view beyond what the snapping can express: no zoom, as for a second click.
  if (!plan) return false;
  view::applyZoom(state, *plan);
  ui.ShpArea->hide();
  HairetuKakunou();
  ReDraw();
  return true;
}

// pos is in the window's pixels. Off the plot area, while a selection is pending, or over a view
// that cannot be drawn, the readout hides.
void FrmPlot::ShowReadout(QPoint pos, QPoint globalPos) {
  const float x = core::toSingle(tk::pxToMm(pos.x()));
  const float y = core::toSingle(tk::pxToMm(pos.y()));
  if (state.selectionActive != core::kFalse || !core::viewIsDrawable(state) ||
      !view::insidePlotArea(state, x, y)) {
    ui.TipReadout->hideTip();
    return;
  }
  const float price = trade::pointerPrice(state, x);
  QStringList lines;
  for (const std::string& line : trade::pointerReadout(state, price)) lines << tk::qs(line);
  const QString text = lines.join(QLatin1Char('\n'));
  ui.TipReadout->showAt(globalPos, tk::displayText(text));
  ui.chartArea->showPoint(state, price);
}

}  // namespace app
