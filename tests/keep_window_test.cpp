// The window keeps its last trade, size and view per settings file and comes back with them; the
// named trades are saved, chosen and deleted from the list under the buttons; Ctrl+P prints.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontMetricsF>
#include <QPrinter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <vector>

#include "app/tk/fresh_combo_box.h"
#include "app/tk/page_output.h"
#include "app/trades_store.h"
#include "window_fixture.h"

namespace {

class KeepWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    tk::setMessageSink([this](QWidget*, const QString& text) { messages.push_back(text); });
    tk::setQuestionSink([this](QWidget*, const QString& text) {
      questions.push_back(text);
      return answer;
    });
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
  }
  void TearDown() override {
    WindowTest::TearDown();
    tk::setQuestionSink({});
  }
  void open(const QString& settings) {
    window = std::make_unique<app::FrmPlot>(settings);
    window->show();
  }
  QString keptFile(const char* name) const {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u'/' +
           QString::fromLatin1(name);
  }
  void type(const QString& quantity, const QString& buy, const QString& sell) {
    ui().TxtQua->setText(quantity);
    ui().TxtBP->setText(buy);
    ui().TxtSP->setText(sell);
  }
  QStringList fields() const {
    return {ui().TxtQua->text(), ui().TxtBP->text(), ui().TxtSP->text()};
  }

  QTemporaryDir data, config;
  QStringList questions;
  bool answer = true;
};

}  // namespace

TEST_F(KeepWindowTest, EachSettingsFileComesBackAsItWasLeft) {
  const QString a = config.filePath(QStringLiteral("a.json")), b = config.filePath("b.json");
  open(a);
  const core::SavedView startView = core::currentView(state());
  const QStringList startFields = fields();
  EXPECT_EQ(ui().TmrKeep->interval(), 1000);
  EXPECT_TRUE(ui().TmrKeep->isSingleShot());
  tick(ui().TmrKeep);
  EXPECT_FALSE(QFile::exists(keptFile("state.json")));  // nothing changed: nothing written
  ui().TmrKeep->stop();
  type(QStringLiteral("300"), QStringLiteral("1234"), QStringLiteral("1250"));
  EXPECT_TRUE(ui().TmrKeep->isActive());
  // The target and the switch restart the timer like the fields.
  for (const auto& change :
       std::vector<std::function<void()>>{[&] { ui().TxtTarget->setText(QStringLiteral("-500")); },
                                          [&] { ui().ChkNisa->setChecked(true); }}) {
    ui().TmrKeep->stop();
    change();
    EXPECT_TRUE(ui().TmrKeep->isActive());
  }
  probe().CmdSize_Click();
  probe().Form_MouseDown(40, 70);  // a zoom
  probe().Form_MouseDown(60, 90);
  const core::SavedView zoomed = core::currentView(state());
  tick(ui().TmrKeep);
  EXPECT_TRUE(QFile::exists(keptFile("state.json")));
  window.reset();

  open(b);  // another settings file: today's start
  EXPECT_EQ(fields(), startFields);
  EXPECT_EQ(core::currentView(state()), startView);
  ui().TxtQua->setText(QStringLiteral("5000"));
  window->close();  // written at once when the window closes
  window.reset();

  open(a);
  EXPECT_EQ(fields(), (QStringList{"300", "1234", "1250"}));
  EXPECT_EQ(ui().TxtTarget->text(), QStringLiteral("-500"));
  EXPECT_TRUE(ui().ChkNisa->isChecked());
  EXPECT_TRUE(state().nisa);
  EXPECT_EQ(state().compactMode, core::kTrue);
  EXPECT_EQ(core::currentView(state()), zoomed);
  EXPECT_EQ(state().viewHistory.size(), 1u);  // the history is not kept
  EXPECT_FALSE(ui().CmdUndo->isEnabled());
  window.reset();
  open(b);
  EXPECT_EQ(ui().TxtQua->text(), QStringLiteral("5000"));
  EXPECT_FALSE(ui().ChkNisa->isChecked());
  EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

TEST_F(KeepWindowTest, NamedTradesAreSavedChosenAndDeletedAfterAQuestion) {
  open(QString());
  QComboBox* names = ui().CmbTrades;
  EXPECT_FALSE(ui().CmdSaveTrade->isEnabled());  // no name yet
  type(QStringLiteral("300"), QStringLiteral("1234"), QStringLiteral("1250"));
  ui().TxtTarget->setText(QStringLiteral("10000"));
  ui().ChkNisa->setChecked(true);
  names->setEditText(QStringLiteral("トヨタ"));
  QTest::mouseClick(ui().CmdSaveTrade, Qt::LeftButton);
  type(QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("60"));
  ui().TxtTarget->clear();
  ui().ChkNisa->setChecked(false);
  names->setEditText(QStringLiteral("ソニー"));
  QTest::mouseClick(ui().CmdSaveTrade, Qt::LeftButton);
  EXPECT_TRUE(questions.isEmpty());
  ASSERT_EQ(names->count(), 2);

  // Replacing asks; いいえ keeps the one saved.
  type(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"));
  names->setEditText(QStringLiteral("トヨタ"));
  answer = false;
  QTest::mouseClick(ui().CmdSaveTrade, Qt::LeftButton);
  ASSERT_EQ(questions.size(), 1);
  EXPECT_TRUE(questions[0].contains(QStringLiteral("トヨタ")));

  // Choosing a name brings its trade back and fits the view to it, as one view 戻る undoes.
  const std::size_t views = state().viewHistory.size();
  const core::SavedView before = core::currentView(state());
  names->activated(names->findText(QStringLiteral("トヨタ")));
  EXPECT_EQ(fields(), (QStringList{"300", "1234", "1250"}));
  EXPECT_EQ(ui().TxtTarget->text(), QStringLiteral("10000"));
  EXPECT_TRUE(ui().ChkNisa->isChecked());
  EXPECT_EQ(ui().LblFigures[2]->caption(), QStringLiteral("税引後 1,650円"));
  EXPECT_EQ(state().viewHistory.size(), views + 1);
  EXPECT_GT(state().priceMin + state().priceSpan, 1250);
  QTest::mouseClick(ui().CmdUndo, Qt::LeftButton);
  EXPECT_EQ(core::currentView(state()), before);

  // Deleting asks too; a window opened later sees what is left.
  names->setEditText(QStringLiteral("ソニー"));
  QTest::mouseClick(ui().CmdDeleteTrade, Qt::LeftButton);  // いいえ
  EXPECT_EQ(names->count(), 2);
  answer = true;
  QTest::mouseClick(ui().CmdDeleteTrade, Qt::LeftButton);
  EXPECT_EQ(questions.size(), 3);
  window.reset();
  open(QString());
  ASSERT_EQ(ui().CmbTrades->count(), 1);
  EXPECT_EQ(ui().CmbTrades->itemText(0), QStringLiteral("トヨタ"));
  // A name another window saves meanwhile is in the list when it opens.
  app::TradesStore elsewhere(keptFile("trades.json"));
  ASSERT_FALSE(elsewhere.load());
  ASSERT_FALSE(elsewhere.put(QStringLiteral("ホンダ"), app::KeptTrade{}));
  ui().CmbTrades->showPopup();
  EXPECT_EQ(ui().CmbTrades->count(), 2);
  ui().CmbTrades->hidePopup();
  EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
}

TEST_F(KeepWindowTest, TheNamedTradesCoverNothingAtEitherSize) {
  open(QString());
  for (int size = 0; size < 2; ++size) {
    const QList<QWidget*> named = {ui().CmbTrades, ui().CmdSaveTrade, ui().CmdDeleteTrade};
    for (QWidget* mine : named) {
      EXPECT_TRUE(window->rect().contains(mine->geometry())) << size;
      for (QWidget* other : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!other->isVisible() || named.contains(other)) continue;
        EXPECT_FALSE(mine->geometry().intersects(other->geometry()))
            << mine->objectName().toStdString() << " covers " << other->objectName().toStdString();
      }
    }
    probe().CmdSize_Click();
  }
}

// The window's texts skip shaping; a name whose mark is written apart from its letter needs it.
TEST_F(KeepWindowTest, ANameWithADakutenWrittenApartShowsItJoined) {
  open(QString());
  QComboBox* names = ui().CmbTrades;
  const QString apart = QString::fromUtf16(u"\u304B\u3099"), joined = QStringLiteral("が");
  const auto width = [&](const QString& text) {
    return QFontMetricsF(names->font()).horizontalAdvance(text);
  };
  names->setEditText(apart);
  EXPECT_EQ(width(apart), width(joined));
  QTest::mouseClick(ui().CmdSaveTrade, Qt::LeftButton);
  names->setEditText(QString());  // still in the list
  EXPECT_EQ(width(apart), width(joined));
}

TEST_F(KeepWindowTest, CtrlPPrintsTheWindowOnALandscapePage) {
  open(QString());
  const QString pdf = data.filePath(QStringLiteral("printed.pdf"));
  QPageLayout::Orientation offered = QPageLayout::Portrait;
  tk::setPrinterAsker([&](QWidget*, QPrinter* printer) {
    offered = printer->pageLayout().orientation();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(pdf);
    return true;
  });
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QTest::keySequence(window.get(), QKeySequence::Print);
  tk::setPrinterAsker({});
  EXPECT_EQ(offered, QPageLayout::Landscape);
  QFile file(pdf);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF"));
  EXPECT_GT(bytes.size(), 5000);  // the window's texts and lines, not an empty page
}
