#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "definitions/definition_set.h"
#include "resources/dialog_templates.h"

namespace vor {

// The live items as everything that shows live data sees them (the Monitor page, vor-cli
// monitor): which items are shown in which slot, and the text of each. `block` is the live block,
// most significant byte first for multi-byte items; an item's `addr` is the offset of its first
// byte.
using LiveBytes = std::span<const std::uint8_t>;

// The items with `en` 1, in table order: the k-th owns slot k (label 1010 + 2k, field
// 1011 + 2k). Items beyond the page's 47 slots get none.
struct LiveSlots {
  std::array<int, kMonitorSlotCount> position{};  // table positions, slot by slot
  int count = 0;
  int faultSlot = -1;  // slot of the last "h" item (the fault field), -1 when there is none
};
LiveSlots LiveSlotWalk(const DefinitionSet& set);

// The value of one item over the block, before any text is made of it: what the Monitor page's
// field shows (FormatLiveItem) and what the live plot draws are both taken from it.
struct LiveValue {
  enum class Kind {
    Number,     // a "uo" or "so" item, or a one-byte "h" item: `number`
    Chars,      // an "a" item: `text`, up to the first zero byte
    Blank,      // the item does not fit the block or has no value
    Unwritten,  // `pro` is neither 1 nor 2
    FaultWord,  // a multi-byte "h" item: `word`
  };
  Kind kind = Kind::Blank;
  std::int64_t number = 0;  // wide enough for a four-byte "uo" and a four-byte "so" alike
  std::uint32_t word = 0;
  QString text;
};
// The rules are those of FormatLiveItem below.
LiveValue DecodeLiveItem(const LiveDef& def, LiveBytes block);

// What one poll writes into an item's field.
struct LiveText {
  enum class Kind {
    Text,       // the field shows `text`
    Blank,      // the item does not fit the block or has no text form: the field is emptied
    Unwritten,  // `pro` is neither 1 nor 2: the field is not written
    FaultWord,  // a multi-byte "h" item: `word` goes through the fault rotation
  };
  Kind kind = Kind::Blank;
  QString text;
  std::uint32_t word = 0;
};

// The text of `def` over `block`:
// - one byte: "uo" 0..255, "so" -128..127, "h" lower-case hex without leading zeros, "a" the
//   character with that code (empty for a zero byte);
// - pos + 1 bytes: "uo" unsigned decimal (up to four bytes), "so" signed decimal of two or four
//   bytes, "a" one character per byte up to the first zero byte, "h" the fault word (up to four
//   bytes).
// Bytes running past the block, a wider number, an unknown `sw` or a "so" of another width are
// Blank.
LiveText FormatLiveItem(const LiveDef& def, LiveBytes block);

// The big-endian value of the item's bytes (one byte for `pro` 1); nullopt when they run past
// the block, when there are more than four, or for a `pro` other than 1 and 2.
std::optional<std::uint32_t> LiveItemValue(const LiveDef& def, LiveBytes block);

// Names of the fault bits set in `word`, in ascending bit order; bit n is named by fault n.
QStringList FaultNames(std::uint32_t word, std::span<const FaultDef> faults);

// "Success!" when the first request of the poll was answered, otherwise "Failure!": the status
// column of recordings and outputs, never translated.
QString LinkStatusText(bool linkOk);

}  // namespace vor
