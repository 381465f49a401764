// The chart as a picture: Ctrl+S writes the window as PNG (twice the screen's density) or SVG (the
// display list, the shown marker lines and the labels, in millimetres), atomically, and says why
// when it cannot; Ctrl+Shift+C puts the bitmap on the clipboard.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <map>

#include "app/tk/save_dialog.h"
#include "window_fixture.h"

namespace {

class PictureTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    ASSERT_TRUE(dir.isValid());
    // Window shortcuts work in the active window only.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    tk::setSavePathChooser([this](QWidget*, const QString& suggested) {
      suggestions << suggested;
      return answer;
    });
  }
  void TearDown() override {
    tk::setSavePathChooser({});
    WindowTest::TearDown();
  }
  void pressSave() { QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier); }
  QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
  // Every file in the folder, so a left-over temporary file shows.
  QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

  QTemporaryDir dir;
  QString answer;  // what the dialog returns; empty is a cancel
  QStringList suggestions;
};

// How many of each element the SVG holds; empty when it does not parse.
std::map<QString, int> elementCounts(const QString& file, QString* rootWidth) {
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return {};
  QXmlStreamReader xml(&f);
  std::map<QString, int> counts;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QStringLiteral("svg"))
      *rootWidth = xml.attributes().value(QStringLiteral("width")).toString();
    ++counts[xml.name().toString()];
  }
  if (xml.hasError()) return {};
  return counts;
}

}  // namespace

TEST_F(PictureTest, PngIsTheWindowAtTwiceTheScreensDensity) {
  ui().TxtQua->setText(QStringLiteral("3000"));
  ui().TxtBP->setText(QStringLiteral("35.20"));
  ui().TxtSP->setText(QStringLiteral("72.45"));
  answer = path("chart.png");
  pressSave();
  ASSERT_EQ(suggestions.size(), 1);
  EXPECT_EQ(QFileInfo(suggestions[0]).fileName(), QStringLiteral("hoshinami-3000-35.2-72.45.png"));
  EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(files(), QStringList{QStringLiteral("chart.png")});
  QImage image(answer);
  ASSERT_FALSE(image.isNull());
  const double ratio = 2 * window->devicePixelRatioF();
  EXPECT_EQ(image.width(), static_cast<int>(std::ceil(window->width() * ratio)));
  EXPECT_EQ(image.height(), static_cast<int>(std::ceil(window->height() * ratio)));
  // The grey window and the chart's black lines are on it, not a blank image.
  EXPECT_EQ(image.pixelColor(2, 2), QColor(128, 128, 128));
  const QPoint axis(static_cast<int>(tk::mmToPx(state().graphLeft) * ratio),
                    static_cast<int>(tk::mmToPx(state().graphBottom - 20) * ratio));
  bool dark = false;
  for (int dx = -3; dx <= 3; ++dx) dark |= image.pixelColor(axis + QPoint(dx, 0)).value() < 60;
  EXPECT_TRUE(dark);

  QTest::keyClick(window.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  const QImage copied = QGuiApplication::clipboard()->image();
  EXPECT_EQ(copied.size(), image.size());
}

TEST_F(PictureTest, SvgHoldsTheDisplayListMarkersAndLabelsInMillimetres) {
  ui().TxtBP->setText(QStringLiteral("35.20"));
  ui().TxtSP->setText(QStringLiteral("150"));  // off the view: both sell lines are hidden
  answer = path("chart.svg");
  pressSave();
  EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
  QString width;
  const auto counts = elementCounts(answer, &width);
  ASSERT_FALSE(counts.empty());
  int lines = 0, texts = 0;
  for (const auto& op : surface().ops()) (op.kind == tk::DrawOp::Line ? lines : texts)++;
  int markers = 0;
  for (auto* line : {ui().LinB, ui().LinS, ui().LinBYaku, ui().LinSYaku})
    markers += !line->isHidden();
  EXPECT_EQ(markers, 2);
  EXPECT_EQ(counts.at(QStringLiteral("polyline")), lines + markers);
  EXPECT_EQ(counts.at(QStringLiteral("text")), texts + 6);  // and the six labels
  EXPECT_EQ(width, QString::number(tk::pxToMm(window->width()), 'g', 6) + QStringLiteral("mm"));
}

TEST_F(PictureTest, AFailedSaveSaysWhyAndLeavesNothing) {
  QFile plain(path("plain"));
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  plain.close();
  struct Case {
    QString target;
  };
  const Case cases[] = {{path("plain") + QStringLiteral("/x.png")},  // a folder that is a file
                        {path("plain") + QStringLiteral("/x.svg")},
                        {QStringLiteral("/proc/hoshinami-picture.png")},  // no files made there
                        {path("missing/x.png")}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target.toStdString());
    messages.clear();
    const SavedView view = currentView(state());
    const QString quantity = ui().TxtQua->text();
    answer = c.target;
    pressSave();
    ASSERT_EQ(messages.size(), 1);
    const QStringList parts = messages[0].split(QLatin1Char('\n'));
    ASSERT_EQ(parts.size(), 3);
    EXPECT_EQ(parts[0], QStringLiteral("画像を保存できませんでした。"));
    EXPECT_EQ(parts[1], c.target);
    EXPECT_FALSE(parts[2].isEmpty());
    EXPECT_FALSE(QFile::exists(c.target));
    EXPECT_EQ(currentView(state()), view);
    EXPECT_EQ(ui().TxtQua->text(), quantity);
  }
  EXPECT_EQ(files(), QStringList{QStringLiteral("plain")});

  // A cancelled dialog: nothing at all.
  messages.clear();
  answer.clear();
  pressSave();
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_EQ(files(), QStringList{QStringLiteral("plain")});
}
