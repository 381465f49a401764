// The window as a picture: Ctrl+S writes it as PNG, SVG or PDF as the file's suffix says, through
// one painting of the window, atomically, and says why when it cannot; Ctrl+Shift+C puts the
// bitmap on the clipboard. The window's own paints copy a picture of the chart that must never
// outlive a change.
#include "app/tk/picture.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QBackingStore>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>
#include <functional>

#include "app/tk/save_dialog.h"
#include "core/trade_settings.h"
#include "window_fixture.h"

namespace {

std::vector<tk::FileKind> pictureKinds() {
  std::vector<tk::FileKind> kinds;
  for (const tk::PictureFormat& format : tk::pictureFormats()) kinds.push_back(format.kind);
  return kinds;
}

QString filterOf(const QString& suffix) {
  for (const tk::FileKind& kind : pictureKinds())
    if (kind.suffix == suffix) return kind.filter;
  return {};
}

QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The texts of an SVG, run after run (a text is written in runs of one script each), and whether
// every font it names ends in a generic family.
struct SvgTexts {
  QString texts;
  bool everyFontFallsBack = true;
  bool wellFormed = false;
  QString width;
};
SvgTexts readSvg(const QByteArray& bytes) {
  SvgTexts svg;
  QXmlStreamReader xml(bytes);
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QStringLiteral("svg")) svg.width = xml.attributes().value("width").toString();
    if (xml.attributes().hasAttribute("font-family"))
      svg.everyFontFallsBack &=
          xml.attributes().value("font-family").endsWith(QStringLiteral(", sans-serif"));
    if (xml.name() == QStringLiteral("text")) svg.texts += xml.readElementText();
  }
  svg.wellFormed = !xml.hasError();
  return svg;
}

}  // namespace

TEST_F(WindowTest, SavedPicturesTakeTheirFormatFromTheSuffix) {
  QTemporaryDir dir;
  tk::SaveChoice answer;  // the dialog's answer; an empty path is a cancel
  QStringList suggested;
  tk::setSavePathChooser([&](QWidget*, const QString& name, const QStringList&) {
    suggested << QFileInfo(name).fileName();
    return answer;
  });
  window->activateWindow();  // window shortcuts work in the active window
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  const auto save = [&](const QString& name, const QString& suffixOfFilter) {
    answer = {name.isEmpty() ? QString() : dir.filePath(name), filterOf(suffixOfFilter)};
    messages.clear();
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
  };
  const auto files = [&] {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
  };
  ui().TxtQua->setText(QStringLiteral("2000"));
  ui().TxtBP->setText(QStringLiteral("35.20"));
  ui().TxtSP->setText(QStringLiteral("150"));

  // The chosen name's suffix picks the writer, in any case, whatever kind is selected; a suffix
  // that names no format gets the selected kind's.
  const struct {
    const char* name;
    const char* selected;
    const char* written;
    QByteArray magic;
  } cases[] = {
      {"chart.png", "png", "chart.png", "\x89PNG\r\n"}, {"chart.SVG", "png", "chart.SVG", "<?xml"},
      {"chart.pdf", "svg", "chart.pdf", "%PDF-"},       {"noext", "svg", "noext.svg", "<?xml"},
      {"chart.jpg", "pdf", "chart.jpg.pdf", "%PDF-"},
  };
  for (const auto& c : cases) {
    save(QString::fromUtf8(c.name), QString::fromLatin1(c.selected));
    EXPECT_TRUE(contents(dir.filePath(QString::fromUtf8(c.written))).startsWith(c.magic)) << c.name;
    EXPECT_TRUE(messages.isEmpty()) << c.name;
  }
  EXPECT_EQ(suggested.value(0), QStringLiteral("hoshinami-2000-35.2-150.png"));
  QStringList written;
  for (const auto& c : cases) written << QString::fromUtf8(c.written);
  written.sort(Qt::CaseInsensitive);
  EXPECT_EQ(files(), written);

  // The bitmap: twice the screen's density, the window itself, and the clipboard's copy of it.
  const QImage png(dir.filePath(QStringLiteral("chart.png")));
  const double ratio = 2 * window->devicePixelRatioF();
  EXPECT_EQ(png.size(),
            QSize(std::ceil(window->width() * ratio), std::ceil(window->height() * ratio)));
  EXPECT_EQ(png.pixelColor(2, 2), QColor(128, 128, 128));
  QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), png.size());
  // Beside it the trade and its figures as text, for a spreadsheet.
  EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(QStringLiteral("\n2000\t35.2\t150\t")));

  // The vector drawing is in millimetres and shows what the window shows: the frames, the
  // buttons, the labels and the chart's own texts, each naming fonts other renderers can fall
  // back on.
  const SvgTexts svg = readSvg(contents(dir.filePath(QStringLiteral("noext.svg"))));
  EXPECT_TRUE(svg.wellFormed);
  EXPECT_TRUE(svg.everyFontFallsBack);
  EXPECT_EQ(svg.width, QString::number(tk::pxToMm(window->width()), 'g', 6) + QStringLiteral("mm"));
  QStringList shown = printedTexts();
  shown << ui().Frame1->title() << ui().CmdSize->text() << ui().LblRieki->text()
        << ui().LblSoneki->text() << ui().LblBuy->text() << ui().TxtQua->text();
  for (const QString& text : shown)
    EXPECT_TRUE(svg.texts.contains(tk::displayText(text).trimmed())) << text.toStdString();

  // One page of the window's size: points are 3/4 of a logical pixel.
  const QRegularExpression mediaBox(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
  const auto page = mediaBox.match(QString::fromLatin1(contents(dir.filePath("chart.pdf"))));
  ASSERT_TRUE(page.hasMatch());
  EXPECT_NEAR(page.captured(1).toDouble(), window->width() * 0.75, 1);
  EXPECT_NEAR(page.captured(2).toDouble(), window->height() * 0.75, 1);

  // A failed save names the path and the reason and leaves no file; a cancel does nothing.
  const QString plainFile = dir.filePath(QStringLiteral("chart.png"));
  const core::SavedView view = core::currentView(state());
  for (const QString& target : {plainFile + QStringLiteral("/x.png"),  // a folder that is a file
                                plainFile + QStringLiteral("/x.pdf"),
                                QStringLiteral("/proc/hoshinami-picture.svg"),  // no files there
                                dir.filePath(QStringLiteral("missing/x.png"))}) {
    answer = {target, filterOf(QStringLiteral("png"))};
    messages.clear();
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(messages.size(), 1) << target.toStdString();
    const QStringList parts = messages[0].split(QLatin1Char('\n'));
    ASSERT_EQ(parts.size(), 3);
    EXPECT_EQ(parts[0], QStringLiteral("画像を保存できませんでした。"));
    EXPECT_EQ(parts[1], target);
    EXPECT_FALSE(parts[2].isEmpty());  // the reason
    EXPECT_FALSE(QFile::exists(target));
  }
  save(QString(), QStringLiteral("png"));  // cancelled
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_EQ(files(), written);
  EXPECT_EQ(core::currentView(state()), view);
}

// The real dialog completes a name whose suffix names no format before it accepts it, so it asks
// before replacing the file of the completed name, and writes it only when told to.
TEST_F(WindowTest, TheSaveDialogAsksBeforeReplacingTheCompletedName) {
  QTemporaryDir dir;
  const QString existing = dir.filePath(QStringLiteral("chart.jpg.pdf"));
  QFile(existing).open(QIODevice::WriteOnly);
  for (const QMessageBox::StandardButton reply : {QMessageBox::No, QMessageBox::Yes}) {
    QStringList asked;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      dialog->selectNameFilter(filterOf(QStringLiteral("pdf")));
      dialog->selectFile(dir.filePath(QStringLiteral("chart.jpg")));
      QTimer::singleShot(0, [&, dialog] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box) {
          asked << box->text();
          box->button(reply)->click();
        }
        // Told not to replace, the dialog stays open for another name: cancel it then.
        QTimer::singleShot(0, dialog, [dialog] {
          if (dialog->isVisible()) dialog->reject();
        });
      });
      static_cast<QDialog*>(dialog)->accept();  // as the dialog's Save button does
    });
    const QString path =
        tk::chooseSavePath(window.get(), dir.filePath(QStringLiteral("x.png")), pictureKinds());
    ASSERT_EQ(asked.size(), 1) << reply;
    EXPECT_TRUE(asked[0].contains(QStringLiteral("chart.jpg.pdf"))) << asked[0].toStdString();
    EXPECT_EQ(path, reply == QMessageBox::Yes ? existing : QString());
  }
}

// The window paints its chart from a picture kept between paints. After any change of the chart
// (quantity, view, window size, settings), paints at the same density show the new chart, pixel
// for pixel as a replay of the new display list, never what the kept picture showed.
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
  bool dearFees = false;
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
      {"fees",
       [&] {
         core::TradeSettings settings = core::builtInSettings();
         dearFees = !dearFees;
         if (dearFees) settings.fees.front().fee *= 10;
         probe().ApplySettings(settings);
       }},
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

// Where a pixel is a pixel, the window's repaints write the kept chart and the selection's dashes
// straight into its image. What the window then shows must be exactly what its painted render
// shows (the dashed pen's rectangle over the chart): at every size of the rectangle, and with no
// outline left where the rectangle was.
TEST_F(WindowTest, DirectRepaintsShowWhatThePainterPaints) {
  QApplication::processEvents();
  probe().Form_MouseDown(80, 120);
  const std::pair<double, double> corners[] = {{140, 150}, {40, 70},  {81, 121}, {80.5, 150},
                                               {200, 120}, {79, 119}, {120, 60}, {140, 150}};
  for (const auto& [x, y] : corners) {
    const QPointF at(tk::mmToPx(x), tk::mmToPx(y));
    QMouseEvent move(QEvent::MouseMove, at, window->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(window.get(), &move);
    QApplication::processEvents();
    QApplication::processEvents();  // a control shown the first time paints on the next turn
    const auto* shown = dynamic_cast<const QImage*>(window->backingStore()->paintDevice());
    ASSERT_TRUE(shown);
    QImage rendered(window->size(), shown->format());
    window->render(&rendered);
    EXPECT_EQ(shown->copy(window->rect()), rendered) << x << ", " << y;
  }
}
