#pragma once
// The one window, frmPlot: it owns the chart state and every control, and turns window, control
// and timer events into calls of the subsystems' pure functions, then applies the results to the
// controls. Handlers carry the program's own names (CmdUp_Click, TxtBP_Change, TmrQ_Timer,
// Form_Resize...). Their bodies are split by subsystem: frm_plot.cpp (start-up, resize, compact
// mode, window events), frm_plot_layout.cpp (the controls), frm_plot_chart.cpp (the redraw),
// frm_plot_trade.cpp (fields, markers, readout), frm_plot_stepper.cpp (step buttons and their
// timers), frm_plot_view.cpp (navigation, history, mouse zoom), frm_plot_keys.cpp (the fields'
// keys and wheel, Esc, shortcuts), frm_plot_pointer.cpp (wheel zoom, the readout under the
// pointer), frm_plot_settings.cpp (the settings file and dialog), frm_plot_keep.cpp (the last trade
// kept and the named trades) and frm_plot_picture.cpp (the chart saved, copied or printed).
#include <QByteArray>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "app/frm_plot_controls.h"
#include "app/kept_file.h"
#include "app/state_store.h"
#include "app/tk/drawing_surface.h"
#include "app/tk/field_keys.h"
#include "app/trades_store.h"
#include "core/chart_state.h"
#include "trade/fees.h"
#include "trade/figures.h"
#include "trade/markers.h"

class FrmPlotProbe;  // the tests' view of the window's insides

namespace app {

class SettingsDialog;
class SettingsStore;

class FrmPlot : public QWidget {
 public:
  explicit FrmPlot(QWidget* parent = nullptr);  // the built-in trade settings, no file
  // The window whose trade settings are in `settingsPath`: read at start, taken again whenever
  // the file changes, and written by the settings dialog.
  explicit FrmPlot(const QString& settingsPath, QWidget* parent = nullptr);
  ~FrmPlot() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;  // frm_plot_keep.cpp
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
  std::optional<trade::TradeFigures> FiguresShown() const;
  void ShowFigures();
  void TxtTarget_Change();
  void ChkNisa_Click();
  void MoveDashedMarkers(std::optional<std::int64_t> breakEvenHundredths,
                         std::optional<std::int64_t> targetHundredths);
  void PlaceNewMarks(std::vector<trade::Marker*> marks);
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
  void LoadSettings(bool atStart);
  void TakeSettings(const core::TradeSettings& settings);
  void OpenSettingsDialog();

  // ---- the last trade kept, the named trades (frm_plot_keep.cpp) ----
  void connectKeepEvents(const QString& settingsPath);
  void RestoreKept(const KeptWindow& kept);
  KeptTrade TradeShown() const;
  KeptWindow KeptNow() const;
  void NoteChange();
  void TmrKeep_Timer();
  void WriteKept(bool quiet);
  void ShowTrade(const KeptTrade& trade);
  void ShowTradeNames();
  void ShowTradeButtons();
  void ShapeTradeNames();
  void CmbTrades_Click(const QString& name);
  void CmdSaveTrade_Click();
  void CmdDeleteTrade_Click();

  // ---- the chart as a picture (frm_plot_picture.cpp) ----
  QString PictureName() const;
  QImage PictureImage();
  void SavePicture();
  void CopyPicture();
  void CopyFigures();
  void PrintWindow();

  core::ChartState state;
  tk::DrawingSurface surface;
  FrmPlotControls ui;
  tk::WheelNotches chartWheel;  // the part of a notch the chart's last wheel turns left over
  SettingsStore* settingsFile = nullptr;    // the settings file and its watcher
  QPointer<SettingsDialog> settingsDialog;  // the settings dialog while it is open
  // The last trade, size and view of this window's settings file; none without a settings file.
  std::unique_ptr<StateStore> keptState;
  std::optional<KeptWindow> lastKept;  // as the file holds it: unchanged, nothing is written
  std::unique_ptr<TradesStore> namedTrades;
};

}  // namespace app
