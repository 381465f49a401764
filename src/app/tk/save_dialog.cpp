#include "app/tk/save_dialog.h"

#include <QFileDialog>

namespace tk {

namespace {
SavePathChooser& chooser() {
  static SavePathChooser c;
  return c;
}
}  // namespace

void setSavePathChooser(SavePathChooser c) { chooser() = std::move(c); }

QString chooseSavePath(QWidget* parent, const QString& suggested) {
  if (chooser()) return chooser()(parent, suggested);
  const QString png = QStringLiteral("PNG 画像 (*.png)");
  const QString svg = QStringLiteral("SVG 画像 (*.svg)");
  // The dialog itself adds the chosen kind's suffix to a name typed without one, so the name it
  // asks before overwriting is the name that will be written.
  QFileDialog dialog(parent, QStringLiteral("グラフを画像で保存"), suggested);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters({png, svg});
  dialog.setDefaultSuffix(QStringLiteral("png"));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
    dialog.setDefaultSuffix(filter == svg ? QStringLiteral("svg") : QStringLiteral("png"));
  });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace tk
