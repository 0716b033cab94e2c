// The three live requests of a poll and what each outcome does to the live block.
#include "link/live_block.h"

#include <gtest/gtest.h>

#include "definitions/model_images.h"
#include "simulator/sim_faults.h"
#include "simulator/simulated_controller.h"
#include "simulator/virtual_port.h"

namespace vor {
namespace {

class LiveBlockTest : public ::testing::Test {
protected:
  LiveBlockTest() {
    auto owned = std::make_unique<VirtualPort>(clock, &controller);
    port = owned.get();
    link.SetPort(std::move(owned));
    block.bytes.fill(0xEE);  // what an earlier poll left
  }

  // The simulator's answer to `command` at this moment, as the block would take it.
  std::vector<std::uint8_t> Third(int part) {
    return {block.bytes.begin() + part * 16, block.bytes.begin() + part * 16 + 16};
  }
  void Fault(FaultKind kind, std::uint8_t command) {
    controller.AddFault(FaultRule(kind, command, 0));
  }

  VirtualClock clock;
  SimulatedController controller{*DefaultImageFor(u"VOR")};
  SerialLink link{clock};
  VirtualPort* port;
  LiveBlock block;
};

TEST_F(LiveBlockTest, ThreeRequestsBackToBackFillTheirThirds) {
  const LiveRead read = ReadLiveBlock(link, block);
  EXPECT_EQ(read.answered, (LiveAnswers{true, true, true}));
  EXPECT_FALSE(read.aborted);
  ASSERT_EQ(port->writes.size(), 3u);
  EXPECT_EQ(port->writes[0].bytes, (std::vector<std::uint8_t>{0x1B, 0x00, 0x1B}));
  EXPECT_EQ(port->writes[1].bytes, (std::vector<std::uint8_t>{0x33, 0x00, 0x33}));
  EXPECT_EQ(port->writes[2].bytes, (std::vector<std::uint8_t>{0x34, 0x00, 0x34}));
  for (int part = 0; part < 3; ++part) EXPECT_NE(Third(part), std::vector<std::uint8_t>(16, 0xEE));
}

TEST_F(LiveBlockTest, AnUnansweredFirstRequestClearsTheBlockBeforeTheOthersGoIn) {
  Fault(FaultKind::Silent, 0x1B);
  const LiveRead read = ReadLiveBlock(link, block);
  EXPECT_EQ(read.answered, (LiveAnswers{false, true, true}));
  EXPECT_EQ(Third(0), std::vector<std::uint8_t>(16, 0));
  EXPECT_NE(Third(1), std::vector<std::uint8_t>(16, 0));
  EXPECT_EQ(port->writes.size(), 3u);  // the others are sent all the same
}

// An answer that is not whole (fifteen bytes would leave the sixteenth from an earlier frame)
// or not the request's counts as none: the first clears the block, the others keep their thirds.
TEST_F(LiveBlockTest, OnlyAWholeAnswerToTheRequestCounts) {
  struct Case {
    FaultKind kind;
    std::uint8_t command;
    LiveAnswers expect;
  };
  for (const Case& c : {Case{FaultKind::WrongCommand, 0x33, {true, false, true}},
                        Case{FaultKind::ShortAnswer, 0x33, {true, false, true}},
                        Case{FaultKind::Silent, 0x34, {true, true, false}},
                        Case{FaultKind::ShortAnswer, 0x1B, {false, true, true}}}) {
    SCOPED_TRACE(::testing::Message() << "fault " << int(c.kind) << " on " << int(c.command));
    controller.ClearFaults();
    Fault(c.kind, c.command);
    block.bytes.fill(0xEE);
    const LiveRead read = ReadLiveBlock(link, block);
    EXPECT_EQ(read.answered, c.expect);
    for (int part = 0; part < 3; ++part) {
      const bool cleared = !c.expect[0] && part == 0;
      if (c.expect[std::size_t(part)]) {
        EXPECT_NE(Third(part), std::vector<std::uint8_t>(16, 0xEE)) << part;
      } else {
        EXPECT_EQ(Third(part), std::vector<std::uint8_t>(16, cleared ? 0 : 0xEE)) << part;
      }
    }
  }
}

// A stray byte before an answer, or an answer just too late, fails the request it hit and no
// other: the link clears the line before the next request.
TEST_F(LiveBlockTest, AStrayOrLateByteCostsOnlyTheExchangeItHit) {
  struct Case {
    const char* fault;
    std::vector<LiveAnswers> polls;
  };
  const LiveAnswers all{true, true, true};
  for (const Case& c : {Case{"stray:1b:2", {all, {false, true, true}, all, all}},
                        Case{"stray:34:1", {{true, true, false}, all, all}},
                        // The receive gives up after 1.5 s; the answer starts 2 ms later.
                        Case{"late:1b:1:1500", {{false, true, true}, all, all}}}) {
    SCOPED_TRACE(c.fault);
    SimulatedController fresh(*DefaultImageFor(u"VOR"));
    QString error;
    fresh.AddFault(*ParseFaultRule(c.fault, error));
    SerialLink freshLink(clock);
    freshLink.SetPort(std::make_unique<VirtualPort>(clock, &fresh));
    for (const LiveAnswers& expect : c.polls) {
      EXPECT_EQ(ReadLiveBlock(freshLink, block).answered, expect);
      clock.Sleep(200);
    }
  }
}

TEST_F(LiveBlockTest, AStopAbandonsThePollWithoutClearingOrSendingMore) {
  Fault(FaultKind::Silent, 0x1B);
  clock.At(700'000, [&] { link.RequestStop(); });
  const LiveRead read = ReadLiveBlock(link, block);
  EXPECT_TRUE(read.aborted);
  EXPECT_EQ(port->writes.size(), 1u);
  EXPECT_EQ(Third(0), std::vector<std::uint8_t>(16, 0xEE));  // abandoned is not unanswered
}

}  // namespace
}  // namespace vor
