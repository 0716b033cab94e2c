// The link thread: jobs and the repeating live poll, with a real thread and the link on virtual
// time. Where a test must act while the link thread is inside an exchange, the port holds it
// there, and what reached the wire decides, not how long anything took.
#include "link/controller_link.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "definitions/model_images.h"
#include "link/config_transfer.h"
#include "simulator/simulated_controller.h"
#include "simulator/virtual_port.h"
#include "tests/support/holding_ports.h"
#include "tests/support/scripted_prompter.h"
#include "tests/support/while_link_busy.h"

namespace vor {
namespace {

constexpr std::uint8_t kLiveRead0 = 0x1B;
constexpr std::uint8_t kLiveRead1 = 0x33;
constexpr std::uint8_t kLiveRead2 = 0x34;
using Point = test::HoldingPorts::Point;

class ControllerLinkTest : public ::testing::Test {
protected:
  void SetUp() override {
    virtualPorts.AddDevice("/dev/ttyUSB0", &controller);
    ASSERT_EQ(link.ScanForController("scan"), JobResult::Done);
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
  bool Read(ConfigImage& image) {
    return link.RunJob("read", [&](SerialLink& l) { return ReadImage(l, image); }) ==
           JobResult::Done;
  }
  // Runs after whatever the link thread has in hand, and delivers what that posted.
  void Settle() {
    EXPECT_EQ(link.RunJob("after", [](SerialLink&) { return true; }), JobResult::Done);
    QCoreApplication::processEvents();
  }
  std::vector<int> LiveRequests() {
    return {controller.RequestCount(kLiveRead0), controller.RequestCount(kLiveRead1),
            controller.RequestCount(kLiveRead2)};
  }

  VirtualClock clock;  // the link thread's only
  VirtualPortSystem virtualPorts{clock};
  test::HoldingPorts ports{virtualPorts};
  SimulatedController controller{*DefaultImageFor(u"VOR")};
  test::ScriptedPrompter prompter;
  std::unique_ptr<ControllerLink> owned = std::make_unique<ControllerLink>(ports, clock, prompter);
  ControllerLink& link = *owned;
};

TEST_F(ControllerLinkTest, JobsSayWhetherTheyRanAndHowTheyEnded) {
  EXPECT_EQ(link.RunJob("ok", [](SerialLink&) { return true; }), JobResult::Done);
  EXPECT_EQ(link.RunJob("fails", [](SerialLink&) { return false; }), JobResult::Failed);

  // A second job asked for while one runs (here by a timer firing in the wait) is refused.
  JobResult nested = JobResult::Done;
  bool nestedRan = false;
  test::WhileLinkBusy(
      link, [&] { nested = link.RunJob("nested", [&](SerialLink&) { return nestedRan = true; }); });
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

  const std::vector<int> requestsAtStop = LiveRequests();
  const std::size_t deliveredAtStop = polls.size();
  Settle();
  EXPECT_EQ(polls.size(), deliveredAtStop);
  EXPECT_EQ(LiveRequests(), requestsAtStop);
  for (std::size_t i = 0; i < polls.size(); ++i) {
    EXPECT_EQ(polls[i].answered, (LiveAnswers{true, true, true}));
    if (i > 0) {
      EXPECT_GT(polls[i].timeUs, polls[i - 1].timeUs);
    }
  }

  // A stop between polls leaves nothing behind that would cut the next exchange short.
  link.StartLivePoll(60'000, [&](const LivePoll& poll) { polls.push_back(poll); });
  link.StopLivePoll();
  ConfigImage image;
  EXPECT_TRUE(Read(image));
}

// The stop comes while the first request's receive waits for a silent controller: that request
// is abandoned and the poll's other two never reach the wire.
TEST_F(ControllerLinkTest, AStopCutsTheReceiveInProgressShortAndNothingMoreOfThatPollIsSent) {
  controller.AddFault(FaultRule(FaultKind::Silent));
  ports.HoldAt(Point::ReadAfter, kLiveRead0);
  int delivered = 0;
  link.StartLivePoll(2, [&](const LivePoll&) { ++delivered; });
  ASSERT_TRUE(ports.WaitUntilHeld());
  link.StopLivePoll();
  ports.Release();
  Settle();
  EXPECT_TRUE(ports.StopRaisedWhileHeld());
  EXPECT_EQ(LiveRequests(), (std::vector<int>{1, 0, 0}));
  EXPECT_EQ(delivered, 0);

  // The link serves the next job at once: it drains the line and is answered.
  controller.ClearFaults();
  ConfigImage image;
  EXPECT_TRUE(Read(image));
  EXPECT_EQ(image.bytes, controller.Image().bytes);
}

// A request the port is still writing (which nothing can cut into slices) does not hold up the
// stop: it returns while the link thread is still in the write, and the poll ends there.
TEST_F(ControllerLinkTest, AStopReturnsWithoutWaitingForAWriteInProgress) {
  ports.HoldAt(Point::Write, kLiveRead0);
  int delivered = 0;
  link.StartLivePoll(2, [&](const LivePoll&) { ++delivered; });
  ASSERT_TRUE(ports.WaitUntilHeld());
  link.StopLivePoll();
  EXPECT_TRUE(ports.Holding());
  EXPECT_FALSE(link.LivePollRunning());
  ports.Release();
  Settle();
  // The request in the write when the stop came was sent before it; nothing of its poll follows.
  EXPECT_EQ(LiveRequests(), (std::vector<int>{1, 0, 0}));
  EXPECT_EQ(delivered, 0);
}

// The first poll's result is on its way to this thread (this thread handles no event meanwhile)
// when the poll is restarted: it must not reach the new poll's receiver, where it would land.
TEST_F(ControllerLinkTest, ARestartedPollDeliversOnlyItsOwnResults) {
  ports.HoldAt(Point::ReadAfter, kLiveRead0, 2);
  std::vector<std::int64_t> first;
  std::vector<std::int64_t> second;
  link.StartLivePoll(2, [&](const LivePoll& poll) { first.push_back(poll.timeUs); });
  ASSERT_TRUE(ports.WaitUntilHeld());
  const std::int64_t restartUs = clock.NowUs();  // the held link thread leaves the clock alone
  link.StartLivePoll(2, [&](const LivePoll& poll) { second.push_back(poll.timeUs); });
  ports.Release();
  WaitFor([&] { return second.size() >= 2; });
  link.StopLivePoll();

  EXPECT_TRUE(first.empty());
  for (std::int64_t timeUs : second) EXPECT_GE(timeUs, restartUs);
}

// The link goes while its poll waits for a silent controller (the program ending with the
// Monitor page on show): the receive is abandoned, the rest of the poll never sent, and the port
// closed on the link thread that opened it.
TEST_F(ControllerLinkTest, EndingTheLinkCutsItsPollShortAndClosesThePortOnTheLinkThread) {
  controller.AddFault(FaultRule(FaultKind::Silent));
  ports.HoldAt(Point::ReadAfter, kLiveRead0);
  link.StartLivePoll(2, [](const LivePoll&) {});
  ASSERT_TRUE(ports.WaitUntilHeld());
  owned.reset();
  EXPECT_TRUE(ports.StopRaisedWhileHeld());
  EXPECT_EQ(LiveRequests(), (std::vector<int>{1, 0, 0}));
  EXPECT_NE(ports.ClosedOn(), std::thread::id());
  EXPECT_NE(ports.ClosedOn(), std::this_thread::get_id());
}

// The thread alone, without the link: ending it cuts a tick in progress short through the tick
// interrupt rather than waiting for the tick to end by itself.
TEST(LinkThread, EndingTheThreadCutsTheTickInProgressShort) {
  std::mutex mutex;
  std::condition_variable changed;
  bool ticking = false;
  bool cut = false;
  bool cutSeen = false;
  auto thread = std::make_unique<LinkThread>();
  thread->SetTickInterrupt({[&] {
                              std::lock_guard lock(mutex);
                              cut = true;
                              changed.notify_all();
                            },
                            [] {}});
  thread->StartRepeating(1, [&] {
    std::unique_lock lock(mutex);
    ticking = true;
    changed.notify_all();
    cutSeen = changed.wait_for(lock, std::chrono::seconds(10), [&] { return cut; });
  });
  {
    std::unique_lock lock(mutex);
    ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(10), [&] { return ticking; }));
  }
  thread.reset();
  std::lock_guard lock(mutex);
  EXPECT_TRUE(cutSeen);
}

}  // namespace
}  // namespace vor
