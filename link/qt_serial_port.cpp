#include "link/qt_serial_port.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <algorithm>
#include <array>
#include <chrono>
#include <thread>

#include "link/port_lock.h"
#include "link/serial_device.h"

namespace vor {
namespace {

QSerialPort::Parity ToQt(Parity parity) {
  switch (parity) {
    case Parity::None:
      return QSerialPort::NoParity;
    case Parity::Odd:
      return QSerialPort::OddParity;
    case Parity::Even:
      return QSerialPort::EvenParity;
    case Parity::Mark:
      return QSerialPort::MarkParity;
    case Parity::Space:
      return QSerialPort::SpaceParity;
  }
  return QSerialPort::NoParity;
}

QSerialPort::StopBits ToQt(StopBits stopBits) {
  switch (stopBits) {
    case StopBits::One:
      return QSerialPort::OneStop;
    case StopBits::OneAndHalf:
      return QSerialPort::OneAndHalfStop;
    case StopBits::Two:
      return QSerialPort::TwoStop;
  }
  return QSerialPort::OneStop;
}

class QtSerialPort : public SerialPort {
public:
  explicit QtSerialPort(const QString& devicePath) : devicePath_(DeviceFile(devicePath)) {
    port_.setPortName(devicePath_);
  }

  OpenStatus Open() {
    if (port_.open(QIODevice::ReadWrite)) {
      // Qt's lock file and the terminal's exclusive mode keep out only some of the other users
      // of the device (not root); this lock keeps out every one that takes it too.
      if (LockDevice(port_) != DeviceLock::HeldElsewhere) return OpenStatus::Ok;
      port_.close();
      return OpenStatus::Busy;
    }
    return OpenFailureStatus(devicePath_, port_.error());
  }

  bool SetQueueSizes(int inputBytes, int /*outputBytes*/) override {
    // The driver's output queue is not ours to size here; the input side bounds Qt's buffer.
    port_.setReadBufferSize(inputBytes);
    return port_.isOpen();
  }

  bool ApplyLineSettings(const PortSettings& settings) override {
    // Flow control, DTR and RTS stay as the driver has them.
    bool ok = port_.setBaudRate(settings.baudRate);
    ok = settings.dataBits >= QSerialPort::Data5 && settings.dataBits <= QSerialPort::Data8 &&
         port_.setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits)) && ok;
    ok = port_.setParity(ToQt(settings.parity)) && ok;
    ok = port_.setStopBits(ToQt(settings.stopBits)) && ok;
    return ok;
  }

  bool SetTimeouts(const PortTimeouts& timeouts) override {
    timeouts_ = timeouts;
    return port_.isOpen();
  }

  bool Purge() override { return port_.clear(QSerialPort::AllDirections); }

  WriteEnd Write(std::span<const std::uint8_t> bytes) override {
    if (lost_) return WriteEnd::LinkLost;
    port_.clearError();
    const auto size = static_cast<qint64>(bytes.size());
    const int timeoutMs =
        timeouts_.writeTotalMultiplierMs * static_cast<int>(size) + timeouts_.writeTotalConstantMs;
    if (port_.write(reinterpret_cast<const char*>(bytes.data()), size) == size &&
        port_.waitForBytesWritten(timeoutMs)) {
      return WriteEnd::Done;
    }
    const bool timedOut = port_.error() == QSerialPort::TimeoutError;
    // Qt would keep the unsent bytes and send them with a later call, in front of another
    // request. Drop them.
    port_.clear(QSerialPort::Output);
    if (timedOut) return WriteEnd::Failed;
    // The line is gone (unplugged, or the other end closed): fail every later call at once.
    lost_ = true;
    return WriteEnd::LinkLost;
  }

  ReadResult Read(std::span<std::uint8_t> buffer, const std::atomic<bool>* stop) override {
    if (lost_) return {0, ReadEnd::LinkLost};
    QElapsedTimer timer;
    timer.start();
    const auto wanted = static_cast<qint64>(buffer.size());
    const qint64 totalUs =
        (qint64{timeouts_.readTotalMultiplierMs} * wanted + timeouts_.readTotalConstantMs) * 1000;
    const qint64 intervalUs = qint64{timeouts_.readIntervalMs} * 1000;
    ReadResult result;
    qint64 got = 0;
    qint64 lastByteUs = 0;
    for (;;) {
      // What is already buffered first: waitForReadyRead only reports new data.
      if (port_.bytesAvailable() > 0) {
        const qint64 n = port_.read(reinterpret_cast<char*>(buffer.data()) + got, wanted - got);
        if (n < 0) {
          result.end = ReadEnd::LinkLost;
          break;
        }
        if (n > 0) {
          got += n;
          lastByteUs = timer.nsecsElapsed() / 1000;
        }
      }
      if (got == wanted) break;
      const qint64 deadlineUs = got == 0 ? totalUs : std::min(totalUs, lastByteUs + intervalUs);
      const qint64 remainingUs = deadlineUs - timer.nsecsElapsed() / 1000;
      if (remainingUs <= 0) break;
      if (stop && stop->load()) {
        result.end = ReadEnd::Stopped;
        break;
      }
      const WaitEnd waited = WaitForInput(remainingUs, stop != nullptr);
      if (waited == WaitEnd::LinkLost) {
        result.end = ReadEnd::LinkLost;
        break;
      }
    }
    result.count = static_cast<int>(got);
    return result;
  }

  ReadResult DiscardInput(int quietMs, int limitMs, std::span<std::uint8_t> dropped,
                          const std::atomic<bool>* stop) override {
    ReadResult result;
    if (lost_) {
      result.end = ReadEnd::LinkLost;
      return result;
    }
    QElapsedTimer timer;
    timer.start();
    qint64 lastByteUs = 0;
    for (;;) {
      if (DropBuffered(dropped, result) > 0) lastByteUs = timer.nsecsElapsed() / 1000;
      const qint64 nowUs = timer.nsecsElapsed() / 1000;
      const qint64 quietLeftUs = lastByteUs + qint64{quietMs} * 1000 - nowUs;
      if (quietLeftUs <= 0) return result;
      const qint64 limitLeftUs = qint64{limitMs} * 1000 - nowUs;
      if (limitLeftUs <= 0) {
        result.end = ReadEnd::NeverQuiet;
        return result;
      }
      if (stop && stop->load()) {
        result.end = ReadEnd::Stopped;
        return result;
      }
      if (WaitForInput(std::min(quietLeftUs, limitLeftUs), true) == WaitEnd::LinkLost) {
        result.end = ReadEnd::LinkLost;
        return result;
      }
    }
  }

  ReadResult DiscardArrived(std::span<std::uint8_t> dropped) override {
    ReadResult result;
    if (lost_) {
      result.end = ReadEnd::LinkLost;
      return result;
    }
    // Qt holds only what it has taken from the system so far: a wait of no time takes in what
    // the system holds too.
    port_.clearError();
    if (!port_.waitForReadyRead(0) && port_.error() != QSerialPort::TimeoutError &&
        port_.error() != QSerialPort::NoError) {
      lost_ = true;
      result.end = ReadEnd::LinkLost;
      return result;
    }
    DropBuffered(dropped, result);
    return result;
  }

private:
  enum class WaitEnd { InputOrTimeout, LinkLost };

  // Drops what Qt holds of the input, counting it into `result` and copying the first bytes
  // into `dropped`; returns the number dropped. Qt's buffer is bounded, so this ends.
  qint64 DropBuffered(std::span<std::uint8_t> dropped, ReadResult& result) {
    qint64 total = 0;
    while (port_.bytesAvailable() > 0) {
      std::array<char, 64> chunk;
      const qint64 n = port_.read(chunk.data(), static_cast<qint64>(chunk.size()));
      if (n <= 0) break;
      for (qint64 i = 0; i < n; ++i) {
        if (std::size_t(result.count) < dropped.size()) {
          dropped[std::size_t(result.count)] = static_cast<std::uint8_t>(chunk[std::size_t(i)]);
        }
        ++result.count;
      }
      total += n;
    }
    return total;
  }

  // Waits for new input for up to `remainingUs`, or a stop slice of it when `sliced`.
  WaitEnd WaitForInput(qint64 remainingUs, bool sliced) {
    port_.clearError();
    // Exactly -1 would mean "wait forever"; the wait is at least 1 ms.
    int waitMs = static_cast<int>(std::max<qint64>(1, (remainingUs + 999) / 1000));
    if (sliced) waitMs = std::min(waitMs, SerialPort::kStopSliceMs);
    if (!port_.waitForReadyRead(waitMs) && port_.error() != QSerialPort::TimeoutError) {
      // Unplugged, or the other end closed: every later call would fail at once as well.
      lost_ = true;
      return WaitEnd::LinkLost;
    }
    return WaitEnd::InputOrTimeout;
  }

  const QString devicePath_;  // the device file, after following links
  QSerialPort port_;
  PortTimeouts timeouts_;
  bool lost_ = false;  // a write found the line gone
};

}  // namespace

QStringList QtPortSystem::AvailablePorts() { return MachinePorts(); }

std::unique_ptr<SerialPort> QtPortSystem::Open(const QString& devicePath, OpenStatus& status) {
  auto port = std::make_unique<QtSerialPort>(devicePath);
  status = port->Open();
  if (status != OpenStatus::Ok) return nullptr;
  return port;
}

void SteadyClock::SleepUs(std::int64_t us) {
  std::this_thread::sleep_for(std::chrono::microseconds(us));
}

std::int64_t SteadyClock::NowUs() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace vor
