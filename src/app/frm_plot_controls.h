#pragma once
// Every control of the window, by the program's own names. The window creates them all at start
// (frm_plot_layout.cpp) and they live as long as it does; Qt's parent-child ownership frees them.
#include <array>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTimer;
class QWidget;

namespace tk {
class ChartArea;
class FreshComboBox;
class LineControl;
class MmLabel;
class ReadoutTip;
class ShapeControl;
}  // namespace tk

namespace app {

struct FrmPlotControls {
  // ---- on the window surface ----
  QPushButton* CmdSize = nullptr;
  QPushButton* CmdSettings = nullptr;  // opens the trade settings dialog
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
  // The break-even and target prices on the chart (dashed lines with their labels), and the
  // figures beside the readout, one label per row of trade::figureTable(). FigureExtras[i] are
  // the controls that stand after figure i in the same flow (the NISA switch after 税引後, the
  // target field before its price).
  tk::LineControl* LinBunki = nullptr;
  tk::MmLabel* LblBunki = nullptr;
  tk::LineControl* LinTarget = nullptr;
  tk::MmLabel* LblTarget = nullptr;
  std::vector<tk::MmLabel*> LblFigures;
  std::vector<std::vector<QWidget*>> FigureExtras;
  tk::MmLabel* LblTargetCaption = nullptr;  // 「目標（税引後）」 before its field
  QLineEdit* TxtTarget = nullptr;
  QCheckBox* ChkNisa = nullptr;  // 「NISA（非課税）」: no tax on this window's trade
  // 「数値をコピー」: the trade and its figures as text, from the readout's and the figures' menu.
  QAction* ActCopyFigures = nullptr;
  QPushButton* CmdFit = nullptr;  // the view fitted to the trade
  // The named trades (銘柄) under the buttons above: a name typed or chosen, saved and deleted.
  tk::FreshComboBox* CmbTrades = nullptr;
  QPushButton* CmdSaveTrade = nullptr;
  QPushButton* CmdDeleteTrade = nullptr;
  QTimer* TmrKeep = nullptr;             // writes the kept trade a second after the last change
  tk::ChartArea* chartArea = nullptr;    // the chart for assistive technology; draws nothing
  tk::ReadoutTip* TipReadout = nullptr;  // the amounts under the pointer, in a window of its own

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

  // The controls that take the keyboard focus, in the order of their tab indices.
  std::vector<QWidget*> tabOrder;
};

}  // namespace app
