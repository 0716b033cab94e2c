#pragma once

// Ports that hold the link thread at a chosen point of an exchange until the test lets it go, so
// a test can act (hide a page, restart a poll, end the link) while the link thread is provably
// inside that exchange, and judge the outcome by what reached the wire rather than by time.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "link/serial_port.h"

namespace vor::test {

class HoldingPorts : public PortSystem {
public:
  enum class Point {
    // The first read after the request was written: it ends early when the link's stop flag
    // rises, as a real port's wait does between its slices.
    ReadAfter,
    // The write of the request itself: nothing cuts it short, as with a write the driver holds
    // back (or a port being reopened).
    Write,
  };

  explicit HoldingPorts(PortSystem& inner) : inner_(inner) {}

  // Holds at `point` of the `nth` request (1-based, counted from now) with command byte
  // `command`. Any thread.
  void HoldAt(Point point, std::uint8_t command, int nth = 1) {
    std::lock_guard lock(mutex_);
    point_ = point;
    command_ = command;
    toGo_ = nth;
    armed_ = true;
    held_ = released_ = stopRaised_ = false;
  }
  // Blocks the calling thread until the link thread has been held; false when it is not within
  // a few seconds, so that a test fails rather than hangs.
  bool WaitUntilHeld() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, kPatience, [this] { return held_; });
  }
  // Lets the held exchange go on (or the one still to come pass).
  void Release() {
    std::lock_guard lock(mutex_);
    released_ = true;
    changed_.notify_all();
  }
  // The link thread is held at this moment.
  bool Holding() const {
    std::lock_guard lock(mutex_);
    return holding_;
  }
  // The link's stop flag was up when the held read went on.
  bool StopRaisedWhileHeld() const {
    std::lock_guard lock(mutex_);
    return stopRaised_;
  }
  // The thread that closed the last port closed.
  std::thread::id ClosedOn() const {
    std::lock_guard lock(mutex_);
    return closedOn_;
  }

  QStringList AvailablePorts() override { return inner_.AvailablePorts(); }
  std::unique_ptr<SerialPort> Open(const QString& devicePath, OpenStatus& status) override {
    std::unique_ptr<SerialPort> port = inner_.Open(devicePath, status);
    return port ? std::make_unique<Port>(*this, std::move(port)) : nullptr;
  }

private:
  static constexpr std::chrono::seconds kPatience{10};

  class Port : public SerialPort {
  public:
    Port(HoldingPorts& owner, std::unique_ptr<SerialPort> inner)
        : owner_(owner), inner_(std::move(inner)) {}
    ~Port() override {
      std::lock_guard lock(owner_.mutex_);
      owner_.closedOn_ = std::this_thread::get_id();
    }

    bool SetQueueSizes(int in, int out) override { return inner_->SetQueueSizes(in, out); }
    bool ApplyLineSettings(const PortSettings& s) override { return inner_->ApplyLineSettings(s); }
    bool SetTimeouts(const PortTimeouts& t) override { return inner_->SetTimeouts(t); }
    bool Purge() override { return inner_->Purge(); }
    WriteEnd Write(std::span<const std::uint8_t> bytes) override {
      const std::optional<Point> at = bytes.empty() ? std::nullopt : owner_.Sent(bytes[0]);
      if (at == Point::Write) owner_.Hold(nullptr);
      holdNextRead_ = at == Point::ReadAfter;
      return inner_->Write(bytes);
    }
    ReadResult Read(std::span<std::uint8_t> buffer, const std::atomic<bool>* stop) override {
      if (holdNextRead_) {
        holdNextRead_ = false;
        owner_.Hold(stop);
      }
      return inner_->Read(buffer, stop);
    }
    ReadResult DiscardInput(int quietMs, int limitMs, std::span<std::uint8_t> dropped,
                            const std::atomic<bool>* stop) override {
      return inner_->DiscardInput(quietMs, limitMs, dropped, stop);
    }
    ReadResult DiscardArrived(std::span<std::uint8_t> dropped) override {
      return inner_->DiscardArrived(dropped);
    }

  private:
    HoldingPorts& owner_;
    std::unique_ptr<SerialPort> inner_;
    bool holdNextRead_ = false;  // link thread only
  };

  // The link thread writes a request with command byte `command`: where it is to be held, if.
  std::optional<Point> Sent(std::uint8_t command) {
    std::lock_guard lock(mutex_);
    if (!armed_ || command != command_ || --toGo_ > 0) return std::nullopt;
    armed_ = false;
    return point_;
  }

  // Holds the link thread until Release, or until `*stop` rises when `stop` is given.
  void Hold(const std::atomic<bool>* stop) {
    std::unique_lock lock(mutex_);
    held_ = holding_ = true;
    changed_.notify_all();
    const auto giveUp = std::chrono::steady_clock::now() + kPatience;
    // Nobody tells us of the stop flag: it is looked at in short slices, as a real port does.
    while (!released_ && !(stop && stop->load()) && std::chrono::steady_clock::now() < giveUp) {
      changed_.wait_for(lock, std::chrono::milliseconds(1));
    }
    stopRaised_ = stop && stop->load();
    holding_ = false;
  }

  PortSystem& inner_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  Point point_ = Point::ReadAfter;
  std::uint8_t command_ = 0;
  int toGo_ = 0;
  bool armed_ = false;
  bool held_ = false;  // has been held since HoldAt
  bool holding_ = false;
  bool released_ = false;
  bool stopRaised_ = false;
  std::thread::id closedOn_;
};

}  // namespace vor::test
