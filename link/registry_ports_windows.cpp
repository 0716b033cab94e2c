#include <vector>

#include "link/registry_ports.h"

namespace vor {

QStringList RegistryPorts(HKEY root, const QString& keyPath) {
  QStringList names;
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, reinterpret_cast<const wchar_t*>(keyPath.utf16()), 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return names;
  }
  // Buffers as large as the key's largest value name and data, so that no port is lost to a
  // name longer than a fixed buffer.
  DWORD maxName = 0;
  DWORD maxData = 0;
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName,
                   &maxData, nullptr, nullptr);
  std::vector<wchar_t> name(maxName + 1);
  std::vector<BYTE> data(maxData + sizeof(wchar_t));
  for (DWORD index = 0;; ++index) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD dataSize = static_cast<DWORD>(data.size() - sizeof(wchar_t));
    DWORD type = 0;
    const LONG result =
        RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS) continue;  // a value changed while we read: the rest still count
    if (type != REG_SZ && type != REG_EXPAND_SZ) continue;
    QString port = QString::fromWCharArray(reinterpret_cast<const wchar_t*>(data.data()),
                                           static_cast<qsizetype>(dataSize / sizeof(wchar_t)));
    // The data usually ends with its terminating zero.
    while (port.endsWith(QChar(u'\0'))) port.chop(1);
    if (nameLength > 0 && !port.isEmpty()) names.append(port);
  }
  RegCloseKey(key);
  return names;
}

}  // namespace vor
