// The chart as a picture: Ctrl+S writes the window as PNG (twice the screen's density) or SVG (the
// display list, the shown marker lines and the labels, in millimetres), atomically, and says why
// when it cannot; Ctrl+Shift+C puts the bitmap on the clipboard.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <functional>

#include "app/tk/save_dialog.h"
#include "window_fixture.h"

TEST_F(WindowTest, SavedAndCopiedPicturesAndFailedSaves) {
  QTemporaryDir dir;
  QString answer;  // the dialog's answer; empty is a cancel
  QStringList suggested;
  tk::setSavePathChooser([&](QWidget*, const QString& name) {
    suggested << QFileInfo(name).fileName();
    return answer;
  });
  window->activateWindow();  // window shortcuts work in the active window
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  const auto save = [&](const QString& path) {
    answer = path;
    messages.clear();
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
  };
  const auto files = [&] { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); };
  ui().TxtQua->setText(QStringLiteral("2000"));
  ui().TxtBP->setText(QStringLiteral("35.20"));
  ui().TxtSP->setText(QStringLiteral("150"));  // off the view, with its amount: no sell lines

  save(dir.filePath(QStringLiteral("chart.png")));
  EXPECT_EQ(suggested, QStringList{QStringLiteral("hoshinami-2000-35.2-150.png")});
  const QImage png(answer);
  const double ratio = 2 * window->devicePixelRatioF();
  EXPECT_EQ(png.size(),
            QSize(std::ceil(window->width() * ratio), std::ceil(window->height() * ratio)));
  EXPECT_EQ(png.pixelColor(2, 2), QColor(128, 128, 128));  // the window, not a blank image
  QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), png.size());

  save(dir.filePath(QStringLiteral("chart.svg")));
  QFile svg(answer);
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&svg);
  std::map<QString, int> count;
  QString width;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QStringLiteral("svg")) width = xml.attributes().value("width").toString();
    ++count[xml.name().toString()];
  }
  EXPECT_FALSE(xml.hasError());
  int lines = 0, texts = 0;
  for (const auto& op : surface().ops()) ++(op.kind == tk::DrawOp::Line ? lines : texts);
  EXPECT_EQ(count[QStringLiteral("polyline")], lines + 2);  // and the two buy marker lines
  EXPECT_EQ(count[QStringLiteral("text")], texts + 6);      // and the six labels
  EXPECT_EQ(width, QString::number(tk::pxToMm(window->width()), 'g', 6) + QStringLiteral("mm"));
  EXPECT_TRUE(messages.isEmpty());

  const QString plainFile = dir.filePath(QStringLiteral("chart.png"));
  const SavedView view = currentView(state());
  for (const QString& target : {plainFile + QStringLiteral("/x.png"),  // a folder that is a file
                                plainFile + QStringLiteral("/x.svg"),
                                QStringLiteral("/proc/hoshinami-picture.png"),  // no files there
                                dir.filePath(QStringLiteral("missing/x.png"))}) {
    save(target);
    ASSERT_EQ(messages.size(), 1) << target.toStdString();
    const QStringList parts = messages[0].split(QLatin1Char('\n'));
    ASSERT_EQ(parts.size(), 3);
    EXPECT_EQ(parts[0], QStringLiteral("画像を保存できませんでした。"));
    EXPECT_EQ(parts[1], target);
    EXPECT_FALSE(parts[2].isEmpty());  // the reason
    EXPECT_FALSE(QFile::exists(target));
  }
  save(QString());  // cancelled
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_EQ(files(), (QStringList{QStringLiteral("chart.png"), QStringLiteral("chart.svg")}));
  EXPECT_EQ(currentView(state()), view);
  tk::setSavePathChooser({});
}

// The window paints its chart from a picture kept between paints. After any change of the chart,
// paints at the same density show the new chart, pixel for pixel as a replay of the new display
// list, never what the kept picture showed.
TEST_F(WindowTest, NoStalePixelAfterAChange) {
  const auto painted = [&](qreal ratio) {
    QImage image(window->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    window->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());  // the window's own paint
    return image;
  };
  const auto replayed = [&](qreal ratio) {
    QImage image(window->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(window->palette().color(QPalette::Window));
    QPainter painter(&image);
    surface().paint(painter);
    return image;
  };
  const std::pair<const char*, std::function<void()>> changes[] = {
      {"quantity",
       [&] {
         const bool large = ui().TxtQua->text() == QStringLiteral("250000");
         ui().TxtQua->setText(large ? QStringLiteral("1000") : QStringLiteral("250000"));
       }},
      {"zoom out", [&] { ui().CmdZoom->click(); }},
      {"move right", [&] { ui().CmdMoveRight->click(); }},
      {"back", [&] { ui().CmdUndo->click(); }},
      {"compact window", [&] { probe().CmdSize_Click(); }},
  };
  for (const qreal ratio : {1.0, 2.0}) {
    for (const auto& [what, change] : changes) {
      painted(ratio);
      const QImage before = painted(ratio);  // from the kept picture
      change();
      QApplication::processEvents();
      const QImage fresh = replayed(ratio);
      EXPECT_NE(before, fresh) << what << " changed nothing";
      EXPECT_EQ(painted(ratio), fresh) << what << " at " << ratio;
      EXPECT_EQ(painted(ratio), fresh) << what << " at " << ratio << ", second paint";
    }
  }
}
