#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "link/config_image.h"

namespace vor {

// The folder of automatic backups: before every Write the controller's configuration as it was
// last read is saved here, one 128-byte image file per backup, named after the controller and
// the moment ("VOR72150-12345678-20261210-143501-250.bin": module name, serial number, local
// time). The newest kKeepPerSerial backups of each serial number are kept.
class BackupStore {
public:
  static constexpr int kKeepPerSerial = 100;

  explicit BackupStore(QString folder) : folder_(std::move(folder)) {}

  // Saves `image` atomically as the backup taken at `when`, then removes the oldest backups of
  // the same serial number beyond kKeepPerSerial. Returns the file's path; an empty string, with
  // `error` set to a sentence naming the file, when it cannot be saved.
  QString Save(const ConfigImage& image, const QDateTime& when, QString& error) const;

  // The backups of the controller with `serial` (as BackupSerial gives it), newest first.
  QStringList BackupsOf(const QString& serial) const;

  const QString& Folder() const { return folder_; }

private:
  QString folder_;
};

// The parts of a backup's name: the module name with anything unfit for a file name replaced,
// and the serial number in decimal.
QString BackupModuleName(const ConfigImage& image);
QString BackupSerial(const ConfigImage& image);

// The local time a backup was taken, from its file name (`path` as BackupsOf gives it); an
// invalid QDateTime for a name that is not a backup's.
QDateTime BackupTime(const QString& path);

}  // namespace vor
