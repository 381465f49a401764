#pragma once
// Every file the program writes is written whole or not at all: the bytes go to a temporary file
// in the same folder, which replaces the target only once every byte is on disk. On the Qt of
// this system a failed buffered write does not stop QSaveFile::commit() from replacing the file
// with what little was written, so each write() and flush() is checked before the commit.
#include <QByteArray>
#include <QString>
#include <optional>

namespace tk {

// Whether the folder a file goes into is made when missing (the program's own folders) or must
// exist (where the person chose to save).
enum class Folder { MustExist, Make };

// Writes `bytes` to `path`. Nothing on success, else why it failed (in the system's words); the
// file on disk is then as it was.
std::optional<QString> saveWhole(const QString& path, const QByteArray& bytes, Folder folder);

}  // namespace tk
