#include "files/apply_rules.h"

#include <algorithm>
#include <span>

#include "calibration/zero_calibration.h"
#include "definitions/model_table.h"
#include "pages/page_fields.h"

namespace vor {
namespace {

struct ByteRange {
  std::size_t addr;
  std::size_t size;
};

constexpr std::size_t kWordSize = 2;  // the 16-bit identification fields
constexpr std::size_t kPhaseCount = 3;

// The bytes that identify the controller or calibrate its own hardware, whatever the
// definitions call them or whether a page shows them.
constexpr ByteRange kOwnBytes[] = {
    {kModuleNameAddr, kModuleNameSize}, {kSpecialVersionAddr, 1},
    {kControllerVoltAddr, kWordSize},   {kSerialNumberAddr, kSerialNumberSize},
    {kSoftwareVersionAddr, kWordSize},  {kPhaseZeroAddr, kPhaseCount},
};

bool InOwnBytes(int addr, int count) {
  return std::ranges::any_of(kOwnBytes, [&](const ByteRange& own) {
    return addr < int(own.addr + own.size) && int(own.addr) < addr + count;
  });
}

}  // namespace

bool SameUnit(const ConfigImage& a, const ConfigImage& b) {
  const auto serial = [](const ConfigImage& image) {
    return std::span(image.bytes).subspan(kSerialNumberAddr, kSerialNumberSize);
  };
  return std::ranges::equal(serial(a), serial(b));
}

bool IsOwnData(const DefinitionSet& set, const FieldChange& change) {
  const ParamDef& def = set.params[static_cast<std::size_t>(change.position)];
  if (def.en == 0) return true;  // shown read-only: the controller reports it
  return InOwnBytes(def.addr, !change.box && def.pro == 2 ? def.pos + 1 : 1);
}

ApplyPlan PlanApply(const DefinitionSet& set, const ConfigImage& pages, const ConfigImage& file,
                    const ConfigImage& unit) {
  return PlanApply(set, pages, file, SameUnit(file, unit));
}

ApplyPlan PlanApply(const DefinitionSet& set, const ConfigImage& pages, const ConfigImage& file,
                    bool sameUnit) {
  ApplyPlan plan;
  plan.sameUnit = sameUnit;
  const ImageDifferences differences = CompareImages(pages, file, set);
  for (const FieldChange& change : differences.fields) {
    const bool own = IsOwnData(set, change);
    plan.rows.push_back({change, own, plan.sameUnit || !own});
  }
  for (const ByteChange& change : differences.bytes) {
    plan.rows.push_back({change, true, plan.sameUnit});
  }
  return plan;
}

ImageMask CheckedBits(const DefinitionSet& set, const std::vector<ApplyRow>& rows) {
  ImageMask mask{};
  for (const ApplyRow& row : rows) {
    if (!row.checked) continue;
    if (const auto* field = std::get_if<FieldChange>(&row.change)) {
      AddChangeBits(set, *field, mask);
    } else {
      AddChangeBits(std::get<ByteChange>(row.change), mask);
    }
  }
  return mask;
}

const ApplyRow* FirstOutOfRange(const DefinitionSet& set, const std::vector<ApplyRow>& rows) {
  for (const ApplyRow& row : rows) {
    const auto* field = std::get_if<FieldChange>(&row.change);
    if (!row.checked || !field || field->box) continue;
    if (TestEntry(set, PageField{field->page, field->position}, field->second) ==
        StoreResult::OutOfRange) {
      return &row;
    }
  }
  return nullptr;
}

void ApplyRows(const DefinitionSet& set, const std::vector<ApplyRow>& rows, const ConfigImage& file,
               ConfigImage& image) {
  TakeBits(CheckedBits(set, rows), file, image);
}

}  // namespace vor
