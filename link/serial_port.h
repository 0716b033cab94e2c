#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "link/wire_timing.h"

namespace vor {

enum class Parity : std::uint8_t { None, Odd, Even, Mark, Space };
enum class StopBits : std::uint8_t { One, OneAndHalf, Two };

// Line settings the link changes; every other setting stays as the driver has it.
struct PortSettings {
  std::int32_t baudRate = kBaudRate;
  int dataBits = 8;  // 5..8
  Parity parity = Parity::None;
  StopBits stopBits = StopBits::One;
};

// Read and write time-outs in milliseconds. A read of n bytes returns when n bytes are in, or
// `readIntervalMs` after the last byte once one has come, or `readTotalMultiplierMs` * n +
// `readTotalConstantMs` after it began, whichever is first.
struct PortTimeouts {
  int readIntervalMs = 20;
  int readTotalMultiplierMs = 5;
  int readTotalConstantMs = 50;
  int writeTotalMultiplierMs = 20;
  int writeTotalConstantMs = 50;
};

// Why a port could not be opened.
enum class OpenStatus { Ok, PermissionDenied, Busy, Missing, OtherError };

// How a read call ended.
enum class ReadEnd {
  Done,        // the bytes arrived, or the time-outs ended the read (perhaps with none); for
               // DiscardInput: the line was quiet for the gap asked for
  LinkLost,    // the read call itself failed: the adapter was unplugged or the line hung up
  Stopped,     // the stop flag was raised while the read waited
  NeverQuiet,  // DiscardInput only: bytes kept coming until the time limit
};

// How a write call ended.
enum class WriteEnd {
  Done,      // the platform took every byte
  Failed,    // the write did not complete in time (flow control, a full queue); the line stays
  LinkLost,  // the line is gone: the adapter was unplugged or the other end closed
};

struct ReadResult {
  int count = 0;  // bytes stored, also when the read ended otherwise than Done
  ReadEnd end = ReadEnd::Done;
};

// One open serial port, used in blocking mode by one thread. Every configuration step reports
// whether it succeeded.
class SerialPort {
public:
  virtual ~SerialPort() = default;

  virtual bool SetQueueSizes(int inputBytes, int outputBytes) = 0;
  // Reads the current line settings, replaces the four values of `settings`, writes them back.
  virtual bool ApplyLineSettings(const PortSettings& settings) = 0;
  virtual bool SetTimeouts(const PortTimeouts& timeouts) = 0;
  // Discards whatever is queued in either direction.
  virtual bool Purge() = 0;
  // Writes all of `bytes` in one call. A write that fails leaves nothing queued to go out later.
  virtual WriteEnd Write(std::span<const std::uint8_t> bytes) = 0;
  // Reads up to `buffer.size()` bytes honouring the time-outs. When `stop` is given, the read
  // waits in slices of at most kStopSliceMs and ends as Stopped soon after `*stop` turns true;
  // the time-outs still run from the start of the call.
  virtual ReadResult Read(std::span<std::uint8_t> buffer,
                          const std::atomic<bool>* stop = nullptr) = 0;
  // Reads and drops input until the line has been quiet for `quietMs`, but for no longer than
  // `limitMs` in all (NeverQuiet), and sooner when `*stop` turns true (Stopped) or the line is
  // lost. `count` of the result is the number of bytes dropped; the first of them, as many as
  // fit, are copied to `dropped`.
  virtual ReadResult DiscardInput(int quietMs, int limitMs, std::span<std::uint8_t> dropped,
                                  const std::atomic<bool>* stop = nullptr) = 0;
  // Drops the input that has arrived so far, without waiting for more. `count` and `dropped`
  // as for DiscardInput; `end` is Done or LinkLost.
  virtual ReadResult DiscardArrived(std::span<std::uint8_t> dropped) = 0;

  static constexpr int kStopSliceMs = 10;
};

// Lists and opens the machine's serial ports.
class PortSystem {
public:
  virtual ~PortSystem() = default;

  // Device paths of the machine's serial ports, in the platform's order.
  virtual QStringList AvailablePorts() = 0;
  // Opens `devicePath` for reading and writing, exclusively. On failure returns nullptr and says
  // why in `status`.
  virtual std::unique_ptr<SerialPort> Open(const QString& devicePath, OpenStatus& status) = 0;
};

// Time source and waits of the link. The real clock sleeps; the virtual clock of the tests only
// moves its time forward.
class LinkClock {
public:
  virtual ~LinkClock() = default;

  void Sleep(int ms) { SleepUs(std::int64_t{ms} * 1000); }
  // A sleep may end later than asked (a loaded machine, a coarse system timer), never sooner.
  virtual void SleepUs(std::int64_t us) = 0;
  // Monotonic time in microseconds.
  virtual std::int64_t NowUs() = 0;
};

}  // namespace vor
