#include "app/frm_plot.h"

#include <QIcon>
#include <QImageReader>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <exception>

#include "app/tk/message_box.h"
#include "app/tk/mm_controls.h"
#include "app/tk/units.h"
#include "app/tk/window_size.h"
#include "core/fee_schedule.h"
#include "core/number_text.h"
#include "core/single.h"
#include "trade/entry_fields.h"

// The icons are compiled into the core library; a static library must register them itself.
static void initResources() { Q_INIT_RESOURCE(resources); }

namespace app {

namespace {
// The smallest outer window size the plot area still fits in, in twips.
constexpr int kMinWidthTwips = 7000;
constexpr int kMinHeightTwips = 6000;
// Initial client area, and the two sizes of the compact-mode button.
constexpr int kInitialClientWidthTwips = 14595;
constexpr int kInitialClientHeightTwips = 10710;
constexpr int kLargeWidthTwips = 14115, kLargeHeightTwips = 11115;
constexpr int kSmallWidthTwips = 9000, kSmallHeightTwips = 8000;
}  // namespace

FrmPlot::FrmPlot(QWidget* parent) : FrmPlot(QString(), parent) {}

FrmPlot::FrmPlot(const QString& settingsPath, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("frmPlot"));
  createControls();
  initResources();
  // Read as the PNGs they are, without asking the image-format plugins: asked, each one is
  // loaded (with the libraries it needs) to say whether it reads PNG, a millisecond of start-up.
  QIcon icon;
  for (const QString& file :
       {QStringLiteral(":/icons/hoshinami.png"), QStringLiteral(":/icons/hoshinami-16.png")}) {
    QImageReader reader(file, "png");
    reader.setAutoDetectImageFormat(false);
    icon.addPixmap(QPixmap::fromImage(reader.read()));
  }
  setWindowIcon(icon);
  setMouseTracking(true);  // the selection rectangle follows the pointer with no button held
  tk::setMinimumOuterSizeTwips(this, kMinWidthTwips, kMinHeightTwips);
  resize(tk::twipsToPx(kInitialClientWidthTwips), tk::twipsToPx(kInitialClientHeightTwips));

  connect(ui.CmdSize, &QPushButton::clicked, this, [this] { CmdSize_Click(); });
  connectTradeEvents();
  connectStepperEvents();
  connectViewEvents();
  connectKeyEvents();
  connectPointerEvents();
  Form_Load();
  connectSettingsEvents(settingsPath);
  connectKeepEvents(settingsPath);
  focusFirstInTabOrder();
}

// The window's first focus: the lowest tab index that can take it (at start-up 縮小, as 戻る and
// 進む are disabled then).
void FrmPlot::focusFirstInTabOrder() {
  for (QWidget* w : ui.tabOrder) {
    if (w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
      w->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

void FrmPlot::Form_Load() {
  core::setStartView(state);
  // The design texts are always numbers; should one not be, the start value stays.
  const auto readField = [](const QLineEdit* field, float& value, core::Decimal& decimal,
                            bool mustBePositive) {
    const std::string text = field->text().toStdString();
    const auto read = core::readStrictFloat(text);
    if (!read || (mustBePositive && !(*read > 0))) return;
    value = *read;
    decimal = trade::exactValue(text, *read);
  };
  readField(ui.TxtQua, state.quantity, state.quantityDecimal, true);
  readField(ui.TxtBP, state.buyPrice, state.buyPriceDecimal, false);
  readField(ui.TxtSP, state.sellPrice, state.sellPriceDecimal, false);
  state.drawColor = core::RGB(0, 0, 0);
  surface.ForeColor = state.drawColor;
  state.selectionActive = core::kFalse;
  ui.ShpArea->hide();
  initialTmrSuuryo();
  initialTmrSSuuryo();
  initialTmrSell();
  initialTmrSSell();
  initialTmrSQ();
  initialTmrQ();
  ShowStepTips();
  ui.CmdUndo->setEnabled(false);
  ui.CmdRedo->setEnabled(false);
  state.historyIndex = 0;
  state.viewHistory.assign(1, core::currentView(state));
  ReDraw();
}

void FrmPlot::Form_Resize() {
  try {
    // The frame's size is known once the window is shown; the minimum is an outer size.
    tk::setMinimumOuterSizeTwips(this, kMinWidthTwips, kMinHeightTwips);
    // A refused size change (minimised or maximised window) ends the rule silently.
    if (tk::outerWidthTwips(this) < kMinWidthTwips && !tk::setOuterWidthTwips(this, kMinWidthTwips))
      return;
    if (tk::outerHeightTwips(this) < kMinHeightTwips &&
        !tk::setOuterHeightTwips(this, kMinHeightTwips))
      return;
    const int width = tk::outerWidthTwips(this);
    const int height = tk::outerHeightTwips(this);
    state.graphWidth = core::toSingle(width / 57.0 - 70);
    state.graphBottom = core::toSingle(height / 57.0 - 20);
    state.graphHeight = core::toSingle(height / 57.0 - 80);
    ReDraw();
    ui.LblSoneki->setTopMm(core::toSingle(state.graphBottom + 5.0));
    ui.LblRieki->setTopMm(core::toSingle(state.graphBottom + 7.0));
    MoveFigures();
  } catch (const std::exception&) {
    tk::showMessage(this, QStringLiteral("未知のエラーが発生しました。"));
  }
}

void FrmPlot::CmdSize_Click() {
  // Silent and without effect while the window is maximised or minimised.
  const bool toLarge = state.compactMode != core::kFalse;
  if (!tk::setOuterWidthTwips(this, toLarge ? kLargeWidthTwips : kSmallWidthTwips)) return;
  if (!tk::setOuterHeightTwips(this, toLarge ? kLargeHeightTwips : kSmallHeightTwips)) return;
  state.compactMode = static_cast<core::Truth>(~state.compactMode);
  const QString caption = toLarge ? QStringLiteral("小さくする") : QStringLiteral("大きくする");
  ui.CmdSize->setText(caption);
  ui.CmdSize->setAccessibleName(caption);
}

void FrmPlot::paintEvent(QPaintEvent* event) {
  // A repaint that only shows the kept picture again copies its rows into the window's image; the
  // painter's set-up would cost more than a moving outline's strips.
  QPoint unused;
  const QColor background = palette().color(QPalette::Window);
  if (!sharedPainter() && surface.copyTo(tk::directPixelsOnBackingStore(this, redirected(&unused)),
                                         rect(), event->region(), background))
    return;
  QPainter painter(this);
  surface.paint(painter, rect(), event->region(), background);
}

void FrmPlot::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Form_Resize();
}

void FrmPlot::mousePressEvent(QMouseEvent* event) {
  const QPointF p = event->position();
  Form_MouseDown(core::toSingle(tk::pxToMm(p.x())), core::toSingle(tk::pxToMm(p.y())));
}

void FrmPlot::mouseMoveEvent(QMouseEvent* event) {
  const QPointF p = event->position();
  Form_MouseMove(core::toSingle(tk::pxToMm(p.x())), core::toSingle(tk::pxToMm(p.y())));
}

}  // namespace app
