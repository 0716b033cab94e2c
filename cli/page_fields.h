#pragma once

#include <vector>

#include "definitions/definition_set.h"
#include "pages/page_records.h"

namespace vor::cli {

// A field the parameter pages show: its page and its position in the parameter table.
struct PageField {
  PageKind page;
  int position;
};

// Every field of the Vehicle, Control and Motor pages, page by page in slot order.
std::vector<PageField> PageFields(const DefinitionSet& set);

}  // namespace vor::cli
