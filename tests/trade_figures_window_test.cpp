// The answers on screen: the three figures beside the readout, the break-even marker, the view
// fitted to the trade and the view keys.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QRegularExpression>
#include <QTest>
#include <cmath>

#include "app/tk/mm_controls.h"
#include "core/mapping.h"
#include "view_window.h"

namespace {

class FiguresWindow : public ViewWindowTest {
 protected:
  void SetUp() override {
    ViewWindowTest::SetUp();
    window->activateWindow();  // window shortcuts work in the active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  void trade(const char* quantity, const char* buy, const char* sell) {
    ui().TxtQua->setText(QString::fromUtf8(quantity));
    ui().TxtBP->setText(QString::fromUtf8(buy));
    ui().TxtSP->setText(QString::fromUtf8(sell));
  }
  QStringList figures() const {
    QStringList texts;
    for (const tk::MmLabel* l : ui().LblFigures) texts << l->caption();
    return texts;
  }
  // Every marker of the trade stands on the chart: no arrow in any caption.
  void expectNoArrows() const {
    for (const tk::MmLabel* l :
         {ui().LblBuy, ui().LblSell, ui().LblBunki, ui().LblBYaku, ui().LblSYaku}) {
      EXPECT_FALSE(l->caption().contains(QRegularExpression(QStringLiteral("[←→↑↓]"))))
          << l->objectName().toStdString() << " " << l->caption().toStdString();
    }
  }
};

// The worked trade: its figures in one row after the readout, none covering another, and the
// break-even marker in a row of its own above the plot; a refused field leaves no figure standing.
TEST_F(FiguresWindow, FiguresStandBesideTheReadout) {
  trade("300", "1234", "1250");
  EXPECT_EQ(figures(),
            QStringList({QStringLiteral("損益分岐 1,244.50円"),
                         QStringLiteral("往復手数料 3,150円"), QStringLiteral("税引後 1,315円"),
                         QStringLiteral("損益率 0.44%"), QStringLiteral("目標価格 —")}));
  EXPECT_EQ(ui().LblFigures[2]->accessibleName(), QStringLiteral("税引後 1,315円"));
  ui().TxtTarget->setText(QStringLiteral("10000"));  // the longest line: every control shown
  // With the tick table both price figures add the 0.01-grid price in brackets.
  for (const int pass : {0, 1, 2, 3}) {
    const bool compact = pass % 2 == 1, ticks = pass >= 2;
    if (pass > 0) probe().CmdSize_Click();
    if (pass == 2) {
      core::TradeSettings settings = state().settings;
      settings.priceTicks.table = core::TickTable::Standard;
      probe().ApplySettings(settings);
      ui().ChkNisa->setChecked(true);
    }
    ASSERT_EQ(state().compactMode != core::kFalse, compact);
    SCOPED_TRACE(ticks ? "ticks" : "built-in");
    QRectF title;  // the price axis' title, printed on the chart right of the plot
    for (const auto& op : surface().ops())
      if (op.kind == tk::DrawOp::Text && op.text == QStringLiteral("単価"))
        title =
            QRectF(tk::mmToPx(op.x1), tk::mmToPx(op.y1), tk::mmToPx(surface().TextWidth("単価")),
                   tk::mmToPx(surface().TextHeight("単価")));
    ASSERT_FALSE(title.isEmpty());
    // The figures and the target field, in up to two lines: none covers another or the readout.
    std::vector<const QWidget*> placed = {ui().LblSoneki};
    std::vector<const QWidget*> items(ui().LblFigures.begin(), ui().LblFigures.end());
    items.insert(items.end(), {ui().LblTargetCaption, ui().TxtTarget, ui().ChkNisa});
    for (const QWidget* l : items) {
      EXPECT_FALSE(title.intersects(QRectF(l->geometry()).adjusted(0.5, 0.5, -0.5, -0.5)))
          << compact;
      for (const QWidget* other : placed)
        EXPECT_FALSE(l->geometry().intersects(other->geometry()))
            << compact << l->objectName().toStdString() << other->objectName().toStdString();
      EXPECT_LE(l->geometry().right(), window->width()) << compact;
      EXPECT_LE(l->geometry().bottom(), window->height()) << compact;
      EXPECT_GT(l->geometry().top(), tk::mmToPx(state().graphBottom)) << compact;
      placed.push_back(l);
    }
    // The switch stands on 税引後's line, after it, where the line has room for it.
    if (ticks && compact) continue;
    EXPECT_NEAR(ui().ChkNisa->geometry().center().y(), ui().LblFigures[2]->geometry().center().y(),
                1);
    EXPECT_GT(ui().ChkNisa->x(), ui().LblFigures[2]->geometry().right());
  }
  for (const tk::MmLabel* l : {ui().LblBuy, ui().LblSell})
    EXPECT_FALSE(ui().LblBunki->geometry().intersects(l->geometry()));
  ui().TxtBP->setText(QStringLiteral("12x"));
  EXPECT_EQ(figures(), QStringList({QStringLiteral("損益分岐 —"), QStringLiteral("往復手数料 —"),
                                    QStringLiteral("税引後 —"), QStringLiteral("損益率 —"),
                                    QStringLiteral("目標価格 —")}));
}

// The target after tax: its price and marker follow the field; a text not taken is marked, gives
// no price and leaves the field showing the target in force again; an empty field sets none.
TEST_F(FiguresWindow, TargetFieldFigureAndMarker) {
  trade("300", "1234", "1250");
  EXPECT_EQ(ui().TxtTarget->accessibleName(), QStringLiteral("目標（税引後）"));
  EXPECT_FALSE(ui().LblTarget->isVisible());
  ui().TxtTarget->setFocus();
  QTest::keyClicks(ui().TxtTarget, QStringLiteral("10000"));
  EXPECT_EQ(figures().back(), QStringLiteral("目標価格 1,286.33円"));
  EXPECT_EQ(ui().LblFigures.back()->accessibleName(), figures().back());
  EXPECT_TRUE(ui().LblTarget->isVisible());
  EXPECT_TRUE(ui().LblTarget->caption().endsWith(QStringLiteral("目標")));
  ui().TxtTarget->setText(QStringLiteral("1.5"));
  EXPECT_EQ(ui().TxtTarget->palette().color(QPalette::Base), QColor(255, 222, 222));
  EXPECT_EQ(figures().back(), QStringLiteral("目標価格 —"));
  EXPECT_FALSE(ui().LblTarget->isVisible());
  ui().TxtSP->setFocus();
  EXPECT_EQ(ui().TxtTarget->text(), QStringLiteral("10000"));
  EXPECT_EQ(figures().back(), QStringLiteral("目標価格 1,286.33円"));
  ui().TxtTarget->setText(QStringLiteral("-500"));  // a loss kept within 500 after tax
  EXPECT_EQ(figures().back(), QStringLiteral("目標価格 1,242.84円"));
  ui().TxtTarget->clear();
  EXPECT_EQ(figures().back(), QStringLiteral("目標価格 —"));
  EXPECT_FALSE(ui().LinTarget->isVisible());
}

// The NISA switch, from the keyboard: no tax on this trade, so 税引後 and 目標価格 follow at
// once; the settings keep their taxable rate.
TEST_F(FiguresWindow, NisaSwitchTakesTheTaxAway) {
  trade("300", "1234", "1250");
  ui().TxtTarget->setText(QStringLiteral("10000"));
  EXPECT_EQ(ui().ChkNisa->accessibleName(), QStringLiteral("NISA（非課税）"));
  EXPECT_TRUE(ui().ChkNisa->focusPolicy() & Qt::TabFocus);
  ui().TxtTarget->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  ASSERT_EQ(QApplication::focusWidget(), ui().ChkNisa);
  QTest::keyClick(ui().ChkNisa, Qt::Key_Space);
  EXPECT_EQ(figures()[2], QStringLiteral("税引後 1,650円"));
  EXPECT_EQ(figures().back(), QStringLiteral("目標価格 1,277.84円"));
  EXPECT_EQ(state().settings.taxThousandths, 20315);
  QTest::keyClick(ui().ChkNisa, Qt::Key_Space);
  EXPECT_EQ(figures()[2], QStringLiteral("税引後 1,315円"));
  EXPECT_EQ(figures().back(), QStringLiteral("目標価格 1,286.33円"));
}

// 「数値をコピー」 in the menu of the readout and of each figure puts the trade and its figures
// on the clipboard as text.
TEST_F(FiguresWindow, CopyFiguresFromTheMenu) {
  trade("300", "1234", "1250");
  for (tk::MmLabel* w : {ui().LblSoneki, ui().LblFigures.back()}) {
    QGuiApplication::clipboard()->clear();
    EXPECT_EQ(w->contextMenuPolicy(), Qt::ActionsContextMenu);
    ASSERT_EQ(w->actions().size(), 1);
    EXPECT_EQ(w->actions()[0]->text(), QStringLiteral("数値をコピー"));
    w->actions()[0]->trigger();
    const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("数量\t買付単価\t売却単価\t損益\t")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("300\t1234\t1250\t1650\t1244.5\t")));
  }
}

// The break-even caption covers no caption, amount label or axis title, and leaves the buy and
// sell lines whole from their captions down to the plot, in the start view and fitted.
TEST_F(FiguresWindow, BreakEvenCaptionLeavesTheTradesMarksWhole) {
  struct Case {
    const char *quantity, *buy, *sell;
    bool fit;
    float priceMin;  // of the start view's span, when not fitted
  };
  for (const Case& c :
       {Case{"79000", "13.29", "7.59", false, 0}, Case{"79000", "13.29", "7.59", true, 0},
        Case{"1000", "100", "0", false, 0}, Case{"100", "2845", "2910", false, 0},
        Case{"1000", "1", "1", false, 10}, Case{"1000", "99.5", "1", false, 0},
        Case{"300", "1234", "1250", true, 0}, Case{"1000", "1", "1", true, 0}}) {
    SCOPED_TRACE(std::string(c.quantity) + " " + c.buy + " " + c.sell + (c.fit ? " fit" : ""));
    trade(c.quantity, c.buy, c.sell);
    core::SavedView view = state().viewHistory[0];
    view[0] = c.priceMin;
    core::showView(state(), view);
    probe().ReDraw();
    if (c.fit) click(ui().CmdFit);
    ASSERT_TRUE(ui().LblBunki->isVisibleTo(window.get()));
    const QRectF bunki(ui().LblBunki->geometry());
    for (const tk::MmLabel* l : {ui().LblBuy, ui().LblSell, ui().LblBYaku, ui().LblSYaku})
      EXPECT_FALSE(bunki.intersects(l->geometry())) << l->objectName().toStdString();
    const double plotTop = tk::mmToPx(core::plotTop(state()));
    for (const auto& op : surface().ops()) {
      if (op.kind != tk::DrawOp::Text || tk::mmToPx(op.y1) >= plotTop) continue;
      const std::string text = op.text.toStdString();
      const QRectF title(tk::mmToPx(op.x1), tk::mmToPx(op.y1),
                         tk::mmToPx(surface().TextWidth(text)),
                         tk::mmToPx(surface().TextHeight(text)));
      EXPECT_FALSE(bunki.intersects(title)) << text;
    }
    for (const tk::LineControl* line : {ui().LinB, ui().LinS}) {
      if (!line->isVisibleTo(window.get())) continue;
      const double top = tk::mmToPx(line->y2());
      const QRectF piece(tk::mmToPx(line->x1()) - 0.5, top, 1, plotTop - top);
      EXPECT_FALSE(bunki.intersects(piece)) << line->objectName().toStdString();
    }
  }
}

// Ctrl+0 fits the view to the trade as one history entry, snapped to whole tick steps: every
// marker on the chart afterwards. A refused field leaves the view.
TEST_F(FiguresWindow, FitShowsTheWholeTradeAsOneView) {
  struct Case {
    const char *quantity, *buy, *sell;
  };
  for (const Case& c :
       {Case{"300", "1234", "1250"}, Case{"5000", "1.00", "1.00"}, Case{"5000", "35.20", "72.45"},
        Case{"100000", "99999", "100000"}, Case{"1000000", "9999", "10000"},
        Case{"1000000", "100000", "100000"}, Case{"7", "3e9", "3e9"}}) {
    SCOPED_TRACE(c.quantity);
    trade(c.quantity, c.buy, c.sell);
    const float before = index();
    QTest::keyClick(ui().TxtSP, Qt::Key_0, Qt::ControlModifier);  // from a field
    EXPECT_EQ(index(), before + 1);
    EXPECT_EQ(entries(), before + 2);
    expectNoArrows();
    // Off the axes too: a margin on every side.
    const double left = state().graphLeft, right = core::plotRight(state());
    const double top = core::plotTop(state()), bottom = state().graphBottom;
    for (const tk::LineControl* l : {ui().LinB, ui().LinS, ui().LinBunki}) {
      EXPECT_GT(l->x1(), left + 1) << l->objectName().toStdString();
      EXPECT_LT(l->x1(), right - 1) << l->objectName().toStdString();
    }
    for (const tk::LineControl* l : {ui().LinBYaku, ui().LinSYaku}) {
      EXPECT_GT(l->y1(), top + 1) << l->objectName().toStdString();
      EXPECT_LT(l->y1(), bottom - 1) << l->objectName().toStdString();
    }
    const core::SavedView v = shown();
    // On a step multiple, or (where a float cannot hold it: ten billion yen are held to 1,024
    // yen) the float nearest to one.
    for (const auto& [end, step] : {std::pair{v[0], state().priceStep}, {v[2], state().amountStep}})
      EXPECT_LE(std::fabs(std::remainder(end, step)), (std::nextafter(end, HUGE_VALF) - end) / 2);
    probe().CmdUndo_Click();
    EXPECT_EQ(index(), before);
    EXPECT_NE(shown(), v);
  }
  ui().TxtQua->setText(QStringLiteral("abc"));
  const core::SavedView v = shown();
  click(ui().CmdFit);
  EXPECT_EQ(shown(), v);
  EXPECT_TRUE(messages.isEmpty());
  // Margins beyond the largest float: one message, the view and its history as they were.
  trade("1e9", "1e29", "3.3e29");
  const std::size_t before = entries();
  click(ui().CmdFit);
  EXPECT_EQ(shown(), v);
  EXPECT_EQ(entries(), before);
  EXPECT_EQ(messages.size(), 1);
}

// The zoom keys, wherever the focus is: in as a wheel notch at the plot's centre, out as 縮小.
TEST_F(FiguresWindow, ZoomKeys) {
  const core::SavedView start = shown();
  probe().Form_MouseWheel(state().graphLeft + state().graphWidth / 2,
                          state().graphBottom - state().graphHeight / 2, 1);
  const core::SavedView notch = shown();
  probe().CmdUndo_Click();
  QTest::keyClick(ui().TxtBP, Qt::Key_Equal, Qt::ControlModifier);
  EXPECT_EQ(shown(), notch);
  click(ui().CmdZoom);
  const core::SavedView zoomedOut = shown();
  probe().CmdUndo_Click();
  QTest::keyClick(ui().CmdZoom, Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(shown(), zoomedOut);
  EXPECT_NE(shown(), start);
}

// A pending rectangle shows itself: a cross over the plot until it is completed or dropped.
TEST_F(FiguresWindow, PendingRectangleShowsACross) {
  const QPoint inside = px(state().graphLeft + 10, state().graphBottom - 10);
  pressAt(inside);
  moveTo(inside + QPoint(20, -20));
  EXPECT_EQ(window->cursor().shape(), Qt::CrossCursor);
  QTest::keyClick(window.get(), Qt::Key_Escape);
  EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
