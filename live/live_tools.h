#pragma once

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <memory>
#include <optional>

#include "live/fault_history.h"
#include "live/live_plot_data.h"
#include "live/live_recorder.h"
#include "live/live_tool_services.h"
#include "pages/program_state.h"

class QWidget;

namespace vor {

class CMonitor1Dlg;
class FaultHistoryWindow;
class LivePlotWindow;

// The live plot, the recording and the fault history, fed by the Monitor page's own polls: they
// add no traffic on the port, and collect only while the page polls. The fault history and the
// plot's buffers run from the first poll of the program; the windows are made when first asked
// for and then stay (closing one only hides it).
class LiveTools : public QObject {
  Q_OBJECT
public:
  // `monitor` and `state` must outlive this. The windows are top-levels over `windowParent`.
  LiveTools(ProgramState& state, CMonitor1Dlg& monitor, const LiveToolServices& services,
            QWidget* windowParent);
  // Closes a running recording and the windows.
  ~LiveTools() override;

  // Open (or bring to the front) the windows. Nothing happens before the definitions are loaded.
  void ShowLivePlot();
  void ShowFaultHistory();
  // Adds the item at `position` in the live table to the plot and shows the plot.
  void PlotItem(int position);

  // Asks for a CSV file and starts recording into it; false when cancelled or the file cannot
  // be written (after saying so).
  bool StartRecording();
  void StopRecording();
  bool Recording() const { return recorder_.Recording(); }
  std::int64_t RecordedRows() const { return recorder_.Rows(); }
  QString RecordingPath() const { return recorder_.Path(); }
  // "Recording to NAME: N rows", empty while no recording runs.
  QString RecordingText() const;

  // Samples per item in the plot's buffers (ten minutes' worth by default); only before the
  // first poll, so that a benchmark can see the buffers full sooner.
  void SetPlotCapacity(int samples) { plotCapacity_ = samples; }

  // Since when the Monitor page's polls have gone unanswered (the wall-clock time of the first
  // unanswered poll after an answered one); nullopt while they are answered or none are made.
  std::optional<QDateTime> SilentSince() const { return silentSince_; }

  const FaultHistory& History() const { return history_; }
  // The plot's data; nullptr before the definitions are loaded.
  const LivePlotData* PlotData() const { return plotData_.get(); }
  // The windows; nullptr until first shown.
  LivePlotWindow* PlotWindow() const;
  FaultHistoryWindow* HistoryWindow() const;

signals:
  // A recording started or stopped, or a row was added.
  void RecordingChanged();
  // SilentSince() has changed.
  void SilenceChanged();

private:
  void OnPoll(const LivePoll& poll);
  void OnPollingChanged(bool polling);
  bool EnsurePlotData();

  ProgramState& state_;
  CMonitor1Dlg& monitor_;
  LiveToolServices services_;
  QWidget* windowParent_;
  FaultHistory history_;
  LiveRecorder recorder_;
  int plotCapacity_ = LiveSeries::kCapacity;
  std::unique_ptr<LivePlotData> plotData_;
  std::optional<QDateTime> silentSince_;
  // Children of the window parent, which may go first; otherwise they go with this.
  QPointer<LivePlotWindow> plotWindow_;
  QPointer<FaultHistoryWindow> historyWindow_;
};

}  // namespace vor
