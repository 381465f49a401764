#pragma once
// The platform's save dialog for the window's picture, asked for a path. Tests replace the chooser
// to answer without a modal dialog.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QWidget;

namespace tk {

// A kind of file the dialog offers: its line in the dialog's list and its suffix (lower case,
// without the dot).
struct FileKind {
  QString filter;
  QString suffix;
};

// What the person chose: the path as typed or picked, and the kind selected in the list.
struct SaveChoice {
  QString path;  // empty when the person cancelled
  QString filter;
};

// `suggested` is the file name (and folder) the dialog starts with; `filters` come in the order
// of the kinds, the first selected.
using SavePathChooser = std::function<SaveChoice(QWidget* parent, const QString& suggested,
                                                 const QStringList& filters)>;
void setSavePathChooser(SavePathChooser chooser);  // an empty chooser restores the real dialog

// The path to write, or an empty text when the person cancelled. A path whose suffix names none
// of the kinds, in any case, gets the selected kind's suffix appended; the real dialog then asks
// before replacing a file of that name, as it does for a name it was given.
QString chooseSavePath(QWidget* parent, const QString& suggested,
                       const std::vector<FileKind>& kinds);

}  // namespace tk
