// The live tools from the menu bar: the windows stay open across pages, and a recording shows at
// the bar's end, leaves the status line to Read and Write, and ends with the window.
#include <gtest/gtest.h>

#include <QFile>
#include <QMenuBar>

#include "monitor/fault_history_window.h"
#include "monitor/live_plot_window.h"
#include "monitor/live_tools.h"
#include "tests/mainwindow/window_rig.h"

namespace vor {
namespace {

class LiveToolsMenuTest : public ::testing::Test, public test::WindowRig {
protected:
  QLabel* RecordingMark() {
    return qobject_cast<QLabel*>(window->Menu().Bar()->cornerWidget(Qt::TopRightCorner));
  }
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
  EXPECT_TRUE(Enabled(MenuCommand::RecordLiveData));
  const QStringList lines = Lines(path);
  EXPECT_GE(lines.size(), 3);
  EXPECT_TRUE(lines[0].startsWith("time_ms,status,"));
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
