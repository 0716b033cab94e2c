#include "files/backup_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
#include <functional>
#include <vector>

#include "definitions/model_table.h"
#include "files/image_file.h"

namespace vor {
namespace {

// Names sort by time within a serial number because the time is written most significant first.
constexpr auto kTimeFormat = "yyyyMMdd-HHmmss-zzz";

// Module name (letters, digits, "_"), serial number, time.
const QRegularExpression kBackupName(
    QStringLiteral("^[A-Za-z0-9_]+-(\\d+)-(\\d{8}-\\d{6}-\\d{3})\\.bin$"));

}  // namespace

QString BackupModuleName(const ConfigImage& image) {
  QString name;
  for (std::size_t i = 0; i < kModuleNameSize; ++i) {
    const std::uint8_t c = image[kModuleNameAddr + i];
    if (c == 0) break;
    const bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    name += plain ? QChar(c) : QChar(u'_');
  }
  return name.isEmpty() ? QStringLiteral("unnamed") : name;
}

QString BackupSerial(const ConfigImage& image) {
  std::uint32_t serial = 0;
  for (std::size_t i = 0; i < kSerialNumberSize; ++i) {
    serial = serial << 8 | image[kSerialNumberAddr + i];
  }
  return QString::number(serial);
}

QString BackupsFolder() {
  // The desktop program's data folder, beside this program's own: both leave the organisation
  // name empty, so each has a folder of its name in the same place (~/.local/share on Linux,
  // %APPDATA% on Windows).
  const QDir own(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
  return QDir::cleanPath(own.filePath(QStringLiteral("../vor-user/backups")));
}

bool BackUpBeforeWrite(const BackupStore& store, const ConfigImage& controller,
                       const std::function<bool(const QString& reason)>& writeAnyway) {
  QString error;
  if (!store.Save(controller, QDateTime::currentDateTime(), error).isEmpty()) return true;
  return writeAnyway(error);
}

QString BackupStore::Save(const ConfigImage& image, const QDateTime& when, QString& error) const {
  if (!QDir().mkpath(folder_)) {
    error = QCoreApplication::translate("vor::BackupStore", "cannot create the backups folder %1")
                .arg(folder_);
    return {};
  }
  const QString serial = BackupSerial(image);
  const QString path = QDir(folder_).filePath(
      QStringLiteral("%1-%2-%3.bin")
          .arg(BackupModuleName(image), serial, when.toString(QLatin1String(kTimeFormat))));
  if (!SaveImageFile(path, image, error)) return {};

  const QStringList backups = BackupsOf(serial);
  for (qsizetype i = kKeepPerSerial; i < backups.size(); ++i) QFile::remove(backups[i]);
  return path;
}

QStringList BackupStore::BackupsOf(const QString& serial) const {
  const QDir dir(folder_);
  std::vector<std::pair<QString, QString>> found;  // time, name
  for (const QString& name : dir.entryList({QStringLiteral("*.bin")}, QDir::Files)) {
    const QRegularExpressionMatch match = kBackupName.match(name);
    if (match.hasMatch() && match.captured(1) == serial)
      found.emplace_back(match.captured(2), name);
  }
  // Newest first, whatever the module name says.
  std::sort(found.begin(), found.end(), std::greater<>());
  QStringList paths;
  for (const auto& [time, name] : found) paths.append(dir.filePath(name));
  return paths;
}

QDateTime BackupTime(const QString& path) {
  const QRegularExpressionMatch match = kBackupName.match(QFileInfo(path).fileName());
  if (!match.hasMatch()) return {};
  return QDateTime::fromString(match.captured(2), QLatin1String(kTimeFormat));
}

}  // namespace vor
