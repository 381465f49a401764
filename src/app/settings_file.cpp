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

// The decimals of a number, from the table of setting fields.
int decimalsOf(const std::string& key) { return core::settingField(key).decimals; }

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

// A count of units as the file's number: whole, or the nearest double to the decimal value,
// whose shortest text is that value's own.
QJsonValue decimalNumber(std::int64_t units, int decimals) {
  if (decimals == 0) return QJsonValue(static_cast<qint64>(units));
  double scale = 1;
  for (int k = 0; k < decimals; ++k) scale *= 10;
  return QJsonValue(static_cast<double>(units) / scale);
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
      if (auto fault = readNumber(object.value(key("upTo")), row + ".upTo",
                                  decimalsOf(row + ".upTo"), band.upTo.emplace()))
        return fault;
    }
    if (auto fault = readNumber(object.value(key("tick")), row + ".tick", decimalsOf(row + ".tick"),
                                band.tick))
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
    if (band.upTo)
      row.insert(key("upTo"), decimalNumber(*band.upTo, decimalsOf("price.ticks.upTo")));
    row.insert(key("tick"), decimalNumber(band.tick, decimalsOf("price.ticks.tick")));
    rows.append(row);
  }
  return rows;
}

// A row's four numbers; with `ticks` (the price row) it may also hold a tick table, and then its
// fixed steps may be left out (they keep the built-in values).
std::optional<core::SettingsFault> readStepRow(const QJsonObject& root, const char* name,
                                               core::StepSetting& row,
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
    const std::string where = std::string(name) + "." + field.key;
    if (auto fault =
            readNumber(object.value(key(field.key)), where, decimalsOf(where), row.*field.value))
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
    // The optional numbers of a tier; "fee" may be left out where a rate is given.
    const auto optional =
        [&](const char* name,
            std::optional<std::int64_t>& out) -> std::optional<core::SettingsFault> {
      if (!tier.contains(key(name))) return std::nullopt;
      return readNumber(tier.value(key(name)), where + "." + name, decimalsOf(where + "." + name),
                        out.emplace());
    };
    std::optional<std::int64_t> percent, fee;
    for (const auto& [name, out] :
         {std::pair{"below", &setting.below}, std::pair{"percent", &percent},
          std::pair{"min", &setting.min}, std::pair{"max", &setting.max}})
      if (auto fault = optional(name, *out)) return fault;
    setting.percent = percent.value_or(0);
    if (percent && !tier.contains(key("fee"))) fee = 0;
    if (!fee) {
      if (auto fault = readNumber(tier.value(key("fee")), where + ".fee",
                                  decimalsOf(where + ".fee"), fee.emplace()))
        return fault;
    }
    setting.fee = *fee;
    fees.push_back(setting);
  }
  return std::nullopt;
}

// "feeBorders": "below" (the default) or "upTo".
std::optional<core::SettingsFault> readBorders(const QJsonObject& root, core::FeeBorders& out) {
  const QJsonValue value = root.value(key("feeBorders"));
  if (value.isUndefined()) return std::nullopt;
  if (value == QJsonValue(QStringLiteral("below"))) {
    out = core::FeeBorders::Below;
  } else if (value == QJsonValue(QStringLiteral("upTo"))) {
    out = core::FeeBorders::UpTo;
  } else {
    return core::SettingsFault{"feeBorders", "\"below\" か \"upTo\" にしてください"};
  }
  return std::nullopt;
}

std::optional<core::SettingsFault> readName(const QJsonObject& root, std::string& out) {
  const QJsonValue value = root.value(key("name"));
  if (value.isUndefined()) return std::nullopt;
  if (!value.isString()) return core::SettingsFault{"name", "文字列にしてください"};
  out = value.toString().toStdString();
  return std::nullopt;
}

std::string lineOf(const QByteArray& contents, int offset) {
  const qsizetype end = std::min<qsizetype>(offset, contents.size());
  return std::to_string(contents.left(end).count('\n') + 1);
}

QJsonObject stepObject(QJsonObject kept, const char* name, const core::StepSetting& row) {
  for (const core::StepField& field : core::kStepFields) {
    const std::string where = std::string(name) + "." + field.key;
    kept.insert(key(field.key), decimalNumber(row.*field.value, decimalsOf(where)));
  }
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
  if (!fault) fault = readBorders(root, settings.feeBorders);
  if (!fault) fault = readName(root, settings.name);
  for (const core::StepRow& r : core::kStepRows) {
    if (!fault)
      fault = readStepRow(root, r.key, settings.*r.row,
                          r.row == &core::TradeSettings::price ? &settings.priceTicks : nullptr);
  }
  if (!fault && root.contains(key("taxPercent")))
    fault = readNumber(root.value(key("taxPercent")), "taxPercent", decimalsOf("taxPercent"),
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
    const core::FeeTierSetting& setting = settings.fees[i];
    for (const char* name : {"below", "percent", "min", "max"}) tier.remove(key(name));
    if (setting.below) tier.insert(key("below"), static_cast<qint64>(*setting.below));
    tier.insert(key("fee"), static_cast<qint64>(setting.fee));
    if (setting.percent != 0)
      tier.insert(key("percent"), decimalNumber(setting.percent, decimalsOf("fees.percent")));
    if (setting.min) tier.insert(key("min"), static_cast<qint64>(*setting.min));
    if (setting.max) tier.insert(key("max"), static_cast<qint64>(*setting.max));
    tiers.append(tier);
  }
  root.insert(key("fees"), tiers);
  root.insert(key("feeBorders"), settings.feeBorders == core::FeeBorders::UpTo
                                     ? QStringLiteral("upTo")
                                     : QStringLiteral("below"));
  if (settings.name.empty())
    root.remove(key("name"));
  else
    root.insert(key("name"), QString::fromStdString(settings.name));
  for (const core::StepRow& r : core::kStepRows) {
    QJsonObject row = stepObject(root.value(key(r.key)).toObject(), r.key, settings.*r.row);
    if (r.row == &core::TradeSettings::price) {
      row.remove(key("ticks"));
      if (const QJsonValue ticks = ticksValue(settings.priceTicks); !ticks.isUndefined())
        row.insert(key("ticks"), ticks);
    }
    root.insert(key(r.key), row);
  }
  root.insert(key("taxPercent"), decimalNumber(settings.taxThousandths, decimalsOf("taxPercent")));

  return tk::saveWhole(path, QJsonDocument(root).toJson(QJsonDocument::Indented), tk::Folder::Make);
}

QString defaultPath() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  if (folder.isEmpty()) return {};
  return folder + QStringLiteral("/settings.json");
}

}  // namespace app
