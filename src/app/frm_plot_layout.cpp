// Every control of the window with its design position (twips), caption, font, colours, tool tip,
// accessible name and tab index.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <string_view>
#include <vector>

#include "app/frm_plot.h"
#include "app/tk/button_filters.h"
#include "app/tk/chart_accessible.h"
#include "app/tk/frame_style.h"
#include "app/tk/fresh_combo_box.h"
#include "app/tk/mm_controls.h"
#include "app/tk/units.h"
#include "trade/figures.h"
#include "trade/markers.h"

namespace app {

namespace {

constexpr core::Colour kGrey = core::RGB(128, 128, 128);
constexpr core::Colour kRed = core::RGB(255, 0, 0);
constexpr core::Colour kWhite = core::RGB(255, 255, 255);
constexpr core::Colour kCyan = core::RGB(0, 255, 255);
constexpr core::Colour kBlack = core::RGB(0, 0, 0);
constexpr core::Colour kPurple = core::RGB(128, 0, 128);

struct Twips {
  int left, top, width, height;
};

void placeTwips(QWidget* w, Twips t) {
  w->setGeometry(tk::twipsToPx(t.left), tk::twipsToPx(t.top), tk::twipsToPx(t.width),
                 tk::twipsToPx(t.height));
}

struct TabEntry {
  int index;
  QWidget* widget;
};

}  // namespace

void FrmPlot::createControls() {
  std::vector<TabEntry> tabs;
  const auto described = [](QWidget* w, const char* tip) {
    if (tip && *tip) {
      w->setToolTip(QString::fromUtf8(tip));
      w->setAccessibleDescription(QString::fromUtf8(tip));
    }
  };
  // A command button; presses over it never reach the chart under it.
  const auto button = [&](QWidget* parent, const char* name, const char* caption, Twips at, int tab,
                          const QFont& font, const char* tip, const QString& accessible) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setFont(font);
    b->setAutoDefault(false);
    b->setAttribute(Qt::WA_NoMousePropagation);
    placeTwips(b, at);
    described(b, tip);
    b->setAccessibleName(accessible);
    tabs.push_back({tab, b});
    return b;
  };
  const auto textBox = [&](const char* name, const char* text, Twips at, int tab, const char* tip,
                           const char* accessible) {
    // The font first: a text set before it would be laid out once more in the inherited font.
    auto* t = new QLineEdit(ui.Frame1);
    t->setObjectName(QString::fromUtf8(name));
    t->setFont(tk::unshaped(tk::gothicFont(9.75)));
    t->setText(QString::fromUtf8(text));
    t->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    t->setAttribute(Qt::WA_NoMousePropagation);
    placeTwips(t, at);
    described(t, tip);
    t->setAccessibleName(QString::fromUtf8(accessible));
    tabs.push_back({tab, t});
    return t;
  };
  const auto label = [&](QWidget* parent, const char* name, const char* caption, Twips at,
                         core::Colour back, core::Colour fore, const char* tip = nullptr) {
    auto* l = new tk::MmLabel(parent);
    l->setObjectName(QString::fromUtf8(name));
    l->setColours(back, fore);
    l->setCaption(QString::fromUtf8(caption));
    l->setLeftMm(tk::twipsToMm(at.left));
    l->setTopMm(tk::twipsToMm(at.top));
    described(l, tip);
    return l;
  };
  const auto line = [&](const char* name, core::Colour colour, int x1, int y1, int x2, int y2) {
    auto* l = new tk::LineControl(this, colour);
    l->setObjectName(QString::fromUtf8(name));
    l->setPoints(tk::twipsToMm(x1), tk::twipsToMm(y1), tk::twipsToMm(x2), tk::twipsToMm(y2));
    return l;
  };
  auto* frameStyle = new tk::FrameStyle;
  frameStyle->setParent(this);
  const auto frame = [&](const char* name, const char* caption, Twips at) {
    auto* f = new QGroupBox(QString::fromUtf8(caption), this);
    f->setStyle(frameStyle);
    f->setObjectName(QString::fromUtf8(name));
    f->setAttribute(Qt::WA_NoMousePropagation);
    placeTwips(f, at);
    return f;
  };
  const auto timer = [&](const char* name) {
    auto* t = new QTimer(ui.Frame1);
    t->setObjectName(QString::fromUtf8(name));
    t->setTimerType(Qt::PreciseTimer);
    t->setSingleShot(false);  // the interval is start-up's
    return t;
  };

  const QFont regular = tk::unshaped(tk::windowFont());
  const QFont stepFont = tk::unshaped(tk::gothicFont(9.0, true));
  const QFont arrowFont = tk::unshaped(tk::gothicFont(12.0, true));

  // The window: caption, grey background, default font.
  setWindowTitle(QStringLiteral("ほしなみ。"));
  setFont(regular);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, tk::toQColor(kGrey));
  setPalette(pal);
  // The window paints its whole grey itself, with the chart (paintEvent).
  setAttribute(Qt::WA_OpaquePaintEvent);

  // The chart's accessible element lies lowest; then lines and the selection rectangle, so labels
  // and frames lie above them.
  ui.chartArea = new tk::ChartArea(this, [](const core::ChartState& s, float price) {
    const auto lines = trade::pointerReadout(s, price);
    return std::vector<std::string>(lines.begin(), lines.end());
  });
  ui.LinSYaku = line("LinSYaku", kRed, 8925, 4305, 13020, 4305);
  ui.LinBYaku = line("LinBYaku", kCyan, 8820, 3885, 14070, 3885);
  ui.LinS = line("LinS", kRed, 6090, 3780, 11865, 7245);
  ui.LinB = line("LinB", kCyan, 6405, 3570, 11970, 6720);
  ui.LinBunki = line("LinBunki", kPurple, 0, 0, 0, 0);
  ui.LinBunki->setDashed(true);
  ui.LinBunki->hide();
  ui.LinTarget = line("LinTarget", kPurple, 0, 0, 0, 0);
  ui.LinTarget->setDashed(true);
  ui.LinTarget->hide();
  ui.ShpArea = new tk::ShapeControl(this);
  ui.ShpArea->setObjectName(QStringLiteral("ShpArea"));
  ui.ShpArea->setRectMm(tk::twipsToMm(3465), tk::twipsToMm(5040), tk::twipsToMm(750),
                        tk::twipsToMm(540));

  ui.CmdSize = button(this, "CmdSize", "小さくする", {7245, 210, 1170, 330}, 33, regular, nullptr,
                      QStringLiteral("小さくする"));
  ui.CmdSettings = button(this, "CmdSettings", "設定…", {7245, 600, 1170, 330}, 34, regular,
                          "取引の設定（Ctrl+,）", QStringLiteral("設定"));
  ui.CmdFit = button(this, "CmdFit", "取引に合わせる", {7245, 990, 1470, 330}, 35, regular,
                     "買値・売値・損益分岐が入るように表示範囲を合わせます（Ctrl+0）",
                     QStringLiteral("取引に合わせる"));
  // The named trades fill the room under those three buttons, which the compact window has too.
  ui.CmbTrades = new tk::FreshComboBox(this);
  ui.CmbTrades->setObjectName(QStringLiteral("CmbTrades"));
  ui.CmbTrades->setEditable(true);
  ui.CmbTrades->setInsertPolicy(QComboBox::NoInsert);
  ui.CmbTrades->setMaxVisibleItems(20);
  ui.CmbTrades->lineEdit()->setPlaceholderText(QStringLiteral("銘柄"));
  ui.CmbTrades->setAttribute(Qt::WA_NoMousePropagation);
  placeTwips(ui.CmbTrades, {7245, 1395, 1470, 330});
  described(ui.CmbTrades, "銘柄：名前を入れて保存し、選ぶとその取引を表示します");
  ui.CmbTrades->setAccessibleName(QStringLiteral("銘柄"));
  tabs.push_back({36, ui.CmbTrades});
  ui.CmdSaveTrade = button(this, "CmdSaveTrade", "保存", {7245, 1785, 705, 330}, 37, regular,
                           "いまの取引をこの名前で保存します", QStringLiteral("銘柄を保存"));
  ui.CmdDeleteTrade = button(this, "CmdDeleteTrade", "削除", {8010, 1785, 705, 330}, 38, regular,
                             "この名前の取引を削除します", QStringLiteral("銘柄を削除"));
  ui.Frame1 = frame("Frame1", "数量・単価入力", {105, 105, 3690, 2325});
  ui.Frame2 = frame("Frame2", "グラフを描画する範囲", {3885, 105, 3165, 2325});
  ui.LblRieki = label(this, "LblRieki", "損益：", {315, 7140, 450, 180}, kGrey, kBlack);
  ui.LblSoneki =
      label(this, "LblSoneki", "0", {840, 7035, 1695, 420}, kRed, kWhite, "損益（自動計算）");
  ui.LblSoneki->setFont(tk::unshaped(tk::gothicFont(15.75, true)));
  ui.LblSoneki->setCaption(QStringLiteral("0"));
  ui.LblSell = label(this, "LblSell", "売", {3465, 6195, 270, 180}, kRed, kWhite);
  ui.LblBuy = label(this, "LblBuy", "買", {3675, 6825, 270, 180}, kCyan, kBlack);
  ui.LblBYaku = label(this, "LblBYaku", "買", {6090, 6930, 450, 180}, kCyan, kBlack);
  ui.LblSYaku = label(this, "LblSYaku", "売", {5880, 6300, 450, 180}, kRed, kWhite);
  ui.LblBunki = label(this, "LblBunki", "分岐", {0, 0, 0, 0}, kPurple, kWhite);
  ui.LblBunki->hide();
  ui.LblTarget = label(this, "LblTarget", "目標", {0, 0, 0, 0}, kPurple, kWhite);
  ui.LblTarget->hide();
  // The figures beside the readout, one per row of the table; each one's accessible name is its
  // text (ShowFigures). The target field stands before the target price.
  for (const trade::FigureRow& row : trade::figureTable()) {
    ui.LblFigures.push_back(label(this, row.name, "", {0, 0, 0, 0}, kGrey, kBlack));
    ui.FigureExtras.emplace_back();
  }
  ui.LblTargetCaption =
      label(this, "LblTargetCaption", "目標（税引後）", {0, 0, 0, 0}, kGrey, kBlack);
  ui.TxtTarget = new QLineEdit(this);
  ui.TxtTarget->setObjectName(QStringLiteral("TxtTarget"));
  ui.TxtTarget->setFont(tk::unshaped(tk::gothicFont(9.75)));
  ui.TxtTarget->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  ui.TxtTarget->setAttribute(Qt::WA_NoMousePropagation);
  ui.TxtTarget->setAccessibleName(QStringLiteral("目標（税引後）"));
  described(ui.TxtTarget, "税引後に残したい損益（円）。空欄なら目標なし");
  ui.TxtTarget->resize(tk::twipsToPx(1200), tk::twipsToPx(330));
  tabs.push_back({40, ui.TxtTarget});  // after the named trades' buttons and the switch
  ui.ChkNisa = new QCheckBox(QStringLiteral("NISA（非課税）"), this);
  ui.ChkNisa->setObjectName(QStringLiteral("ChkNisa"));
  ui.ChkNisa->setAttribute(Qt::WA_NoMousePropagation);
  ui.ChkNisa->setAccessibleName(QStringLiteral("NISA（非課税）"));
  described(ui.ChkNisa, "この取引を非課税（NISA）として税引後と目標価格を計算します");
  ui.ChkNisa->adjustSize();
  tabs.push_back({39, ui.ChkNisa});  // it stands before the target field
  const auto figureIndex = [](std::string_view caption) {
    const auto& table = trade::figureTable();
    const auto row = std::find_if(table.begin(), table.end(), [&](const trade::FigureRow& r) {
      return std::string_view(r.caption) == caption;
    });
    return static_cast<std::size_t>(row - table.begin());
  };
  ui.FigureExtras[figureIndex("税引後")] = {ui.ChkNisa};
  ui.FigureExtras[figureIndex("目標価格") - 1] = {ui.LblTargetCaption, ui.TxtTarget};

  // 「数値をコピー」 in the menu of the readout and of every figure.
  ui.ActCopyFigures = new QAction(QStringLiteral("数値をコピー"), this);
  ui.ActCopyFigures->setObjectName(QStringLiteral("ActCopyFigures"));
  std::vector<QWidget*> withMenu(ui.LblFigures.begin(), ui.LblFigures.end());
  withMenu.push_back(ui.LblSoneki);
  for (QWidget* w : withMenu) {
    w->setContextMenuPolicy(Qt::ActionsContextMenu);
    w->addAction(ui.ActCopyFigures);
  }

  // Frame1: the three rows of entry fields with their step buttons.
  ui.Label1[6] = label(ui.Frame1, "Label1_6", "数量：", {495, 480, 450, 180}, kGrey, kBlack);
  ui.Label1[0] = label(ui.Frame1, "Label1_0", "買付単価：", {135, 1095, 810, 180}, kGrey, kBlack);
  ui.Label1[1] = label(ui.Frame1, "Label1_1", "売却単価：", {135, 1725, 810, 180}, kGrey, kBlack);
  // The step buttons' tool tips and accessible names say their steps: ShowStepTips, from the
  // settings.
  ui.CmdQD =
      button(ui.Frame1, "CmdQD", "<<", {1050, 420, 375, 330}, 26, stepFont, nullptr, QString());
  ui.CmdSQD =
      button(ui.Frame1, "CmdSQD", "<", {1420, 420, 375, 330}, 27, stepFont, nullptr, QString());
  ui.TxtQua = textBox("TxtQua", "1000", {1755, 420, 885, 330}, 11,
                      "左右のボタンで数量を入力して下さい", "数量");
  ui.CmdSQU =
      button(ui.Frame1, "CmdSQU", ">", {2625, 420, 375, 330}, 28, stepFont, nullptr, QString());
  ui.CmdQU =
      button(ui.Frame1, "CmdQU", ">>", {3000, 420, 375, 330}, 25, stepFont, nullptr, QString());
  ui.CmdDown =
      button(ui.Frame1, "CmdDown", "<<", {1050, 1050, 375, 330}, 16, stepFont, nullptr, QString());
  ui.CmdSDown =
      button(ui.Frame1, "CmdSDown", "<", {1420, 1050, 375, 330}, 15, stepFont, nullptr, QString());
  ui.TxtBP = textBox("TxtBP", "1.00", {1755, 1050, 885, 330}, 13,
                     "左右のボタンで単価を入力して下さい", "買付単価");
  ui.CmdSUp =
      button(ui.Frame1, "CmdSUp", ">", {2625, 1050, 375, 330}, 14, stepFont, nullptr, QString());
  ui.CmdUp =
      button(ui.Frame1, "CmdUp", ">>", {3000, 1050, 375, 330}, 24, stepFont, nullptr, QString());
  ui.CmdDownS =
      button(ui.Frame1, "CmdDownS", "<<", {1050, 1680, 375, 330}, 17, stepFont, nullptr, QString());
  ui.CmdSDownS =
      button(ui.Frame1, "CmdSDownS", "<", {1420, 1680, 375, 330}, 18, stepFont, nullptr, QString());
  ui.TxtSP = textBox("TxtSP", "1.00", {1755, 1680, 885, 330}, 20,
                     "左右のボタンで単価を入力して下さい", "売却単価");
  ui.CmdSUpS =
      button(ui.Frame1, "CmdSUpS", ">", {2625, 1680, 375, 330}, 19, stepFont, nullptr, QString());
  ui.CmdUpS =
      button(ui.Frame1, "CmdUpS", ">>", {3000, 1680, 375, 330}, 23, stepFont, nullptr, QString());
  ui.TmrQ = timer("TmrQ");
  ui.TmrSQ = timer("TmrSQ");
  ui.TmrSuuryo = timer("TmrSuuryo");
  ui.TmrSSuuryo = timer("TmrSSuuryo");
  ui.TmrSell = timer("TmrSell");
  ui.TmrSSell = timer("TmrSSell");

  // Frame2: the navigation cross with zoom-out in its middle, undo and redo beside it.
  ui.CmdMoveUp = button(ui.Frame2, "CmdMoveUp", "↑", {840, 315, 540, 435}, 6, arrowFont, "上に移動",
                        QStringLiteral("上に移動"));
  ui.CmdMoveLeft = button(ui.Frame2, "CmdMoveLeft", "←", {315, 840, 435, 540}, 7, arrowFont,
                          "左に移動", QStringLiteral("左に移動"));
  ui.CmdZoom = button(ui.Frame2, "CmdZoom", "縮小", {840, 840, 540, 540}, 5, regular, "縮小",
                      QStringLiteral("縮小"));
  ui.CmdMoveRight = button(ui.Frame2, "CmdMoveRight", "→", {1470, 840, 435, 540}, 9, arrowFont,
                           "右に移動", QStringLiteral("右に移動"));
  ui.CmdMoveDown = button(ui.Frame2, "CmdMoveDown", "↓", {840, 1470, 540, 435}, 8, arrowFont,
                          "下に移動", QStringLiteral("下に移動"));
  ui.CmdUndo = button(ui.Frame2, "CmdUndo", "戻る&U", {2205, 420, 750, 540}, 1, regular, "戻る",
                      QStringLiteral("戻る"));
  ui.CmdRedo = button(ui.Frame2, "CmdRedo", "進む&R", {2205, 1365, 750, 540}, 2, regular, "進む",
                      QStringLiteral("進む"));

  // Keyboard focus moves in the order of the tab indices.
  std::stable_sort(tabs.begin(), tabs.end(),
                   [](const TabEntry& a, const TabEntry& b) { return a.index < b.index; });
  for (std::size_t i = 1; i < tabs.size(); ++i) setTabOrder(tabs[i - 1].widget, tabs[i].widget);
  for (const TabEntry& entry : tabs) ui.tabOrder.push_back(entry.widget);

  // Keyboard clicks of every button, on every route.
  (new tk::KeyClicks(this))->watchAll(this);
}

}  // namespace app
