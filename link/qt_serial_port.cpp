#include "link/qt_serial_port.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <algorithm>
#include <chrono>
#include <thread>

namespace vor {
namespace {

class QtSerialPort : public SerialPort {
public:
  explicit QtSerialPort(const QString& devicePath) : devicePath_(devicePath) {
    port_.setPortName(devicePath);
  }

  OpenStatus Open() {
    if (port_.open(QIODevice::ReadWrite)) return OpenStatus::Ok;
    // portName() is the name without "/dev/": the checks below need the path itself.
    const QString& path = devicePath_;
    switch (port_.error()) {
      case QSerialPort::DeviceNotFoundError:
        return OpenStatus::Missing;
      case QSerialPort::PermissionError:
        // Qt says "permission" both for a device we may not open and for one another program
        // holds (lock file, TIOCEXCL); the file's access rights tell the two apart.
        if (!QFileInfo::exists(path)) return OpenStatus::Missing;
        if (const QFileInfo device(path); !device.isReadable() || !device.isWritable()) {
          return OpenStatus::PermissionDenied;
        }
        return OpenStatus::Busy;
      default:
        return QFileInfo::exists(path) ? OpenStatus::OtherError : OpenStatus::Missing;
    }
  }

  bool SetQueueSizes(int inputBytes, int /*outputBytes*/) override {
    // The driver's output queue is not ours to size here; the input side bounds Qt's buffer.
    port_.setReadBufferSize(inputBytes);
    return port_.isOpen();
  }

  bool ApplyLineSettings(const PortSettings& settings) override {
    // Flow control, DTR and RTS stay as the driver has them.
    bool ok = port_.setBaudRate(settings.baudRate);
    ok = port_.setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits)) && ok;
    ok = port_.setParity(settings.parity == 0 ? QSerialPort::NoParity : QSerialPort::OddParity) &&
         ok;
    ok = port_.setStopBits(settings.stopBits == 0 ? QSerialPort::OneStop : QSerialPort::TwoStop) &&
         ok;
    return ok;
  }

  bool SetTimeouts(const PortTimeouts& timeouts) override {
    timeouts_ = timeouts;
    return port_.isOpen();
  }

  bool Purge() override { return port_.clear(QSerialPort::AllDirections); }

  bool Write(std::span<const std::uint8_t> bytes) override {
    if (lost_) return false;
    port_.clearError();
    const auto size = static_cast<qint64>(bytes.size());
    const int timeoutMs =
        timeouts_.writeTotalMultiplierMs * static_cast<int>(size) + timeouts_.writeTotalConstantMs;
    if (port_.write(reinterpret_cast<const char*>(bytes.data()), size) == size &&
        port_.waitForBytesWritten(timeoutMs)) {
      return true;
    }
    if (port_.error() != QSerialPort::TimeoutError) {
      // The line is gone (unplugged, or the other end closed): Qt would keep the unsent bytes and
      // retry them on every later call. Drop them, and fail every later call at once.
      port_.clear(QSerialPort::Output);
      lost_ = true;
    }
    return false;
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

  ReadResult DiscardInput(int quietMs, const std::atomic<bool>* stop) override {
    ReadResult result;
    if (lost_) {
      result.end = ReadEnd::LinkLost;
      return result;
    }
    QElapsedTimer quiet;
    quiet.start();
    for (;;) {
      if (port_.bytesAvailable() > 0) {
        const QByteArray dropped = port_.read(port_.bytesAvailable());
        result.count += static_cast<int>(dropped.size());
        quiet.restart();
      }
      const qint64 remainingUs = qint64{quietMs} * 1000 - quiet.nsecsElapsed() / 1000;
      if (remainingUs <= 0) return result;
      if (stop && stop->load()) {
        result.end = ReadEnd::Stopped;
        return result;
      }
      if (WaitForInput(remainingUs, true) == WaitEnd::LinkLost) {
        result.end = ReadEnd::LinkLost;
        return result;
      }
    }
  }

private:
  enum class WaitEnd { InputOrTimeout, LinkLost };

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

  const QString devicePath_;
  QSerialPort port_;
  PortTimeouts timeouts_;
  bool lost_ = false;  // a write found the line gone
};

}  // namespace

QStringList QtPortSystem::AvailablePorts() {
  QStringList paths;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    paths.append(info.systemLocation());
  }
  return paths;
}

std::unique_ptr<SerialPort> QtPortSystem::Open(const QString& devicePath, OpenStatus& status) {
  auto port = std::make_unique<QtSerialPort>(devicePath);
  status = port->Open();
  if (status != OpenStatus::Ok) return nullptr;
  return port;
}

void SteadyClock::Sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

std::int64_t SteadyClock::NowUs() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace vor
