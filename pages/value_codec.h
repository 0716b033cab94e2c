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
  Stored,      // the bytes were written
  OutOfRange,  // an editable field's entry failed its range; nothing was written
  NotStored,   // the record has no text form (see FormatValue); nothing was written
};

// Parses `text` by the record's encoding, tests an editable field (`en` exactly 1) against
// `rangeL`..`rangeH`, and writes the bytes into `image`. A numeric entry of an editable field
// (`en` not 0) that the field's bytes cannot hold is out of range whatever the range says.
StoreResult StoreValue(const ParamDef& def, const QString& text, ConfigImage& image);

// What StoreValue would answer, without writing anything.
StoreResult TestValue(const ParamDef& def, const QString& text);

// "Param:" + name + "\nThe range should be between " + rangeL + "~" + rangeH, in the user's
// language.
QString RangeMessage(const ParamDef& def);

// tips + " Range:" + rangeL + "~" + rangeH, in the user's language.
QString TipText(const ParamDef& def);

}  // namespace vor
