#pragma once

#include <array>

#include "definitions/definition_set.h"

namespace vor {

enum class PageKind { Vehicle, Control, Motor };

// The number of label/edit slots of a page's grid: 32 on the Vehicle page, 48 on the others.
int SlotCount(PageKind page);

// Positions [first, end) of a page's field records in the parameter table: Vehicle from the
// first record after the switch bits to controlFirst, Control from controlFirst to motorFirst,
// Motor from motorFirst to motorEnd. Empty when the boundaries do not describe a valid range
// (a missing anchor) or lie outside the loaded table.
struct RecordRange {
  int first = 0;
  int end = 0;
  bool Empty() const { return end <= first; }
};
RecordRange FieldRange(const DefinitionSet& set, PageKind page);

// The table positions of the records that get a slot, in slot order: the records of the page's
// range with `show` exactly 1 whose bytes lie inside the image. Records beyond the page's slots
// get none. Slot k's label is control 1010 + 2k and its edit 1011 + 2k.
struct PageSlots {
  static constexpr int kMaxSlots = 48;
  std::array<int, kMaxSlots> position{};
  int count = 0;
};
PageSlots SlotWalk(const DefinitionSet& set, PageKind page);

}  // namespace vor
