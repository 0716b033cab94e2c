#include "files/change_steps.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>

#include "calibration/zero_calibration.h"
#include "pages/vehicle_rules.h"

namespace vor {
namespace {

QString ChangeName(const QString& label, const QString& before, const QString& after) {
  return QCoreApplication::translate("vor::ChangeSteps", "%1 %2 → %3").arg(label, before, after);
}

QString ByteText(std::uint8_t value) {
  return QStringLiteral("0x%1").arg(value, 2, 16, QChar(u'0'));
}

ChangeStep MakeStep(QString name, const ImageMask& bits, const ConfigImage& before,
                    const ConfigImage& after) {
  return {std::move(name), bits, before, after};
}

}  // namespace

bool ChangeStep::Empty() const {
  for (std::size_t addr = 0; addr < ConfigImage::kSize; ++addr) {
    if ((before[addr] ^ after[addr]) & bits[addr]) return false;
  }
  return true;
}

std::vector<PageKind> StepPages(const DefinitionSet& set, const ChangeStep& step) {
  std::vector<PageKind> pages;
  for (const PageField& field : PageFields(set)) {
    if (std::ranges::find(pages, field.page) != pages.end()) continue;
    ImageMask fieldBits{};
    AddChangeBits(set, field, fieldBits);
    for (std::size_t addr = 0; addr < ConfigImage::kSize; ++addr) {
      if (fieldBits[addr] & step.bits[addr] & (step.before[addr] ^ step.after[addr])) {
        pages.push_back(field.page);
        break;
      }
    }
  }
  return pages;
}

void UndoStep(const ChangeStep& step, ConfigImage& pages) {
  TakeBits(step.bits, step.before, pages);
}

void RedoStep(const ChangeStep& step, ConfigImage& pages) {
  TakeBits(step.bits, step.after, pages);
}

std::vector<ChangeStep> StoreSteps(const DefinitionSet& set, const ConfigImage& beforePass,
                                   const ConfigImage& afterPass) {
  std::vector<ChangeStep> steps;
  const ImageDifferences differences = CompareImages(beforePass, afterPass, set);
  for (const FieldChange& change : differences.fields) {
    ImageMask bits{};
    AddChangeBits(set, change, bits);
    steps.push_back(MakeStep(ChangeName(change.label, change.first, change.second), bits,
                             beforePass, afterPass));
  }
  // A store pass writes only what the pages show; should anything else have changed, it is a
  // step too rather than a change no Undo reaches.
  for (const ByteChange& change : differences.bytes) {
    ImageMask bits{};
    AddChangeBits(change, bits);
    steps.push_back(MakeStep(
        ChangeName(QCoreApplication::translate("vor::ChangeSteps", "byte %1").arg(change.addr),
                   ByteText(change.first), ByteText(change.second)),
        bits, beforePass, afterPass));
  }
  return steps;
}

ChangeStep BoxClickStep(const DefinitionSet& set, const ConfigImage& pages, int position,
                        bool ticked) {
  ConfigImage after = pages;
  ImageMask bits{};
  QStringList names;
  const auto store = [&](int at, bool tick) {
    const ParamDef& def = set.params[static_cast<std::size_t>(at)];
    if (!IsFlagBit(def)) return;
    StoreFlag(def, tick, after);
    AddChangeBits(set, PageField{PageKind::Vehicle, at, true}, bits);
    if (FlagValue(def, pages) != tick) {
      names << ChangeName(FieldLabel(def), QString::number(int(!tick)), QString::number(int(tick)));
    }
  };
  store(position, ticked);
  const std::optional<int> partner = ExclusivePartner(set, position);
  if (ticked && partner && BoxOfPosition(FlagWalk(set), *partner) >= 0) store(*partner, false);
  return MakeStep(names.join(QStringLiteral(", ")), bits, pages, after);
}

ChangeStep CalibrationStep(const ConfigImage& pages, const ZeroValues& values) {
  ConfigImage after = pages;
  ImageMask bits{};
  if (UpdatePhaseZero(values, after)) {
    for (std::size_t phase = 0; phase < 3; ++phase) bits[kPhaseZeroAddr + phase] = 0xFF;
  }
  return MakeStep(QCoreApplication::translate("vor::ChangeSteps", "Phase Zero Calibration"), bits,
                  pages, after);
}

ChangeStep ApplyStep(const DefinitionSet& set, const ConfigImage& pages, const ConfigImage& file,
                     const std::vector<ApplyRow>& rows, const QString& fileName) {
  return MakeStep(QCoreApplication::translate("vor::ChangeSteps", "Apply %1").arg(fileName),
                  CheckedBits(set, rows), pages, file);
}

ChangeStep RevertStep(const DefinitionSet& set, const ConfigImage& controller,
                      const ConfigImage& pages, const PageField& field) {
  ImageMask bits{};
  if (FieldDiffers(set, field, controller, pages)) AddChangeBits(set, field, bits);
  const ParamDef& def = set.params[static_cast<std::size_t>(field.position)];
  return MakeStep(QCoreApplication::translate("vor::ChangeSteps", "Revert %1").arg(FieldLabel(def)),
                  bits, pages, controller);
}

ChangeStep RevertAllStep(const DefinitionSet& set, const ConfigImage& controller,
                         const ConfigImage& pages) {
  return MakeStep(QCoreApplication::translate("vor::ChangeSteps", "Revert All Changes"),
                  ChangeBits(set, CompareImages(controller, pages, set)), pages, controller);
}

ChangeStep ReadStep(const DefinitionSet& set, const ConfigImage& oldController,
                    const ConfigImage& pages, const ConfigImage& newController) {
  // The user's changes are a file applied to the old image: the one table decides what of them
  // may come back onto the new one.
  const ApplyPlan changes =
      PlanApply(set, oldController, pages, SameUnit(oldController, newController));
  return MakeStep(QCoreApplication::translate("vor::ChangeSteps", "Read"),
                  CheckedBits(set, changes.rows), pages, newController);
}

}  // namespace vor
