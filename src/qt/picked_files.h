#pragma once
// The files a user picks in the planner: races and exported plans. Read only
// when they are plain files of a race's size, so that a device or a pipe
// picked by mistake never holds the window; written whole or not at all.

#include <QString>
#include <string>

#include "result.h"

namespace stakora::qt {

// More than any race or plan needs.
inline constexpr qint64 kMostPickedBytes = 4 * 1024 * 1024;

// The file's bytes, or why they cannot be read, naming the file.
Result<std::string, QString> ReadPickedFile(const QString& path);

// Writes a new file beside the old one and renames it over it; why not,
// naming the file, or an empty text.
QString WritePickedFile(const QString& path, const std::string& bytes);

// The name a file dialog gave, with ".csv" when it has no suffix.
QString WithCsvSuffix(const QString& path);

}  // namespace stakora::qt
