#include "simulator/simulated_controller.h"

#include <algorithm>

#include "definitions/model_table.h"
#include "simulator/live_data.h"

namespace vor {
namespace {

constexpr std::uint8_t kStrayByte = 0xA5;

SimReply MakeReply(std::uint8_t command, std::span<const std::uint8_t> payload) {
  SimReply reply;
  LinkFrame frame;
  frame[LinkFrame::kCommand] = command;
  frame[LinkFrame::kLength] = static_cast<std::uint8_t>(payload.size());
  std::copy(payload.begin(), payload.end(), frame.bytes.begin() + LinkFrame::kPayload);
  reply.size = SealFrame(frame);
  std::copy_n(frame.bytes.begin(), reply.size, reply.bytes.begin());
  return reply;
}

void Reseal(SimReply& reply, std::size_t start) {
  std::uint8_t* frame = reply.bytes.data() + start;
  const std::size_t length = std::min<std::size_t>(frame[1], LinkFrame::kMaxPayload);
  frame[length + 2] = FrameChecksum(std::span<const std::uint8_t>(frame, length + 2));
}

void ApplyFault(const FaultRule& rule, std::uint8_t command, SimReply& reply) {
  switch (rule.kind) {
    case FaultKind::WrongCommand:
      reply.bytes[0] = static_cast<std::uint8_t>(command + 1);
      Reseal(reply, 0);
      break;
    case FaultKind::OverlongLength: {
      if (reply.bytes[1] > LinkFrame::kMaxPayload) break;  // another rule made it so already
      // Sixteen payload bytes follow, with the checksum a receiver that reads the length as 16
      // expects.
      const auto length = static_cast<std::ptrdiff_t>(reply.bytes[1]);
      std::fill(reply.bytes.begin() + 2 + length, reply.bytes.begin() + 2 + 16, 0);
      reply.bytes[1] = LinkFrame::kMaxPayload;
      Reseal(reply, 0);
      reply.bytes[1] = 0x14;
      reply.size = LinkFrame::kMaxSize;
      break;
    }
    case FaultKind::CorruptChecksum:
      ++reply.bytes[reply.size - 1];
      break;
    case FaultKind::ShortAnswer:
      if (reply.bytes[1] == 0) break;
      --reply.bytes[1];
      --reply.size;
      Reseal(reply, 0);
      break;
    case FaultKind::StrayByte:
      if (reply.size == reply.bytes.size()) break;  // one stray byte at most
      std::copy_backward(reply.bytes.begin(), reply.bytes.begin() + reply.size,
                         reply.bytes.begin() + reply.size + 1);
      reply.bytes[0] = kStrayByte;
      ++reply.size;
      break;
    case FaultKind::Late:
      reply.delayUs += std::int64_t{rule.delayMs} * 1000;
      break;
    case FaultKind::Stale:
      reply.delayUs += std::int64_t{rule.delayMs} * 1000;
      reply.overtaken = true;
      break;
    case FaultKind::Twice:
      reply.repeatAfterUs = std::int64_t{rule.delayMs} * 1000;
      break;
    case FaultKind::Cut:
      reply.size = std::max<std::size_t>(1, reply.size / 2);
      break;
    case FaultKind::Silent:
    case FaultKind::Ignore:
    case FaultKind::Forget:
      break;
  }
}

}  // namespace

SimulatedController::SimulatedController(const ConfigImage& image)
    : image_(image), pending_(image) {}

void SimulatedController::AddFault(const FaultRule& rule) {
  std::lock_guard lock(mutex_);
  faults_.push_back(rule);
}

void SimulatedController::ClearFaults() {
  std::lock_guard lock(mutex_);
  faults_.clear();
}

ConfigImage SimulatedController::Image() const {
  std::lock_guard lock(mutex_);
  return image_;
}

void SimulatedController::SetImage(const ConfigImage& image) {
  std::lock_guard lock(mutex_);
  image_ = pending_ = image;
}

int SimulatedController::RequestCount(std::uint8_t command) const {
  std::lock_guard lock(mutex_);
  const auto it = requestCounts_.find(command);
  return it == requestCounts_.end() ? 0 : it->second;
}

int SimulatedController::CommitCount() const {
  std::lock_guard lock(mutex_);
  return commits_;
}

void SimulatedController::SetDetectKind(std::uint8_t kind) {
  std::lock_guard lock(mutex_);
  detectKind_ = kind;
}

void SimulatedController::SetFaultWord(std::optional<std::uint16_t> word) {
  std::lock_guard lock(mutex_);
  faultWord_ = word;
}

int SimulatedController::NominalVolt() const {
  const int tens = image_[kVoltageClassAddr] - '0';
  const int units = image_[kVoltageClassAddr + 1] - '0';
  if (tens < 0 || tens > 9 || units < 0 || units > 9) return 48;
  return tens * 10 + units;
}

std::optional<SimReply> SimulatedController::Handle(const LinkFrame& request, std::int64_t nowUs) {
  std::lock_guard lock(mutex_);
  const std::uint8_t command = request.Command();
  const int number = ++requestCounts_[command];

  bool ignore = false;
  bool silent = false;
  bool forget = false;
  for (const FaultRule& rule : faults_) {
    if (!rule.Matches(command, number)) continue;
    if (rule.kind == FaultKind::Ignore) ignore = true;
    if (rule.kind == FaultKind::Silent) silent = true;
    if (rule.kind == FaultKind::Forget) forget = true;
  }
  if (ignore) return std::nullopt;

  // A forgotten request is answered from the state it found, which it then leaves as it was.
  const ConfigImage image = image_;
  const ConfigImage pending = pending_;
  const int commits = commits_;
  std::optional<SimReply> reply = Answer(request, nowUs);
  if (forget) {
    image_ = image;
    pending_ = pending;
    commits_ = commits;
  }
  if (!reply || silent) return std::nullopt;
  // Content first, then what goes around it, so that faults combine sensibly.
  static constexpr std::array kOrder{FaultKind::WrongCommand,   FaultKind::ShortAnswer,
                                     FaultKind::OverlongLength, FaultKind::CorruptChecksum,
                                     FaultKind::StrayByte,      FaultKind::Cut,
                                     FaultKind::Late,           FaultKind::Stale,
                                     FaultKind::Twice};
  for (FaultKind kind : kOrder) {
    for (const FaultRule& rule : faults_) {
      if (rule.kind == kind && rule.Matches(command, number)) ApplyFault(rule, command, *reply);
    }
  }
  return reply;
}

std::optional<SimReply> SimulatedController::Answer(const LinkFrame& request, std::int64_t nowUs) {
  const std::uint8_t length = request.Length();
  switch (static_cast<Command>(request.Command())) {
    case Command::Detect: {
      const std::array<std::uint8_t, 3> payload{0x00, 0x01, detectKind_};
      return MakeReply(request.Command(), payload);
    }
    case Command::BeginTransfer:
      pending_ = image_;
      return MakeReply(request.Command(), {});
    case Command::ReadBlock: {
      std::array<std::uint8_t, 16> payload{};
      const std::size_t addr = length >= 1 ? request.Payload(0) : 0;
      for (std::size_t i = 0; i < payload.size() && addr + i < ConfigImage::kSize; ++i) {
        payload[i] = image_[addr + i];
      }
      return MakeReply(request.Command(), payload);
    }
    case Command::WriteBlock: {
      if (length < 3) return MakeReply(request.Command(), {});
      const std::size_t addr = request.Payload(0);
      const std::size_t count = std::min<std::size_t>(request.Payload(1), length - 3u);
      for (std::size_t i = 0; i < count && addr + i < ConfigImage::kSize; ++i) {
        pending_[addr + i] = request.Payload(3 + i);
      }
      return MakeReply(request.Command(), {});
    }
    case Command::Commit:
      image_ = pending_;
      ++commits_;
      return MakeReply(request.Command(), {});
    case Command::LiveRead0:
    case Command::LiveRead1:
    case Command::LiveRead2: {
      std::array<std::uint8_t, kLiveBlockSize> block;
      FillLiveBlock(block, nowUs, NominalVolt(), faultWord_);
      const std::size_t part =
          request.Command() == static_cast<std::uint8_t>(Command::LiveRead0)   ? 0
          : request.Command() == static_cast<std::uint8_t>(Command::LiveRead1) ? 1
                                                                               : 2;
      return MakeReply(request.Command(), std::span(block).subspan(part * 16, 16));
    }
    case Command::ReadPhaseZero:
      return MakeReply(request.Command(), PhaseZeroReadings(nowUs));
    case Command::PortProbe:
      break;
  }
  return std::nullopt;
}

}  // namespace vor
