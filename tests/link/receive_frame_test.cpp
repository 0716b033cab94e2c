// Frame exchange on virtual time: every timing figure here is exact.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "link/serial_link.h"
#include "link/serial_port.h"
#include "link/wire_timing.h"
#include "simulator/virtual_port.h"

namespace vor {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Burst {
  Bytes bytes;
  std::int64_t firstAtUs;  // arrival of the burst's first byte; the rest follow at wire pace
};

struct ReceiveCase {
  const char* name;
  std::vector<Burst> line;
  Received expect;
  std::int64_t expectElapsedUs;
  int expectReads;
  Bytes expectFrameStart;  // leading bytes of rxFrame afterwards
};

void PrintTo(const ReceiveCase& c, std::ostream* os) { *os << c.name; }

// A read of 19 bytes gives up 145 ms after it starts, or 20 ms after the last byte.
constexpr std::int64_t kSilentAttemptUs = 5'000 + 145'000;

std::int64_t LastByteUs(const Burst& burst) {
  return burst.firstAtUs + WireTimeUs(static_cast<std::int64_t>(burst.bytes.size()) - 1);
}

class ReceiveFrameTest : public ::testing::TestWithParam<ReceiveCase> {};

TEST_P(ReceiveFrameTest, AssemblesAndJudgesTheResponse) {
  const ReceiveCase& c = GetParam();
  VirtualClock clock;
  VirtualPort port(clock);
  for (const Burst& burst : c.line) port.Arrive(burst.bytes, burst.firstAtUs);
  SerialLink link(clock);

  EXPECT_EQ(link.ReceiveFrame(port), c.expect);
  EXPECT_EQ(clock.NowUs(), c.expectElapsedUs);
  EXPECT_EQ(port.readCalls, c.expectReads);
  const Bytes start(link.rxFrame.bytes.begin(),
                    link.rxFrame.bytes.begin() + static_cast<long>(c.expectFrameStart.size()));
  EXPECT_EQ(start, c.expectFrameStart);
}

const Bytes kBlock{0xF2, 0x10, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0x8A};

INSTANTIATE_TEST_SUITE_P(
    Frames, ReceiveFrameTest,
    ::testing::Values(
        // Queued before the first read: the read ends 20 ms after it took the bytes.
        ReceiveCase{"LengthZeroCompleteAfterThreeBytes",
                    {{{0x11, 0x00, 0x11}, 1'000}},
                    Received::Frame,
                    5'000 + 20'000,
                    1,
                    {0x11, 0x00, 0x11}},
        // Nineteen bytes fill the read at once; no silence needed.
        ReceiveCase{"FullFrameEndsTheReadAtItsLastByte",
                    {{kBlock, 6'000}},
                    Received::Frame,
                    LastByteUs({kBlock, 6'000}),
                    1,
                    kBlock},
        ReceiveCase{"SplitOverTwoReadsIsAssembled",
                    {{Bytes(kBlock.begin(), kBlock.begin() + 5), 6'000},
                     {Bytes(kBlock.begin() + 5, kBlock.end()), 60'000}},
                    Received::Frame,
                    LastByteUs({Bytes(14), 60'000}) + 20'000,
                    2,
                    kBlock},
        ReceiveCase{"BadChecksumFailsAtOnce",
                    {{{0x11, 0x00, 0x12}, 1'000}},
                    Received::BadChecksum,
                    25'000,
                    1,
                    {0x11, 0x00, 0x12}},
        // 0x14 becomes 16: complete after 19 bytes, judged with 16 in the length position.
        ReceiveCase{
            "LengthAboveSixteenIsCutToSixteen",
            {{{0xF2, 0x14, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0x8A}, 6'000}},
            Received::Frame,
            LastByteUs({Bytes(19), 6'000}),
            1,
            kBlock},
        ReceiveCase{
            "LengthAboveSixteenWithItsOwnChecksumFails",
            {{{0xF2, 0x14, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 0x8E}, 6'000}},
            Received::BadChecksum,
            LastByteUs({Bytes(19), 6'000}),
            1,
            {0xF2, 0x10}},
        // No resynchronisation: a stray byte becomes the command byte.
        ReceiveCase{"StrayByteShiftsTheFrameIntoAMismatch",
                    {{{0x07, 0x01, 0x00, 0x01}, 1'000}},
                    Received::BadChecksum,
                    25'000,
                    1,
                    {0x07, 0x01, 0x00, 0x01}},
        ReceiveCase{"StrayByteWithLongLengthRunsOutOfAttempts",
                    {{{0x00, 0xF1, 0x00, 0xF1}, 1'000}},
                    Received::Incomplete,
                    25'000 + 9 * kSilentAttemptUs,
                    10,
                    {0x00, 0x10, 0x00, 0xF1}},
        ReceiveCase{
            "SilenceFailsAfterTenAttempts", {}, Received::NoAnswer, 10 * kSilentAttemptUs, 10, {}},
        // An answer later than the ten attempts is not waited for.
        ReceiveCase{"AnswerAfterTheLastAttemptIsMissed",
                    {{{0x11, 0x00, 0x11}, 1'600'000}},
                    Received::NoAnswer,
                    10 * kSilentAttemptUs,
                    10,
                    {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReceiveFrame, FailsAtOnceWhenTheReadCallFails) {
  VirtualClock clock;
  VirtualPort port(clock);
  port.fail.lineLost = true;
  SerialLink link(clock);
  EXPECT_EQ(link.ReceiveFrame(port), Received::LinkLost);
  EXPECT_EQ(port.readCalls, 1);
}

TEST(ReceiveFrame, BytesAfterACompleteFrameInTheSameReadAreLost) {
  VirtualClock clock;
  VirtualPort port(clock);
  port.Arrive(Bytes{0x11, 0x00, 0x11, 0xF1, 0x00, 0xF1}, 1'000);
  SerialLink link(clock);
  EXPECT_EQ(link.ReceiveFrame(port), Received::Frame);
  EXPECT_EQ(link.ReceiveFrame(port), Received::NoAnswer);
}

// Records what the link drops to clear the line.
struct DropLog : FrameObserver {
  void FrameSent(std::span<const std::uint8_t>) override {}
  void FrameReceived(std::span<const std::uint8_t>, Received) override {}
  void InputDropped(std::span<const std::uint8_t> bytes, int count, bool quiet) override {
    shown.assign(bytes.begin(), bytes.end());
    dropped += count;
    lastQuiet = quiet;
    ++drops;
  }
  Bytes shown;
  int dropped = 0;
  int drops = 0;
  bool lastQuiet = true;
};

// A link on its own virtual port with no controller behind it: the line is scripted.
struct OwnLine {
  OwnLine() {
    auto owned = std::make_unique<VirtualPort>(clock);
    port = owned.get();
    link.SetPort(std::move(owned));
    link.SetObserver(&log);
  }
  VirtualClock clock;
  SerialLink link{clock};
  VirtualPort* port;
  DropLog log;
};

struct DrainCase {
  const char* name;
  std::vector<Burst> line;  // times from the first request
  Received first;           // how the first exchange ends
  bool drained;             // the line is drained before the second request
  int dropped;              // bytes dropped then (the shown ones start with `firstDropped`)
  std::uint8_t firstDropped;
  bool quiet;          // the drain ended on a quiet line, not at its time limit
  std::int64_t gapUs;  // from the end of the first exchange to the second request
};

void PrintTo(const DrainCase& c, std::ostream* os) { *os << c.name; }

class DrainTest : public ::testing::TestWithParam<DrainCase> {};

// After any failed exchange, what is left of its answer (or comes late) is cleared before the next
// request, so that it costs that one exchange only; a drain never outlasts its time limit.
TEST_P(DrainTest, TheLineIsClearedBeforeTheNextRequestAfterAFailedExchange) {
  const DrainCase& c = GetParam();
  OwnLine own;
  for (const Burst& burst : c.line) own.port->Arrive(burst.bytes, burst.firstAtUs);

  own.link.SetRequest(Command::Commit, 0);
  ASSERT_EQ(own.link.Exchange(), c.first);
  const std::int64_t endUs = own.clock.NowUs();
  own.link.SetRequest(Command::BeginTransfer, 0);
  ASSERT_TRUE(own.link.SendFrame());
  ASSERT_EQ(own.port->writes.size(), 2u);
  EXPECT_EQ(own.port->writes[1].atUs - endUs, c.gapUs);
  EXPECT_EQ(own.port->discards, c.drained ? 1 : 0);
  EXPECT_EQ(own.log.dropped, c.dropped);
  if (c.dropped > 0) {
    ASSERT_FALSE(own.log.shown.empty());
    EXPECT_EQ(own.log.shown.front(), c.firstDropped);
  }
  EXPECT_EQ(own.log.lastQuiet, c.quiet);
  if (!c.quiet) return;  // the noise goes on

  // The answer to the second request is read whole.
  own.port->Arrive(Bytes{0xF1, 0x00, 0xF1}, own.clock.NowUs() + 2'000);
  EXPECT_EQ(own.link.ReceiveFrame(), Received::Frame);
  EXPECT_EQ(own.link.rxFrame.Command(), 0xF1);
}

// A stray byte before an answer: the receive judges nineteen bytes and fails on the checksum,
// and the answer's own checksum byte follows.
const Bytes kStrayThenAnswer = [] {
  Bytes bytes{0xA5, 0x1B, 0x10};
  bytes.resize(19, 0x00);
  bytes.push_back(0x2B);
  return bytes;
}();

// A byte every 5 ms for 3 s, from the first request's end on.
const std::vector<Burst> kNoise = [] {
  std::vector<Burst> noise;
  for (std::int64_t t = 2'000; t < 3'000'000; t += 5'000) noise.push_back({{0x55}, t});
  return noise;
}();

INSTANTIATE_TEST_SUITE_P(
    FailedExchanges, DrainTest,
    ::testing::Values(DrainCase{"AnAnswerLeavesNothingToDrain",
                                {{{0xF4, 0x00, 0xF4}, 3'000}},
                                Received::Frame,
                                false,
                                0,
                                0,
                                true,
                                0},
                      DrainCase{"TheRestOfAGarbledAnswerIsDropped",
                                {{kStrayThenAnswer, 3'000}},
                                Received::BadChecksum,
                                true,
                                1,
                                0x2B,
                                true,
                                WireTimeUs(1) + SerialLink::kQuietGapMs * 1000},
                      // It starts 2 ms after the receive gave up, at 1.5 s.
                      DrainCase{"ALateAnswerIsDropped",
                                {{{0xF4, 0x00, 0xF4}, 1'502'000}},
                                Received::NoAnswer,
                                true,
                                3,
                                0xF4,
                                true,
                                2'000 + WireTimeUs(2) + SerialLink::kQuietGapMs * 1000},
                      DrainCase{"SilenceCostsOneQuietGap",
                                {},
                                Received::NoAnswer,
                                true,
                                0,
                                0,
                                true,
                                SerialLink::kQuietGapMs * 1000},
                      // The first receive judges nineteen noise bytes, the last at 92 ms; the drain
                      // then drops one every 5 ms up to its limit, and the request goes out.
                      DrainCase{"ALineThatNeverGoesQuietIsDrainedForTheTimeLimitOnly", kNoise,
                                Received::BadChecksum, true, SerialLink::kDrainLimitMs / 5, 0x55,
                                false, SerialLink::kDrainLimitMs * 1000}),
    [](const auto& info) { return std::string(info.param.name); });

// A frame sealed with its checksum: `command`, then `payload`.
Bytes Sealed(std::uint8_t command, Bytes payload) {
  Bytes frame{command, static_cast<std::uint8_t>(payload.size())};
  frame.insert(frame.end(), payload.begin(), payload.end());
  frame.push_back(FrameChecksum(frame));
  return frame;
}

struct MatchCase {
  const char* name;
  Command request;
  std::vector<Burst> line;  // times from the request
  Received expect;
  Bytes taken;  // rxFrame's frame afterwards, when `expect` is Frame
  int framesDropped;
  bool drainedBefore;  // the line is drained before the next request
};

void PrintTo(const MatchCase& c, std::ostream* os) { *os << c.name; }

struct MatchLog : DropLog {
  void FrameDropped(std::span<const std::uint8_t>, std::uint8_t) override { ++framesDropped; }
  int framesDropped = 0;
};

class AnswerMatchTest : public ::testing::TestWithParam<MatchCase> {};

// A receive takes only the answer to its own request: whatever else comes is dropped as noise,
// the wait goes on within its ten attempts, and the line is cleared before the next request.
TEST_P(AnswerMatchTest, OnlyTheRequestsOwnAnswerIsTaken) {
  const MatchCase& c = GetParam();
  OwnLine own;
  MatchLog log;
  own.link.SetObserver(&log);
  own.link.SetRequest(c.request, 0);
  ASSERT_TRUE(own.link.SendFrame());
  for (const Burst& burst : c.line) own.port->Arrive(burst.bytes, burst.firstAtUs);

  EXPECT_EQ(own.link.ReceiveFrame(), c.expect);
  if (c.expect == Received::Frame) {
    EXPECT_EQ(Bytes(own.link.rxFrame.bytes.begin(),
                    own.link.rxFrame.bytes.begin() + static_cast<long>(c.taken.size())),
              c.taken);
  } else {
    EXPECT_EQ(own.port->readCalls, SerialLink::kReceiveAttempts);  // it waited its whole time
  }
  EXPECT_EQ(log.framesDropped, c.framesDropped);
  own.link.SetRequest(Command::BeginTransfer, 0);
  ASSERT_TRUE(own.link.SendFrame());
  EXPECT_EQ(own.port->discards, c.drainedBefore ? 1 : 0);
}

const Bytes kLiveAnswer = Sealed(0x1B, Bytes(16, 0x42));

INSTANTIATE_TEST_SUITE_P(
    Answers, AnswerMatchTest,
    ::testing::Values(
        MatchCase{"ItsOwnAnswerIsTaken",
                  Command::Commit,
                  {{{0xF4, 0x00, 0xF4}, 2'000}},
                  Received::Frame,
                  {0xF4, 0x00, 0xF4},
                  0,
                  false},
        // A late answer to an earlier request, right before the answer: dropped, and the answer
        // behind it in the same read is taken.
        MatchCase{"AnEarlierRequestsAnswerIsDroppedAndTheAnswerBehindItTaken",
                  Command::Commit,
                  {{{0xF1, 0x00, 0xF1, 0xF4, 0x00, 0xF4}, 2'000}},
                  Received::Frame,
                  {0xF4, 0x00, 0xF4},
                  1,
                  true},
        MatchCase{"AnotherRequestsAnswerAloneIsNoAnswer",
                  Command::Commit,
                  {{{0xF1, 0x00, 0xF1}, 2'000}},
                  Received::NoAnswer,
                  {},
                  1,
                  true},
        // Fifteen bytes would leave the sixteenth of an earlier frame in the live block.
        MatchCase{"AShortAnswerIsNoAnswer",
                  Command::LiveRead0,
                  {{Sealed(0x1B, Bytes(15, 0x42)), 2'000}},
                  Received::NoAnswer,
                  {},
                  1,
                  true},
        // Payload byte 2 tells a controller: without it there is nothing to judge.
        MatchCase{"ADetectAnswerWithoutItsThirdByteIsNoAnswer",
                  Command::Detect,
                  {{Sealed(0x11, {0x00, 0x01}), 2'000}},
                  Received::NoAnswer,
                  {},
                  1,
                  true},
        MatchCase{"ALiveAnswerAfterTheOneOfAnotherPartIsTaken",
                  Command::LiveRead0,
                  {{Sealed(0x34, Bytes(16, 0x07)), 2'000}, {kLiveAnswer, 30'000}},
                  Received::Frame,
                  kLiveAnswer,
                  1,
                  true},
        // Bytes behind the answer: whatever follows them is cleared before the next request.
        MatchCase{"BytesBehindTheAnswerAreClearedBeforeTheNextRequest",
                  Command::Commit,
                  {{{0xF4, 0x00, 0xF4, 0xF4}, 2'000}},
                  Received::Frame,
                  {0xF4, 0x00, 0xF4},
                  0,
                  true}),
    [](const auto& info) { return std::string(info.param.name); });

// A frame that had begun to arrive before the request was out cannot be its answer, even with
// the right command byte (a copy of an earlier answer, one that came late): it is dropped whole,
// whether it was all there as the request went out, only its start, or only its first byte in
// the last moments of a long request, and the answer behind it is taken.
TEST(Exchange, AFrameBegunBeforeTheRequestWasOutIsDroppedWhole) {
  struct Case {
    Command request;
    std::uint8_t length;        // the request is out after length + 3 bytes
    std::int64_t staleFromUs;   // when the stale frame's first byte has come, from the send
    std::int64_t answerFromUs;  // likewise the answer's
  };
  const Bytes kAck{0xF3, 0x00, 0xF3};
  for (const Case& c : {Case{Command::LiveRead0, 0, -40'000, 20'000},
                        Case{Command::LiveRead0, 0, WireTimeUs(1), 20'000},
                        Case{Command::LiveRead0, 0, WireTimeUs(3) - 200, 20'000},
                        Case{Command::WriteBlock, 16, WireTimeUs(19) - 1'500, 12'000}}) {
    SCOPED_TRACE(c.staleFromUs);
    OwnLine own;
    MatchLog log;
    own.link.SetObserver(&log);
    own.clock.Sleep(50);
    const std::int64_t sendUs = own.clock.NowUs();
    const bool live = c.request == Command::LiveRead0;
    own.port->Arrive(live ? Sealed(0x1B, Bytes(16, 0x11)) : kAck, sendUs + c.staleFromUs);
    own.port->Arrive(live ? Sealed(0x1B, Bytes(16, 0x22)) : kAck, sendUs + c.answerFromUs);
    own.link.SetRequest(c.request, c.length);
    ASSERT_EQ(own.link.Exchange(), Received::Frame);
    if (live) {
      EXPECT_EQ(own.link.rxFrame.Payload(0), 0x22);
    }
    EXPECT_GT(log.dropped, 0);
    EXPECT_EQ(own.port->discards, 0);  // no quiet gap was waited for before the request
  }
}

// A clock whose sleeps end late, as on a loaded machine.
struct OverrunningClock : VirtualClock {
  void SleepUs(std::int64_t us) override { VirtualClock::SleepUs(us + 3'000); }
};

// When the wait for the request to go out ends too late to tell an early frame from the answer,
// nothing is dropped then: the answer that began meanwhile is taken. What had arrived before the
// request went out is dropped all the same.
TEST(Exchange, ASleepThatOverranDropsNothingThatMayBeTheAnswer) {
  OverrunningClock clock;
  auto owned = std::make_unique<VirtualPort>(clock);
  VirtualPort& port = *owned;
  SerialLink link(clock);
  link.SetPort(std::move(owned));
  clock.Sleep(50);
  const std::int64_t sendUs = clock.NowUs();
  port.Arrive(Sealed(0x1B, Bytes(16, 0x11)), sendUs - 20'000);         // before the request
  port.Arrive(Sealed(0x1B, Bytes(16, 0x22)), sendUs + WireTimeUs(4));  // the answer
  link.SetRequest(Command::LiveRead0, 0);
  ASSERT_EQ(link.Exchange(), Received::Frame);
  EXPECT_EQ(link.rxFrame.Payload(0), 0x22);
}

// The receives that follow one request (the Commit's thirty) are never drained between them: a
// late answer counts.
TEST(ReceiveFrame, ReceivesWithoutARequestBetweenThemSeeEveryByte) {
  OwnLine own;
  own.port->Arrive(Bytes{0xF4, 0x00, 0xF4}, 1'510'000);  // within a quiet gap of the first's end
  EXPECT_EQ(own.link.ReceiveFrame(), Received::NoAnswer);
  EXPECT_EQ(own.link.ReceiveFrame(), Received::Frame);
  EXPECT_EQ(own.port->discards, 0);
}

// A request that could not be written can bring no answer: the exchange fails without the
// receive's 1.5 s, and since part of it may have gone out, the line is drained before the next.
TEST(Exchange, ARequestThatCannotBeWrittenFailsAtOnce) {
  OwnLine own;
  own.port->fail.write = true;
  own.link.SetRequest(Command::LiveRead0, 0);
  EXPECT_EQ(own.link.Exchange(50), Received::NotSent);
  EXPECT_EQ(own.clock.NowUs(), 0);
  EXPECT_EQ(own.port->readCalls, 0);

  own.port->fail.write = false;
  ASSERT_TRUE(own.link.SendFrame());
  EXPECT_EQ(own.port->discards, 1);
}

// A stop request from another thread, as the Monitor's hide sends it: here it arrives at a
// moment of virtual time while the receive waits on a silent line.
TEST(ReceiveFrame, AStopRequestAbandonsTheWaitWithinASliceAndTheLateAnswerIsDrained) {
  OwnLine own;
  VirtualClock& clock = own.clock;
  VirtualPort& port = *own.port;
  SerialLink& link = own.link;
  clock.At(400'000, [&] { link.RequestStop(); });
  EXPECT_EQ(link.ReceiveFrame(), Received::Aborted);
  EXPECT_GE(clock.NowUs(), 400'000);
  EXPECT_LE(clock.NowUs(), 400'000 + SerialPort::kStopSliceMs * 1000);

  // Nothing goes out while the stop stands.
  link.SetRequest(Command::Commit, 0);
  EXPECT_FALSE(link.SendFrame());
  EXPECT_EQ(link.Exchange(), Received::Aborted);
  EXPECT_TRUE(port.writes.empty());
  link.ClearStop();

  // The abandoned request's answer arrives late; the next send waits for a quiet line first, so
  // the answer to the next request is not mistaken for it.
  port.Arrive(Bytes{0xF4, 0x00, 0xF4}, clock.NowUs() + 15'000);
  link.SetRequest(Command::BeginTransfer, 0);
  ASSERT_TRUE(link.SendFrame());
  EXPECT_EQ(port.discards, 1);
  ASSERT_EQ(port.writes.size(), 1u);
  const std::int64_t lateAnswerEndUs = 400'000 + 15'000 + WireTimeUs(2);
  EXPECT_GE(port.writes[0].atUs, lateAnswerEndUs + SerialLink::kQuietGapMs * 1000);
  port.Arrive(Bytes{0xF1, 0x00, 0xF1}, clock.NowUs() + 2'000);
  EXPECT_EQ(link.ReceiveFrame(), Received::Frame);
  EXPECT_EQ(link.rxFrame.Command(), 0xF1);

  // Drained once: later sends go straight out.
  link.SendFrame();
  EXPECT_EQ(port.discards, 1);
}

// A line lost during a poll is reopened by the next send; a stopped poll must not spend the
// reopen's time (a USB adapter can take long to come back) before it gives up.
TEST(SendFrame, AStoppedSendDoesNotReopenALostLine) {
  VirtualClock clock;
  SerialLink link(clock);
  int reopens = 0;
  link.SetReopen([&]() -> std::unique_ptr<SerialPort> {
    ++reopens;
    return std::make_unique<VirtualPort>(clock);
  });
  link.SetRequest(Command::LiveRead0, 0);
  link.RequestStop();
  EXPECT_FALSE(link.SendFrame());
  EXPECT_EQ(reopens, 0);

  link.ClearStop();
  EXPECT_TRUE(link.SendFrame());
  EXPECT_EQ(reopens, 1);
}

TEST(SendFrame, WritesChecksummedFramesInOneWrite) {
  VirtualClock clock;
  VirtualPort port(clock);
  SerialLink link(clock);

  // The probe before any other frame carries the all-zero payload of a fresh buffer.
  link.SetRequest(Command::PortProbe, 16);
  ASSERT_TRUE(link.SendFrame(port));
  Bytes probe{0x00, 0x10};
  probe.resize(18, 0x00);
  probe.push_back(0x10);

  link.SetRequest(Command::Commit, 0);
  link.SendFrame(port);
  link.SetRequest(Command::ReadBlock, 3);
  link.txFrame[2] = 0x70;
  link.txFrame[3] = 0x10;
  link.txFrame[4] = 0x00;
  link.SendFrame(port);

  ASSERT_EQ(port.writes.size(), 3u);
  EXPECT_EQ(port.writes[0].bytes, probe);
  EXPECT_EQ(port.writes[1].bytes, (Bytes{0xF4, 0x00, 0xF4}));
  EXPECT_EQ(port.writes[2].bytes, (Bytes{0xF2, 0x03, 0x70, 0x10, 0x00, 0x75}));

  port.fail.write = true;
  EXPECT_FALSE(link.SendFrame(port));
}

}  // namespace
}  // namespace vor
