#pragma once

#include <QObject>
#include <QString>
#include <QThread>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "link/link_access.h"
#include "resources/prompter.h"

class QEventLoop;

namespace vor {

// Told when a job on the link thread begins and ends, so the user interface can say what is
// happening while it waits.
class BusyIndicator {
public:
  virtual ~BusyIndicator() = default;
  virtual void JobStarted(const QString& operation) = 0;
  virtual void JobEnded() = 0;
};

// The thread that owns the serial port. Every exchange with the controller runs here, one at a
// time, so the port has one user by construction: modal jobs, for which the calling
// (user-interface) thread waits in a local event loop that repaints but takes no user input, and
// a repeating tick driven by a timer of the link thread's own. Everything handed between the two
// threads goes through a mutex, so the hand-over is visible to the thread sanitizer as well.
class LinkThread : public QObject {
  Q_OBJECT
public:
  LinkThread();
  ~LinkThread() override;

  // Runs `job` on the link thread and returns how it ended once it has. While waiting, the
  // caller's events are processed except user input. `operation` names the job for the busy
  // indicator ("Reading..."). Must not be called from the link thread. Refused without running
  // `job` while another job runs. A job queued while a tick runs starts when the tick has ended.
  JobResult Run(const QString& operation, const std::function<bool()>& job);

  // Runs `tick` on the link thread every `periodMs` (a precise timer of the link thread) until
  // StopRepeating; a tick that outlasts the period delays the next one. Replaces a running tick.
  void StartRepeating(int periodMs, std::function<void()> tick);
  // Stops the repeating tick and returns once no tick runs and none will. A tick in progress is
  // waited for: whoever drives the tick must first make it end quickly (the link's stop flag).
  // Never call it while a tick can be waiting for the caller's thread.
  void StopRepeating();
  bool Repeating() const { return repeating_; }

  // Runs `call` on the thread that owns this object (the user interface), in the order posted.
  // May be called from any thread.
  void PostToOwner(std::function<void()> call);

  bool Busy() const { return running_; }
  void SetBusyIndicator(BusyIndicator* indicator) { indicator_ = indicator; }
  QThread* Thread() { return &thread_; }

signals:
  // A Run has ended (emitted on the caller's thread).
  void JobFinished();

private slots:
  void OnJobDone();  // owner's thread: the job has stored its result
  void RunPosted();  // owner's thread: run what PostToOwner queued

private:
  class Worker;

  // State shared with the worker, guarded by `mutex_`.
  std::mutex mutex_;
  std::condition_variable stopped_;
  const std::function<bool()>* job_ = nullptr;
  bool jobDone_ = false;
  bool jobResult_ = false;
  int periodMs_ = 0;
  std::function<void()> tick_;
  bool stopAcknowledged_ = false;
  bool workerDone_ = false;
  std::vector<std::function<void()>> posted_;

  QThread thread_;
  std::unique_ptr<Worker> worker_;  // lives on thread_
  BusyIndicator* indicator_ = nullptr;
  QEventLoop* waitLoop_ = nullptr;
  bool running_ = false;
  bool repeating_ = false;
};

// Asks on the thread of `target` (the user interface) whatever thread the question comes from;
// the asking thread waits for the answer.
class CrossThreadPrompter : public QObject, public Prompter {
  Q_OBJECT
public:
  // `targetThreadObject` names the thread on which `target` must be asked.
  CrossThreadPrompter(Prompter& target, QObject* targetThreadObject);

  using Prompter::Ask;
  Answer Ask(int stringId, Buttons buttons, Icon icon) override;
  Answer AskText(const QString& text, Buttons buttons, Icon icon) override;

private slots:
  void AskPending();  // target's thread

private:
  struct Question {
    int stringId = 0;  // 0: ask `text`
    QString text;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::Default;
  };
  Answer AskOnTargetThread(const Question& question);
  Answer AskTarget(const Question& question);

  Prompter& target_;
  std::mutex mutex_;
  std::condition_variable answered_;
  Question question_;
  bool pending_ = false;
  Answer answer_ = Answer::Cancel;
};

}  // namespace vor
