#pragma once
// The one window, frmPlot: it owns the chart state and every control, and turns window, control
// and timer events into calls of the subsystems' pure functions, then applies the results to the
// controls. Handlers carry the program's own names (CmdUp_Click, TxtBP_Change, TmrQ_Timer,
// Form_Resize...). Their bodies are split by subsystem: frm_plot.cpp (start-up, resize, compact
// mode, window events), frm_plot_layout.cpp (the controls), frm_plot_chart.cpp (the redraw),
// frm_plot_trade.cpp (fields, markers, readout), frm_plot_stepper.cpp (step buttons and their
// timers), frm_plot_view.cpp (navigation, history, mouse zoom), frm_plot_keys.cpp (the fields'
// keys and wheel, Esc, shortcuts), frm_plot_pointer.cpp (wheel zoom, the readout under the pointer)
// and frm_plot_picture.cpp (the chart saved or copied as a picture).
#include <QByteArray>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/frm_plot_controls.h"
#include "app/tk/drawing_surface.h"
#include "app/tk/field_keys.h"
#include "core/chart_state.h"
#include "trade/fees.h"
#include "trade/markers.h"

class FrmPlotProbe;  // the tests' view of the window's insides
class QFileSystemWatcher;

namespace app {

class SettingsDialog;

// The settings file a window reads and watches (frm_plot_settings.cpp).
struct SettingsFileLink {
  QString path;                               // none: the built-in settings, nothing watched
  QFileSystemWatcher* watcher = nullptr;      // the file and its folder
  std::optional<QByteArray> refusedContents;  // the refused contents last reported
  QPointer<SettingsDialog> dialog;            // the settings dialog while it is open
};

class FrmPlot : public QWidget {
 public:
  explicit FrmPlot(QWidget* parent = nullptr);  // the built-in trade settings, no file
  // The window whose trade settings are in `settingsPath`: read at start, taken again whenever
  // the file changes, and written by the settings dialog.
  explicit FrmPlot(const QString& settingsPath, QWidget* parent = nullptr);
  ~FrmPlot() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  bool event(QEvent* event) override;             // frm_plot_pointer.cpp
  void wheelEvent(QWheelEvent* event) override;   // frm_plot_pointer.cpp
  void keyPressEvent(QKeyEvent* event) override;  // frm_plot_keys.cpp

 private:
  friend class ::FrmPlotProbe;

  // ---- start-up, resize, compact mode (frm_plot.cpp) ----
  void Form_Load();
  void Form_Resize();
  void CmdSize_Click();
  void createControls();  // frm_plot_layout.cpp
  void focusFirstInTabOrder();

  // ---- the one full refresh (frm_plot_chart.cpp) ----
  void ReDraw();

  // ---- entry fields, markers, readout (frm_plot_trade.cpp) ----
  void connectTradeEvents();
  bool takePrice(trade::Side side, QLineEdit* field, float& price, core::Decimal& decimal);
  void TxtBP_Change();
  void TxtSP_Change();
  void TxtQua_Change();
  bool takeQuantity();
  void MoveLinB();
  void MoveLinS();
  void MoveLinBYaku();
  void MoveLinSYaku();
  void CalcSoneki();
  bool AllFieldsTaken() const;
  void ShowFigures();
  void TxtTarget_Change();
  void MoveDashedMarkers(std::optional<std::int64_t> breakEvenHundredths,
                         std::optional<std::int64_t> targetHundredths);
  void PlaceNewMarks(std::vector<trade::Marker*> marks, const tk::MmLabel* font);
  void MoveFigures();

  // ---- step buttons and their repeat timers (frm_plot_stepper.cpp) ----
  void connectStepperEvents();
  void CmdQD_Click();
  void CmdSQD_Click();
  void CmdSQU_Click();
  void CmdQU_Click();
  void CmdDown_Click();
  void CmdSDown_Click();
  void CmdSUp_Click();
  void CmdUp_Click();
  void CmdDownS_Click();
  void CmdSDownS_Click();
  void CmdSUpS_Click();
  void CmdUpS_Click();
  void initialTmrSuuryo();
  void initialTmrSSuuryo();
  void initialTmrSell();
  void initialTmrSSell();
  void initialTmrSQ();
  void initialTmrQ();
  void TmrSuuryo_Timer();
  void TmrSSuuryo_Timer();
  void TmrSell_Timer();
  void TmrSSell_Timer();
  void TmrQ_Timer();
  void TmrSQ_Timer();
  void ShowStepTips();

  // ---- navigation, history, mouse zoom (frm_plot_view.cpp) ----
  void connectViewEvents();
  void navigateTo(const std::optional<core::SavedView>& next);
  void CmdMoveUp_Click();
  void CmdMoveDown_Click();
  void CmdMoveLeft_Click();
  void CmdMoveRight_Click();
  void CmdZoom_Click();
  void HairetuKakunou();
  void CmdUndo_Click();
  void CmdRedo_Click();
  void CmdFit_Click();
  void Form_MouseDown(float x, float y);
  void Form_MouseMove(float x, float y);

  // ---- keys and wheel of the fields, Esc, shortcuts (frm_plot_keys.cpp) ----
  void connectKeyEvents();
  void CancelSelection();
  void ZoomInAtCentre();

  // ---- wheel zoom and the readout under the pointer (frm_plot_pointer.cpp) ----
  void connectPointerEvents();
  void Form_MouseWheel(float x, float y, int notches);
  bool ZoomInAt(float x, float y);
  void ShowReadout(QPoint pos, QPoint globalPos);

  // ---- the trade settings (frm_plot_settings.cpp) ----
  void ApplySettings(const core::TradeSettings& settings);
  void ShowTitle();
  void connectSettingsEvents(const QString& settingsPath);
  void WatchSettingsFile();
  void LoadSettings(bool atStart);
  void TakeSettings(const core::TradeSettings& settings);
  void OpenSettingsDialog();

  // ---- the chart as a picture (frm_plot_picture.cpp) ----
  QString PictureName() const;
  QImage PictureImage();
  void SavePicture();
  void CopyPicture();

  core::ChartState state;
  tk::DrawingSurface surface;
  FrmPlotControls ui;
  tk::WheelNotches chartWheel;  // the part of a notch the chart's last wheel turns left over
  SettingsFileLink settingsFile;
};

}  // namespace app
