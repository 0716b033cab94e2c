// The Monitor page on the program's link: the polls run on the link thread against a simulated
// controller on virtual time, their results reach the page on this thread, and hiding the page
// ends them. Where the hide must come inside an exchange, the port holds the link thread there.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

#include "definitions/definition_loader.h"
#include "definitions/model_images.h"
#include "link/config_transfer.h"
#include "link/controller_link.h"
#include "monitor/monitor_page.h"
#include "resources/dialog_builder.h"
#include "simulator/simulated_controller.h"
#include "simulator/virtual_port.h"
#include "tests/support/holding_ports.h"
#include "tests/support/scripted_prompter.h"

namespace vor {
namespace {

constexpr std::uint8_t kLiveRead0 = 0x1B;
constexpr std::uint8_t kLiveRead1 = 0x33;
constexpr std::uint8_t kLiveRead2 = 0x34;

class MonitorOnTheLinkTest : public ::testing::Test {
protected:
  void SetUp() override {
    virtualPorts.AddDevice("/dev/ttyUSB0", &controller);
    ASSERT_EQ(link.ScanForController("scan"), JobResult::Done);
    ASSERT_TRUE(Read(state.image));
    ASSERT_TRUE(LoadDefinitions(state.image, *state.definitions, prompter));
    state.ReadOk = true;
    page.Create(kDialogMonitor, &host);
    host.show();
  }

  // Processes events until `done` holds; fails the test after a few seconds.
  template <typename Predicate>
  void WaitFor(Predicate done) {
    ASSERT_TRUE(QTest::qWaitFor(done, 10'000));
  }

  bool Read(ConfigImage& image) {
    return link.RunJob("read", [&](SerialLink& l) { return ReadImage(l, image); }) ==
           JobResult::Done;
  }
  int LiveRequests() {
    return controller.RequestCount(kLiveRead0) + controller.RequestCount(kLiveRead1) +
           controller.RequestCount(kLiveRead2);
  }

  // Hides the page and checks that no live request follows: a job queued after the hide runs
  // after anything the link thread could still have had in hand.
  void HideAndExpectSilence() {
    page.hide();
    const int atHide = LiveRequests();
    const QString status = Status();
    EXPECT_EQ(link.RunJob("after the hide", [](SerialLink&) { return true; }), JobResult::Done);
    QCoreApplication::processEvents();
    EXPECT_EQ(LiveRequests(), atHide);
    EXPECT_EQ(Status(), status);  // no late result reached the page
    EXPECT_FALSE(link.LivePollRunning());
  }

  // The field of the shown item labelled `name`.
  QLineEdit* FieldOf(const QString& name) {
    const LiveSlots liveSlots = LiveSlotWalk(*state.definitions);
    for (int k = 0; k < liveSlots.count; ++k) {
      if (state.definitions->liveItems[std::size_t(liveSlots.position[std::size_t(k)])].name ==
          name) {
        return FindEdit(&page, SlotEditId(k));
      }
    }
    return nullptr;
  }
  QString Status() { return FindEdit(&page, kIdStatusField)->text(); }

  VirtualClock clock;  // the link thread's only
  VirtualPortSystem virtualPorts{clock};
  test::HoldingPorts ports{virtualPorts};
  SimulatedController controller{*DefaultImageFor(u"VOR")};
  test::ScriptedPrompter prompter;
  ControllerLink link{ports, clock, prompter};
  ProgramState state;
  QWidget host;
  CMonitor1Dlg page{state, prompter, link};
};

TEST_F(MonitorOnTheLinkTest, ShownItPollsTheControllerAndHiddenItSendsNothingMore) {
  controller.SetFaultWord(0x0012);
  page.show();
  WaitFor([&] { return page.PollState().PollCount >= 1; });
  EXPECT_EQ(Status(), "Success!");
  ASSERT_NE(FieldOf("Motor Speed"), nullptr);
  EXPECT_FALSE(FieldOf("Motor Speed")->text().isEmpty());
  EXPECT_EQ(controller.RequestCount(kLiveRead1), controller.RequestCount(kLiveRead0));
  HideAndExpectSilence();
}

TEST_F(MonitorOnTheLinkTest, AControllerThatAnswersOnlyTheFirstRequestLeavesTheRestAtZero) {
  controller.AddFault(FaultRule(FaultKind::Silent, kLiveRead1));
  controller.AddFault(FaultRule(FaultKind::Silent, kLiveRead2));
  page.show();
  WaitFor([&] { return page.PollState().PollCount >= 1; });
  EXPECT_EQ(Status(), "Success!");
  // Bytes 16..47 keep the zeros they had at program start.
  EXPECT_EQ(FieldOf("Motor Speed")->text(), "0");
  EXPECT_EQ(FieldOf("Duty")->text(), "0");
  EXPECT_NE(FieldOf("TPS_AD")->text(), "");
  HideAndExpectSilence();
}

TEST_F(MonitorOnTheLinkTest, ASilentControllerShowsFailureAndHidingStillEndsThePoll) {
  for (std::uint8_t command : {kLiveRead0, kLiveRead1, kLiveRead2}) {
    controller.AddFault(FaultRule(FaultKind::Silent, command));
  }
  page.show();
  WaitFor([&] { return page.PollState().PollCount >= 1; });
  EXPECT_EQ(Status(), "Failure!");
  EXPECT_EQ(FieldOf("Motor Speed")->text(), "0");
  HideAndExpectSilence();
}

// A live answer that comes 1.9 s late, among the answers of later polls, and one sent twice: the
// poll whose answer was late misses that part, and no other poll misses any.
TEST_F(MonitorOnTheLinkTest, LateAndRepeatedAnswersCostOnlyThePartThatWasLate) {
  controller.AddFault(FaultRule(FaultKind::Stale, kLiveRead2, 1, 1900));
  controller.AddFault(FaultRule(FaultKind::Twice, kLiveRead2, 3, 30));
  std::vector<LiveAnswers> polls;
  QObject::connect(&page, &CMonitor1Dlg::PollShown,
                   [&](const LivePoll& poll) { polls.push_back(poll.answered); });
  page.show();
  WaitFor([&] { return polls.size() >= 16; });
  HideAndExpectSilence();
  EXPECT_EQ(polls[0], (LiveAnswers{true, true, false}));
  for (std::size_t i = 1; i < polls.size(); ++i) {
    EXPECT_EQ(polls[i], (LiveAnswers{true, true, true})) << "poll " << i;
  }
}

// The hide comes while the second poll waits for the silent controller's first answer, with the
// first poll's result still on its way to this thread: of the second poll only that first request
// reaches the wire, and the first poll's result never reaches the page.
TEST_F(MonitorOnTheLinkTest, HiddenInASilentReceiveNothingMoreOfThatPollIsSentNorAnEarlierShown) {
  for (std::uint8_t command : {kLiveRead0, kLiveRead1, kLiveRead2}) {
    controller.AddFault(FaultRule(FaultKind::Silent, command));
  }
  ports.HoldAt(test::HoldingPorts::Point::ReadAfter, kLiveRead0, 2);
  page.show();
  ASSERT_TRUE(ports.WaitUntilHeld());
  page.hide();
  ports.Release();
  EXPECT_EQ(link.RunJob("after the hide", [](SerialLink&) { return true; }), JobResult::Done);
  QCoreApplication::processEvents();

  EXPECT_TRUE(ports.StopRaisedWhileHeld());
  EXPECT_EQ(controller.RequestCount(kLiveRead0), 2);
  EXPECT_EQ(controller.RequestCount(kLiveRead1), 1);
  EXPECT_EQ(controller.RequestCount(kLiveRead2), 1);
  EXPECT_EQ(page.PollState().PollCount, 0);
  EXPECT_EQ(Status(), "");

  // The link serves the next job at once.
  controller.ClearFaults();
  ConfigImage image;
  EXPECT_TRUE(Read(image));
}

}  // namespace
}  // namespace vor
