#pragma once
// The store of the settings file a window reads: its path, its watcher and the refusal last
// reported. The file's contents are read and written by settings_file.h; this store decides when
// (at start and at each notice of the watcher) and what a window is told.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "core/trade_settings.h"

class QFileSystemWatcher;

namespace app {

class SettingsStore : public QObject {
 public:
  // `changed` runs at each notice that the file or its folder changed. With no path: the
  // built-in settings, nothing watched.
  SettingsStore(QString path, std::function<void()> changed, QObject* parent);

  struct Loaded {
    std::optional<core::TradeSettings> settings;  // nothing: keep the settings in force
    std::optional<QString> message;               // a refusal to report
  };
  // Reads the file: a missing one is the built-in settings, or, for another file than the
  // default one, the default file's settings. A refused file is reported once
  // however often the watcher reports it (the folder and the file both report one save, and so
  // does an unrelated file in the folder), and again only when its contents change. The watcher
  // is armed again first: a save by rename ends the old file's watch.
  Loaded load(bool atStart);
  // After the dialog saved the file: the save may have made the folder and the file.
  void noteSaved();

  const QString& path() const { return path_; }
  QFileSystemWatcher* watcher() const { return watcher_; }
  const std::optional<QByteArray>& refusedContents() const { return refused_; }

 private:
  void watch();

  QString path_;
  QFileSystemWatcher* watcher_ = nullptr;  // the file and its folder
  std::optional<QByteArray> refused_;      // the refused contents last reported
};

}  // namespace app
