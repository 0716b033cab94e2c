// The prompter through which the link thread asks its questions on the user-interface thread.
#include "mainwindow/cross_thread_prompter.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QThread>
#include <atomic>
#include <thread>

#include "tests/support/scripted_prompter.h"

namespace vor {
namespace {

// Each kind of question asked from another thread reaches the target on this thread with all it
// carries, the default answer of a Yes/No question too, and its answer goes back.
TEST(CrossThreadPrompter, AsksOnItsOwnThreadWithAllTheQuestionCarries) {
  test::ScriptedPrompter target;
  target.answers = {Answer::Retry, Answer::Yes, Answer::Ok};
  std::vector<bool> onThisThread;
  QThread* const thisThread = QThread::currentThread();
  target.onAsk = [&](int) { onThisThread.push_back(QThread::currentThread() == thisThread); };
  CrossThreadPrompter prompter(target);

  std::vector<Answer> answers;
  std::atomic<bool> done{false};
  std::thread asker([&] {
    answers.push_back(prompter.Ask(kMsgRs232SettingError, Buttons::RetryCancel, Icon::Default));
    answers.push_back(
        prompter.AskTextWithDefault("Write anyway?", Buttons::YesNo, Icon::Warning, Answer::No));
    answers.push_back(prompter.AskText("Noted.", Buttons::Ok, Icon::Information));
    done = true;
  });
  const bool answered = QTest::qWaitFor([&] { return done.load(); }, 10'000);
  asker.join();
  ASSERT_TRUE(answered);

  EXPECT_EQ(answers, (std::vector<Answer>{Answer::Retry, Answer::Yes, Answer::Ok}));
  EXPECT_EQ(onThisThread, (std::vector<bool>{true, true, true}));
  ASSERT_EQ(target.asked.size(), 3u);
  EXPECT_EQ(target.asked[0].stringId, kMsgRs232SettingError);
  EXPECT_EQ(target.asked[0].buttons, Buttons::RetryCancel);
  EXPECT_EQ(target.asked[1].text, "Write anyway?");
  EXPECT_EQ(target.asked[1].icon, Icon::Warning);
  EXPECT_EQ(target.asked[1].defaultAnswer, Answer::No);
  EXPECT_EQ(target.asked[2].text, "Noted.");
  EXPECT_EQ(target.asked[2].defaultAnswer, std::nullopt);
}

}  // namespace
}  // namespace vor
