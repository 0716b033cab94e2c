// The Monitor page on the program's link: the polls run on the link thread against a simulated
// controller on virtual time, their results reach the page on this thread, and hiding the page
// ends them.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

#include "definitions/definition_loader.h"
#include "definitions/model_images.h"
#include "link/controller_link.h"
#include "monitor/monitor_page.h"
#include "resources/dialog_builder.h"
#include "simulator/simulated_controller.h"
#include "simulator/virtual_port.h"
#include "tests/support/scripted_prompter.h"

namespace vor {
namespace {

constexpr std::uint8_t kLiveRead0 = 0x1B;
constexpr std::uint8_t kLiveRead1 = 0x33;
constexpr std::uint8_t kLiveRead2 = 0x34;

class MonitorOnTheLinkTest : public ::testing::Test {
protected:
  void SetUp() override {
    ports.AddDevice("/dev/ttyUSB0", &controller);
    ASSERT_TRUE(link.ScanForController());
    ASSERT_TRUE(link.ReadImage(state.image));
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
  VirtualPortSystem ports{clock};
  SimulatedController controller{*DefaultImageFor(u"VOR")};
  test::ScriptedPrompter prompter;
  QObject uiContext;
  ControllerLink link{ports, clock, prompter, &uiContext};
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
  WaitFor([&] { return LiveRequests() > 3; });  // well into a later poll
  HideAndExpectSilence();

  // The link serves the next job at once.
  controller.ClearFaults();
  ConfigImage image;
  EXPECT_TRUE(link.ReadImage(image));
}

}  // namespace
}  // namespace vor
