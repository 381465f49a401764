// The trade settings in force: the fee tiers, the step buttons' units and limits and the tax rate.
// They come from the settings file (read at start and whenever it changes on disk) or from the
// settings dialog, which writes the file.
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

#include "app/frm_plot.h"
#include "app/settings_dialog.h"
#include "app/settings_file.h"
#include "app/tk/message_box.h"

namespace app {

// New settings take effect at once: the step buttons' tips, and the chart, markers, readout and
// figures redrawn with the new fees. The view and its history stay, and so does what the fields
// hold: whether a text is taken is decided once, when it changes. A fixed fee cannot make a finite
// amount infinite (it is far below half a float step at the float range's end); a rate of up to a
// tenth can, for a trade within a tenth of that end, whose amount then stands beyond every view
// (an arrow on its label) while the texts stay exact.
void FrmPlot::ApplySettings(const core::TradeSettings& settings) {
  state.settings = settings;
  ShowStepTips();
  ShowTitle();
  ReDraw();
}

// The title says whose plan the window shows: its name, else the name of a file other than the
// default one; the default file with no name leaves the program's name alone.
void FrmPlot::ShowTitle() {
  QString title = QStringLiteral("ほしなみ。");
  if (!state.settings.name.empty())
    title += QStringLiteral(" - ") + QString::fromStdString(state.settings.name);
  else if (!settingsFile.path.isEmpty() && settingsFile.path != app::defaultPath())
    title += QStringLiteral(" - ") + QFileInfo(settingsFile.path).fileName();
  setWindowTitle(title);
}

// Settings from the file or the dialog: applied only when they differ from those in force, so the
// dialog's OK followed by the watcher's notice of the same save redraws once.
void FrmPlot::TakeSettings(const core::TradeSettings& settings) {
  if (settings != state.settings) ApplySettings(settings);
}

void FrmPlot::connectSettingsEvents(const QString& settingsPath) {
  connect(ui.CmdSettings, &QPushButton::clicked, this, [this] { OpenSettingsDialog(); });
  // Preferences open from wherever the focus is in the window; held down, one dialog.
  auto* open = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma), this);
  open->setAutoRepeat(false);
  connect(open, &QShortcut::activated, this, [this] { OpenSettingsDialog(); });

  settingsFile.path = settingsPath;
  if (settingsPath.isEmpty()) return;
  settingsFile.watcher = new QFileSystemWatcher(this);
  // A save through a save file replaces the file by a rename: the file's own watch ends with it,
  // and the folder's notice brings the new file.
  connect(settingsFile.watcher, &QFileSystemWatcher::fileChanged, this,
          [this] { LoadSettings(false); });
  connect(settingsFile.watcher, &QFileSystemWatcher::directoryChanged, this,
          [this] { LoadSettings(false); });
  LoadSettings(true);
  ShowTitle();
}

// Watches the file and its folder, whichever of them exists now.
void FrmPlot::WatchSettingsFile() {
  if (!settingsFile.watcher) return;
  const QString folder = QFileInfo(settingsFile.path).absolutePath();
  const QStringList watched = settingsFile.watcher->files() + settingsFile.watcher->directories();
  for (const QString& path : {settingsFile.path, folder}) {
    if (!watched.contains(path) && QFileInfo::exists(path)) settingsFile.watcher->addPath(path);
  }
}

// A missing file means the built-in settings; another file than the default one that does not
// exist yet starts from the default file's settings (nothing is written until the dialog's OK),
// so a second broker's file begins from the plan already set up. A refused file leaves the settings
// as they are (the built-in ones at start) and says so once: the folder and the file both report
// one save, and an unrelated file in the folder reports too, but the same refused contents are not
// reported again.
void FrmPlot::LoadSettings(bool atStart) {
  WatchSettingsFile();
  const app::Read read = app::read(settingsFile.path);
  if (read.fault) {
    if (!atStart && settingsFile.refusedContents == read.contents) return;
    // Noted before the message shows: the watcher may report again while the box is open.
    settingsFile.refusedContents = read.contents;
    tk::showMessage(this, app::refusalMessage(settingsFile.path, *read.fault, atStart));
    return;
  }
  settingsFile.refusedContents.reset();
  if (read.missing && settingsFile.path != app::defaultPath()) {
    const app::Read fallback = app::read(app::defaultPath());
    TakeSettings(fallback.fault ? core::builtInSettings() : fallback.settings);
    return;
  }
  TakeSettings(read.settings);
}

// One dialog at a time, window-modal: the chart stays in view behind it. OK has saved the file by
// the time the dialog reports it accepted.
void FrmPlot::OpenSettingsDialog() {
  if (settingsFile.dialog) {
    settingsFile.dialog->raise();
    settingsFile.dialog->activateWindow();
    return;
  }
  auto* dialog = new SettingsDialog(state.settings, settingsFile.path, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  settingsFile.dialog = dialog;
  connect(dialog, &QDialog::accepted, this, [this, dialog] {
    if (dialog->entered()) TakeSettings(*dialog->entered());
    settingsFile.refusedContents.reset();
    WatchSettingsFile();  // the save may have made the folder and the file
  });
  dialog->open();
}

}  // namespace app
