// The simulated controller as the link sees it, and its fault rules.
#include "simulator/simulated_controller.h"

#include <gtest/gtest.h>

#include "definitions/model_images.h"
#include "link/serial_link.h"
#include "simulator/request_reader.h"
#include "simulator/sim_faults.h"
#include "simulator/sim_image.h"
#include "simulator/virtual_port.h"

namespace vor {
namespace {

class SimulatedControllerTest : public ::testing::Test {
protected:
  // Sends `command` with no payload and receives the answer.
  bool Exchange(Command command) {
    link.SetRequest(command, 0);
    link.SendFrame(port);
    return link.ReceiveFrame(port) == Received::Frame;
  }

  VirtualClock clock;
  SimulatedController controller{*DefaultImageFor(u"VOR")};
  VirtualPort port{clock, &controller};
  SerialLink link{clock};
};

TEST_F(SimulatedControllerTest, LiveReadsAnswerWithTheirOwnCommandAndSixteenBytes) {
  for (Command command : {Command::LiveRead0, Command::LiveRead1, Command::LiveRead2}) {
    ASSERT_TRUE(Exchange(command));
    EXPECT_EQ(link.rxFrame.Command(), static_cast<std::uint8_t>(command));
    EXPECT_EQ(link.rxFrame.Length(), 16);
  }
  // LiveRead1 payload byte 1 is the battery voltage of a 72 V controller.
  ASSERT_TRUE(Exchange(Command::LiveRead1));
  EXPECT_NEAR(link.rxFrame.Payload(1), 72, 5);
}

TEST_F(SimulatedControllerTest, AFixedFaultWordStaysInBytes32And33) {
  controller.SetFaultWord(0x0012);
  for (int i = 0; i < 300; ++i) {  // a minute of polls: the free-running faults would come
    ASSERT_TRUE(Exchange(Command::LiveRead2));
    EXPECT_EQ(link.rxFrame.Payload(0), 0x00);
    EXPECT_EQ(link.rxFrame.Payload(1), 0x12);
    clock.Sleep(200);
  }
}

TEST_F(SimulatedControllerTest, PhaseZeroReadingsStayNearMidScale) {
  for (int i = 0; i < 50; ++i) {
    ASSERT_TRUE(Exchange(Command::ReadPhaseZero));
    EXPECT_EQ(link.rxFrame.Command(), 0x35);
    for (int phase = 0; phase < 3; ++phase) EXPECT_NEAR(link.rxFrame.Payload(phase), 128, 4);
    clock.Sleep(170);
  }
}

// The last frame the link assembled, taken or dropped.
struct LastFrame : FrameObserver {
  void FrameSent(std::span<const std::uint8_t>) override {}
  void FrameReceived(std::span<const std::uint8_t> bytes, Received) override {
    if (!bytes.empty()) seen.assign(bytes.begin(), bytes.end());
  }
  void FrameDropped(std::span<const std::uint8_t> bytes, std::uint8_t) override {
    seen.assign(bytes.begin(), bytes.end());
  }
  std::vector<std::uint8_t> seen;
};

TEST_F(SimulatedControllerTest, FaultsShapeTheAnswerAsTheLinkSeesIt) {
  struct Case {
    FaultKind kind;
    Received expect;
    std::size_t seenSize;  // bytes of the frame the link assembled last
    std::uint8_t seenCommand;
  };
  // A frame with another command byte or too few payload bytes is no answer to LiveRead0.
  for (const Case& c : {Case{FaultKind::CorruptChecksum, Received::BadChecksum, 19, 0x1B},
                        Case{FaultKind::WrongCommand, Received::NoAnswer, 19, 0x1C},
                        Case{FaultKind::OverlongLength, Received::Frame, 19, 0x1B},
                        Case{FaultKind::ShortAnswer, Received::NoAnswer, 18, 0x1B},
                        Case{FaultKind::Cut, Received::Incomplete, 9, 0x1B},
                        Case{FaultKind::Silent, Received::NoAnswer, 0, 0x00}}) {
    SimulatedController faulty(*DefaultImageFor(u"VOR"));
    faulty.AddFault(FaultRule(c.kind, 0x1B, 1));
    VirtualPort line(clock, &faulty);
    SerialLink fresh(clock);
    LastFrame last;
    fresh.SetObserver(&last);
    fresh.SetRequest(Command::LiveRead0, 0);
    fresh.SendFrame(line);
    EXPECT_EQ(fresh.ReceiveFrame(line), c.expect) << static_cast<int>(c.kind);
    EXPECT_EQ(last.seen.size(), c.seenSize) << static_cast<int>(c.kind);
    if (!last.seen.empty()) {
      EXPECT_EQ(last.seen[0], c.seenCommand) << static_cast<int>(c.kind);
    }
  }
}

TEST_F(SimulatedControllerTest, ARepeatedAnswerComesAgainAfterItsDelay) {
  controller.AddFault(FaultRule(FaultKind::Twice, 0xF4, 1, 100));
  ASSERT_TRUE(Exchange(Command::Commit));
  const std::int64_t firstUs = clock.NowUs();
  ASSERT_EQ(link.ReceiveFrame(port), Received::Frame);
  EXPECT_EQ(link.rxFrame.Command(), 0xF4);
  // The first exchange ended 20 ms after the first copy, which the second follows by 100 ms.
  EXPECT_GE(clock.NowUs() - firstUs, 80'000);
  EXPECT_EQ(controller.CommitCount(), 1);
}

// A stale answer leaves the line to the next request's, and comes after it.
TEST_F(SimulatedControllerTest, AStaleAnswerIsOvertakenByTheNextOne) {
  controller.AddFault(FaultRule(FaultKind::Stale, 0xF1, 1, 300));
  LastFrame last;
  link.SetObserver(&last);
  link.SetRequest(Command::BeginTransfer, 0);
  link.SendFrame(port);
  ASSERT_TRUE(Exchange(Command::Commit));
  EXPECT_LT(clock.NowUs(), 300'000);
  // Then the BeginTransfer's answer comes, and is none to the Commit.
  EXPECT_EQ(link.ReceiveFrame(port), Received::NoAnswer);
  EXPECT_EQ(last.seen, (std::vector<std::uint8_t>{0xF1, 0x00, 0xF1}));
}

TEST_F(SimulatedControllerTest, WriteBlocksTakeEffectOnlyAtCommit) {
  ConfigImage before = controller.Image();
  ASSERT_TRUE(Exchange(Command::BeginTransfer));
  link.SetRequest(Command::WriteBlock, 4);
  link.txFrame[2] = 127;  // one byte at the very end of the image
  link.txFrame[3] = 1;
  link.txFrame[4] = 0;
  link.txFrame[5] = 0x5A;
  link.SendFrame(port);
  ASSERT_EQ(link.ReceiveFrame(port), Received::Frame);
  EXPECT_EQ(controller.Image().bytes, before.bytes);
  ASSERT_TRUE(Exchange(Command::Commit));
  before[127] = 0x5A;
  EXPECT_EQ(controller.Image().bytes, before.bytes);
}

// The fault a read-back after a write has to catch: the block is acknowledged, Commit too, yet
// the controller keeps its old bytes.
TEST_F(SimulatedControllerTest, AForgottenWriteBlockIsAcknowledgedButNeverTakesEffect) {
  QString error;
  const std::optional<FaultRule> forget = ParseFaultRule("forget:f3:1", error);
  ASSERT_TRUE(forget) << error.toStdString();
  controller.AddFault(*forget);
  const ConfigImage before = controller.Image();
  ASSERT_TRUE(Exchange(Command::BeginTransfer));
  for (std::uint8_t value : {0x5A, 0x6B}) {  // the first block is forgotten, the second kept
    link.SetRequest(Command::WriteBlock, 4);
    link.txFrame[2] = 127;
    link.txFrame[3] = 1;
    link.txFrame[4] = 0;
    link.txFrame[5] = value;
    link.SendFrame(port);
    ASSERT_EQ(link.ReceiveFrame(port), Received::Frame);
    ASSERT_TRUE(Exchange(Command::Commit));
    EXPECT_EQ(controller.Image()[127], value == 0x5A ? before[127] : 0x6B);
  }
}

// `silent` does what it is asked and keeps quiet about it; `ignore` does neither. The first is how
// a Commit whose acknowledgement is lost looks to the tool.
TEST_F(SimulatedControllerTest, SilentActsOnTheRequestIgnoreDoesNot) {
  for (const FaultKind kind : {FaultKind::Silent, FaultKind::Ignore}) {
    SimulatedController faulty(*DefaultImageFor(u"VOR"));
    faulty.AddFault(FaultRule(kind, 0xF4));
    VirtualPort line(clock, &faulty);
    SerialLink fresh(clock);
    fresh.SetRequest(Command::BeginTransfer, 0);
    fresh.SendFrame(line);
    ASSERT_EQ(fresh.ReceiveFrame(line), Received::Frame);
    fresh.SetRequest(Command::WriteBlock, 4);
    fresh.txFrame[2] = 127;
    fresh.txFrame[3] = 1;
    fresh.txFrame[4] = 0;
    fresh.txFrame[5] = 0x5A;
    fresh.SendFrame(line);
    ASSERT_EQ(fresh.ReceiveFrame(line), Received::Frame);
    fresh.SetRequest(Command::Commit, 0);
    fresh.SendFrame(line);
    EXPECT_EQ(fresh.ReceiveFrame(line), Received::NoAnswer);
    EXPECT_EQ(faulty.Image()[127] == 0x5A, kind == FaultKind::Silent) << int(kind);
  }
}

TEST(RequestReader, APauseDropsAPartialRequest) {
  RequestReader reader;
  EXPECT_EQ(reader.Feed(0xF2, 0), AssembleResult::Incomplete);  // a torn request
  EXPECT_EQ(reader.Feed(0x11, 10'000), AssembleResult::Incomplete);
  EXPECT_EQ(reader.Feed(0x00, 10'520), AssembleResult::Incomplete);
  EXPECT_EQ(reader.Feed(0x11, 11'040), AssembleResult::FrameOk);
  EXPECT_EQ(reader.Frame().Command(), 0x11);
}

TEST(ParseFaultBits, TakesFourHexDigitsAtMost) {
  QString error;
  EXPECT_EQ(ParseFaultBits("0012", error), 0x0012);
  EXPECT_EQ(ParseFaultBits("0xFFFF", error), 0xFFFF);
  for (const char* bad : {"", "x", "10000", "-1", "12 34"}) {
    error.clear();
    EXPECT_FALSE(ParseFaultBits(bad, error)) << bad;
    EXPECT_FALSE(error.isEmpty()) << bad;
  }
}

TEST(ParseFaultRule, AcceptsTheDocumentedFormsAndRejectsTheRest) {
  QString error;
  const auto late = ParseFaultRule("late:f4:1:20000", error);
  ASSERT_TRUE(late);
  EXPECT_EQ(late->kind, FaultKind::Late);
  EXPECT_EQ(late->command, 0xF4);
  EXPECT_EQ(late->nth, 1);
  EXPECT_EQ(late->delayMs, 20000);
  const auto silent = ParseFaultRule("silent", error);
  ASSERT_TRUE(silent);
  EXPECT_TRUE(silent->Matches(0x11, 7));
  EXPECT_FALSE(ParseFaultRule("ignore:f3:2", error)->Matches(0xF3, 3));

  for (const char* bad :
       {"", "loud", "ignore:zz", "ignore:f3:-1", "late:f4:1:x", "late:1:2:3:4", "ignore:100"}) {
    error.clear();
    EXPECT_FALSE(ParseFaultRule(bad, error)) << bad;
    EXPECT_FALSE(error.isEmpty()) << bad;
  }
}

}  // namespace
}  // namespace vor
