// Entry fields, price markers and the profit/loss readout.
#include "app/frm_plot.h"

void FrmPlot::connectTradeEvents() {
  connect(TxtQua, &QLineEdit::textChanged, this, [this] { TxtQua_Change(); });
  connect(TxtBP, &QLineEdit::textChanged, this, [this] { TxtBP_Change(); });
  connect(TxtSP, &QLineEdit::textChanged, this, [this] { TxtSP_Change(); });
}

void FrmPlot::TxtBP_Change() {}
void FrmPlot::TxtSP_Change() {}
void FrmPlot::TxtQua_Change() { ReDraw(); }
void FrmPlot::MoveLinB() {}
void FrmPlot::MoveLinS() {}
void FrmPlot::MoveLinBYaku() {}
void FrmPlot::MoveLinSYaku() {}
void FrmPlot::CalcSoneki() {}
