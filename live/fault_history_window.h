#pragma once

#include <QWidget>

#include "live/fault_history.h"
#include "live/live_tool_services.h"

class QLabel;
class QTableWidget;

namespace vor {

// The fault history as a table: every fault that was active in a poll of the Monitor page since
// the program started (or since Clear), most recently seen first, with Export CSV… and Clear.
// A window of its own; it shows the history that LiveTools keeps and never polls.
class FaultHistoryWindow : public QWidget {
  Q_OBJECT
public:
  enum Column { kName, kBit, kFirstSeen, kLastSeen, kPolls, kActiveNow, kColumns };

  // `history` must outlive the window; `parent` makes it a top-level window over that one.
  FaultHistoryWindow(FaultHistory& history, const LiveToolServices& services,
                     QWidget* parent = nullptr);

  // The history has changed: the table follows, while the window is on show.
  void OnPoll();
  // Whether the Monitor page polls; while it does not, the paused text shows.
  void SetPolling(bool polling);

  // Asks for a file name and writes the table there as CSV; false when cancelled or not written.
  bool ExportCsv();
  void Clear();

  QTableWidget* Table() const { return table_; }

protected:
  void showEvent(QShowEvent* event) override;

private:
  void Refresh();
  // The "Active now" column's text and tooltip.
  static QString NowText(FaultHistory::Now now);
  static QString NowTip(FaultHistory::Now now);

  FaultHistory& history_;
  LiveToolServices services_;
  QTableWidget* table_ = nullptr;
  QLabel* pausedLabel_ = nullptr;
};

}  // namespace vor
