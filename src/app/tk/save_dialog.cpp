#include "app/tk/save_dialog.h"

#include <QFileDialog>
#include <QFileInfo>

#include "app/tk/units.h"

namespace tk {

namespace {

SavePathChooser& chooser() {
  static SavePathChooser c;
  return c;
}

// `path` as it will be written: with the selected kind's suffix when its own names no kind.
QString withKnownSuffix(const QString& path, const QString& filter,
                        const std::vector<FileKind>& kinds) {
  const QString suffix = QFileInfo(path).suffix();
  const FileKind* selected = kinds.empty() ? nullptr : &kinds.front();
  for (const FileKind& kind : kinds) {
    if (suffix.compare(kind.suffix, Qt::CaseInsensitive) == 0) return path;
    if (kind.filter == filter) selected = &kind;
  }
  return selected ? path + QLatin1Char('.') + selected->suffix : path;
}

// The dialog completes the name before it accepts it, so its own question before replacing an
// existing file is asked of the name that will be written.
class SaveDialog : public QFileDialog {
 public:
  SaveDialog(QWidget* parent, const QString& suggested, std::vector<FileKind> kinds)
      : QFileDialog(parent, QStringLiteral("グラフを画像で保存"), suggested),
        kinds_(std::move(kinds)) {
    setFont(windowFont());  // file names as they are written, marks and all
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    // Only this dialog lets the name be completed before the question.
    setOption(QFileDialog::DontUseNativeDialog);
    QStringList filters;
    for (const FileKind& kind : kinds_) filters << kind.filter;
    setNameFilters(filters);
  }

  void accept() override {
    const QStringList files = selectedFiles();
    if (files.size() == 1 && !QFileInfo(files.constFirst()).isDir()) {
      const QString complete = withKnownSuffix(files.constFirst(), selectedNameFilter(), kinds_);
      if (complete != files.constFirst()) selectFile(complete);
    }
    QFileDialog::accept();
  }

 private:
  std::vector<FileKind> kinds_;
};

}  // namespace

void setSavePathChooser(SavePathChooser c) { chooser() = std::move(c); }

QString chooseSavePath(QWidget* parent, const QString& suggested,
                       const std::vector<FileKind>& kinds) {
  if (chooser()) {
    QStringList filters;
    for (const FileKind& kind : kinds) filters << kind.filter;
    const SaveChoice choice = chooser()(parent, suggested, filters);
    return choice.path.isEmpty() ? QString() : withKnownSuffix(choice.path, choice.filter, kinds);
  }
  SaveDialog dialog(parent, suggested, kinds);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace tk
