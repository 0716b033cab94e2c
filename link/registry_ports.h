#pragma once

#include <windows.h>

#include <QString>
#include <QStringList>

namespace vor {

// The serial port names held as the data of the values of `root`\`keyPath`, in the registry's
// enumeration order, without sorting or removing duplicates. Values with an empty name or data
// are passed over; a name of any length is kept. Empty when the key cannot be opened.
QStringList RegistryPorts(HKEY root, const QString& keyPath);

}  // namespace vor
