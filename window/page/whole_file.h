// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Writing a file the user asked for whole or not at all: a page is never
// left half-written, and the file that was there before stays as it was
// wherever the new one cannot take its place.

#include <QByteArray>
#include <QString>

namespace prism {

enum class FileWriteOutcome {
  kWritten,
  kNotAFile,  // a folder, a device, a pipe or a link to nothing stands there
  kReadOnly,  // the file there may not be written
  kFailed,    // the folder took no new file, or a write or the flush failed
};

// Writes the bytes to a new file beside the path, flushed to the disk, and
// puts it in the path's place only once all is written: the old file's
// permissions are kept. Only a regular file, or a path where nothing is,
// is written.
FileWriteOutcome WriteWholeFile(const QString& path, const QByteArray& bytes);

}  // namespace prism
