#include "link/link_thread.h"

#include <QEventLoop>
#include <QTimer>

namespace vor {

// The link thread's side: runs the queued job and the repeating tick. Its slots are invoked by
// name through queued calls, so no closure crosses the threads outside the mutex.
class LinkThread::Worker : public QObject {
  Q_OBJECT
public:
  explicit Worker(LinkThread& owner) : owner_(owner) {}

public slots:
  void RunPendingJob() {
    const std::function<bool()>* job = nullptr;
    {
      std::lock_guard lock(owner_.mutex_);
      job = owner_.job_;
    }
    const bool ok = job && (*job)();
    {
      std::lock_guard lock(owner_.mutex_);
      owner_.jobResult_ = ok;
      owner_.jobDone_ = true;
    }
    QMetaObject::invokeMethod(&owner_, "OnJobDone", Qt::QueuedConnection);
  }

  void StartTimer() {
    int periodMs = 0;
    {
      std::lock_guard lock(owner_.mutex_);
      tick_ = owner_.tick_;
      periodMs = owner_.periodMs_;
    }
    if (!timer_) {
      timer_ = std::make_unique<QTimer>();
      timer_->setTimerType(Qt::PreciseTimer);
      connect(timer_.get(), &QTimer::timeout, this, [this] {
        if (tick_) tick_();
      });
    }
    timer_->start(periodMs);
  }

  void StopTimer() {
    if (timer_) timer_->stop();
    tick_ = nullptr;
    std::lock_guard lock(owner_.mutex_);
    owner_.stopAcknowledged_ = true;
    owner_.stopped_.notify_all();
  }

  // The last call on the link thread: the timer dies on the thread it belongs to, and what the
  // thread did is handed back through the mutex before the owner deletes anything.
  void Shutdown() {
    timer_.reset();
    tick_ = nullptr;
    // Notified under the lock: once the owner can take it, this thread touches nothing of ours.
    std::lock_guard lock(owner_.mutex_);
    owner_.workerDone_ = true;
    owner_.stopped_.notify_all();
  }

private:
  LinkThread& owner_;
  std::function<void()> tick_;  // the worker's own copy
  std::unique_ptr<QTimer> timer_;
};

LinkThread::LinkThread() : worker_(std::make_unique<Worker>(*this)) {
  thread_.setObjectName("link");
  worker_->moveToThread(&thread_);
  thread_.start();
}

LinkThread::~LinkThread() {
  if (repeating_) StopRepeating();
  QMetaObject::invokeMethod(worker_.get(), "Shutdown", Qt::QueuedConnection);
  {
    std::unique_lock lock(mutex_);
    stopped_.wait(lock, [this] { return workerDone_; });
  }
  thread_.quit();
  thread_.wait();
  // The worker was moved to the thread; it has no events left and is deleted from here.
  worker_.reset();
}

JobResult LinkThread::Run(const QString& operation, const std::function<bool()>& job) {
  // One command at a time: user input is held back while a job runs, so only a timer or a
  // window-system event could try to start another, and that one is refused.
  if (running_) return JobResult::Refused;
  running_ = true;
  if (indicator_) indicator_->JobStarted(operation);

  {
    std::lock_guard lock(mutex_);
    job_ = &job;
    jobDone_ = false;
  }
  QEventLoop loop;
  waitLoop_ = &loop;
  QMetaObject::invokeMethod(worker_.get(), "RunPendingJob", Qt::QueuedConnection);
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
    loop.exec(QEventLoop::ExcludeUserInputEvents);
  }
  waitLoop_ = nullptr;

  if (indicator_) indicator_->JobEnded();
  running_ = false;
  emit JobFinished();
  return result ? JobResult::Done : JobResult::Failed;
}

void LinkThread::OnJobDone() {
  if (waitLoop_) waitLoop_->quit();
}

void LinkThread::StartRepeating(int periodMs, std::function<void()> tick) {
  if (repeating_) StopRepeating();
  {
    std::lock_guard lock(mutex_);
    periodMs_ = periodMs;
    tick_ = std::move(tick);
  }
  repeating_ = true;
  QMetaObject::invokeMethod(worker_.get(), "StartTimer", Qt::QueuedConnection);
}

void LinkThread::StopRepeating() {
  if (!repeating_) return;
  {
    std::lock_guard lock(mutex_);
    stopAcknowledged_ = false;
  }
  // Queued behind a tick in progress (and behind the StartTimer of a tick never run yet).
  QMetaObject::invokeMethod(worker_.get(), "StopTimer", Qt::QueuedConnection);
  std::unique_lock lock(mutex_);
  stopped_.wait(lock, [this] { return stopAcknowledged_; });
  tick_ = nullptr;
  repeating_ = false;
}

void LinkThread::PostToOwner(std::function<void()> call) {
  {
    std::lock_guard lock(mutex_);
    posted_.push_back(std::move(call));
  }
  QMetaObject::invokeMethod(this, "RunPosted", Qt::QueuedConnection);
}

void LinkThread::RunPosted() {
  std::vector<std::function<void()>> calls;
  {
    std::lock_guard lock(mutex_);
    calls.swap(posted_);
  }
  for (const auto& call : calls) call();
}

CrossThreadPrompter::CrossThreadPrompter(Prompter& target, QObject* targetThreadObject)
    : target_(target) {
  moveToThread(targetThreadObject->thread());
}

Answer CrossThreadPrompter::Ask(int stringId, Buttons buttons, Icon icon) {
  return AskOnTargetThread({stringId, QString(), buttons, icon});
}

Answer CrossThreadPrompter::AskText(const QString& text, Buttons buttons, Icon icon) {
  return AskOnTargetThread({0, text, buttons, icon});
}

Answer CrossThreadPrompter::AskTarget(const Question& question) {
  if (question.stringId != 0)
    return target_.Ask(question.stringId, question.buttons, question.icon);
  return target_.AskText(question.text, question.buttons, question.icon);
}

Answer CrossThreadPrompter::AskOnTargetThread(const Question& question) {
  if (QThread::currentThread() == thread()) return AskTarget(question);
  std::unique_lock lock(mutex_);
  question_ = question;
  pending_ = true;
  QMetaObject::invokeMethod(this, "AskPending", Qt::QueuedConnection);
  answered_.wait(lock, [this] { return !pending_; });
  return answer_;
}

void CrossThreadPrompter::AskPending() {
  Question question;
  {
    std::lock_guard lock(mutex_);
    if (!pending_) return;
    question = question_;
  }
  const Answer answer = AskTarget(question);
  std::lock_guard lock(mutex_);
  answer_ = answer;
  pending_ = false;
  answered_.notify_all();
}

}  // namespace vor

#include "link_thread.moc"
