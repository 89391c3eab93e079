// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/page/whole_file.h"

#include <QFileInfo>
#include <QSaveFile>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace prism {
namespace {

// QSaveFile does not report a failed sync, and with its own buffer it does
// not report a failed last flush either (the write goes unbuffered here): the
// file's data are on the disk before it takes the old one's place, or the
// write has failed.
bool SyncedToDisk(int descriptor) {
#ifdef _WIN32
  return _commit(descriptor) == 0;
#else
  return fsync(descriptor) == 0;
#endif
}

}  // namespace

FileWriteOutcome WriteWholeFile(const QString& path, const QByteArray& bytes) {
  const QFileInfo target(path);
  if (target.exists()) {
    // Renaming over a device or a pipe would put a file in its place.
    if (!target.isFile()) return FileWriteOutcome::kNotAFile;
    // The owner's write permission counts for the administrator too, who
    // may write any file: a file marked read-only is not to be replaced.
    if (!target.isWritable() || !target.permission(QFileDevice::WriteOwner)) {
      return FileWriteOutcome::kReadOnly;
    }
  } else if (target.isSymLink()) {
    return FileWriteOutcome::kNotAFile;
  }
  // A new file that is not committed is removed with its object.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return FileWriteOutcome::kFailed;
  if (file.write(bytes) != bytes.size() || !file.flush() || !SyncedToDisk(file.handle())) {
    return FileWriteOutcome::kFailed;
  }
  return file.commit() ? FileWriteOutcome::kWritten : FileWriteOutcome::kFailed;
}

}  // namespace prism
