#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "definitions/definition_set.h"
#include "link/config_image.h"
#include "pages/page_fields.h"
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
  // The bits this change stands for: the whole byte, or in a byte that holds shown boxes, the
  // differing bits that no box shows (each of them a switch of its own).
  std::uint8_t bits = 0xFF;
};

struct ImageDifferences {
  std::vector<FieldChange> fields;  // in page order: the Vehicle page's boxes, then the fields
  std::vector<ByteChange> bytes;    // by address
  bool Empty() const { return fields.empty() && bytes.empty(); }
  int Count() const { return int(fields.size() + bytes.size()); }
};

// Every shown box whose bit and every shown field whose bytes differ between `first` and
// `second`, labelled and formatted by `set` as the pages show them; then the bytes with
// differences that no page shows, so that no difference goes unlisted. A field whose two texts
// happen to read the same (an "a" field differing after its zero byte) shows its bytes in hex
// beside each text.
ImageDifferences CompareImages(const ConfigImage& first, const ConfigImage& second,
                               const DefinitionSet& set);

// Whether CompareImages lists `field`: it shows a value in both images, and its bit (a box) or
// any of its bytes (a field) differs.
bool FieldDiffers(const DefinitionSet& set, const PageField& field, const ConfigImage& first,
                  const ConfigImage& second);

// Bits of the image, one mask byte per image byte.
using ImageMask = std::array<std::uint8_t, ConfigImage::kSize>;

// Adds the bits one listed change stands for to `mask`: a box its bit, a field all its bytes
// (so that taking it copies the whole value, never a mix of two), a byte its `bits`.
void AddChangeBits(const DefinitionSet& set, const PageField& field, ImageMask& mask);
void AddChangeBits(const DefinitionSet& set, const FieldChange& change, ImageMask& mask);
void AddChangeBits(const ByteChange& change, ImageMask& mask);
// The bits of every change listed in `differences`: they cover every bit that differs.
ImageMask ChangeBits(const DefinitionSet& set, const ImageDifferences& differences);

// Copies the bits that `mask` sets from `from` into `into`; every other bit of `into` stays.
void TakeBits(const ImageMask& mask, const ConfigImage& from, ConfigImage& into);

}  // namespace vor
