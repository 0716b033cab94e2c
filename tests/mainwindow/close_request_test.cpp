// The title bar's close box pressed while Read or Write talks to the controller. The window system
// holds the request back with the user's input while the job runs and releases it in the next
// event loop; if that is a message box's, the blocked main window never hears of it. Whatever the
// outcome and whichever prompts come, the close question must follow once the command has
// shown its outcome. The clicks held back with it start nothing inside the command.
#include <gtest/gtest.h>
#include <qpa/qwindowsysteminterface.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <deque>

#include "mainwindow/busy_dialog.h"
#include "mainwindow/message_box_prompter.h"
#include "tests/mainwindow/window_rig.h"

namespace vor {
namespace {

// Real message boxes, each answered from a script once its modal loop has taken the events that
// were waiting, as a user who reads the box before answering it.
class AnsweredMessageBoxes : public Prompter {
public:
  explicit AnsweredMessageBoxes(std::function<QString()> status) : status_(std::move(status)) {}

  using Prompter::Ask;
  Answer Ask(int stringId, Buttons buttons, Icon icon) override {
    Arm(stringId, buttons);
    return boxes_.Ask(stringId, buttons, icon);
  }
  Answer AskText(const QString& text, Buttons buttons, Icon icon) override {
    Arm(0, buttons);
    return boxes_.AskText(text, buttons, icon);
  }

  std::deque<Answer> answers;
  std::vector<int> asked;
  std::vector<QString> statusWhenAsked;

private:
  static QMessageBox::StandardButton ButtonOf(Answer answer) {
    switch (answer) {
      case Answer::Ok:
        return QMessageBox::Ok;
      case Answer::Retry:
        return QMessageBox::Retry;
      case Answer::Yes:
        return QMessageBox::Yes;
      case Answer::No:
        return QMessageBox::No;
      case Answer::Cancel:
        break;
    }
    return QMessageBox::Cancel;
  }

  void Arm(int stringId, Buttons buttons) {
    asked.push_back(stringId);
    statusWhenAsked.push_back(status_());
    Answer answer = buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    if (!answers.empty()) {
      answer = answers.front();
      answers.pop_front();
    }
    QTimer::singleShot(0, [answer] {
      QCoreApplication::processEvents();
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      QAbstractButton* button = box->button(ButtonOf(answer));
      if (!button) {
        ADD_FAILURE() << "no such button on " << box->text().toStdString();
        box->done(0);
        return;
      }
      button->click();
    });
  }

  std::function<QString()> status_;
  MessageBoxPrompter boxes_;
};

// The program's own wait for a link job, which holds the user's input back (its progress dialog
// never comes up on virtual time).
class CloseRequestTest : public ::testing::Test, public test::WindowRig {
protected:
  CloseRequestTest() { link.SetWaitPolicy(&wait); }
  ~CloseRequestTest() override { link.SetWaitPolicy(nullptr); }

  void StartUpWithBoxes() {
    window = std::make_unique<CVORUserDlg>(state, link, boxes, CreatePages(state, boxes, link),
                                           services.services);
    ASSERT_TRUE(window->OnInitDialog());
    window->show();
    ASSERT_NE(window->windowHandle(), nullptr);
  }

  // The window system's close request, sent from the link thread while the next job runs.
  void CloseDuringTheNextJob() {
    QWindow* handle = window->windowHandle();
    clock.At(clock.NowUs() + 1, [handle] {
      QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::AsynchronousDelivery>(
          handle);
    });
  }

  // A click of the mouse on `target`, through the window system, while the next job runs.
  void ClickDuringTheNextJob(QWidget* target) {
    QWindow* handle = target->window()->windowHandle();
    const QPointF local = target->mapTo(target->window(), target->rect().center());
    const QPointF global = target->mapToGlobal(target->rect().center());
    clock.At(clock.NowUs() + 1, [handle, local, global] {
      using Async = QWindowSystemInterface::AsynchronousDelivery;
      QWindowSystemInterface::handleMouseEvent<Async>(handle, local, global, Qt::LeftButton,
                                                      Qt::LeftButton, QEvent::MouseButtonPress);
      QWindowSystemInterface::handleMouseEvent<Async>(handle, local, global, Qt::NoButton,
                                                      Qt::LeftButton, QEvent::MouseButtonRelease);
    });
  }

  AnsweredMessageBoxes boxes{[this] { return window ? Status() : QString(); }};
  BusyDialog wait{nullptr};
};

TEST_F(CloseRequestTest, ACloseDuringReadOrWriteIsAskedAfterTheCommandsOutcome) {
  constexpr std::uint8_t kWriteBlock = 0xF3;
  const struct {
    const char* name;
    int button;
    std::optional<FaultRule> fault;
    std::deque<Answer> answers;  // the last one answers the close question
    std::vector<int> asked;
    const char* status;  // the outcome on show when the close question comes
  } cases[] = {
      {"Read succeeds",
       kIdReadButton,
       std::nullopt,
       {Answer::Ok},
       {kMsgSureToExit},
       "Read success!"},
      {"Read fails, then Cancel",
       kIdReadButton,
       FaultRule(FaultKind::Silent),
       {Answer::Cancel, Answer::Ok},
       {kMsgReadError, kMsgSureToExit},
       "Read failure!"},
      {"Write succeeds",
       kIdWriteButton,
       std::nullopt,
       {Answer::Ok, Answer::Ok},
       {kMsgWriteSuccess, kMsgSureToExit},
       "Write success!"},
      {"Write fails, then Cancel",
       kIdWriteButton,
       FaultRule(FaultKind::Silent, kWriteBlock),
       {Answer::Cancel, Answer::Ok},
       {kMsgWriteError, kMsgSureToExit},
       "Write failure!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    controller.ClearFaults();
    StartUpWithBoxes();
    if (c.fault) controller.AddFault(*c.fault);
    boxes.asked.clear();
    boxes.statusWhenAsked.clear();
    boxes.answers = c.answers;
    QSignalSpy finished(window.get(), &QDialog::finished);

    CloseDuringTheNextJob();
    Click(c.button);
    // Back in the program's own event loop, where a request still waiting would arrive.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();

    EXPECT_EQ(boxes.asked, c.asked);
    ASSERT_FALSE(boxes.statusWhenAsked.empty());
    EXPECT_EQ(boxes.statusWhenAsked.back(), QString::fromLatin1(c.status));
    EXPECT_EQ(finished.count(), 1);
    window.reset();
  }
}

// A click on Write while a Read runs would otherwise write in the middle of the Read, before
// the user has seen what it read.
TEST_F(CloseRequestTest, AClickDuringAJobStartsNothingInsideTheCommand) {
  StartUp();
  window->show();
  const int commits = controller.CommitCount();
  ClickDuringTheNextJob(FindButton(window.get(), kIdWriteButton));
  Click(kIdReadButton);
  QCoreApplication::processEvents();
  EXPECT_EQ(Status(), "Read success!");
  EXPECT_EQ(controller.CommitCount(), commits);
  EXPECT_TRUE(prompter.asked.empty());
}

// A dialog that runs its own jobs inside a command keeps what the user gives it meanwhile: Update
// clicked during the calibration's Read still takes the readings.
TEST_F(CloseRequestTest, AModalDialogsJobsKeepItsInput) {
  StartUp();
  window->show();
  for (std::size_t addr = 97; addr <= 99; ++addr) state.image[addr] = 0;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    ClickDuringTheNextJob(FindButton(dialog, kIdZeroUpdate));
    QTest::mouseClick(FindButton(dialog, kIdZeroRead), Qt::LeftButton);
    QCoreApplication::processEvents();
    dialog->close();
  });
  Trigger(MenuCommand::PhaseZeroCalibration);
  EXPECT_NE(state.image[97], 0);
}

}  // namespace
}  // namespace vor
