#include "app/tk/save_file.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace tk {

std::optional<QString> saveWhole(const QString& path, const QByteArray& bytes) {
  const QString folder = QFileInfo(path).absolutePath();
  if (!QDir().mkpath(folder))
    return QStringLiteral("フォルダ %1 を作れません").arg(QDir::toNativeSeparators(folder));
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
