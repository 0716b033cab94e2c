#include "cli/page_fields.h"

namespace vor::cli {

std::vector<PageField> PageFields(const DefinitionSet& set) {
  std::vector<PageField> fields;
  for (const PageKind page : {PageKind::Vehicle, PageKind::Control, PageKind::Motor}) {
    const PageSlots walk = SlotWalk(set, page);
    for (int k = 0; k < walk.count; ++k) {
      fields.push_back({page, walk.position[static_cast<std::size_t>(k)]});
    }
  }
  return fields;
}

}  // namespace vor::cli
