// The answers on screen: the three figures beside the readout, the break-even marker, the view
// fitted to the trade and the view keys.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTest>
#include <cmath>

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
  for (const bool compact : {false, true}) {
    if (compact) probe().CmdSize_Click();
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
    items.insert(items.end(), {ui().LblTargetCaption, ui().TxtTarget});
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

// Ctrl+0 fits the view to the trade as one history entry, snapped to whole tick steps: every
// marker on the chart afterwards. A refused field leaves the view.
TEST_F(FiguresWindow, FitShowsTheWholeTradeAsOneView) {
  struct Case {
    const char *quantity, *buy, *sell;
  };
  for (const Case& c : {Case{"300", "1234", "1250"}, Case{"5000", "1.00", "1.00"},
                        Case{"5000", "35.20", "72.45"}}) {
    SCOPED_TRACE(c.quantity);
    trade(c.quantity, c.buy, c.sell);
    const float before = index();
    QTest::keyClick(ui().TxtSP, Qt::Key_0, Qt::ControlModifier);  // from a field
    EXPECT_EQ(index(), before + 1);
    EXPECT_EQ(entries(), before + 2);
    expectNoArrows();
    const core::SavedView v = shown();
    EXPECT_EQ(std::fmod(v[0], state().priceStep), 0);
    EXPECT_EQ(std::fmod(v[2], state().amountStep), 0);
    probe().CmdUndo_Click();
    EXPECT_EQ(index(), before);
    EXPECT_NE(shown(), v);
  }
  ui().TxtQua->setText(QStringLiteral("abc"));
  const core::SavedView v = shown();
  click(ui().CmdFit);
  EXPECT_EQ(shown(), v);
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
