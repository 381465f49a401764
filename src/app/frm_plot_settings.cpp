// The trade settings in force: the fee tiers, the step buttons' units and limits and the tax rate.
// They come from the settings file (read at start and whenever it changes on disk) or from the
// settings dialog, which writes the file.
#include <QFileInfo>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

#include "app/frm_plot.h"
#include "app/settings_dialog.h"
#include "app/settings_file.h"
#include "app/settings_store.h"
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
  else if (!settingsFile->path().isEmpty() && settingsFile->path() != app::defaultPath())
    title += QStringLiteral(" - ") + QFileInfo(settingsFile->path()).fileName();
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

  settingsFile = new SettingsStore(
      settingsPath, [this] { LoadSettings(false); }, this);
  LoadSettings(true);
  ShowTitle();
}

// A refused file leaves the settings as they are (the built-in ones at start) and says so once.
void FrmPlot::LoadSettings(bool atStart) {
  const SettingsStore::Loaded loaded = settingsFile->load(atStart);
  // The store has noted the refusal before the message shows: the watcher may report again
  // while the box is open.
  if (loaded.message) tk::showMessage(this, *loaded.message);
  if (loaded.settings) TakeSettings(*loaded.settings);
}

// One dialog at a time, window-modal: the chart stays in view behind it. OK has saved the file by
// the time the dialog reports it accepted.
void FrmPlot::OpenSettingsDialog() {
  if (settingsDialog) {
    settingsDialog->raise();
    settingsDialog->activateWindow();
    return;
  }
  auto* dialog = new SettingsDialog(state.settings, settingsFile->path(), this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  settingsDialog = dialog;
  connect(dialog, &QDialog::accepted, this, [this, dialog] {
    if (dialog->entered()) TakeSettings(*dialog->entered());
    settingsFile->noteSaved();
  });
  dialog->open();
}

}  // namespace app
