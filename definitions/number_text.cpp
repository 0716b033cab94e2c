#include "definitions/number_text.h"

#include <algorithm>
#include <limits>

namespace vor {
namespace {

int DigitValue(char32_t c, int base) {
  int digit = base;
  if (c >= U'0' && c <= U'9')
    digit = int(c - U'0');
  else if (c >= U'a' && c <= U'z')
    digit = int(c - U'a') + 10;
  else if (c >= U'A' && c <= U'Z')
    digit = int(c - U'A') + 10;
  return digit < base ? digit : -1;
}

bool IsBlank(char32_t c) { return c == U' ' || (c >= U'\t' && c <= U'\r'); }

struct Reading {
  std::int64_t value = 0;
  std::size_t digits = 0;  // how many digits the number had
  std::size_t end = 0;     // the position after its last character
};

// One reading for both kinds of text; `at(i)` gives character i as a code point.
template <typename At>
Reading Parse(std::size_t size, At at, int base) {
  std::size_t i = 0;
  while (i < size && IsBlank(at(i))) ++i;
  bool negative = false;
  if (i < size && (at(i) == U'+' || at(i) == U'-')) negative = at(i++) == U'-';
  // A "0x" not followed by a hex digit is the number 0 followed by other text, as in wcstol.
  if (base == 16 && i + 2 < size && at(i) == U'0' && (at(i + 1) == U'x' || at(i + 1) == U'X') &&
      DigitValue(at(i + 2), 16) >= 0) {
    i += 2;
  }
  constexpr std::int64_t kCap = std::int64_t{1} << 40;
  Reading reading;
  for (; i < size; ++i) {
    const int digit = DigitValue(at(i), base);
    if (digit < 0) break;
    if (reading.value < kCap) reading.value = reading.value * base + digit;
    ++reading.digits;
  }
  if (negative) reading.value = -reading.value;
  reading.end = i;
  return reading;
}

Reading ParseText(QStringView text, int base) {
  return Parse(
      std::size_t(text.size()),
      [&](std::size_t i) { return char32_t(text[qsizetype(i)].unicode()); }, base);
}

}  // namespace

std::int64_t ParseLeadingNumber(QStringView text, int base) { return ParseText(text, base).value; }

std::int64_t ParseLeadingNumber(std::string_view text, int base) {
  // Bytes above 127 are neither blanks nor digits, whatever code page they belong to.
  return Parse(
             text.size(),
             [&](std::size_t i) { return char32_t(static_cast<unsigned char>(text[i])); }, base)
      .value;
}

bool IsWholeNumber(QStringView text, int base) {
  const Reading reading = ParseText(text, base);
  if (reading.digits == 0) return false;
  for (auto i = qsizetype(reading.end); i < text.size(); ++i) {
    if (!IsBlank(char32_t(text[i].unicode()))) return false;
  }
  return true;
}

QStringView WithoutBlanks(QStringView text) {
  qsizetype first = 0;
  qsizetype end = text.size();
  while (first < end && IsBlank(char32_t(text[first].unicode()))) ++first;
  while (end > first && IsBlank(char32_t(text[end - 1].unicode()))) --end;
  return text.sliced(first, end - first);
}

std::int32_t SaturateToInt32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t ParseDecimal(QStringView text) {
  return SaturateToInt32(ParseLeadingNumber(text, 10));
}
std::int32_t ParseHex(QStringView text) { return SaturateToInt32(ParseLeadingNumber(text, 16)); }
std::int32_t ParseDecimal(std::string_view text) {
  return SaturateToInt32(ParseLeadingNumber(text, 10));
}
std::int32_t ParseHex(std::string_view text) {
  return SaturateToInt32(ParseLeadingNumber(text, 16));
}

}  // namespace vor
