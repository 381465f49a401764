// The keyboard beyond the buttons: the entry fields step like spin boxes (arrow and page keys, and
// the mouse wheel over them), Esc drops a pending selection, and the picture shortcuts.
#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>

#include "app/frm_plot.h"
#include "app/tk/field_keys.h"
#include "app/tk/mm_controls.h"
#include "core/single.h"

namespace app {

void FrmPlot::connectKeyEvents() {
  // Each field steps through its row's buttons' own handlers: the same limits, the same text.
  const auto steps = [this](void (FrmPlot::*up)(), void (FrmPlot::*down)(),
                            void (FrmPlot::*pageUp)(), void (FrmPlot::*pageDown)()) {
    return tk::FieldSteps{[this, up] { (this->*up)(); }, [this, down] { (this->*down)(); },
                          [this, pageUp] { (this->*pageUp)(); },
                          [this, pageDown] { (this->*pageDown)(); }};
  };
  new tk::FieldStepKeys(ui.TxtQua, steps(&FrmPlot::CmdSQU_Click, &FrmPlot::CmdSQD_Click,
                                         &FrmPlot::CmdQU_Click, &FrmPlot::CmdQD_Click));
  new tk::FieldStepKeys(ui.TxtBP, steps(&FrmPlot::CmdSUp_Click, &FrmPlot::CmdSDown_Click,
                                        &FrmPlot::CmdUp_Click, &FrmPlot::CmdDown_Click));
  new tk::FieldStepKeys(ui.TxtSP, steps(&FrmPlot::CmdSUpS_Click, &FrmPlot::CmdSDownS_Click,
                                        &FrmPlot::CmdUpS_Click, &FrmPlot::CmdDownS_Click));

  // Held down, neither repeats: one dialog, one copy.
  auto* save = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this);
  save->setAutoRepeat(false);
  connect(save, &QShortcut::activated, this, [this] { SavePicture(); });
  auto* copy = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this);
  copy->setAutoRepeat(false);
  connect(copy, &QShortcut::activated, this, [this] { CopyPicture(); });
  connect(ui.ActCopyFigures, &QAction::triggered, this, [this] { CopyFigures(); });
  auto* print = new QShortcut(QKeySequence::Print, this);
  print->setAutoRepeat(false);
  connect(print, &QShortcut::activated, this, [this] { PrintWindow(); });

  // The view by keyboard, wherever the focus is: fitted to the trade, and zoomed in (as a wheel
  // notch at the plot's centre) or out (縮小).
  const auto shortcut = [this](const QKeySequence& keys, void (FrmPlot::*action)()) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this,
            [this, action] { (this->*action)(); });
  };
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_0), &FrmPlot::CmdFit_Click);
  shortcut(QKeySequence(QKeySequence::ZoomIn), &FrmPlot::ZoomInAtCentre);
  shortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), &FrmPlot::ZoomInAtCentre);
  shortcut(QKeySequence(QKeySequence::ZoomOut), &FrmPlot::CmdZoom_Click);
}

void FrmPlot::ZoomInAtCentre() {
  Form_MouseWheel(core::toSingle(state.graphLeft + state.graphWidth / 2.0),
                  core::toSingle(state.graphBottom - state.graphHeight / 2.0), 1);
}

// Esc reaches the window from wherever the focus is: fields and buttons leave it to their window.
void FrmPlot::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && state.selectionActive != core::kFalse) {
    CancelSelection();
    return;
  }
  QWidget::keyPressEvent(event);
}

// The first corner is forgotten: the rectangle hides, and the view and its history stay.
void FrmPlot::CancelSelection() {
  if (state.selectionActive == core::kFalse) return;
  state.selectionActive = core::kFalse;
  ui.ShpArea->hide();
  unsetCursor();
}

}  // namespace app
