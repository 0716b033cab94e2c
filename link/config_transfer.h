#pragma once

#include "link/config_image.h"
#include "link/serial_link.h"

namespace vor {

// Layout of the image on the wire.
struct TransferLayout {
  static constexpr int kReadBlocks = 8;
  static constexpr int kReadBlockBytes = 16;
  static constexpr int kWriteBlocks = 9;  // full write blocks, followed by the last one
  static constexpr int kWriteBlockBytes = 13;
  static constexpr int kLastBlockAddr = 117;
  static constexpr int kLastBlockBytes = 11;
  static constexpr int kHandshakeWaitMs = 50;
  static constexpr int kCommitReceives = 30;
};

// Fills `image` from the controller, block by block. Returns true when all eight blocks arrived,
// each with its sixteen bytes; after a failure the blocks received so far stay in the image and
// the rest keep their bytes.
bool ReadImage(SerialLink& link, ConfigImage& image);

// Sends all of `image` and commits it. Once the handshake is answered every block and the Commit
// are sent even when a block goes unanswered; the result is true only when every exchange was
// answered. `image` is not changed.
bool WriteImage(SerialLink& link, const ConfigImage& image);

}  // namespace vor
