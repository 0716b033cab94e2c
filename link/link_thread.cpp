#include "link/link_thread.h"

#include <QEventLoop>

namespace vor {

LinkThread::LinkThread() : worker_(std::make_unique<QObject>()) {
  thread_.setObjectName("link");
  worker_->moveToThread(&thread_);
  thread_.start();
}

LinkThread::~LinkThread() {
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

  QEventLoop loop;
  bool result = false;
  bool finished = false;
  QMetaObject::invokeMethod(worker_.get(), [&] {
    const bool ok = job();
    // The result goes back to the waiting thread, where `loop` lives.
    QMetaObject::invokeMethod(
        this,
        [&, ok] {
          result = ok;
          finished = true;
          loop.quit();
        },
        Qt::QueuedConnection);
  });
  while (!finished) loop.exec(QEventLoop::ExcludeUserInputEvents);

  if (indicator_) indicator_->JobEnded();
  running_ = false;
  emit JobFinished();
  return result ? JobResult::Done : JobResult::Failed;
}

Answer CrossThreadPrompter::Ask(int stringId, Buttons buttons, Icon icon) {
  return OnTargetThread([&] { return target_.Ask(stringId, buttons, icon); });
}

Answer CrossThreadPrompter::AskText(const QString& text, Buttons buttons, Icon icon) {
  return OnTargetThread([&] { return target_.AskText(text, buttons, icon); });
}

Answer CrossThreadPrompter::OnTargetThread(const std::function<Answer()>& ask) {
  if (QThread::currentThread() == context_->thread()) return ask();
  Answer answer = Answer::Cancel;
  QMetaObject::invokeMethod(
      context_, [&] { answer = ask(); }, Qt::BlockingQueuedConnection);
  return answer;
}

}  // namespace vor
