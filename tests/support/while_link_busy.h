#pragma once

// Runs a command while a job of the test's own holds the link, as a timer or the window system
// could while a Read or a scan waits.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <functional>

#include "link/link_access.h"

namespace vor::test {

// `command` runs on this thread from inside the wait for the holding job, which ends once
// `command` has returned.
inline void WhileLinkBusy(LinkAccess& link, const std::function<void()>& command) {
  std::atomic<bool> ran{false};
  QTimer::singleShot(0, [&] {
    command();
    ran = true;
  });
  const JobResult holder = link.RunJob("holds the link", [&](SerialLink&) {
    QElapsedTimer timer;
    timer.start();
    while (!ran && timer.elapsed() < 5000) QThread::yieldCurrentThread();
    return true;
  });
  EXPECT_EQ(holder, JobResult::Done);
  EXPECT_TRUE(ran);
}

}  // namespace vor::test
