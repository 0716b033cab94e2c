// The undoable steps as the window's Edit menu uses them: each kind of step, and sequences of
// edits, Reads, Writes, Undo and Redo with the images after each.
#include "files/change_steps.h"

#include <gtest/gtest.h>

#include <functional>

#include "definitions/model_images.h"
#include "definitions/model_table.h"
#include "files/unwritten_changes.h"
#include "tests/files/loaded_definitions.h"

namespace vor {
namespace {

using test::FieldNamed;
using test::LoadedFor;
using test::SetSerial;

using Edit = std::function<void(ConfigImage&)>;

// VOR factory values: Low Volt 54 (byte 19), Over Volt 86 (20), Control Mode 0 (28), Boost and
// Economy bits 0 and 1 of byte 0, serial number 1234567.
const Edit kLowVolt50 = [](ConfigImage& i) { i[19] = 50; };
const Edit kOverVolt80 = [](ConfigImage& i) { i[20] = 80; };

ConfigImage Edited(ConfigImage image, const std::vector<Edit>& edits) {
  for (const Edit& edit : edits) edit(image);
  return image;
}

// What the window does with the steps, without widgets: the controller's image, the pages'
// image, and an undo stack that pushes as QUndoStack does (redo at once, the undone steps
// dropped).
class Editing {
public:
  explicit Editing(const ConfigImage& controller)
      : set_(LoadedFor(controller)), controller(controller), pages(controller) {}

  const DefinitionSet& Set() const { return *set_; }

  void Push(ChangeStep step) {
    if (step.Empty()) return;
    steps_.resize(done_);
    RedoStep(step, pages);
    steps_.push_back(std::move(step));
    ++done_;
  }
  void Undo() {
    ASSERT_GT(done_, 0u);
    UndoStep(steps_[--done_], pages);
  }
  void Redo() {
    ASSERT_LT(done_, steps_.size());
    RedoStep(steps_[done_++], pages);
  }
  QString UndoName() const { return done_ > 0 ? steps_[done_ - 1].name : QString(); }

  // A page's store pass that makes `edits`.
  void Store(const std::vector<Edit>& edits) {
    for (ChangeStep& step : StoreSteps(*set_, pages, Edited(pages, edits))) Push(std::move(step));
  }
  // A successful Write: the controller holds the pages' image; the stack stays.
  void Write() { controller = pages; }
  // A successful Read of `read`, an undoable step when it replaced changes.
  void Read(const ConfigImage& read) {
    ChangeStep step = ReadStep(*set_, controller, pages, read);
    controller = read;
    pages = read;
    Push(std::move(step));
  }

  // The unwritten changes as "LABEL: CONTROLLER -> PAGES".
  std::vector<std::string> Changes() const {
    std::vector<std::string> lines;
    const ImageDifferences changes = UnwrittenChanges(*set_, controller, pages);
    for (const FieldChange& c : changes.fields) {
      lines.push_back(QStringLiteral("%1: %2 -> %3").arg(c.label, c.first, c.second).toStdString());
    }
    for (const ByteChange& c : changes.bytes) lines.push_back("byte " + std::to_string(c.addr));
    return lines;
  }

private:
  std::unique_ptr<DefinitionSet> set_;

public:
  ConfigImage controller;
  ConfigImage pages;

private:
  std::vector<ChangeStep> steps_;
  std::size_t done_ = 0;
};

using Lines = std::vector<std::string>;

TEST(ChangeSteps, EachKindOfStepChangesItsOwnValuesAndUndoRestoresThem) {
  const ConfigImage vor = *DefaultImageFor(u"VOR");
  ConfigImage special = *DefaultImageFor(u"JUT", {.specialVersion = 5});
  special[0] = std::uint8_t((special[0] & ~0x03) | 0x02);  // Economy ticked, Boost not
  special[3] = 0;                                          // Brake Type 0: both boxes enabled
  ConfigImage otherUnit = Edited(vor, {kLowVolt50, [](ConfigImage& i) { i[97] = 100; }});
  SetSerial(otherUnit, 7654321);
  const ZeroValues calibrated{120, 121, 122, true};

  using Make = std::function<ChangeStep(const DefinitionSet&, const ConfigImage& controller,
                                        const ConfigImage& pages)>;
  const struct {
    const char* name;
    ConfigImage controller;
    std::vector<Edit> pagesEdits;  // unwritten changes before the step
    Make make;
    const char* stepName;        // empty: the step changes nothing
    std::vector<Edit> expected;  // the pages' image after the step, from the controller's
  } cases[] = {
      {"a box click clears its partner",
       special,
       {},
       [](const DefinitionSet& s, const ConfigImage&, const ConfigImage& p) {
         return BoxClickStep(s, p, 0, true);
       },
       "Boost 0 → 1, Economy 1 → 0",
       {[](ConfigImage& i) { i[0] ^= 0x03; }}},
      {"unticking leaves the partner",
       special,
       {},
       [](const DefinitionSet& s, const ConfigImage&, const ConfigImage& p) {
         return BoxClickStep(s, p, 1, false);
       },
       "Economy 1 → 0",
       {[](ConfigImage& i) { i[0] &= ~0x02; }}},
      {"no partner without the special version",
       vor,
       {[](ConfigImage& i) { i[0] |= 0x02; }},
       [](const DefinitionSet& s, const ConfigImage&, const ConfigImage& p) {
         return BoxClickStep(s, p, 0, true);
       },
       "Boost 0 → 1",
       {[](ConfigImage& i) { i[0] |= 0x03; }}},
      {"calibration Update",
       vor,
       {},
       [&](const DefinitionSet&, const ConfigImage&, const ConfigImage& p) {
         return CalibrationStep(p, calibrated);
       },
       "Phase Zero Calibration",
       {[](ConfigImage& i) {
         i[97] = 120;
         i[98] = 121;
         i[99] = 122;
       }}},
      {"no calibration without a Read",
       vor,
       {},
       [](const DefinitionSet&, const ConfigImage&, const ConfigImage& p) {
         return CalibrationStep(p, ZeroValues{});
       },
       "",
       {}},
      {"applying another unit's file",
       vor,
       {kOverVolt80},
       [&](const DefinitionSet& s, const ConfigImage& c, const ConfigImage& p) {
         return ApplyStep(s, p, otherUnit, PlanApply(s, p, otherUnit, c).rows, "other.bin");
       },
       "Apply other.bin",
       {kLowVolt50}},  // Over Volt is the file's 86 again
      {"Revert",
       vor,
       {kLowVolt50, kOverVolt80},
       [](const DefinitionSet& s, const ConfigImage& c, const ConfigImage& p) {
         return RevertStep(s, c, p, FieldNamed(s, "Low Volt"));
       },
       "Revert Low Volt",
       {kOverVolt80}},
      {"Revert of an unchanged field",
       vor,
       {kOverVolt80},
       [](const DefinitionSet& s, const ConfigImage& c, const ConfigImage& p) {
         return RevertStep(s, c, p, FieldNamed(s, "Low Volt"));
       },
       "",
       {kOverVolt80}},
      {"Revert All",
       vor,
       {kLowVolt50, kOverVolt80, [](ConfigImage& i) { i[13] ^= 0x5A; }},
       [](const DefinitionSet& s, const ConfigImage& c, const ConfigImage& p) {
         return RevertAllStep(s, c, p);
       },
       "Revert All Changes",
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto set = LoadedFor(c.controller);
    const ConfigImage before = Edited(c.controller, c.pagesEdits);
    const ChangeStep step = c.make(*set, c.controller, before);
    EXPECT_EQ(step.Empty(), *c.stepName == 0);
    if (*c.stepName) {
      EXPECT_EQ(step.name.toStdString(), c.stepName);
    }
    ConfigImage pages = before;
    RedoStep(step, pages);
    EXPECT_EQ(pages.bytes, Edited(c.controller, c.expected).bytes);
    UndoStep(step, pages);
    EXPECT_EQ(pages.bytes, before.bytes);
  }
}

// The page unticks a partner's box; a partner the definitions give no box is never touched.
TEST(ChangeSteps, ABoxClickLeavesAPartnerWithoutABox) {
  ConfigImage special = *DefaultImageFor(u"JUT", {.specialVersion = 5});
  special[0] |= 0x02;  // Economy
  special[3] = 0;
  auto set = LoadedFor(special);
  set->params[1].show = 0;  // Economy gets no box
  const ChangeStep step = BoxClickStep(*set, special, 0, true);
  EXPECT_EQ(step.name, "Boost 0 → 1");
  ConfigImage pages = special;
  RedoStep(step, pages);
  EXPECT_EQ(pages[0], special[0] | 0x01);
}

TEST(ChangeSteps, AStorePassIsOneStepPerChangedField) {
  Editing editing(*DefaultImageFor(u"VOR"));
  editing.Store({kLowVolt50, kOverVolt80});
  EXPECT_EQ(editing.UndoName(), "Over Volt 86 → 80");
  editing.Undo();
  EXPECT_EQ(editing.Changes(), (Lines{"Low Volt: 54 -> 50"}));
  EXPECT_EQ(editing.UndoName(), "Low Volt 54 → 50");
  editing.Undo();
  EXPECT_TRUE(editing.Changes().empty());
  editing.Redo();
  editing.Redo();
  EXPECT_EQ(editing.Changes(), (Lines{"Low Volt: 54 -> 50", "Over Volt: 86 -> 80"}));
}

// A Read replaces the user's changes; its Undo brings them back as changes against what the
// controller now holds, and keeps everything else the Read brought.
TEST(ChangeSteps, UndoingAReadBringsTheChangesBackOntoTheNewImage) {
  const ConfigImage vor = *DefaultImageFor(u"VOR");
  Editing editing(vor);
  editing.Store({kLowVolt50});
  // Meanwhile someone set the controller's Low Volt to 60 and its Control Mode to 2.
  const ConfigImage read =
      Edited(vor, {[](ConfigImage& i) { i[19] = 60; }, [](ConfigImage& i) { i[28] = 2; }});
  editing.Read(read);
  EXPECT_TRUE(editing.Changes().empty());
  EXPECT_EQ(editing.UndoName(), "Read");

  editing.Undo();
  EXPECT_EQ(editing.controller.bytes, read.bytes);  // Undo never changes what the controller has
  EXPECT_EQ(editing.Changes(), (Lines{"Low Volt: 60 -> 50"}));
  EXPECT_EQ(editing.pages[28], 2);
  editing.Redo();
  EXPECT_EQ(editing.pages.bytes, read.bytes);

  // A Read that replaced no change is no step.
  editing.Read(read);
  EXPECT_EQ(editing.UndoName(), "Read");
  editing.Undo();
  EXPECT_EQ(editing.UndoName(), "Low Volt 54 → 50");
}

// The user's changes, made against one controller, include its own data (restored from its own
// backup). Read from another controller, Undo must not bring that unit's identity and
// calibration onto this one.
TEST(ChangeSteps, UndoingAReadOfAnotherControllerBringsBackOnlySettings) {
  const ConfigImage first = *DefaultImageFor(u"VOR");
  Editing editing(first);
  ConfigImage backup = Edited(first, {kLowVolt50, [](ConfigImage& i) { i[97] = 100; },
                                      [](ConfigImage& i) { i[13] ^= 0xFF; }});
  editing.Push(ApplyStep(editing.Set(), editing.pages, backup,
                         PlanApply(editing.Set(), editing.pages, backup, first).rows,
                         "backup.bin"));
  EXPECT_EQ(editing.pages.bytes, backup.bytes);

  ConfigImage second = first;
  SetSerial(second, 7654321);
  second[97] = 130;
  editing.Read(second);
  editing.Undo();
  EXPECT_EQ(editing.Changes(), (Lines{"Low Volt: 54 -> 50"}));
  EXPECT_EQ(editing.pages[97], 130);
  EXPECT_EQ(editing.pages[13], second[13]);
}

// The stack survives a Write: undoing afterwards makes a change against what was written.
TEST(ChangeSteps, UndoAfterAWriteMakesAChangeAgain) {
  Editing editing(*DefaultImageFor(u"VOR"));
  editing.Store({kLowVolt50});
  editing.Write();
  EXPECT_TRUE(editing.Changes().empty());
  editing.Undo();
  EXPECT_EQ(editing.Changes(), (Lines{"Low Volt: 50 -> 54"}));
  editing.Redo();
  EXPECT_TRUE(editing.Changes().empty());
}

// An older step, undone after a Read that brought new values, puts back its own field alone:
// the rest of the newly read configuration must not fall back to the old one.
TEST(ChangeSteps, UndoingAnOlderStepTouchesOnlyItsOwnValues) {
  const ConfigImage vor = *DefaultImageFor(u"VOR");
  Editing editing(vor);
  editing.Store({kLowVolt50});
  editing.Write();
  const ConfigImage read = Edited(editing.pages, {kOverVolt80});  // changed by someone else
  editing.Read(read);                                             // no changes: no step
  editing.Undo();
  EXPECT_EQ(editing.Changes(), (Lines{"Low Volt: 50 -> 54"}));
  EXPECT_EQ(editing.pages[20], 80);
}

// Box clicks, a calibration, a Revert All and their Undo and Redo in a row.
TEST(ChangeSteps, UndoAllAndRedoAllReturnToTheStartAndTheEnd) {
  const ConfigImage vor = *DefaultImageFor(u"VOR");
  Editing editing(vor);
  editing.Push(BoxClickStep(editing.Set(), editing.pages, 2, true));  // Rev_HCurr
  editing.Store({kLowVolt50});
  editing.Push(CalibrationStep(editing.pages, ZeroValues{1, 2, 3, true}));
  const ConfigImage end = editing.pages;
  editing.Push(RevertAllStep(editing.Set(), editing.controller, editing.pages));
  EXPECT_EQ(editing.pages.bytes, vor.bytes);
  editing.Undo();
  EXPECT_EQ(editing.pages.bytes, end.bytes);
  for (int i = 0; i < 3; ++i) editing.Undo();
  EXPECT_EQ(editing.pages.bytes, vor.bytes);
  for (int i = 0; i < 4; ++i) editing.Redo();
  EXPECT_EQ(editing.pages.bytes, vor.bytes);
  EXPECT_EQ(editing.UndoName(), "Revert All Changes");
}

}  // namespace
}  // namespace vor
