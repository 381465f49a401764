#include "app/trades_store.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <algorithm>
#include <utility>

#include "app/tk/save_file.h"

namespace app {

namespace {

const QString kWhat = QStringLiteral("銘柄の一覧");

// The trades in the file, or why it is not a trades file.
std::optional<QString> parseTrades(const QJsonObject& root, std::vector<NamedTrade>& out) {
  out.clear();
  const QJsonValue list = root.value(QStringLiteral("trades"));
  if (list.isUndefined()) return std::nullopt;
  if (!list.isArray()) return QStringLiteral("trades：配列ではありません");
  const QJsonArray all = list.toArray();
  for (qsizetype i = 0; i < all.size(); ++i) {
    const QString where = QStringLiteral("trades[%1]").arg(i);
    const QJsonObject entry = all.at(i).toObject();
    const QString name = entry.value(QStringLiteral("name")).toString().trimmed();
    if (name.isEmpty()) return where + QStringLiteral(".name：名前がありません");
    QString fault;
    const auto trade = tradeFromJson(entry.value(QStringLiteral("trade")).toObject(), &fault);
    if (!trade) return where + QStringLiteral(".trade.") + fault;
    if (std::any_of(out.begin(), out.end(), [&](const NamedTrade& t) { return t.name == name; }))
      return where + QStringLiteral(".name：同じ名前がすでにあります");
    out.push_back({name, *trade});
  }
  if (out.size() > TradesStore::kMaxNames)
    return QStringLiteral("trades：%1件を超えています").arg(TradesStore::kMaxNames);
  return std::nullopt;
}

QByteArray toJson(const std::vector<NamedTrade>& trades) {
  QJsonArray list;
  for (const NamedTrade& t : trades)
    list.append(QJsonObject{{QStringLiteral("name"), t.name},
                            {QStringLiteral("trade"), tradeToJson(t.trade)}});
  return QJsonDocument(QJsonObject{{QStringLiteral("trades"), list}})
      .toJson(QJsonDocument::Indented);
}

}  // namespace

TradesStore::TradesStore(QString path) : path_(std::move(path)) {}

std::optional<QString> TradesStore::load() {
  const KeptJson read = readKeptJson(path_);
  std::optional<QString> fault = read.fault;
  std::vector<NamedTrade> found;
  if (!fault && !read.missing) fault = parseTrades(read.root, found);
  if (fault) {
    // The window goes on with the names it had; a later save writes them into a new file.
    return setAside(path_, kWhat, *fault, &blocked_);
  }
  trades_ = std::move(found);
  return std::nullopt;
}

const KeptTrade* TradesStore::find(const QString& name) const {
  for (const NamedTrade& t : trades_)
    if (t.name == name) return &t.trade;
  return nullptr;
}

std::optional<QString> TradesStore::put(const QString& name, const KeptTrade& trade) {
  return change(name.trimmed(), &trade);
}

std::optional<QString> TradesStore::remove(const QString& name) { return change(name, nullptr); }

// What the file holds now, with this one change.
std::optional<QString> TradesStore::change(const QString& name, const KeptTrade* trade) {
  if (blocked_)
    return QStringLiteral("%1 を移せなかったため、銘柄は保存しません。")
        .arg(QDir::toNativeSeparators(path_));
  QString message;
  if (const auto aside = load()) {
    if (blocked_) return aside;
    message = *aside + QStringLiteral("\n\n");
  }
  std::vector<NamedTrade> next = trades_;
  const auto same =
      std::find_if(next.begin(), next.end(), [&](const NamedTrade& t) { return t.name == name; });
  if (!trade) {
    if (same == next.end()) return message.isEmpty() ? std::nullopt : std::optional(message);
    next.erase(same);
  } else if (same != next.end()) {
    same->trade = *trade;
  } else if (next.size() >= kMaxNames) {
    return message +
           QStringLiteral("銘柄は%1件までです。使わない銘柄を削除してください。").arg(kMaxNames);
  } else {
    next.push_back({name, *trade});
  }
  if (const auto failure = tk::saveWhole(path_, toJson(next), tk::Folder::Make))
    return message + QStringLiteral("銘柄を保存できませんでした。\n\nファイル：%1\n理由：%2")
                         .arg(QDir::toNativeSeparators(path_), *failure);
  trades_ = std::move(next);
  return message.isEmpty() ? std::nullopt : std::optional(message.trimmed());
}

}  // namespace app
