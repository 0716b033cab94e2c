#pragma once

#include <QString>
#include <cstdint>
#include <limits>
#include <vector>

namespace vor {

// One live item over time, for the plot: a ring buffer of the newest samples, one per poll, of
// fixed capacity (10 minutes at five polls a second), so memory stays bounded however long the
// program runs. A poll that brought no value (request unanswered) is a gap, not a zero, and so is
// the time in which nothing was polled (the Monitor page was off).
class LiveSeries {
public:
  static constexpr int kCapacity = 10 * 60 * 5;

  struct Sample {
    enum class Kind : std::uint8_t {
      Value,      // the poll's value
      NoAnswer,   // a poll that brought no value
      NotPolled,  // from here to the next sample nothing was polled
    };
    std::int64_t timeUs = 0;
    double value = std::numeric_limits<double>::quiet_NaN();  // NaN but for a Value
    Kind kind = Kind::NoAnswer;
    bool IsGap() const { return kind != Kind::Value; }
    bool NotPolled() const { return kind == Kind::NotPolled; }
  };

  explicit LiveSeries(int capacity = kCapacity);

  void Append(std::int64_t timeUs, double value);
  void AppendGap(std::int64_t timeUs);
  // Polling stopped after the sample at `timeUs`: the next sample starts a new run.
  void AppendStop(std::int64_t timeUs);
  void Clear();

  int Size() const { return size_; }
  int Capacity() const { return int(samples_.size()); }
  // Sample i, oldest first (0 <= i < Size()).
  const Sample& At(int i) const;
  // The samples from `fromUs` on, oldest first.
  std::vector<Sample> Since(std::int64_t fromUs) const;

private:
  void Add(const Sample& sample);

  std::vector<Sample> samples_;
  int first_ = 0;  // index of the oldest sample
  int size_ = 0;
};

}  // namespace vor
