// The real window on the offscreen platform: the start-up picture, the resize rule with its
// minimum size, compact mode, and the retained picture.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTest>
#include <cmath>

#include "core/fee_schedule.h"
#include "window_fixture.h"

namespace {

constexpr double kOnePixelMm = 25.4 / 96;

std::vector<tk::DrawOp> opsOf(app::FrmPlot& w, tk::DrawOp::Kind kind, int width = -1) {
  std::vector<tk::DrawOp> out;
  for (const auto& op : FrmPlotProbe(w).surface().ops())
    if (op.kind == kind && (width < 0 || op.width == width)) out.push_back(op);
  return out;
}

// Sets the window's outer size in twips the way a user's drag would (the platform draws a frame).
void resizeTwips(app::FrmPlot& w, int widthTwips, int heightTwips) {
  const QSize frame = w.frameGeometry().size() - w.size();
  w.resize(tk::twipsToPx(widthTwips) - frame.width(), tk::twipsToPx(heightTwips) - frame.height());
  QCoreApplication::processEvents();
}

}  // namespace

// Before the first show the plot area has its start geometry: x 15 to 115, y 120 to 50.
TEST(StartUpPicture, GridLabelsTitlesAndAxes) {
  app::FrmPlot w;
  FrmPlotProbe p(w);
  const float h = p.surface().TextHeight("M");
  const auto texts = opsOf(w, tk::DrawOp::Text);
  ASSERT_EQ(texts.size(), 2u + 11u + 11u);
  EXPECT_EQ(texts[0].text, QStringLiteral("単価"));
  EXPECT_FLOAT_EQ(texts[0].x1, 115);
  EXPECT_FLOAT_EQ(texts[0].y1, h + 121);
  EXPECT_EQ(texts[1].text, QStringLiteral("受渡金額"));
  EXPECT_FLOAT_EQ(texts[1].x1, 15 - p.surface().TextWidth("受渡金額"));
  EXPECT_FLOAT_EQ(texts[1].y1, 50 - 2 * h);

  const auto grid = opsOf(w, tk::DrawOp::Line, 1);
  ASSERT_EQ(grid.size(), 22u);
  for (int k = 0; k <= 10; ++k) {
    const auto& v = grid[static_cast<std::size_t>(k)];
    EXPECT_FLOAT_EQ(v.x1, 15 + 10 * k);
    EXPECT_FLOAT_EQ(v.x2, v.x1);
    EXPECT_FLOAT_EQ(v.y1, 120);
    EXPECT_FLOAT_EQ(v.y2, 50);
    const auto& label = texts[2 + static_cast<std::size_t>(k)];
    const std::string plain = std::to_string(10 * k);
    EXPECT_EQ(label.text, QString::fromStdString(" " + plain));  // a number >= 0: leading blank
    EXPECT_FLOAT_EQ(label.x1, v.x1 - p.surface().TextWidth(plain) / 2 - 1);
    EXPECT_FLOAT_EQ(label.y1, 121);

    const auto& hline = grid[11 + static_cast<std::size_t>(k)];
    EXPECT_NEAR(hline.y1, 120 - 7 * k, 1e-4);
    EXPECT_FLOAT_EQ(hline.x1, 15);
    EXPECT_FLOAT_EQ(hline.x2, 115);
    const auto& amount = texts[13 + static_cast<std::size_t>(k)];
    static const char* kAmounts[] = {"0",      "10,000", "20,000", "30,000", "40,000", "50,000",
                                     "60,000", "70,000", "80,000", "90,000", "100,000"};
    EXPECT_EQ(amount.text, QString::fromUtf8(kAmounts[k]));
    const std::string plainAmount = std::to_string(10000 * k);
    EXPECT_NEAR(amount.x1, 15 - p.surface().TextWidth(plainAmount) - 2, 1e-4);
    EXPECT_NEAR(amount.y1, hline.y1 - h / 2, 1e-4);
  }
  const auto axes = opsOf(w, tk::DrawOp::Line, 2);
  ASSERT_GE(axes.size(), 2u);
  EXPECT_EQ(axes[0].x1, 15);
  EXPECT_EQ(axes[0].x2, 115);
  EXPECT_EQ(axes[0].y1, 120);
  EXPECT_EQ(axes[1].y2, 50);
  EXPECT_EQ(p.state().priceStep, 10);
  EXPECT_EQ(p.state().amountStep, 10000);
  EXPECT_EQ(p.surface().ForeColor, p.state().drawColor);
  EXPECT_EQ(p.surface().DrawWidth, 2);
}

TEST(StartUpPicture, StateAfterLoad) {
  app::FrmPlot w;
  FrmPlotProbe p(w);
  const core::ChartState& s = p.state();
  EXPECT_EQ(s.quantity, 1000);
  EXPECT_EQ(s.buyPrice, 1);
  EXPECT_EQ(s.sellPrice, 1);
  EXPECT_EQ(s.settings, core::builtInSettings());  // with no settings file
  EXPECT_EQ(s.selectionActive, core::kFalse);
  EXPECT_EQ(s.compactMode, core::kFalse);
  EXPECT_FALSE(p.ui().CmdUndo->isEnabled());
  EXPECT_FALSE(p.ui().CmdRedo->isEnabled());
  EXPECT_EQ(s.historyIndex, 0);
  ASSERT_EQ(p.state().viewHistory.size(), 1u);
  EXPECT_EQ(p.state().viewHistory[0], (core::SavedView{0, 100, 0, 100000}));
  EXPECT_TRUE(p.ui().ShpArea->isHidden());
  for (QTimer* t : {p.ui().TmrQ, p.ui().TmrSQ, p.ui().TmrSuuryo, p.ui().TmrSSuuryo, p.ui().TmrSell,
                    p.ui().TmrSSell}) {
    EXPECT_FALSE(t->isActive());
    EXPECT_EQ(t->interval(), 500);
    EXPECT_EQ(t->timerType(), Qt::PreciseTimer);
  }
}

TEST_F(WindowTest, FirstShowFitsThePlotAreaToTheInitialClientArea) {
  EXPECT_EQ(tk::pxToTwips(window->width()), 14595);  // the client area
  EXPECT_EQ(tk::pxToTwips(window->height()), 10710);
  EXPECT_NEAR(state().graphWidth, tk::outerWidthTwips(window.get()) / 57.0 - 70, 1e-4);
  EXPECT_NEAR(state().graphBottom - state().graphHeight, 60, 1e-4);
  EXPECT_EQ(state().graphLeft, 15);
}

TEST_F(WindowTest, ResizeGeometryFollowsTheWindow) {
  struct Case {
    int width, height;
    float graphWidth, graphBottom, graphHeight;
  };
  for (const Case& c :
       {Case{7000, 6000, 52.807f, 85.263f, 25.263f}, Case{9000, 8000, 87.895f, 120.351f, 60.351f},
        Case{14115, 11115, 177.632f, 175.000f, 115.000f}}) {
    resizeTwips(*window, c.width, c.height);
    const core::ChartState& s = state();
    EXPECT_NEAR(s.graphWidth, c.graphWidth, kOnePixelMm) << c.width;
    EXPECT_NEAR(s.graphBottom, c.graphBottom, kOnePixelMm) << c.height;
    EXPECT_NEAR(s.graphHeight, c.graphHeight, kOnePixelMm) << c.height;
    EXPECT_NEAR(s.graphBottom - s.graphHeight, 60, 1e-4);
    EXPECT_FLOAT_EQ(ui().LblSoneki->topMm(), s.graphBottom + 5);
    EXPECT_FLOAT_EQ(ui().LblRieki->topMm(), s.graphBottom + 7);
    // The redraw used the new plot area: the price axis ends at its right edge.
    const auto axes = opsOf(*window, tk::DrawOp::Line, 2);
    ASSERT_FALSE(axes.empty());
    EXPECT_FLOAT_EQ(axes[0].x2, s.graphLeft + s.graphWidth);
  }
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(WindowTest, TooSmallIsRaisedToTheMinimumInTheOffendingDimensionOnly) {
  resizeTwips(*window, 6000, 9000);
  EXPECT_NEAR(tk::outerWidthTwips(window.get()), 7000, tk::kTwipsPerPx);
  EXPECT_EQ(tk::outerHeightTwips(window.get()), 9000);
  resizeTwips(*window, 9000, 3000);
  EXPECT_EQ(tk::outerWidthTwips(window.get()), 9000);
  EXPECT_NEAR(tk::outerHeightTwips(window.get()), 6000, tk::kTwipsPerPx);
  // The rule itself raises the size, also where no window manager enforces the minimum.
  window->setMinimumSize(0, 0);
  resizeTwips(*window, 3000, 3000);
  EXPECT_NEAR(tk::outerWidthTwips(window.get()), 7000, tk::kTwipsPerPx);
  EXPECT_NEAR(tk::outerHeightTwips(window.get()), 6000, tk::kTwipsPerPx);
  EXPECT_NEAR(state().graphBottom - state().graphHeight, 60, 1e-4);
}

TEST_F(WindowTest, CompactToggleSwitchesBetweenTheTwoSizes) {
  QTest::mouseClick(ui().CmdSize, Qt::LeftButton);
  QCoreApplication::processEvents();
  EXPECT_EQ(tk::outerWidthTwips(window.get()), 9000);
  EXPECT_NEAR(tk::outerHeightTwips(window.get()), 8000, tk::kTwipsPerPx);
  EXPECT_EQ(ui().CmdSize->text(), QStringLiteral("大きくする"));
  EXPECT_EQ(ui().CmdSize->accessibleName(), QStringLiteral("大きくする"));
  EXPECT_EQ(state().compactMode, core::kTrue);
  EXPECT_NEAR(state().graphWidth, 87.895, kOnePixelMm);

  QTest::mouseClick(ui().CmdSize, Qt::LeftButton);
  QCoreApplication::processEvents();
  EXPECT_EQ(tk::outerWidthTwips(window.get()), 14115);
  EXPECT_EQ(tk::outerHeightTwips(window.get()), 11115);
  EXPECT_EQ(ui().CmdSize->text(), QStringLiteral("小さくする"));
  EXPECT_EQ(state().compactMode, core::kFalse);
  EXPECT_NEAR(state().graphBottom, 175, kOnePixelMm);
}

TEST_F(WindowTest, MaximisedOrMinimisedWindowIgnoresTheToggleSilently) {
  for (Qt::WindowState locked : {Qt::WindowMaximized, Qt::WindowMinimized}) {
    window->setWindowState(locked);
    QCoreApplication::processEvents();
    const QSize before = window->size();
    probe().CmdSize_Click();
    probe().Form_Resize();
    EXPECT_EQ(window->size(), before);
    EXPECT_EQ(state().compactMode, core::kFalse);
    EXPECT_EQ(ui().CmdSize->text(), QStringLiteral("小さくする"));
    window->setWindowState(Qt::WindowNoState);
    QCoreApplication::processEvents();
  }
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(WindowTest, PictureIsRetainedAndShowsTheAmountLines) {
  const QImage first = window->grab().toImage();
  window->hide();
  window->show();
  window->update();
  QCoreApplication::processEvents();
  EXPECT_EQ(window->grab().toImage(), first);

  // The light-green buy segment is on screen where the display list put it.
  const auto lines = opsOf(*window, tk::DrawOp::Line, 2);
  const auto seg = std::find_if(lines.begin(), lines.end(), [](const tk::DrawOp& op) {
    return op.colour == core::RGB(128, 255, 128);
  });
  ASSERT_NE(seg, lines.end());
  const QPoint mid(static_cast<int>(tk::mmToPx((seg->x1 + seg->x2) / 2)),
                   static_cast<int>(tk::mmToPx((seg->y1 + seg->y2) / 2)));
  bool found = false;
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy) {
      const QColor c = first.pixelColor(mid + QPoint(dx, dy));
      found |= std::abs(c.red() - 128) < 30 && c.green() > 225 && std::abs(c.blue() - 128) < 30;
    }
  EXPECT_TRUE(found);
}

TEST_F(WindowTest, PictureIsSharpAtDoubleDensity) {
  QImage image(window->size() * 2, QImage::Format_ARGB32);
  image.setDevicePixelRatio(2);
  window->render(&image);
  // The left axis (2 logical px wide) covers four device pixels of solid black.
  const int x = static_cast<int>(std::floor(tk::mmToPx(state().graphLeft) * 2));
  const int y = static_cast<int>(tk::mmToPx(state().graphBottom - 10) * 2);
  int black = 0;
  for (int dx = -3; dx <= 3; ++dx) black += image.pixelColor(x + dx, y) == QColor(Qt::black);
  EXPECT_GE(black, 3);
}

// The window paints its chart from a cached picture: the same pixels as replaying the display list
// on the window's grey, at 1x and at 2x, for the whole window and for a part of it, and again
// after the chart changed; also at ratios where the picture cannot start at its own corner.
TEST_F(WindowTest, CachedChartPaintsTheSamePixelsAsTheDisplayList) {
  const auto differingPixels = [](const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
  };
  const auto replayed = [&](qreal ratio) {
    QImage image(window->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(128, 128, 128));
    QPainter painter(&image);
    surface().paint(painter);
    return image;
  };
  const auto cached = [&](qreal ratio, const QRegion& part) {
    QImage image = replayed(ratio);  // what lies outside the part stays as replayed
    window->render(&image, part.boundingRect().topLeft(), part, QWidget::RenderFlags());
    return image;
  };
  for (const char* quantity : {"1000", "250000"}) {
    ui().TxtQua->setText(QString::fromLatin1(quantity));
    for (qreal ratio : {1.0, 2.0, 1.5, 1.2345}) {  // the last has no small whole multiple
      const QRegion whole(window->rect());
      const QRegion part(QRect(100, 300, 240, 120));
      EXPECT_EQ(differingPixels(cached(ratio, whole), replayed(ratio)), 0)
          << quantity << " " << ratio;
      EXPECT_EQ(differingPixels(cached(ratio, part), replayed(ratio)), 0)
          << quantity << " " << ratio;
    }
  }
}

// The surface fills an axis-parallel line as the rectangle it covers: the same pixels a painter's
// flat-capped line of that width sets, at any density.
TEST_F(WindowTest, FilledGridLinesSetTheSamePixelsAsStrokedOnes) {
  const auto stroked = [&](qreal ratio) {
    QImage image(window->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::gray);
    QPainter painter(&image);
    for (const tk::DrawOp& op : surface().ops()) {
      if (op.kind != tk::DrawOp::Line || (op.x1 != op.x2 && op.y1 != op.y2)) continue;
      QPen pen(tk::toQColor(op.colour), op.width);
      pen.setCapStyle(Qt::FlatCap);
      painter.setPen(pen);
      painter.drawLine(QPointF(tk::mmToPx(op.x1), tk::mmToPx(op.y1)),
                       QPointF(tk::mmToPx(op.x2), tk::mmToPx(op.y2)));
    }
    return image;
  };
  const auto filled = [&](qreal ratio) {
    QImage image(window->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::gray);
    tk::DrawingSurface grid;
    for (const tk::DrawOp& op : surface().ops()) {
      if (op.kind != tk::DrawOp::Line || (op.x1 != op.x2 && op.y1 != op.y2)) continue;
      grid.ForeColor = op.colour;
      grid.DrawWidth = op.width;
      grid.Line(op.x1, op.y1, op.x2, op.y2);
    }
    QPainter painter(&image);
    grid.paint(painter);
    return image;
  };
  for (int step = 0; step < 6; ++step) {
    if (step % 2) ui().CmdZoom->click();
    if (step == 3) ui().CmdMoveRight->click();
    for (qreal ratio : {1.0, 1.5, 2.0, 3.0})
      EXPECT_TRUE(stroked(ratio) == filled(ratio)) << "step " << step << " at " << ratio;
  }
}

// 損益 and its caption keep the left edges the layout gives them through resizes, the compact
// window and new captions; only their tops follow the plot.
TEST_F(WindowTest, ProfitLossLabelsKeepTheirLeftEdges) {
  const auto expectLeftEdges = [&](const char* when) {
    SCOPED_TRACE(when);
    EXPECT_FLOAT_EQ(ui().LblRieki->leftMm(), tk::twipsToMm(315));
    EXPECT_FLOAT_EQ(ui().LblSoneki->leftMm(), tk::twipsToMm(840));
    // The widget starts at the whole pixel at or left of its exact edge.
    EXPECT_NEAR(ui().LblRieki->x(), tk::twipsToPx(315), 1);
    EXPECT_NEAR(ui().LblSoneki->x(), tk::twipsToPx(840), 1);
  };
  expectLeftEdges("at start");
  ui().TxtSP->setText(QStringLiteral("99.99"));
  expectLeftEdges("a wider caption");
  resizeTwips(*window, 9000, 8000);
  expectLeftEdges("resized");
  probe().CmdSize_Click();
  expectLeftEdges("compact");
}
