#include "app/state_store.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonValue>
#include <utility>

#include "app/tk/save_file.h"
#include "core/single.h"

namespace app {

namespace {

const QString kWhat = QStringLiteral("前回の取引と表示");
const char* const kViewKeys[] = {"priceMin", "priceSpan", "amountMin", "amountSpan"};

// The file's entries, or why it is not a state file: every entry is checked, not only this
// window's, so a damaged file is found at once and not after another window wrote it again.
std::optional<QString> checkState(const QJsonObject& root) {
  const QJsonValue windows = root.value(QStringLiteral("windows"));
  if (windows.isUndefined()) return std::nullopt;
  if (!windows.isObject()) return QStringLiteral("windows：オブジェクトではありません");
  const QJsonObject all = windows.toObject();
  for (auto it = all.begin(); it != all.end(); ++it) {
    if (!it->isObject()) return it.key() + QStringLiteral("：オブジェクトではありません");
    const QJsonObject entry = it->toObject();
    QString fault;
    if (!tradeFromJson(entry.value(QStringLiteral("trade")).toObject(), &fault))
      return it.key() + QStringLiteral(" の trade.") + fault;
    if (!entry.value(QStringLiteral("compact")).isBool())
      return it.key() + QStringLiteral(" の compact：true か false ではありません");
    const QJsonObject view = entry.value(QStringLiteral("view")).toObject();
    for (std::size_t i = 0; i < 4; ++i) {
      const QJsonValue v = view.value(QLatin1String(kViewKeys[i]));
      const bool span = i % 2 == 1;
      if (!v.isDouble() || !core::finiteAsFloat(v.toDouble()) || (span && !(v.toDouble() > 0)))
        return it.key() + QStringLiteral(" の view.%1：表示範囲の数値ではありません")
                              .arg(QLatin1String(kViewKeys[i]));
    }
  }
  return std::nullopt;
}

KeptWindow windowFromJson(const QJsonObject& entry) {
  KeptWindow window;
  QString fault;
  window.trade = *tradeFromJson(entry.value(QStringLiteral("trade")).toObject(), &fault);
  window.compact = entry.value(QStringLiteral("compact")).toBool();
  const QJsonObject view = entry.value(QStringLiteral("view")).toObject();
  for (std::size_t i = 0; i < 4; ++i)
    window.view[i] = core::toSingle(view.value(QLatin1String(kViewKeys[i])).toDouble());
  return window;
}

QJsonObject windowToJson(const KeptWindow& window) {
  QJsonObject view;
  for (std::size_t i = 0; i < 4; ++i)
    view.insert(QLatin1String(kViewKeys[i]), static_cast<double>(window.view[i]));
  return {{QStringLiteral("trade"), tradeToJson(window.trade)},
          {QStringLiteral("compact"), window.compact},
          {QStringLiteral("view"), view}};
}

}  // namespace

StateStore::StateStore(QString path, QString key) : path_(std::move(path)), key_(std::move(key)) {}

std::optional<KeptWindow> StateStore::load(QString* message) {
  const KeptJson read = readKeptJson(path_);
  if (read.missing) return std::nullopt;
  std::optional<QString> fault = read.fault;
  if (!fault) fault = checkState(read.root);
  if (fault) {
    *message = setAside(path_, kWhat, *fault, &blocked_);
    return std::nullopt;
  }
  const QJsonValue entry = read.root.value(QStringLiteral("windows")).toObject().value(key_);
  if (!entry.isObject()) return std::nullopt;
  return windowFromJson(entry.toObject());
}

std::optional<QString> StateStore::save(const KeptWindow& window) {
  if (blocked_) return std::nullopt;  // said once, when the file was found unreadable
  KeptJson read = readKeptJson(path_);
  std::optional<QString> fault = read.fault;
  if (!fault && !read.missing) fault = checkState(read.root);
  QString aside;
  if (fault) {
    aside = setAside(path_, kWhat, *fault, &blocked_) + QStringLiteral("\n\n");
    if (blocked_) return aside;
    read.root = QJsonObject();
  }
  QJsonObject windows = read.root.value(QStringLiteral("windows")).toObject();
  windows.insert(key_, windowToJson(window));
  read.root.insert(QStringLiteral("windows"), windows);
  const auto failure = tk::saveWhole(
      path_, QJsonDocument(read.root).toJson(QJsonDocument::Indented), tk::Folder::Make);
  if (!failure) return fault ? std::optional<QString>(aside.trimmed()) : std::nullopt;
  return aside + QStringLiteral("取引と表示を保存できませんでした。\n\nファイル：%1\n理由：%2")
                     .arg(QDir::toNativeSeparators(path_), *failure);
}

}  // namespace app
