#pragma once

#include <QColor>
#include <QMainWindow>
#include <array>
#include <optional>
#include <vector>

#include "live/live_plot_data.h"
#include "live/live_tool_services.h"

class QCheckBox;
class QChart;
class QChartView;
class QComboBox;
class QGraphicsLineItem;
class QLabel;
class QLineSeries;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QValueAxis;

namespace vor {

// The live plot: up to four numeric items of the Monitor page over the last 30 s, 60 s or 5 min,
// scrolling as the page's polls arrive. A window of its own that stays open while the user moves
// between pages; it draws from LivePlotData and never polls. The chosen items, the time window
// and the axis mode are kept in the settings.
class LivePlotWindow : public QMainWindow {
  Q_OBJECT
public:
  static constexpr std::array<int, 3> kWindowSeconds = {30, 60, 300};
  static constexpr int kDefaultWindowSeconds = 60;
  // Shown translated, through tr().
  static constexpr const char* kPausedText =
      QT_TRANSLATE_NOOP("vor::LivePlotWindow", "paused: the Monitor page is not on show");

  // `data` must outlive the window; `parent` makes it a top-level window over that one.
  LivePlotWindow(const LivePlotData& data, const LiveToolServices& services,
                 QWidget* parent = nullptr);

  // Adds the item labelled `label` to the plot; false, saying why in the status bar, when it
  // has no number or four items are plotted already.
  bool AddItem(const QString& label);
  bool RemoveItem(const QString& label);
  QStringList PlottedLabels() const { return choice_.Labels(); }

  // New polls are in the data: redraws, unless paused or not on show.
  void OnPoll();
  // Whether the Monitor page polls; while it does not, the paused text shows.
  void SetPolling(bool polling);
  // What the status bar says about the recording; empty while none runs.
  void SetRecordingText(const QString& text);

  void SetPaused(bool paused);
  bool Paused() const { return paused_; }
  void SetWindowSeconds(int seconds);
  int WindowSeconds() const { return windowSeconds_; }
  void SetSharedAxis(bool shared);
  bool SharedAxis() const { return sharedAxis_; }

  // The readout for the time `seconds` on the axis (before the latest poll shown, so 0 or less):
  // the time and each plotted item's value there.
  QString ReadoutAt(double seconds) const;
  // Asks for a file name and saves the chart there as PNG; false when cancelled or not saved,
  // after telling the user why.
  bool SaveImage();
  // Saves the chart as PNG to `path` (SaveFile); false with `reason` set when it was not saved.
  bool SaveImageTo(const QString& path, QString& reason);

  QChart* Chart() const { return chart_; }
  // The y-axis of each plotted item, in the order of PlottedLabels() (one shared axis repeated).
  std::vector<QValueAxis*> ValueAxes() const;
  QValueAxis* TimeAxis() const { return timeAxis_; }
  // The line runs of the plotted item `label`; a gap separates two runs.
  std::vector<QLineSeries*> Runs(const QString& label) const;

protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  struct Trace {
    QString label;
    int index = 0;  // in LivePlotData::Items()
    QColor colour;
    QValueAxis* axis = nullptr;
    std::vector<QLineSeries*> runs;  // the first one carries the legend entry
  };

  void BuildControls();
  void FillItemList();
  void OnItemChanged(QListWidgetItem* item);
  void UpdateItemList();
  void RebuildChart();
  void Refresh();
  QLineSeries* NewRun(Trace& trace, bool inLegend);
  void SaveSettings();
  // Shows the values under the cursor at `inViewport`, or the hint when it is off the plot.
  void UpdateReadout(QPoint inViewport);
  void HideCursor();

  const LivePlotData& data_;
  LiveToolServices services_;
  PlotChoice choice_;
  int windowSeconds_ = kDefaultWindowSeconds;
  bool sharedAxis_ = false;
  bool paused_ = false;
  bool polling_ = false;
  bool updatingList_ = false;
  std::optional<QPoint> cursor_;         // where the cursor rests over the plot
  std::optional<std::int64_t> shownUs_;  // the latest poll in the picture, time 0 on its axis

  QListWidget* itemList_ = nullptr;
  QComboBox* windowBox_ = nullptr;
  QCheckBox* sharedBox_ = nullptr;
  QPushButton* pauseButton_ = nullptr;
  QLabel* pausedLabel_ = nullptr;
  QLabel* readout_ = nullptr;
  QLabel* recording_ = nullptr;
  QChartView* view_ = nullptr;
  QGraphicsLineItem* cursorLine_ = nullptr;  // where the readout reads, owned by the chart
  QChart* chart_ = nullptr;
  QValueAxis* timeAxis_ = nullptr;
  QValueAxis* sharedValueAxis_ = nullptr;
  std::vector<Trace> traces_;
};

}  // namespace vor
