#pragma once

#include <QEventLoop>
#include <QObject>
#include <QString>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "link/link_access.h"

namespace vor {

// How the thread that asked for a job spends the wait: which of its events it handles meanwhile,
// and what it shows. It handles some in any case, since the job's end and every question the job
// asks on that thread arrive as events. Without a policy every event is handled and nothing is
// shown.
class JobWaitPolicy {
public:
  virtual ~JobWaitPolicy() = default;
  virtual QEventLoop::ProcessEventsFlags WaitFlags() const = 0;
  // `operation` names the job ("Reading..."); JobEnded follows every JobStarted.
  virtual void JobStarted(const QString& operation) = 0;
  virtual void JobEnded() = 0;
};

// The thread that owns the serial port. Every exchange with the controller runs here, one at a
// time, so the port has one user by construction: jobs, for which the calling (owner's) thread
// waits in a local event loop, and a repeating tick on a period of the link thread's own. The
// link thread runs no event loop: everything handed between the two threads goes through one
// mutex, visible to the thread sanitizer as well.
class LinkThread : public QObject {
  Q_OBJECT
public:
  // How a tick in progress is cut short when the tick is stopped: `request` is called on the
  // stopping thread, `clear` on the link thread once the cut tick has returned. Both are called
  // with the thread's lock held, so they must only set a flag.
  struct TickInterrupt {
    std::function<void()> request;
    std::function<void()> clear;
  };

  LinkThread();
  // Cuts a tick in progress short, waits for it (or for a job in progress) to end, then ends the
  // thread. Must not run while Run waits.
  ~LinkThread() override;

  // Runs `job` on the link thread and returns how it ended once it has. While waiting, the
  // caller's events are processed as the wait policy says. `operation` names the job for the
  // policy ("Reading..."). Must not be called from the link thread. Refused without running `job`
  // while another job runs. A job queued while a tick runs starts when the tick has ended; a tick
  // that falls due while a job runs waits for the job.
  JobResult Run(const QString& operation, const std::function<bool()>& job);

  void SetTickInterrupt(TickInterrupt interrupt);
  // Runs `tick` on the link thread every `periodMs`, the first one period from now; a tick that
  // outlasts the period delays the next one. Replaces a running tick as StopRepeating does.
  void StartRepeating(int periodMs, std::function<void()> tick);
  // Returns at once, without waiting for the link thread: no tick starts after it, and a tick in
  // progress is cut short through the tick interrupt (it may still be ending when this returns;
  // a job queued meanwhile runs after it).
  void StopRepeating();
  bool Repeating() const { return repeating_; }

  // Runs `call` on the thread that owns this object (the user interface), in the order posted.
  // May be called from any thread.
  void PostToOwner(std::function<void()> call);

  bool Busy() const { return running_; }
  void SetWaitPolicy(JobWaitPolicy* policy) { policy_ = policy; }

signals:
  // A Run has ended (emitted on the caller's thread).
  void JobFinished();
  // From the link thread to this object's own slots, through queued connections made on the
  // owner's thread (so the call objects are the owner's own, as the thread sanitizer sees it).
  void JobStored(QPrivateSignal);
  void CallsPosted(QPrivateSignal);

private:
  void Loop();  // the link thread
  // Runs one due tick with the lock released; true when it ran.
  bool RunDueTick(std::unique_lock<std::mutex>& lock);
  void OnJobDone();  // owner's thread: the job has stored its result
  void RunPosted();  // owner's thread: run what PostToOwner queued

  // State shared with the link thread, guarded by `mutex_`; `wake_` tells the link thread.
  std::mutex mutex_;
  std::condition_variable wake_;
  const std::function<bool()>* job_ = nullptr;  // queued or running
  bool jobTaken_ = false;
  bool jobDone_ = false;
  bool jobResult_ = false;
  std::function<void()> tick_;  // empty while stopped
  int periodMs_ = 0;
  // Counts starts and stops of the tick, so the link thread sees a restart as a new rhythm.
  std::uint64_t tickGeneration_ = 0;
  bool tickRunning_ = false;
  bool tickCut_ = false;  // the running tick was asked to end early
  TickInterrupt interrupt_;
  bool shutdown_ = false;
  bool loopEnded_ = false;
  std::vector<std::function<void()>> posted_;

  // The link thread only: when the next tick is due, and for which start.
  std::chrono::steady_clock::time_point nextTick_;
  std::uint64_t rhythmOf_ = 0;

  class Thread;
  std::unique_ptr<Thread> thread_;
  // The owner's thread only.
  JobWaitPolicy* policy_ = nullptr;
  QEventLoop* waitLoop_ = nullptr;
  bool running_ = false;
  bool repeating_ = false;
};

}  // namespace vor
