// The three live requests of a poll and what each outcome does to the live block.
#include "link/live_block.h"

#include <gtest/gtest.h>

#include "definitions/model_images.h"
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

TEST_F(LiveBlockTest, UnansweredOrMismatchedLaterRequestsKeepTheirThirds) {
  Fault(FaultKind::WrongCommand, 0x33);  // a valid frame, but not the answer to 33
  Fault(FaultKind::Silent, 0x34);
  const LiveRead read = ReadLiveBlock(link, block);
  EXPECT_EQ(read.answered, (LiveAnswers{true, false, false}));
  EXPECT_EQ(Third(1), std::vector<std::uint8_t>(16, 0xEE));
  EXPECT_EQ(Third(2), std::vector<std::uint8_t>(16, 0xEE));
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
