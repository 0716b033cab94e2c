#pragma once

#include <QByteArrayView>
#include <QString>

namespace vor {

// The scripts' text bytes, which are code page 936 (GBK, a superset of ASCII), as text. Decoded
// as code page 936 on every machine, whatever the user's locale, so that the Chinese labels come
// out the same everywhere.
QString DecodeScriptText(QByteArrayView bytes);

}  // namespace vor
