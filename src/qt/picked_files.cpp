#include "qt/picked_files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace stakora::qt {

Result<std::string, QString> ReadPickedFile(const QString& path) {
  const QFileInfo info(path);
  const QString name = info.fileName();
  if (!info.exists()) return name + " cannot be opened: there is no such file.";
  if (!info.isFile()) return name + " cannot be opened: it is not a file.";
  if (info.size() > kMostPickedBytes)
    return name + " cannot be opened: it is too large for a race.";
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return name + " cannot be opened: " + file.errorString() + ".";
  const QByteArray bytes = file.read(kMostPickedBytes + 1);
  if (bytes.size() > kMostPickedBytes)
    return name + " cannot be opened: it is too large for a race.";
  return bytes.toStdString();
}

QString WritePickedFile(const QString& path, const std::string& bytes) {
  const QString name = QFileInfo(path).fileName();
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
          static_cast<qint64>(bytes.size()) ||
      !file.commit())
    return name + " was not saved: " + file.errorString() + ".";
  return {};
}

QString WithCsvSuffix(const QString& path) {
  return QFileInfo(path).suffix().isEmpty() ? path + ".csv" : path;
}

}  // namespace stakora::qt
