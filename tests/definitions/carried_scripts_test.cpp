#include <gtest/gtest.h>

#include <QFile>
#include <memory>
#include <set>

#include "definitions/definition_loader.h"
#include "definitions/model_table.h"
#include "definitions/script_catalogue.h"
#include "definitions/script_parser.h"
#include "test_support.h"
#include "tests/support/model_scripts.h"
#include "tests/support/scripted_prompter.h"

namespace vor {
namespace {

using testing::MakeImage;

QByteArray Carried(int id) {
  const std::optional<QByteArray> bytes = FindScript(id);
  EXPECT_TRUE(bytes.has_value()) << "script " << id;
  return bytes.value_or(QByteArray());
}

// Bytes of the image a record occupies.
int Width(const ParamDef& def) { return def.pro == 2 ? def.pos + 1 : 1; }
int Width(const LiveDef& def) { return def.pro == 2 ? def.pos + 1 : 1; }

struct Anchors {
  int control, motor;
};
Anchors AnchorsOf(int paramScript) {
  const test::ModelScripts* row = test::RowOfParamScript(paramScript);
  EXPECT_NE(row, nullptr) << paramScript;
  return row ? Anchors{row->controlAnchor, row->motorAnchor} : Anchors{};
}

int LastPositionOf(const std::vector<ParamDef>& records, int addr) {
  int found = -1;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (records[i].addr == addr) found = int(i);
  }
  return found;
}

int ShownIn(const std::vector<ParamDef>& records, int first, int end) {
  int shown = 0;
  for (int i = first; i < end; ++i) shown += records[std::size_t(i)].show == 1;
  return shown;
}

TEST(CarriedScripts, AreEmbeddedAsTheExactBytesOfTheirFiles) {
  for (const CatalogueEntry& entry : CarriedScripts()) {
    SCOPED_TRACE(entry.id);
    QFile file(QStringLiteral(VOR_SCRIPTS_DIR "/%1.txt").arg(entry.id));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = Carried(entry.id);
    EXPECT_EQ(bytes, file.readAll());
    // One terminator, right after the last record's CR LF; CR LF line ends throughout.
    EXPECT_EQ(bytes.count('\\'), 1);
    EXPECT_TRUE(bytes.left(bytes.indexOf('\\')).endsWith("#\r\n"));
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
  }
  EXPECT_EQ(CarriedScripts().size(), 21u);
  EXPECT_FALSE(FindScript(142).has_value());  // the Chinese scripts are not carried
}

TEST(CarriedScripts, EachSelectedScriptHasItsCountsAndBoundaries) {
  const struct {
    std::string moduleName;
    std::uint8_t special;
    std::uint16_t software;
    int paramScript, paramCount, controlFirst, motorFirst, motorEnd;
    const char* motorName;
  } cases[] = {
      {"VOR72", 0, 0x0400, 145, 131, 47, 61, 130, "Motor Poles"},
      {"TAQ48", 0, 0x0400, 182, 131, 47, 61, 130, "Motor Poles"},
      {"MOZ60", 0, 0x0400, 180, 131, 47, 61, 130, "Motor Poles"},
      {"GAW72", 0, 0x0400, 202, 132, 45, 65, 131, "Hall Galvano Zero"},
      {"NIR96", 0, 0x0400, 185, 132, 48, 62, 131, "Motor Poles"},
      {"FOY48", 0, 0x0400, 4, 132, 48, 62, 131, "Motor Poles"},
      {"JUT72", 3, 0x0400, 172, 132, 48, 62, 131, "Motor Poles"},
      {"QOG60", 0, 0x0400, 190, 132, 48, 62, 131, "Motor Poles"},
      {"JUT72", 5, 0x0400, 197, 137, 49, 63, 136, "Motor Poles"},
      {"PUV72", 0, 0x0502, 160, 134, 47, 65, 133, "Motor Temp_Sener   "},
      {"PUV72", 0, 0x0503, 152, 129, 42, 62, 128, "Hall Galvanometer Zero"},
      {"WUM48", 0, 0x0400, 167, 128, 44, 58, 127, "Motor Poles"},
      {"DAJ36", 0, 0x0400, 194, 128, 44, 58, 127, "Motor Poles"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.paramScript);
    auto set = std::make_unique<DefinitionSet>();
    test::ScriptedPrompter prompter;
    ASSERT_TRUE(LoadDefinitions(MakeImage(c.moduleName, c.special, c.software), *set, prompter));
    EXPECT_EQ(set->paramScript, c.paramScript);
    EXPECT_EQ(set->paramCount, c.paramCount);
    EXPECT_EQ(set->controlFirst, c.controlFirst);
    EXPECT_EQ(set->motorFirst, c.motorFirst);
    EXPECT_EQ(set->motorEnd, c.motorEnd);
    EXPECT_EQ(set->params[std::size_t(c.controlFirst)].name, "Control Mode");
    EXPECT_EQ(set->params[std::size_t(c.motorFirst)].name, c.motorName);
    EXPECT_EQ(set->liveCount, 43);
    EXPECT_EQ(set->faultCount, 16);
  }
}

// What the pages rely on: the switch bits first, the identification fields, room for every
// shown field on its page and every field inside the image.
TEST(CarriedScripts, ParameterScriptsFitThePagesAndTheImage) {
  for (const CatalogueEntry& entry : CarriedScripts()) {
    if (entry.kind != ScriptKind::Parameter) continue;
    SCOPED_TRACE(entry.id);
    const std::vector<ParamDef> records = ParseParameterScript(Carried(entry.id));
    ASSERT_GT(records.size(), 24u);

    std::set<std::pair<int, int>> bits;
    for (int i = 0; i < 24; ++i) {
      const ParamDef& def = records[std::size_t(i)];
      EXPECT_EQ(def.pro, 0) << i;
      EXPECT_EQ(def.sw.Text(), "uo") << i;
      EXPECT_TRUE(def.rangeL == 0 && def.rangeH == 1) << i;
      EXPECT_TRUE(def.addr == 0 || def.addr == 1 || def.addr == 45) << i;
      EXPECT_TRUE(def.pos >= 0 && def.pos <= 7) << i;
      bits.insert({def.addr, def.pos});
    }
    EXPECT_EQ(bits.size(), 24u);

    for (std::size_t i = 24; i < records.size(); ++i) {
      const ParamDef& def = records[i];
      SCOPED_TRACE(def.name.toStdString());
      EXPECT_TRUE(def.pro == 1 || def.pro == 2);
      EXPECT_TRUE(def.addr >= 0 && def.addr + Width(def) <= 128);
      EXPECT_NE(def.sw.Kind(), Encoding::Unknown) << def.sw.Text().toStdString();
      EXPECT_TRUE(def.show == 0 || def.show == 1);
      EXPECT_TRUE(def.en == 0 || def.en == 1);
      if (def.show == 1 && def.en == 1) {
        EXPECT_LE(def.rangeL, def.rangeH);
      }
    }

    const Anchors anchors = AnchorsOf(entry.id);
    const int controlFirst = LastPositionOf(records, anchors.control);
    const int motorFirst = LastPositionOf(records, anchors.motor);
    const int motorEnd = LastPositionOf(records, 127);
    ASSERT_TRUE(24 < controlFirst && controlFirst < motorFirst && motorFirst < motorEnd);
    EXPECT_EQ(motorEnd, int(records.size()) - 1);
    EXPECT_LE(ShownIn(records, 24, controlFirst), 32);
    EXPECT_LE(ShownIn(records, controlFirst, motorFirst), 48);
    EXPECT_LE(ShownIn(records, motorFirst, motorEnd), 48);

    const auto identification = [&](int addr, int pos, const char* sw, const char* name) {
      const int at = LastPositionOf(records, addr);
      ASSERT_TRUE(at >= 24 && at < controlFirst) << name;
      const ParamDef& def = records[std::size_t(at)];
      EXPECT_EQ(def.name, name);
      EXPECT_EQ(def.pro, 2);
      EXPECT_EQ(def.pos, pos);
      EXPECT_EQ(def.sw.Text(), sw);
    };
    identification(kModuleNameAddr, 7, "a", "Module Name");
    identification(kSoftwareVersionAddr, 1, "h", "Software Version");
    identification(kControllerVoltAddr, 1, "uo", "Controller Volt");
  }
}

TEST(CarriedScripts, LiveDataScriptsShareOneLayout) {
  const LiveDataScript reference = ParseLiveDataScript(Carried(149));
  for (const CatalogueEntry& entry : CarriedScripts()) {
    if (entry.kind != ScriptKind::LiveData) continue;
    SCOPED_TRACE(entry.id);
    const LiveDataScript script = ParseLiveDataScript(Carried(entry.id));
    ASSERT_EQ(script.items.size(), 43u);
    ASSERT_EQ(script.faults.size(), 16u);
    int shown = 0;
    for (std::size_t i = 0; i < script.items.size(); ++i) {
      const LiveDef& item = script.items[i];
      EXPECT_EQ(item.addr, reference.items[i].addr);
      EXPECT_EQ(Width(item), Width(reference.items[i]));
      EXPECT_TRUE(item.addr >= 0 && item.addr + Width(item) <= 48);
      EXPECT_EQ(item.show, 0);
      EXPECT_EQ(item.rgb, 0x7F7F7F);
      shown += item.en == 1;
    }
    EXPECT_LE(shown, 47);
    // Only 157 writes the help text of item 39 with its equals sign.
    EXPECT_EQ(script.items[37].addr, 39);
    EXPECT_EQ(script.items[37].tips, entry.id == 157 ? "Reserved" : "");
    for (int i = 0; i < 16; ++i) {
      EXPECT_EQ(script.faults[std::size_t(i)].number, i);
      const bool renamed = entry.id == 157 && (i == 0 || i == 13 || i == 15);
      EXPECT_EQ(script.faults[std::size_t(i)].name != reference.faults[std::size_t(i)].name,
                renamed)
          << "fault " << i;
    }
  }
}

TEST(CarriedScripts, VorParameterScriptHoldsItsRecordsInOrder) {
  // Record number and name of all 131 records; switch bits as byte and bit.
  const QStringList expected =
      QString::fromUtf8(
          "0.0 Boost|0.1 Economy|0.2 Rev_HCurr|0.3 Brake H-Pedel|0.4 Rev Half-Speed|0.5 Joy|"
          "0.6 Reduce Noise|0.7 High Speed|1.0 Foot Switch|1.1 Brake Regen Switch|"
          "1.2 Three Gears Switch|1.3 ABS|1.5 Startup H-Pedel|1.6 Regenerate Electricity|"
          "1.4 Output 12V|1.7 Alarm|45.0 Smooth|45.1 Two Speed Drive|45.2 Inverse Output|"
          "45.3 Phase Auto_Discern |45.4 Copy Hall|45.5 保留|45.6 保留|45.7 保留|"
          "64 Module Name|81 User Code|76 Serial Number|83 Software Version|74 Controller Volt|"
          "19 Low Volt|20 Over Volt|21 Accelerate Speed|2 TPS Type|4 TPS Dead Low|5 TPS Dead High|"
          "53 TPS 1_4V_Low|54 TPS 1_4V_High|3 Brake Type|38 Brake Dead Low|39 Brake Dead High|"
          "33 Rev Max Speed|34 Forw Max Speed|97 Phase_A_Zero|98 Phase_B_Zero|99 Phase_C_Zero|"
          "31 2-Gear Forw Speed|32 2-Gear Rev Speed|"
          "28 Control Mode|12 Startup Wait Time|40 Step Percent|41 Accel L-Delta|42 Decel L-Delta|"
          "43 Accel H-Delta|44 Decel H-Delta|100 Bus Current Per|14 Phase Current Per|"
          "15 Max Regen Curren|16 TPS Regen Current|17 Brake SW Current|55 LVWeak Start Volt|"
          "56 LVWeak Percent|"
          "24 Motor Poles|11 HALL Angle|61 Motor Temp_Sener   |62 High Temp Cut|63 High Temp "
          "Resume|"
          "46 Auto_Discern Loc_V|47 CB Hall|48 AB Hall|49 AC Hall|50 BC Hall|51 BA Hall|52 CA Hall|"
          "13 保留|22 保留|23 保留|25 保留|26 保留|27 保留|29 保留|30 调速系数|35 保留|"
          "36  FRMaxCurrent|37 保留|72 特殊版本|73 电枢电流AD|80 电机类型|6 M_INT_GAIN|"
          "7 最大误差系数|8 CAL_KP|9 CAL_TI|10 保留|18 负载系数|57 C 接收ID|59 C 发送ID|"
          "85 PCB计算基准|86 刷机模式|87 PCB切断 ℃|88 PCB恢复 ℃|89 PCB高温 Str℃|90 PCB高温 %|"
          "91 PCB低温 End℃|92 PCB中温 %|93 PCB低温 Str℃|94 PCB低温 %|95 PCB负温 End℃|"
          "96 PCB负温 %|101 PCB中温 Str℃|102 HL温度基准|103 HL高温 End℃|104 HL高温 Str℃|"
          "105 HL高温 %|106 HL恢复 ℃|107 控制器标志|108 J 首选地址|109 J 地址仲裁能力域|"
          "110 J 工业组|111 J 汽车系统实例域|112 J 汽车系统|113 J 保留域|114 J 功能域|"
          "115 J 功能实例域|116 J ECU实例域|117 J 制造商代码域|119 J ID编号域|122 CAN标志位|"
          "123 保留|124 保留|125 保留|126 保留|127 保留")
          .split('|');
  const std::vector<ParamDef> records = ParseParameterScript(Carried(145));
  ASSERT_EQ(records.size(), std::size_t(expected.size()));
  const std::set<int> hiddenBits = {4, 5, 7, 14, 15, 21, 22, 23};
  for (std::size_t i = 0; i < records.size(); ++i) {
    const ParamDef& def = records[i];
    const QString where = def.pro == 0 ? QStringLiteral("%1.%2").arg(def.addr).arg(def.pos)
                                       : QString::number(def.addr);
    EXPECT_EQ(where + ' ' + def.name, expected[qsizetype(i)]) << "position " << i;
    const bool shown = i < 24 ? !hiddenBits.count(int(i)) : i < 73;
    EXPECT_EQ(def.show, shown ? 1 : 0) << "position " << i;
    if (i >= 73) {
      EXPECT_EQ(def.en, 0) << "position " << i;
    }
  }
  EXPECT_EQ(records[std::size_t(LastPositionOf(records, 95))].sw.Text(), "so");
  EXPECT_EQ(records[std::size_t(LastPositionOf(records, 119))].pos, 2);  // 3 bytes
}

TEST(CarriedScripts, VorLiveDataScriptHoldsItsItemsAndFaults) {
  const QStringList names =
      QString(
          "Break_AD|TPS_AD|SP_AD|Power_AD|VS_AD|B+_AD|Temp_AD|IA_AD|IB_AD|IC_AD|VA_AD|VB_AD|VC_AD|"
          "HTemp_AD|V+_AD|LTemp_AD|PWR Volt|B+  Volt|VA  Volt|VB  Volt|VC  Volt|Duty|V+  Volt|"
          "High Temp|Low Temp|Motor Temp|Break Swith|Reverse Swith|Foot Swith|SC_Level|SB_Level|"
          "SA_Level|Fault|Motor Speed|PCB Temp|Forward Swith|HFSP Swith|Reserved|Reserved|Reserved|"
          "Reserved|Reserved|Reserved")
          .split('|');
  const std::set<int> shownAt = {0, 1, 17, 21, 25, 26, 27, 28, 29, 30, 31, 32, 34, 37, 38};
  const LiveDataScript script = ParseLiveDataScript(Carried(149));
  ASSERT_EQ(script.items.size(), std::size_t(names.size()));
  for (std::size_t i = 0; i < script.items.size(); ++i) {
    const LiveDef& item = script.items[i];
    // Fault takes 32 and 33, Motor Speed 34 and 35.
    const int expectedAddr = i <= 32 ? int(i) : i == 33 ? 34 : int(i) + 2;
    EXPECT_EQ(item.addr, expectedAddr);
    EXPECT_EQ(item.name, names[qsizetype(i)]);
    EXPECT_EQ(item.en, shownAt.count(item.addr) ? 1 : 0) << item.addr;
    EXPECT_EQ(Width(item), item.addr == 32 || item.addr == 34 ? 2 : 1) << item.addr;
  }
  EXPECT_EQ(script.items[32].sw.Text(), "h");
  EXPECT_EQ(script.items[33].sw.Text(), "uo");

  const QStringList faults =
      QString(
          "Identify Err|Over Voltage|Low Voltage|Temp Warn|Blocked Err|V+ Err|Over Temp|High Pedel|"
          "Reset Frequently Err|Reset Err|Pedel Err|Change Direction Err|Generation OverVolt|"
          "Hall Err|Motor OverTemp|Reserved")
          .split('|');
  ASSERT_EQ(script.faults.size(), std::size_t(faults.size()));
  for (std::size_t i = 0; i < script.faults.size(); ++i) {
    EXPECT_EQ(script.faults[i].name, faults[qsizetype(i)]);
  }
}

TEST(CarriedScripts, SpecialJutScriptShowsItsVariantFields) {
  const std::vector<ParamDef> records = ParseParameterScript(Carried(197));
  EXPECT_EQ(records[0].name, "Boost");
  EXPECT_EQ(records[1].name, "Economy");
  EXPECT_EQ(records[9].name, "Three Gears Switch");
  EXPECT_EQ(records[20].name, "Three Speed Drive");
  for (int i = 0; i < 24; ++i) EXPECT_EQ(records[std::size_t(i)].show, i <= 21 ? 1 : 0) << i;

  const int special = LastPositionOf(records, int(kSpecialVersionAddr));
  const int controlFirst = LastPositionOf(records, 28);
  // The shown record is the one of the Vehicle page; a hidden one may describe the byte too.
  const auto shownSpecial =
      std::find_if(records.begin() + 24, records.begin() + controlFirst,
                   [](const ParamDef& d) { return d.addr == int(kSpecialVersionAddr); });
  ASSERT_NE(shownSpecial, records.begin() + controlFirst);
  EXPECT_EQ(shownSpecial->name, "Special Version");
  EXPECT_EQ(shownSpecial->show, 1);
  EXPECT_EQ(shownSpecial->en, 0);
  EXPECT_GE(special, 0);

  const int brakeType = LastPositionOf(records, 3);
  EXPECT_TRUE(records[std::size_t(brakeType)].tips.contains("Boost and Economy work only when"));
}

}  // namespace
}  // namespace vor
