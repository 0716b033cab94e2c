#pragma once

#include <QObject>
#include <QString>
#include <QThread>
#include <functional>
#include <memory>

#include "link/link_access.h"
#include "resources/prompter.h"

namespace vor {

// Told when a job on the link thread begins and ends, so the user interface can say what is
// happening while it waits.
class BusyIndicator {
public:
  virtual ~BusyIndicator() = default;
  virtual void JobStarted(const QString& operation) = 0;
  virtual void JobEnded() = 0;
};

// The thread that owns the serial port. Every exchange with the controller runs here, one job
// at a time, so the port has one user by construction. The calling (user-interface) thread waits
// for a job in a local event loop that repaints but takes no user input.
class LinkThread : public QObject {
  Q_OBJECT
public:
  LinkThread();
  ~LinkThread() override;

  // Runs `job` on the link thread and returns how it ended once it has. While waiting, the
  // caller's events are processed except user input. `operation` names the job for the busy
  // indicator ("Reading..."). Must not be called from the link thread. Refused without running
  // `job` while another job runs.
  JobResult Run(const QString& operation, const std::function<bool()>& job);

  bool Busy() const { return running_; }
  void SetBusyIndicator(BusyIndicator* indicator) { indicator_ = indicator; }
  QThread* Thread() { return &thread_; }

signals:
  // A Run has ended (emitted on the caller's thread).
  void JobFinished();

private:
  QThread thread_;
  std::unique_ptr<QObject> worker_;  // lives on thread_; jobs are queued to it
  BusyIndicator* indicator_ = nullptr;
  bool running_ = false;
};

// Asks on the thread of `target` (the user interface) whatever thread the question comes from;
// the asking thread waits for the answer.
class CrossThreadPrompter : public Prompter {
public:
  CrossThreadPrompter(Prompter& target, QObject* targetThreadObject)
      : target_(target), context_(targetThreadObject) {}

  using Prompter::Ask;
  Answer Ask(int stringId, Buttons buttons, Icon icon) override;
  Answer AskText(const QString& text, Buttons buttons, Icon icon) override;

private:
  // Runs `ask` on the target's thread and returns its answer.
  Answer OnTargetThread(const std::function<Answer()>& ask);

  Prompter& target_;
  QObject* context_;
};

}  // namespace vor
