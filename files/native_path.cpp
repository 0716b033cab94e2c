#include "files/native_path.h"

namespace vor {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // + a byte of 0x80..0xFF: that byte, not UTF-8

// The code point of the whole UTF-8 sequence at `at`, with its length; length 0 when the bytes
// there are not one (a stray continuation byte, a sequence cut short, an overlong form, a
// surrogate, a code point beyond U+10FFFF).
struct Decoded {
  char32_t code = 0;
  int length = 0;
};

Decoded DecodeOne(QByteArrayView bytes, qsizetype at) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  int length = 0;
  char32_t code = 0;
  char32_t lowest = 0;  // below it the sequence is overlong
  if (lead < 0x80) return {lead, 1};
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
    lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
    lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
    lowest = 0x10000;
  } else {
    return {};
  }
  if (at + length > bytes.size()) return {};
  for (int k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(bytes[at + k]);
    if ((next & 0xC0) != 0x80) return {};
    code = code << 6 | (next & 0x3F);
  }
  if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {};
  return {code, length};
}

bool IsEscapedByte(const QString& name, qsizetype at) {
  const char16_t c = name[at].unicode();
  // The low half of a surrogate pair is a character's, not an escape.
  return c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF &&
         !(at > 0 && name[at - 1].isHighSurrogate());
}

}  // namespace

QString NameFromBytes(QByteArrayView bytes) {
  QString name;
  name.reserve(bytes.size());
  for (qsizetype at = 0; at < bytes.size();) {
    const Decoded decoded = DecodeOne(bytes, at);
    if (decoded.length == 0) {
      name += QChar(char16_t(kEscapeBase + static_cast<unsigned char>(bytes[at])));
      ++at;
      continue;
    }
    const char32_t code = decoded.code;
    name += QString::fromUcs4(&code, 1);
    at += decoded.length;
  }
  return name;
}

QByteArray BytesOfName(const QString& name) {
  QByteArray bytes;
  qsizetype text = 0;  // where the run of plain text since the last escape starts
  for (qsizetype at = 0; at < name.size(); ++at) {
    if (!IsEscapedByte(name, at)) continue;
    bytes += QStringView(name).mid(text, at - text).toUtf8();
    bytes += static_cast<char>(name[at].unicode() - kEscapeBase);
    text = at + 1;
  }
  bytes += QStringView(name).mid(text).toUtf8();
  return bytes;
}

}  // namespace vor
