// Every control where the design puts it, with its caption, tool tip, accessible name, font and
// tab order; the window's own caption, background and icon.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "design_controls.h"
#include "frm_plot_probe.h"

namespace {

QString textOf(QWidget* w) {
  if (auto* b = qobject_cast<QPushButton*>(w)) return b->text();
  if (auto* t = qobject_cast<QLineEdit*>(w)) return t->text();
  return {};
}

}  // namespace

TEST(Layout, ControlsStandWhereTheDesignPutsThem) {
  app::FrmPlot w;
  FrmPlotProbe p(w);
  for (const Expected& e : kControls) {
    SCOPED_TRACE(e.name);
    auto* c = w.findChild<QWidget*>(QString::fromUtf8(e.name));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(textOf(c), QString::fromUtf8(e.caption));
    EXPECT_EQ(c->geometry(), QRect(tk::twipsToPx(e.left), tk::twipsToPx(e.top),
                                   tk::twipsToPx(e.width), tk::twipsToPx(e.height)));
    EXPECT_EQ(c->toolTip(), QString::fromUtf8(e.tip));  // names: accessibility_test
  }
  EXPECT_EQ(p.ui().Frame1->title(), QStringLiteral("数量・単価入力"));
  EXPECT_EQ(p.ui().Frame2->title(), QStringLiteral("グラフを描画する範囲"));
  EXPECT_EQ(p.ui().Frame1->geometry(), QRect(7, 7, 246, 155));
  EXPECT_EQ(p.ui().Frame2->geometry(), QRect(259, 7, 211, 155));
  EXPECT_EQ(p.ui().TxtBP->parentWidget(), p.ui().Frame1);
  EXPECT_EQ(p.ui().CmdUndo->parentWidget(), p.ui().Frame2);
  EXPECT_EQ(p.ui().LblSoneki->toolTip(), QStringLiteral("損益（自動計算）"));
}

TEST(Layout, TabOrderFollowsTheTabIndices) {
  app::FrmPlot w;
  FrmPlotProbe p(w);
  QWidget* current = p.ui().CmdUndo;
  for (std::size_t i = 1; i < std::size(kControls); ++i) {
    do {
      current = current->nextInFocusChain();
    } while (!(current->focusPolicy() & Qt::TabFocus));
    EXPECT_EQ(current->objectName(), QString::fromUtf8(kControls[i].name)) << i;
  }
}

TEST(Layout, WindowFontsAndColours) {
  app::FrmPlot w;
  FrmPlotProbe p(w);
  EXPECT_EQ(w.windowTitle(), QStringLiteral("ほしなみ。"));
  EXPECT_EQ(w.palette().color(QPalette::Window), QColor(128, 128, 128));
  const QList<QSize> iconSizes = w.windowIcon().availableSizes();
  EXPECT_TRUE(iconSizes.contains(QSize(32, 32)));
  EXPECT_TRUE(iconSizes.contains(QSize(16, 16)));
  // A Japanese Gothic face is installed and used.
  EXPECT_TRUE(QFontInfo(w.font()).family().contains(QStringLiteral("Gothic"), Qt::CaseInsensitive))
      << QFontInfo(w.font()).family().toStdString();
  EXPECT_EQ(w.font().pixelSize(), 12);  // 9 pt
  EXPECT_TRUE(p.ui().CmdUp->font().bold());
  EXPECT_EQ(p.ui().CmdMoveUp->font().pixelSize(), 16);  // bold 12 pt
  EXPECT_EQ(p.ui().TxtQua->font().pixelSize(), 13);     // 9.75 pt
  EXPECT_EQ(p.ui().LblSoneki->font().pixelSize(), 21);  // bold 15.75 pt
  EXPECT_EQ(p.ui().LblBuy->backColour(), core::RGB(0, 255, 255));
  EXPECT_EQ(p.ui().LblSell->foreColour(), core::RGB(255, 255, 255));
  EXPECT_EQ(p.ui().Label1[6]->caption(), QStringLiteral("数量："));
  EXPECT_EQ(p.ui().LblRieki->caption(), QStringLiteral("損益："));
  // Labels are exactly as wide as their text, so nothing of a caption is cut off.
  for (tk::MmLabel* l : {p.ui().LblRieki, p.ui().Label1[0], p.ui().LblBYaku}) {
    EXPECT_GE(l->width(), l->fontMetrics().horizontalAdvance(l->text()));
    EXPECT_LE(l->width(), l->fontMetrics().horizontalAdvance(l->text()) + 2);
  }
}

TEST(Layout, LinesAndSelectionRectangleLetTheMouseThrough) {
  app::FrmPlot w;
  FrmPlotProbe p(w);
  for (QWidget* c : std::initializer_list<QWidget*>{p.ui().LinB, p.ui().LinS, p.ui().LinBYaku,
                                                    p.ui().LinSYaku, p.ui().ShpArea})
    EXPECT_TRUE(c->testAttribute(Qt::WA_TransparentForMouseEvents))
        << c->objectName().toStdString();
  for (QWidget* c : std::initializer_list<QWidget*>{p.ui().LblBuy, p.ui().LblSoneki, p.ui().CmdUp,
                                                    p.ui().TxtBP, p.ui().Frame1})
    EXPECT_FALSE(c->testAttribute(Qt::WA_TransparentForMouseEvents))
        << c->objectName().toStdString();
}
