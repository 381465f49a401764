// Pan and zoom-out buttons, the view history and the mouse zoom.
#include "app/frm_plot.h"

void FrmPlot::connectViewEvents() {}

void FrmPlot::CmdMoveUp_Click() {}
void FrmPlot::CmdMoveDown_Click() {}
void FrmPlot::CmdMoveLeft_Click() {}
void FrmPlot::CmdMoveRight_Click() {}
void FrmPlot::CmdZoom_Click() {}
void FrmPlot::HairetuKakunou() {}
void FrmPlot::CmdUndo_Click() {}
void FrmPlot::CmdRedo_Click() {}
void FrmPlot::Form_MouseDown(float, float) {}
void FrmPlot::Form_MouseMove(float, float) {}
