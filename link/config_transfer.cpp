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
    link.SendFrame();
    link.Clock().Sleep(L::kHandshakeWaitMs);
    answered = link.ReceiveFrame() == Received::Frame;
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
  link.SendFrame();
  return link.ReceiveFrame() == Received::Frame;
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
    link.SendFrame();
    if (link.ReceiveFrame() != Received::Frame) return false;
    // An answer shorter than a block would leave bytes of an earlier frame in the image, and a
    // later Write would send them to the controller. A longer one is cut to sixteen bytes.
    if (link.rxFrame.Length() < L::kReadBlockBytes) return false;
    std::copy_n(link.rxFrame.bytes.begin() + LinkFrame::kPayload, L::kReadBlockBytes,
                image.bytes.begin() + addr);
  }
  return true;
}

bool WriteImage(SerialLink& link, const ConfigImage& image) {
  if (!OpeningHandshake(link)) return false;
  bool result = true;
  for (int block = 0; block < L::kWriteBlocks; ++block) {
    result = WriteBlock(link, image, block * L::kWriteBlockBytes, L::kWriteBlockBytes) && result;
  }
  result = WriteBlock(link, image, L::kLastBlockAddr, L::kLastBlockBytes) && result;

  link.SetRequest(Command::Commit, 0);
  link.SendFrame();
  bool committed = false;
  for (int i = 0; i < L::kCommitReceives && !committed; ++i) {
    const Received how = link.ReceiveFrame();
    committed = how == Received::Frame;
    // A lost line or a stop ends the wait; only silence and bad frames use up the 30 receives.
    if (how == Received::LinkLost || how == Received::Aborted) break;
  }
  return committed && result;
}

}  // namespace vor
