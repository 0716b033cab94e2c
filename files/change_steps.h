#pragma once

// The undoable steps of editing a configuration, without widgets: the window wraps each in a
// QUndoCommand whose undo() and redo() call UndoStep and RedoStep on the pages' image.
//
// A step records the bits of the pages' image it sets, with their values before and after, and
// touches no other bit: undoing an older step after a Read or a Write puts back exactly its own
// values, which then show as changes against whatever the controller holds now, and never
// brings back anything else of an older image. Steps never change the controller's image (what
// it was last read or written as): that is a fact no Undo can change. Undo and Redo send
// nothing.

#include <QString>
#include <vector>

#include "definitions/definition_set.h"
#include "files/apply_rules.h"
#include "files/image_compare.h"
#include "link/config_image.h"
#include "pages/page_fields.h"
#include "pages/program_state.h"

namespace vor {

struct ChangeStep {
  QString name;        // as the Edit menu shows it after "Undo " or "Redo ": "Low Volt 54 → 50"
  ImageMask bits{};    // the bits of the pages' image that the step sets
  ConfigImage before;  // their values before the step; other bits mean nothing
  ConfigImage after;   // their values after it
  // Nothing changes: the window pushes no such step.
  bool Empty() const;
};

// The pages (in page order) with a box or field whose value the step changes; empty when it
// changes only bytes no page shows.
std::vector<PageKind> StepPages(const DefinitionSet& set, const ChangeStep& step);

// Sets the step's bits of `pages` to their values before, or after, the step.
void UndoStep(const ChangeStep& step, ConfigImage& pages);
void RedoStep(const ChangeStep& step, ConfigImage& pages);

// The steps of one store pass of a page, which turned `beforePass` into `afterPass`: one per box
// or field whose value it changed, in page order, named "LABEL OLD → NEW" with the page's texts.
std::vector<ChangeStep> StoreSteps(const DefinitionSet& set, const ConfigImage& beforePass,
                                   const ConfigImage& afterPass);

// A click that leaves the box of the flag record at table position `position` ticked or not:
// its bit, and with the special version the partner box that ticking it clears, in one step
// ("Boost 0 → 1, Economy 1 → 0").
ChangeStep BoxClickStep(const DefinitionSet& set, const ConfigImage& pages, int position,
                        bool ticked);

// The calibration's Update: bytes 97..99 from `values`. Empty when Update refuses (no answered
// calibration Read in this run).
ChangeStep CalibrationStep(const ConfigImage& pages, const ZeroValues& values);

// Applying the checked rows of a file's review (PlanApply on `pages`); `fileName` names it.
ChangeStep ApplyStep(const DefinitionSet& set, const ConfigImage& pages, const ConfigImage& file,
                     const std::vector<ApplyRow>& rows, const QString& fileName);

// One box or field back to the controller's value; empty when it holds none of its own.
ChangeStep RevertStep(const DefinitionSet& set, const ConfigImage& controller,
                      const ConfigImage& pages, const PageField& field);

// Every change back to the controller's value: the pages' image becomes the controller's.
ChangeStep RevertAllStep(const DefinitionSet& set, const ConfigImage& controller,
                         const ConfigImage& pages);

// A Read that replaced the pages' image `pages`, which held changes against `oldController`,
// with the newly read `newController`. Its Undo brings the user's changes back onto the new
// image, as changes against it; what the Read brought everywhere else stays. When the new image
// is of another controller (serial number), the changes come back as a file of another unit
// would: without the old unit's own data and bytes no page shows. Empty when there were no
// changes (the Read then replaced nothing of the user's).
ChangeStep ReadStep(const DefinitionSet& set, const ConfigImage& oldController,
                    const ConfigImage& pages, const ConfigImage& newController);

}  // namespace vor
