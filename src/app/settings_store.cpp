#include "app/settings_store.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <utility>

#include "app/settings_file.h"

namespace app {

SettingsStore::SettingsStore(QString path, std::function<void()> changed, QObject* parent)
    : QObject(parent), path_(std::move(path)) {
  if (path_.isEmpty()) return;
  watcher_ = new QFileSystemWatcher(this);
  connect(watcher_, &QFileSystemWatcher::fileChanged, this, [changed] { changed(); });
  connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [changed] { changed(); });
}

// Watches the file and its folder, whichever of them exists now and is not watched already.
void SettingsStore::watch() {
  if (!watcher_) return;
  const QString folder = QFileInfo(path_).absolutePath();
  const QStringList watched = watcher_->files() + watcher_->directories();
  for (const QString& path : {path_, folder}) {
    if (!watched.contains(path) && QFileInfo::exists(path)) watcher_->addPath(path);
  }
}

SettingsStore::Loaded SettingsStore::load(bool atStart) {
  if (path_.isEmpty()) return {};
  watch();
  const Read read = app::read(path_);
  if (read.fault) {
    if (!atStart && refused_ == read.contents) return {};
    refused_ = read.contents;
    return {std::nullopt, refusalMessage(path_, *read.fault, atStart)};
  }
  refused_.reset();
  // Another file than the default one that does not exist yet starts from the default file's
  // settings (nothing is written until the dialog's OK), so a second broker's file begins from
  // the plan already set up.
  if (read.missing && path_ != defaultPath()) {
    const Read fallback = app::read(defaultPath());
    return {fallback.fault ? core::builtInSettings() : fallback.settings, std::nullopt};
  }
  return {read.settings, std::nullopt};
}

void SettingsStore::noteSaved() {
  refused_.reset();
  watch();
}

}  // namespace app
