#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "resources/prompter.h"

namespace vor::test {

// Answers from a queue and records every question. With the queue empty it answers Cancel (or
// OK where that is the only button), so an unexpected question never blocks a test.
class ScriptedPrompter : public Prompter {
public:
  struct Asked {
    int stringId;
    Buttons buttons;
    Icon icon;
  };

  using Prompter::Ask;
  Answer Ask(int stringId, Buttons buttons, Icon icon) override {
    asked.push_back({stringId, buttons, icon});
    if (onAsk) onAsk(stringId);
    if (!answers.empty()) {
      const Answer answer = answers.front();
      answers.pop_front();
      return answer;
    }
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
  }

  std::vector<int> AskedIds() const {
    std::vector<int> ids;
    for (const Asked& a : asked) ids.push_back(a.stringId);
    return ids;
  }

  std::deque<Answer> answers;
  std::function<void(int stringId)> onAsk;  // runs before the answer is given
  std::vector<Asked> asked;
};

}  // namespace vor::test
