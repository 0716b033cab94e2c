// Systems whose Qt decodes GBK by name (through ICU, as Debian's does).
#include <QStringDecoder>

#include "definitions/script_text.h"

namespace vor {

QString DecodeScriptText(QByteArrayView bytes) {
  if (bytes.empty()) return {};
  QStringDecoder decoder("GBK", QStringDecoder::Flag::Stateless);
  if (!decoder.isValid()) return QString::fromLatin1(bytes.data(), bytes.size());
  return decoder.decode(bytes);
}

}  // namespace vor
