// The entry fields, markers and readout on the real window.
#include <QFontMetricsF>
#include <QTest>
#include <vector>

#include "core/mapping.h"
#include "window_fixture.h"

namespace {

constexpr core::Colour kBlue = core::RGB(0, 0, 255), kRed = core::RGB(255, 0, 0);
constexpr core::Colour kWhite = core::RGB(255, 255, 255), kBlack = core::RGB(0, 0, 0);

// What one marker shows: its label and its line.
struct MarkerLook {
  QString caption;
  float left, top;
  bool lineShown;
  float x1, y1, x2, y2;
  bool operator==(const MarkerLook&) const = default;
};

MarkerLook lookOf(const tk::MmLabel* label, const tk::LineControl* line) {
  return {label->caption(), label->leftMm(), label->topMm(), !line->isHidden(),
          line->x1(),       line->y1(),      line->x2(),     line->y2()};
}

// Everything a change may touch: the display list, the four markers, the readout and the state.
struct Picture {
  std::vector<tk::DrawOp> ops;
  MarkerLook buy, buyAmount, sell, sellAmount;
  QString readout;
  core::Colour back, fore;
  float quantity, buyPrice, sellPrice;
};

class TradeWindowTest : public WindowTest {
 protected:
  Picture picture() const {
    FrmPlotProbe w = probe();
    return {w.surface().ops(),
            lookOf(w.ui().LblBuy, w.ui().LinB),
            lookOf(w.ui().LblBYaku, w.ui().LinBYaku),
            lookOf(w.ui().LblSell, w.ui().LinS),
            lookOf(w.ui().LblSYaku, w.ui().LinSYaku),
            w.ui().LblSoneki->caption(),
            w.ui().LblSoneki->backColour(),
            w.ui().LblSoneki->foreColour(),
            w.state().quantity,
            w.state().buyPrice,
            w.state().sellPrice};
  }
  static bool sameOps(const std::vector<tk::DrawOp>& a, const std::vector<tk::DrawOp>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
      if (a[i].kind != b[i].kind || a[i].x1 != b[i].x1 || a[i].y1 != b[i].y1 ||
          a[i].x2 != b[i].x2 || a[i].y2 != b[i].y2 || a[i].colour != b[i].colour ||
          a[i].text != b[i].text)
        return false;
    }
    return true;
  }
  static bool red(const QLineEdit* field) {
    return field->palette().color(QPalette::Text) == QColor(Qt::red);
  }
  void expectUnchanged(const Picture& before) const {
    const Picture now = picture();
    EXPECT_TRUE(sameOps(before.ops, now.ops));
    EXPECT_EQ(before.buy, now.buy);
    EXPECT_EQ(before.buyAmount, now.buyAmount);
    EXPECT_EQ(before.sell, now.sell);
    EXPECT_EQ(before.sellAmount, now.sellAmount);
    EXPECT_EQ(before.readout, now.readout);
    EXPECT_EQ(before.back, now.back);
    EXPECT_EQ(before.quantity, now.quantity);
    EXPECT_EQ(before.buyPrice, now.buyPrice);
    EXPECT_EQ(before.sellPrice, now.sellPrice);
  }
  // Where the label's text, as painted, ends.
  static float textEnd(const tk::MmLabel* label) {
    return static_cast<float>(
        label->leftMm() +
        tk::pxToMm(QFontMetricsF(label->font()).horizontalAdvance(label->text())));
  }
};

TEST_F(TradeWindowTest, StartUpShowsMarkersAtOneAndTheLoss) {
  FrmPlotProbe w = probe();
  EXPECT_EQ(w.ui().LblSoneki->caption(), "-1,050");
  EXPECT_EQ(w.ui().LblSoneki->backColour(), kBlue);
  EXPECT_EQ(w.ui().LblSoneki->foreColour(), kWhite);
  EXPECT_EQ(w.ui().LblSoneki->grab().toImage().pixelColor(0, 0), QColor(0, 0, 255));
  EXPECT_EQ(w.ui().LblBuy->caption(), "買");
  EXPECT_EQ(w.ui().LblSell->caption(), "売");
  EXPECT_FLOAT_EQ(w.ui().LinB->x1(), core::FuncX(w.state(), 1));
  EXPECT_EQ(w.ui().LblBYaku->caption(), "買 \\1,525");
  EXPECT_EQ(w.ui().LblSYaku->caption(), "売 \\475");
  EXPECT_EQ(w.ui().LblBYaku->text(), QStringLiteral("買 ¥1,525"));
}

TEST_F(TradeWindowTest, AmountLabelTextEndsWhereItsLineEnds) {
  float firstRight = 0;
  for (int round = 0; round < 2; ++round) {
    FrmPlotProbe w = probe();
    const float right = w.state().graphLeft + w.state().graphWidth;
    EXPECT_NE(right, firstRight);
    firstRight = right;
    EXPECT_NEAR(w.ui().LinBYaku->x2(), right + 25, 1e-4);
    EXPECT_NEAR(w.ui().LinSYaku->x2(), right + 50, 1e-4);
    EXPECT_NEAR(textEnd(w.ui().LblBYaku), w.ui().LinBYaku->x2(), 1e-4);
    EXPECT_NEAR(textEnd(w.ui().LblSYaku), w.ui().LinSYaku->x2(), 1e-4);
    // Off the chart (no line) the text still ends there.
    ui().TxtBP->setText("150.00");
    EXPECT_TRUE(w.ui().LinBYaku->isHidden());
    EXPECT_NEAR(textEnd(w.ui().LblBYaku), right + 25, 1e-4);
    ui().TxtBP->setText("1.00");
    QTest::mouseClick(ui().CmdSize, Qt::LeftButton);  // a smaller plot area
  }
}

TEST_F(TradeWindowTest, APriceMovesOnlyItsSideAndTheReadout) {
  struct Case {
    bool buy;
    const char* text;
    float price;
    const char* amountCaption;
    const char* readout;
    core::Colour back, fore;
  };
  const std::vector<Case> cases = {
      {true, "12.50", 12.5f, "買 \\13,025", "-12,550", kBlue, kWhite},
      {false, "12.50", 12.5f, "売 \\11,975", "10,450", kRed, kWhite},
      {true, "１２．５０", 12.5f, "買 \\13,025", "-12,550", kBlue, kWhite},
      {true, "0.475", 0.475f, "買 \\1,000", "-525", kBlue, kWhite},
      {false, "2.05", 2.05f, "売 \\1,525", "0", kWhite, kBlack},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ui().TxtBP->setText("1.00");
    ui().TxtSP->setText("1.00");
    const Picture before = picture();
    (c.buy ? ui().TxtBP : ui().TxtSP)->setText(QString::fromUtf8(c.text));
    const Picture after = picture();
    EXPECT_TRUE(sameOps(before.ops, after.ops));  // the chart is not redrawn
    EXPECT_EQ(c.buy ? after.buyPrice : after.sellPrice, c.price);
    const MarkerLook& price = c.buy ? after.buy : after.sell;
    EXPECT_FLOAT_EQ(price.x1, core::FuncX(state(), c.price));
    EXPECT_EQ((c.buy ? after.buyAmount : after.sellAmount).caption,
              QString::fromUtf8(c.amountCaption));
    EXPECT_EQ(c.buy ? after.sell : after.buy, c.buy ? before.sell : before.buy);
    EXPECT_EQ(c.buy ? after.sellAmount : after.buyAmount,
              c.buy ? before.sellAmount : before.buyAmount);
    EXPECT_EQ(after.readout, c.readout);
    EXPECT_EQ(after.back, c.back);
    EXPECT_EQ(after.fore, c.fore);
  }
}

TEST_F(TradeWindowTest, NegativeAndHugePricesAreTakenWithArrows) {
  FrmPlotProbe w = probe();
  ui().TxtBP->setText(QStringLiteral("－３"));
  EXPECT_EQ(w.state().buyPrice, -3);
  EXPECT_EQ(w.ui().LblBuy->caption(), "←買");
  EXPECT_TRUE(w.ui().LinB->isHidden());
  EXPECT_EQ(w.ui().LblBYaku->caption(), "↓買 -\\2,475");
  ui().TxtSP->setText("1e30");
  EXPECT_EQ(w.ui().LblSell->caption(), "→売");
  EXPECT_EQ(w.ui().LblSYaku->caption(), "↑売 \\999,999,999,999,999,999,999,999,999,998,425");
  EXPECT_FALSE(red(w.ui().TxtBP) || red(w.ui().TxtSP));
}

TEST_F(TradeWindowTest, AQuantityRedrawsEverything) {
  const Picture before = picture();
  ui().TxtQua->setText("2000");
  const Picture after = picture();
  EXPECT_FALSE(sameOps(before.ops, after.ops));
  EXPECT_EQ(after.quantity, 2000);
  EXPECT_EQ(after.buyAmount.caption, "買 \\2,525");
  EXPECT_EQ(after.sellAmount.caption, "売 \\1,475");
  EXPECT_LT(after.buyAmount.y1, before.buyAmount.y1);  // higher on the chart
}

TEST_F(TradeWindowTest, RefusedTextChangesNothingAndShowsRed) {
  struct Case {
    int field;  // 0 quantity, 1 buy, 2 sell
    const char* text;
  };
  const std::vector<Case> cases = {
      {1, ""},  {1, "abc"}, {1, "-"},   {1, "."}, {1, "1e39"},  {1, "1e36"}, {2, "1,2,"},
      {2, "-"}, {0, ""},    {0, "abc"}, {0, "0"}, {0, "-1000"}, {0, "-"},    {0, "4e36"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    QLineEdit* field = std::array{ui().TxtQua, ui().TxtBP, ui().TxtSP}[c.field];
    const QString good = field->text();
    const Picture before = picture();
    field->setText(QString::fromUtf8(c.text));
    expectUnchanged(before);
    EXPECT_TRUE(red(field));
    EXPECT_TRUE(
        field->accessibleDescription().endsWith(QStringLiteral("（受け付けられない値です）")));
    field->setText(good);
    EXPECT_FALSE(red(field));
    EXPECT_EQ(field->accessibleDescription(), field->toolTip());
  }
}

TEST_F(TradeWindowTest, ALaterRedrawDoesNotTakeARefusedQuantity) {
  ui().TxtQua->setText(QStringLiteral("4e36"));  // its amounts overflow single precision
  ASSERT_TRUE(red(ui().TxtQua));
  probe().ReDraw();  // as a pan, zoom or resize would
  EXPECT_EQ(state().quantity, 1000);
  ui().TxtQua->setText(QStringLiteral("2000"));
  EXPECT_EQ(state().quantity, 2000);
}

// A refused quantity stays refused until its text changes, even when a new view or new prices
// have since made its amounts finite: zooming or resizing never changes the trade.
TEST_F(TradeWindowTest, ARefusedQuantityIsNotTakenOnceItsAmountsFitAgain) {
  const QString readout = ui().LblSoneki->caption();
  // 4e36 shares at the view's right end (100) overflow; at 80 they do not.
  ui().TxtQua->setText(QStringLiteral("4e36"));
  ASSERT_TRUE(red(ui().TxtQua));
  state().priceSpan = 80;
  probe().ReDraw();  // as a zoom or an undo to a narrower view would
  EXPECT_EQ(state().quantity, 1000);
  EXPECT_TRUE(red(ui().TxtQua));
  EXPECT_EQ(ui().LblSoneki->caption(), readout);

  // 1e6 shares at a buy price of 1e33 overflow; back at 1.00 they do not.
  state().priceSpan = 100;
  probe().ReDraw();
  ui().TxtBP->setText(QStringLiteral("1e33"));
  ui().TxtQua->setText(QStringLiteral("1000000"));
  ASSERT_TRUE(red(ui().TxtQua));
  ui().TxtBP->setText(QStringLiteral("1.00"));
  probe().ReDraw();  // as a resize would
  EXPECT_EQ(state().quantity, 1000);
  EXPECT_TRUE(red(ui().TxtQua));

  ui().TxtQua->setText(QStringLiteral("1,000,000"));  // edited: taken now
  EXPECT_EQ(state().quantity, 1000000);
  EXPECT_FALSE(red(ui().TxtQua));
}

TEST_F(TradeWindowTest, TypingPassesThroughRefusedTexts) {
  ui().TxtBP->clear();
  EXPECT_TRUE(red(ui().TxtBP));
  QTest::keyClick(ui().TxtBP, Qt::Key_Minus);
  EXPECT_TRUE(red(ui().TxtBP));
  EXPECT_EQ(state().buyPrice, 1);
  QTest::keyClick(ui().TxtBP, Qt::Key_3);
  EXPECT_FALSE(red(ui().TxtBP));
  EXPECT_EQ(state().buyPrice, -3);
  EXPECT_EQ(ui().LblBuy->caption(), "←買");
}

// The step buttons reach a trade whose two amount labels share a line: the sell label stands 1 mm
// right of the whole buy label, whose text and place stay as they are.
TEST_F(TradeWindowTest, AmountLabelsShowTheirWholeText) {
  ui().TxtQua->setText(QStringLiteral("250000"));
  ui().TxtBP->setText(QStringLiteral("99.99"));
  ui().TxtSP->setText(QStringLiteral("99.99"));
  const tk::MmLabel* buy = ui().LblBYaku;
  const tk::MmLabel* sell = ui().LblSYaku;
  EXPECT_EQ(buy->topMm(), sell->topMm());
  const float buyRight = buy->leftMm() + tk::textWidthMm(buy->font(), buy->caption());
  EXPECT_NEAR(sell->leftMm(), buyRight + 1, 1e-4);
  EXPECT_GT(sell->geometry().left(), buy->geometry().right());
  EXPECT_NEAR(buyRight, state().graphLeft + state().graphWidth + 25, 1e-3);  // its end stays
}

// A text the field does not take (an empty one too) is marked, red on light red, and changes
// nothing; once the focus leaves, the field shows the value in force again.
TEST_F(TradeWindowTest, RefusedInputIsMarkedAndLeavingShowsTheValueInForce) {
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  const QColor normalBase = ui().TxtBP->palette().color(QPalette::Base);
  struct Case {
    QLineEdit* field;
    const char* refused;
    const char* shownAfter;
  };
  ui().TxtQua->setText(QStringLiteral("12,000"));
  ui().TxtBP->setText(QStringLiteral("35.2"));
  const std::vector<Case> cases = {
      {ui().TxtBP, "", "35.20"},  {ui().TxtBP, "-", "35.20"},  {ui().TxtSP, "abc", "1.00"},
      {ui().TxtQua, "", "12000"}, {ui().TxtQua, "0", "12000"},
  };
  for (const Case& c : cases) {
    const QString readout = ui().LblSoneki->caption();
    c.field->setFocus();
    c.field->setText(QString::fromUtf8(c.refused));
    EXPECT_TRUE(red(c.field)) << c.refused;
    EXPECT_NE(c.field->palette().color(QPalette::Base), normalBase) << c.refused;
    EXPECT_EQ(ui().LblSoneki->caption(), readout) << c.refused;
    ui().CmdZoom->setFocus();
    EXPECT_EQ(c.field->text(), QString::fromUtf8(c.shownAfter)) << c.refused;
    EXPECT_FALSE(red(c.field)) << c.refused;
    EXPECT_EQ(c.field->palette().color(QPalette::Base), normalBase) << c.refused;
    EXPECT_EQ(ui().LblSoneki->caption(), readout) << c.refused;
  }
}

}  // namespace
