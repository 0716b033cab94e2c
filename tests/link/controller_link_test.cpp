// The link thread: modal jobs and the repeating live poll, with a real thread and the link on
// virtual time.
#include "link/controller_link.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <atomic>

#include "definitions/model_images.h"
#include "simulator/simulated_controller.h"
#include "simulator/virtual_port.h"
#include "tests/support/scripted_prompter.h"

namespace vor {
namespace {

constexpr std::uint8_t kLiveRead0 = 0x1B;

class ControllerLinkTest : public ::testing::Test {
protected:
  void SetUp() override {
    ports.AddDevice("/dev/ttyUSB0", &controller);
    ASSERT_TRUE(link.ScanForController());
  }

  // Processes events until `done` holds; fails the test after a few seconds.
  template <typename Predicate>
  void WaitFor(Predicate done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 5000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    ASSERT_TRUE(done());
  }

  VirtualClock clock;  // the link thread's only
  VirtualPortSystem ports{clock};
  SimulatedController controller{*DefaultImageFor(u"VOR")};
  test::ScriptedPrompter prompter;
  QObject uiContext;
  ControllerLink link{ports, clock, prompter, &uiContext};
};

TEST_F(ControllerLinkTest, JobsSayWhetherTheyRanAndHowTheyEnded) {
  EXPECT_EQ(link.RunJob("ok", [](SerialLink&) { return true; }), JobResult::Done);
  EXPECT_EQ(link.RunJob("fails", [](SerialLink&) { return false; }), JobResult::Failed);

  // A second job asked for while one runs (here by a timer firing in the wait) is refused.
  JobResult nested = JobResult::Done;
  bool nestedRan = false;
  std::atomic<bool> asked{false};
  QTimer::singleShot(0, [&] {
    nested = link.RunJob("nested", [&](SerialLink&) { return nestedRan = true; });
    asked = true;
  });
  link.RunJob("waits for the nested request", [&](SerialLink&) {
    QElapsedTimer timer;
    timer.start();
    while (!asked && timer.elapsed() < 5000) QThread::yieldCurrentThread();
    return true;
  });
  EXPECT_TRUE(asked);
  EXPECT_EQ(nested, JobResult::Refused);
  EXPECT_FALSE(nestedRan);
}

TEST_F(ControllerLinkTest, PollsDeliverTheBlockInOrderAndNothingAfterTheStop) {
  std::vector<LivePoll> polls;
  link.StartLivePoll(2, [&](const LivePoll& poll) { polls.push_back(poll); });
  EXPECT_TRUE(link.LivePollRunning());
  WaitFor([&] { return polls.size() >= 3; });
  link.StopLivePoll();
  EXPECT_FALSE(link.LivePollRunning());

  const int requestsAtStop = controller.RequestCount(kLiveRead0);
  const std::size_t deliveredAtStop = polls.size();
  // Whatever was already on its way to this thread is dropped, and no poll follows.
  QCoreApplication::processEvents();
  EXPECT_EQ(link.RunJob("after", [](SerialLink&) { return true; }), JobResult::Done);
  EXPECT_EQ(polls.size(), deliveredAtStop);
  EXPECT_EQ(controller.RequestCount(kLiveRead0), requestsAtStop);

  for (std::size_t i = 0; i < polls.size(); ++i) {
    EXPECT_EQ(polls[i].answered, (LiveAnswers{true, true, true}));
    if (i > 0) {
      EXPECT_GT(polls[i].timeUs, polls[i - 1].timeUs);
    }
  }
}

TEST_F(ControllerLinkTest, AStopAgainstASilentControllerAbandonsTheExchangeAndDrainsTheLine) {
  controller.AddFault(FaultRule(FaultKind::Silent));
  int delivered = 0;
  link.StartLivePoll(2, [&](const LivePoll&) { ++delivered; });
  WaitFor([&] { return delivered >= 1; });  // a poll of three time-outs, on virtual time
  link.StopLivePoll();
  controller.ClearFaults();

  // The link is usable at once: the next job drains the line and is answered.
  ConfigImage image;
  EXPECT_TRUE(link.ReadImage(image));
  EXPECT_EQ(image.bytes, controller.Image().bytes);
}

TEST_F(ControllerLinkTest, ARestartedPollDeliversOnlyItsOwnResults) {
  int first = 0;
  int second = 0;
  link.StartLivePoll(2, [&](const LivePoll&) { ++first; });
  WaitFor([&] { return first >= 1; });
  link.StartLivePoll(2, [&](const LivePoll&) { ++second; });
  const int firstAtRestart = first;
  WaitFor([&] { return second >= 2; });
  link.StopLivePoll();
  EXPECT_EQ(first, firstAtRestart);
}

}  // namespace
}  // namespace vor
