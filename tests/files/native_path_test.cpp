// File names as bytes: a name that is not UTF-8 survives the trip through the program's QString
// (the codec of POSIX systems, tested everywhere).
#include "files/native_path.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

namespace vor {
namespace {

// UTF-16 as written, lone surrogates included.
QString Text(const char16_t* text) { return QStringView(text).toString(); }

TEST(NativePath, EveryByteThatIsNotUtf8IsKeptAndUtf8StaysText) {
  const struct {
    const char* name;
    QByteArray bytes;
    QString text;  // as the program carries it
  } cases[] = {
      {"plain", "backup.bin", Text(u"backup.bin")},
      {"utf-8", "\xe6\x8e\xa7\xe5\x88\xb6 \xf0\x9f\x94\xa7", Text(u"控制 🔧")},
      {"latin-1", "bad\xff\xfe.bin", Text(u"bad\xdcff\xdcfe.bin")},
      {"cut short", "x\xe6\x8e", Text(u"x\xdce6\xdc8e")},
      {"overlong slash", "\xc0\xaf", Text(u"\xdcc0\xdcaf")},
      {"a surrogate's own bytes", "\xed\xb3\xbf", Text(u"\xdced\xdcb3\xdcbf")},
      {"beyond U+10FFFF", "\xf4\x90\x80\x80", Text(u"\xdcf4\xdc90\xdc80\xdc80")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NameFromBytes(c.bytes), c.text) << c.name;
    EXPECT_EQ(BytesOfName(c.text), c.bytes) << c.name;
  }
  // An astral character's low half is in the escapes' range and stays the character's.
  EXPECT_EQ(BytesOfName(Text(u"\U0001F4FF")), "\xf0\x9f\x93\xbf");
}

TEST(NativePath, AnyByteStringComesBackAsItWas) {
  QRandomGenerator random(23);
  for (int round = 0; round < 2000; ++round) {
    QByteArray bytes(random.bounded(1, 24), Qt::Uninitialized);
    for (char& b : bytes) b = char(random.bounded(1, 256));  // names hold no zero byte
    ASSERT_EQ(BytesOfName(NameFromBytes(bytes)), bytes) << bytes.toHex().toStdString();
  }
}

}  // namespace
}  // namespace vor
