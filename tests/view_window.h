#pragma once
// Helpers for driving the view navigation of a real window.
#include <QTest>
#include <cmath>

#include "frm_plot_probe.h"
#include "view/history.h"
#include "window_fixture.h"

class ViewWindowTest : public WindowTest {
 protected:
  core::SavedView shown() const { return core::currentView(state()); }
  std::size_t entries() const { return state().viewHistory.size(); }
  float index() const { return state().historyIndex; }
  bool undoEnabled() const { return ui().CmdUndo->isEnabled(); }
  bool redoEnabled() const { return ui().CmdRedo->isEnabled(); }

  static void click(QWidget* w, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(w, button);
  }
  // The window pixel nearest to a point in millimetres.
  static QPoint px(double xMm, double yMm) {
    return QPoint(static_cast<int>(std::lround(tk::mmToPx(xMm))),
                  static_cast<int>(std::lround(tk::mmToPx(yMm))));
  }
  void pressAt(QPoint p, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(window.get(), button, {}, p);
  }
  void moveTo(QPoint p) { QTest::mouseMove(window.get(), p); }

  // A drawing operation no redraw would produce: it stays at the end of the display list until
  // the next Cls.
  void markDisplayList() { surface().Line(-7, -7, -7, -7); }
  bool displayListMarked() const {
    const auto& ops = surface().ops();
    return !ops.empty() && ops.back().kind == tk::DrawOp::Line && ops.back().x1 == -7 &&
           ops.back().y2 == -7;
  }
};
