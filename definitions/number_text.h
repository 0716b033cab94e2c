#pragma once

#include <QStringView>
#include <cstdint>
#include <string_view>

namespace vor {

// The number at the start of a text, read as the C library's wcstol reads it: leading white
// space (of the C locale) skipped, an optional sign, then digits of `base` (10 or 16; base 16
// also takes an optional "0x" after the sign) up to the first other character; no digits gives 0.
// Script bytes and entry texts are read by these same functions.

// The full value, not yet saturated, so that a caller can take its own limits (an unsigned 32-bit
// field takes entries up to 2^32 - 1). The magnitude stops growing far beyond any 32-bit value.
std::int64_t ParseLeadingNumber(QStringView text, int base);
std::int64_t ParseLeadingNumber(std::string_view text, int base);

// As above, saturated at the signed 32-bit limits.
std::int32_t ParseDecimal(QStringView text);
std::int32_t ParseHex(QStringView text);
std::int32_t ParseDecimal(std::string_view text);
std::int32_t ParseHex(std::string_view text);

// Whether `text` is one whole number and nothing else, as the functions above read it: at least
// one digit of `base`, with blanks (of the C locale) allowed only before and after it. "12",
// " -7 " and "0x1F" (base 16) are; "", "3.9", "12abc" and "a-1.5x" are not.
bool IsWholeNumber(QStringView text, int base);

// `text` without the blanks (of the C locale) at its start and end.
QStringView WithoutBlanks(QStringView text);

// `value` clamped to the signed 32-bit range.
std::int32_t SaturateToInt32(std::int64_t value);

}  // namespace vor
