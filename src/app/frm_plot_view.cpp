// Pan and zoom-out buttons, the view history and the mouse zoom.
#include <QPushButton>
#include <optional>

#include "app/frm_plot.h"
#include "app/tk/message_box.h"
#include "app/tk/mm_controls.h"
#include "trade/figures.h"
#include "view/history.h"
#include "view/navigation.h"
#include "view/zoom_snap.h"

namespace app {

// A navigation click: show the new view, redraw, then record it. A view that a float could no
// longer hold is refused outright, so the picture, the history and its redo entries stay as they
// are.
void FrmPlot::navigateTo(const std::optional<core::SavedView>& next) {
  if (!next) return;
  core::showView(state, *next);
  ReDraw();
  HairetuKakunou();
}

void FrmPlot::connectViewEvents() {
  connect(ui.CmdMoveUp, &QPushButton::clicked, this, [this] { CmdMoveUp_Click(); });
  connect(ui.CmdMoveDown, &QPushButton::clicked, this, [this] { CmdMoveDown_Click(); });
  connect(ui.CmdMoveLeft, &QPushButton::clicked, this, [this] { CmdMoveLeft_Click(); });
  connect(ui.CmdMoveRight, &QPushButton::clicked, this, [this] { CmdMoveRight_Click(); });
  connect(ui.CmdZoom, &QPushButton::clicked, this, [this] { CmdZoom_Click(); });
  connect(ui.CmdUndo, &QPushButton::clicked, this, [this] { CmdUndo_Click(); });
  connect(ui.CmdRedo, &QPushButton::clicked, this, [this] { CmdRedo_Click(); });
  connect(ui.CmdFit, &QPushButton::clicked, this, [this] { CmdFit_Click(); });
}

// The view fitted to the trade: its prices, its break-even and both amount lines between them,
// snapped as a rectangle zoom is, and recorded as one view. A field not taken leaves the view; a
// trade no view can show says so and leaves the view and its history.
void FrmPlot::CmdFit_Click() {
  if (!AllFieldsTaken()) return;
  const auto extent = trade::tradeExtent(state);
  const auto plan =
      extent ? view::planFit(state,
                             {extent->priceLow, extent->priceHigh, extent->amountLow,
                              extent->amountHigh, extent->contentPriceLow, extent->contentPriceHigh,
                              extent->contentAmountLow, extent->contentAmountHigh},
                             surface.TextWidth("MM"), surface.TextHeight("M"))
             : std::nullopt;
  if (!plan) {
    tk::showMessage(this,
                    QStringLiteral("金額が大きすぎて、この取引に表示範囲を合わせられません。"));
    return;
  }
  view::applyZoom(state, *plan);
  HairetuKakunou();
  ReDraw();
}

void FrmPlot::CmdMoveUp_Click() { navigateTo(view::movedUp(state)); }
void FrmPlot::CmdMoveDown_Click() { navigateTo(view::movedDown(state)); }
void FrmPlot::CmdMoveLeft_Click() { navigateTo(view::movedLeft(state)); }
void FrmPlot::CmdMoveRight_Click() { navigateTo(view::movedRight(state)); }
void FrmPlot::CmdZoom_Click() { navigateTo(view::zoomedOut(state)); }

void FrmPlot::HairetuKakunou() {
  view::pushView(state);
  ui.CmdRedo->setEnabled(false);
  ui.CmdUndo->setEnabled(true);
}

void FrmPlot::CmdUndo_Click() {
  if (!view::stepBack(state)) return;
  if (view::historyEntry(state) == 0) ui.CmdUndo->setEnabled(false);
  ui.CmdRedo->setEnabled(true);
  ReDraw();
}

void FrmPlot::CmdRedo_Click() {
  if (!view::stepForward(state)) return;
  if (!view::canRedo(state)) ui.CmdRedo->setEnabled(false);
  ui.CmdUndo->setEnabled(true);
  ReDraw();
}

void FrmPlot::Form_MouseDown(float x, float y) {
  if (!view::insidePlotArea(state, x, y)) return;
  if (state.selectionActive == core::kFalse) {
    state.anchorX = x;
    state.anchorY = y;
    // Start the (still hidden) rectangle at the anchor, so a second click with no move in
    // between zooms on this point rather than on an earlier selection's rectangle.
    ui.ShpArea->setRectMm(x, y, 0, 0);
    setCursor(Qt::CrossCursor);  // a rectangle is being marked
  } else {
    const view::AreaRect area{ui.ShpArea->leftMm(), ui.ShpArea->topMm(), ui.ShpArea->widthMm(),
                              ui.ShpArea->heightMm()};
    const auto plan = view::planZoom(state, area, surface.TextWidth("MM"), surface.TextHeight("M"));
    // A view beyond what the snapping can express: the click is ignored and the selection stays.
    if (!plan) return;
    view::applyZoom(state, *plan);
    ui.ShpArea->hide();
    unsetCursor();
    HairetuKakunou();
    ReDraw();
  }
  state.selectionActive = static_cast<core::Truth>(~state.selectionActive);
}

void FrmPlot::Form_MouseMove(float x, float y) {
  if (state.selectionActive == core::kFalse) return;
  // While a rectangle is pending, the pointer over the plot is a cross: the next click there
  // completes it.
  if (view::insidePlotArea(state, x, y))
    setCursor(Qt::CrossCursor);
  else
    unsetCursor();
  const view::AreaRect r = view::rubberBand(state.anchorX, state.anchorY, x, y);
  ui.ShpArea->setRectMm(r.left, r.top, r.width, r.height);
  ui.ShpArea->show();
}

}  // namespace app
