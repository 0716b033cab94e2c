#include "link/link_thread.h"

#include <QThread>
#include <chrono>

namespace vor {
namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

// A thread of its own rather than QThread::create: nothing of ours runs on it after the loop has
// said, under the lock, that it has ended.
class LinkThread::Thread : public QThread {
public:
  explicit Thread(LinkThread& owner) : owner_(owner) {}

private:
  void run() override { owner_.Loop(); }
  LinkThread& owner_;
};

LinkThread::LinkThread() : thread_(std::make_unique<Thread>(*this)) {
  connect(this, &LinkThread::JobStored, this, &LinkThread::OnJobDone, Qt::QueuedConnection);
  connect(this, &LinkThread::CallsPosted, this, &LinkThread::RunPosted, Qt::QueuedConnection);
  thread_->setObjectName("link");
  thread_->start();
}

LinkThread::~LinkThread() {
  {
    std::lock_guard lock(mutex_);
    tick_ = nullptr;
    if (tickRunning_ && !tickCut_ && interrupt_.request) {
      tickCut_ = true;
      interrupt_.request();
    }
    shutdown_ = true;
    wake_.notify_all();
  }
  {
    // The link thread ends after what it has in hand. Its last word goes through the lock, so
    // that what it did is handed over before anything is deleted.
    std::unique_lock lock(mutex_);
    wake_.wait(lock, [this] { return loopEnded_; });
  }
  thread_->wait();
}

void LinkThread::Loop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    if (shutdown_) {
      loopEnded_ = true;
      wake_.notify_all();
      return;
    }
    if (job_ && !jobTaken_) {
      jobTaken_ = true;
      const std::function<bool()>& job = *job_;
      lock.unlock();
      const bool ok = job();
      lock.lock();
      jobResult_ = ok;
      jobDone_ = true;
      lock.unlock();
      emit JobStored(QPrivateSignal());
      lock.lock();
      continue;
    }
    if (RunDueTick(lock)) continue;
    if (tick_) {
      wake_.wait_until(lock, nextTick_);
    } else {
      wake_.wait(lock);
    }
  }
}

bool LinkThread::RunDueTick(std::unique_lock<std::mutex>& lock) {
  if (!tick_) return false;
  const Clock::duration period = std::chrono::milliseconds(periodMs_);
  if (rhythmOf_ != tickGeneration_) {
    // A new start: the first tick one period from now.
    rhythmOf_ = tickGeneration_;
    nextTick_ = Clock::now() + period;
    return false;
  }
  const Clock::time_point now = Clock::now();
  if (now < nextTick_) return false;
  // A tick more than a period late (after a long job or a slow tick) starts the rhythm afresh
  // rather than running the missed ones back to back.
  nextTick_ = now - nextTick_ >= period ? now + period : nextTick_ + period;

  const std::function<void()> tick = tick_;  // StartRepeating may replace it meanwhile
  tickRunning_ = true;
  lock.unlock();
  tick();
  lock.lock();
  tickRunning_ = false;
  if (tickCut_) {
    tickCut_ = false;
    if (interrupt_.clear) interrupt_.clear();
  }
  return true;
}

JobResult LinkThread::Run(const QString& operation, const std::function<bool()>& job) {
  // One job at a time: the desktop's wait policy holds user input back meanwhile, so only a
  // timer or a window-system event could try to start another, and that one is refused.
  if (running_) return JobResult::Refused;
  running_ = true;
  JobWaitPolicy* const policy = policy_;
  if (policy) policy->JobStarted(operation);

  {
    std::lock_guard lock(mutex_);
    job_ = &job;
    jobTaken_ = false;
    jobDone_ = false;
    wake_.notify_all();
  }
  QEventLoop loop;
  waitLoop_ = &loop;
  bool result = false;
  for (;;) {
    {
      std::lock_guard lock(mutex_);
      if (jobDone_) {
        result = jobResult_;
        job_ = nullptr;
        break;
      }
    }
    loop.exec(policy ? policy->WaitFlags() : QEventLoop::AllEvents);
  }
  waitLoop_ = nullptr;

  if (policy) policy->JobEnded();
  running_ = false;
  emit JobFinished();
  return result ? JobResult::Done : JobResult::Failed;
}

void LinkThread::OnJobDone() {
  if (waitLoop_) waitLoop_->quit();
}

void LinkThread::SetTickInterrupt(TickInterrupt interrupt) {
  std::lock_guard lock(mutex_);
  interrupt_ = std::move(interrupt);
}

void LinkThread::StartRepeating(int periodMs, std::function<void()> tick) {
  StopRepeating();
  std::lock_guard lock(mutex_);
  periodMs_ = periodMs;
  tick_ = std::move(tick);
  ++tickGeneration_;
  repeating_ = true;
  wake_.notify_all();
}

void LinkThread::StopRepeating() {
  if (!repeating_) return;
  repeating_ = false;
  std::lock_guard lock(mutex_);
  // Under the lock with the link thread's check before each tick: once this returns, no tick
  // starts until the next StartRepeating.
  tick_ = nullptr;
  ++tickGeneration_;
  if (tickRunning_ && !tickCut_ && interrupt_.request) {
    tickCut_ = true;
    interrupt_.request();
  }
}

void LinkThread::PostToOwner(std::function<void()> call) {
  {
    std::lock_guard lock(mutex_);
    posted_.push_back(std::move(call));
  }
  emit CallsPosted(QPrivateSignal());
}

void LinkThread::RunPosted() {
  std::vector<std::function<void()>> calls;
  {
    std::lock_guard lock(mutex_);
    calls.swap(posted_);
  }
  for (const auto& call : calls) call();
}

}  // namespace vor
