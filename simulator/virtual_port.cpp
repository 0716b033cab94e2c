#include "simulator/virtual_port.h"

#include <algorithm>

#include "simulator/simulated_controller.h"
#include "simulator/wire_timing.h"

namespace vor {

void VirtualPort::Arrive(std::span<const std::uint8_t> bytes, std::int64_t atUs, bool paced) {
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::int64_t t = paced ? atUs + WireTimeUs(static_cast<std::int64_t>(i)) : atUs;
    const auto pos =
        std::upper_bound(incoming_.begin(), incoming_.end(), t,
                         [](std::int64_t v, const Incoming& in) { return v < in.atUs; });
    incoming_.insert(pos, Incoming{t, bytes[i]});
  }
}

bool VirtualPort::SetQueueSizes(int, int) { return !fail.queueSizes; }

bool VirtualPort::ApplyLineSettings(const PortSettings& newSettings) {
  if (fail.lineSettings) return false;
  settings = newSettings;
  return true;
}

bool VirtualPort::SetTimeouts(const PortTimeouts& newTimeouts) {
  if (fail.timeouts) return false;
  timeouts = newTimeouts;
  return true;
}

bool VirtualPort::Purge() {
  if (fail.purge) return false;
  ++purges;
  const std::int64_t now = clock_.NowUs();
  while (!incoming_.empty() && incoming_.front().atUs <= now) incoming_.pop_front();
  return true;
}

bool VirtualPort::Write(std::span<const std::uint8_t> bytes) {
  if (fail.write) return false;
  const std::int64_t start = std::max(clock_.NowUs(), outLineFreeUs_);
  writes.push_back({std::vector(bytes.begin(), bytes.end()), clock_.NowUs()});
  outLineFreeUs_ = start + WireTimeUs(static_cast<std::int64_t>(bytes.size()));
  if (!peer_) return true;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::int64_t at = start + WireTimeUs(static_cast<std::int64_t>(i + 1));
    if (reader_.Feed(bytes[i], at) != AssembleResult::FrameOk) continue;
    const std::optional<SimReply> reply = peer_->Handle(reader_.Frame(), at);
    if (!reply) continue;
    const std::int64_t first = std::max(at + reply->delayUs, inLineFreeUs_) + WireTimeUs(1);
    Arrive(std::span(reply->bytes).first(reply->size), first);
    inLineFreeUs_ = first + WireTimeUs(static_cast<std::int64_t>(reply->size) - 1);
  }
  return true;
}

int VirtualPort::Read(std::span<std::uint8_t> buffer) {
  ++readCalls;
  if (fail.read) return -1;
  const std::int64_t start = clock_.NowUs();
  const std::int64_t total = start + (std::int64_t{timeouts.readTotalMultiplierMs} *
                                          static_cast<std::int64_t>(buffer.size()) +
                                      timeouts.readTotalConstantMs) *
                                         1000;
  const std::int64_t interval = std::int64_t{timeouts.readIntervalMs} * 1000;
  std::size_t got = 0;
  std::int64_t last = start;
  while (got < buffer.size()) {
    const std::int64_t deadline = got == 0 ? total : std::min(total, last + interval);
    if (incoming_.empty() || incoming_.front().atUs > deadline) {
      clock_.AdvanceTo(deadline);
      return static_cast<int>(got);
    }
    last = std::max(last, incoming_.front().atUs);
    buffer[got++] = incoming_.front().byte;
    incoming_.pop_front();
  }
  clock_.AdvanceTo(last);
  return static_cast<int>(got);
}

VirtualPortSystem::Device& VirtualPortSystem::AddDevice(const QString& devicePath,
                                                        SimulatedController* controller) {
  devices_.emplace_back(devicePath, Device{});
  devices_.back().second.controller = controller;
  return devices_.back().second;
}

QStringList VirtualPortSystem::AvailablePorts() {
  QStringList paths;
  for (const auto& [path, device] : devices_) {
    if (device.listed) paths.append(path);
  }
  return paths;
}

std::unique_ptr<SerialPort> VirtualPortSystem::Open(const QString& devicePath, OpenStatus& status) {
  const auto it = std::find_if(devices_.begin(), devices_.end(),
                               [&](const auto& entry) { return entry.first == devicePath; });
  if (it == devices_.end()) {
    status = OpenStatus::Missing;
    return nullptr;
  }
  status = it->second.openStatus;
  if (status != OpenStatus::Ok) return nullptr;
  auto port = std::make_unique<VirtualPort>(clock_, it->second.controller);
  opens.push_back(devicePath);
  if (it->second.onOpen) it->second.onOpen(*port, ++openCounts_[devicePath]);
  return port;
}

}  // namespace vor
