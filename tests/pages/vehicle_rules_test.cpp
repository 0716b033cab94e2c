// The Vehicle page's substitutions and store rules on their own, the edge cases included.
#include "pages/vehicle_rules.h"

#include <gtest/gtest.h>

#include <memory>

#include "definitions/model_table.h"

namespace vor {
namespace {

ParamDef Record(std::size_t addr, int pro, int pos, const char* sw, int en) {
  ParamDef def;
  def.addr = int(addr);
  def.pro = pro;
  def.pos = pos;
  def.sw = sw;
  def.en = en;
  def.show = 1;
  return def;
}

TEST(VehicleDisplayText, SubstitutesTheEditionCodeAndTheModelCode) {
  const ParamDef special = Record(kSpecialVersionAddr, 1, 0, "uo", 0);
  const ParamDef moduleName = Record(kModuleNameAddr, 2, 7, "a", 0);
  const struct {
    const char* what;
    int flag;
    ParamDef def;
    const char* text;
    const char* shown;
  } cases[] = {
      {"edition 4", 1, special, "4", "EA"},
      {"edition 5", 1, special, "5", "EB"},
      {"any other value in decimal", 1, special, "6", "6"},
      {"no edition code without the flag", 0, special, "5", "5"},
      {"a special-version byte shown in hex keeps its text", 1,
       Record(kSpecialVersionAddr, 1, 0, "h", 0), "5", "5"},
      {"JUT becomes HEW, the rest stays", 0, moduleName, "JUT72400", "HEW72400"},
      {"exactly JUT", 1, moduleName, "JUT", "HEW"},
      {"case matters", 0, moduleName, "jut72", "jut72"},
      {"shorter than the code", 0, moduleName, "JU", "JU"},
      {"JUT further in", 0, moduleName, "XJUT", "XJUT"},
      {"only the module name", 0, Record(kUserCodeAddr, 2, 1, "a", 1), "JUT", "JUT"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto set = std::make_unique<DefinitionSet>();
    set->SpecialVersionFlag = c.flag;
    EXPECT_EQ(VehicleDisplayText(*set, c.def, c.text), c.shown);
  }
}

TEST(VehicleStoreRule, LeavesTheSubstitutedAndEmptyFieldsAlone) {
  auto special = std::make_unique<DefinitionSet>();
  special->SpecialVersionFlag = 1;
  auto plain = std::make_unique<DefinitionSet>();
  const ParamDef specialByte = Record(kSpecialVersionAddr, 1, 0, "uo", 1);
  const ParamDef userCode = Record(kUserCodeAddr, 2, 1, "a", 1);
  EXPECT_EQ(VehicleStoreRule(*special, specialByte, "EA"), VehicleStore::TestOnly);
  EXPECT_EQ(VehicleStoreRule(*plain, specialByte, "5"), VehicleStore::Store);
  EXPECT_EQ(VehicleStoreRule(*plain, Record(kModuleNameAddr, 2, 7, "a", 0), "VOR"),
            VehicleStore::Skip);
  EXPECT_EQ(VehicleStoreRule(*plain, Record(kModuleNameAddr, 2, 7, "a", 1), "VOR"),
            VehicleStore::Store);
  EXPECT_EQ(VehicleStoreRule(*plain, userCode, ""), VehicleStore::Skip);
  EXPECT_EQ(VehicleStoreRule(*plain, userCode, "AB"), VehicleStore::Store);
  // The edition codes are range-tested as the values they stand for.
  EXPECT_EQ(TestedText("EA"), "4");
  EXPECT_EQ(TestedText("EB"), "5");
  EXPECT_EQ(TestedText("6"), "6");
}

}  // namespace
}  // namespace vor
