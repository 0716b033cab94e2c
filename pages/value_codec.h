#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

#include "definitions/definition_set.h"
#include "definitions/number_text.h"
#include "link/config_image.h"

namespace vor {

// The value encodings of the parameter pages, one pure function per direction. A record's
// bytes are `pro` 1: the byte at `addr`; `pro` 2: the `pos` + 1 bytes from `addr`, most
// significant first. `sw` is "uo" (unsigned decimal), "so" (signed decimal), "h" (lower-case
// hex) or "a" (one character per byte).

// True when the record's bytes lie inside the image (a record that would run past byte 127 is
// treated as not shown).
bool FitsImage(const ParamDef& def);

// The text the page shows for the record's value in `image`; nullopt when the record has no
// text form (an unknown `sw`, `pro` other than 1 and 2, a numeric field of more than four
// bytes, or bytes outside the image): its edit stays empty and is never written back.
std::optional<QString> FormatValue(const ParamDef& def, const ConfigImage& image);

enum class StoreResult {
  Stored,           // the bytes were written
  OutOfRange,       // an editable field's entry failed its range; nothing was written
  NotAWholeNumber,  // an editable numeric field's entry is not a number in its format; nothing
                    // was written
  NotStored,        // the record has no text form (see FormatValue); nothing was written
};

// Parses `text` by the record's encoding, tests an editable field (`en` exactly 1) against
// `rangeL`..`rangeH`, and writes the bytes into `image`. The entry of an editable (`en` not 0)
// numeric field must be one whole number in the field's format, blanks around it aside: decimal
// digits with an optional sign ("uo", "so"), hex digits with an optional 0x (a one-byte "h"), or up
// to two hex digits a byte, taken from the left (a longer "h"); anything else ("", "3.9", "12abc")
// is NotAWholeNumber. A numeric entry of an editable field that the field's bytes cannot hold is
// out of range whatever the range says. Read-only fields (`en` 0) are read as the leading number of
// their text, never refused.
StoreResult StoreValue(const ParamDef& def, const QString& text, ConfigImage& image);

// What StoreValue would answer, without writing anything.
StoreResult TestValue(const ParamDef& def, const QString& text);

// "Param:" + name + "\nThe range should be between " + rangeL + "~" + rangeH, in the user's
// language.
QString RangeMessage(const ParamDef& def);

// "Param: " + name + ". Enter a whole number between L and H", in the user's language: the
// message for an entry that is not a whole number in the field's format. L and H are the values
// the field takes (its range, within what its bytes hold); a hex field asks for a hexadecimal
// number and gives them in hex, as it shows them.
QString WholeNumberMessage(const ParamDef& def);

// What the pages tell the user about an entry StoreValue refused with `result`: RangeMessage for
// OutOfRange, WholeNumberMessage for NotAWholeNumber.
QString RefusalMessage(const ParamDef& def, StoreResult result);

// tips + " Range:" + rangeL + "~" + rangeH, in the user's language.
QString TipText(const ParamDef& def);

}  // namespace vor
