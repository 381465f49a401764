#include "app/kept_file.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>
#include <QStandardPaths>

#include "core/number_text.h"

namespace app {

namespace {

// Both files are a few kilobytes at most (200 named trades); anything far larger is not one.
constexpr qint64 kMaxFileBytes = 1 << 20;

std::optional<QString> readNumberText(const QJsonObject& object, const char* key, bool positive,
                                      QString& out) {
  const QJsonValue value = object.value(QLatin1String(key));
  const QString where = QString::fromLatin1(key);
  if (!value.isString()) return where + QStringLiteral("：文字列の数値がありません");
  const auto number = core::readStrictFloat(value.toString().toStdString());
  if (!number || (positive && !(*number > 0)))
    return where + QStringLiteral("：数値として読めません");
  out = value.toString();
  return std::nullopt;
}

}  // namespace

QJsonObject tradeToJson(const KeptTrade& trade) {
  return {{QStringLiteral("quantity"), trade.quantity},
          {QStringLiteral("buyPrice"), trade.buyPrice},
          {QStringLiteral("sellPrice"), trade.sellPrice},
          {QStringLiteral("target"), trade.target},
          {QStringLiteral("nisa"), trade.nisa}};
}

std::optional<KeptTrade> tradeFromJson(const QJsonObject& object, QString* fault) {
  KeptTrade trade;
  std::optional<QString> why = readNumberText(object, "quantity", true, trade.quantity);
  if (!why) why = readNumberText(object, "buyPrice", false, trade.buyPrice);
  if (!why) why = readNumberText(object, "sellPrice", false, trade.sellPrice);
  // The target and the switch came later than the prices: a trade without them has none.
  const QJsonValue target = object.value(QStringLiteral("target"));
  const QJsonValue nisa = object.value(QStringLiteral("nisa"));
  if (!why && !target.isUndefined() && !target.isString())
    why = QStringLiteral("target：文字列ではありません");
  if (!why && !nisa.isUndefined() && !nisa.isBool())
    why = QStringLiteral("nisa：true か false ではありません");
  if (why) {
    *fault = *why;
    return std::nullopt;
  }
  trade.target = target.toString();
  trade.nisa = nisa.toBool();
  return trade;
}

KeptJson readKeptJson(const QString& path) {
  KeptJson result;
  if (!QFileInfo::exists(path)) {
    result.missing = true;
    return result;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    result.fault = QStringLiteral("開けません（%1）").arg(file.errorString());
    return result;
  }
  const QByteArray contents = file.read(kMaxFileBytes + 1);
  if (contents.size() > kMaxFileBytes) {
    result.fault = QStringLiteral("1 MiBを超えています");
    return result;
  }
  QJsonParseError error{};
  const QJsonDocument document = QJsonDocument::fromJson(contents, &error);
  if (error.error != QJsonParseError::NoError)
    result.fault = QStringLiteral("JSONとして読めません（%1 バイト目）").arg(error.offset);
  else if (!document.isObject())
    result.fault = QStringLiteral("JSONのオブジェクトではありません");
  else
    result.root = document.object();
  return result;
}

QString setAside(const QString& path, const QString& what, const QString& fault, bool* blocked) {
  const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
  QString aside = path + QStringLiteral(".unreadable-") + stamp;
  for (int n = 2; QFileInfo::exists(aside); ++n)
    aside = path + QStringLiteral(".unreadable-%1-%2").arg(stamp).arg(n);
  const bool moved = QFile::rename(path, aside);
  *blocked = !moved;
  const QString head = QStringLiteral("%1を読み込めませんでした。\n\nファイル：%2\n理由：%3\n\n")
                           .arg(what, QDir::toNativeSeparators(path), fault);
  if (moved)
    return head + QStringLiteral("元のファイルは %1 として残しました。")
                      .arg(QDir::toNativeSeparators(aside));
  return head + QStringLiteral("ファイルを移せないため、このファイルには書き込みません。");
}

QString keptFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

}  // namespace app
