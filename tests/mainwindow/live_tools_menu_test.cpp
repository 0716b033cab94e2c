// The live tools from the menu bar: the windows stay open across pages, and a recording shows at
// the bar's end, leaves the status line to Read and Write, and ends with the window.
#include <gtest/gtest.h>

#include <QFile>
#include <QMenuBar>

#include "live/fault_history_window.h"
#include "live/live_plot_window.h"
#include "live/live_tools.h"
#include "mainwindow/menu_bar_marks.h"
#include "tests/mainwindow/window_rig.h"

namespace vor {
namespace {

class LiveToolsMenuTest : public ::testing::Test, public test::WindowRig {
protected:
  QLabel* RecordingMark() { return window->Marks().Label(MenuBarMarks::Mark::Recording); }
  void WaitForRows(std::int64_t rows) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->Tools().RecordedRows() >= rows; }, 10'000));
  }
  static QStringList Lines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
  }
};

TEST_F(LiveToolsMenuTest, TheWindowsStayOpenAcrossPagesAndARecordingShowsAtTheBarsEnd) {
  StartUp();
  window->show();
  EXPECT_TRUE(Enabled(MenuCommand::ViewLivePlot));
  EXPECT_TRUE(Enabled(MenuCommand::ViewFaultHistory));
  EXPECT_TRUE(Enabled(MenuCommand::RecordLiveData));
  EXPECT_FALSE(Enabled(MenuCommand::StopRecording));
  ASSERT_NE(RecordingMark(), nullptr);
  EXPECT_EQ(RecordingMark()->text(), "");

  const QString path = services.dir.filePath("live.csv");
  services.dialogs.fileNames = {path};
  Trigger(MenuCommand::RecordLiveData);
  ASSERT_TRUE(window->Tools().Recording());
  EXPECT_FALSE(Enabled(MenuCommand::RecordLiveData));
  EXPECT_TRUE(Enabled(MenuCommand::StopRecording));
  ASSERT_NE(RecordingMark(), nullptr);
  EXPECT_EQ(RecordingMark()->text(), "● Recording: 0 rows");
  EXPECT_TRUE(RecordingMark()->toolTip().endsWith("live.csv: 0 rows"));

  Trigger(MenuCommand::ViewLivePlot);
  Trigger(MenuCommand::ViewFaultHistory);
  QWidget* plot = window->Tools().PlotWindow();
  QWidget* history = window->Tools().HistoryWindow();
  ASSERT_TRUE(plot && history);
  EXPECT_TRUE(plot->isWindow() && plot->isVisible());
  EXPECT_TRUE(history->isWindow() && history->isVisible());

  Trigger(MenuCommand::ViewMonitor);
  WaitForRows(2);
  EXPECT_EQ(Status(), "Read success!");  // the status line is Read's and Write's
  EXPECT_TRUE(RecordingMark()->text().startsWith("● Recording: "));
  Trigger(MenuCommand::ViewMotor);
  EXPECT_TRUE(plot->isVisible());
  EXPECT_TRUE(history->isVisible());

  Trigger(MenuCommand::StopRecording);
  EXPECT_FALSE(window->Tools().Recording());
  EXPECT_EQ(RecordingMark()->text(), "");
  EXPECT_TRUE(RecordingMark()->isHidden());
  EXPECT_TRUE(Enabled(MenuCommand::RecordLiveData));
  const QStringList lines = Lines(path);
  EXPECT_GE(lines.size(), 3);
  EXPECT_TRUE(lines[0].startsWith("time_ms,status,"));
}

// While the Monitor's polls go unanswered the bar's end says since when; an answer, or the
// Monitor switched off, takes the notice away.
TEST_F(LiveToolsMenuTest, UnansweredPollsShowSinceWhenAtTheBarsEnd) {
  constexpr std::uint8_t kLiveRead0 = 0x1B;
  StartUp();
  window->show();
  QLabel* notice = window->Marks().Label(MenuBarMarks::Mark::NoAnswer);
  controller.AddFault(FaultRule(FaultKind::Silent, kLiveRead0));
  Trigger(MenuCommand::ViewMonitor);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !notice->isHidden(); }, 10'000));
  const QDateTime since = *window->Tools().SilentSince();
  EXPECT_EQ(notice->text(), "No answer since " + since.toString("HH:mm:ss"));
  EXPECT_TRUE(notice->toolTip().contains(since.toString("yyyy-MM-dd HH:mm:ss")));
  // The notice and the recording's mark stand side by side, each whole, within the bar.
  const QRect bar = window->Menu().Bar()->rect();
  const QRect shown(notice->mapTo(window->Menu().Bar(), QPoint(0, 0)), notice->size());
  EXPECT_TRUE(bar.contains(shown));
  EXPECT_GE(notice->width(), notice->sizeHint().width());

  controller.ClearFaults();
  ASSERT_TRUE(QTest::qWaitFor([&] { return notice->isHidden(); }, 10'000));
  EXPECT_FALSE(window->Tools().SilentSince());

  controller.AddFault(FaultRule(FaultKind::Silent, kLiveRead0));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !notice->isHidden(); }, 10'000));
  Trigger(MenuCommand::ViewMonitor);  // off: nothing is asked, so nothing is said
  EXPECT_TRUE(notice->isHidden());
}

TEST_F(LiveToolsMenuTest, TheWindowsEndCloseARecordingThatStillRuns) {
  StartUp();
  const QString path = services.dir.filePath("live.csv");
  services.dialogs.fileNames = {path};
  Trigger(MenuCommand::RecordLiveData);
  Trigger(MenuCommand::ViewMonitor);
  WaitForRows(3);
  window.reset();
  const QStringList lines = Lines(path);
  ASSERT_GE(lines.size(), 4);
  // Every row whole: as many columns as the header.
  for (const QString& line : lines)
    EXPECT_EQ(line.count(u','), lines[0].count(u',')) << line.toStdString();
}

}  // namespace
}  // namespace vor
