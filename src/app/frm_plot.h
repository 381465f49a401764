#pragma once
// The one window, frmPlot: it owns the chart state and every control, and turns window, control
// and timer events into calls of the subsystems. Handlers carry the program's own names
// (CmdUp_Click, TxtBP_Change, TmrQ_Timer, Form_Resize...). Their bodies live with their
// subsystem: chart/ (ReDraw), trade/ (fields, markers, readout), stepper/ (step buttons and
// timers), view/ (navigation, history, mouse zoom); this folder holds start-up, layout, resize
// and compact mode.
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <array>

#include "app/chart_accessible.h"
#include "app/chart_state.h"
#include "app/toolkit.h"

class FrmPlot : public QWidget {
 public:
  explicit FrmPlot(QWidget* parent = nullptr);
  ~FrmPlot() override;

  ChartState state;
  tk::DrawingSurface surface;

  // ---- controls on the window surface ----
  QPushButton* CmdSize = nullptr;
  QGroupBox* Frame1 = nullptr;
  QGroupBox* Frame2 = nullptr;
  tk::MmLabel* LblRieki = nullptr;
  tk::MmLabel* LblSoneki = nullptr;
  tk::MmLabel* LblSell = nullptr;
  tk::MmLabel* LblBuy = nullptr;
  tk::MmLabel* LblBYaku = nullptr;
  tk::MmLabel* LblSYaku = nullptr;
  tk::LineControl* LinSYaku = nullptr;
  tk::LineControl* LinBYaku = nullptr;
  tk::LineControl* LinS = nullptr;
  tk::LineControl* LinB = nullptr;
  tk::ShapeControl* ShpArea = nullptr;
  tk::ChartArea* chartArea = nullptr;  // the chart for assistive technology; draws nothing

  // ---- Frame1: entry fields and step buttons ----
  std::array<tk::MmLabel*, 7> Label1{};  // indices 0, 1 and 6 are used
  QPushButton* CmdQD = nullptr;
  QPushButton* CmdSQD = nullptr;
  QLineEdit* TxtQua = nullptr;
  QPushButton* CmdSQU = nullptr;
  QPushButton* CmdQU = nullptr;
  QPushButton* CmdDown = nullptr;
  QPushButton* CmdSDown = nullptr;
  QLineEdit* TxtBP = nullptr;
  QPushButton* CmdSUp = nullptr;
  QPushButton* CmdUp = nullptr;
  QPushButton* CmdDownS = nullptr;
  QPushButton* CmdSDownS = nullptr;
  QLineEdit* TxtSP = nullptr;
  QPushButton* CmdSUpS = nullptr;
  QPushButton* CmdUpS = nullptr;
  QTimer* TmrQ = nullptr;
  QTimer* TmrSQ = nullptr;
  QTimer* TmrSuuryo = nullptr;
  QTimer* TmrSSuuryo = nullptr;
  QTimer* TmrSell = nullptr;
  QTimer* TmrSSell = nullptr;

  // ---- Frame2: view navigation ----
  QPushButton* CmdMoveUp = nullptr;
  QPushButton* CmdMoveLeft = nullptr;
  QPushButton* CmdZoom = nullptr;
  QPushButton* CmdMoveRight = nullptr;
  QPushButton* CmdMoveDown = nullptr;
  QPushButton* CmdUndo = nullptr;
  QPushButton* CmdRedo = nullptr;

  // ---- app/: start-up, resize, compact mode ----
  void Form_Load();
  void Form_Resize();
  void CmdSize_Click();

  // ---- chart/: the one full refresh ----
  void ReDraw();
  void GraphMake();

  // ---- trade/: entry fields, markers, readout ----
  void TxtBP_Change();
  void TxtSP_Change();
  void TxtQua_Change();
  void MoveLinB();
  void MoveLinS();
  void MoveLinBYaku();
  void MoveLinSYaku();
  void CalcSoneki();
  // Whether TxtQua's text was taken when it last changed: a redraw reads the field only then.
  bool quantityTextTaken = true;

  // ---- stepper/: repeat-timer resets and tick handlers ----
  void CmdQD_Click();  // the step buttons' clicks
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

  // ---- view/: navigation, history, mouse zoom ----
  void CmdMoveUp_Click();
  void CmdMoveDown_Click();
  void CmdMoveLeft_Click();
  void CmdMoveRight_Click();
  void CmdZoom_Click();
  void HairetuKakunou();
  void CmdUndo_Click();
  void CmdRedo_Click();
  void Form_MouseDown(float x, float y);
  void Form_MouseMove(float x, float y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void createControls();        // app/frm_plot_layout.cpp
  void connectTradeEvents();    // trade/
  void connectStepperEvents();  // stepper/
  void connectViewEvents();     // view/
};
