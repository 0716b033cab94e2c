#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

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

// The folder of the automatic backups, the same whichever program asks: "backups" in the desktop
// program's data folder (~/.local/share/vor-user/backups on Linux, %APPDATA%\vor-user\backups
// on Windows). Needs the application's name set.
QString BackupsFolder();

// The rule before every write of the controller's configuration, in both programs: `controller`,
// what it holds now, is saved into `store` first, at the current time. When that cannot be done,
// `writeAnyway` is asked, with the reason (a sentence naming the file or folder), and decides.
// True when the write may go ahead.
bool BackUpBeforeWrite(const BackupStore& store, const ConfigImage& controller,
                       const std::function<bool(const QString& reason)>& writeAnyway);

// The parts of a backup's name: the module name with anything unfit for a file name replaced,
// and the serial number in decimal.
QString BackupModuleName(const ConfigImage& image);
QString BackupSerial(const ConfigImage& image);

// The local time a backup was taken, from its file name (`path` as BackupsOf gives it); an
// invalid QDateTime for a name that is not a backup's.
QDateTime BackupTime(const QString& path);

}  // namespace vor
