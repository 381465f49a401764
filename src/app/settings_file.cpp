#include "app/settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QStandardPaths>
#include <limits>
#include <string>

#include "app/tk/save_file.h"
#include "core/unit_text.h"

namespace app {

namespace {

// A settings file is a few hundred bytes; a path that names something far larger (a log, a
// device) is refused before it is read whole.
constexpr qint64 kMaxFileBytes = 1 << 20;

// The decimals of each kind of setting: yen, shares and thresholds are whole, prices are in
// hundredths of a yen, the tax rate in thousandths of a percent.
constexpr int kPriceDecimals = 2;
constexpr int kTaxDecimals = 3;

QString key(const char* name) { return QString::fromLatin1(name); }

core::SettingsFault missingKey(const std::string& where) { return {where, "項目がありません"}; }

// One number of the file as a count of units. A number too large for any count is kept as the
// largest one of its sign, so that the settings check names its bounds.
std::optional<core::SettingsFault> readNumber(const QJsonValue& value, const std::string& where,
                                              int decimals, std::int64_t& out) {
  if (value.isUndefined()) return missingKey(where);
  if (!value.isDouble()) return core::SettingsFault{where, "数値にしてください"};
  const double number = value.toDouble();
  const core::Units units = core::readUnits(number, decimals);
  if (units.fault == core::UnitFault::TooLarge) {
    out = number < 0 ? std::numeric_limits<std::int64_t>::min()
                     : std::numeric_limits<std::int64_t>::max();
    return std::nullopt;
  }
  if (units.fault) return core::SettingsFault{where, core::faultText(*units.fault, decimals)};
  out = units.value;
  return std::nullopt;
}

std::optional<core::SettingsFault> readObject(const QJsonObject& parent, const char* name,
                                              QJsonObject& out) {
  const QJsonValue value = parent.value(key(name));
  if (value.isUndefined()) return missingKey(name);
  if (!value.isObject()) return core::SettingsFault{name, "{ } で囲んだ項目の組にしてください"};
  out = value.toObject();
  return std::nullopt;
}

// "ticks": "standard", "topix100" or a table of {"upTo": …, "tick": …} rows, the last without upTo.
std::optional<core::SettingsFault> readTicks(const QJsonValue& value, core::PriceTicks& ticks) {
  const std::string where = "price.ticks";
  if (value.isString()) {
    if (value.toString() == QLatin1String("standard")) {
      ticks.table = core::TickTable::Standard;
    } else if (value.toString() == QLatin1String("topix100")) {
      ticks.table = core::TickTable::Topix100;
    } else {
      return core::SettingsFault{where, "\"standard\"、\"topix100\" または呼値の表にしてください"};
    }
    return std::nullopt;
  }
  if (!value.isArray())
    return core::SettingsFault{where, "\"standard\"、\"topix100\" または呼値の表にしてください"};
  ticks.table = core::TickTable::File;
  const QJsonArray rows = value.toArray();
  for (qsizetype i = 0; i < rows.size(); ++i) {
    const std::string row = where + "[" + std::to_string(i) + "]";
    if (!rows.at(i).isObject())
      return core::SettingsFault{row, "{ } で囲んだ項目の組にしてください"};
    const QJsonObject object = rows.at(i).toObject();
    core::TickBand band;
    if (object.contains(key("upTo"))) {
      if (auto fault = readNumber(object.value(key("upTo")), row + ".upTo", kPriceDecimals,
                                  band.upTo.emplace()))
        return fault;
    }
    if (auto fault =
            readNumber(object.value(key("tick")), row + ".tick", kPriceDecimals, band.tick))
      return fault;
    ticks.fileBands.push_back(band);
  }
  return std::nullopt;
}

QJsonValue ticksValue(const core::PriceTicks& ticks) {
  switch (ticks.table) {
    case core::TickTable::Standard:
      return QStringLiteral("standard");
    case core::TickTable::Topix100:
      return QStringLiteral("topix100");
    case core::TickTable::File:
      break;
    case core::TickTable::Fixed:
      return QJsonValue(QJsonValue::Undefined);
  }
  QJsonArray rows;
  for (const core::TickBand& band : ticks.fileBands) {
    QJsonObject row;
    if (band.upTo) row.insert(key("upTo"), static_cast<double>(*band.upTo) / 100.0);
    row.insert(key("tick"), static_cast<double>(band.tick) / 100.0);
    rows.append(row);
  }
  return rows;
}

// A row's four numbers; with `ticks` (the price row) it may also hold a tick table, and then its
// fixed steps may be left out (they keep the built-in values).
std::optional<core::SettingsFault> readStepRow(const QJsonObject& root, const char* name,
                                               int decimals, core::StepSetting& row,
                                               core::PriceTicks* ticks = nullptr) {
  QJsonObject object;
  if (auto fault = readObject(root, name, object)) return fault;
  const bool ticked = ticks && object.contains(key("ticks"));
  if (ticked) {
    if (auto fault = readTicks(object.value(key("ticks")), *ticks)) return fault;
  }
  for (const core::StepField& field : core::kStepFields) {
    const bool fixedStep =
        field.value == &core::StepSetting::step || field.value == &core::StepSetting::bigStep;
    if (ticked && fixedStep && !object.contains(key(field.key))) continue;
    if (auto fault = readNumber(object.value(key(field.key)), std::string(name) + "." + field.key,
                                decimals, row.*field.value))
      return fault;
  }
  return std::nullopt;
}

std::optional<core::SettingsFault> readFees(const QJsonObject& root,
                                            std::vector<core::FeeTierSetting>& fees) {
  const QJsonValue value = root.value(key("fees"));
  if (value.isUndefined()) return missingKey("fees");
  if (!value.isArray()) return core::SettingsFault{"fees", "[ ] で囲んだ段の並びにしてください"};
  const QJsonArray tiers = value.toArray();
  for (qsizetype i = 0; i < tiers.size(); ++i) {
    const std::string where = "fees[" + std::to_string(i) + "]";
    if (!tiers.at(i).isObject())
      return core::SettingsFault{where, "{ } で囲んだ項目の組にしてください"};
    const QJsonObject tier = tiers.at(i).toObject();
    core::FeeTierSetting setting;
    if (tier.contains(key("below"))) {
      std::int64_t below = 0;
      if (auto fault = readNumber(tier.value(key("below")), where + ".below", 0, below))
        return fault;
      setting.below = below;
    }
    if (auto fault = readNumber(tier.value(key("fee")), where + ".fee", 0, setting.fee))
      return fault;
    fees.push_back(setting);
  }
  return std::nullopt;
}

std::string lineOf(const QByteArray& contents, int offset) {
  const qsizetype end = std::min<qsizetype>(offset, contents.size());
  return std::to_string(contents.left(end).count('\n') + 1);
}

QJsonObject stepObject(QJsonObject kept, const core::StepSetting& row, int decimals) {
  const auto number = [decimals](std::int64_t units) {
    if (decimals == 0) return QJsonValue(static_cast<qint64>(units));
    // The nearest double to the decimal value, whose shortest text is that value's own.
    double scale = 1;
    for (int k = 0; k < decimals; ++k) scale *= 10;
    return QJsonValue(static_cast<double>(units) / scale);
  };
  for (const core::StepField& field : core::kStepFields)
    kept.insert(key(field.key), number(row.*field.value));
  return kept;
}

}  // namespace

Parsed parse(const QByteArray& contents) {
  Parsed parsed{core::builtInSettings(), std::nullopt};
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(contents, &error);
  if (error.error != QJsonParseError::NoError) {
    parsed.fault =
        core::SettingsFault{"", lineOf(contents, error.offset) + "行目がJSONとして読めません（" +
                                    error.errorString().toStdString() + "）"};
    return parsed;
  }
  if (!document.isObject()) {
    parsed.fault = core::SettingsFault{"", "全体を { } で囲んだ項目の組にしてください"};
    return parsed;
  }
  const QJsonObject root = document.object();
  core::TradeSettings settings = core::builtInSettings();
  settings.fees.clear();
  std::optional<core::SettingsFault> fault = readFees(root, settings.fees);
  if (!fault) fault = readStepRow(root, "quantity", 0, settings.quantity);
  if (!fault)
    fault = readStepRow(root, "price", kPriceDecimals, settings.price, &settings.priceTicks);
  if (!fault && root.contains(key("taxPercent")))
    fault = readNumber(root.value(key("taxPercent")), "taxPercent", kTaxDecimals,
                       settings.taxThousandths);
  if (!fault) fault = core::checkSettings(settings);
  if (fault)
    parsed.fault = fault;
  else
    parsed.settings = settings;
  return parsed;
}

Read read(const QString& path) {
  Read result{core::builtInSettings(), std::nullopt, false, {}};
  if (!QFileInfo::exists(path)) {
    result.missing = true;
    return result;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    result.fault =
        core::SettingsFault{"", "開けません（" + file.errorString().toStdString() + "）"};
    return result;
  }
  result.contents = file.read(kMaxFileBytes + 1);
  if (result.contents.size() > kMaxFileBytes) {
    result.fault = core::SettingsFault{"", "1 MiBより大きく、設定ファイルではありません"};
    return result;
  }
  Parsed parsed = parse(result.contents);
  result.fault = parsed.fault;
  result.settings = parsed.settings;
  return result;
}

QString refusalMessage(const QString& path, const core::SettingsFault& fault, bool atStart) {
  const QString where =
      fault.key.empty() ? QStringLiteral("（ファイル全体）") : QString::fromStdString(fault.key);
  return QStringLiteral(
             "設定ファイルを読み込めませんでした。\n\nファイル：%1\n項目：%2\n理由：%3\n\n%4")
      .arg(QDir::toNativeSeparators(path), where, QString::fromStdString(fault.reason),
           atStart ? QStringLiteral("当初の設定を使います。")
                   : QStringLiteral("いまの設定のままにします。"));
}

std::optional<QString> write(const QString& path, const core::TradeSettings& settings) {
  QJsonObject root;
  {
    QFile old(path);
    if (old.open(QIODevice::ReadOnly)) {
      const QJsonDocument document = QJsonDocument::fromJson(old.read(kMaxFileBytes));
      if (document.isObject()) root = document.object();
    }
  }
  const QJsonArray oldTiers = root.value(key("fees")).toArray();
  QJsonArray tiers;
  for (std::size_t i = 0; i < settings.fees.size(); ++i) {
    const qsizetype at = static_cast<qsizetype>(i);
    QJsonObject tier = at < oldTiers.size() ? oldTiers.at(at).toObject() : QJsonObject();
    tier.remove(key("below"));
    if (settings.fees[i].below)
      tier.insert(key("below"), static_cast<qint64>(*settings.fees[i].below));
    tier.insert(key("fee"), static_cast<qint64>(settings.fees[i].fee));
    tiers.append(tier);
  }
  root.insert(key("fees"), tiers);
  root.insert(key("quantity"),
              stepObject(root.value(key("quantity")).toObject(), settings.quantity, 0));
  QJsonObject price =
      stepObject(root.value(key("price")).toObject(), settings.price, kPriceDecimals);
  price.remove(key("ticks"));
  if (const QJsonValue ticks = ticksValue(settings.priceTicks); !ticks.isUndefined())
    price.insert(key("ticks"), ticks);
  root.insert(key("price"), price);
  root.insert(key("taxPercent"), static_cast<double>(settings.taxThousandths) / 1000.0);

  return tk::saveWhole(path, QJsonDocument(root).toJson(QJsonDocument::Indented), tk::Folder::Make);
}

QString defaultPath() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  if (folder.isEmpty()) return {};
  return folder + QStringLiteral("/settings.json");
}

}  // namespace app
