// The plot's data: which items it offers, the numbers it takes from the page's texts, gaps, the
// window and the four-item limit.
#include "live/live_plot_data.h"

#include <gtest/gtest.h>

#include "monitor/monitor_poll.h"
#include "tests/support/live_item.h"
#include "tests/support/live_poll.h"

namespace vor {
namespace {

using test::LiveItem;

constexpr std::int64_t kPollUs = 200'000;

using test::MakeLivePoll;

class LivePlotDataTest : public ::testing::Test {
protected:
  LivePlotDataTest() {
    for (const LiveDef& item :
         {LiveItem(0, 1, 0, "uo", "Brake AD"), LiveItem(1, 1, 0, "uo", "Hidden", 0),
          LiveItem(2, 2, 1, "uo", "Big"), LiveItem(4, 1, 0, "so", "Temp"),
          LiveItem(5, 1, 0, "h", "Flags"), LiveItem(6, 2, 1, "so", "Current"),
          LiveItem(8, 2, 3, "uo", "Odometer"), LiveItem(12, 2, 2, "a", "Name"),
          LiveItem(24, 1, 0, "uo", "Duty"), LiveItem(32, 2, 1, "h", "Fault"),
          LiveItem(34, 2, 1, "uo", "Motor Speed"), LiveItem(40, 1, 0, "uo", "Duty")}) {
      set.liveItems[std::size_t(set.liveCount++)] = item;
    }
    liveSlots = LiveSlotWalk(set);
  }

  QStringList Labels() const {
    QStringList labels;
    for (const PlotItem& item : PlottableItems(set, liveSlots)) labels.append(item.label);
    return labels;
  }

  DefinitionSet set;
  LiveSlots liveSlots;
};

TEST_F(LivePlotDataTest, OffersTheShownNumericItemsOncePerLabel) {
  // Not the hidden item, the text item or the fault word; the second "Duty" shares a label.
  EXPECT_EQ(Labels(), (QStringList{"Brake AD", "Big", "Temp", "Flags", "Current", "Odometer",
                                   "Duty", "Motor Speed"}));
}

// The plot and the page must never disagree: every plotted number is the one the page's field
// shows after the same poll.
TEST_F(LivePlotDataTest, EachNumberIsTheOneThePagesFieldShows) {
  const LivePoll poll = MakeLivePoll(0, {{0, 200},
                                         {2, 0x12},
                                         {3, 0x34},
                                         {4, 0x80},
                                         {5, 0xFF},
                                         {6, 0xFF},
                                         {7, 0xFE},
                                         {8, 0xFF},
                                         {9, 0xFF},
                                         {10, 0xFF},
                                         {11, 0xFF},
                                         {24, 9},
                                         {34, 0x05},
                                         {35, 0xDC}});
  MonitorPoll page;
  MonitorPoll::FieldTexts fields;
  page.Poll(poll.block.bytes, true, set, liveSlots, fields);
  const struct {
    const char* label;
    const char* field;  // what the page shows
    double value;       // what the plot draws
  } cases[] = {
      {"Brake AD", "200", 200}, {"Big", "4660", 4660},
      {"Temp", "-128", -128},   {"Flags", "ff", 255},
      {"Current", "-2", -2},    {"Odometer", "4294967295", 4294967295.0},
      {"Duty", "9", 9},         {"Motor Speed", "1500", 1500},
  };
  const std::vector<PlotItem> items = PlottableItems(set, liveSlots);
  for (const auto& c : cases) {
    const auto item = std::find_if(items.begin(), items.end(),
                                   [&](const PlotItem& i) { return i.label == c.label; });
    ASSERT_NE(item, items.end()) << c.label;
    const auto slot = std::size_t(
        std::find(liveSlots.position.begin(), liveSlots.position.end(), item->position) -
        liveSlots.position.begin());
    EXPECT_EQ(fields[slot], c.field) << c.label;
    EXPECT_EQ(PlotValue(set.liveItems[std::size_t(item->position)], poll), c.value) << c.label;
  }
}

TEST_F(LivePlotDataTest, AFailedPollIsAGapForAllAndAnUnansweredThirdForItsItems) {
  const LiveDef& brake = set.liveItems[0];
  const LiveDef& speed = set.liveItems[10];  // bytes 34..35: the third request's
  const LiveDef& duty = set.liveItems[8];    // byte 24: the second request's

  // The first request unanswered: the page shows zeros from a cleared block, not values.
  const LivePoll failed = MakeLivePoll(0, {{34, 1}}, {false, true, true});
  EXPECT_FALSE(PlotValue(brake, failed));
  EXPECT_FALSE(PlotValue(speed, failed));

  // The third unanswered: its bytes are the last poll's, so its items have no new value.
  const LivePoll partial = MakeLivePoll(0, {{0, 7}, {24, 3}}, {true, true, false});
  EXPECT_EQ(PlotValue(brake, partial), 7);
  EXPECT_EQ(PlotValue(duty, partial), 3);
  EXPECT_FALSE(PlotValue(speed, partial));

  // A zero is a value.
  EXPECT_EQ(PlotValue(brake, MakeLivePoll(0)), 0);
}

TEST_F(LivePlotDataTest, CollectsEveryItemWithGapsAndGivesTheWindowAsRunsBetweenGaps) {
  LivePlotData data(set, 100);
  EXPECT_FALSE(data.OriginUs());
  const int brake = data.IndexOf("Brake AD");
  ASSERT_GE(brake, 0);
  EXPECT_EQ(data.IndexOf("Name"), -1);
  for (int i = 0; i < 20; ++i) {
    const bool answered = i % 10 != 5;  // polls 5 and 15 fail
    data.Add(MakeLivePoll(1'000'000 + i * kPollUs, {{0, std::uint8_t(i)}}, {answered, true, true}));
  }
  EXPECT_EQ(data.OriginUs(), 1'000'000);
  EXPECT_EQ(data.LatestUs(), 1'000'000 + 19 * kPollUs);

  // The last two seconds: polls 10..19, with the gap at 15.
  const std::vector<LiveSeries::Sample> window =
      data.Series(brake).Since(*data.LatestUs() - 9 * kPollUs);
  ASSERT_EQ(window.size(), 10u);
  const std::vector<std::vector<QPointF>> runs = PlotSegments(window, *data.OriginUs());
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].size(), 5u);
  EXPECT_EQ(runs[0].front(), QPointF(2.0, 10));
  EXPECT_EQ(runs[1].size(), 4u);
  EXPECT_EQ(runs[1].back(), QPointF(3.8, 19));
  EXPECT_EQ(ValueRange(window), (std::pair{10.0, 19.0}));

  // The readout at a time: the nearest poll within half a period, a gap as a gap.
  EXPECT_EQ(SampleNear(data.Series(brake), 1'000'000 + 12 * kPollUs + 90'000, 100'001)->value, 12);
  EXPECT_TRUE(SampleNear(data.Series(brake), 1'000'000 + 15 * kPollUs, 100'001)->IsGap());
  EXPECT_FALSE(SampleNear(data.Series(brake), 0, 100'001));
}

// The Monitor page off for 15 s: no line may ramp from the last value before to the first after,
// and the readout says that nothing was polled there rather than that nothing answered.
TEST_F(LivePlotDataTest, TimeWithoutPollsIsAGapAndReadsAsNotPolled) {
  LivePlotData data(set, 100);
  const int brake = data.IndexOf("Brake AD");
  data.PollingStopped();  // before any poll: nothing to mark
  EXPECT_EQ(data.Series(brake).Size(), 0);
  const std::int64_t stopUs = 2 * kPollUs;
  const std::int64_t resumeUs = stopUs + 15'000'000;
  for (std::int64_t t = 0; t <= stopUs; t += kPollUs) data.Add(MakeLivePoll(t, {{0, 10}}));
  data.PollingStopped();
  for (std::int64_t t = resumeUs; t <= resumeUs + kPollUs; t += kPollUs) {
    data.Add(MakeLivePoll(t, {{0, 90}}));
  }

  const std::vector<std::vector<QPointF>> runs = PlotSegments(data.Series(brake).Since(0), 0);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].back(), QPointF(0.4, 10));
  EXPECT_EQ(runs[1].front(), QPointF(15.4, 90));

  const struct {
    std::int64_t timeUs;
    std::optional<double> value;  // nullopt: a gap
    bool notPolled;
  } reads[] = {
      {stopUs, 10, false},             // the last poll before
      {stopUs + 90'000, 10, false},    // still nearest to it
      {stopUs + 7'000'000, {}, true},  // in the middle of the pause
      {resumeUs - 90'000, 90, false},  // nearest to the first poll after
      {resumeUs, 90, false},
  };
  for (const auto& read : reads) {
    const std::optional<LiveSeries::Sample> sample =
        SampleNear(data.Series(brake), read.timeUs, 100'001);
    ASSERT_TRUE(sample) << read.timeUs;
    EXPECT_EQ(sample->NotPolled(), read.notPolled) << read.timeUs;
    if (read.value) {
      EXPECT_EQ(sample->value, *read.value) << read.timeUs;
    }
  }
  // After the newest poll nothing stopped: nothing is said there.
  EXPECT_FALSE(SampleNear(data.Series(brake), resumeUs + 5'000'000, 100'001));
}

TEST(PlotChoice, HoldsFourItemsAtMostInTheOrderChosen) {
  PlotChoice choice;
  for (const char* label : {"a", "b", "c", "d"}) EXPECT_TRUE(choice.Add(label)) << label;
  EXPECT_TRUE(choice.Full());
  EXPECT_FALSE(choice.Add("e"));
  EXPECT_FALSE(choice.Add("a"));
  EXPECT_TRUE(choice.Remove("b"));
  EXPECT_TRUE(choice.Add("e"));
  EXPECT_EQ(choice.Labels(), (QStringList{"a", "c", "d", "e"}));
  choice.Set({"x", "x", "y", "z", "v", "w"});  // as read back from the settings
  EXPECT_EQ(choice.Labels(), (QStringList{"x", "y", "z", "v"}));
}

TEST(ValueRange, IsEmptyWhenAllAreGaps) {
  LiveSeries series;
  series.AppendGap(0);
  series.AppendGap(kPollUs);
  EXPECT_FALSE(ValueRange(series.Since(0)));
  EXPECT_TRUE(PlotSegments(series.Since(0), 0).empty());
}

TEST(NiceRange, HoldsTheValuesOnWholeStepsAndStaysOnItsSideOfZero) {
  const struct {
    double low, high;
    AxisRange expected;
  } cases[] = {
      {0, 99, {0, 100, 20}},
      {13, 96, {0, 100, 20}},
      {0, 4013, {0, 5000, 1000}},
      {-128, 127, {-200, 200, 100}},
      {50, 50, {49, 51, 0.5}},
      {0, 0, {0, 2, 0.5}},
      {-3, -3, {-4, -2, 0.5}},
      {0.2, 1.9, {0, 2.5, 0.5}},
      {4294967000.0, 4294967295.0, {4294967000.0, 4294967300.0, 100}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NiceRange(c.low, c.high), c.expected) << c.low << " " << c.high;
  }
  // A value moving inside the range keeps the axis still.
  EXPECT_EQ(NiceRange(12, 88), NiceRange(3, 97));
}

}  // namespace
}  // namespace vor
