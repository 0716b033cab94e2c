#include "live/live_series.h"

#include <algorithm>

namespace vor {

LiveSeries::LiveSeries(int capacity) : samples_(std::size_t(std::max(1, capacity))) {}

void LiveSeries::Add(const Sample& sample) {
  const int capacity = Capacity();
  if (size_ < capacity) {
    samples_[std::size_t((first_ + size_++) % capacity)] = sample;
  } else {
    samples_[std::size_t(first_)] = sample;
    first_ = (first_ + 1) % capacity;
  }
}

void LiveSeries::Append(std::int64_t timeUs, double value) {
  Add({timeUs, value, Sample::Kind::Value});
}

void LiveSeries::AppendGap(std::int64_t timeUs) {
  Add({timeUs, std::numeric_limits<double>::quiet_NaN(), Sample::Kind::NoAnswer});
}

void LiveSeries::AppendStop(std::int64_t timeUs) {
  Add({timeUs, std::numeric_limits<double>::quiet_NaN(), Sample::Kind::NotPolled});
}

void LiveSeries::Clear() {
  first_ = 0;
  size_ = 0;
}

const LiveSeries::Sample& LiveSeries::At(int i) const {
  return samples_[std::size_t((first_ + i) % Capacity())];
}

std::vector<LiveSeries::Sample> LiveSeries::Since(std::int64_t fromUs) const {
  // Samples are in time order: find the first one at or after `fromUs` by bisection.
  int low = 0;
  int high = size_;
  while (low < high) {
    const int mid = (low + high) / 2;
    if (At(mid).timeUs < fromUs) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  std::vector<Sample> result;
  result.reserve(std::size_t(size_ - low));
  for (int i = low; i < size_; ++i) result.push_back(At(i));
  return result;
}

}  // namespace vor
