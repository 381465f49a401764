#pragma once
// The twelve step buttons with the repeat timer each one runs and the field it steps: the one
// table the stepper tests and the random-event test look them up in.
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <iterator>

#include "app/frm_plot_controls.h"

struct StepButton {
  QPushButton* app::FrmPlotControls::*button;
  QTimer* app::FrmPlotControls::*timer;
  QLineEdit* app::FrmPlotControls::*field;
};

inline constexpr StepButton kStepButtons[] = {
    {&app::FrmPlotControls::CmdQD, &app::FrmPlotControls::TmrQ, &app::FrmPlotControls::TxtQua},
    {&app::FrmPlotControls::CmdSQD, &app::FrmPlotControls::TmrSQ, &app::FrmPlotControls::TxtQua},
    {&app::FrmPlotControls::CmdSQU, &app::FrmPlotControls::TmrSQ, &app::FrmPlotControls::TxtQua},
    {&app::FrmPlotControls::CmdQU, &app::FrmPlotControls::TmrQ, &app::FrmPlotControls::TxtQua},
    {&app::FrmPlotControls::CmdDown, &app::FrmPlotControls::TmrSuuryo,
     &app::FrmPlotControls::TxtBP},
    {&app::FrmPlotControls::CmdSDown, &app::FrmPlotControls::TmrSSuuryo,
     &app::FrmPlotControls::TxtBP},
    {&app::FrmPlotControls::CmdSUp, &app::FrmPlotControls::TmrSSuuryo,
     &app::FrmPlotControls::TxtBP},
    {&app::FrmPlotControls::CmdUp, &app::FrmPlotControls::TmrSuuryo, &app::FrmPlotControls::TxtBP},
    {&app::FrmPlotControls::CmdDownS, &app::FrmPlotControls::TmrSell, &app::FrmPlotControls::TxtSP},
    {&app::FrmPlotControls::CmdSDownS, &app::FrmPlotControls::TmrSSell,
     &app::FrmPlotControls::TxtSP},
    {&app::FrmPlotControls::CmdSUpS, &app::FrmPlotControls::TmrSSell, &app::FrmPlotControls::TxtSP},
    {&app::FrmPlotControls::CmdUpS, &app::FrmPlotControls::TmrSell, &app::FrmPlotControls::TxtSP},
};

inline const StepButton& stepButton(QPushButton* app::FrmPlotControls::*button) {
  return *std::find_if(std::begin(kStepButtons), std::end(kStepButtons),
                       [&](const StepButton& s) { return s.button == button; });
}
