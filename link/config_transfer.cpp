#include "link/config_transfer.h"

#include <algorithm>

namespace vor {
namespace {

using L = TransferLayout;

// BeginTransfer twice; only the second answer counts.
bool OpeningHandshake(SerialLink& link) {
  bool answered = false;
  for (int i = 0; i < 2; ++i) {
    link.SetRequest(Command::BeginTransfer, 0);
    answered = link.Exchange(L::kHandshakeWaitMs) == Received::Frame;
  }
  return answered;
}

bool WriteBlock(SerialLink& link, const ConfigImage& image, int addr, int count) {
  link.SetRequest(Command::WriteBlock, static_cast<std::uint8_t>(count + 3));
  link.txFrame[LinkFrame::kPayload + 0] = static_cast<std::uint8_t>(addr);
  link.txFrame[LinkFrame::kPayload + 1] = static_cast<std::uint8_t>(count);
  link.txFrame[LinkFrame::kPayload + 2] = 0;
  std::copy_n(image.bytes.begin() + addr, count,
              link.txFrame.bytes.begin() + LinkFrame::kPayload + 3);
  return link.Exchange() == Received::Frame;
}

}  // namespace

bool ReadImage(SerialLink& link, ConfigImage& image) {
  if (!OpeningHandshake(link)) return false;
  for (int block = 0; block < L::kReadBlocks; ++block) {
    const int addr = block * L::kReadBlockBytes;
    link.SetRequest(Command::ReadBlock, 3);
    link.txFrame[LinkFrame::kPayload + 0] = static_cast<std::uint8_t>(addr);
    link.txFrame[LinkFrame::kPayload + 1] = L::kReadBlockBytes;
    link.txFrame[LinkFrame::kPayload + 2] = 0;
    // Only a whole block is an answer: a shorter one would leave bytes of an earlier frame in
    // the image, and a later Write would send them to the controller.
    if (link.Exchange() != Received::Frame) return false;
    std::copy_n(link.rxFrame.bytes.begin() + LinkFrame::kPayload, L::kReadBlockBytes,
                image.bytes.begin() + addr);
  }
  return true;
}

bool WriteSucceeded(WriteStatus status) {
  return status == WriteStatus::Committed || status == WriteStatus::ConfirmedByReadBack;
}

WriteStatus WriteImage(SerialLink& link, const ConfigImage& image) {
  if (!OpeningHandshake(link)) return WriteStatus::HandshakeFailed;
  // The controller takes the blocks into a pending image that only the Commit makes current: a
  // Commit after a lost block would make a mix of new and old bytes its configuration.
  for (int block = 0; block < L::kWriteBlocks; ++block) {
    if (!WriteBlock(link, image, block * L::kWriteBlockBytes, L::kWriteBlockBytes)) {
      return WriteStatus::BlockFailed;
    }
  }
  if (!WriteBlock(link, image, L::kLastBlockAddr, L::kLastBlockBytes)) {
    return WriteStatus::BlockFailed;
  }

  link.SetRequest(Command::Commit, 0);
  Received how = link.Exchange();
  // The acknowledgement may come late: silence is waited out for up to thirty receives, and a
  // late acknowledgement still counts.
  for (int i = 1; i < L::kCommitReceives && how == Received::NoAnswer; ++i) {
    how = link.ReceiveFrame();
  }
  if (how == Received::Frame) return WriteStatus::Committed;
  if (how == Received::Aborted) return WriteStatus::Unknown;
  // A garbled or missing acknowledgement says nothing about the Commit itself: what the controller
  // now holds does.
  ConfigImage held;
  if (!ReadImage(link, held)) return WriteStatus::Unknown;
  return held.bytes == image.bytes ? WriteStatus::ConfirmedByReadBack
                                   : WriteStatus::ReadBackDiffers;
}

}  // namespace vor
