// The texts of live items and which items get a slot: the display table and the definitions that
// do not fit the page.
#include "pages/live_items.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "tests/support/live_item.h"

namespace vor {
namespace {

using test::LiveItem;

constexpr std::size_t kBlockSize = 48;

// A block of marker bytes with `bytes` placed at `addr`.
std::array<std::uint8_t, kBlockSize> Block(int addr, const std::vector<std::uint8_t>& bytes) {
  std::array<std::uint8_t, kBlockSize> block;
  block.fill(0xEE);
  for (std::size_t j = 0; j < bytes.size(); ++j) block[std::size_t(addr) + j] = bytes[j];
  return block;
}

std::string Describe(const LiveText& text) {
  switch (text.kind) {
    case LiveText::Kind::Text:
      return '"' + text.text.toStdString() + '"';
    case LiveText::Kind::Blank:
      return "blank";
    case LiveText::Kind::Unwritten:
      return "unwritten";
    case LiveText::Kind::FaultWord:
      return "fault word " + std::to_string(text.word);
  }
  return "?";
}

struct TextCase {
  const char* what;
  LiveDef def;
  std::vector<std::uint8_t> bytes;  // placed at def.addr
  std::string expected;             // as Describe() puts it
};

TEST(FormatLiveItem, ShowsEachFormatAsTheDisplayTableSays) {
  const TextCase cases[] = {
      {"two bytes unsigned, most significant first",
       LiveItem(0, 2, 1, "uo"),
       {0x12, 0x34},
       "\"4660\""},
      {"two bytes signed are a signed 16-bit value",
       LiveItem(0, 2, 1, "so"),
       {0xFF, 0xFE},
       "\"-2\""},
      {"four bytes signed", LiveItem(4, 2, 3, "so"), {0xFF, 0xFF, 0xFF, 0xFE}, "\"-2\""},
      {"one byte signed", LiveItem(0, 1, 0, "so"), {0x80}, "\"-128\""},
      {"one byte unsigned", LiveItem(0, 1, 0, "uo"), {0x80}, "\"128\""},
      {"one byte hex without a leading zero", LiveItem(0, 1, 0, "h"), {0x0A}, "\"a\""},
      {"one byte hex, lower case", LiveItem(0, 1, 0, "h"), {0xFF}, "\"ff\""},
      {"one character", LiveItem(0, 1, 0, "a"), {'V'}, "\"V\""},
      {"a zero character is an empty text", LiveItem(0, 1, 0, "a"), {0x00}, "\"\""},
      {"a zero byte ends a multi-byte text", LiveItem(8, 2, 3, "a"), {'A', 'B', 0, 'C'}, "\"AB\""},
      {"a text up to the block's last byte",
       LiveItem(44, 2, 3, "a"),
       {'E', 'N', 'D', '!'},
       "\"END!\""},
      {"four bytes unsigned with the top bit set stay unsigned",
       LiveItem(0, 2, 3, "uo"),
       {0xFF, 0xFF, 0xFF, 0xFF},
       "\"4294967295\""},
      {"a multi-byte h item is the fault word",
       LiveItem(32, 2, 1, "h"),
       {0x00, 0x12},
       "fault word 18"},
      // Definitions that do not fit the page.
      {"bytes past the end of the block", LiveItem(47, 2, 1, "uo"), {0x01}, "blank"},
      {"a negative address", LiveItem(-1, 1, 0, "uo"), {}, "blank"},
      {"a negative width", LiveItem(0, 2, -2, "uo"), {}, "blank"},
      {"a number wider than four bytes", LiveItem(0, 2, 4, "uo"), {1, 2, 3, 4, 5}, "blank"},
      {"a fault word wider than four bytes", LiveItem(0, 2, 4, "h"), {1, 2, 3, 4, 5}, "blank"},
      {"a three-byte signed item", LiveItem(0, 2, 2, "so"), {1, 2, 3}, "blank"},
      {"a signed pro 2 item of one byte", LiveItem(0, 2, 0, "so"), {0x80}, "blank"},
      {"an unknown format, one byte", LiveItem(0, 1, 0, "x"), {0x41}, "blank"},
      {"an unknown format, two bytes", LiveItem(0, 2, 1, "ud"), {0x41, 0x42}, "blank"},
      {"an item of another kind keeps its field", LiveItem(0, 3, 0, "uo"), {0x41}, "unwritten"},
      {"a bit item keeps its field", LiveItem(0, 0, 0, "uo"), {0x41}, "unwritten"},
  };
  for (const TextCase& c : cases) {
    const auto block = Block(std::max(c.def.addr, 0), c.bytes);
    EXPECT_EQ(Describe(FormatLiveItem(c.def, block)), c.expected) << c.what;
  }
}

TEST(LiveItemValue, IsTheBigEndianValueOfFourBytesAtMost) {
  const auto block = Block(32, {0x00, 0x12, 0x80, 0x01, 0x02});
  EXPECT_EQ(LiveItemValue(LiveItem(32, 2, 1, "h"), block), 0x12u);
  EXPECT_EQ(LiveItemValue(LiveItem(34, 1, 0, "h"), block), 0x80u);
  EXPECT_EQ(LiveItemValue(LiveItem(32, 2, 3, "uo"), block), 0x00128001u);
  EXPECT_EQ(LiveItemValue(LiveItem(32, 2, 4, "uo"), block), std::nullopt);
  EXPECT_EQ(LiveItemValue(LiveItem(47, 2, 1, "h"), block), std::nullopt);
  EXPECT_EQ(LiveItemValue(LiveItem(32, 3, 1, "h"), block), std::nullopt);
}

DefinitionSet WithItems(const std::vector<LiveDef>& items) {
  DefinitionSet set;
  for (const LiveDef& item : items) set.liveItems[std::size_t(set.liveCount++)] = item;
  return set;
}

TEST(LiveSlotWalk, GivesShownItemsTheirSlotsInTableOrder) {
  const DefinitionSet set =
      WithItems({LiveItem(0, 1, 0, "uo", "Item", 0), LiveItem(1, 1, 0, "h", "Item", 1),
                 LiveItem(2, 1, 0, "uo", "Item", 2), LiveItem(32, 2, 1, "h", "Item", 1),
                 LiveItem(34, 2, 1, "uo", "Item", 1), LiveItem(36, 1, 0, "h", "Item", 0)});
  const LiveSlots liveSlots = LiveSlotWalk(set);
  ASSERT_EQ(liveSlots.count, 3);
  EXPECT_EQ(liveSlots.position[0], 1);
  EXPECT_EQ(liveSlots.position[1], 3);
  EXPECT_EQ(liveSlots.position[2], 4);
  EXPECT_EQ(liveSlots.faultSlot,
            1);  // the last shown "h" item; the hidden one at 36 does not count
}

TEST(LiveSlotWalk, ShownItemsBeyondTheFortySeventhGetNoSlot) {
  std::vector<LiveDef> items(50, LiveItem(0, 1, 0, "uo"));
  items[10].sw = "h";
  items[48].sw = "h";  // would be the fault field, but has no slot
  const LiveSlots liveSlots = LiveSlotWalk(WithItems(items));
  EXPECT_EQ(liveSlots.count, kMonitorSlotCount);
  EXPECT_EQ(liveSlots.position[46], 46);
  EXPECT_EQ(liveSlots.faultSlot, 10);

  EXPECT_EQ(LiveSlotWalk(WithItems({LiveItem(0, 1, 0, "uo", "Item", 0)})).count, 0);
  EXPECT_EQ(LiveSlotWalk(WithItems({LiveItem(0, 1, 0, "uo", "Item", 0)})).faultSlot, -1);
}

TEST(FaultNames, NameTheSetBitsInAscendingOrder) {
  std::vector<FaultDef> faults(16);
  for (int bit = 0; bit < 16; ++bit) faults[std::size_t(bit)].name = QString("F%1").arg(bit);
  EXPECT_EQ(FaultNames(0x0012, faults), (QStringList{"F1", "F4"}));
  EXPECT_EQ(FaultNames(0x0000, faults), QStringList());
  // Bits without a fault definition have no name to show.
  EXPECT_EQ(FaultNames(0x18001, std::span(faults).first(4)), QStringList{"F0"});
}

}  // namespace
}  // namespace vor
