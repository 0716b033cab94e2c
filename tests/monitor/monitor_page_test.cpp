// The Monitor page on its own, over live definitions made for the case, with a link whose polls
// the test delivers itself.
#include "monitor/monitor_page.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <memory>

#include "resources/dialog_builder.h"
#include "tests/support/immediate_link.h"
#include "tests/support/live_item.h"
#include "tests/support/live_poll.h"
#include "tests/support/scripted_prompter.h"

namespace vor {
namespace {

using test::LiveItem;

const QColor kGreen(0, 213, 11);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

class MonitorPageTest : public ::testing::Test {
protected:
  MonitorPageTest() {
    state.ReadOk = true;
    Define({LiveItem(0, 1, 0, "uo", "Brake AD"), LiveItem(1, 1, 0, "uo", "Hidden", 0),
            LiveItem(21, 1, 0, "uo", "Duty"), LiveItem(23, 1, 0, "so", "High Temp"),
            LiveItem(32, 2, 1, "h", "Fault"), LiveItem(34, 2, 1, "uo", "Motor Speed")});
    for (int bit = 0; bit < 16; ++bit) {
      state.definitions->faults[std::size_t(bit)].name = QString("bit %1").arg(bit);
    }
    state.definitions->faultCount = 16;
    host.resize(900, 700);
    host.show();
  }

  void Define(const std::vector<LiveDef>& items) {
    DefinitionSet& set = *state.definitions;
    set.liveCount = 0;
    for (const LiveDef& item : items) set.liveItems[std::size_t(set.liveCount++)] = item;
  }

  CMonitor1Dlg& Page() {
    if (!page) {
      page = std::make_unique<CMonitor1Dlg>(state, prompter, link);
      page->Create(kDialogMonitor, &host);
    }
    return *page;
  }

  // A poll as the link delivers it: bytes of the block, which requests were answered.
  bool Deliver(const std::vector<std::pair<int, std::uint8_t>>& bytes,
               LiveAnswers answered = {true, true, true}) {
    return link.Deliver(test::MakeLivePoll(
        std::int64_t{++delivered} * MonitorPoll::kPeriodMs * 1000, bytes, answered));
  }
  void DeliverMany(int polls, const std::vector<std::pair<int, std::uint8_t>>& bytes = {}) {
    for (int i = 0; i < polls; ++i) ASSERT_TRUE(Deliver(bytes));
  }

  QLineEdit* Field(int slot) { return FindEdit(&Page(), SlotEditId(slot)); }
  QLabel* Label(int slot) { return FindStatic(&Page(), SlotLabelId(slot)); }
  QLineEdit* Status() { return FindEdit(&Page(), kIdStatusField); }
  QString Tip() { return FindStatic(&Page(), kIdTipArea)->text(); }
  static QColor TextColour(QWidget* w) {
    return w->palette().color(qobject_cast<QLabel*>(w) ? QPalette::WindowText : QPalette::Text);
  }

  ProgramState state;
  test::ScriptedPrompter prompter;
  test::ImmediateLink link;
  QWidget host;
  std::unique_ptr<CMonitor1Dlg> page;
  int delivered = 0;
};

TEST_F(MonitorPageTest, TheFirstShowLaysOutTheShownItemsAndStartsTheFiveHertzPoll) {
  EXPECT_EQ(FindStatic(&Page(), kIdStatusCaption)->text(), "Static");  // the template's
  Page().show();
  EXPECT_TRUE(Page().LayoutDone);
  const char* labels[] = {"Brake AD", "Duty", "High Temp", "Fault", "Motor Speed"};
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(Label(k)->text(), labels[k]) << k;
    EXPECT_TRUE(Label(k)->isVisible()) << k;
    EXPECT_TRUE(Field(k)->isVisible()) << k;
    EXPECT_TRUE(Field(k)->isReadOnly()) << k;
  }
  EXPECT_FALSE(Label(5)->isVisible());
  EXPECT_FALSE(Field(5)->isVisible());
  EXPECT_EQ(FindStatic(&Page(), kIdStatusCaption)->text(), "Status");
  EXPECT_EQ(Page().FaultFieldId, SlotEditId(3));
  EXPECT_EQ(TextColour(Field(3)), kRed);
  EXPECT_EQ(TextColour(FindStatic(&Page(), kIdTipArea)), kBlue);
  EXPECT_EQ(link.starts, 1);
  EXPECT_EQ(link.lastPeriodMs, 200);
}

TEST_F(MonitorPageTest, WithoutAValidImageShowingDoesNothing) {
  state.ReadOk = false;
  Page().show();
  EXPECT_FALSE(Page().LayoutDone);
  EXPECT_EQ(link.starts, 0);
  EXPECT_FALSE(Label(0)->isVisible());
  EXPECT_EQ(FindStatic(&Page(), kIdStatusCaption)->text(), "Static");
}

TEST_F(MonitorPageTest, EachPollShowsTheStatusAndEveryField) {
  Page().show();
  ASSERT_TRUE(Deliver({{0, 12}, {21, 55}, {23, 0xF6}, {34, 0x05}, {35, 0xDC}}));
  EXPECT_EQ(Status()->text(), "Success!");
  EXPECT_EQ(TextColour(Status()), kGreen);
  EXPECT_TRUE(Page().PollState().LinkOk);
  EXPECT_EQ(Field(0)->text(), "12");
  EXPECT_EQ(Field(1)->text(), "55");
  EXPECT_EQ(Field(2)->text(), "-10");
  EXPECT_EQ(Field(4)->text(), "1500");

  // Request 1 unanswered: the link has cleared the block; only what requests 2 and 3 brought
  // shows.
  ASSERT_TRUE(Deliver({{21, 40}}, {false, true, true}));
  EXPECT_EQ(Status()->text(), "Failure!");
  EXPECT_EQ(TextColour(Status()), kRed);
  EXPECT_FALSE(Page().PollState().LinkOk);
  EXPECT_EQ(Field(0)->text(), "0");
  EXPECT_EQ(Field(1)->text(), "40");
  EXPECT_EQ(Field(4)->text(), "0");

  // The next answered request 1 turns it back.
  ASSERT_TRUE(Deliver({{0, 13}}, {true, false, false}));
  EXPECT_EQ(Status()->text(), "Success!");
  EXPECT_EQ(TextColour(Status()), kGreen);
  EXPECT_EQ(Field(0)->text(), "13");
}

TEST_F(MonitorPageTest, TheFaultFieldStaysEmptyUntilTheTenthPollAfterTheFirstShow) {
  Page().show();
  const std::vector<std::pair<int, std::uint8_t>> faults = {{33, 0x12}};  // bits 1 and 4
  DeliverMany(9, faults);
  EXPECT_EQ(Field(3)->text(), "");
  ASSERT_TRUE(Deliver(faults));
  EXPECT_EQ(Field(3)->text(), "bit 1");
  EXPECT_EQ(Field(3)->toolTip(), "bit 1");
  EXPECT_EQ(TextColour(Field(3)), kRed);
  DeliverMany(10, faults);
  EXPECT_EQ(Field(3)->text(), "bit 4");
}

TEST_F(MonitorPageTest, HidingStopsThePollAndEverythingSurvivesUntilTheNextShow) {
  Page().show();
  DeliverMany(12, {{33, 0x02}, {21, 70}});
  Page().hide();
  EXPECT_EQ(link.stops, 1);
  EXPECT_FALSE(link.LivePollRunning());
  EXPECT_FALSE(Deliver({{21, 99}}));  // nothing reaches a hidden page

  Page().show();
  EXPECT_EQ(link.starts, 2);
  EXPECT_EQ(Page().PollState().PollCount, 12);
  EXPECT_EQ(Field(1)->text(), "70");
  EXPECT_EQ(Field(3)->text(), "bit 1");
  EXPECT_EQ(Status()->text(), "Success!");
  EXPECT_EQ(Label(0)->text(), "Brake AD");  // laid out once, not again
  DeliverMany(8, {{33, 0x02}});
  EXPECT_EQ(Page().PollState().PollCount, 20);
}

TEST_F(MonitorPageTest, DestroyingAShownPageStopsThePoll) {
  Page().show();
  page.reset();
  EXPECT_EQ(link.stops, 1);
  EXPECT_FALSE(link.LivePollRunning());
}

TEST_F(MonitorPageTest, WithoutShownItemsPollsStillUpdateTheStatusField) {
  Define({LiveItem(0, 1, 0, "uo", "Hidden", 0)});
  Page().show();
  for (int k = 0; k < kMonitorSlotCount; ++k) {
    EXPECT_FALSE(Label(k)->isVisible()) << k;
    EXPECT_FALSE(Field(k)->isVisible()) << k;
  }
  EXPECT_TRUE(FindStatic(&Page(), kIdStatusCaption)->isVisible());
  EXPECT_TRUE(Status()->isVisible());
  EXPECT_TRUE(FindStatic(&Page(), kIdTipArea)->isVisible());
  EXPECT_EQ(Page().FaultFieldId, 0);
  ASSERT_TRUE(Deliver({}));
  EXPECT_EQ(Status()->text(), "Success!");
  ASSERT_TRUE(Deliver({}, {false, false, false}));
  EXPECT_EQ(Status()->text(), "Failure!");
}

TEST_F(MonitorPageTest, MoreShownItemsThanSlotsFillAllFortySevenAndNoMore) {
  std::vector<LiveDef> items;
  for (int i = 0; i < 50; ++i) items.push_back(LiveItem(i % 48, 1, 0, "uo", "Item"));
  Define(items);
  Page().show();
  EXPECT_TRUE(Field(kMonitorSlotCount - 1)->isVisible());
  ASSERT_TRUE(Deliver({{46, 7}}));
  EXPECT_EQ(Field(kMonitorSlotCount - 1)->text(), "7");
  EXPECT_EQ(Status()->text(), "Success!");  // the status field is not taken by an item
}

TEST_F(MonitorPageTest, FocusInAFieldShowsItsItemsHelpText) {
  Page().show();
  Field(2)->setFocus();
  QCoreApplication::processEvents();
  EXPECT_EQ(Tip(), "High Temp help");
  Field(4)->setFocus();
  QCoreApplication::processEvents();
  EXPECT_EQ(Tip(), "Motor Speed help");

  // A field without an item (it is never shown, but the notification may still come) shows the
  // first item's help.
  QFocusEvent focusIn(QEvent::FocusIn);
  QCoreApplication::sendEvent(Field(10), &focusIn);
  EXPECT_EQ(Tip(), "Brake AD help");
}

}  // namespace
}  // namespace vor
