// Image transfers against the simulated controller on virtual time.
#include "link/config_transfer.h"

#include <gtest/gtest.h>

#include "definitions/model_images.h"
#include "simulator/simulated_controller.h"
#include "simulator/virtual_port.h"

namespace vor {
namespace {

constexpr std::uint8_t kReadBlock = 0xF2;
constexpr std::uint8_t kWriteBlock = 0xF3;
constexpr std::uint8_t kCommit = 0xF4;

ConfigImage Pattern(std::uint8_t seed) {
  ConfigImage image;
  for (std::size_t i = 0; i < ConfigImage::kSize; ++i) {
    image[i] = static_cast<std::uint8_t>(seed + i * 7);
  }
  return image;
}

class ConfigTransferTest : public ::testing::Test {
protected:
  ConfigTransferTest() {
    auto owned = std::make_unique<VirtualPort>(clock, &controller);
    port = owned.get();
    link.SetPort(std::move(owned));
  }

  void Fault(FaultKind kind, std::uint8_t command, int nth, int delayMs = 0) {
    controller.AddFault(FaultRule(kind, command, nth, delayMs));
  }

  VirtualClock clock;
  SimulatedController controller{Pattern(3)};
  SerialLink link{clock};
  VirtualPort* port;
  ConfigImage image;  // the tool's copy
};

TEST_F(ConfigTransferTest, ReadFetchesTheWholeImageInEightBlocks) {
  EXPECT_EQ(image.bytes, ConfigImage().bytes);
  EXPECT_EQ(image[0], 0xFF);
  ASSERT_TRUE(ReadImage(link, image));
  EXPECT_EQ(image.bytes, controller.Image().bytes);
  ASSERT_EQ(port->writes.size(), 10u);
  EXPECT_EQ(port->writes[9].bytes, (std::vector<std::uint8_t>{0xF2, 0x03, 0x70, 0x10, 0x00, 0x75}));
}

TEST_F(ConfigTransferTest, WriteSendsTenBlocksAndCommits) {
  const ConfigImage wanted = Pattern(91);
  ASSERT_TRUE(WriteImage(link, wanted));
  EXPECT_EQ(controller.Image().bytes, wanted.bytes);
  EXPECT_EQ(controller.CommitCount(), 1);
  ASSERT_EQ(port->writes.size(), 13u);  // two handshakes, ten blocks, Commit
  const std::vector<std::uint8_t>& last = port->writes[11].bytes;
  ASSERT_EQ(last.size(), 17u);
  EXPECT_EQ(std::vector(last.begin(), last.begin() + 5),
            (std::vector<std::uint8_t>{0xF3, 0x0E, 0x75, 0x0B, 0x00}));
  EXPECT_EQ(port->writes[12].bytes, (std::vector<std::uint8_t>{0xF4, 0x00, 0xF4}));
}

TEST_F(ConfigTransferTest, SilentControllerFailsTheHandshakeAndNothingElseIsSent) {
  controller.AddFault(FaultRule(FaultKind::Silent));

  EXPECT_FALSE(ReadImage(link, image));
  EXPECT_EQ(port->writes.size(), 2u);
  // Two 50 ms waits and two receives of ten 150 ms attempts.
  EXPECT_EQ(clock.NowUs(), 2 * (50'000 + 1'500'000));
  EXPECT_EQ(image.bytes, ConfigImage().bytes);

  EXPECT_FALSE(WriteImage(link, Pattern(1)));
  EXPECT_EQ(port->writes.size(), 4u);
  EXPECT_EQ(controller.RequestCount(kWriteBlock), 0);
  EXPECT_EQ(controller.RequestCount(kCommit), 0);
}

TEST_F(ConfigTransferTest, OnlyTheSecondHandshakeAnswerCounts) {
  Fault(FaultKind::Ignore, 0xF1, 1);
  EXPECT_TRUE(ReadImage(link, image));
  controller.ClearFaults();
  Fault(FaultKind::Ignore, 0xF1, 4);  // the second BeginTransfer of the next transfer
  EXPECT_FALSE(ReadImage(link, image));
}

TEST_F(ConfigTransferTest, ReadFailingAtTheFourthBlockKeepsTheBlocksBefore) {
  Fault(FaultKind::Ignore, kReadBlock, 4);
  EXPECT_FALSE(ReadImage(link, image));
  const ConfigImage source = controller.Image();
  for (std::size_t i = 0; i < ConfigImage::kSize; ++i) {
    ASSERT_EQ(image[i], i < 48 ? source[i] : 0xFF) << "byte " << i;
  }
  EXPECT_EQ(controller.RequestCount(kReadBlock), 4);
}

TEST_F(ConfigTransferTest, ReadBlockAnswerShorterThanABlockFailsTheRead) {
  // Fifteen bytes would leave the sixteenth from an earlier frame in the image.
  Fault(FaultKind::ShortAnswer, 0xF2, 3);
  image.bytes.fill(0xEE);
  EXPECT_FALSE(ReadImage(link, image));
  for (std::size_t i = 0; i < ConfigImage::kSize; ++i) {
    EXPECT_EQ(image[i], i < 32 ? controller.Image()[i] : 0xEE) << i;
  }
  EXPECT_EQ(port->writes.size(), 5u);  // nothing after the third block
}

TEST_F(ConfigTransferTest, ReadBlockAnswerWithAnyCommandByteIsTaken) {
  Fault(FaultKind::WrongCommand, kReadBlock, 2);
  EXPECT_TRUE(ReadImage(link, image));
  EXPECT_EQ(image.bytes, controller.Image().bytes);
}

TEST_F(ConfigTransferTest, IgnoredWriteBlockStillSendsTheRestAndCommitButFails) {
  Fault(FaultKind::Ignore, kWriteBlock, 5);
  const ConfigImage wanted = Pattern(50);
  EXPECT_FALSE(WriteImage(link, wanted));
  EXPECT_EQ(controller.RequestCount(kWriteBlock), 10);
  EXPECT_EQ(controller.CommitCount(), 1);
  // The controller took every block but the fifth (bytes 52..64).
  const ConfigImage held = controller.Image();
  const ConfigImage before = Pattern(3);
  for (std::size_t i = 0; i < ConfigImage::kSize; ++i) {
    ASSERT_EQ(held[i], (i >= 52 && i < 65) ? before[i] : wanted[i]) << "byte " << i;
  }
}

TEST_F(ConfigTransferTest, CommitAcknowledgedAfterTwentySecondsStillCounts) {
  Fault(FaultKind::Late, kCommit, 1, 20'000);
  const std::int64_t start = clock.NowUs();
  EXPECT_TRUE(WriteImage(link, Pattern(9)));
  EXPECT_GT(clock.NowUs() - start, 20'000'000);
}

TEST_F(ConfigTransferTest, UnansweredCommitIsWaitedForThirtyReceives) {
  Fault(FaultKind::Ignore, kCommit, 1);
  EXPECT_FALSE(WriteImage(link, Pattern(9)));
  // Handshake and blocks take well under a second; then thirty failed receives of 1.5 s.
  EXPECT_GT(clock.NowUs(), 45'000'000);
  EXPECT_LT(clock.NowUs(), 46'000'000);
}

}  // namespace
}  // namespace vor
