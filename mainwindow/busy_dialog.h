#pragma once

#include <QTimer>
#include <memory>

#include "link/link_thread.h"

class QProgressDialog;
class QWidget;

namespace vor {

// How the desktop program waits for a link job: user input is held back, so no second command
// starts meanwhile, and a small modal progress dialog names the operation when the job takes
// longer than a moment, so a long scan or an unanswered controller never looks like a frozen
// window.
class BusyDialog : public JobWaitPolicy {
public:
  static constexpr int kDelayMs = 300;

  // The dialog shows over `parent` while that is visible; `delayMs` is how long a job runs
  // before it does.
  explicit BusyDialog(QWidget* parent, int delayMs = kDelayMs);
  ~BusyDialog() override;

  QEventLoop::ProcessEventsFlags WaitFlags() const override;
  void JobStarted(const QString& operation) override;
  void JobEnded() override;

  // The dialog on show, or nullptr.
  QProgressDialog* Dialog() const { return dialog_.get(); }

private:
  QWidget* parent_;
  QTimer delay_;
  QString operation_;
  std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace vor
