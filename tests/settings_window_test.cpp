// The window with a settings file: the file read at start and again when it changes (a bad edit
// reported once, the settings in force kept), and the dialog 「取引の設定」: entries checked as
// they are typed, 当初の設定に戻す, OK that saves and applies, a save that fails and keeps the
// dialog.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QLayout>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>

#include "app/settings_dialog.h"
#include "app/settings_file.h"
#include "window_fixture.h"

namespace {

core::TradeSettings lotsOf100() {
  core::TradeSettings s = core::builtInSettings();
  s.quantity = {100, 1000, 100, 250000};
  s.price = {1, 100, 1, 1'000'000};
  return s;
}

void saveFile(const QString& path, const QByteArray& contents) {
  QSaveFile file(path);  // replaced by a rename, as the dialog and many editors save
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(contents);
  ASSERT_TRUE(file.commit());
}

// The window of these tests reads its own file in a fresh folder, never the user's.
class SettingsWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    tk::setMessageSink([this](QWidget*, const QString& text) { messages.push_back(text); });
    path = dir.filePath(QStringLiteral("settings.json"));
  }
  void open(const QString& settingsPath) {
    window = std::make_unique<app::FrmPlot>(settingsPath);
    window->show();
  }
  app::SettingsDialog* openDialog() {
    window->activateWindow();  // window shortcuts work in the active window
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(ui().TxtBP, Qt::Key_Comma, Qt::ControlModifier);  // from any focus
    auto* dialog = window->findChild<app::SettingsDialog*>();
    EXPECT_NE(dialog, nullptr);
    if (dialog) {
      EXPECT_TRUE(dialog->isVisible());
    }
    return dialog;
  }
  static QLineEdit* entry(app::SettingsDialog* d, const char* key) {
    return d->findChild<QLineEdit*>(QString::fromUtf8(key));
  }
  static QString reason(app::SettingsDialog* d, const char* key) {
    auto* label = d->findChild<QLabel*>(QString::fromUtf8(key) + QStringLiteral(".reason"));
    return label && label->isVisibleTo(d) ? label->text() : QString();
  }
  static QPushButton* ok(app::SettingsDialog* d) {
    return d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
  }

  QTemporaryDir dir;
  QString path;
};

}  // namespace

TEST_F(SettingsWindowTest, AWindowWithoutAFileUsesTheBuiltInSettingsAndWatchesNothing) {
  open(QString());
  EXPECT_EQ(probe().settingsFile().watcher(), nullptr);
  EXPECT_EQ(state().settings, core::builtInSettings());
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SettingsWindowTest, TheFileIsTakenAtStartAndWheneverItChanges) {
  ASSERT_FALSE(app::write(path, lotsOf100()).has_value());
  open(path);
  EXPECT_EQ(state().settings, lotsOf100());
  EXPECT_EQ(ui().CmdSQU->toolTip(), QStringLiteral("+100"));
  const QStringList watched =
      probe().settingsFile().watcher()->files() + probe().settingsFile().watcher()->directories();
  EXPECT_TRUE(watched.contains(path) && watched.contains(dir.path()))
      << watched.join(u' ').toStdString();
  ui().TxtQua->setText(QStringLiteral("300"));
  ui().TxtBP->setText(QStringLiteral("1234"));
  probe().Form_MouseDown(40, 70);  // a zoom: the view and its history stay through a reload
  probe().Form_MouseDown(60, 90);
  const core::SavedView view = core::currentView(state());
  const auto history = state().viewHistory;

  // A bad edit: reported once however often the watcher reports, naming the file and the key.
  QFile original(path);
  ASSERT_TRUE(original.open(QIODevice::ReadOnly));
  const QByteArray good = original.readAll();
  QByteArray bad = good;
  bad.replace("\"lowest\": 100,", "\"lowest\": 0,");
  ASSERT_NE(bad, good);
  saveFile(path, bad);
  for (int notices = 0; notices < 3; ++notices) probe().LoadSettings(false);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains(path));
  EXPECT_TRUE(messages[0].contains(QStringLiteral("quantity.lowest")));
  EXPECT_EQ(state().settings, lotsOf100());

  // A good edit is taken at once: step buttons, fees and amounts follow; the view stays.
  core::TradeSettings cheaper = lotsOf100();
  cheaper.fees = {{std::nullopt, 0}};
  ASSERT_FALSE(app::write(path, cheaper).has_value());
  probe().LoadSettings(false);
  EXPECT_EQ(state().settings, cheaper);
  EXPECT_EQ(core::currentView(state()), view);
  EXPECT_EQ(state().viewHistory, history);
  EXPECT_TRUE(
      ui().LblBYaku->caption().endsWith(QStringLiteral(" \\370,200")));   // 300 x 1234, no fee
  EXPECT_TRUE(probe().settingsFile().watcher()->files().contains(path));  // the new file is watched

  // The same bad edit again after a good one is reported again; a removed file is the built-ins.
  saveFile(path, bad);
  probe().LoadSettings(false);
  EXPECT_EQ(messages.size(), 2);
  QFile::remove(path);
  probe().LoadSettings(false);
  EXPECT_EQ(state().settings, core::builtInSettings());
  EXPECT_EQ(messages.size(), 2);
}

TEST_F(SettingsWindowTest, ABadFileAtStartIsReportedAndLeftAsItWas) {
  saveFile(path, "{\"fees\": []}");
  open(path);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains(QStringLiteral("当初の設定")));
  EXPECT_EQ(state().settings, core::builtInSettings());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("{\"fees\": []}"));
}

TEST_F(SettingsWindowTest, TheDialogChecksEachEntryAndOkSavesAndApplies) {
  open(path);
  app::SettingsDialog* d = openDialog();
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->entered(), core::builtInSettings());
  EXPECT_TRUE(ok(d)->isEnabled());
  // By keyboard alone: Tab goes along each tier's row, then down the table.
  QWidget* next = entry(d, "fees[0].below");
  for (const char* name : {"fees[0].fee", "fees[0].percent", "fees[0].min", "fees[0].max",
                           "fees[0].remove", "fees[1].below"}) {
    do {
      next = next->nextInFocusChain();
    } while (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisibleTo(d));
    EXPECT_EQ(next->objectName(), QString::fromUtf8(name));
  }

  // Each entry on its own, then the rules between entries; fixed, OK is enabled again.
  const struct {
    const char* key;
    const char* text;
  } kRefused[] = {{"quantity.step", "abc"},    {"quantity.step", ""},
                  {"price.step", "0.005"},     {"fees[0].fee", "1.5"},
                  {"quantity.bigStep", "999"}, {"fees[1].below", "50,000"},
                  {"taxPercent", "100.5"},     {"price.highest", "0.01"}};
  for (const auto& r : kRefused) {
    SCOPED_TRACE(std::string(r.key) + " " + r.text);
    QLineEdit* field = entry(d, r.key);
    ASSERT_NE(field, nullptr);
    const QString before = field->text();
    field->setText(QString::fromUtf8(r.text));
    EXPECT_FALSE(ok(d)->isEnabled());
    EXPECT_FALSE(reason(d, r.key).isEmpty());
    EXPECT_EQ(field->palette().color(QPalette::Base), QColor(255, 222, 222));
    EXPECT_FALSE(field->accessibleName().isEmpty());
    field->setText(before);
    EXPECT_TRUE(ok(d)->isEnabled());
    EXPECT_TRUE(reason(d, r.key).isEmpty());
  }

  // A tier added before the open-ended last one waits for its numbers; the last reads 以上.
  QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("addTier")), Qt::LeftButton);
  EXPECT_FALSE(ok(d)->isEnabled());
  EXPECT_EQ(d->focusWidget(), entry(d, "fees[2].below"));
  QTest::keyClicks(entry(d, "fees[2].below"), QStringLiteral("1000000"));
  entry(d, "fees[2].fee")->setText(QStringLiteral("1,575"));
  entry(d, "fees[3].fee")->setText(QStringLiteral("2100"));
  entry(d, "quantity.step")->setText(QStringLiteral("１００"));  // full-width, as typed
  entry(d, "quantity.lowest")->setText(QStringLiteral("100"));
  EXPECT_EQ(entry(d, "fees[3].below"), nullptr);
  ASSERT_TRUE(ok(d)->isEnabled());
  core::TradeSettings wanted = core::builtInSettings();
  wanted.fees = {{50000, 525}, {200000, 1050}, {1000000, 1575}, {std::nullopt, 2100}};
  wanted.quantity.step = wanted.quantity.lowest = 100;
  EXPECT_EQ(d->entered(), wanted);

  // Removing the first tier renumbers the rest.
  QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("fees[0].remove")), Qt::LeftButton);
  EXPECT_EQ(entry(d, "fees[0].below")->text(), QStringLiteral("200,000"));
  entry(d, "fees[0].below")->setText(QStringLiteral("200000"));  // text is kept across rows
  wanted.fees.erase(wanted.fees.begin());
  EXPECT_EQ(d->entered(), wanted);

  QTest::mouseClick(ok(d), Qt::LeftButton);
  EXPECT_FALSE(d->isVisible());
  EXPECT_EQ(state().settings, wanted);
  EXPECT_EQ(app::read(path).settings, wanted);
  EXPECT_TRUE(probe().settingsFile().watcher()->files().contains(path));
  probe().LoadSettings(false);  // the watcher's notice of the same save changes nothing
  EXPECT_EQ(state().settings, wanted);
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SettingsWindowTest, BuiltInValuesComeBackAndAFailedSaveKeepsTheDialogOpen) {
  QFile plain(dir.filePath(QStringLiteral("plain")));  // a file where the folder would have to be
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  plain.close();
  const QString unwritable = dir.filePath(QStringLiteral("plain/settings.json"));
  open(unwritable);
  probe().ApplySettings(lotsOf100());
  app::SettingsDialog* d = openDialog();
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->entered(), lotsOf100());

  QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("restoreBuiltIn")), Qt::LeftButton);
  EXPECT_EQ(d->entered(), core::builtInSettings());
  EXPECT_EQ(entry(d, "price.step")->text(), QStringLiteral("0.01"));
  EXPECT_EQ(state().settings, lotsOf100());  // nothing applied before OK

  entry(d, "quantity.step")->setText(QStringLiteral("500"));
  QTest::mouseClick(ok(d), Qt::LeftButton);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains(unwritable));
  EXPECT_TRUE(d->isVisible());
  EXPECT_EQ(entry(d, "quantity.step")->text(), QStringLiteral("500"));
  EXPECT_EQ(state().settings, lotsOf100());
  d->reject();
}

TEST_F(SettingsWindowTest, TheSettingsButtonStaysInsideBothWindowSizesAndCoversNothing) {
  open(QString());
  for (int size = 0; size < 2; ++size) {
    SCOPED_TRACE(size);
    const QRect button = ui().CmdSettings->geometry();
    EXPECT_TRUE(window->rect().contains(button));
    for (QWidget* other : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (other != ui().CmdSettings && other->isVisible() && !other->isWindow()) {
        EXPECT_FALSE(other->geometry().intersects(button)) << other->objectName().toStdString();
      }
    }
    EXPECT_LT(tk::pxToMm(button.bottom()), state().graphBottom - state().graphHeight);  // the chart
    QTest::mouseClick(ui().CmdSize, Qt::LeftButton);
  }
}

// A second broker's file that does not exist yet starts from the plan in the default file and is
// not written; the title names the plan, else the file, and stays plain for the default file.
TEST_F(SettingsWindowTest, ANewFileStartsFromTheDefaultFileAndTheTitleNamesThePlan) {
  const QByteArray config = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toUtf8());
  ASSERT_FALSE(app::write(app::defaultPath(), lotsOf100()).has_value());
  const QString other = dir.filePath(QStringLiteral("other.json"));
  open(other);
  EXPECT_EQ(state().settings, lotsOf100());
  EXPECT_FALSE(QFileInfo::exists(other));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("ほしなみ。 - other.json"));
  core::TradeSettings named = lotsOf100();
  named.name = "ネット証券";
  probe().ApplySettings(named);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("ほしなみ。 - ネット証券"));
  open(app::defaultPath());
  EXPECT_EQ(window->windowTitle(), QStringLiteral("ほしなみ。"));
  qputenv("XDG_CONFIG_HOME", config);
}

// Every refused entry shows its reason at once, in the dialog's words, while the dialog keeps its
// size and OK its place; the border rule, the rates and a single tier read as the broker's plan.
TEST_F(SettingsWindowTest, TheDialogShowsEveryFaultAtOnceAndKeepsItsPlace) {
  open(path);
  app::SettingsDialog* d = openDialog();
  ASSERT_NE(d, nullptr);
  d->layout()->activate();
  const QSize size = d->size();
  const QPoint okAt = ok(d)->mapTo(d, QPoint());
  const char* kRefused[][2] = {{"fees[0].fee", "abc"},      {"fees[1].below", "10"},
                               {"fees[1].percent", "10.5"}, {"fees[1].max", "-1"},
                               {"quantity.bigStep", "1"},   {"price.highest", "0.01"}};
  for (const auto& r : kRefused) entry(d, r[0])->setText(QString::fromUtf8(r[1]));
  d->layout()->activate();
  for (const auto& r : kRefused) {
    const QString why = reason(d, r[0]);
    EXPECT_FALSE(why.isEmpty()) << r[0];
    EXPECT_FALSE(why.contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) << why.toStdString();
  }
  EXPECT_EQ(d->size(), size);
  EXPECT_EQ(ok(d)->mapTo(d, QPoint()), okAt);
  for (const auto& r : kRefused) entry(d, r[0])->setText(QString());
  QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("restoreBuiltIn")), Qt::LeftButton);

  // A tick table sets the fixed steps aside: their reasons go, the file gets steps it can read,
  // and the dialog keeps its size.
  entry(d, "price.step")->setText(QStringLiteral("abc"));
  entry(d, "price.bigStep")->setText(QStringLiteral("0.005"));
  EXPECT_FALSE(d->entered());
  auto* ticks = d->findChild<QComboBox*>(QStringLiteral("price.ticks"));
  ticks->setCurrentIndex(ticks->findText(QStringLiteral("呼値（標準）")));
  d->layout()->activate();
  EXPECT_TRUE(reason(d, "price.step").isEmpty());
  EXPECT_TRUE(reason(d, "price.bigStep").isEmpty());
  ASSERT_TRUE(d->entered());
  EXPECT_EQ(d->entered()->price, core::builtInSettings().price);
  EXPECT_EQ(d->size(), size);
  ticks->setCurrentIndex(ticks->findText(QStringLiteral("一定")));
  EXPECT_FALSE(reason(d, "price.step").isEmpty());
  QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("restoreBuiltIn")), Qt::LeftButton);

  // まで: each row says so, and the rates and bounds are the tier's.
  d->findChild<QRadioButton*>(QStringLiteral("feeBordersUpTo"))->click();
  EXPECT_EQ(d->findChild<QLabel*>(QStringLiteral("borderUnit"))->text(), QStringLiteral("円まで"));
  entry(d, "fees[2].percent")->setText(QStringLiteral("0.99"));
  entry(d, "fees[2].max")->setText(QStringLiteral("100,000"));
  ASSERT_TRUE(d->entered());
  EXPECT_EQ(d->entered()->feeBorders, core::FeeBorders::UpTo);
  EXPECT_EQ(d->entered()->fees[2],
            (core::FeeTierSetting{std::nullopt, 1575, 9900, std::nullopt, 100000}));
  entry(d, "fees[2].fee")->setText(QString());  // beside a rate the fixed fee may stay empty
  ASSERT_TRUE(d->entered());
  EXPECT_EQ(d->entered()->fees[2].fee, 0);

  for (int i = 0; i < 2; ++i)
    QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("fees[0].remove")), Qt::LeftButton);
  EXPECT_EQ(d->findChild<QLabel*>(QStringLiteral("openTier"))->text(),
            QStringLiteral("すべての約定代金"));
}

// A tick table from the file shows as 「ファイルの呼値表」 with the fixed steps set aside, and is
// saved as it was read; the price buttons then step along it.
TEST_F(SettingsWindowTest, TheDialogKeepsTheFilesTickTableAndTheButtonsFollowIt) {
  core::TradeSettings table = core::builtInSettings();
  table.price.highest = 1'000'000;  // 10,000 yen
  table.priceTicks = {core::TickTable::File, {{100'000, 10}, {std::nullopt, 500}}};
  ASSERT_FALSE(app::write(path, table).has_value());
  open(path);
  EXPECT_EQ(state().settings, table);
  ui().TxtBP->setText(QStringLiteral("999.9"));
  QTest::mouseClick(ui().CmdSUp, Qt::LeftButton);
  QTest::mouseClick(ui().CmdSUp, Qt::LeftButton);
  EXPECT_EQ(ui().TxtBP->text(), QStringLiteral("1005.0"));
  EXPECT_EQ(ui().CmdSUp->toolTip(), QStringLiteral("+1呼値"));

  app::SettingsDialog* d = openDialog();
  ASSERT_NE(d, nullptr);
  auto* ticks = d->findChild<QComboBox*>(QStringLiteral("price.ticks"));
  ASSERT_NE(ticks, nullptr);
  EXPECT_EQ(ticks->currentText(), QStringLiteral("ファイルの呼値表"));
  EXPECT_FALSE(entry(d, "price.step")->isEnabled());
  EXPECT_EQ(d->entered(), table);
  ticks->setCurrentIndex(ticks->findText(QStringLiteral("呼値（標準）")));
  EXPECT_EQ(d->entered()->priceTicks.table, core::TickTable::Standard);
  ticks->setCurrentIndex(ticks->findText(QStringLiteral("一定")));
  EXPECT_TRUE(entry(d, "price.step")->isEnabled());
  EXPECT_EQ(d->entered()->priceTicks.table, core::TickTable::Fixed);
  ticks->setCurrentIndex(ticks->findText(QStringLiteral("ファイルの呼値表")));
  QTest::mouseClick(ok(d), Qt::LeftButton);
  EXPECT_EQ(app::read(path).settings, table);
}

// A save by rename ends the watch of the file it replaced: the watcher is armed again at the
// notice, so an edit in place after it (as some editors save) is still taken.
TEST_F(SettingsWindowTest, AnEditInPlaceAfterASaveByRenameIsTaken) {
  // Both contents are made in another folder first: a save there must not wake this watcher.
  QTemporaryDir elsewhere;
  const auto contentsOf = [&](const core::TradeSettings& settings) {
    const QString other = elsewhere.filePath(QStringLiteral("settings.json"));
    EXPECT_FALSE(app::write(other, settings).has_value());
    QFile file(other);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
  };
  const core::TradeSettings renamed = lotsOf100();
  core::TradeSettings edited = renamed;
  edited.quantity.step = 200;
  const QByteArray renamedBytes = contentsOf(renamed), editedBytes = contentsOf(edited);
  ASSERT_FALSE(app::write(path, core::builtInSettings()).has_value());
  open(path);

  saveFile(path, renamedBytes);
  EXPECT_TRUE(QTest::qWaitFor([&] { return state().settings == renamed; }, 5000));
  QFile inPlace(path);
  ASSERT_TRUE(inPlace.open(QIODevice::ReadWrite | QIODevice::Truncate));
  inPlace.write(editedBytes);
  inPlace.close();
  EXPECT_TRUE(QTest::qWaitFor([&] { return state().settings == edited; }, 5000));
  EXPECT_TRUE(messages.isEmpty());
}
