// When the simulated controller's answers go out on its transmit line.
#include "simulator/answer_schedule.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace vor {
namespace {

constexpr std::int64_t kPerByteUs = 500;

// Where each copy of `reply` starts when placed for a request that ended at `requestEndUs`.
std::vector<std::int64_t> Starts(AnswerSchedule& schedule, const SimReply& reply,
                                 std::int64_t requestEndUs) {
  std::vector<std::int64_t> starts;
  schedule.PlaceReply(
      reply, requestEndUs,
      [](std::size_t size) { return static_cast<std::int64_t>(size) * kPerByteUs; },
      [&](std::span<const std::uint8_t>, std::int64_t startUs) { starts.push_back(startUs); });
  return starts;
}

SimReply Ack(std::int64_t delayUs = 0, bool overtaken = false, std::int64_t repeatAfterUs = -1) {
  SimReply reply;
  reply.size = 3;
  reply.delayUs = delayUs;
  reply.overtaken = overtaken;
  reply.repeatAfterUs = repeatAfterUs;
  return reply;
}

// An answer overtaken by later ones goes out at its own time, and the later answers fit around
// it without ever sharing the wire with it.
TEST(AnswerSchedule, AnswersNeverShareTheWire) {
  AnswerSchedule schedule;
  EXPECT_EQ(Starts(schedule, Ack(10'000, true), 0), std::vector<std::int64_t>{10'000});
  EXPECT_EQ(Starts(schedule, Ack(), 9'000), std::vector<std::int64_t>{11'500});
}

// A copy due right behind its first goes out right behind it even where another answer is due
// in between: a frame of the request's own command that came after the next request could not
// be told from that request's answer.
TEST(AnswerSchedule, ACopyDueRightBehindItsFirstIsNeverSeparatedFromIt) {
  AnswerSchedule schedule;
  ASSERT_EQ(Starts(schedule, Ack(2'000, true), 0), std::vector<std::int64_t>{2'000});
  EXPECT_EQ(Starts(schedule, Ack(0, false, 0), 0), (std::vector<std::int64_t>{3'500, 5'000}));

  // A copy due later keeps its own time, and other answers may come before it.
  AnswerSchedule later;
  EXPECT_EQ(Starts(later, Ack(0, false, 10'000), 0), (std::vector<std::int64_t>{0, 11'500}));
}

}  // namespace
}  // namespace vor
