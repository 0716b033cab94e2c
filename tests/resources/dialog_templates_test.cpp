#include "resources/dialog_templates.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

namespace vor {
namespace {

bool Overlap(const ControlTemplate& a, const ControlTemplate& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

std::string Describe(const DialogTemplate& dialog, const ControlTemplate& control) {
  return "dialog " + std::to_string(dialog.id) + " control " + std::to_string(control.id) + " at " +
         std::to_string(control.x) + "," + std::to_string(control.y);
}

TEST(DialogTemplates, EveryTemplateHasUniqueIdsAndControlsInsideItsClientArea) {
  std::set<int> dialogIds;
  for (const DialogTemplate* dialog : AllDialogTemplates()) {
    EXPECT_TRUE(dialogIds.insert(dialog->id).second) << dialog->id;
    EXPECT_EQ(FindDialogTemplate(dialog->id), dialog);
    std::set<int> ids;
    for (const ControlTemplate& control : dialog->controls) {
      SCOPED_TRACE(Describe(*dialog, control));
      if (control.id != kNoControlId) {
        EXPECT_TRUE(ids.insert(control.id).second);
      }
      EXPECT_GE(control.x, 0);
      EXPECT_GE(control.y, 0);
      EXPECT_GT(control.width, 0);
      EXPECT_GT(control.height, 0);
      EXPECT_LE(control.x + control.width, dialog->width);
      EXPECT_LE(control.y + control.height, dialog->height);
    }
    EXPECT_EQ(FindControlTemplate(*dialog, kNoControlId), nullptr);
  }
  EXPECT_EQ(dialogIds, (std::set<int>{102, 107, 108, 109, 110, 121}));
  EXPECT_EQ(FindDialogTemplate(103), nullptr);
}

// The main window's pictures and separators overlap by design; the pages and the calibration
// dialog have no control on top of another, hidden ones included, since the pages show any of
// their slots.
TEST(DialogTemplates, NoTwoControlsOfAPageOrTheCalibrationDialogOverlap) {
  for (int id : {107, 108, 109, 110, 121}) {
    const DialogTemplate& dialog = *FindDialogTemplate(id);
    for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
      for (std::size_t j = i + 1; j < dialog.controls.size(); ++j) {
        EXPECT_FALSE(Overlap(dialog.controls[i], dialog.controls[j]))
            << Describe(dialog, dialog.controls[i]) << " and "
            << Describe(dialog, dialog.controls[j]);
      }
    }
  }
}

TEST(DialogTemplates, PageGridsPlaceLabelEditPairsInColumnsOfSixteen) {
  struct Case {
    int dialogId;
    int slotCount;
    int tipWidth;
    bool readOnly;
  };
  const Case cases[] = {
      {107, 32, 416, false}, {108, 48, 418, false}, {109, 48, 418, false}, {110, 47, 418, true}};
  const int labelX[] = {0, 125, 255};
  const int editX[] = {76, 201, 330};
  for (const Case& c : cases) {
    const DialogTemplate& page = *FindDialogTemplate(c.dialogId);
    SCOPED_TRACE("dialog " + std::to_string(c.dialogId));
    EXPECT_EQ(page.width, 418);
    EXPECT_EQ(page.height, 312);
    EXPECT_TRUE(page.style & kDlgChild);
    int previousEditY = 0;
    for (int slot = 0; slot < c.slotCount; ++slot) {
      SCOPED_TRACE("slot " + std::to_string(slot));
      const ControlTemplate* label = FindControlTemplate(page, 1010 + 2 * slot);
      const ControlTemplate* edit = FindControlTemplate(page, 1011 + 2 * slot);
      ASSERT_NE(label, nullptr);
      ASSERT_NE(edit, nullptr);
      EXPECT_EQ(label->kind, ControlKind::StaticText);
      EXPECT_STREQ(label->text, "Static");
      EXPECT_TRUE(label->style & kHidden);
      EXPECT_EQ(label->width, 67);
      EXPECT_EQ(label->height, 11);
      EXPECT_EQ(label->x, labelX[slot / 16]);
      EXPECT_EQ(edit->kind, ControlKind::Edit);
      EXPECT_STREQ(edit->text, "");
      EXPECT_TRUE(edit->style & kHidden);
      EXPECT_TRUE(edit->style & kBorder);
      EXPECT_EQ(bool(edit->style & kReadOnly), c.readOnly);
      EXPECT_EQ(edit->width, 40);
      EXPECT_EQ(edit->height, 14);
      EXPECT_EQ(edit->x, editX[slot / 16]);
      EXPECT_GE(label->y - edit->y, 2);
      EXPECT_LE(label->y - edit->y, 4);
      if (slot % 16 == 0) {
        EXPECT_EQ(edit->y, 6);
      } else {
        EXPECT_GE(edit->y - previousEditY, 15);
        EXPECT_LE(edit->y - previousEditY, 17);
      }
      if (slot % 16 == 15) {
        EXPECT_EQ(edit->y, 247);
      }
      previousEditY = edit->y;
    }
    const ControlTemplate* tip = FindControlTemplate(page, 1001);
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->kind, ControlKind::StaticText);
    EXPECT_FALSE(tip->style & kHidden);
    EXPECT_EQ(tip->x, 0);
    EXPECT_EQ(tip->y, 268);
    EXPECT_EQ(tip->width, c.tipWidth);
    EXPECT_EQ(tip->height, 41);
  }
}

TEST(DialogTemplates, VehiclePageHasTwoColumnsOfCheckBoxesAndTheReadZeroButton) {
  struct Column {
    int firstId, count, x, firstY, lastY;
  };
  const DialogTemplate& page = *FindDialogTemplate(107);
  for (const Column& column : {Column{1106, 16, 263, 10, 248}, Column{1122, 8, 337, 11, 120}}) {
    int previousY = column.firstY - 1;
    for (int id = column.firstId; id < column.firstId + column.count; ++id) {
      SCOPED_TRACE("box " + std::to_string(id));
      const ControlTemplate* box = FindControlTemplate(page, id);
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->kind, ControlKind::CheckBox);
      EXPECT_STREQ(box->text, "Check1");
      EXPECT_EQ(box->style & (kHidden | kTabStop), kHidden | kTabStop);
      EXPECT_GE(box->width, 65);
      EXPECT_LE(box->width, 114);
      EXPECT_GE(box->height, 9);
      EXPECT_LE(box->height, 12);
      EXPECT_EQ(box->x, column.x);
      EXPECT_GT(box->y, previousY);
      previousY = box->y;
    }
    EXPECT_EQ(FindControlTemplate(page, column.firstId)->y, column.firstY);
    EXPECT_EQ(previousY, column.lastY);
  }
  EXPECT_EQ(FindControlTemplate(page, 1130), nullptr);

  const ControlTemplate* readZero = FindControlTemplate(page, 1341);
  ASSERT_NE(readZero, nullptr);
  EXPECT_EQ(readZero->kind, ControlKind::PushButton);
  EXPECT_STREQ(readZero->text, "Read_Zero");
  EXPECT_FALSE(readZero->style & kHidden);
  EXPECT_EQ((std::array{readZero->x, readZero->y, readZero->width, readZero->height}),
            (std::array{340, 136, 40, 17}));
}

TEST(DialogTemplates, MonitorStatusTakesTheLastRowOfTheThirdColumn) {
  const DialogTemplate& page = *FindDialogTemplate(110);
  const ControlTemplate* caption = FindControlTemplate(page, 1104);
  const ControlTemplate* field = FindControlTemplate(page, 1105);
  const ControlTemplate* aboveField = FindControlTemplate(page, 1103);
  ASSERT_TRUE(caption && field && aboveField);
  EXPECT_EQ(caption->kind, ControlKind::StaticText);
  EXPECT_TRUE(caption->style & kAlignRight);
  EXPECT_FALSE(caption->style & kHidden);
  EXPECT_EQ(caption->x, 255);
  EXPECT_EQ(field->kind, ControlKind::Edit);
  EXPECT_EQ(field->style & (kHidden | kReadOnly | kBorder), kReadOnly | kBorder);
  EXPECT_EQ(field->x, aboveField->x);
  EXPECT_EQ(field->y, 247);
  EXPECT_GT(caption->y, field->y);
}

}  // namespace
}  // namespace vor
