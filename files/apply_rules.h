#pragma once

// Which values a configuration from a file brings along when it is applied to the pages: the
// one table that the review dialog (File > Open Configuration, Restore Backup) and vor-cli
// apply share.
//
// A file of this same controller (its serial number) brings everything, bytes no page shows
// included: it is this unit's own backup. A file of another controller brings the switches and
// parameters of the three pages, but not this controller's own data: its identification (module
// name, special version, controller volt, serial number, software version, and every field the
// pages show read-only) and its phase zero offsets (a calibration of its own hardware); every
// byte no page shows stays too. Copying settings from one vehicle to the next thus never clones
// the other unit's identity or calibration.

#include <variant>
#include <vector>

#include "definitions/definition_set.h"
#include "files/image_compare.h"
#include "link/config_image.h"

namespace vor {

// Whether two images are of the same controller: the same serial number.
bool SameUnit(const ConfigImage& a, const ConfigImage& b);

// Whether a box or field holds the controller's own data (see above).
bool IsOwnData(const DefinitionSet& set, const FieldChange& change);

// One value in which the file differs from the pages: a box or field (`first` what the page
// shows now, `second` what the file holds), or a byte no page shows.
struct ApplyRow {
  std::variant<FieldChange, ByteChange> change;
  bool own = false;     // this controller's own data, or a byte no page shows ("kept")
  bool checked = true;  // taken from the file; the user may tick or untick any row
};

struct ApplyPlan {
  bool sameUnit = false;
  std::vector<ApplyRow> rows;  // boxes and fields in page order, then bytes by address
};

// The rows for applying `file` to `pages`, checked as the rules above say. `unit` is the image
// whose serial number names this controller: the controller's, or the pages' when there is no
// controller.
ApplyPlan PlanApply(const DefinitionSet& set, const ConfigImage& pages, const ConfigImage& file,
                    const ConfigImage& unit);
// The same, when it is already known whether the file is of this controller.
ApplyPlan PlanApply(const DefinitionSet& set, const ConfigImage& pages, const ConfigImage& file,
                    bool sameUnit);

// Takes the values of the checked rows from `file` into `image` (the pages' image the rows were
// planned on); everything else in `image` stays.
void ApplyRows(const DefinitionSet& set, const std::vector<ApplyRow>& rows, const ConfigImage& file,
               ConfigImage& image);

// The bits of the checked rows.
ImageMask CheckedBits(const DefinitionSet& set, const std::vector<ApplyRow>& rows);

// The first checked row that would put into a field of the pages a value its page refuses as out
// of range (TestEntry of the file's value as the page would show it), or nullptr. Such a file is
// refused whole, with RangeMessage of the row's record, as the page refuses the entry: a corrupt
// or hand-edited file must not switch off a limit that no entry could.
const ApplyRow* FirstOutOfRange(const DefinitionSet& set, const std::vector<ApplyRow>& rows);

}  // namespace vor
