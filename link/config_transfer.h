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

// How a write of the image ended, and so what the controller holds.
enum class WriteStatus {
  // Every block and the Commit were acknowledged: the controller holds the image.
  Committed,
  // The Commit's acknowledgement was garbled or never came, and the image read back afterwards
  // is the one written: the controller holds it.
  ConfirmedByReadBack,
  // The controller did not answer the opening handshake: nothing was written.
  HandshakeFailed,
  // A block went unanswered (or could not be sent, or the write was stopped): no Commit was sent,
  // so the controller keeps its previous configuration whole.
  BlockFailed,
  // The Commit's acknowledgement was garbled or never came, and the image read back is not the
  // one written: the controller did not take it.
  ReadBackDiffers,
  // The Commit's acknowledgement was garbled or never came, and the image could not be read back
  // (or the write was stopped): what the controller holds is not known.
  Unknown,
};

// Whether the controller holds the image written.
bool WriteSucceeded(WriteStatus status);

// Sends all of `image` and commits it. Once a block has gone unanswered nothing more is sent, so
// the controller never commits a mix of new and old blocks. A late Commit acknowledgement still
// counts (up to thirty receives, with nothing sent and nothing drained between them); where the
// Commit's outcome stays uncertain, the image is read back and decides. `image` is not changed.
WriteStatus WriteImage(SerialLink& link, const ConfigImage& image);

}  // namespace vor
