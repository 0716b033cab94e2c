#include "mainwindow/cross_thread_prompter.h"

#include <QThread>

namespace vor {

CrossThreadPrompter::CrossThreadPrompter(Prompter& target) : target_(target) {
  connect(this, &CrossThreadPrompter::QuestionPending, this, &CrossThreadPrompter::AskPending,
          Qt::QueuedConnection);
}

Answer CrossThreadPrompter::Ask(int stringId, Buttons buttons, Icon icon) {
  return AskOnTargetThread({stringId, QString(), buttons, icon, std::nullopt});
}

Answer CrossThreadPrompter::AskText(const QString& text, Buttons buttons, Icon icon) {
  return AskOnTargetThread({0, text, buttons, icon, std::nullopt});
}

Answer CrossThreadPrompter::AskTextWithDefault(const QString& text, Buttons buttons, Icon icon,
                                               Answer defaultAnswer) {
  return AskOnTargetThread({0, text, buttons, icon, defaultAnswer});
}

Answer CrossThreadPrompter::AskTarget(const Question& question) {
  if (question.stringId != 0) {
    return target_.Ask(question.stringId, question.buttons, question.icon);
  }
  if (question.defaultAnswer) {
    return target_.AskTextWithDefault(question.text, question.buttons, question.icon,
                                      *question.defaultAnswer);
  }
  return target_.AskText(question.text, question.buttons, question.icon);
}

Answer CrossThreadPrompter::AskOnTargetThread(const Question& question) {
  if (QThread::currentThread() == thread()) return AskTarget(question);
  std::unique_lock lock(mutex_);
  question_ = question;
  pending_ = true;
  emit QuestionPending(QPrivateSignal());
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
