#pragma once
// The tests' one way into the window's insides: its state, its drawing surface, its controls and
// the procedures a test drives directly. Everything else a test does goes through real events.
#include <QGroupBox>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QTimer>

#include "app/frm_plot.h"
#include "app/settings_store.h"
#include "app/tk/chart_accessible.h"
#include "app/tk/mm_controls.h"
#include "app/tk/units.h"

class FrmPlotProbe {
 public:
  explicit FrmPlotProbe(app::FrmPlot& window) : w_(window) {}

  core::ChartState& state() { return w_.state; }
  tk::DrawingSurface& surface() { return w_.surface; }
  app::FrmPlotControls& ui() { return w_.ui; }

  app::SettingsStore& settingsFile() { return *w_.settingsFile; }
  void LoadSettings(bool atStart) { w_.LoadSettings(atStart); }  // as the file watcher does
  void ApplySettings(const core::TradeSettings& settings) { w_.ApplySettings(settings); }

  void ReDraw() { w_.ReDraw(); }
  void Form_Resize() { w_.Form_Resize(); }
  void CmdSize_Click() { w_.CmdSize_Click(); }
  void HairetuKakunou() { w_.HairetuKakunou(); }
  void Form_MouseDown(float x, float y) { w_.Form_MouseDown(x, y); }
  void Form_MouseMove(float x, float y) { w_.Form_MouseMove(x, y); }
  void Form_MouseWheel(float x, float y, int notches) { w_.Form_MouseWheel(x, y, notches); }
  void CmdUndo_Click() { w_.CmdUndo_Click(); }
  QString PictureName() const { return w_.PictureName(); }
  QString namedTradesPath() const { return w_.namedTrades->path(); }

  // One tick of a repeat timer, through whatever the window connected to it.
  static void tick(QTimer* timer) {
    QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
  }

 private:
  app::FrmPlot& w_;
};
