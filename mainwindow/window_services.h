#pragma once

#include <QString>
#include <QStringList>

class QSettings;

namespace vor {

class MenuDialogs;
class PortSystem;

// What the main window's menus use of the world around it, handed in so that tests can give
// their own: no test opens a real dialog, writes the user's settings or backups, or opens the
// machine's serial ports.
struct WindowServices {
  MenuDialogs& dialogs;
  QSettings& settings;     // the options kept across runs
  QString backupsFolder;   // the automatic backups before every Write
  PortSystem& ports;       // opened briefly on this thread by the troubleshooting checks
  QStringList namedPorts;  // the ports the command line named; empty: the machine's own
};

}  // namespace vor
