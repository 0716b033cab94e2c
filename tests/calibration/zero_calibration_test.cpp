// The calibration's Read without its window: the history rules on given answers, the exchanges
// on the line in virtual time, and Update's bytes.
#include "calibration/zero_calibration.h"

#include <gtest/gtest.h>

#include "definitions/model_images.h"
#include "simulator/simulated_controller.h"
#include "tests/support/immediate_link.h"

namespace vor {
namespace {

constexpr std::optional<PhaseZeroReading> kNone = std::nullopt;

struct ReadCase {
  const char* what;
  ZeroValues before;
  std::array<QString, 3> readingsBefore;
  ZeroAnswers answers;
  std::array<const char*, 3> readings;
  std::array<const char*, 3> lowest;
  int answered;
};

TEST(ApplyZeroRead, KeepsTheHistoryOfTheReadFromItsFirstAnswer) {
  const ZeroValues fresh;
  const ZeroValues earlier{100, 101, 102, true};
  const std::array<QString, 3> old{"9,9,9", "8,8,8", "7,7,7"};
  const PhaseZeroReading first{131, 128, 127};
  const PhaseZeroReading second{130, 129, 126};
  const PhaseZeroReading third{132, 127, 128};
  const ReadCase cases[] = {
      {"three answers",
       fresh,
       {},
       {first, second, third},
       {"131,130,132", "128,129,127", "127,126,128"},
       {"130", "127", "126"},
       3},
      {"a second Read starts afresh, higher than the old lowest",
       earlier,
       old,
       {first, second, third},
       {"131,130,132", "128,129,127", "127,126,128"},
       {"130", "127", "126"},
       3},
      // The history starts at the first answered exchange, whichever it is: the earlier Read's
      // values never stand as this Read's lowest.
      {"exchange 1 unanswered",
       earlier,
       old,
       {kNone, second, third},
       {"130,132", "129,127", "126,128"},
       {"130", "127", "126"},
       2},
      {"exchange 2 unanswered",
       earlier,
       old,
       {first, kNone, third},
       {"131,132", "128,127", "127,128"},
       {"131", "127", "127"},
       2},
      {"exchange 3 unanswered",
       earlier,
       old,
       {first, second, kNone},
       {"131,130", "128,129", "127,126"},
       {"130", "128", "126"},
       2},
      {"only exchange 3 answered",
       earlier,
       old,
       {kNone, kNone, third},
       {"132", "127", "128"},
       {"132", "127", "128"},
       1},
      {"nothing answered keeps the readings and shows the values",
       earlier,
       old,
       {kNone, kNone, kNone},
       {"9,9,9", "8,8,8", "7,7,7"},
       {"100", "101", "102"},
       0},
      {"nothing answered in a fresh run",
       fresh,
       {},
       {kNone, kNone, kNone},
       {"", "", ""},
       {"0", "0", "0"},
       0},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.what);
    ZeroValues values = c.before;
    ZeroFields fields;
    fields.readings = c.readingsBefore;
    EXPECT_EQ(ApplyZeroRead(c.answers, values, fields), c.answered);
    for (std::size_t phase = 0; phase < 3; ++phase) {
      EXPECT_EQ(fields.readings[phase], c.readings[phase]) << phase;
      EXPECT_EQ(fields.lowest[phase], c.lowest[phase]) << phase;
    }
    EXPECT_EQ(values.ZeroA, fields.lowest[0].toInt());
    EXPECT_EQ(values.ZeroC, fields.lowest[2].toInt());
    EXPECT_EQ(values.answered, c.answered > 0 || c.before.answered);
  }
}

TEST(UpdatePhaseZero, WritesTheLowBytesOnlyAfterAnAnsweredRead) {
  ConfigImage image;
  image.bytes.fill(0xEE);
  const ConfigImage untouched = image;
  ZeroValues values{0x12C, 127, 129, false};
  EXPECT_FALSE(UpdatePhaseZero(values, image));  // start values are no calibration
  EXPECT_EQ(image.bytes, untouched.bytes);

  values.answered = true;
  EXPECT_TRUE(UpdatePhaseZero(values, image));
  ConfigImage expected = untouched;
  expected[97] = 0x2C;
  expected[98] = 127;
  expected[99] = 129;
  EXPECT_EQ(image.bytes, expected.bytes);
}

TEST(ReadZeroExchanges, SendsThreeBareRequestsAndWaitsBeforeTheFirstReceiveOnly) {
  test::ImmediateLink silent;
  // Payload bytes left from an earlier frame are not sent with the request.
  for (std::size_t i = 2; i < LinkFrame::kMaxSize; ++i) silent.link.txFrame[i] = 0x5A;
  const ZeroAnswers answers = ReadZeroExchanges(silent.link);
  EXPECT_EQ(answers, (ZeroAnswers{kNone, kNone, kNone}));
  ASSERT_EQ(silent.port->writes.size(), 3u);
  for (const VirtualPort::Written& w : silent.port->writes) {
    EXPECT_EQ(w.bytes, (std::vector<std::uint8_t>{0x35, 0x00, 0x35}));
  }
  // Each unanswered receive lasts the same; the first exchange is longer by its wait alone.
  const std::int64_t firstGap = silent.port->writes[1].atUs - silent.port->writes[0].atUs;
  const std::int64_t secondGap = silent.port->writes[2].atUs - silent.port->writes[1].atUs;
  EXPECT_EQ(firstGap - secondGap, kPhaseZeroWaitMs * 1000);
}

TEST(ReadZeroExchanges, AnAnswerWithAnotherCommandByteIsUnanswered) {
  SimulatedController controller(*DefaultImageFor(u"VOR"));
  controller.AddFault(FaultRule(FaultKind::WrongCommand, 0x35, 2));
  test::ImmediateLink line(&controller);
  const ZeroAnswers answers = ReadZeroExchanges(line.link);
  EXPECT_TRUE(answers[0].has_value());
  EXPECT_FALSE(answers[1].has_value());
  EXPECT_TRUE(answers[2].has_value());
  EXPECT_EQ(controller.RequestCount(0x35), 3);
}

}  // namespace
}  // namespace vor
