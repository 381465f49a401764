// The settings file: good and bad files as one table (each fault refused with its key named, the
// built-in values for the whole file, the file untouched), a save that keeps the keys this version
// does not know, a save that cannot be made, and the reading of settings numbers in whole units.
#include "app/settings_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "core/unit_text.h"

namespace {

// The issue's example: the built-in values, with the tax rate left out.
const char kExample[] =
    R"({ "fees": [ {"below": 50000, "fee": 525}, {"below": 200000, "fee": 1050}, {"fee": 1575} ],
         "quantity": {"step": 1000, "bigStep": 10000, "lowest": 1000, "highest": 250000},
         "price": {"step": 0.01, "bigStep": 1, "lowest": 0.01, "highest": 99.99} })";

QByteArray withReplaced(const char* from, const char* to) {
  QByteArray text(kExample);
  const qsizetype at = text.indexOf(from);
  EXPECT_GE(at, 0) << from;
  return text.replace(at, qstrlen(from), to);
}

// The example with `count` - 1 tiers of fee 1 below 1,000, 2,000... before its last one.
QByteArray tiers(int count) {
  QByteArray tiers;
  for (int i = 1; i < count; ++i)
    tiers += "{\"below\": " + QByteArray::number(i * 1000) + ", \"fee\": 1}, ";
  return withReplaced(R"({"below": 50000, "fee": 525}, {"below": 200000, "fee": 1050}, )", tiers);
}

core::TradeSettings ticked(core::TickTable table, std::vector<core::TickBand> bands) {
  core::TradeSettings s = core::builtInSettings();
  s.priceTicks = {table, std::move(bands)};
  return s;
}

QByteArray writeFile(const QString& path, const QByteArray& contents) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(contents);
  return contents;
}

QByteArray readFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(SettingsFile, EachFaultIsRefusedWithItsKeyAndTheFileStaysAsItWas) {
  const struct {
    QByteArray contents;
    const char* key;  // the key the message names
  } kBad[] = {
      {"{ \"fees\": [ ", ""},  // not JSON
      {"[1, 2]", ""},
      {withReplaced("\"fees\"", "\"fee\""), "fees"},  // a missing key
      {withReplaced(
           R"([ {"below": 50000, "fee": 525}, {"below": 200000, "fee": 1050}, {"fee": 1575} ])",
           "[]"),
       "fees"},  // no tier
      {tiers(21), "fees"},
      {withReplaced(R"({"fee": 1575})", "1575"), "fees[2]"},
      {withReplaced("\"fee\": 1050", "\"fee\": \"1050\""), "fees[1].fee"},  // a wrong type
      {withReplaced("\"fee\": 1050", "\"fee\": null"), "fees[1].fee"},
      {withReplaced("\"fee\": 1050", "\"fee\": 1050.5"), "fees[1].fee"},  // not whole yen
      {withReplaced("\"fee\": 525", "\"fee\": -1"), "fees[0].fee"},
      {withReplaced("\"fee\": 525", "\"fee\": 1e30"), "fees[0].fee"},  // out of range
      {withReplaced("\"fee\": 525", "\"note\": 525"), "fees[0].fee"},
      {withReplaced("\"below\": 200000", "\"below\": 50000"), "fees[1].below"},  // not increasing
      {withReplaced(R"({"fee": 1575})", R"({"below": 300000, "fee": 1575})"), "fees[2].below"},
      {withReplaced(R"("below": 200000, )", ""), "fees[1].below"},
      {withReplaced("\"quantity\": {", "\"quantity\": 5, \"q\": {"), "quantity"},
      {withReplaced("\"step\": 1000, ", ""), "quantity.step"},
      {withReplaced("\"step\": 1000", "\"step\": 0"), "quantity.step"},
      {withReplaced("\"bigStep\": 10000", "\"bigStep\": 999"), "quantity.bigStep"},
      {withReplaced("\"highest\": 250000", "\"highest\": true"), "quantity.highest"},
      {withReplaced("\"highest\": 250000", "\"highest\": 1000"), "quantity.highest"},
      {withReplaced("\"step\": 0.01", "\"step\": 0.001"), "price.step"},  // three decimals
      {withReplaced("\"lowest\": 0.01", "\"lowest\": 1e-7"), "price.lowest"},
      {withReplaced("\"highest\": 99.99", "\"highest\": 0.01"), "price.highest"},
      {withReplaced("\"highest\": 99.99", "\"highest\": 10000000.01"), "price.highest"},
      {withReplaced("} }", "}, \"taxPercent\": 20.3155 }"), "taxPercent"},
      {withReplaced("} }", "}, \"taxPercent\": 100.001 }"), "taxPercent"},
      {withReplaced("} }", "}, \"taxPercent\": \"20%\" }"), "taxPercent"},
      {withReplaced("\"fee\": 525", "\"percent\": 10.0001"), "fees[0].percent"},  // over 10 %
      {withReplaced("\"fee\": 525", "\"percent\": 0.00001"), "fees[0].percent"},  // 5 decimals
      {withReplaced("\"fee\": 525", "\"percent\": \"1.43%\""), "fees[0].percent"},
      {withReplaced("\"fee\": 525", "\"fee\": 525, \"min\": 100.5"), "fees[0].min"},
      {withReplaced("\"fee\": 525", "\"fee\": 525, \"max\": 10000001"), "fees[0].max"},
      {withReplaced("\"fee\": 525", "\"percent\": 1, \"min\": 600, \"max\": 500"),
       "fees[0].max"},  // a maximum below the minimum
      {withReplaced("{ \"fees\"", "{ \"feeBorders\": \"まで\", \"fees\""), "feeBorders"},
      {withReplaced("{ \"fees\"", "{ \"name\": 7, \"fees\""), "name"},
      {withReplaced("{ \"fees\"",
                    ("{ \"name\": \"" + std::string(41, 'x') + "\", \"fees\"").c_str()),
       "name"},
      {withReplaced("\"step\": 0.01", "\"ticks\": \"nasdaq\", \"step\": 0.01"), "price.ticks"},
      {withReplaced("\"step\": 0.01",
                    R"("ticks": [{"upTo": 10, "tick": 0.3}, {"tick": 1}], "step": 0.01)"),
       "price.ticks[0].upTo"},  // a border off its band's grid
      {withReplaced(
           "\"step\": 0.01",
           R"("ticks": [{"upTo": 10, "tick": 1}, {"upTo": 10, "tick": 5}, {"tick": 5}], "step": 0.01)"),
       "price.ticks[1].upTo"},  // not increasing
      {withReplaced("\"step\": 0.01",
                    R"("ticks": [{"upTo": 10, "tick": 1}, {"upTo": 20, "tick": 5}], "step": 0.01)"),
       "price.ticks[1].upTo"},  // the last band has a border
      {withReplaced("\"step\": 0.01",
                    R"("ticks": [{"upTo": 10, "tick": 0.001}, {"tick": 1}], "step": 0.01)"),
       "price.ticks[0].tick"},
      {withReplaced("\"step\": 0.01, ", R"("ticks": [], )"), "price.ticks"},
      {withReplaced("\"step\": 0.01, ", ""), "price.step"},  // fixed steps need their step
  };
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("settings.json"));
  for (const auto& bad : kBad) {
    SCOPED_TRACE(bad.contents.toStdString());
    const QByteArray written = writeFile(path, bad.contents);
    const app::Read read = app::read(path);
    ASSERT_TRUE(read.fault.has_value());
    EXPECT_EQ(read.fault->key, bad.key);
    EXPECT_FALSE(read.fault->reason.empty());
    EXPECT_EQ(read.settings, core::builtInSettings());  // not a mix
    EXPECT_EQ(readFile(path), written);
    const QString message = app::refusalMessage(path, *read.fault, true);
    EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path)));
    EXPECT_TRUE(message.contains(QString::fromUtf8(*bad.key ? bad.key : "ファイル全体")));
    EXPECT_TRUE(message.contains(QString::fromStdString(read.fault->reason)));
  }

  // Good files: values read digit for digit (0.29 is 29 hundredths, though 0.29 * 100 is
  // 28.999999999999996 in doubles), any number of tiers, unknown keys ignored.
  core::TradeSettings broker;
  broker.fees = {{100000, 0}, {500000, 180}, {1000000, 340}, {std::nullopt, 640}};
  broker.quantity = {100, 1000, 100, 1'000'000};
  broker.price = {29, 10000, 29, 1'000'000};
  broker.taxThousandths = 20315;
  core::TradeSettings twenty = core::builtInSettings();
  twenty.fees.clear();
  for (int i = 1; i < 20; ++i) twenty.fees.push_back({i * 1000, 1});
  twenty.fees.push_back({std::nullopt, 1575});
  const struct {
    QByteArray contents;
    core::TradeSettings settings;
  } kGood[] = {
      {kExample, core::builtInSettings()},
      {tiers(20), twenty},
      {R"({"fees": [{"below": 1e5, "fee": 0}, {"below": 500000, "fee": 180},
                    {"below": 1000000, "fee": 340, "名前": "大口"}, {"fee": 640}],
           "quantity": {"step": 100, "bigStep": 1000, "lowest": 100, "highest": 1000000},
           "price": {"step": 0.29, "bigStep": 100, "lowest": 0.29, "highest": 10000.00},
           "taxPercent": 20.315, "broker": "どこか"})",
       broker},
      // A tick table may leave the fixed steps out.
      {withReplaced("\"step\": 0.01, \"bigStep\": 1", "\"ticks\": \"topix100\""),
       ticked(core::TickTable::Topix100, {})},
      {withReplaced("\"step\": 0.01",
                    R"("ticks": [{"upTo": 1000.5, "tick": 0.5}, {"tick": 10}], "step": 0.01)"),
       ticked(core::TickTable::File, {{100050, 50}, {std::nullopt, 1000}})},
  };
  core::TradeSettings fullService = core::builtInSettings();
  fullService.name = "対面証券 標準コース";
  fullService.feeBorders = core::FeeBorders::UpTo;
  fullService.fees = {
      {200000, 2860},
      {500000, 0, 14300},
      {700000, 1650, 11000},
      {std::nullopt, 2420, 9900, std::nullopt, 100000},
  };
  const QByteArray fullServiceFile = withReplaced(
      R"([ {"below": 50000, "fee": 525}, {"below": 200000, "fee": 1050}, {"fee": 1575} ])",
      R"([ {"below": 200000, "fee": 2860}, {"below": 500000, "percent": 1.43},
                        {"below": 700000, "fee": 1650, "percent": 1.1},
                        {"fee": 2420, "percent": 0.99, "max": 100000} ], "feeBorders": "upTo",
                      "name": "対面証券 標準コース")");
  for (const auto& good : {kGood[0], kGood[1], decltype(kGood[0]){fullServiceFile, fullService}}) {
    writeFile(path, good.contents);
    const app::Read read = app::read(path);
    EXPECT_FALSE(read.fault.has_value()) << read.fault->key << " " << read.fault->reason;
    EXPECT_EQ(read.settings, good.settings);
    ASSERT_FALSE(app::write(path, read.settings).has_value());  // and back, key for key
    EXPECT_EQ(app::read(path).settings, good.settings);
  }

  // No file: the built-in values, and nothing is written.
  const QString none = dir.filePath(QStringLiteral("none/settings.json"));
  const app::Read missing = app::read(none);
  EXPECT_TRUE(missing.missing);
  EXPECT_FALSE(missing.fault.has_value());
  EXPECT_EQ(missing.settings, core::builtInSettings());
  EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("none"))));
}

TEST(SettingsFile, ASaveKeepsUnknownKeysAndAFailedSaveSaysWhy) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("settings.json"));
  writeFile(path, R"({"fees": [{"below": 50000, "fee": 525, "名前": "小口"}, {"fee": 1575}],
                      "quantity": {"step": 1000, "bigStep": 10000, "lowest": 1000,
                                   "highest": 250000, "memo": [1, 2]},
                      "price": {"step": 0.01, "bigStep": 1, "lowest": 0.01, "highest": 99.99},
                      "broker": {"name": "どこか"}})");
  core::TradeSettings saved = core::builtInSettings();
  saved.fees = {{100000, 99}, {300000, 199}, {std::nullopt, 1999}};
  saved.price = {7, 29, 1, 123456};  // 0.07, 0.29, 0.01, 1234.56
  saved.priceTicks = {core::TickTable::File, {{29, 29}, {100, 1}, {std::nullopt, 7}}};
  saved.taxThousandths = 20315;
  ASSERT_FALSE(app::write(path, saved).has_value());

  const app::Read read = app::read(path);
  ASSERT_FALSE(read.fault.has_value()) << read.fault->key << " " << read.fault->reason;
  EXPECT_EQ(read.settings, saved);
  const QJsonObject root = QJsonDocument::fromJson(read.contents).object();
  EXPECT_EQ(
      root.value(QStringLiteral("broker")).toObject().value(QStringLiteral("name")).toString(),
      QStringLiteral("どこか"));
  EXPECT_EQ(root.value(QStringLiteral("quantity"))
                .toObject()
                .value(QStringLiteral("memo"))
                .toArray()
                .size(),
            2);
  EXPECT_EQ(root.value(QStringLiteral("fees"))
                .toArray()
                .at(0)
                .toObject()
                .value(QStringLiteral("名前"))
                .toString(),
            QStringLiteral("小口"));
  EXPECT_TRUE(read.contents.contains("\"highest\": 1234.56")) << read.contents.toStdString();

  // A folder that does not exist yet is made.
  const QString nested = dir.filePath(QStringLiteral("a/b/settings.json"));
  ASSERT_FALSE(app::write(nested, saved).has_value());
  EXPECT_EQ(app::read(nested).settings, saved);

  // A folder that cannot be made (a file stands in its place), even for root.
  writeFile(dir.filePath(QStringLiteral("plain")), "x");
  const auto error = app::write(dir.filePath(QStringLiteral("plain/settings.json")), saved);
  ASSERT_TRUE(error.has_value());
  EXPECT_FALSE(error->isEmpty());
  EXPECT_EQ(readFile(dir.filePath(QStringLiteral("plain"))), QByteArray("x"));
}

TEST(UnitText, SettingsNumbersAreReadAndWrittenInWholeUnits) {
  using core::UnitFault;
  const struct {
    const char* text;
    int decimals;
    std::int64_t units;
    std::optional<UnitFault> fault;
  } kTexts[] = {
      {"0.01", 2, 1, {}},
      {"1,575", 0, 1575, {}},
      {"１，０００", 0, 1000, {}},
      {" 20.315 ", 3, 20315, {}},
      {"1e3", 0, 1000, {}},
      {"2.50", 2, 250, {}},
      {"-5", 0, -5, {}},
      {"0.015", 2, 0, UnitFault::TooManyDecimals},
      {"12.5", 0, 0, UnitFault::TooManyDecimals},
      {"", 0, 0, UnitFault::Empty},
      {"abc", 0, 0, UnitFault::NotANumber},
      {"1e40", 0, 0, UnitFault::TooLarge},
      {"1000000000000000000", 0, 0, UnitFault::TooLarge},
      {"99999999999999999", 2, 0, UnitFault::TooLarge},
  };
  for (const auto& t : kTexts) {
    SCOPED_TRACE(t.text);
    const core::Units read = core::readUnits(t.text, t.decimals);
    EXPECT_EQ(read.fault, t.fault);
    if (!t.fault) {
      EXPECT_EQ(read.value, t.units);
    }
  }
  // A file's double is read from its shortest text: 0.1 + 0.2 is 0.30000000000000004.
  EXPECT_EQ(core::readUnits(0.1 + 0.2, 2).fault, UnitFault::TooManyDecimals);

  const struct {
    std::int64_t units;
    int decimals;
    const char* text;
  } kWritten[] = {{1, 2, "0.01"},       {100, 2, "1"},
                  {9999, 2, "99.99"},   {250, 2, "2.5"},
                  {20315, 3, "20.315"}, {250000, 0, "250,000"},
                  {0, 3, "0"},          {123456789, 2, "1,234,567.89"}};
  for (const auto& w : kWritten) {
    EXPECT_EQ(core::unitsText(w.units, w.decimals), w.text);
    EXPECT_EQ(core::readUnits(w.text, w.decimals).value, w.units);  // and back
  }
}
