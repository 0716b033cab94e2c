#pragma once

// What the Vehicle page adds to the parameter pages, as pure rules that the page and vor-cli
// share: the switch bits as check boxes, the special version's rules for them, and the two
// fields whose text the page shows differently from their bytes.

#include <QString>
#include <array>
#include <optional>

#include "definitions/definition_set.h"
#include "link/config_image.h"
#include "pages/value_codec.h"

namespace vor {

// Brake Type: with the special version, Boost and Economy work only while it is 0.
inline constexpr std::size_t kBrakeTypeAddr = 3;

// The check boxes: walking the first 24 records (the switch bits) in table order, the k-th
// record whose `show` is 1 owns box k (control 1106 + k). A shown record of another kind than a
// bit still takes its box, but has no bit to show or store.
struct FlagBoxes {
  std::array<int, DefinitionSet::kSwitchBitCount> position{};  // table position of box k
  int count = 0;
};
FlagBoxes FlagWalk(const DefinitionSet& set);

// The box of table position `position`, or -1 when that record has none.
int BoxOfPosition(const FlagBoxes& boxes, int position);

// Whether the record is a bit the page shows and stores: kind 0, bit 0..7, its byte in the image.
bool IsFlagBit(const ParamDef& def);
// Bit `pos` of the record's byte; false for a record that is not a flag bit.
bool FlagValue(const ParamDef& def, const ConfigImage& image);
// Sets or clears bit `pos` of the record's byte, keeping the byte's other bits; nothing for a
// record that is not a flag bit.
void StoreFlag(const ParamDef& def, bool ticked, ConfigImage& image);

// With the special version, Boost and Economy (positions 0 and 1), which work only while Brake
// Type is 0; their boxes are enabled and disabled by it.
bool FollowsBrakeType(const DefinitionSet& set, int position);

// Whether the box of the flag record at table position `position` takes clicks: not with `en` 0
// and, with the special version, not Boost or Economy (positions 0 and 1) while Brake Type in
// `image` is not 0.
bool FlagEnabled(const DefinitionSet& set, int position, const ConfigImage& image);

// With the special version, Boost and Economy (positions 0 and 1) exclude each other, and so do
// Three Gears Switch and Three Speed Drive (9 and 20): the position whose box is unticked when
// the box of `position` is ticked; nullopt for every other position and without the special
// version.
std::optional<int> ExclusivePartner(const DefinitionSet& set, int position);

// The two-letter codes that the special-version byte shows for its two special editions.
inline constexpr std::array<const char*, 2> kEditionCodes{"EA", "EB"};
inline constexpr int kFirstEditionValue = 4;

// The special-version byte as the Vehicle page shows it with the special version: its edition
// code, or the number for any other value.
bool IsSpecialVersionField(const ParamDef& def);
// The module name: its first three characters are the model code.
bool IsModuleNameField(const ParamDef& def);

// The text the Vehicle page shows for a field whose formatted value is `text`: the
// special-version byte with its edition code (special version only), and a module name that
// begins with "JUT" with "HEW" in its place. Other fields keep `text`.
QString VehicleDisplayText(const DefinitionSet& set, const ParamDef& def, const QString& text);

// What the Vehicle page does with the entry of one of its fields when it stores it.
enum class VehicleStore {
  Store,     // as every parameter page does
  TestOnly,  // range-tested as the number `TestedText` gives, never written
  Skip,      // left alone: neither tested nor written
};
VehicleStore VehicleStoreRule(const DefinitionSet& set, const ParamDef& def, const QString& text);

// The text whose number the range test of a TestOnly field takes: an edition code stands for the
// value it shows.
QString TestedText(const QString& text);

// What the Vehicle page's store pass answers, without writing, for a field its rules take apart:
// NotStored for one it leaves alone, the range test of TestedText for a TestOnly one; nullopt for
// a field it stores as every parameter page does.
std::optional<StoreResult> VehicleOwnAnswer(const DefinitionSet& set, const ParamDef& def,
                                            const QString& text);

}  // namespace vor
