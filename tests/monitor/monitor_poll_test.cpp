// The Monitor page's poll state without widgets: the poll count, the link state and the fault
// rotation, poll by poll.
#include "monitor/monitor_poll.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/support/live_item.h"

namespace vor {
namespace {

using test::LiveItem;

constexpr std::size_t kBlockSize = 48;

// A page's fields on paper: each poll writes what it gives and leaves the rest.
class PaperPage {
public:
  explicit PaperPage(std::vector<LiveDef> items, int faultCount = 16) {
    for (const LiveDef& item : items) set.liveItems[std::size_t(set.liveCount++)] = item;
    for (int bit = 0; bit < faultCount; ++bit) {
      set.faults[std::size_t(bit)].name = QString("bit %1").arg(bit);
    }
    set.faultCount = faultCount;
    liveSlots = LiveSlotWalk(set);
    block.fill(0);
  }

  void SetWord(int addr, std::uint16_t word) {
    block[std::size_t(addr)] = std::uint8_t(word >> 8);
    block[std::size_t(addr) + 1] = std::uint8_t(word);
  }

  // One poll; returns the slots it wrote.
  std::vector<int> Poll(bool firstAnswered = true) {
    MonitorPoll::FieldTexts texts;
    state.Poll(block, firstAnswered, set, liveSlots, texts);
    std::vector<int> written;
    for (int k = 0; k < liveSlots.count; ++k) {
      if (!texts[std::size_t(k)]) continue;
      fields[std::size_t(k)] = *texts[std::size_t(k)];
      written.push_back(k);
    }
    return written;
  }

  // The fault field's text after each tenth poll, for `tenths` tenth polls.
  std::vector<QString> FaultFieldAtTenthPolls(int slot, int tenths) {
    std::vector<QString> shown;
    for (int i = 0; i < tenths * MonitorPoll::kFaultEvery; ++i) {
      Poll();
      if (state.PollCount % MonitorPoll::kFaultEvery == 0)
        shown.push_back(fields[std::size_t(slot)]);
    }
    return shown;
  }

  DefinitionSet set;
  LiveSlots liveSlots;
  std::array<std::uint8_t, kBlockSize> block;
  MonitorPoll state;
  std::array<QString, kMonitorSlotCount> fields;
};

// The carried scripts' layout: a fault word at 32 and a speed at 34.
std::vector<LiveDef> FaultAndSpeed() {
  return {LiveItem(32, 2, 1, "h", "Fault"), LiveItem(34, 2, 1, "uo", "Motor Speed")};
}

TEST(FaultRotation, BitsOneAndFourShowOneFourFourOne) {
  PaperPage page(FaultAndSpeed());
  page.SetWord(32, 1u << 1 | 1u << 4);
  // After bit 4 the search runs off the end of the table: the field keeps bit 4, the cursor
  // goes back to 0.
  EXPECT_EQ(page.FaultFieldAtTenthPolls(0, 7),
            (std::vector<QString>{"bit 1", "bit 4", "bit 4", "bit 1", "bit 4", "bit 4", "bit 1"}));
}

TEST(FaultRotation, ASingleFaultStaysAndAZeroWordShowsOneSpace) {
  PaperPage page(FaultAndSpeed());
  page.SetWord(32, 1u << 3);
  EXPECT_EQ(page.FaultFieldAtTenthPolls(0, 3), (std::vector<QString>{"bit 3", "bit 3", "bit 3"}));

  page.SetWord(32, 0);
  const std::uint8_t cursor = page.state.FaultCursor;
  EXPECT_EQ(page.FaultFieldAtTenthPolls(0, 2), (std::vector<QString>{" ", " "}));
  EXPECT_EQ(page.state.FaultCursor, cursor);
}

TEST(FaultRotation, TheFieldIsWrittenOnlyOnTenthPollsAndTheWrapShortensOneInterval) {
  PaperPage page(FaultAndSpeed());  // a zero fault word: the field is written on every tenth poll
  std::vector<int> writtenAt;       // poll numbers, from 1
  for (int poll = 1; poll <= 520; ++poll) {
    const std::vector<int> written = page.Poll();
    if (std::find(written.begin(), written.end(), 0) != written.end()) writtenAt.push_back(poll);
    // The speed is written on every poll.
    EXPECT_NE(std::find(written.begin(), written.end(), 1), written.end()) << poll;
  }
  ASSERT_GE(writtenAt.size(), 27u);
  EXPECT_EQ(writtenAt[0], 10);  // nothing before the tenth poll
  EXPECT_EQ(page.fields[0], " ");
  // 10, 20, ..., 250, then the counter wraps to 0 at poll 256: six polls, then ten again.
  EXPECT_EQ(writtenAt[24], 250);
  EXPECT_EQ(writtenAt[25], 256);
  EXPECT_EQ(writtenAt[26], 266);
}

TEST(FaultRotation, SeveralFaultWordsShareOneCursor) {
  PaperPage page({LiveItem(32, 2, 1, "h", "Fault A"), LiveItem(32, 2, 1, "h", "Fault B")});
  page.SetWord(32, 1u << 1 | 1u << 4);
  for (int i = 0; i < MonitorPoll::kFaultEvery; ++i) page.Poll();
  EXPECT_EQ(page.fields[0], "bit 1");
  EXPECT_EQ(page.fields[1], "bit 4");
  EXPECT_EQ(page.liveSlots.faultSlot, 1);
}

TEST(FaultRotation, ANonZeroWordWithoutFaultNamesKeepsTheField) {
  std::uint8_t cursor = 0;
  EXPECT_EQ(RotateFault(0x0001, {}, cursor), std::nullopt);
  EXPECT_EQ(cursor, 0);
  // Bits above the table are never named.
  const std::vector<FaultDef> four(4, FaultDef{0, "named"});
  EXPECT_EQ(RotateFault(0x8000, four, cursor), std::nullopt);
  EXPECT_EQ(cursor, 0);
}

TEST(MonitorPoll, CountsPollsAndTakesTheLinkStateFromTheFirstRequest) {
  PaperPage page(FaultAndSpeed());
  page.SetWord(34, 1500);
  page.Poll(true);
  EXPECT_EQ(page.state.PollCount, 1);
  EXPECT_TRUE(page.state.LinkOk);
  EXPECT_EQ(page.fields[1], "1500");

  // The link has cleared the block when the first request went unanswered.
  page.block.fill(0);
  page.Poll(false);
  EXPECT_EQ(page.state.PollCount, 2);
  EXPECT_FALSE(page.state.LinkOk);
  EXPECT_EQ(page.fields[1], "0");
}

TEST(MonitorPoll, FieldsThatDoNotFitAreEmptiedAndOtherKindsAreLeftAlone) {
  PaperPage page({LiveItem(47, 2, 1, "uo", "Past the end"), LiveItem(0, 3, 0, "uo", "Other kind")});
  page.fields[0] = "old";
  page.fields[1] = "old";
  page.Poll();
  EXPECT_EQ(page.fields[0], "");
  EXPECT_EQ(page.fields[1], "old");
}

TEST(NextPollDeadline, KeepsTheGridAndSkipsWhatAnOverrunMissed) {
  struct Case {
    std::int64_t previous, now, expected;
  };
  const Case cases[] = {
      {0, 150, 200},    // in time: the next grid point
      {0, 200, 200},    // ended on it: at once
      {0, 250, 200},    // overran: at once, on the grid
      {0, 4500, 4400},  // three silent receives: one poll at once, none of the missed ones
      {4400, 4510, 4600},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NextPollDeadlineUs(c.previous, c.now, 200), c.expected) << c.previous << " " << c.now;
  }
}

}  // namespace
}  // namespace vor
