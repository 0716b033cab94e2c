// The live plot, the recording and the fault history on the Monitor page's polls, offscreen, with
// a link whose polls the test delivers, scripted file names and settings of the test's own.
#include "live/live_tools.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>
#include <deque>

#include "live/fault_history_window.h"
#include "live/live_plot_window.h"
#include "monitor/monitor_page.h"
#include "resources/dialog_builder.h"
#include "tests/support/immediate_link.h"
#include "tests/support/live_item.h"
#include "tests/support/live_poll.h"
#include "tests/support/scripted_prompter.h"
#include "tests/support/special_files.h"

namespace vor {
namespace {

using test::LiveItem;

class LiveToolsTest : public ::testing::Test {
protected:
  LiveToolsTest() {
    state.ReadOk = true;
    state.DefinitionsLoaded = true;
    DefinitionSet& set = *state.definitions;
    for (const LiveDef& item :
         {LiveItem(0, 1, 0, "uo", "Brake AD"), LiveItem(21, 1, 0, "uo", "Duty"),
          LiveItem(23, 1, 0, "so", "High Temp"), LiveItem(8, 2, 3, "a", "Name"),
          LiveItem(24, 1, 0, "uo", "Low Temp"), LiveItem(32, 2, 1, "h", "Fault"),
          LiveItem(34, 2, 1, "uo", "Motor Speed")}) {
      set.liveItems[std::size_t(set.liveCount++)] = item;
    }
    for (int bit = 0; bit < 16; ++bit)
      set.faults[std::size_t(bit)].name = QString("bit %1").arg(bit);
    set.faultCount = 16;
    page.Create(kDialogMonitor, &host);
    host.resize(900, 700);
    host.show();
  }

  LiveToolServices Services() {
    return {prompter, settings,
            [this](const QString&, const QString&, const QString&) {
              if (fileNames.empty()) return QString();
              const QString name = fileNames.front();
              fileNames.pop_front();
              return name;
            },
            [this] { return clock; }};
  }

  // A poll as the link delivers it; the wall clock moves on by a period.
  bool Deliver(const std::vector<std::pair<int, std::uint8_t>>& bytes,
               LiveAnswers answered = {true, true, true}) {
    clock = clock.addMSecs(MonitorPoll::kPeriodMs);
    return link.Deliver(test::MakeLivePoll(
        std::int64_t{++delivered} * MonitorPoll::kPeriodMs * 1000, bytes, answered));
  }

  QLineEdit* Field(int slot) { return FindEdit(&page, SlotEditId(slot)); }
  static bool PausedTextShows(QWidget* window) {
    for (QLabel* label : window->findChildren<QLabel*>()) {
      if (label->text() == "paused: the Monitor page is not on show") return label->isVisible();
    }
    return false;
  }
  QListWidgetItem* ListEntry(LivePlotWindow* window, const QString& label) {
    const QList<QListWidgetItem*> found =
        window->findChild<QListWidget*>()->findItems(label, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.front();
  }

  QTemporaryDir dir;
  QSettings settings{dir.filePath("settings.ini"), QSettings::IniFormat};
  std::deque<QString> fileNames;
  QDateTime clock{QDate(2026, 12, 10), QTime(9, 0), Qt::UTC};
  ProgramState state;
  test::ScriptedPrompter prompter;
  test::ImmediateLink link;
  QWidget host;
  CMonitor1Dlg page{state, prompter, link};
  LiveTools tools{state, page, Services(), nullptr};
  int delivered = 0;
};

TEST_F(LiveToolsTest, TheWindowsSayPausedWhileTheMonitorPageIsHidden) {
  tools.ShowLivePlot();
  tools.ShowFaultHistory();
  LivePlotWindow* plot = tools.PlotWindow();
  FaultHistoryWindow* history = tools.HistoryWindow();
  ASSERT_TRUE(plot && history);
  EXPECT_TRUE(plot->isWindow());
  EXPECT_TRUE(PausedTextShows(plot));
  EXPECT_TRUE(PausedTextShows(history));

  page.show();
  EXPECT_FALSE(PausedTextShows(plot));
  EXPECT_FALSE(PausedTextShows(history));
  page.hide();
  EXPECT_TRUE(PausedTextShows(plot));
  EXPECT_TRUE(PausedTextShows(history));

  // A window opened while the page polls starts without the text.
  page.show();
  plot->close();
  tools.ShowLivePlot();
  EXPECT_FALSE(PausedTextShows(tools.PlotWindow()));
  // The tools never use the link themselves: only the page's one poll runs.
  EXPECT_EQ(link.starts, 2);
  EXPECT_EQ(link.jobs, 0);
}

TEST_F(LiveToolsTest, TheChoiceOfItemsIsLimitedToFourAndKeptAcrossRuns) {
  tools.ShowLivePlot();
  LivePlotWindow* plot = tools.PlotWindow();
  QListWidget* list = plot->findChild<QListWidget*>();
  QStringList offered;
  for (int row = 0; row < list->count(); ++row) offered.append(list->item(row)->text());
  EXPECT_EQ(offered, (QStringList{"Brake AD", "Duty", "High Temp", "Low Temp", "Motor Speed"}));
  // Never blank: the first use plots the first two.
  EXPECT_EQ(plot->PlottedLabels(), (QStringList{"Brake AD", "Duty"}));
  EXPECT_EQ(ListEntry(plot, "Duty")->checkState(), Qt::Checked);

  ListEntry(plot, "Brake AD")->setCheckState(Qt::Unchecked);
  for (const char* label : {"Motor Speed", "Brake AD", "High Temp"}) {
    ListEntry(plot, label)->setCheckState(Qt::Checked);
  }
  EXPECT_EQ(plot->PlottedLabels(), (QStringList{"Duty", "Motor Speed", "Brake AD", "High Temp"}));
  EXPECT_FALSE(ListEntry(plot, "Low Temp")->flags() & Qt::ItemIsUserCheckable);
  EXPECT_FALSE(plot->AddItem("Low Temp"));
  EXPECT_EQ(plot->ValueAxes().size(), 4u);

  ListEntry(plot, "Brake AD")->setCheckState(Qt::Unchecked);
  EXPECT_TRUE(ListEntry(plot, "Low Temp")->flags() & Qt::ItemIsUserCheckable);
  plot->SetWindowSeconds(300);
  plot->SetSharedAxis(true);
  const std::vector<QValueAxis*> axes = plot->ValueAxes();
  ASSERT_EQ(axes.size(), 3u);
  EXPECT_TRUE(axes[0] == axes[1] && axes[1] == axes[2]);

  // The next run reads them back.
  LiveTools nextRun(state, page, Services(), nullptr);
  nextRun.ShowLivePlot();
  LivePlotWindow* again = nextRun.PlotWindow();
  EXPECT_EQ(again->PlottedLabels(), (QStringList{"Duty", "Motor Speed", "High Temp"}));
  EXPECT_EQ(again->WindowSeconds(), 300);
  EXPECT_TRUE(again->SharedAxis());
  EXPECT_EQ(ListEntry(again, "Duty")->checkState(), Qt::Checked);

  // A plot emptied, or kept for another model's items, opens with the first two again.
  for (const QStringList& kept : {QStringList{}, QStringList{"Other Model's Item"}}) {
    settings.setValue("LivePlot/items", kept);
    LiveTools run(state, page, Services(), nullptr);
    run.ShowLivePlot();
    EXPECT_EQ(run.PlotWindow()->PlottedLabels(), (QStringList{"Brake AD", "Duty"}));
  }
}

TEST_F(LiveToolsTest, ADoubleClickOnAFieldPlotsItsItemWithTheNumbersTheFieldsShow) {
  page.show();
  ASSERT_TRUE(Deliver({{21, 40}, {34, 0x05}, {35, 0xDC}}));
  QTest::mouseDClick(Field(1), Qt::LeftButton);  // Duty
  QTest::mouseDClick(Field(6), Qt::LeftButton);  // Motor Speed
  QTest::mouseDClick(Field(3), Qt::LeftButton);  // Name: no number, not plotted
  LivePlotWindow* plot = tools.PlotWindow();
  ASSERT_NE(plot, nullptr);
  EXPECT_TRUE(plot->isVisible());
  // The first two, plotted on first use, then Motor Speed.
  EXPECT_EQ(plot->PlottedLabels(), (QStringList{"Brake AD", "Duty", "Motor Speed"}));
  ASSERT_TRUE(plot->RemoveItem("Brake AD"));

  ASSERT_TRUE(Deliver({{21, 41}, {34, 0x05}, {35, 0xDD}}));
  ASSERT_TRUE(Deliver({{21, 42}}, {false, true, true}));  // failed: a gap
  ASSERT_TRUE(Deliver({{21, 43}, {34, 0x05}, {35, 0xDF}}));
  EXPECT_EQ(Field(1)->text(), "43");
  const std::vector<QLineSeries*> duty = plot->Runs("Duty");
  ASSERT_EQ(duty.size(), 2u);
  // Time in seconds before the latest poll.
  EXPECT_EQ(duty[0]->points(), (QList<QPointF>{{-0.6, 40}, {-0.4, 41}}));
  EXPECT_EQ(duty[1]->points(), (QList<QPointF>{{0, 43}}));
  EXPECT_EQ(plot->Runs("Motor Speed")[1]->points().back().y(), Field(6)->text().toDouble());
  EXPECT_EQ(plot->ReadoutAt(-0.4), "-0.4 s    Duty: 41    Motor Speed: 1501");
  EXPECT_EQ(plot->ReadoutAt(-0.2), "-0.2 s    Duty: no answer    Motor Speed: no answer");
}

TEST_F(LiveToolsTest, TheLinesScrollThroughTheChosenWindowAndStandStillWhilePaused) {
  page.show();
  tools.ShowLivePlot();
  LivePlotWindow* plot = tools.PlotWindow();
  ASSERT_TRUE(plot->RemoveItem("Brake AD"));  // Duty alone
  ASSERT_EQ(plot->PlottedLabels(), QStringList{"Duty"});
  EXPECT_EQ(plot->WindowSeconds(), 60);  // the default
  EXPECT_EQ(plot->TimeAxis()->min(), -60);
  EXPECT_EQ(plot->TimeAxis()->max(), 0);
  for (int i = 0; i < 5 * 70; ++i) ASSERT_TRUE(Deliver({{21, std::uint8_t(i % 100)}}));
  // 350 polls, of which the last 60 s show: from poll 49 (value 49) to the newest (value 49).
  QLineSeries* duty = plot->Runs("Duty")[0];
  ASSERT_EQ(duty->count(), 301);
  EXPECT_EQ(duty->at(0), QPointF(-60, 49));
  EXPECT_EQ(duty->at(300), QPointF(0, 49));
  EXPECT_EQ(plot->ValueAxes()[0]->min(), 0);
  EXPECT_EQ(plot->ValueAxes()[0]->max(), 100);

  plot->SetPaused(true);
  ASSERT_TRUE(Deliver({{21, 5}}));
  EXPECT_EQ(duty->at(300), QPointF(0, 49));
  EXPECT_EQ(plot->ReadoutAt(0), "0.0 s    Duty: 49");  // the picture's, not the newest poll's
  plot->SetPaused(false);
  EXPECT_EQ(duty->at(300), QPointF(0, 5));

  plot->SetWindowSeconds(30);
  EXPECT_EQ(plot->TimeAxis()->min(), -30);
  EXPECT_EQ(duty->count(), 151);

  const QString image = dir.filePath("plot");
  fileNames = {image};
  EXPECT_TRUE(plot->SaveImage());
  EXPECT_FALSE(QImage(image + ".png").isNull());
  // Saved as every file is: never in place of a pipe.
  VOR_SKIP_WITHOUT_POSIX_FILES();
  const QString pipe = dir.filePath("pipe.png");
  ASSERT_TRUE(test::MakeFifo(pipe));
  fileNames = {pipe};
  EXPECT_FALSE(plot->SaveImage());
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].text,
            QStringLiteral("The image could not be saved to %1: it is a named pipe, not a file")
                .arg(pipe));
}

TEST_F(LiveToolsTest, ARecordingAddsARowPerPollOnlyWhileTheMonitorPolls) {
  const QString path = dir.filePath("live.csv");
  fileNames = {path};
  ASSERT_TRUE(tools.StartRecording());
  EXPECT_TRUE(tools.Recording());
  page.show();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(Deliver({{21, 50}}));
  page.hide();
  EXPECT_FALSE(Deliver({{21, 51}}));
  page.show();
  ASSERT_TRUE(Deliver({{21, 52}}));
  EXPECT_EQ(tools.RecordedRows(), 4);
  EXPECT_EQ(tools.RecordingText(), "Recording to live.csv: 4 rows");
  // The plot window's status bar says so too, also when opened during the recording.
  tools.ShowLivePlot();
  const QList<QLabel*> labels = tools.PlotWindow()->findChildren<QLabel*>();
  EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](QLabel* label) {
    return label->isVisible() && label->text() == "Recording to live.csv: 4 rows";
  }));
  tools.StopRecording();
  EXPECT_FALSE(tools.Recording());
  EXPECT_EQ(tools.RecordingText(), "");

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 5);
  EXPECT_TRUE(lines[0].startsWith("time_ms,status,Brake AD,Duty,"));
  EXPECT_TRUE(lines[4].startsWith("800,Success!,0,52,"));  // the hidden page's pause shows

  // A cancelled file question starts nothing; a file that cannot be written says so.
  EXPECT_FALSE(tools.StartRecording());
  fileNames = {dir.filePath("no/such/folder.csv")};
  EXPECT_FALSE(tools.StartRecording());
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_TRUE(prompter.asked[0].text.contains("could not be written"));
}

TEST_F(LiveToolsTest, TheFaultHistoryTableFollowsThePollsAndExportsAndClears) {
  tools.ShowFaultHistory();
  QTableWidget* table = tools.HistoryWindow()->Table();
  page.show();
  ASSERT_TRUE(Deliver({{33, 0x02}}));                       // bit 1
  ASSERT_TRUE(Deliver({{33, 0x12}}));                       // bits 1 and 4
  ASSERT_TRUE(Deliver({{33, 0x00}}, {false, true, true}));  // failed: no fault word
  ASSERT_TRUE(Deliver({{33, 0x12}}, {true, true, false}));  // the word is the last poll's
  ASSERT_TRUE(Deliver({{33, 0x10}}));                       // bit 4
  EXPECT_EQ(Field(5)->text(), "");  // the page's rotation is its own: not yet the tenth poll
  ASSERT_EQ(table->rowCount(), 2);
  const auto Row = [&](int row) {
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column)
      texts.append(table->item(row, column)->text());
    return texts;
  };
  EXPECT_EQ(Row(0), (QStringList{"bit 4", "4", "09:00:00", "09:00:01", "2", "yes"}));
  EXPECT_EQ(Row(1), (QStringList{"bit 1", "1", "09:00:00", "09:00:00", "2", "no"}));
  EXPECT_EQ(table->item(0, 0)->toolTip(), "bit 4");

  const QString path = dir.filePath("faults.csv");
  fileNames = {path};
  ASSERT_TRUE(tools.HistoryWindow()->ExportCsv());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(file.readAll()), tools.History().ToCsv());

  tools.HistoryWindow()->Clear();
  EXPECT_EQ(table->rowCount(), 0);
  ASSERT_TRUE(Deliver({{33, 0x01}}));
  EXPECT_EQ(table->rowCount(), 1);
}

// The Monitor off for 15 s: the plot shows a gap there, not a ramp, and the fault history stops
// claiming that a fault is active, as it does while polls go unanswered.
TEST_F(LiveToolsTest, WhatWasNotPolledIsNeitherDrawnNorClaimed) {
  tools.ShowLivePlot();
  tools.ShowFaultHistory();
  page.show();
  page.hide();  // no poll yet: nothing to break
  LivePlotWindow* plot = tools.PlotWindow();
  ASSERT_TRUE(plot->RemoveItem("Brake AD"));  // Duty alone
  QTableWidget* table = tools.HistoryWindow()->Table();
  const auto activeNow = [&] { return table->item(0, FaultHistoryWindow::kActiveNow)->text(); };

  page.show();
  ASSERT_TRUE(Deliver({{21, 10}, {33, 0x02}}));
  ASSERT_TRUE(Deliver({{21, 11}, {33, 0x02}}));
  EXPECT_EQ(activeNow(), "yes");
  EXPECT_FALSE(tools.SilentSince());
  ASSERT_TRUE(Deliver({{21, 0}}, {false, true, true}));  // unanswered
  const QDateTime firstUnanswered = clock;
  ASSERT_TRUE(Deliver({{21, 0}}, {false, true, true}));
  EXPECT_EQ(tools.SilentSince(), firstUnanswered);
  EXPECT_EQ(activeNow(), "unknown");
  ASSERT_TRUE(Deliver({{21, 12}, {33, 0x02}}));
  EXPECT_FALSE(tools.SilentSince());
  EXPECT_EQ(activeNow(), "yes");
  ASSERT_TRUE(Deliver({{21, 0}}, {false, true, true}));
  page.hide();
  EXPECT_FALSE(tools.SilentSince());  // nothing is asked, so nothing goes unanswered
  EXPECT_EQ(activeNow(), "unknown");
  delivered += 15'000 / MonitorPoll::kPeriodMs;
  page.show();
  ASSERT_TRUE(Deliver({{21, 90}}));
  EXPECT_EQ(activeNow(), "no");

  const std::vector<QLineSeries*> duty = plot->Runs("Duty");
  ASSERT_EQ(duty.size(), 3u);
  EXPECT_EQ(duty[1]->points(), (QList<QPointF>{{-15.4, 12}}));
  EXPECT_EQ(duty[2]->points(), (QList<QPointF>{{0, 90}}));
  EXPECT_EQ(plot->ReadoutAt(-7), "-7.0 s    Duty: not polled");
}

}  // namespace
}  // namespace vor
