#include "definitions/definition_loader.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "definitions/model_table.h"
#include "test_support.h"
#include "tests/support/model_scripts.h"
#include "tests/support/scripted_prompter.h"

namespace vor {
namespace {

using testing::MakeImage;
using testing::Script;

// The first record numbered `addr` that is not a switch bit.
const ParamDef* Find(const DefinitionSet& set, int addr) {
  for (const ParamDef& def : set.Params()) {
    if (def.addr == addr && def.pro != 0) return &def;
  }
  return nullptr;
}

class LoaderTest : public ::testing::Test {
protected:
  bool Load(const ConfigImage& image) { return LoadDefinitions(image, *set, prompter); }
  bool Load(const ConfigImage& image, const std::map<int, QByteArray>& scripts) {
    return LoadDefinitions(image, *set, prompter, [&](int id) -> std::optional<QByteArray> {
      const auto it = scripts.find(id);
      if (it == scripts.end()) return std::nullopt;
      return it->second;
    });
  }

  std::unique_ptr<DefinitionSet> set = std::make_unique<DefinitionSet>();
  test::ScriptedPrompter prompter;
};

TEST_F(LoaderTest, VoltageClassSetsTheLimitsOfLowAndOverVolt) {
  const struct {
    std::string moduleName;
    std::uint16_t controllerVolt;
    std::int32_t rangeL, rangeH;
  } cases[] = {
      {"VOR72450", 72, 18, 90},
      {"VOR24120", 24, 8, 30},
      {"VOR36", 36, 18, 45},
      {"VOR12", 120, 18, 136},
      {"VOR14", 144, 18, 180},
      {"VOR80", 384, 18, 480},
      {"VOR80", 81, 18, 101},  // 81 * 125 / 100 = 101.25, remainder dropped
      {"VOR99", 72, 18, 200},  // no entry: the script's limits stay
      {"VOR7", 72, 18, 200},   // "7" alone is not "72"
      {std::string("VOR\0"
                   "2",
                   5),
       72, 18, 200},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.moduleName + " " + std::to_string(c.controllerVolt));
    ASSERT_TRUE(Load(MakeImage(c.moduleName, 0, 0x0400, c.controllerVolt)));
    for (int addr : {19, 20}) {
      const ParamDef* def = Find(*set, addr);
      ASSERT_NE(def, nullptr);
      EXPECT_EQ(def->rangeL, c.rangeL);
      EXPECT_EQ(def->rangeH, c.rangeH);
    }
  }
  EXPECT_TRUE(prompter.asked.empty());
}

// Scripts 202 and 152 keep their supply thresholds at 16 and 17; 19 and 20 mean other things.
TEST_F(LoaderTest, NewerLayoutTakesTheVoltageLimitsAtSixteenAndSeventeen) {
  for (const auto& image : {MakeImage("GAW24"), MakeImage("PUV24", 0, 0x0503)}) {
    ASSERT_TRUE(Load(image));
    EXPECT_EQ(Find(*set, 16)->name, "Low Volt");
    EXPECT_EQ(Find(*set, 16)->rangeL, 8);
    EXPECT_EQ(Find(*set, 17)->rangeH, 30);
    EXPECT_EQ(Find(*set, 19)->name, "LVWeak percent");
    EXPECT_EQ(Find(*set, 19)->rangeL, 0);
    EXPECT_EQ(Find(*set, 19)->rangeH, 100);
  }
  // The older PUV layout has its thresholds at 19 and 20 and regeneration settings at 16, 17.
  ASSERT_TRUE(Load(MakeImage("PUV24", 0, 0x0502)));
  EXPECT_EQ(Find(*set, 19)->rangeH, 30);
  EXPECT_EQ(Find(*set, 17)->name, "BRK_SW Regen Percent");
  EXPECT_EQ(Find(*set, 17)->rangeH, 100);
}

TEST_F(LoaderTest, ModelTableSelectsScriptsAndAnchors) {
  for (const test::ModelScripts& row : test::kModelScripts) {
    const std::uint8_t special = row.special.value_or(0);
    const std::uint16_t software = row.software.value_or(0x0400);
    SCOPED_TRACE(std::string(row.code) + " special " + std::to_string(special) + " software " +
                 std::to_string(software));
    set = std::make_unique<DefinitionSet>();
    ASSERT_TRUE(Load(MakeImage(std::string(row.code) + "72", special, software)));
    EXPECT_EQ(set->paramScript, row.paramScript);
    EXPECT_EQ(set->liveScript, row.liveScript);
    EXPECT_EQ(set->controlAnchor, row.controlAnchor);
    EXPECT_EQ(set->motorAnchor, row.motorAnchor);
    EXPECT_EQ(set->endAnchor, 127);
    EXPECT_EQ(set->SpecialVersionFlag, row.specialFlag);
  }
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(LoaderTest, SpecialVersionFlagIsNeverCleared) {
  ASSERT_TRUE(Load(MakeImage("JUT72", 5)));
  ASSERT_TRUE(Load(MakeImage("JUT72", 3)));
  EXPECT_EQ(set->paramScript, 172);
  EXPECT_EQ(set->SpecialVersionFlag, 1);
}

TEST_F(LoaderTest, UnknownModelIsRefusedWithMessage157AndChangesOnlyParamCount) {
  ASSERT_TRUE(Load(MakeImage("VOR72")));
  const DefinitionSet before = *set;
  const std::string refused[] = {"vor72",
                                 "Vor72",
                                 std::string("VO\0"
                                             "72",
                                             5),
                                 "VO",
                                 "XYZ72",
                                 "VOX72",
                                 std::string(1, '\0'),
                                 "\xff\xff\xff"};
  for (const std::string& moduleName : refused) {
    SCOPED_TRACE(moduleName);
    prompter.asked.clear();
    EXPECT_FALSE(Load(MakeImage(moduleName)));
    EXPECT_EQ(prompter.AskedIds(), std::vector<int>{157});
    EXPECT_EQ(set->paramCount, 0);
    DefinitionSet expected = before;
    expected.paramCount = 0;
    EXPECT_TRUE(set->params == expected.params && set->liveCount == expected.liveCount &&
                set->faultCount == expected.faultCount && set->motorEnd == expected.motorEnd &&
                set->paramScript == expected.paramScript);
  }
  EXPECT_FALSE(Load(ConfigImage{}));  // never read: all 0xFF
}

// A table's worth of records loads; one more, or a missing script, refuses the model rather than
// overrunning the table or loading half a model.
TEST_F(LoaderTest, ScriptsBeyondTheTablesOrMissingAreRefused) {
  const auto params = [](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "[" + std::to_string(i % 128) + "]#\tpro=1#\n";
    return Script(text + "\\");
  };
  const auto live = [](int items, int faults) {
    std::string text = "[Dat]\n";
    for (int i = 0; i < items; ++i) text += "[000]#\tpro=1#\n";
    text += "[Err]\n";
    for (int i = 0; i < faults; ++i) text += "[000]#\tname=f#\n";
    return Script(text + "\\");
  };
  const ConfigImage vor = MakeImage("VOR72");

  EXPECT_TRUE(Load(vor, {{145, params(512)}, {149, live(128, 32)}}));
  EXPECT_EQ(set->paramCount, 512);
  EXPECT_EQ(set->liveCount, 128);
  EXPECT_EQ(set->faultCount, 32);
  EXPECT_TRUE(prompter.asked.empty());

  const std::map<int, QByteArray> refused[] = {
      {{145, params(513)}, {149, live(1, 1)}},
      {{145, params(1)}, {149, live(129, 1)}},
      {{145, params(1)}, {149, live(1, 33)}},
      {{149, live(1, 1)}},
      {{145, params(1)}},
  };
  for (const auto& scripts : refused) {
    prompter.asked.clear();
    EXPECT_FALSE(Load(vor, scripts));
    EXPECT_EQ(prompter.AskedIds(), std::vector<int>{157});
    EXPECT_EQ(set->paramCount, 0);
    EXPECT_EQ(set->liveCount, 128);  // untouched since the last load
  }
}

TEST_F(LoaderTest, LastRecordCarryingAnAnchorOpensThePage) {
  const QByteArray params = Script(
      "[000]#\tpro=0#\n[028]#\tpro=1#\n[024]#\tpro=1#\n[028]#\tpro=1#\n"
      "[127]#\tpro=1#\n[024]#\tpro=1#\n[127]#\tpro=1#\n\\");
  ASSERT_TRUE(Load(MakeImage("VOR72"), {{145, params}, {149, Script("\\")}}));
  EXPECT_EQ(set->controlFirst, 3);
  EXPECT_EQ(set->motorFirst, 5);
  EXPECT_EQ(set->motorEnd, 6);
  EXPECT_EQ(set->liveCount, 0);
}

TEST_F(LoaderTest, MissingAnchorKeepsThePreviousBoundary) {
  ASSERT_TRUE(Load(MakeImage("VOR72")));
  ASSERT_TRUE(Load(MakeImage("VOR72"), {{145, Script("[001]#\n[028]#\n\\")}, {149, Script("\\")}}));
  EXPECT_EQ(set->controlFirst, 1);
  EXPECT_EQ(set->motorFirst, 61);
  EXPECT_EQ(set->motorEnd, 130);
}

TEST(ModelTable, IdentificationFieldsEndAtAZeroByte) {
  const ConfigImage image = MakeImage(std::string("PU\0"
                                                  "7\0"
                                                  "2",
                                                  6),
                                      0, 0x0503, 0x0180);
  EXPECT_EQ(ModelCode(image), "PU");
  EXPECT_EQ(VoltageClass(image), "7");
  EXPECT_EQ(SoftwareVersion(image), 0x0503);
  EXPECT_EQ(ControllerVolt(image), 384);
}

}  // namespace
}  // namespace vor
