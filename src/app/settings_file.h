#pragma once
// The trade settings file, settings.json: read it (every value checked, the built-in values for
// the whole file when any is refused) and write it for the settings dialog, keeping the keys this
// version does not know.
//
//   { "fees": [ {"below": 50000, "fee": 525}, {"below": 200000, "fee": 1050}, {"fee": 1575} ],
//     "quantity": {"step": 1000, "bigStep": 10000, "lowest": 1000, "highest": 250000},
//     "price": {"step": 0.01, "bigStep": 1, "lowest": 0.01, "highest": 99.99},
//     "taxPercent": 20.315 }
//
// "taxPercent" may be left out (a file from before the tax rate was a setting): the built-in rate.
// So may "name", "feeBorders" ("below", the original's rule, or "upTo") and, in a tier,
// "percent", "min" and "max"; "fee" may be left out beside a "percent".
#include <QByteArray>
#include <QString>
#include <optional>

#include "core/trade_settings.h"

namespace app {

// The settings a file's contents hold, or the first fault: its key ("fees[1].below"; empty when
// the whole file is at fault) and the reason in Japanese.
struct Parsed {
  core::TradeSettings settings;
  std::optional<core::SettingsFault> fault;
};
Parsed parse(const QByteArray& contents);

struct Read {
  core::TradeSettings settings;  // the built-in values when the file is missing or refused
  std::optional<core::SettingsFault> fault;
  bool missing = false;
  QByteArray contents;  // what was read, so that the same refused contents are reported once
};
Read read(const QString& path);

// The message that names the file, the key and the fault. At start-up the built-in values take
// the file's place; later the settings in force stay.
QString refusalMessage(const QString& path, const core::SettingsFault& fault, bool atStart);

// Writes the settings through a save file (all or nothing), creating the folder when needed. The
// keys of the file on disk this version does not know stay, at the top and inside "quantity",
// "price" and each tier (by position). Nothing on success, else why it failed.
std::optional<QString> write(const QString& path, const core::TradeSettings& settings);

// settings.json in the program's configuration folder.
QString defaultPath();

}  // namespace app
