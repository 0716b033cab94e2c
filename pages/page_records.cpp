#include "pages/page_records.h"

#include "pages/value_codec.h"

namespace vor {

int SlotCount(PageKind page) { return page == PageKind::Vehicle ? 32 : 48; }

RecordRange FieldRange(const DefinitionSet& set, PageKind page) {
  RecordRange range;
  switch (page) {
    case PageKind::Vehicle:
      range = {DefinitionSet::kSwitchBitCount, set.controlFirst};
      break;
    case PageKind::Control:
      range = {set.controlFirst, set.motorFirst};
      break;
    case PageKind::Motor:
      range = {set.motorFirst, set.motorEnd};
      break;
  }
  // A boundary left at an earlier value by a missing anchor gives the page nothing rather than
  // someone else's records or positions outside the table.
  if (range.first < 0 || range.end > set.paramCount || range.end <= range.first) return {};
  return range;
}

PageSlots SlotWalk(const DefinitionSet& set, PageKind page) {
  PageSlots walk;
  const RecordRange range = FieldRange(set, page);
  const int capacity = SlotCount(page);
  for (int position = range.first; position < range.end && walk.count < capacity; ++position) {
    const ParamDef& def = set.params[static_cast<std::size_t>(position)];
    if (def.show != 1 || !FitsImage(def)) continue;
    walk.position[static_cast<std::size_t>(walk.count++)] = position;
  }
  return walk;
}

}  // namespace vor
