// Pan and zoom-out buttons, the view history and the mouse zoom.
#include <optional>

#include "app/frm_plot.h"
#include "view/history.h"
#include "view/navigation.h"
#include "view/zoom_snap.h"

namespace {

// A navigation click: show the new view, redraw, then record it. A view that a float could no
// longer hold is refused outright, so the picture, the history and its redo entries stay as they
// are.
void navigateTo(FrmPlot& w, const std::optional<SavedView>& next) {
  if (!next) return;
  view::showView(w.state, *next);
  w.ReDraw();
  w.HairetuKakunou();
}

}  // namespace

void FrmPlot::connectViewEvents() {
  connect(CmdMoveUp, &QPushButton::clicked, this, [this] { CmdMoveUp_Click(); });
  connect(CmdMoveDown, &QPushButton::clicked, this, [this] { CmdMoveDown_Click(); });
  connect(CmdMoveLeft, &QPushButton::clicked, this, [this] { CmdMoveLeft_Click(); });
  connect(CmdMoveRight, &QPushButton::clicked, this, [this] { CmdMoveRight_Click(); });
  connect(CmdZoom, &QPushButton::clicked, this, [this] { CmdZoom_Click(); });
  connect(CmdUndo, &QPushButton::clicked, this, [this] { CmdUndo_Click(); });
  connect(CmdRedo, &QPushButton::clicked, this, [this] { CmdRedo_Click(); });
}

void FrmPlot::CmdMoveUp_Click() { navigateTo(*this, view::movedUp(state)); }
void FrmPlot::CmdMoveDown_Click() { navigateTo(*this, view::movedDown(state)); }
void FrmPlot::CmdMoveLeft_Click() { navigateTo(*this, view::movedLeft(state)); }
void FrmPlot::CmdMoveRight_Click() { navigateTo(*this, view::movedRight(state)); }
void FrmPlot::CmdZoom_Click() { navigateTo(*this, view::zoomedOut(state)); }

void FrmPlot::HairetuKakunou() {
  view::pushView(state);
  CmdRedo->setEnabled(false);
  CmdUndo->setEnabled(true);
}

void FrmPlot::CmdUndo_Click() {
  if (!view::stepBack(state)) return;
  if (view::historyEntry(state) == 0) CmdUndo->setEnabled(false);
  CmdRedo->setEnabled(true);
  ReDraw();
}

void FrmPlot::CmdRedo_Click() {
  if (!view::stepForward(state)) return;
  if (!view::canRedo(state)) CmdRedo->setEnabled(false);
  CmdUndo->setEnabled(true);
  ReDraw();
}

void FrmPlot::Form_MouseDown(float x, float y) {
  if (!view::insidePlotArea(state, x, y)) return;
  if (state.selectionActive == kFalse) {
    state.anchorX = x;
    state.anchorY = y;
    // Start the (still hidden) rectangle at the anchor, so a second click with no move in
    // between zooms on this point rather than on an earlier selection's rectangle.
    ShpArea->setRectMm(x, y, 0, 0);
  } else {
    const view::AreaRect area{ShpArea->leftMm(), ShpArea->topMm(), ShpArea->widthMm(),
                              ShpArea->heightMm()};
    const auto plan = view::planZoom(state, area, surface.TextWidth("MM"), surface.TextHeight("M"));
    // A view beyond what the snapping can express: the click is ignored and the selection stays.
    if (!plan) return;
    view::applyZoom(state, *plan);
    ShpArea->hide();
    HairetuKakunou();
    ReDraw();
  }
  state.selectionActive = static_cast<Truth>(~state.selectionActive);
}

void FrmPlot::Form_MouseMove(float x, float y) {
  if (state.selectionActive == kFalse) return;
  const view::AreaRect r = view::rubberBand(state.anchorX, state.anchorY, x, y);
  ShpArea->setRectMm(r.left, r.top, r.width, r.height);
  ShpArea->show();
}
