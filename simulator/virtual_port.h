#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <vector>

#include "link/serial_port.h"
#include "simulator/answer_schedule.h"
#include "simulator/line_time.h"
#include "simulator/request_reader.h"

namespace vor {

class SimulatedController;

// Virtual time for tests: Sleep moves the time forward at once. Actions scheduled with At run
// when the time passes their moment, as a stop request from another thread would arrive.
class VirtualClock : public LinkClock, public LineTime {
public:
  void SleepUs(std::int64_t us) override { AdvanceTo(nowUs_ + us); }
  std::int64_t NowUs() override { return nowUs_; }
  void WaitUntil(std::int64_t us) override { AdvanceTo(us); }
  void AdvanceTo(std::int64_t us);
  // Runs `action` when the time reaches `atUs` (at once if it already has, at the next advance).
  void At(std::int64_t atUs, std::function<void()> action);

private:
  std::int64_t nowUs_ = 0;
  std::multimap<std::int64_t, std::function<void()>> actions_;
};

// A serial port inside the process. Bytes come from a simulated controller on the other end of the
// line, or are scripted to arrive at given times; reads honour the port's time-outs exactly. On
// virtual time (the tests) the clock moves forward instead of waiting, and any call can be made to
// fail; on real time it is the line of a program's simulated controller where there is no
// pseudo-terminal.
class VirtualPort : public SerialPort {
public:
  struct Failures {
    bool queueSizes = false;
    bool lineSettings = false;
    bool timeouts = false;
    bool purge = false;
    bool write = false;     // writes do not complete (WriteEnd::Failed); the line stays
    bool lineLost = false;  // reads and writes fail as on an unplugged adapter
  };
  struct Written {
    std::vector<std::uint8_t> bytes;
    std::int64_t atUs;
  };

  explicit VirtualPort(LineTime& clock, SimulatedController* peer = nullptr)
      : clock_(clock), peer_(peer) {}

  // Bytes that arrive on the line, the first complete at `atUs`, the others one byte time apart
  // (or all at `atUs` when not `paced`).
  void Arrive(std::span<const std::uint8_t> bytes, std::int64_t atUs, bool paced = true);

  bool SetQueueSizes(int inputBytes, int outputBytes) override;
  bool ApplyLineSettings(const PortSettings& settings) override;
  bool SetTimeouts(const PortTimeouts& timeouts) override;
  bool Purge() override;
  WriteEnd Write(std::span<const std::uint8_t> bytes) override;
  ReadResult Read(std::span<std::uint8_t> buffer, const std::atomic<bool>* stop) override;
  ReadResult DiscardInput(int quietMs, int limitMs, std::span<std::uint8_t> dropped,
                          const std::atomic<bool>* stop) override;
  ReadResult DiscardArrived(std::span<std::uint8_t> dropped) override;

  Failures fail;
  std::vector<Written> writes;  // every successful write, in order
  PortSettings settings;
  PortTimeouts timeouts;
  int purges = 0;
  int readCalls = 0;
  int discards = 0;  // DiscardInput calls: drains that wait for a quiet line

private:
  struct Incoming {
    std::int64_t atUs;
    std::uint8_t byte;
  };

  // Moves the time to `atUs`, in stop slices when `stop` is given; false when the stop came first.
  bool WaitUntil(std::int64_t atUs, const std::atomic<bool>* stop);

  LineTime& clock_;
  SimulatedController* peer_;
  RequestReader reader_;
  std::deque<Incoming> incoming_;  // by arrival time
  std::int64_t outLineFreeUs_ = 0;
  AnswerSchedule answers_;  // the controller's side of the line
};

// A machine's serial ports inside the process: named devices, some with a simulated controller on
// the line, some that refuse to open. Keeps a log of every open.
class VirtualPortSystem : public PortSystem {
public:
  struct Device {
    SimulatedController* controller = nullptr;
    OpenStatus openStatus = OpenStatus::Ok;
    bool listed = true;  // appears in AvailablePorts
    // Called with each newly opened port and its open number (1-based), e.g. to make the first
    // configuration fail.
    std::function<void(VirtualPort&, int)> onOpen;
  };

  explicit VirtualPortSystem(LineTime& clock) : clock_(clock) {}

  Device& AddDevice(const QString& devicePath, SimulatedController* controller = nullptr);

  QStringList AvailablePorts() override;
  std::unique_ptr<SerialPort> Open(const QString& devicePath, OpenStatus& status) override;

  std::vector<QString> opens;  // every successful open, in order

private:
  LineTime& clock_;
  std::deque<std::pair<QString, Device>> devices_;  // references handed out stay valid
  std::map<QString, int> openCounts_;
};

}  // namespace vor
