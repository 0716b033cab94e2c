#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "definitions/definition_set.h"
#include "link/config_image.h"
#include "pages/page_records.h"

namespace vor {

// A check box or field of the parameter pages whose value differs between two images, with the
// texts the page shows for each ("0"/"1" for a box).
struct FieldChange {
  PageKind page;
  int position;  // in the parameter table
  bool box;
  QString label;
  QString first;
  QString second;
};

// A byte whose differing bits belong to no shown box or field.
struct ByteChange {
  int addr;
  std::uint8_t first;
  std::uint8_t second;
};

struct ImageDifferences {
  std::vector<FieldChange> fields;  // in page order: the Vehicle page's boxes, then the fields
  std::vector<ByteChange> bytes;    // by address
  bool Empty() const { return fields.empty() && bytes.empty(); }
};

// Every shown box whose bit and every shown field whose bytes differ between `first` and
// `second`, labelled and formatted by `set` as the pages show them; then the bytes with
// differences that no page shows, so that no difference goes unlisted. A field whose two texts
// happen to read the same (an "a" field differing after its zero byte) shows its bytes in hex
// beside each text.
ImageDifferences CompareImages(const ConfigImage& first, const ConfigImage& second,
                               const DefinitionSet& set);

}  // namespace vor
