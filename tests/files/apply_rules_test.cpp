// The one table of what a configuration file brings along when it is applied: the review
// dialog's default ticks and vor-cli apply.
#include "files/apply_rules.h"

#include <gtest/gtest.h>

#include <map>

#include "definitions/model_images.h"
#include "definitions/model_table.h"
#include "tests/files/loaded_definitions.h"

namespace vor {
namespace {

using test::LoadedFor;
using test::SetSerial;

// The parameter of a row, or "byte N".
std::string RowName(const ApplyRow& row) {
  if (const auto* field = std::get_if<FieldChange>(&row.change)) return field->label.toStdString();
  return "byte " + std::to_string(std::get<ByteChange>(row.change).addr);
}

// A file with one change of every kind of row: settings, this controller's own data, bytes no
// page shows.
ConfigImage FileFrom(const ConfigImage& controller) {
  ConfigImage file = controller;
  file[19] = 50;                        // Low Volt
  file[28] = 2;                         // Control Mode
  file[0] ^= 0x04;                      // Rev_HCurr, a box
  file[kUserCodeAddr + 1] = 0x12;       // User Code: the dealer's, a setting
  file[kModuleNameAddr + 7] ^= 1;       // the module name's rating
  file[kSoftwareVersionAddr + 1] ^= 1;  // the software version
  file[kControllerVoltAddr + 1] ^= 1;   // the controller volt
  file[97] = 100;                       // Phase_A_Zero
  file[99] = 101;                       // Phase_C_Zero
  file[0] ^= 0x10;                      // a switch no page shows
  file[13] ^= 0xFF;                     // a byte no page shows
  return file;
}

TEST(ApplyRules, AnotherControllersFileBringsItsSettingsButNotItsOwnData) {
  const ConfigImage controller = *DefaultImageFor(u"VOR");
  const auto set = LoadedFor(controller);
  ConfigImage sameUnit = FileFrom(controller);
  ConfigImage otherUnit = sameUnit;
  SetSerial(otherUnit, 7654321);
  // The serial number row exists only for the other unit.
  const std::map<std::string, bool> own{
      {"Rev_HCurr", false},    {"Module Name", true},      {"User Code", false},
      {"Serial Number", true}, {"Software Version", true}, {"Controller Volt", true},
      {"Low Volt", false},     {"Phase_A_Zero", true},     {"Phase_C_Zero", true},
      {"Control Mode", false}, {"byte 0", true},           {"byte 13", true}};

  for (const bool same : {true, false}) {
    SCOPED_TRACE(same ? "same unit" : "another unit");
    const ConfigImage& file = same ? sameUnit : otherUnit;
    const ApplyPlan plan = PlanApply(*set, controller, file, controller);
    EXPECT_EQ(plan.sameUnit, same);
    EXPECT_EQ(plan.rows.size(), same ? own.size() - 1 : own.size());
    for (const ApplyRow& row : plan.rows) {
      SCOPED_TRACE(RowName(row));
      ASSERT_TRUE(own.contains(RowName(row)));
      EXPECT_EQ(row.own, own.at(RowName(row)));
      // This unit's own backup brings everything; another's leaves this unit its own.
      EXPECT_EQ(row.checked, same || !row.own);
    }

    ConfigImage applied = controller;
    ApplyRows(*set, plan.rows, file, applied);
    if (same) {
      EXPECT_EQ(applied.bytes, file.bytes);
      continue;
    }
    ConfigImage expected = controller;
    expected[19] = file[19];
    expected[28] = file[28];
    expected[0] = std::uint8_t(controller[0] ^ 0x04);  // the box, not the hidden switch
    expected[kUserCodeAddr + 1] = file[kUserCodeAddr + 1];
    EXPECT_EQ(applied.bytes, expected.bytes);
  }
}

// The rows are the user's to choose; taking a byte's hidden switch must not take the box that
// shares its byte, which the user left unticked.
TEST(ApplyRules, OnlyTheCheckedRowsAreTakenEachWithItsOwnBits) {
  const ConfigImage controller = *DefaultImageFor(u"VOR");
  const auto set = LoadedFor(controller);
  ConfigImage file = FileFrom(controller);
  SetSerial(file, 7654321);
  ApplyPlan plan = PlanApply(*set, controller, file, controller);
  for (ApplyRow& row : plan.rows) {
    const std::string name = RowName(row);
    if (name == "Rev_HCurr" || name == "Low Volt") row.checked = false;
    if (name == "byte 0" || name == "Serial Number") row.checked = true;
  }
  ConfigImage applied = controller;
  ApplyRows(*set, plan.rows, file, applied);
  EXPECT_EQ(applied[19], controller[19]);
  EXPECT_EQ(applied[0], controller[0] ^ 0x10);
  for (std::size_t i = 0; i < kSerialNumberSize; ++i) {
    EXPECT_EQ(applied[kSerialNumberAddr + i], file[kSerialNumberAddr + i]);
  }
}

// Beyond the fixed identification bytes, whatever the pages show read-only is the
// controller's report of itself, not a setting.
TEST(ApplyRules, AFieldShownReadOnlyIsTheControllersOwn) {
  const ConfigImage controller = *DefaultImageFor(u"VOR");
  auto set = LoadedFor(controller);
  const PageField lowVolt = test::FieldNamed(*set, "Low Volt");
  FieldChange change{lowVolt.page, lowVolt.position, false, "Low Volt", "54", "50"};
  EXPECT_FALSE(IsOwnData(*set, change));
  set->params[std::size_t(lowVolt.position)].en = 0;
  EXPECT_TRUE(IsOwnData(*set, change));
}

// The pages' own range test decides, at its bounds, on the rows that are taken only: a file whose
// refused value is left out is taken.
TEST(ApplyRules, AValueOutOfRangeIsFoundAmongTheTakenRowsByThePagesOwnTest) {
  const ConfigImage controller = *DefaultImageFor(u"VOR");
  const auto set = LoadedFor(controller);
  const struct {
    std::uint8_t lowVolt;  // byte 19, 18..90
    const char* refused;   // the first row refused, or ""
  } cases[] = {{18, ""}, {90, ""}, {17, "Low Volt"}, {91, "Low Volt"}, {200, "Low Volt"}};
  for (const auto& c : cases) {
    ConfigImage file = controller;
    file[19] = c.lowVolt;
    file[2] = 3;  // TPS Type at its upper bound, after Low Volt on the page
    const ApplyPlan plan = PlanApply(*set, controller, file, controller);
    const ApplyRow* refused = FirstOutOfRange(*set, plan.rows);
    EXPECT_EQ(refused ? RowName(*refused) : "", c.refused) << int(c.lowVolt);
  }

  ConfigImage file = controller;
  file[19] = 200;
  file[2] = 9;  // TPS Type, 0..3
  ApplyPlan plan = PlanApply(*set, controller, file, controller);
  for (ApplyRow& row : plan.rows) row.checked = RowName(row) != "Low Volt";
  ASSERT_NE(FirstOutOfRange(*set, plan.rows), nullptr);
  EXPECT_EQ(RowName(*FirstOutOfRange(*set, plan.rows)), "TPS Type");
  for (ApplyRow& row : plan.rows) row.checked = false;
  EXPECT_EQ(FirstOutOfRange(*set, plan.rows), nullptr);
}

}  // namespace
}  // namespace vor
