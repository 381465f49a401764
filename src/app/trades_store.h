#pragma once
// The store of trades.json: the named trades (銘柄), up to 200, in the order they were first
// saved.
//
//   {"trades": [{"name": "トヨタ", "trade": {...}}, ...]}
//
// Every change reads the file again just before writing and applies itself to what it finds, so
// two windows saving and deleting names at the same time lose none of each other's trades.
#include <QString>
#include <optional>
#include <vector>

#include "app/kept_file.h"

namespace app {

struct NamedTrade {
  QString name;
  KeptTrade trade;
};

class TradesStore {
 public:
  static constexpr std::size_t kMaxNames = 200;

  explicit TradesStore(QString path);

  // Reads the file again. An unreadable one is renamed aside and the message says so.
  std::optional<QString> load();
  // Keeps `trade` under `name`, replacing one of that name. Nothing on success, else the message.
  std::optional<QString> put(const QString& name, const KeptTrade& trade);
  // Removes `name`. Nothing on success, else the message.
  std::optional<QString> remove(const QString& name);

  const std::vector<NamedTrade>& trades() const { return trades_; }
  const KeptTrade* find(const QString& name) const;
  const QString& path() const { return path_; }

 private:
  std::optional<QString> change(const QString& name, const KeptTrade* trade);

  QString path_;
  std::vector<NamedTrade> trades_;
  bool blocked_ = false;  // an unreadable file could not be moved aside: it is never written
};

}  // namespace app
