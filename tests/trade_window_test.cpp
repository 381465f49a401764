// The entry fields, markers and readout on the real window.
#include <QFontMetricsF>
#include <QTest>
#include <vector>

#include "app/mapping.h"
#include "window_fixture.h"

namespace {

constexpr Colour kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0);
constexpr Colour kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

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
  Colour back, fore;
  float quantity, buyPrice, sellPrice;
};

class TradeWindowTest : public WindowTest {
 protected:
  Picture picture() const {
    const FrmPlot& w = *window;
    return {w.surface.ops(),
            lookOf(w.LblBuy, w.LinB),
            lookOf(w.LblBYaku, w.LinBYaku),
            lookOf(w.LblSell, w.LinS),
            lookOf(w.LblSYaku, w.LinSYaku),
            w.LblSoneki->caption(),
            w.LblSoneki->backColour(),
            w.LblSoneki->foreColour(),
            w.state.quantity,
            w.state.buyPrice,
            w.state.sellPrice};
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
  const FrmPlot& w = *window;
  EXPECT_EQ(w.LblSoneki->caption(), "-1,050");
  EXPECT_EQ(w.LblSoneki->backColour(), kBlue);
  EXPECT_EQ(w.LblSoneki->foreColour(), kWhite);
  EXPECT_EQ(w.LblSoneki->grab().toImage().pixelColor(0, 0), QColor(0, 0, 255));
  EXPECT_EQ(w.LblBuy->caption(), "買");
  EXPECT_EQ(w.LblSell->caption(), "売");
  EXPECT_FLOAT_EQ(w.LinB->x1(), FuncX(w.state, 1));
  EXPECT_EQ(w.LblBYaku->caption(), "買 \\1,525");
  EXPECT_EQ(w.LblSYaku->caption(), "売 \\475");
  EXPECT_EQ(w.LblBYaku->text(), QStringLiteral("買 ¥1,525"));
}

TEST_F(TradeWindowTest, AmountLabelTextEndsWhereItsLineEnds) {
  float firstRight = 0;
  for (int round = 0; round < 2; ++round) {
    const FrmPlot& w = *window;
    const float right = w.state.graphLeft + w.state.graphWidth;
    EXPECT_NE(right, firstRight);
    firstRight = right;
    EXPECT_NEAR(w.LinBYaku->x2(), right + 25, 1e-4);
    EXPECT_NEAR(w.LinSYaku->x2(), right + 50, 1e-4);
    EXPECT_NEAR(textEnd(w.LblBYaku), w.LinBYaku->x2(), 1e-4);
    EXPECT_NEAR(textEnd(w.LblSYaku), w.LinSYaku->x2(), 1e-4);
    // Off the chart (no line) the text still ends there.
    window->TxtBP->setText("150.00");
    EXPECT_TRUE(w.LinBYaku->isHidden());
    EXPECT_NEAR(textEnd(w.LblBYaku), right + 25, 1e-4);
    window->TxtBP->setText("1.00");
    QTest::mouseClick(window->CmdSize, Qt::LeftButton);  // a smaller plot area
  }
}

TEST_F(TradeWindowTest, APriceMovesOnlyItsSideAndTheReadout) {
  struct Case {
    bool buy;
    const char* text;
    float price;
    const char* amountCaption;
    const char* readout;
    Colour back, fore;
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
    window->TxtBP->setText("1.00");
    window->TxtSP->setText("1.00");
    const Picture before = picture();
    (c.buy ? window->TxtBP : window->TxtSP)->setText(QString::fromUtf8(c.text));
    const Picture after = picture();
    EXPECT_TRUE(sameOps(before.ops, after.ops));  // the chart is not redrawn
    EXPECT_EQ(c.buy ? after.buyPrice : after.sellPrice, c.price);
    const MarkerLook& price = c.buy ? after.buy : after.sell;
    EXPECT_FLOAT_EQ(price.x1, FuncX(window->state, c.price));
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
  const FrmPlot& w = *window;
  window->TxtBP->setText(QStringLiteral("－３"));
  EXPECT_EQ(w.state.buyPrice, -3);
  EXPECT_EQ(w.LblBuy->caption(), "←買");
  EXPECT_TRUE(w.LinB->isHidden());
  EXPECT_EQ(w.LblBYaku->caption(), "↓買 -\\2,475");
  window->TxtSP->setText("1e30");
  EXPECT_EQ(w.LblSell->caption(), "→売");
  EXPECT_TRUE(w.LblSYaku->caption().startsWith("↑売 \\1,000,000,000,000,000,0"));
  EXPECT_FALSE(red(w.TxtBP) || red(w.TxtSP));
}

TEST_F(TradeWindowTest, AQuantityRedrawsEverything) {
  const Picture before = picture();
  window->TxtQua->setText("2000");
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
    QLineEdit* field = std::array{window->TxtQua, window->TxtBP, window->TxtSP}[c.field];
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
  window->TxtQua->setText(QStringLiteral("4e36"));  // its amounts overflow single precision
  ASSERT_TRUE(red(window->TxtQua));
  window->ReDraw();  // as a pan, zoom or resize would
  EXPECT_EQ(window->state.quantity, 1000);
  window->TxtQua->setText(QStringLiteral("2000"));
  EXPECT_EQ(window->state.quantity, 2000);
}

// A refused quantity stays refused until its text changes, even when a new view or new prices
// have since made its amounts finite: zooming or resizing never changes the trade.
TEST_F(TradeWindowTest, ARefusedQuantityIsNotTakenOnceItsAmountsFitAgain) {
  const QString readout = window->LblSoneki->caption();
  // 4e36 shares at the view's right end (100) overflow; at 80 they do not.
  window->TxtQua->setText(QStringLiteral("4e36"));
  ASSERT_TRUE(red(window->TxtQua));
  window->state.priceSpan = 80;
  window->ReDraw();  // as a zoom or an undo to a narrower view would
  EXPECT_EQ(window->state.quantity, 1000);
  EXPECT_TRUE(red(window->TxtQua));
  EXPECT_EQ(window->LblSoneki->caption(), readout);

  // 1e6 shares at a buy price of 1e33 overflow; back at 1.00 they do not.
  window->state.priceSpan = 100;
  window->ReDraw();
  window->TxtBP->setText(QStringLiteral("1e33"));
  window->TxtQua->setText(QStringLiteral("1000000"));
  ASSERT_TRUE(red(window->TxtQua));
  window->TxtBP->setText(QStringLiteral("1.00"));
  window->ReDraw();  // as a resize would
  EXPECT_EQ(window->state.quantity, 1000);
  EXPECT_TRUE(red(window->TxtQua));

  window->TxtQua->setText(QStringLiteral("1,000,000"));  // edited: taken now
  EXPECT_EQ(window->state.quantity, 1000000);
  EXPECT_FALSE(red(window->TxtQua));
}

TEST_F(TradeWindowTest, TypingPassesThroughRefusedTexts) {
  window->TxtBP->clear();
  EXPECT_TRUE(red(window->TxtBP));
  QTest::keyClick(window->TxtBP, Qt::Key_Minus);
  EXPECT_TRUE(red(window->TxtBP));
  EXPECT_EQ(window->state.buyPrice, 1);
  QTest::keyClick(window->TxtBP, Qt::Key_3);
  EXPECT_FALSE(red(window->TxtBP));
  EXPECT_EQ(window->state.buyPrice, -3);
  EXPECT_EQ(window->LblBuy->caption(), "←買");
}

}  // namespace
