#include "live/live_plot_data.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vor {
namespace {

bool Plottable(const LiveDef& def) {
  const Encoding kind = def.sw.Kind();
  if (def.pro == 1)
    return kind == Encoding::Unsigned || kind == Encoding::Signed || kind == Encoding::Hex;
  // A multi-byte "h" item is the fault word, which shows fault names rather than a number.
  return def.pro == 2 && (kind == Encoding::Unsigned || kind == Encoding::Signed);
}

}  // namespace

std::vector<PlotItem> PlottableItems(const DefinitionSet& set, const LiveSlots& liveSlots) {
  std::vector<PlotItem> items;
  for (int k = 0; k < liveSlots.count; ++k) {
    const int position = liveSlots.position[std::size_t(k)];
    const LiveDef& def = set.liveItems[std::size_t(position)];
    if (!Plottable(def)) continue;
    const bool taken = std::any_of(items.begin(), items.end(),
                                   [&def](const PlotItem& item) { return item.label == def.name; });
    if (!taken) items.push_back({def.name, position});
  }
  return items;
}

bool LiveItemFresh(const LiveDef& def, const LivePoll& poll) {
  if (!poll.answered[0]) return false;
  const std::int64_t first = def.addr;
  const std::int64_t last = def.pro == 1 ? first : first + def.pos;
  constexpr auto kPart = std::int64_t{LiveBlock::kPartBytes};
  for (std::int64_t part = first / kPart; part <= last / kPart && part < LiveBlock::kParts;
       ++part) {
    if (part >= 0 && !poll.answered[std::size_t(part)]) return false;
  }
  return true;
}

std::optional<double> PlotValue(const LiveDef& def, const LivePoll& poll) {
  if (!LiveItemFresh(def, poll)) return std::nullopt;
  const LiveValue value = DecodeLiveItem(def, poll.block.bytes);
  if (value.kind != LiveValue::Kind::Number) return std::nullopt;
  return double(value.number);
}

LivePlotData::LivePlotData(const DefinitionSet& set, int capacity)
    : set_(set), items_(PlottableItems(set, LiveSlotWalk(set))) {
  series_.reserve(items_.size());
  for (std::size_t i = 0; i < items_.size(); ++i) series_.emplace_back(capacity);
}

int LivePlotData::IndexOf(const QString& label) const {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].label == label) return int(i);
  }
  return -1;
}

void LivePlotData::Add(const LivePoll& poll) {
  if (!originUs_) originUs_ = poll.timeUs;
  latestUs_ = poll.timeUs;
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const std::optional<double> value =
        PlotValue(set_.liveItems[std::size_t(items_[i].position)], poll);
    if (value) {
      series_[i].Append(poll.timeUs, *value);
    } else {
      series_[i].AppendGap(poll.timeUs);
    }
  }
}

void LivePlotData::PollingStopped() {
  if (!latestUs_) return;
  for (LiveSeries& series : series_) series.AppendStop(*latestUs_);
}

bool PlotChoice::Add(const QString& label) {
  if (Full() || Contains(label)) return false;
  labels_.append(label);
  return true;
}

bool PlotChoice::Remove(const QString& label) { return labels_.removeOne(label); }

void PlotChoice::Set(const QStringList& labels) {
  labels_.clear();
  for (const QString& label : labels) Add(label);
}

std::vector<std::vector<QPointF>> PlotSegments(const std::vector<LiveSeries::Sample>& samples,
                                               std::int64_t originUs) {
  std::vector<std::vector<QPointF>> segments;
  bool inGap = true;
  for (const LiveSeries::Sample& sample : samples) {
    if (sample.IsGap()) {
      inGap = true;
      continue;
    }
    if (inGap) segments.emplace_back();
    inGap = false;
    segments.back().emplace_back(double(sample.timeUs - originUs) / 1e6, sample.value);
  }
  return segments;
}

std::optional<std::pair<double, double>> ValueRange(
    const std::vector<LiveSeries::Sample>& samples) {
  std::optional<std::pair<double, double>> range;
  for (const LiveSeries::Sample& sample : samples) {
    if (sample.IsGap()) continue;
    if (!range) {
      range = std::pair{sample.value, sample.value};
    } else {
      range->first = std::min(range->first, sample.value);
      range->second = std::max(range->second, sample.value);
    }
  }
  return range;
}

AxisRange NiceRange(double low, double high) {
  if (high - low < 2) {
    const double middle = (low + high) / 2;
    const bool natural = low >= 0;
    low = middle - 1;
    high = middle + 1;
    if (natural && low < 0) {
      high -= low;
      low = 0;
    }
  }
  const double rough = (high - low) / 5;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  double step = 10 * power;
  for (double factor : {1.0, 2.0, 5.0}) {
    if (factor * power >= rough) {
      step = factor * power;
      break;
    }
  }
  return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

std::optional<LiveSeries::Sample> SampleNear(const LiveSeries& series, std::int64_t timeUs,
                                             std::int64_t withinUs) {
  // Samples are in time order: bisect for the first one at or after `timeUs`.
  int low = 0;
  int high = series.Size();
  while (low < high) {
    const int mid = (low + high) / 2;
    if (series.At(mid).timeUs < timeUs) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  // The polls on either side. A stop is marked at the time of the poll before it, and so comes
  // after that poll: only the one before can be hidden behind it.
  int before = low - 1;
  while (before >= 0 && series.At(before).NotPolled()) --before;
  std::optional<LiveSeries::Sample> nearest;
  for (int i : {before, low}) {
    if (i < 0 || i >= series.Size()) continue;
    const LiveSeries::Sample& sample = series.At(i);
    const std::int64_t distance = std::llabs(sample.timeUs - timeUs);
    if (distance > withinUs) continue;
    if (!nearest || distance < std::llabs(nearest->timeUs - timeUs)) nearest = sample;
  }
  if (!nearest && low > 0 && series.At(low - 1).NotPolled()) return series.At(low - 1);
  return nearest;
}

}  // namespace vor
