#pragma once
// What the program keeps for the user besides the settings: the last trade of each settings file
// (state.json) and the named trades (trades.json), beside each other in the program's data
// folder. Both hold the same trade, so that a value added to it (the target, the NISA switch) is
// kept in both at once.
//
//   {"quantity": "1000", "buyPrice": "1.00", "sellPrice": "1.00", "target": "", "nisa": false}
//
// The numbers are kept as the fields show them, so they come back digit for digit. A file that
// cannot be read is renamed aside with the time in its name and never written over.
#include <QJsonObject>
#include <QString>
#include <optional>

namespace app {

struct KeptTrade {
  QString quantity = QStringLiteral("1000");
  QString buyPrice = QStringLiteral("1.00");
  QString sellPrice = QStringLiteral("1.00");
  QString target;     // the target after tax as typed; empty when none
  bool nisa = false;  // whether the trade is tax-free (NISA)
  friend bool operator==(const KeptTrade&, const KeptTrade&) = default;
};

QJsonObject tradeToJson(const KeptTrade& trade);
// The trade in `object`, or why it is not one (the key and the fault, in Japanese).
std::optional<KeptTrade> tradeFromJson(const QJsonObject& object, QString* fault);

// A kept file as read: its top object, or that it is missing, or why it cannot be read.
struct KeptJson {
  QJsonObject root;
  bool missing = false;
  std::optional<QString> fault;
};
KeptJson readKeptJson(const QString& path);

// Renames an unreadable file to "<name>.unreadable-<yyyyMMdd-hhmmss>" beside it and returns the
// message that says so; `blocked` is set when it could not be moved (then nothing may write it).
QString setAside(const QString& path, const QString& what, const QString& fault, bool* blocked);

// The folder state.json and trades.json live in.
QString keptFolder();

}  // namespace app
