#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

// Gaps between the ticks of a 10 ms timer on the user-interface thread, in milliseconds; any gap
// beyond the period is time the window could not repaint.
class StallMeter {
public:
  static constexpr double kPeriodMs = 10;

  StallMeter() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(static_cast<int>(kPeriodMs));
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      const double now = static_cast<double>(clock_.nsecsElapsed()) / 1e6;
      gaps_.push_back(now - last_);
      last_ = now;
    });
  }
  void Start() {
    gaps_.clear();
    clock_.start();
    last_ = 0;
    timer_.start();
  }
  void Stop() { timer_.stop(); }
  // Room for `ticks` gaps, written once so that the pages are resident before a measurement
  // of the program's memory begins.
  void Reserve(std::size_t ticks) {
    gaps_.assign(ticks, 0);
    gaps_.clear();
  }

  // The longest time beyond the period that the event loop did not come round.
  double LongestStallMs() const {
    const double worst = gaps_.empty() ? 0 : *std::max_element(gaps_.begin(), gaps_.end());
    return std::max(0.0, worst - kPeriodMs);
  }

  void Report(const char* phase) const {
    std::vector<double> sorted = gaps_;
    std::sort(sorted.begin(), sorted.end());
    const double p99 = sorted.empty() ? 0 : sorted[sorted.size() * 99 / 100];
    const double worst = sorted.empty() ? 0 : sorted.back();
    std::printf(
        "%-8s ticks %4zu  largest gap %6.2f ms  p99 %6.2f ms  (stall beyond the 10 ms "
        "period: %.2f ms)\n",
        phase, sorted.size(), worst, p99, LongestStallMs());
  }

private:
  QTimer timer_;
  QElapsedTimer clock_;
  double last_ = 0;
  std::vector<double> gaps_;
};
