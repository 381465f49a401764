#pragma once
// The store of state.json: the last trade, the window size and the chart's view of each settings
// file, so that a window comes back as it was left, and two windows comparing two brokers each
// come back as theirs was. The view history is not kept.
//
//   {"windows": {"/home/me/.config/hoshinami/settings.json":
//       {"trade": {...}, "compact": false,
//        "view": {"priceMin": 0, "priceSpan": 100, "amountMin": 0, "amountSpan": 100000}}}}
//
// Each save reads the file again and replaces only its own window's entry, so the other windows'
// entries stay.
#include <QString>
#include <optional>

#include "app/kept_file.h"
#include "core/chart_state.h"

namespace app {

struct KeptWindow {
  KeptTrade trade;
  bool compact = false;
  core::SavedView view{};
  friend bool operator==(const KeptWindow&, const KeptWindow&) = default;
};

class StateStore {
 public:
  // `path` is state.json; `key` names the window's settings file.
  StateStore(QString path, QString key);

  // The window's entry as last saved. An unreadable file is renamed aside first and `message`
  // says so; the window then starts as if there were no file.
  std::optional<KeptWindow> load(QString* message);
  // Writes the window's entry. Nothing on success, else the message to show (with the path). A
  // file that has become unreadable is renamed aside first (said in the message too).
  std::optional<QString> save(const KeptWindow& window);

  const QString& path() const { return path_; }

 private:
  QString path_;
  QString key_;
  bool blocked_ = false;  // an unreadable file could not be moved aside: it is never written
};

}  // namespace app
