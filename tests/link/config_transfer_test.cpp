// Image transfers against the simulated controller on virtual time.
#include "link/config_transfer.h"

#include <gtest/gtest.h>

#include "definitions/model_images.h"
#include "simulator/sim_faults.h"
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
  ASSERT_EQ(WriteImage(link, wanted), WriteStatus::Committed);
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
  // Two 50 ms waits and two receives of ten 150 ms attempts, with a quiet gap between them.
  EXPECT_EQ(clock.NowUs(), 2 * (50'000 + 1'500'000) + SerialLink::kQuietGapMs * 1000);
  EXPECT_EQ(image.bytes, ConfigImage().bytes);

  EXPECT_EQ(WriteImage(link, Pattern(1)), WriteStatus::HandshakeFailed);
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

// Block addresses are not in the answers: only the command byte tells a block from another
// frame, and a frame that is not a block is no block.
TEST_F(ConfigTransferTest, AFrameWithAnotherCommandByteIsNoBlock) {
  Fault(FaultKind::WrongCommand, kReadBlock, 2);
  image.bytes.fill(0xEE);
  EXPECT_FALSE(ReadImage(link, image));
  for (std::size_t i = 0; i < ConfigImage::kSize; ++i) {
    ASSERT_EQ(image[i], i < 16 ? controller.Image()[i] : 0xEE) << i;
  }
}

// What the controller holds after a write.
enum class Held {
  Written,                // the image written
  Previous,               // its configuration from before, whole
  WrittenButSecondBlock,  // the image written, but for bytes 13..25, which are as before
};

struct WriteCase {
  const char* name;
  std::vector<const char*> faults;  // as vor-sim takes them
  WriteStatus expect;
  Held held;
  int writeBlocks;  // WriteBlock requests sent
  int commits;      // Commit requests sent
  std::int64_t minUs, maxUs;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class WriteFaultTest : public ConfigTransferTest,
                       public ::testing::WithParamInterface<WriteCase> {};

// Whatever goes wrong, the result says what the controller holds, and it never holds a mix of
// new and old blocks that the link could have known about.
TEST_P(WriteFaultTest, ReportsWhatTheControllerHolds) {
  const WriteCase& c = GetParam();
  for (const char* text : c.faults) {
    QString error;
    const std::optional<FaultRule> rule = ParseFaultRule(text, error);
    ASSERT_TRUE(rule) << error.toStdString();
    controller.AddFault(*rule);
  }
  const ConfigImage before = controller.Image();
  const ConfigImage wanted = Pattern(50);

  EXPECT_EQ(WriteImage(link, wanted), c.expect);
  const ConfigImage held = controller.Image();
  for (std::size_t i = 0; i < ConfigImage::kSize; ++i) {
    const bool old =
        c.held == Held::Previous || (c.held == Held::WrittenButSecondBlock && i >= 13 && i < 26);
    ASSERT_EQ(held[i], old ? before[i] : wanted[i]) << "byte " << i;
  }
  EXPECT_EQ(controller.RequestCount(kWriteBlock), c.writeBlocks);
  EXPECT_EQ(controller.RequestCount(kCommit), c.commits);
  EXPECT_GE(clock.NowUs(), c.minUs);
  EXPECT_LE(clock.NowUs(), c.maxUs);
}

// The thirty receives of an unanswered Commit take 45 s; everything else well under 2 s.
constexpr std::int64_t kCommitWaitUs = 30 * 1'500'000;

INSTANTIATE_TEST_SUITE_P(
    Faults, WriteFaultTest,
    ::testing::Values(
        WriteCase{"AllAnswered", {}, WriteStatus::Committed, Held::Written, 10, 1, 0, 1'000'000},
        WriteCase{"SilentController",
                  {"silent"},
                  WriteStatus::HandshakeFailed,
                  Held::Previous,
                  0,
                  0,
                  3'000'000,
                  4'000'000},
        // No Commit after a lost block, and nothing more sent.
        WriteCase{"IgnoredBlock",
                  {"ignore:f3:4"},
                  WriteStatus::BlockFailed,
                  Held::Previous,
                  4,
                  0,
                  1'500'000,
                  2'500'000},
        // The controller took the block, but its answer is garbled: no Commit all the same.
        WriteCase{"GarbledBlockAcknowledgement",
                  {"bad-checksum:f3:3"},
                  WriteStatus::BlockFailed,
                  Held::Previous,
                  3,
                  0,
                  0,
                  1'000'000},
        // Acknowledged and dropped: only reading back shows it, which vor-cli and the window do.
        WriteCase{"ForgottenBlock",
                  {"forget:f3:2"},
                  WriteStatus::Committed,
                  Held::WrittenButSecondBlock,
                  10,
                  1,
                  0,
                  1'000'000},
        // Decided by reading back at once, without waiting out the other receives.
        WriteCase{"GarbledCommitAcknowledgement",
                  {"bad-checksum:f4:1"},
                  WriteStatus::ConfirmedByReadBack,
                  Held::Written,
                  10,
                  1,
                  0,
                  1'500'000},
        WriteCase{"StrayByteBeforeTheCommitAcknowledgement",
                  {"stray:f4:1"},
                  WriteStatus::ConfirmedByReadBack,
                  Held::Written,
                  10,
                  1,
                  1'500'000,
                  3'000'000},
        // The first BeginTransfer's answer comes 2.5 s late, while the last block's is awaited,
        // which never comes: it is no acknowledgement of the block, and no Commit goes out.
        WriteCase{"ALateHandshakeAnswerIsNoBlockAcknowledgement",
                  {"stale:f1:1:2500", "ignore:f3:10"},
                  WriteStatus::BlockFailed,
                  Held::Previous,
                  10,
                  0,
                  3'000'000,
                  4'000'000},
        // ... nor an acknowledgement of a Commit the controller ignored: the read-back decides.
        WriteCase{"ALateHandshakeAnswerIsNoCommitAcknowledgement",
                  {"stale:f1:1:2500", "ignore:f4:1"},
                  WriteStatus::ReadBackDiffers,
                  Held::Previous,
                  10,
                  1,
                  kCommitWaitUs,
                  kCommitWaitUs + 4'000'000},
        WriteCase{"LateCommitAcknowledgementCounts",
                  {"late:f4:1:20000"},
                  WriteStatus::Committed,
                  Held::Written,
                  10,
                  1,
                  20'000'000,
                  22'000'000},
        WriteCase{"CommitTakenButNotAcknowledged",
                  {"silent:f4:1"},
                  WriteStatus::ConfirmedByReadBack,
                  Held::Written,
                  10,
                  1,
                  kCommitWaitUs,
                  kCommitWaitUs + 2'000'000},
        WriteCase{"CommitIgnored",
                  {"ignore:f4:1"},
                  WriteStatus::ReadBackDiffers,
                  Held::Previous,
                  10,
                  1,
                  kCommitWaitUs,
                  kCommitWaitUs + 2'000'000},
        // The read-back's second BeginTransfer goes unanswered too.
        WriteCase{"CommitIgnoredAndNoReadBack",
                  {"ignore:f4:1", "ignore:f1:4"},
                  WriteStatus::Unknown,
                  Held::Previous,
                  10,
                  1,
                  kCommitWaitUs,
                  kCommitWaitUs + 5'000'000}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vor
