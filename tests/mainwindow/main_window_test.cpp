// The main window's start-up and command flow, driven by its buttons, against a simulated
// controller on virtual time. Every message is answered by a script.
#include "mainwindow/main_window.h"

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "definitions/model_images.h"
#include "definitions/model_table.h"
#include "link/controller_link.h"
#include "mainwindow/cross_thread_prompter.h"
#include "monitor/monitor_page.h"
#include "pages/parameter_pages.h"
#include "resources/dialog_builder.h"
#include "simulator/simulated_controller.h"
#include "simulator/virtual_port.h"
#include "tests/support/immediate_link.h"
#include "tests/support/scripted_prompter.h"
#include "tests/support/test_window_services.h"
#include "tests/support/while_link_busy.h"

namespace vor {
namespace {

constexpr PageKey kPages[] = {PageKey::Vehicle, PageKey::Control, PageKey::Motor, PageKey::Monitor};

constexpr std::uint8_t kBeginTransfer = 0xF1;
constexpr std::uint8_t kWriteBlock = 0xF3;

// A Control page whose store pass refuses while `refuse` is set, as a page with an out-of-range
// entry does, and counts its passes.
class ScriptedControlPage : public CControlDlg {
public:
  using CControlDlg::CControlDlg;
  bool refuse = false;
  int stores = 0;
  int displays = 0;

protected:
  void DisplayPass() override { ++displays; }
  bool StorePass() override {
    ++stores;
    return !refuse;
  }
};

// A controller on a virtual port, the link, and the window over them.
struct Rig {
  Rig() { device = &ports.AddDevice("/dev/ttyUSB0", &controller); }

  // Builds the window the way the application does, with the Control page scripted unless
  // `realPages` is set.
  void MakeWindow() {
    std::vector<std::unique_ptr<PageWindow>> pages;
    pages.push_back(std::make_unique<CVehicleDlg>(state, prompter, link));
    if (realPages) {
      pages.push_back(std::make_unique<CControlDlg>(state, prompter));
    } else {
      auto control = std::make_unique<ScriptedControlPage>(state, prompter);
      controlPage = control.get();
      pages.push_back(std::move(control));
    }
    pages.push_back(std::make_unique<CMotorDlg>(state, prompter));
    auto monitor = std::make_unique<CMonitor1Dlg>(state, prompter, monitorLink);
    monitorPage = monitor.get();
    pages.push_back(std::move(monitor));
    window =
        std::make_unique<CVORUserDlg>(state, link, prompter, std::move(pages), services.services);
  }

  // A window past a successful start-up, with nothing asked yet.
  void StartUp() {
    MakeWindow();
    ASSERT_TRUE(window->OnInitDialog());
    ASSERT_EQ(window->currentPage, PageKey::Vehicle);
    prompter.asked.clear();
  }

  void Click(int id) {
    QPushButton* button = FindButton(window.get(), id);
    ASSERT_NE(button, nullptr) << id;
    QTest::mouseClick(button, Qt::LeftButton);
  }
  bool Enabled(int id) { return FindButton(window.get(), id)->isEnabled(); }
  QString Status() { return FindStatic(window.get(), kIdStatusLine)->text(); }
  QColor StatusColour() {
    return FindStatic(window.get(), kIdStatusLine)->palette().color(QPalette::WindowText);
  }
  bool Visible(PageKey key) { return window->PageOf(key)->isVisibleTo(window.get()); }
  // The edit of the field labelled `name` on the page under `key`.
  QLineEdit* FieldEdit(PageKey key, const QString& name) {
    QWidget* page = window->PageOf(key);
    for (int k = 0; k < kParamSlotCount; ++k) {
      QLabel* label = FindStatic(page, SlotLabelId(k));
      if (label && label->text() == name) return FindEdit(page, SlotEditId(k));
    }
    return nullptr;
  }

  bool realPages = false;
  VirtualClock clock;
  VirtualPortSystem ports{clock};
  SimulatedController controller{*DefaultImageFor(u"VOR")};
  VirtualPortSystem::Device* device;
  test::ScriptedPrompter prompter;
  test::TestWindowServices services;
  CrossThreadPrompter linkPrompter{prompter};  // the scan asks on the link thread
  ControllerLink link{ports, clock, linkPrompter};
  ProgramState state;
  ScriptedControlPage* controlPage = nullptr;
  // The Monitor's polls are delivered by the test; the window's own commands use `link`.
  test::ImmediateLink monitorLink;
  CMonitor1Dlg* monitorPage = nullptr;
  std::unique_ptr<CVORUserDlg> window;
};

class MainWindowTest : public ::testing::Test, public Rig {};

TEST_F(MainWindowTest, StartUpFindsTheControllerReadsAndShowsTheVehiclePage) {
  MakeWindow();
  ASSERT_TRUE(window->OnInitDialog());
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_TRUE(state.ReadOk);
  EXPECT_TRUE(state.DefinitionsLoaded);
  EXPECT_EQ(state.image.bytes, controller.Image().bytes);
  EXPECT_EQ(state.definitions->paramScript, 145);
  EXPECT_EQ(Status(), "Read success!");
  EXPECT_EQ(StatusColour(), QColor(0, 213, 11));
  EXPECT_TRUE(FindStatic(window.get(), kIdStatusLine)->font().bold());

  // Keys 1..4 in the order Vehicle, Control, Motor, Monitor, all on the page area, as wide as
  // their template beside it.
  ASSERT_EQ(window->pageList.size(), 4u);
  const int templates[] = {kDialogVehicle, kDialogControl, kDialogMotor, kDialogMonitor};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(window->pageList[std::size_t(i)].key, kPages[i]);
    EXPECT_EQ(static_cast<int>(kPages[i]), i + 1);
    EXPECT_EQ(window->pageList[std::size_t(i)].page->TemplateId(), templates[i]);
    const QRect page = window->pageList[std::size_t(i)].page->geometry();
    EXPECT_EQ(page.topLeft(), window->pageRect.topLeft());
    EXPECT_EQ(page.height(), window->pageRect.height());
    EXPECT_GT(page.width(), window->pageRect.width());
  }
  EXPECT_EQ(window->pageRect, FindControl(window.get(), kIdPageArea)->geometry());
  EXPECT_TRUE(Visible(PageKey::Vehicle));
  EXPECT_FALSE(Visible(PageKey::Control));
  EXPECT_TRUE(Enabled(kIdReadButton));
  EXPECT_TRUE(Enabled(kIdWriteButton));
  EXPECT_EQ(window->windowTitle(), "HEW User");
  EXPECT_EQ(FindButton(window.get(), kIdVehicleButton)->text(), "Vehicle");
  EXPECT_EQ(FindButton(window.get(), kIdCancel)->text(), "Quit");
}

TEST_F(MainWindowTest, NoControllerThenRetryFindsOneThatWasPluggedIn) {
  device->openStatus = OpenStatus::Missing;
  prompter.answers = {Answer::Retry};
  prompter.onAsk = [this](int id) {
    if (id == kMsgNoController) device->openStatus = OpenStatus::Ok;
  };
  MakeWindow();
  EXPECT_TRUE(window->OnInitDialog());
  EXPECT_EQ(prompter.AskedIds(), std::vector<int>{kMsgNoController});
  EXPECT_EQ(prompter.asked[0].buttons, Buttons::RetryCancel);
  EXPECT_EQ(window->currentPage, PageKey::Vehicle);
}

TEST_F(MainWindowTest, StartUpEndsOnCancelOrAnUnsupportedModel) {
  struct Case {
    const char* name;
    std::function<void(Rig&)> arrange;
    std::vector<int> asked;
    int pagesAdded;
  };
  const Case cases[] = {
      {"no controller",
       [](Rig& t) { t.device->openStatus = OpenStatus::Busy; },
       {kMsgNoController},
       0},
      {"no image",
       [](Rig& t) { t.controller.AddFault(FaultRule(FaultKind::Ignore, kBeginTransfer)); },
       {kMsgReadError},
       4},
      {"unsupported model",
       [](Rig& t) {
         ConfigImage image = t.controller.Image();
         image[kModuleNameAddr] = 'X';
         t.controller.SetImage(image);
       },
       {kMsgUnsupportedModel},
       4},
  };
  for (const Case& c : cases) {
    Rig t;
    c.arrange(t);
    t.MakeWindow();
    EXPECT_FALSE(t.window->OnInitDialog()) << c.name;
    EXPECT_EQ(t.prompter.AskedIds(), c.asked) << c.name;
    EXPECT_EQ(t.window->pageCount, c.pagesAdded) << c.name;
    EXPECT_EQ(t.window->currentPage, PageKey::None) << c.name;
  }
}

TEST_F(MainWindowTest, FirstReadFailingThenRetryLetsStartUpGoOn) {
  controller.AddFault(FaultRule(FaultKind::Ignore, kBeginTransfer, 2));
  prompter.answers = {Answer::Retry};
  MakeWindow();
  EXPECT_TRUE(window->OnInitDialog());
  EXPECT_EQ(prompter.AskedIds(), std::vector<int>{kMsgReadError});
  EXPECT_EQ(Status(), "Read success!");
  EXPECT_EQ(window->currentPage, PageKey::Vehicle);
}

TEST_F(MainWindowTest, PageButtonsSwitchPagesAndTheShownPageButtonDoesNothing) {
  StartUp();
  Click(kIdControlButton);
  EXPECT_EQ(window->currentPage, PageKey::Control);
  EXPECT_TRUE(Visible(PageKey::Control));
  EXPECT_FALSE(Visible(PageKey::Vehicle));
  EXPECT_EQ(controlPage->displays, 1);

  Click(kIdControlButton);
  EXPECT_EQ(controlPage->stores, 0);  // not even hidden and shown again
  EXPECT_EQ(controlPage->displays, 1);

  Click(kIdMotorButton);
  EXPECT_EQ(window->currentPage, PageKey::Motor);
  EXPECT_EQ(controlPage->stores, 1);
}

TEST_F(MainWindowTest, MonitorButtonSwitchesTheMonitorPageOnAndOff) {
  StartUp();
  Click(kIdMonitorButton);
  EXPECT_EQ(window->currentPage, PageKey::Monitor);
  EXPECT_TRUE(Visible(PageKey::Monitor));
  EXPECT_FALSE(Enabled(kIdReadButton));
  EXPECT_FALSE(Enabled(kIdWriteButton));
  EXPECT_TRUE(monitorLink.LivePollRunning());
  EXPECT_EQ(monitorLink.lastPeriodMs, 200);

  Click(kIdMonitorButton);
  EXPECT_EQ(window->currentPage, PageKey::MonitorOff);
  for (PageKey key : kPages) EXPECT_FALSE(Visible(key));
  EXPECT_TRUE(Enabled(kIdReadButton));
  EXPECT_TRUE(Enabled(kIdWriteButton));
  EXPECT_FALSE(monitorLink.LivePollRunning());

  Click(kIdMonitorButton);
  EXPECT_EQ(window->currentPage, PageKey::Monitor);
  EXPECT_TRUE(Visible(PageKey::Monitor));
  EXPECT_TRUE(monitorLink.LivePollRunning());
  Click(kIdMotorButton);
  EXPECT_FALSE(monitorLink.LivePollRunning());
  EXPECT_EQ(monitorLink.starts, 2);
}

TEST_F(MainWindowTest, TheCloseQuestionStopsTheMonitorAndCancelResumesIt) {
  StartUp();
  Click(kIdMonitorButton);
  window->show();
  bool pollingWhileAsked = true;
  prompter.onAsk = [&](int) { pollingWhileAsked = monitorLink.LivePollRunning(); };
  prompter.answers = {Answer::Cancel};
  EXPECT_FALSE(window->close());
  EXPECT_FALSE(pollingWhileAsked);
  EXPECT_EQ(window->currentPage, PageKey::Monitor);
  EXPECT_TRUE(Visible(PageKey::Monitor));

  // The next poll reaches the page again.
  LivePoll poll;
  poll.answered = {true, true, true};
  ASSERT_TRUE(monitorLink.Deliver(poll));
  EXPECT_EQ(FindEdit(monitorPage, kIdStatusField)->text(), "Success!");

  prompter.answers = {Answer::Ok};
  EXPECT_TRUE(window->close());
  EXPECT_FALSE(monitorLink.LivePollRunning());
}

TEST_F(MainWindowTest, QuitWithTheMonitorShownStopsItsPollWhenTheWindowGoes) {
  StartUp();
  Click(kIdMonitorButton);
  window->show();
  Click(kIdCancel);
  EXPECT_TRUE(prompter.asked.empty());
  window.reset();
  EXPECT_FALSE(monitorLink.LivePollRunning());
  EXPECT_EQ(monitorLink.stops, 1);
}

TEST_F(MainWindowTest, AfterACancelledFailedReadOnlyReadWorks) {
  StartUp();
  controller.AddFault(FaultRule(FaultKind::Silent));
  Click(kIdReadButton);
  EXPECT_EQ(prompter.AskedIds(), std::vector<int>{kMsgReadError});
  EXPECT_FALSE(state.ReadOk);
  EXPECT_EQ(Status(), "Read failure!");
  EXPECT_EQ(StatusColour(), QColor(255, 0, 0));
  EXPECT_EQ(window->currentPage, PageKey::None);

  const int requests = controller.RequestCount(kBeginTransfer);
  for (int id : {int{kIdVehicleButton}, int{kIdControlButton}, int{kIdMotorButton},
                 int{kIdMonitorButton}, int{kIdWriteButton}}) {
    Click(id);
    EXPECT_EQ(window->currentPage, PageKey::None) << id;
  }
  EXPECT_EQ(controller.RequestCount(kBeginTransfer), requests);  // Write sent nothing

  controller.ClearFaults();
  Click(kIdReadButton);
  EXPECT_TRUE(state.ReadOk);
  EXPECT_EQ(window->currentPage, PageKey::Vehicle);
  EXPECT_EQ(Status(), "Read success!");
}

TEST_F(MainWindowTest, WriteCommitsAndShowsTheSuccessMessageOverThePageWrittenFrom) {
  StartUp();
  Click(kIdControlButton);
  state.image[16] = 0x21;  // as if a page had stored an entry
  bool pageDuringMessage = false;
  prompter.onAsk = [&](int) { pageDuringMessage = Visible(PageKey::Control); };
  Click(kIdWriteButton);
  EXPECT_EQ(prompter.AskedIds(), std::vector<int>{kMsgWriteSuccess});
  EXPECT_EQ(prompter.asked[0].buttons, Buttons::Ok);
  EXPECT_EQ(prompter.asked[0].icon, Icon::Information);  // a success, not a warning
  EXPECT_TRUE(pageDuringMessage);
  EXPECT_TRUE(state.WriteOk);
  EXPECT_EQ(Status(), "Write success!");
  EXPECT_EQ(controller.Image()[16], 0x21);
  EXPECT_EQ(window->currentPage, PageKey::Control);
  for (PageKey key : kPages) EXPECT_EQ(Visible(key), key == PageKey::Control);
}

TEST_F(MainWindowTest, WriteFailureRetriesThenReportsInRed) {
  StartUp();
  controller.AddFault(FaultRule(FaultKind::Ignore, kWriteBlock));
  prompter.answers = {Answer::Retry, Answer::Cancel};
  Click(kIdWriteButton);
  EXPECT_EQ(prompter.AskedIds(), (std::vector<int>{kMsgWriteError, kMsgWriteError}));
  EXPECT_EQ(controller.RequestCount(kWriteBlock), 2);
  EXPECT_FALSE(state.WriteOk);
  EXPECT_TRUE(state.ReadOk);
  EXPECT_EQ(Status(), "Write failure!");
  EXPECT_EQ(StatusColour(), QColor(255, 0, 0));
  EXPECT_EQ(window->currentPage, PageKey::Vehicle);  // the page written from, again
  Click(kIdMotorButton);                             // pages can be chosen again
  EXPECT_EQ(window->currentPage, PageKey::Motor);
}

// "Error writing data." says what the controller holds now, whichever exchange went unanswered.
TEST_F(MainWindowTest, AFailedWriteSaysWhatTheControllerHolds) {
  constexpr std::uint8_t kReadBlock = 0xF2;
  constexpr std::uint8_t kCommit = 0xF4;
  const struct {
    std::vector<std::uint8_t> unanswered;
    const char* detail;
  } cases[] = {
      {{kBeginTransfer},
       "The controller did not answer, so nothing was written. The controller keeps its previous "
       "configuration."},
      {{kWriteBlock},
       "A block went unanswered, so nothing was committed. The controller keeps its previous "
       "configuration."},
      {{kCommit},
       "The commit went unanswered, and reading back shows that the controller did not take the "
       "configuration."},
      {{kCommit, kReadBlock},
       "The commit went unanswered, and the configuration could not be read back: what the "
       "controller now holds is unknown."},
  };
  StartUp();
  state.image[16] = 0x21;  // differs from the controller's, so that a read-back tells
  for (const auto& c : cases) {
    SCOPED_TRACE(c.detail);
    controller.ClearFaults();
    for (std::uint8_t command : c.unanswered) {
      controller.AddFault(FaultRule(FaultKind::Ignore, command));
    }
    prompter.asked.clear();
    prompter.answers = {Answer::Cancel};
    Click(kIdWriteButton);
    ASSERT_EQ(prompter.AskedIds(), std::vector<int>{kMsgWriteError});
    EXPECT_EQ(prompter.asked[0].buttons, Buttons::RetryCancel);
    EXPECT_EQ(prompter.asked[0].detail, c.detail);
    EXPECT_EQ(Status(), "Write failure!");
  }
}

// A Read or Write that another job kept from running never ran: it asks no Retry, says nothing
// about the controller and leaves the window as it was, with the page that was on show.
TEST_F(MainWindowTest, ARefusedReadOrWriteAsksNothingAndLeavesTheWindowAsItWas) {
  StartUp();
  Click(kIdControlButton);
  for (int id : {int{kIdReadButton}, int{kIdWriteButton}}) {
    const int requests = controller.RequestCount(kBeginTransfer);
    test::WhileLinkBusy(link, [&] { window->OnPageCommand(id); });
    EXPECT_TRUE(prompter.asked.empty()) << id;
    EXPECT_EQ(controller.RequestCount(kBeginTransfer), requests) << id;
    EXPECT_TRUE(state.ReadOk) << id;
    EXPECT_FALSE(state.WriteOk) << id;
    EXPECT_EQ(Status(), "Read success!") << id;
    EXPECT_EQ(window->currentPage, PageKey::Control) << id;
    EXPECT_TRUE(Visible(PageKey::Control)) << id;
    EXPECT_TRUE(Enabled(kIdReadButton) && Enabled(kIdWriteButton)) << id;
  }
}

// The window system's close request is not held back while a job waits; it is asked once the
// job has ended, never over it.
TEST_F(MainWindowTest, ACloseDuringALinkJobIsAskedOnceTheJobHasEnded) {
  StartUp();
  window->show();
  bool closed = true;
  bool busyWhenAsked = true;
  prompter.onAsk = [&](int) { busyWhenAsked = link.Thread().Busy(); };
  test::WhileLinkBusy(link, [&] { closed = window->close(); });
  EXPECT_FALSE(closed);
  EXPECT_EQ(prompter.AskedIds(), std::vector<int>{kMsgSureToExit});
  EXPECT_FALSE(busyWhenAsked);
  EXPECT_TRUE(window->isVisible());  // the question was answered Cancel
}

TEST_F(MainWindowTest, ARefusedEntryKeepsTheUserOnThePageAndSendsNothing) {
  StartUp();
  Click(kIdControlButton);
  controlPage->refuse = true;
  const int requests = controller.RequestCount(kBeginTransfer);

  for (int id : {int{kIdWriteButton}, int{kIdVehicleButton}}) {
    Click(id);
    EXPECT_EQ(window->currentPage, PageKey::Control) << id;
    EXPECT_TRUE(Visible(PageKey::Control)) << id;
  }
  EXPECT_EQ(controller.RequestCount(kBeginTransfer), requests);
  EXPECT_EQ(Status(), "Read success!");

  // Monitor does not consult the page: it opens all the same.
  Click(kIdMonitorButton);
  EXPECT_EQ(window->currentPage, PageKey::Monitor);
}

TEST_F(MainWindowTest, WriteWithAnEntryOutOfRangeShowsTheMessageAndSendsNothing) {
  realPages = true;
  StartUp();
  QLineEdit* lowVolt = FieldEdit(PageKey::Vehicle, "Low Volt");
  ASSERT_NE(lowVolt, nullptr);
  const QString stored = lowVolt->text();
  lowVolt->setText("300");
  const int requests = controller.RequestCount(kBeginTransfer);

  Click(kIdWriteButton);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].text, "Param:Low Volt\nThe range should be between 18~90");
  EXPECT_EQ(controller.RequestCount(kBeginTransfer), requests);
  EXPECT_EQ(window->currentPage, PageKey::Vehicle);
  EXPECT_EQ(lowVolt->text(), stored);  // the page shows the image again
}

TEST_F(MainWindowTest, LeavingForTheMonitorWithAnEntryOutOfRangeStillOpensIt) {
  realPages = true;
  StartUp();
  QLineEdit* lowVolt = FieldEdit(PageKey::Vehicle, "Low Volt");
  ASSERT_NE(lowVolt, nullptr);
  const std::uint8_t before = state.image[19];
  lowVolt->setText("17");
  Click(kIdMonitorButton);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].stringId, 0);
  EXPECT_EQ(window->currentPage, PageKey::Monitor);
  EXPECT_EQ(state.image[19], before);
}

// The range message of a refused entry is asked while the page, and the refused field, are
// still on screen.
TEST_F(MainWindowTest, TheRangeMessageShowsOverThePageItRefers) {
  realPages = true;
  StartUp();
  window->show();
  QLineEdit* lowVolt = FieldEdit(PageKey::Vehicle, "Low Volt");
  ASSERT_NE(lowVolt, nullptr);
  lowVolt->setText("300");
  bool shownDuringMessage = false;
  QRect fieldOnScreen;
  prompter.onAsk = [&](int) {
    shownDuringMessage = lowVolt->isVisible();
    fieldOnScreen = QRect(lowVolt->mapToGlobal(QPoint(0, 0)), lowVolt->size());
  };
  Click(kIdControlButton);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_TRUE(shownDuringMessage);
  EXPECT_EQ(window->currentPage, PageKey::Vehicle);
  // The box is to leave the field and its label in sight.
  const QRect keep = prompter.asked[0].keepVisible;
  EXPECT_TRUE(keep.contains(fieldOnScreen));
  EXPECT_GT(keep.width(), fieldOnScreen.width());
}

// A close request during a failing Write waits for the whole command: its retry prompts and its
// status come first, the close question after them.
TEST_F(MainWindowTest, ACloseDuringAFailingWriteIsAskedAfterTheCommandEnds) {
  StartUp();
  window->show();
  controller.AddFault(FaultRule(FaultKind::Ignore, kWriteBlock));
  prompter.answers = {Answer::Retry, Answer::Cancel, Answer::Ok};
  QString statusAtClose;
  prompter.onAsk = [&](int id) {
    if (id == kMsgWriteError && prompter.asked.size() == 1) {
      EXPECT_FALSE(window->close());
    }
    if (id == kMsgSureToExit) statusAtClose = Status();
  };
  QSignalSpy finished(window.get(), &QDialog::finished);
  Click(kIdWriteButton);
  EXPECT_EQ(prompter.AskedIds(),
            (std::vector<int>{kMsgWriteError, kMsgWriteError, kMsgSureToExit}));
  EXPECT_EQ(controller.RequestCount(kWriteBlock), 2);  // Retry still wrote, with the window there
  EXPECT_EQ(statusAtClose, "Write failure!");
  EXPECT_EQ(finished.count(), 1);
}

TEST_F(MainWindowTest, CloseAsksFirstAndCancelRestoresThePage) {
  StartUp();
  Click(kIdControlButton);
  prompter.answers = {Answer::Cancel};
  window->show();
  EXPECT_FALSE(window->close());
  EXPECT_EQ(prompter.AskedIds(), std::vector<int>{kMsgSureToExit});
  EXPECT_EQ(prompter.asked[0].buttons, Buttons::OkCancel);
  EXPECT_EQ(prompter.asked[0].icon, Icon::Question);
  EXPECT_EQ(controlPage->stores, 1);  // hidden before the question
  EXPECT_EQ(window->currentPage, PageKey::Control);
  EXPECT_TRUE(Visible(PageKey::Control));

  QSignalSpy finished(window.get(), &QDialog::finished);
  prompter.answers = {Answer::Ok};
  EXPECT_TRUE(window->close());
  EXPECT_EQ(finished.count(), 1);
  EXPECT_EQ(window->result(), QDialog::Rejected);
  EXPECT_EQ(window->currentPage, PageKey::None);
}

TEST_F(MainWindowTest, QuitEndsAtOnceWithoutAskingOrHidingThePage) {
  StartUp();
  Click(kIdControlButton);
  window->show();
  QSignalSpy finished(window.get(), &QDialog::finished);
  Click(kIdCancel);
  EXPECT_EQ(finished.count(), 1);
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_EQ(controlPage->stores, 0);
}

TEST_F(MainWindowTest, HidingOrMinimisingTheWindowIsNotAPageChange) {
  StartUp();
  Click(kIdControlButton);
  window->show();
  window->showMinimized();
  window->showNormal();
  window->hide();
  window->show();
  EXPECT_EQ(controlPage->stores, 0);
  EXPECT_EQ(controlPage->displays, 1);
}

}  // namespace
}  // namespace vor
