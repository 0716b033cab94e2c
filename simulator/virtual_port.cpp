#include "simulator/virtual_port.h"

#include <algorithm>

#include "link/wire_timing.h"
#include "simulator/simulated_controller.h"

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

WriteEnd VirtualPort::Write(std::span<const std::uint8_t> bytes) {
  if (fail.lineLost) return WriteEnd::LinkLost;
  if (fail.write) return WriteEnd::Failed;
  const std::int64_t start = std::max(clock_.NowUs(), outLineFreeUs_);
  writes.push_back({std::vector(bytes.begin(), bytes.end()), clock_.NowUs()});
  outLineFreeUs_ = start + WireTimeUs(static_cast<std::int64_t>(bytes.size()));
  if (!peer_) return WriteEnd::Done;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::int64_t at = start + WireTimeUs(static_cast<std::int64_t>(i + 1));
    if (reader_.Feed(bytes[i], at) != AssembleResult::FrameOk) continue;
    const std::optional<SimReply> reply = peer_->Handle(reader_.Frame(), at);
    if (!reply) continue;
    // Arrive counts a byte in when its last bit is: the first one byte time after the start.
    answers_.PlaceReply(
        *reply, at,
        [](std::size_t size) {
          return WireTimeUs(1) + WireTimeUs(static_cast<std::int64_t>(size) - 1);
        },
        [&](std::span<const std::uint8_t> answer, std::int64_t startUs) {
          Arrive(answer, startUs + WireTimeUs(1));
        });
  }
  return WriteEnd::Done;
}

bool VirtualPort::WaitUntil(std::int64_t atUs, const std::atomic<bool>* stop) {
  if (!stop) {
    clock_.WaitUntil(atUs);
    return true;
  }
  while (clock_.NowUs() < atUs) {
    if (stop->load()) return false;
    clock_.WaitUntil(std::min(atUs, clock_.NowUs() + std::int64_t{kStopSliceMs} * 1000));
  }
  return true;
}

ReadResult VirtualPort::Read(std::span<std::uint8_t> buffer, const std::atomic<bool>* stop) {
  ++readCalls;
  if (fail.lineLost) return {0, ReadEnd::LinkLost};
  const std::int64_t start = clock_.NowUs();
  const std::int64_t total = start + (std::int64_t{timeouts.readTotalMultiplierMs} *
                                          static_cast<std::int64_t>(buffer.size()) +
                                      timeouts.readTotalConstantMs) *
                                         1000;
  const std::int64_t interval = std::int64_t{timeouts.readIntervalMs} * 1000;
  int got = 0;
  std::int64_t last = start;
  while (std::size_t(got) < buffer.size()) {
    const std::int64_t deadline = got == 0 ? total : std::min(total, last + interval);
    if (incoming_.empty() || incoming_.front().atUs > deadline) {
      if (!WaitUntil(deadline, stop)) return {got, ReadEnd::Stopped};
      return {got, ReadEnd::Done};
    }
    if (!WaitUntil(incoming_.front().atUs, stop)) return {got, ReadEnd::Stopped};
    last = std::max(last, incoming_.front().atUs);
    buffer[std::size_t(got++)] = incoming_.front().byte;
    incoming_.pop_front();
  }
  return {got, ReadEnd::Done};
}

ReadResult VirtualPort::DiscardInput(int quietMs, int limitMs, std::span<std::uint8_t> dropped,
                                     const std::atomic<bool>* stop) {
  ++discards;
  ReadResult result;
  if (fail.lineLost) {
    result.end = ReadEnd::LinkLost;
    return result;
  }
  const std::int64_t limit = clock_.NowUs() + std::int64_t{limitMs} * 1000;
  std::int64_t last = clock_.NowUs();
  for (;;) {
    const std::int64_t quietUntil = last + std::int64_t{quietMs} * 1000;
    const bool quiet = incoming_.empty() || incoming_.front().atUs > quietUntil;
    // A byte due after the limit is left for the next read, as a real line would leave it.
    if (quiet ? quietUntil > limit : incoming_.front().atUs > limit) {
      result.end = WaitUntil(limit, stop) ? ReadEnd::NeverQuiet : ReadEnd::Stopped;
      return result;
    }
    if (quiet) {
      if (!WaitUntil(quietUntil, stop)) result.end = ReadEnd::Stopped;
      return result;
    }
    if (!WaitUntil(incoming_.front().atUs, stop)) {
      result.end = ReadEnd::Stopped;
      return result;
    }
    last = std::max(last, incoming_.front().atUs);
    if (std::size_t(result.count) < dropped.size()) {
      dropped[std::size_t(result.count)] = incoming_.front().byte;
    }
    incoming_.pop_front();
    ++result.count;
  }
}

ReadResult VirtualPort::DiscardArrived(std::span<std::uint8_t> dropped) {
  ReadResult result;
  if (fail.lineLost) {
    result.end = ReadEnd::LinkLost;
    return result;
  }
  while (!incoming_.empty() && incoming_.front().atUs <= clock_.NowUs()) {
    if (std::size_t(result.count) < dropped.size()) {
      dropped[std::size_t(result.count)] = incoming_.front().byte;
    }
    incoming_.pop_front();
    ++result.count;
  }
  return result;
}

void VirtualClock::AdvanceTo(std::int64_t us) {
  while (!actions_.empty() && actions_.begin()->first <= us) {
    auto due = actions_.extract(actions_.begin());
    if (due.key() > nowUs_) nowUs_ = due.key();
    due.mapped()();
  }
  if (us > nowUs_) nowUs_ = us;
}

void VirtualClock::At(std::int64_t atUs, std::function<void()> action) {
  actions_.emplace(atUs, std::move(action));
  if (atUs <= nowUs_) AdvanceTo(nowUs_);
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
