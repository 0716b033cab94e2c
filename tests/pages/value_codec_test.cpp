#include "pages/value_codec.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace vor {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// A field of the given shape; ranges and `en` only where a case needs them.
ParamDef Field(int addr, int pro, int pos, const char* sw, int en = 0, int rangeL = 0,
               int rangeH = 0) {
  ParamDef def;
  def.addr = addr;
  def.pro = pro;
  def.pos = pos;
  def.sw = sw;
  def.en = en;
  def.rangeL = rangeL;
  def.rangeH = rangeH;
  def.show = 1;
  def.name = "Field";
  return def;
}

// An image whose every byte is a marker, so that any byte written outside a field shows.
ConfigImage MarkedImage() {
  ConfigImage image;
  image.bytes.fill(0xEE);
  return image;
}

ConfigImage WithBytes(int addr, const std::vector<std::uint8_t>& bytes) {
  ConfigImage image = MarkedImage();
  for (std::size_t j = 0; j < bytes.size(); ++j) image[std::size_t(addr) + j] = bytes[j];
  return image;
}

std::string Show(const std::optional<QString>& text) {
  return text ? '"' + text->toStdString() + '"' : std::string("nullopt");
}

struct DisplayCase {
  const char* what;
  ParamDef def;
  std::vector<std::uint8_t> bytes;  // placed at def.addr
  std::optional<QString> expected;
};

TEST(FormatValue, ShowsEachEncodingAsThePageDoes) {
  const DisplayCase cases[] = {
      {"two bytes unsigned, most significant first", Field(10, 2, 1, "uo"), {0x01, 0x80}, "384"},
      {"two bytes hex, four digits", Field(10, 2, 1, "h"), {0x01, 0x80}, "0180"},
      {"two bytes signed, positive", Field(10, 2, 1, "so"), {0x01, 0x80}, "384"},
      {"two bytes signed, negative", Field(10, 2, 1, "so"), {0xFF, 0xFB}, "-5"},
      {"two bytes signed, small", Field(10, 2, 1, "so"), {0x00, 0x05}, "5"},
      {"three bytes signed, 24-bit sign", Field(10, 2, 2, "so"), {0x80, 0x00, 0x00}, "-8388608"},
      {"four bytes signed", Field(10, 2, 3, "so"), {0xFF, 0xFF, 0xFF, 0xFF}, "-1"},
      {"one byte signed", Field(10, 1, 0, "so"), {0xD8}, "-40"},
      {"one byte unsigned", Field(10, 1, 0, "uo"), {0xD8}, "216"},
      {"one byte hex", Field(10, 1, 0, "h"), {0xD8}, "d8"},
      {"one byte hex has no leading zero", Field(10, 1, 0, "h"), {0x0A}, "a"},
      {"one character", Field(10, 1, 0, "a"), {0x41}, "A"},
      {"a high byte is the Latin-1 character", Field(10, 1, 0, "a"), {0xE9}, QString(QChar(0xE9))},
      {"a zero character shows empty", Field(10, 1, 0, "a"), {0x00}, ""},
      {"characters end at the first zero byte",
       Field(64, 2, 7, "a"),
       {'V', 'O', 'R', 0, 0, 0, 0, 0},
       "VOR"},
      {"four bytes hex, eight digits", Field(10, 2, 3, "h"), {0x00, 0x00, 0xC3, 0x5A}, "0000c35a"},
      {"three bytes hex, two digits each", Field(10, 2, 2, "h"), {0x01, 0x02, 0x0F}, "01020f"},
      {"four bytes unsigned at 2^31 stay unsigned",
       Field(10, 2, 3, "uo"),
       {0x80, 0x00, 0x00, 0x00},
       "2147483648"},
      {"four bytes unsigned, all ones",
       Field(10, 2, 3, "uo"),
       {0xFF, 0xFF, 0xFF, 0xFF},
       "4294967295"},
      {"kind 2 of one byte signed", Field(10, 2, 0, "so"), {0xD8}, "-40"},
      {"the last byte of the image", Field(126, 2, 1, "uo"), {0x01, 0x02}, "258"},
      // No text form: the edit stays empty and is never written back.
      {"five numeric bytes", Field(10, 2, 4, "uo"), {1, 2, 3, 4, 5}, std::nullopt},
      {"an unknown format", Field(10, 1, 0, "x"), {0x41}, std::nullopt},
      {"a bit flag", Field(10, 0, 3, "uo"), {0xFF}, std::nullopt},
      {"an unknown kind", Field(10, 3, 0, "uo"), {0xFF}, std::nullopt},
      {"bytes running past the image", Field(127, 2, 1, "uo"), {0x01}, std::nullopt},
      {"a negative address", Field(-1, 1, 0, "uo"), {}, std::nullopt},
      {"a negative width", Field(10, 2, -1, "uo"), {}, std::nullopt},
  };
  for (const DisplayCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<QString> text = FormatValue(c.def, WithBytes(c.def.addr, c.bytes));
    EXPECT_EQ(text, c.expected) << Show(text) << " expected " << Show(c.expected);
  }
}

struct StoreCase {
  const char* what;
  ParamDef def;
  const char* text;
  StoreResult result;
  std::vector<std::uint8_t> bytes;  // expected at def.addr when stored; the rest stays marked
};

TEST(StoreValue, ParsesTestsAndWritesOnlyTheFieldsBytes) {
  const StoreResult ok = StoreResult::Stored;
  const StoreResult out = StoreResult::OutOfRange;
  const StoreResult none = StoreResult::NotStored;
  const StoreResult notNumber = StoreResult::NotAWholeNumber;
  const ParamDef lowVolt = Field(19, 1, 0, "uo", 1, 18, 200);
  const ParamDef anyByte = Field(19, 1, 0, "uo", 1, 0, 255);
  const ParamDef twoBytes = Field(30, 2, 1, "uo", 1, 0, 384);
  const StoreCase cases[] = {
      // One-byte numbers are tested before they are reduced to a byte.
      {"300 is out of 18..200, not stored as 44", lowVolt, "300", out, {}},
      {"just above the range", lowVolt, "201", out, {}},
      {"just below the range", lowVolt, "17", out, {}},
      {"the upper bound", lowVolt, "200", ok, {200}},
      {"-1 is out of 0..255, not stored as 255", anyByte, "-1", out, {}},
      // A range wider than the byte (the voltage class can lift "Over Volt" to 480) does not
      // let an entry through that the byte cannot hold.
      {"300 in 18..480 is refused, not stored as 44",
       Field(20, 1, 0, "uo", 1, 18, 480),
       "300",
       out,
       {}},
      {"255 in 18..480 is the largest entry", Field(20, 1, 0, "uo", 1, 18, 480), "255", ok, {255}},
      {"an untested editable byte holds 0..255 too", Field(19, 1, 0, "uo", 2), "256", out, {}},
      {"signed byte beyond its raw form", Field(19, 1, 0, "so", 2), "256", out, {}},
      {"signed byte below -128", Field(19, 1, 0, "so", 2), "-129", out, {}},
      {"signed byte at -128", Field(19, 1, 0, "so", 2), "-128", ok, {0x80}},
      {"hex byte beyond ff", Field(19, 1, 0, "h", 2), "1ff", out, {}},
      {"a read-only field is not tested", Field(19, 1, 0, "uo", 0, 18, 200), "300", ok, {44}},
      {"a read-only field takes its text's leading number",
       Field(19, 1, 0, "uo", 0),
       " 12abc",
       ok,
       {12}},
      // An entry is one whole number in the field's format, or it is refused as it stands.
      {"blanks around a number", anyByte, " 12\t", ok, {12}},
      {"a sign", lowVolt, "+20", ok, {20}},
      {"digits then letters", anyByte, " 12abc", notNumber, {}},
      {"letters alone", anyByte, "abc", notNumber, {}},
      {"an empty field", anyByte, "", notNumber, {}},
      {"blanks alone", anyByte, "  ", notNumber, {}},
      {"a decimal point", anyByte, "3.9", notNumber, {}},
      {"a sign alone", anyByte, "-", notNumber, {}},
      {"letters, sign and point", Field(19, 1, 0, "uo", 1, 0, 10), "a-1.5x", notNumber, {}},
      {"refused before the range", lowVolt, "abc", notNumber, {}},
      {"hex digits in a decimal field", anyByte, "1f", notNumber, {}},
      {"several bytes", twoBytes, "38 4", notNumber, {}},
      {"a hex byte takes no other letters", Field(19, 1, 0, "h", 1, 0, 255), "fg", notNumber, {}},
      {"hex bytes take hex digits only", Field(30, 2, 1, "h", 1), "zz12", notNumber, {}},
      {"no more hex digits than the field shows", Field(30, 2, 1, "h", 1), "00123", notNumber, {}},
      {"hex bytes take no 0x", Field(30, 2, 1, "h", 1), "0x12", notNumber, {}},
      {"an empty hex field", Field(30, 2, 1, "h", 1), "", notNumber, {}},
      {"hex bytes with blanks around", Field(30, 2, 1, "h", 1), " 00A5 ", ok, {0x00, 0xA5}},
      {"one-byte signed is tested on the raw byte",
       Field(19, 1, 0, "so", 1, 0, 255),
       "-40",
       ok,
       {0xD8}},
      {"one-byte hex", Field(19, 1, 0, "h", 1, 0, 255), "ff", ok, {0xFF}},
      {"one-byte hex with 0x", Field(19, 1, 0, "h", 1, 0, 255), "0x1F", ok, {0x1F}},
      {"one-byte hex tested before reduction", Field(19, 1, 0, "h", 1, 0, 255), "100", out, {}},
      {"one character takes the first", Field(19, 1, 0, "a"), "AB", ok, {'A'}},
      {"no character is a zero byte", Field(19, 1, 0, "a"), "", ok, {0}},
      {"a character's low byte", Field(19, 1, 0, "a"), "\u0141", ok, {0x41}},
      // Multi-byte numbers are tested as unsigned 32-bit values.
      {"70000 is out of 0..384", twoBytes, "70000", out, {}},
      {"two bytes cannot hold 65536 whatever the range",
       Field(30, 2, 1, "uo", 1, 0, 100000),
       "65536",
       out,
       {}},
      {"two signed bytes take -32768", Field(30, 2, 1, "so", 2), "-32768", ok, {0x80, 0x00}},
      {"two signed bytes refuse -32769", Field(30, 2, 1, "so", 2), "-32769", out, {}},
      {"a negative entry fails a non-negative range", twoBytes, "-1", out, {}},
      {"384 most significant byte first", twoBytes, "384", ok, {0x01, 0x80}},
      {"two bytes signed", Field(30, 2, 1, "so"), "-5", ok, {0xFF, 0xFB}},
      {"four bytes unsigned beyond 2^31",
       Field(30, 2, 3, "uo"),
       "4294967295",
       ok,
       {0xFF, 0xFF, 0xFF, 0xFF}},
      {"unsigned saturates at 2^32 - 1",
       Field(30, 2, 3, "uo"),
       "99999999999",
       ok,
       {0xFF, 0xFF, 0xFF, 0xFF}},
      {"signed saturates at the 32-bit limit",
       Field(30, 2, 3, "so"),
       "99999999999",
       ok,
       {0x7F, 0xFF, 0xFF, 0xFF}},
      {"four bytes hex", Field(30, 2, 3, "h"), "0000c35a", ok, {0x00, 0x00, 0xC3, 0x5A}},
      {"hex shorter than the field fills zero bytes",
       Field(30, 2, 3, "h"),
       "c3",
       ok,
       {0xC3, 0x00, 0x00, 0x00}},
      {"multi-byte hex is never range-tested",
       Field(30, 2, 1, "h", 1, 0, 0),
       "ffff",
       ok,
       {0xFF, 0xFF}},
      {"characters shorter than the field are zero-filled",
       Field(64, 2, 7, "a", 1, 5, 5),
       "VOR",
       ok,
       {'V', 'O', 'R', 0, 0, 0, 0, 0}},
      {"characters beyond the field are dropped",
       Field(64, 2, 2, "a"),
       "VOR72",
       ok,
       {'V', 'O', 'R'}},
      // No text form: nothing written.
      {"five numeric bytes", Field(30, 2, 4, "uo"), "1", none, {}},
      {"an unknown format", Field(30, 1, 0, "x"), "1", none, {}},
      {"a bit flag", Field(30, 0, 0, "uo"), "1", none, {}},
      {"bytes running past the image", Field(127, 2, 1, "h"), "ffff", none, {}},
  };
  for (const StoreCase& c : cases) {
    SCOPED_TRACE(c.what);
    ConfigImage image = MarkedImage();
    EXPECT_EQ(StoreValue(c.def, QString::fromUtf8(c.text), image), c.result);
    EXPECT_EQ(image.bytes, WithBytes(c.def.addr, c.bytes).bytes);
  }
}

// What the page shows must store back to the same bytes, or an untouched page would change the
// controller's configuration on every Write.
TEST(StoreValue, WhatIsShownStoresBackToTheSameBytes) {
  const ParamDef fields[] = {
      Field(5, 1, 0, "uo"), Field(5, 1, 0, "so"), Field(5, 1, 0, "h"),  Field(5, 1, 0, "a"),
      Field(5, 2, 0, "uo"), Field(5, 2, 0, "so"), Field(5, 2, 0, "h"),  Field(5, 2, 1, "uo"),
      Field(5, 2, 1, "so"), Field(5, 2, 1, "h"),  Field(5, 2, 2, "so"), Field(5, 2, 3, "uo"),
      Field(5, 2, 3, "so"), Field(5, 2, 3, "h"),  Field(5, 2, 5, "h"),  Field(5, 2, 3, "a"),
  };
  for (const ParamDef& def : fields) {
    for (int value = 0; value < 256; ++value) {
      // The first byte runs through every value, the others through patterns with both
      // high bits and zero bytes where the encoding allows them.
      std::vector<std::uint8_t> bytes(std::size_t(def.pro == 2 ? def.pos + 1 : 1));
      for (std::size_t j = 0; j < bytes.size(); ++j) {
        bytes[j] = std::uint8_t(value * (2 * j + 1) + j);
        if (def.sw.Kind() == Encoding::Ascii && bytes[j] == 0)
          bytes[j] = 1;  // a zero byte ends the text
      }
      const ConfigImage original = WithBytes(def.addr, bytes);
      const std::optional<QString> text = FormatValue(def, original);
      ASSERT_TRUE(text) << def.sw.Text().toStdString() << " pro " << def.pro << " pos " << def.pos;
      ConfigImage image = MarkedImage();
      ASSERT_EQ(StoreValue(def, *text, image), StoreResult::Stored);
      EXPECT_EQ(image.bytes, original.bytes)
          << def.sw.Text().toStdString() << " pro " << def.pro << " pos " << def.pos << " shown as "
          << text->toStdString();
    }
  }
}

TEST(NumberText, ReadsTheLeadingNumberAndSaturates) {
  struct Case {
    const char* text;
    std::int32_t decimal;
    std::int32_t hex;
    bool wholeDecimal;  // the text is that number and nothing else
    bool wholeHex;
  };
  const Case cases[] = {
      {"  +12x", 12, 0x12, false, false},
      {"\t\n-7", -7, -7, true, true},
      {" 12 ", 12, 0x12, true, true},
      {"x1", 0, 0, false, false},
      {"-", 0, 0, false, false},
      {"", 0, 0, false, false},
      {"1f", 1, 0x1f, false, true},
      {"0x1F", 0, 0x1F, false, true},
      {"-0xff", 0, -0xff, false, true},
      {"0x", 0, 0, false, false},
      {"0xg", 0, 0, false, false},
      {"3.9", 3, 3, false, false},
      {"2147483647", kMax, kMax, true, true},
      {"2147483648", kMax, kMax, true, true},
      {"-2147483649", kMin, kMin, true, true},
      {"99999999999999999999999", kMax, kMax, true, true},
      {"fffffffff", 0, kMax, false, true},
      {"\u00a01", 0, 0, false, false},  // only the C locale's white space is skipped
      {"\uff11", 0, 0, false, false},   // and only ASCII digits count
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseDecimal(QString::fromUtf8(c.text)), c.decimal);
    EXPECT_EQ(ParseHex(QString::fromUtf8(c.text)), c.hex);
    // Script bytes are read by the same rules.
    EXPECT_EQ(ParseDecimal(std::string_view(c.text)), c.decimal);
    EXPECT_EQ(ParseHex(std::string_view(c.text)), c.hex);
    EXPECT_EQ(IsWholeNumber(QString::fromUtf8(c.text), 10), c.wholeDecimal);
    EXPECT_EQ(IsWholeNumber(QString::fromUtf8(c.text), 16), c.wholeHex);
  }
}

TEST(RangeTexts, ComposeNameTipsAndBounds) {
  ParamDef def = Field(2, 1, 0, "uo", 1, 0, 3);
  def.name = "TPS Type";
  def.tips = "TPS Type:TPS Type,0:None,1:0-5V,2:1-4V,3:0-5K.";
  EXPECT_EQ(RangeMessage(def), "Param:TPS Type\nThe range should be between 0~3");
  EXPECT_EQ(TipText(def), "TPS Type:TPS Type,0:None,1:0-5V,2:1-4V,3:0-5K. Range:0~3");

  // Texts from the scripts are taken literally, '%' included.
  def.name = "PCB %1";
  def.tips = "load %2 %1";
  def.rangeL = -40;
  def.rangeH = 2147483647;
  EXPECT_EQ(RangeMessage(def), "Param:PCB %1\nThe range should be between -40~2147483647");
  EXPECT_EQ(TipText(def), "load %2 %1 Range:-40~2147483647");
}

// The values a field takes, as the user types them: its range within what its bytes hold.
TEST(RangeTexts, TheWholeNumberMessageNamesTheValuesTheFieldTakes) {
  const struct {
    ParamDef def;
    const char* name;
    const char* message;
  } cases[] = {
      {Field(27, 1, 0, "uo", 1, 0, 10), "Accelerate Speed",
       "Param: Accelerate Speed. Enter a whole number between 0 and 10"},
      // The voltage class lifts Over Volt's bound beyond what its byte holds.
      {Field(20, 1, 0, "uo", 1, 18, 480), "Over Volt",
       "Param: Over Volt. Enter a whole number between 18 and 255"},
      {Field(30, 2, 1, "uo", 1, 0, 384), "Rated Speed",
       "Param: Rated Speed. Enter a whole number between 0 and 384"},
      {Field(30, 2, 1, "so", 2), "Offset",
       "Param: Offset. Enter a whole number between -32768 and 65535"},
      {Field(19, 1, 0, "h", 1, 16, 255), "Mask",
       "Param: Mask. Enter a hexadecimal number between 10 and ff"},
      {Field(81, 2, 1, "h", 1, 0, 65535), "User Code",
       "Param: User Code. Enter a hexadecimal number between 0000 and ffff"},
  };
  for (auto c : cases) {
    c.def.name = c.name;
    EXPECT_EQ(WholeNumberMessage(c.def), c.message);
    EXPECT_EQ(RefusalMessage(c.def, StoreResult::NotAWholeNumber), c.message);
  }
}

}  // namespace
}  // namespace vor
