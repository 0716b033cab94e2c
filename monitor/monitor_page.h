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

  // The slots have their labels; set once, never cleared.
  bool LayoutDone = false;
  // Control id of the fault field (drawn red): the field of the last "h" item; 0 for none.
  int FaultFieldId = 0;

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
