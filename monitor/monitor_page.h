#pragma once

#include "link/link_access.h"
#include "monitor/monitor_poll.h"
#include "pages/live_items.h"
#include "pages/page_window.h"
#include "resources/dialog_templates.h"

namespace vor {

// The Monitor page: the live data of the running controller, polled every 200 ms while the page
// is on show. The polls run on the link thread; each result reaches the page on the
// user-interface thread as one Poll. Everything the page shows and counts survives hiding.
// The live tools (plot, recording, fault history) see the page's own polls through its signals
// and never poll themselves.
class CMonitor1Dlg : public PageWindow {
  Q_OBJECT
public:
  // `link` runs the polls; it must outlive the page.
  CMonitor1Dlg(ProgramState& state, Prompter& prompter, LinkAccess& link);
  // Stops the poll, so that the window's end and Quit stop it as hiding does.
  ~CMonitor1Dlg() override;

  // One poll's result: counts the poll, shows the status and every field.
  void Poll(const LivePoll& poll);

  const MonitorPoll& PollState() const { return poll_; }
  // The page is polling: it is on show and the image was read.
  bool Polling() const { return polling_; }

  // The slots have their labels; set once, never cleared.
  bool LayoutDone = false;
  // Control id of the fault field (drawn red): the field of the last "h" item; 0 for none.
  int FaultFieldId = 0;

signals:
  // After each poll the page has shown, with that poll's result (its time is poll.timeUs, on the
  // link clock).
  void PollShown(const vor::LivePoll& poll);
  // The page has started (true) or stopped (false) polling.
  void PollingChanged(bool polling);
  // A double-click on the value field of the item at `position` in the live table: the user
  // asks for it to be plotted.
  void PlotRequested(int position);

protected:
  void OnInitDialog() override;
  void OnShowWindow(bool shown) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void Layout();
  void StopPolling();
  // Sets the text colours that follow the page's state.
  void OnCtlColor();
  // Shows the help text of the item in the field `editId`.
  void OnFieldFocus(int editId);

  LinkAccess& link_;
  MonitorPoll poll_;
  MonitorPoll::FieldTexts fields_;  // scratch of one poll, kept to allocate nothing per poll
  LiveSlots slots_;
  bool polling_ = false;
};

}  // namespace vor
