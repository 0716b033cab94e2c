#pragma once

#include "link/serial_port.h"

namespace vor {

// Serial ports through QSerialPort in blocking mode. Ports must be opened and used on one thread.
class QtPortSystem : public PortSystem {
public:
  QStringList AvailablePorts() override;
  std::unique_ptr<SerialPort> Open(const QString& devicePath, OpenStatus& status) override;
};

// Real time: sleeps block the calling thread.
class SteadyClock : public LinkClock {
public:
  void SleepUs(std::int64_t us) override;
  std::int64_t NowUs() override;
};

}  // namespace vor
