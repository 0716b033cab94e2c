#include "live/live_tools.h"

#include <QFileInfo>

#include "live/fault_history_window.h"
#include "live/live_plot_window.h"
#include "monitor/monitor_page.h"
#include "resources/prompter.h"

namespace vor {

LiveTools::LiveTools(ProgramState& state, CMonitor1Dlg& monitor, const LiveToolServices& services,
                     QWidget* windowParent)
    : state_(state), monitor_(monitor), services_(services), windowParent_(windowParent) {
  connect(&monitor_, &CMonitor1Dlg::PollShown, this, &LiveTools::OnPoll);
  connect(&monitor_, &CMonitor1Dlg::PollingChanged, this, &LiveTools::OnPollingChanged);
  connect(&monitor_, &CMonitor1Dlg::PlotRequested, this, &LiveTools::PlotItem);
}

LiveTools::~LiveTools() {
  // Quietly: whoever listens may be going too.
  recorder_.Stop();
  // The windows go before the data they show.
  delete plotWindow_;
  delete historyWindow_;
}

LivePlotWindow* LiveTools::PlotWindow() const { return plotWindow_; }

FaultHistoryWindow* LiveTools::HistoryWindow() const { return historyWindow_; }

bool LiveTools::EnsurePlotData() {
  if (!plotData_ && state_.DefinitionsLoaded) {
    plotData_ = std::make_unique<LivePlotData>(*state_.definitions, plotCapacity_);
  }
  return plotData_ != nullptr;
}

void LiveTools::OnPoll(const LivePoll& poll) {
  if (poll.answered[0] == silentSince_.has_value()) {
    silentSince_ = poll.answered[0] ? std::nullopt : std::optional(services_.now());
    emit SilenceChanged();
  }
  const DefinitionSet& set = *state_.definitions;
  // A fault word from a cleared block, or left from an earlier poll, is not counted.
  const LiveSlots liveSlots = LiveSlotWalk(set);
  if (liveSlots.faultSlot >= 0) {
    const LiveDef& faultItem =
        set.liveItems[std::size_t(liveSlots.position[std::size_t(liveSlots.faultSlot)])];
    const std::optional<std::uint32_t> word = LiveItemValue(faultItem, poll.block.bytes);
    if (word && LiveItemFresh(faultItem, poll)) {
      history_.Record(*word, set.Faults(), services_.now());
    } else {
      history_.Unknown();
    }
  }
  if (EnsurePlotData()) plotData_->Add(poll);
  if (recorder_.Recording()) {
    const bool written = recorder_.Add(poll);
    emit RecordingChanged();
    if (!written) {
      const QString message =
          tr("Recording stopped: %1 could not be written (%2). The %3 rows recorded before are "
             "kept.")
              .arg(recorder_.Path(), recorder_.Error())
              .arg(recorder_.Rows());
      // Told once this poll has been delivered everywhere, not from inside its delivery.
      QMetaObject::invokeMethod(
          this,
          [this, message] { services_.prompter.AskText(message, Buttons::Ok, Icon::Warning); },
          Qt::QueuedConnection);
    }
  }
  if (plotWindow_) {
    plotWindow_->SetRecordingText(RecordingText());
    plotWindow_->OnPoll();
  }
  if (historyWindow_) historyWindow_->OnPoll();
}

void LiveTools::OnPollingChanged(bool polling) {
  if (!polling) {
    // What comes next is not known until the next poll, and no line may bridge the wait.
    history_.Unknown();
    if (plotData_) plotData_->PollingStopped();
    if (silentSince_) {
      silentSince_.reset();
      emit SilenceChanged();
    }
  }
  if (plotWindow_) plotWindow_->SetPolling(polling);
  if (historyWindow_) {
    historyWindow_->SetPolling(polling);
    historyWindow_->OnPoll();
  }
}

void LiveTools::ShowLivePlot() {
  if (!EnsurePlotData()) return;
  if (!plotWindow_) {
    plotWindow_ = new LivePlotWindow(*plotData_, services_, windowParent_);
    plotWindow_->SetPolling(monitor_.Polling());
    plotWindow_->SetRecordingText(RecordingText());
  }
  plotWindow_->show();
  plotWindow_->raise();
  plotWindow_->activateWindow();
}

void LiveTools::ShowFaultHistory() {
  if (!state_.DefinitionsLoaded) return;
  if (!historyWindow_) {
    historyWindow_ = new FaultHistoryWindow(history_, services_, windowParent_);
    historyWindow_->SetPolling(monitor_.Polling());
  }
  historyWindow_->show();
  historyWindow_->raise();
  historyWindow_->activateWindow();
}

void LiveTools::PlotItem(int position) {
  if (!EnsurePlotData()) return;
  ShowLivePlot();
  plotWindow_->AddItem(state_.definitions->liveItems[std::size_t(position)].name);
}

bool LiveTools::StartRecording() {
  if (!state_.DefinitionsLoaded) return false;
  const QString path = services_.askSaveFileName(tr("Record Live Data"), tr("CSV files (*.csv)"),
                                                 QStringLiteral("live-data.csv"));
  if (path.isEmpty()) return false;
  const QString file = QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".csv") : path;
  const bool started = recorder_.Start(file, *state_.definitions);
  emit RecordingChanged();
  if (plotWindow_) plotWindow_->SetRecordingText(RecordingText());
  if (!started) {
    services_.prompter.AskText(tr("%1 could not be written: %2").arg(file, recorder_.Error()),
                               Buttons::Ok, Icon::Warning);
  }
  return started;
}

void LiveTools::StopRecording() {
  if (!recorder_.Recording()) return;
  recorder_.Stop();
  emit RecordingChanged();
  if (plotWindow_) plotWindow_->SetRecordingText(RecordingText());
}

QString LiveTools::RecordingText() const {
  if (!recorder_.Recording()) return {};
  const std::int64_t rows = recorder_.Rows();
  const QString name = QFileInfo(recorder_.Path()).fileName();
  return rows == 1 ? tr("Recording to %1: 1 row").arg(name)
                   : tr("Recording to %1: %2 rows").arg(name, QString::number(rows));
}

}  // namespace vor
