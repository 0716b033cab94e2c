#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "resources/prompter.h"

namespace vor::test {

// Answers from a queue and records every question. With the queue empty it answers Cancel (or
// OK where that is the only button), so an unexpected question never blocks a test.
class ScriptedPrompter : public Prompter {
public:
  struct Asked {
    int stringId;  // 0 for a text composed at run time
    Buttons buttons;
    Icon icon;
    QString text;
    std::optional<Answer> defaultAnswer;  // the button Enter presses, when the caller named one
    QString detail;                       // the line below the message, when there is one
    QRect keepVisible;  // what the box must leave in sight, when the caller named it
  };

  using Prompter::Ask;
  Answer Ask(int stringId, Buttons buttons, Icon icon) override {
    return Reply(stringId, LoadString(stringId), buttons, icon);
  }
  Answer AskWithDetail(int stringId, Buttons buttons, Icon icon, const QString& detail) override {
    return Reply(stringId, LoadString(stringId), buttons, icon, std::nullopt, detail);
  }
  Answer AskText(const QString& text, Buttons buttons, Icon icon) override {
    return Reply(0, text, buttons, icon);
  }
  Answer AskTextWithDefault(const QString& text, Buttons buttons, Icon icon,
                            Answer defaultAnswer) override {
    return Reply(0, text, buttons, icon, defaultAnswer);
  }
  Answer AskTextBeside(const QString& text, Buttons buttons, Icon icon,
                       const QRect& keepVisible) override {
    return Reply(0, text, buttons, icon, std::nullopt, {}, keepVisible);
  }

  std::vector<int> AskedIds() const {
    std::vector<int> ids;
    for (const Asked& a : asked) ids.push_back(a.stringId);
    return ids;
  }

  std::deque<Answer> answers;
  std::function<void(int stringId)> onAsk;  // runs before the answer is given
  std::vector<Asked> asked;

private:
  Answer Reply(int stringId, const QString& text, Buttons buttons, Icon icon,
               std::optional<Answer> defaultAnswer = std::nullopt, const QString& detail = {},
               QRect keepVisible = {}) {
    asked.push_back({stringId, buttons, icon, text, defaultAnswer, detail, keepVisible});
    if (onAsk) onAsk(stringId);
    if (!answers.empty()) {
      const Answer answer = answers.front();
      answers.pop_front();
      return answer;
    }
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
  }
};

}  // namespace vor::test
