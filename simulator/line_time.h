#pragma once

#include <chrono>
#include <cstdint>
#include <thread>

namespace vor {

// The time a line to a simulated controller runs on: virtual time in the tests, moved forward at
// once (VirtualClock), or real time, waited for (a program's simulated controller where it has no
// pseudo-terminal to put it on).
class LineTime {
public:
  virtual ~LineTime() = default;

  // Monotonic time in microseconds.
  virtual std::int64_t NowUs() = 0;
  // Returns once the time has reached `us`.
  virtual void WaitUntil(std::int64_t us) = 0;
};

class RealLineTime : public LineTime {
public:
  std::int64_t NowUs() override {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
  }
  void WaitUntil(std::int64_t us) override {
    std::this_thread::sleep_until(
        std::chrono::steady_clock::time_point(std::chrono::microseconds(us)));
  }
};

}  // namespace vor
