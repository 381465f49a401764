#include "app/tk/save_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace tk {

std::optional<QString> saveWhole(const QString& path, const QByteArray& bytes, Folder folder) {
  const QString where = QFileInfo(path).absolutePath();
  if (folder == Folder::Make && !QDir().mkpath(where))
    return QStringLiteral("フォルダ %1 を作れません").arg(QDir::toNativeSeparators(where));
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  if (file.write(bytes) != bytes.size() || !file.flush()) {
    QString why = file.errorString();
    file.cancelWriting();
    return why.isEmpty() ? QStringLiteral("書き込めません") : why;
  }
  if (!file.commit()) return file.errorString();
  return std::nullopt;
}

}  // namespace tk
