#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

#include "definitions/definition_set.h"
#include "link/live_block.h"
#include "live/live_series.h"
#include "pages/live_items.h"

namespace vor {

// A live item that has a number to plot: a shown item whose field shows "uo" or "so" decimal, or
// a one-byte "h" value. `position` is its place in the definitions' live table.
struct PlotItem {
  QString label;
  int position = 0;
};

// The plottable items in slot order. A label that two items share is offered once, for the
// first of them, since the plot's choice is kept by label.
std::vector<PlotItem> PlottableItems(const DefinitionSet& set, const LiveSlots& liveSlots);

// Whether `poll` brought the item's bytes afresh: its first request was answered (otherwise the
// block was cleared) and so was every request that carries the item's bytes (otherwise they are
// an earlier poll's).
bool LiveItemFresh(const LiveDef& def, const LivePoll& poll);

// The number that the item's field shows after `poll` (the value the field's text is made from),
// or nullopt for a gap: the poll failed (its first request went unanswered, so the
// field shows the cleared block), a request carrying the item's bytes went unanswered (the field
// shows an old value), or the field shows no number.
std::optional<double> PlotValue(const LiveDef& def, const LivePoll& poll);

// Every plottable item over the polls, each in its own ring buffer, whether it is plotted or
// not: an item added to the plot shows its past at once.
class LivePlotData {
public:
  // The items of `set` (which must outlive this); `capacity` samples per item.
  explicit LivePlotData(const DefinitionSet& set, int capacity = LiveSeries::kCapacity);

  const std::vector<PlotItem>& Items() const { return items_; }
  // The index of the item labelled `label` in Items(), or -1.
  int IndexOf(const QString& label) const;
  const LiveSeries& Series(int index) const { return series_[std::size_t(index)]; }

  // One poll: a sample or a gap for every item.
  void Add(const LivePoll& poll);
  // The Monitor page stopped polling: the time until its next poll is a gap in every item.
  void PollingStopped();
  // The time of the first poll added, the plot's time zero; nullopt before one.
  std::optional<std::int64_t> OriginUs() const { return originUs_; }
  // The time of the newest poll added; nullopt before one.
  std::optional<std::int64_t> LatestUs() const { return latestUs_; }

private:
  const DefinitionSet& set_;
  std::vector<PlotItem> items_;
  std::vector<LiveSeries> series_;
  std::optional<std::int64_t> originUs_;
  std::optional<std::int64_t> latestUs_;
};

// The items the plot shows, by label, in the order chosen: four at most.
class PlotChoice {
public:
  static constexpr int kMaxItems = 4;

  // False (nothing changes) when `label` is chosen already or four are.
  bool Add(const QString& label);
  bool Remove(const QString& label);
  bool Contains(const QString& label) const { return labels_.contains(label); }
  bool Full() const { return labels_.size() >= kMaxItems; }
  const QStringList& Labels() const { return labels_; }
  // Replaces the choice with the first four distinct labels of `labels`.
  void Set(const QStringList& labels);

private:
  QStringList labels_;
};

// The runs of samples between gaps, as points of (seconds since `originUs`, value).
std::vector<std::vector<QPointF>> PlotSegments(const std::vector<LiveSeries::Sample>& samples,
                                               std::int64_t originUs);

// The lowest and highest value among `samples`, gaps left out; nullopt when all are gaps.
std::optional<std::pair<double, double>> ValueRange(const std::vector<LiveSeries::Sample>& samples);

// An axis range that holds [low, high] with its ends on whole steps of 1, 2 or 5 times a power of
// ten, about five steps in all. A range that never reaches below zero (or above) stays so, and a
// constant value gets a range around it. The ends move only in whole steps, so a value that
// wanders inside the range leaves the axis as it is.
struct AxisRange {
  double from = 0;
  double to = 1;
  double step = 1;
  friend bool operator==(const AxisRange&, const AxisRange&) = default;
};
AxisRange NiceRange(double low, double high);

// What `series` says at `timeUs`: the poll nearest to it and no further than `withinUs` from it
// (a failed poll as a gap); else, inside a time in which nothing was polled, the mark of that
// time; else nullopt.
std::optional<LiveSeries::Sample> SampleNear(const LiveSeries& series, std::int64_t timeUs,
                                             std::int64_t withinUs);

}  // namespace vor
