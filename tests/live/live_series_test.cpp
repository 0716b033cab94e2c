// The plot's ring buffer: bounded, in time order, with gaps.
#include "live/live_series.h"

#include <gtest/gtest.h>

namespace vor {
namespace {

constexpr std::int64_t kPollUs = 200'000;

TEST(LiveSeries, KeepsTheNewestSamplesUpToItsCapacity) {
  LiveSeries series(4);
  for (int i = 0; i < 6; ++i) series.Append(i * kPollUs, i * 10.0);
  ASSERT_EQ(series.Size(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(series.At(i).timeUs, (i + 2) * kPollUs);
    EXPECT_EQ(series.At(i).value, (i + 2) * 10.0);
  }
  series.Clear();
  EXPECT_EQ(series.Size(), 0);
}

TEST(LiveSeries, AFailedPollIsAGapNotAZero) {
  LiveSeries series;
  series.Append(0, 5);
  series.AppendGap(kPollUs);
  series.Append(2 * kPollUs, 0);
  EXPECT_FALSE(series.At(0).IsGap());
  EXPECT_TRUE(series.At(1).IsGap());
  EXPECT_FALSE(series.At(2).IsGap());  // a real zero stays a zero
}

TEST(LiveSeries, SinceGivesTheWindowOfTheLastSeconds) {
  LiveSeries series(10);
  for (int i = 0; i < 14; ++i) series.Append(i * kPollUs, i);  // the ring has wrapped
  const std::vector<LiveSeries::Sample> window = series.Since(10 * kPollUs + 1);
  ASSERT_EQ(window.size(), 3u);
  EXPECT_EQ(window.front().value, 11);
  EXPECT_EQ(window.back().value, 13);
  EXPECT_EQ(series.Since(0).size(), 10u);
  EXPECT_TRUE(series.Since(99 * kPollUs).empty());
}

TEST(LiveSeries, TenMinutesOfPollsFitAndNoMore) {
  LiveSeries series;
  for (int i = 0; i < LiveSeries::kCapacity + 100; ++i) series.Append(i * kPollUs, i);
  EXPECT_EQ(series.Size(), 3000);
  EXPECT_EQ(series.At(0).value, 100);
}

}  // namespace
}  // namespace vor
