#pragma once

#include <QObject>
#include <condition_variable>
#include <mutex>
#include <optional>

#include "resources/prompter.h"

namespace vor {

// Asks `target` on the thread that constructed this object (the user interface), whatever thread
// the question comes from; the asking thread waits for the answer. That thread must keep
// handling its events meanwhile (the link thread's jobs wait in a local event loop). Questions
// come from one other thread at a time.
class CrossThreadPrompter : public QObject, public Prompter {
  Q_OBJECT
public:
  explicit CrossThreadPrompter(Prompter& target);

  using Prompter::Ask;
  Answer Ask(int stringId, Buttons buttons, Icon icon) override;
  Answer AskText(const QString& text, Buttons buttons, Icon icon) override;
  Answer AskTextWithDefault(const QString& text, Buttons buttons, Icon icon,
                            Answer defaultAnswer) override;

signals:
  // From the asking thread to AskPending, through a queued connection made on this thread.
  void QuestionPending(QPrivateSignal);

private:
  struct Question {
    int stringId = 0;  // 0: ask `text`
    QString text;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::Default;
    std::optional<Answer> defaultAnswer;
  };
  Answer AskOnTargetThread(const Question& question);
  Answer AskTarget(const Question& question);
  void AskPending();  // target's thread

  Prompter& target_;
  std::mutex mutex_;
  std::condition_variable answered_;
  Question question_;
  bool pending_ = false;
  Answer answer_ = Answer::Cancel;
};

}  // namespace vor
