// What the window shows while it waits for a link job.
#include "mainwindow/busy_dialog.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <atomic>

namespace vor {
namespace {

// A job that outlasts the delay names its operation in a modal dialog over the window, captioned
// with the application title, and the dialog goes with the job.
TEST(BusyDialog, NamesALongJobInAModalDialogOverTheWindowThatGoesWithTheJob) {
  QWidget window;
  window.show();
  BusyDialog busy(&window, 0);
  LinkThread thread;
  thread.SetWaitPolicy(&busy);

  std::atomic<bool> seen{false};
  QString text;
  QString title;
  Qt::WindowModality modality = Qt::NonModal;
  QWidget* over = nullptr;
  QTimer watch;  // looks at the dialog from inside the wait
  watch.setInterval(0);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    QProgressDialog* dialog = busy.Dialog();
    if (seen || !dialog || !dialog->isVisible()) return;
    text = dialog->labelText();
    title = dialog->windowTitle();
    modality = dialog->windowModality();
    over = dialog->parentWidget();
    seen = true;
  });
  watch.start();
  const JobResult result = thread.Run("Reading...", [&] {
    QElapsedTimer timer;
    timer.start();
    while (!seen && timer.elapsed() < 5000) QThread::yieldCurrentThread();
    return true;
  });
  watch.stop();

  EXPECT_EQ(result, JobResult::Done);
  ASSERT_TRUE(seen);
  EXPECT_EQ(text, "Reading...");
  EXPECT_EQ(title, "VOR User");
  EXPECT_EQ(modality, Qt::ApplicationModal);
  EXPECT_EQ(over, &window);
  EXPECT_EQ(busy.Dialog(), nullptr);
}

}  // namespace
}  // namespace vor
