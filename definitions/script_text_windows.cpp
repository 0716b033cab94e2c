// Windows: the system's own code page 936 conversion (Qt without ICU cannot name GBK).
#include <windows.h>

#include "definitions/script_text.h"

namespace vor {

QString DecodeScriptText(QByteArrayView bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(936, 0, bytes.data(), size, nullptr, 0);
  if (length <= 0) return {};
  QString text(length, Qt::Uninitialized);
  MultiByteToWideChar(936, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(text.data()), length);
  return text;
}

}  // namespace vor
