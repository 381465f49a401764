// Every control of the window with its design position (twips), caption, font, colours, tool tip,
// accessible name and tab index.
#include <QPalette>
#include <algorithm>
#include <vector>

#include "app/frm_plot.h"

namespace {

constexpr Colour kGrey = RGB(128, 128, 128);
constexpr Colour kRed = RGB(255, 0, 0);
constexpr Colour kWhite = RGB(255, 255, 255);
constexpr Colour kCyan = RGB(0, 255, 255);
constexpr Colour kBlack = RGB(0, 0, 0);

struct Twips {
  int left, top, width, height;
};

void placeTwips(QWidget* w, Twips t) {
  w->setGeometry(tk::twipsToPx(t.left), tk::twipsToPx(t.top), tk::twipsToPx(t.width),
                 tk::twipsToPx(t.height));
}

float twipsToMm(int twips) { return static_cast<float>(tk::pxToMm(twips / tk::kTwipsPerPx)); }

struct TabEntry {
  int index;
  QWidget* widget;
};

}  // namespace

void FrmPlot::createControls() {
  std::vector<TabEntry> tabs;
  auto* enterClicks = new tk::EnterClicksButton(this);
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
    b->installEventFilter(enterClicks);
    placeTwips(b, at);
    described(b, tip);
    b->setAccessibleName(accessible);
    tabs.push_back({tab, b});
    return b;
  };
  const auto textBox = [&](const char* name, const char* text, Twips at, int tab, const char* tip,
                           const char* accessible) {
    auto* t = new QLineEdit(QString::fromUtf8(text), Frame1);
    t->setObjectName(QString::fromUtf8(name));
    t->setFont(tk::gothicFont(9.75));
    t->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    t->setAttribute(Qt::WA_NoMousePropagation);
    placeTwips(t, at);
    described(t, tip);
    t->setAccessibleName(QString::fromUtf8(accessible));
    tabs.push_back({tab, t});
    return t;
  };
  const auto label = [&](QWidget* parent, const char* name, const char* caption, Twips at,
                         Colour back, Colour fore, const char* tip = nullptr) {
    auto* l = new tk::MmLabel(parent);
    l->setObjectName(QString::fromUtf8(name));
    l->setColours(back, fore);
    l->setCaption(QString::fromUtf8(caption));
    l->setLeftMm(twipsToMm(at.left));
    l->setTopMm(twipsToMm(at.top));
    described(l, tip);
    return l;
  };
  const auto line = [&](const char* name, Colour colour, int x1, int y1, int x2, int y2) {
    auto* l = new tk::LineControl(this, colour);
    l->setObjectName(QString::fromUtf8(name));
    l->setPoints(twipsToMm(x1), twipsToMm(y1), twipsToMm(x2), twipsToMm(y2));
    return l;
  };
  const auto frame = [&](const char* name, const char* caption, Twips at) {
    auto* f = new QGroupBox(QString::fromUtf8(caption), this);
    f->setObjectName(QString::fromUtf8(name));
    f->setAttribute(Qt::WA_NoMousePropagation);
    placeTwips(f, at);
    return f;
  };
  const auto timer = [&](const char* name) {
    auto* t = new QTimer(Frame1);
    t->setObjectName(QString::fromUtf8(name));
    t->setTimerType(Qt::PreciseTimer);
    t->setSingleShot(false);
    t->setInterval(500);
    return t;
  };

  const QFont regular = tk::windowFont();
  const QFont stepFont = tk::gothicFont(9.0, true);
  const QFont arrowFont = tk::gothicFont(12.0, true);

  // The window: caption, grey background, default font.
  setWindowTitle(QStringLiteral("ほしなみ。"));
  setFont(regular);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, tk::toQColor(kGrey));
  setPalette(pal);
  setAutoFillBackground(true);

  // The chart's accessible element lies lowest; then lines and the selection rectangle, so labels
  // and frames lie above them.
  chartArea = new tk::ChartArea(this);
  LinSYaku = line("LinSYaku", kRed, 8925, 4305, 13020, 4305);
  LinBYaku = line("LinBYaku", kCyan, 8820, 3885, 14070, 3885);
  LinS = line("LinS", kRed, 6090, 3780, 11865, 7245);
  LinB = line("LinB", kCyan, 6405, 3570, 11970, 6720);
  ShpArea = new tk::ShapeControl(this);
  ShpArea->setObjectName(QStringLiteral("ShpArea"));
  ShpArea->setRectMm(twipsToMm(3465), twipsToMm(5040), twipsToMm(750), twipsToMm(540));

  CmdSize = button(this, "CmdSize", "小さくする", {7245, 210, 1170, 330}, 33, regular, nullptr,
                   QStringLiteral("小さくする"));
  Frame1 = frame("Frame1", "数量・単価入力", {105, 105, 3690, 2325});
  Frame2 = frame("Frame2", "グラフを描画する範囲", {3885, 105, 3165, 2325});
  LblRieki = label(this, "LblRieki", "損益：", {315, 7140, 450, 180}, kGrey, kBlack);
  LblSoneki =
      label(this, "LblSoneki", "0", {840, 7035, 1695, 420}, kRed, kWhite, "損益（自動計算）");
  LblSoneki->setFont(tk::gothicFont(15.75, true));
  LblSoneki->setCaption(QStringLiteral("0"));
  LblSell = label(this, "LblSell", "売", {3465, 6195, 270, 180}, kRed, kWhite);
  LblBuy = label(this, "LblBuy", "買", {3675, 6825, 270, 180}, kCyan, kBlack);
  LblBYaku = label(this, "LblBYaku", "買", {6090, 6930, 450, 180}, kCyan, kBlack);
  LblSYaku = label(this, "LblSYaku", "売", {5880, 6300, 450, 180}, kRed, kWhite);

  // Frame1: the three rows of entry fields with their step buttons.
  Label1[6] = label(Frame1, "Label1_6", "数量：", {495, 480, 450, 180}, kGrey, kBlack);
  Label1[0] = label(Frame1, "Label1_0", "買付単価：", {135, 1095, 810, 180}, kGrey, kBlack);
  Label1[1] = label(Frame1, "Label1_1", "売却単価：", {135, 1725, 810, 180}, kGrey, kBlack);
  const auto stepName = [](const char* row, const char* tip) {
    return QString::fromUtf8(row) + QLatin1Char(' ') + QString::fromUtf8(tip);
  };
  CmdQD = button(Frame1, "CmdQD", "<<", {1050, 420, 375, 330}, 26, stepFont, "-10000",
                 stepName("数量", "-10000"));
  CmdSQD = button(Frame1, "CmdSQD", "<", {1420, 420, 375, 330}, 27, stepFont, "-1000",
                  stepName("数量", "-1000"));
  TxtQua = textBox("TxtQua", "1000", {1755, 420, 885, 330}, 11,
                   "左右のボタンで数量を入力して下さい", "数量");
  CmdSQU = button(Frame1, "CmdSQU", ">", {2625, 420, 375, 330}, 28, stepFont, "+1000",
                  stepName("数量", "+1000"));
  CmdQU = button(Frame1, "CmdQU", ">>", {3000, 420, 375, 330}, 25, stepFont, "+10000",
                 stepName("数量", "+10000"));
  CmdDown = button(Frame1, "CmdDown", "<<", {1050, 1050, 375, 330}, 16, stepFont, "-1",
                   stepName("買付単価", "-1"));
  CmdSDown = button(Frame1, "CmdSDown", "<", {1420, 1050, 375, 330}, 15, stepFont, "-0.01",
                    stepName("買付単価", "-0.01"));
  TxtBP = textBox("TxtBP", "1.00", {1755, 1050, 885, 330}, 13, "左右のボタンで単価を入力して下さい",
                  "買付単価");
  CmdSUp = button(Frame1, "CmdSUp", ">", {2625, 1050, 375, 330}, 14, stepFont, "+0.01",
                  stepName("買付単価", "+0.01"));
  CmdUp = button(Frame1, "CmdUp", ">>", {3000, 1050, 375, 330}, 24, stepFont, "+1",
                 stepName("買付単価", "+1"));
  CmdDownS = button(Frame1, "CmdDownS", "<<", {1050, 1680, 375, 330}, 17, stepFont, "-1",
                    stepName("売却単価", "-1"));
  CmdSDownS = button(Frame1, "CmdSDownS", "<", {1420, 1680, 375, 330}, 18, stepFont, "-0.01",
                     stepName("売却単価", "-0.01"));
  TxtSP = textBox("TxtSP", "1.00", {1755, 1680, 885, 330}, 20, "左右のボタンで単価を入力して下さい",
                  "売却単価");
  CmdSUpS = button(Frame1, "CmdSUpS", ">", {2625, 1680, 375, 330}, 19, stepFont, "+0.01",
                   stepName("売却単価", "+0.01"));
  CmdUpS = button(Frame1, "CmdUpS", ">>", {3000, 1680, 375, 330}, 23, stepFont, "+1",
                  stepName("売却単価", "+1"));
  TmrQ = timer("TmrQ");
  TmrSQ = timer("TmrSQ");
  TmrSuuryo = timer("TmrSuuryo");
  TmrSSuuryo = timer("TmrSSuuryo");
  TmrSell = timer("TmrSell");
  TmrSSell = timer("TmrSSell");

  // Frame2: the navigation cross with zoom-out in its middle, undo and redo beside it.
  CmdMoveUp = button(Frame2, "CmdMoveUp", "↑", {840, 315, 540, 435}, 6, arrowFont, "上に移動",
                     QStringLiteral("上に移動"));
  CmdMoveLeft = button(Frame2, "CmdMoveLeft", "←", {315, 840, 435, 540}, 7, arrowFont, "左に移動",
                       QStringLiteral("左に移動"));
  CmdZoom = button(Frame2, "CmdZoom", "縮小", {840, 840, 540, 540}, 5, regular, "縮小",
                   QStringLiteral("縮小"));
  CmdMoveRight = button(Frame2, "CmdMoveRight", "→", {1470, 840, 435, 540}, 9, arrowFont,
                        "右に移動", QStringLiteral("右に移動"));
  CmdMoveDown = button(Frame2, "CmdMoveDown", "↓", {840, 1470, 540, 435}, 8, arrowFont, "下に移動",
                       QStringLiteral("下に移動"));
  CmdUndo = button(Frame2, "CmdUndo", "戻る&U", {2205, 420, 750, 540}, 1, regular, "戻る",
                   QStringLiteral("戻る"));
  CmdRedo = button(Frame2, "CmdRedo", "進む&R", {2205, 1365, 750, 540}, 2, regular, "進む",
                   QStringLiteral("進む"));

  // Keyboard focus moves in the order of the tab indices.
  std::sort(tabs.begin(), tabs.end(),
            [](const TabEntry& a, const TabEntry& b) { return a.index < b.index; });
  for (std::size_t i = 1; i < tabs.size(); ++i) setTabOrder(tabs[i - 1].widget, tabs[i].widget);
}
