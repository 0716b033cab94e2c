#include "definitions/script_parser.h"

#include <gtest/gtest.h>

#include <limits>

#include "test_support.h"

namespace vor {
namespace {

using testing::Script;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

struct ParamCase {
  const char* what;
  std::string record;  // one line; CR LF and the terminator are added
  ParamDef expected;
};

// Value rules, one record each.
const ParamCase kParamCases[] = {
    {"a typical record",
     "[028]#\tpro=1#\tpos=0#\tsw=uo#\tname=Control Mode#\trangeL=0#\trangeH=2#\tshow=1#\ten=1#"
     "\t\ttips=Control Mode:0:Torque;1:balance;2:Speed.#",
     {.addr = 28,
      .pro = 1,
      .pos = 0,
      .show = 1,
      .en = 1,
      .sw = "uo",
      .name = "Control Mode",
      .rangeL = 0,
      .rangeH = 2,
      .tips = "Control Mode:0:Torque;1:balance;2:Speed."}},
    {"fields in another order, separated by spaces",
     "[028]# tips=Control Mode:0:Torque;1:balance;2:Speed.# en=1#  show=1# rangeH=2# rangeL=0# "
     "name=Control Mode# sw=uo# pos=0# pro=1#",
     {.addr = 28,
      .pro = 1,
      .pos = 0,
      .show = 1,
      .en = 1,
      .sw = "uo",
      .name = "Control Mode",
      .rangeL = 0,
      .rangeH = 2,
      .tips = "Control Mode:0:Torque;1:balance;2:Speed."}},
    {"the first of a repeated key counts",
     "[005]#\tpro=1#\tpro=2#\tname=A#\tname=B#",
     {.addr = 5, .pro = 1, .name = "A"}},
    // The value runs to the next "#" whatever field it belongs to, and stops at the first
    // non-digit, so a missing "#" costs nothing here.
    {"a value missing its # reads up to the next field's #",
     "[020]#\trangeL=18#\trangeH=30\tshow=1#\ten=1#",
     {.addr = 20, .show = 1, .en = 1, .rangeL = 18, .rangeH = 30}},
    {"a value with no # after it is empty",
     "[020]#\tname=Over Volt#\ttips=no end",
     {.addr = 20, .name = "Over Volt"}},
    {"keys are case-sensitive", "[001]#\tPro=1#\tNAME=x#", {.addr = 1}},
    {"a one-digit record number", "[7]#\tpro=1#", {.addr = 7, .pro = 1}},
    {"numbers skip blanks, take a sign and stop at the first other character",
     "[010]#\trangeL=  -12V#\trangeH=+7x#\tpro=abc#\tpos=#\tshow= 1 2#",
     {.addr = 10, .pro = 0, .pos = 0, .show = 1, .rangeL = -12, .rangeH = 7}},
    {"numbers beyond 32 bits saturate",
     "[010]#\trangeL=-99999999999#\trangeH=4294967296#",
     {.addr = 10, .rangeL = kMin, .rangeH = kMax}},
    {"text keeps its blanks",
     "[036]#\tname= FRMaxCurrent#\tsw=uo #\ttips=Motor Temp_Sener   #",
     {.addr = 36, .sw = "uo ", .name = " FRMaxCurrent", .tips = "Motor Temp_Sener   "}},
    {"non-ASCII text is GBK",
     "[072]#\tname=\xcc\xd8\xca\xe2\xb0\xe6\xb1\xbe#\ttips=Brake Type\xa3\xba"
     "0#",
     {.addr = 72,
      .name = QString::fromUtf8("特殊版本"),
      .tips = QString::fromUtf8("Brake Type：0")}},
};

TEST(ParseParameterScript, ReadsValuesByTheValueRules) {
  for (const ParamCase& c : kParamCases) {
    SCOPED_TRACE(c.what);
    const std::vector<ParamDef> records = ParseParameterScript(Script(c.record + "\n\\"));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0], c.expected)
        << "name " << records[0].name.toStdString() << " tips " << records[0].tips.toStdString();
  }
}

// The encoding is read from the text once, exactly as written: anything but the four texts is
// Unknown (and so has no text form on the pages), while the text itself is kept for display.
TEST(ParseParameterScript, ReadsTheEncodingFromTheExactText) {
  const struct {
    const char* sw;
    Encoding kind;
  } cases[] = {{"uo", Encoding::Unsigned}, {"so", Encoding::Signed},   {"h", Encoding::Hex},
               {"a", Encoding::Ascii},     {"uo ", Encoding::Unknown}, {"UO", Encoding::Unknown},
               {"H", Encoding::Unknown},   {"", Encoding::Unknown}};
  for (const auto& c : cases) {
    const std::vector<ParamDef> records =
        ParseParameterScript(Script(std::string("[001]#\tsw=") + c.sw + "#\n\\"));
    ASSERT_EQ(records.size(), 1u) << c.sw;
    EXPECT_EQ(records[0].sw.Kind(), c.kind) << '"' << c.sw << '"';
    EXPECT_EQ(records[0].sw.Text(), c.sw);
  }
}

struct ScanCase {
  const char* what;
  std::string script;
  std::vector<std::int32_t> addrs;
};

const ScanCase kScanCases[] = {
    {"a script starting with the terminator is empty", "\\[001]#\tpro=1#\n", {}},
    {"free text and blank lines between records are skipped",
     "note\n[001]#\tpro=1#\nfree text\n\n\n[002]#\tpro=1#\n\\",
     {1, 2}},
    {"a [ inside a record restarts it", "[001]#\tpro=1#[002]#\tpro=1#\n\\", {2}},
    {"a last record not closed by LF is dropped", "[001]#\n[002]#\tpro=1#\\\n", {1}},
    {"nothing after the terminator is read", "[001]#\n\\\n[002]#\n", {1}},
    {"without a terminator the scan ends with the bytes", "[001]#\n[002]#\n[003]#", {1, 2}},
};

TEST(ParseParameterScript, ScansRecordsFromBracketToLineFeed) {
  for (const ScanCase& c : kScanCases) {
    SCOPED_TRACE(c.what);
    std::vector<std::int32_t> addrs;
    for (const ParamDef& def : ParseParameterScript(Script(c.script))) addrs.push_back(def.addr);
    EXPECT_EQ(addrs, c.addrs);
  }
}

TEST(ParseLiveDataScript, ReadsItemAndFaultRecords) {
  const LiveDataScript script = ParseLiveDataScript(Script(
      "[Dat]\n"
      "[014]#\tpro=1#\tpos=0#\ten=0# sw=uo#\tname=V+_AD#\tmin=0#\tmax=300#\tshow=0#\trgb=7F7F7F#"
      "\ttips=V+ AD,Range 90~150#\n"
      "[039]#\tpro=1#\tpos=0#\ten=0# sw=uo#\tname=Reserved#\tshow=300#\trgb=0x7F#\ttipsReserved#\n"
      "[Err]\n"
      "[001]#\tname=Over Voltage#\n"
      "\\"));
  ASSERT_EQ(script.items.size(), 2u);
  EXPECT_EQ(script.items[0], (LiveDef{.addr = 14,
                                      .pro = 1,
                                      .pos = 0,
                                      .sw = "uo",
                                      .name = "V+_AD",
                                      .min = 0,
                                      .max = 300,
                                      .show = 0,
                                      .rgb = 0x7F7F7F,
                                      .tips = "V+ AD,Range 90~150",
                                      .en = 0}));
  EXPECT_EQ(script.items[1].show, 300 % 256);  // kept to its low 8 bits
  EXPECT_EQ(script.items[1].rgb, 0x7F);
  EXPECT_EQ(script.items[1].tips, "");  // no "tips=" in the record
  ASSERT_EQ(script.faults.size(), 1u);
  EXPECT_EQ(script.faults[0], (FaultDef{1, "Over Voltage"}));
}

TEST(ParseLiveDataScript, SectionHeadersDecideWhatARecordIs) {
  const LiveDataScript script =
      ParseLiveDataScript(Script("[000]#\tname=before any section#\n"
                                 "[dat]\n"
                                 "[001]#\tname=still before#\n"
                                 "[Dat]\n[002]#\tname=item a#\n"
                                 "[Err]\n[000]#\tname=fault 0#\n[001]#\tname=fault 1#\n"
                                 "[Dat]\n[003]#\tname=item b#\n"
                                 "\\"));
  ASSERT_EQ(script.items.size(), 2u);
  EXPECT_EQ(script.items[0].name, "item a");
  EXPECT_EQ(script.items[1].name, "item b");
  ASSERT_EQ(script.faults.size(), 2u);
  EXPECT_EQ(script.faults[1], (FaultDef{1, "fault 1"}));
}

TEST(ParseLiveDataScript, ReadsRgbInBase16) {
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {{"7F7F7F", 0x7F7F7F}, {"0x7F", 127}, {"0X1f", 31},      {" -0x10", -16},
               {"0xZ", 0},           {"zz", 0},     {"FFFFFFFF", kMax}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const LiveDataScript script =
        ParseLiveDataScript(Script(std::string("[Dat]\n[000]#\trgb=") + c.text + "#\n\\"));
    ASSERT_EQ(script.items.size(), 1u);
    EXPECT_EQ(script.items[0].rgb, c.value);
  }
}

}  // namespace
}  // namespace vor
