// Image transfers against a simulated controller that misbehaves as the input says: answers
// late, stale (overtaken by the next ones), twice, cut off, garbled, with another command byte,
// or not at all. Whatever it does, no frame may stand for another request's answer, so what the
// transfers report must be what the controller holds:
// - a read that succeeded holds the controller's image;
// - a write reported as taken left the controller holding the image written;
// - a write that stopped before its Commit left the controller as it was, never committing;
// - a write whose read-back differs left the controller without the image written.
// Answers carry no address or sequence number, so a frame of the same command as the request
// that begins to arrive only after the request is out cannot be told from its answer: a copy of
// an answer is therefore sent right behind the first, and the next transfer starts after the
// latest late answer (as the programs' next transfer, after a prompt or a new command, does).
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "link/config_transfer.h"
#include "simulator/sim_faults.h"
#include "simulator/simulated_controller.h"
#include "simulator/virtual_port.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

// `forget` is left out: it acknowledges what it drops, which only the verified write's read-back
// can reveal.
constexpr std::array kKinds{
    vor::FaultKind::Silent,         vor::FaultKind::Ignore,      vor::FaultKind::CorruptChecksum,
    vor::FaultKind::StrayByte,      vor::FaultKind::Late,        vor::FaultKind::WrongCommand,
    vor::FaultKind::OverlongLength, vor::FaultKind::ShortAnswer, vor::FaultKind::Stale,
    vor::FaultKind::Twice,          vor::FaultKind::Cut,
};
constexpr std::array<std::uint8_t, 4> kCommands{0xF1, 0xF2, 0xF3, 0xF4};
constexpr std::size_t kRuleBytes = 4;
constexpr int kLatestMs = 255 * 12;
constexpr std::size_t kMaxRules = 3;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  vor::ConfigImage held;
  vor::ConfigImage wanted;
  for (std::size_t i = 0; i < vor::ConfigImage::kSize; ++i) {
    held[i] = static_cast<std::uint8_t>(i * 7 + data[0]);
    wanted[i] = static_cast<std::uint8_t>(i * 13 + data[1]);
  }
  vor::SimulatedController controller(held);
  const std::size_t rules = std::min(kMaxRules, (size - 2) / kRuleBytes);
  for (std::size_t r = 0; r < rules; ++r) {
    const std::uint8_t* rule = data + 2 + r * kRuleBytes;
    const vor::FaultKind kind = kKinds[rule[0] % kKinds.size()];
    const std::uint8_t command = kCommands[rule[1] % kCommands.size()];
    // A long length on a block answer made short pads it to sixteen bytes under a good checksum:
    // the controller's own made-up data, which no link can see.
    if (kind == vor::FaultKind::OverlongLength && command == 0xF2) continue;
    // Up to kLatestMs late; a copy right behind the first.
    const int delayMs = kind == vor::FaultKind::Twice ? 0 : (rule[3] * 12);
    controller.AddFault(vor::FaultRule(kind, command, 1 + rule[2] % 12, delayMs));
  }

  vor::VirtualClock clock;
  auto owned = std::make_unique<vor::VirtualPort>(clock, &controller);
  vor::SerialLink link(clock);
  link.SetPort(std::move(owned));

  vor::ConfigImage image;
  if (vor::ReadImage(link, image)) Check(image.bytes == controller.Image().bytes);

  clock.Sleep(kLatestMs + 100);
  const vor::ConfigImage before = controller.Image();
  const int commitsBefore = controller.CommitCount();
  switch (vor::WriteImage(link, wanted)) {
    case vor::WriteStatus::Committed:
    case vor::WriteStatus::ConfirmedByReadBack:
      Check(controller.Image().bytes == wanted.bytes);
      break;
    case vor::WriteStatus::HandshakeFailed:
    case vor::WriteStatus::BlockFailed:
      Check(controller.CommitCount() == commitsBefore);
      Check(controller.Image().bytes == before.bytes);
      break;
    case vor::WriteStatus::ReadBackDiffers:
      Check(controller.Image().bytes != wanted.bytes);
      break;
    case vor::WriteStatus::Unknown:
      break;
  }

  clock.Sleep(kLatestMs + 100);
  if (vor::ReadImage(link, image)) Check(image.bytes == controller.Image().bytes);
  return 0;
}
