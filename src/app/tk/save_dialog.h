#pragma once
// The platform's save dialog for the chart's picture, asked for a path. Tests replace the chooser
// to answer without a modal dialog.
#include <QString>
#include <functional>

class QWidget;

namespace tk {

// The chosen path, or an empty text when the person cancelled. `suggested` is the file name (and
// folder) the dialog starts with.
using SavePathChooser = std::function<QString(QWidget* parent, const QString& suggested)>;
QString chooseSavePath(QWidget* parent, const QString& suggested);
void setSavePathChooser(SavePathChooser chooser);  // an empty chooser restores the real dialog

}  // namespace tk
