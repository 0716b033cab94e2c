// A parameter page on its own: slots, display, tips and the store pass, over a small set of
// definitions made for the case.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "pages/parameter_pages.h"
#include "resources/dialog_builder.h"
#include "tests/support/scripted_prompter.h"

namespace vor {
namespace {

ParamDef Field(int addr, int pro, int pos, const char* sw, const char* name, int rangeL, int rangeH,
               int show = 1, int en = 1) {
  ParamDef def;
  def.addr = addr;
  def.pro = pro;
  def.pos = pos;
  def.sw = QString::fromLatin1(sw);
  def.name = QString::fromLatin1(name);
  def.rangeL = rangeL;
  def.rangeH = rangeH;
  def.show = show;
  def.en = en;
  def.tips = QStringLiteral("%1:help").arg(def.name);
  return def;
}

// The Control page's range holds these records, in this order.
class ControlPageTest : public ::testing::Test {
protected:
  void SetUp() override {
    const ParamDef records[] = {
        Field(2, 1, 0, "uo", "TPS Type", 0, 3),
        Field(5, 1, 0, "uo", "Hidden", 0, 9, /*show=*/0),
        Field(10, 2, 1, "uo", "Max Current", 0, 384),
        Field(20, 1, 0, "so", "Offset", 0, 255),
        Field(30, 2, 1, "h", "Serial", 0, 0, 1, /*en=*/0),
        Field(40, 2, 3, "a", "Code", 0, 0),
    };
    DefinitionSet& set = *state.definitions;
    set.controlFirst = 24;
    set.paramCount = 24;
    for (const ParamDef& def : records) set.params[std::size_t(set.paramCount++)] = def;
    set.motorFirst = set.motorEnd = set.paramCount;

    state.image.bytes.fill(0);
    state.image[2] = 1;
    state.image[10] = 0x01;
    state.image[11] = 0x80;
    state.image[20] = 0xD8;
    state.image[30] = 0xC3;
    state.image[31] = 0x5A;
    // A text that ends at a zero byte with more bytes after it.
    state.image[40] = 'A';
    state.image[42] = 'B';
    state.image[43] = 'C';
    state.ReadOk = true;

    page.Create(kDialogControl, &host);
    host.resize(800, 600);
    host.show();
  }

  QLineEdit* Edit(int slot) { return FindEdit(&page, SlotEditId(slot)); }
  QLabel* Label(int slot) { return FindStatic(&page, SlotLabelId(slot)); }
  QString Tip() { return FindStatic(&page, kIdTipArea)->text(); }

  ProgramState state;
  test::ScriptedPrompter prompter;
  QWidget host;
  CControlDlg page{state, prompter};
};

TEST_F(ControlPageTest, ShownRecordsTakeConsecutiveSlotsWithTheirValues) {
  page.show();
  const struct {
    const char* label;
    const char* text;
  } expected[] = {{"TPS Type", "1"},
                  {"Max Current", "384"},
                  {"Offset", "-40"},
                  {"Serial", "c35a"},
                  {"Code", "A"}};
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(Label(k)->text(), expected[k].label) << k;
    EXPECT_TRUE(Label(k)->isVisible()) << k;
    EXPECT_EQ(Edit(k)->text(), expected[k].text) << k;
  }
  EXPECT_FALSE(Label(5)->isVisible());
  EXPECT_FALSE(Edit(5)->isVisible());
  EXPECT_TRUE(Edit(2)->isEnabled());
  EXPECT_FALSE(Edit(3)->isEnabled());  // read-only: shown, but disabled
}

TEST_F(ControlPageTest, FocusingSlotKShowsTheTipOfTheKthShownRecordInBlue) {
  page.show();
  Edit(1)->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(Tip(), "Max Current:help Range:0~384");
  QTest::mouseClick(Edit(0), Qt::LeftButton);
  EXPECT_EQ(Tip(), "TPS Type:help Range:0~3");
  EXPECT_EQ(FindStatic(&page, kIdTipArea)->palette().color(QPalette::WindowText),
            QColor(0, 0, 255));
}

// Bytes that no text shows (here those after the zero byte of "Code") stay as they are.
TEST_F(ControlPageTest, LeavingUnchangedKeepsEveryByte) {
  const ConfigImage before = state.image;
  page.show();
  page.hide();
  EXPECT_TRUE(page.PageAccepted);
  EXPECT_EQ(state.image.bytes, before.bytes);
  EXPECT_TRUE(prompter.asked.empty());
}

// A field that still shows what the display pass put there is range-tested but not written.
TEST_F(ControlPageTest, AnUntouchedValueOutOfItsRangeIsStillRefused) {
  state.image[2] = 9;  // TPS Type allows 0..3
  const ConfigImage before = state.image;
  page.show();
  page.hide();
  EXPECT_FALSE(page.PageAccepted);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].text, "Param:TPS Type\nThe range should be between 0~3");
  EXPECT_EQ(state.image.bytes, before.bytes);
}

TEST_F(ControlPageTest, EntriesAreStoredWhenThePageIsHidden) {
  page.show();
  Edit(0)->setText("3");
  Edit(1)->setText(" 12 ");
  Edit(2)->setText("-40");
  EXPECT_EQ(state.image[2], 1);  // nothing reaches the image while typing
  page.hide();
  EXPECT_TRUE(page.PageAccepted);
  EXPECT_EQ(state.image[2], 3);
  EXPECT_EQ(state.image[10], 0);
  EXPECT_EQ(state.image[11], 12);
  EXPECT_EQ(state.image[20], 0xD8);
}

TEST_F(ControlPageTest, AnEntryOutOfRangeStopsThePassThere) {
  page.show();
  Edit(0)->setText("2");
  Edit(1)->setText("70000");  // beyond 0..384
  Edit(2)->setText("5");
  page.hide();
  EXPECT_FALSE(page.PageAccepted);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].text, "Param:Max Current\nThe range should be between 0~384");
  EXPECT_EQ(prompter.asked[0].buttons, Buttons::Ok);
  EXPECT_EQ(prompter.asked[0].icon, Icon::Warning);
  EXPECT_EQ(state.image[2], 2);      // before the failing field: stored
  EXPECT_EQ(state.image[11], 0x80);  // the failing field and the later ones: not
  EXPECT_EQ(state.image[20], 0xD8);

  // Shown again, every field shows the image, the refused entry included.
  page.show();
  EXPECT_FALSE(page.PageAccepted);
  EXPECT_EQ(Edit(0)->text(), "2");
  EXPECT_EQ(Edit(1)->text(), "384");
  EXPECT_EQ(Edit(2)->text(), "-40");
}

// Unlike an entry out of range, one that is no number is kept as typed, to be corrected; the
// entries before it are stored and the later ones come back from the image, as for a range.
TEST_F(ControlPageTest, AnEntryThatIsNoWholeNumberStopsThePassAndStaysAsTyped) {
  page.show();
  host.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
  Edit(0)->setText("2");
  Edit(1)->setText("3.9");
  Edit(2)->setText("5");
  page.hide();
  EXPECT_FALSE(page.PageAccepted);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].text, "Param: Max Current. Enter a whole number between 0 and 384");
  EXPECT_EQ(prompter.asked[0].icon, Icon::Warning);
  EXPECT_TRUE(prompter.asked[0].keepVisible.contains(
      QRect(Edit(1)->mapToGlobal(QPoint(0, 0)), Edit(1)->size())));
  EXPECT_EQ(state.image[2], 2);
  EXPECT_EQ(state.image[11], 0x80);

  page.show();
  EXPECT_EQ(Edit(0)->text(), "2");
  EXPECT_EQ(Edit(1)->text(), "3.9");
  EXPECT_EQ(Edit(2)->text(), "-40");
  EXPECT_TRUE(Edit(1)->hasFocus());
  // Kept once: corrected and stored, the field shows the image as every field does.
  Edit(1)->setText("7");
  page.hide();
  EXPECT_TRUE(page.PageAccepted);
  page.show();
  EXPECT_EQ(Edit(1)->text(), "7");
  EXPECT_EQ(state.image[11], 7);
}

// Leaving a field makes its entry a step of its own at once; an entry the page would refuse
// stays as typed until the page is left. Another window taking the focus for a while leaves no
// field.
TEST_F(ControlPageTest, LeavingAFieldStoresItsEntryAndRefusedOnesWait) {
  std::vector<ConfigImage> stored;  // the image before each store
  QObject::connect(&page, &ParameterPage::Stored,
                   [&](const ConfigImage& before) { stored.push_back(before); });
  page.show();
  host.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
  Edit(1)->setFocus();
  Edit(1)->setText("0100");
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  host.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
  EXPECT_TRUE(stored.empty());
  Edit(0)->setFocus();  // leaves Max Current
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(state.image[11], 100);
  EXPECT_EQ(Edit(1)->text(), "100");  // as the page shows the stored value

  Edit(0)->setText("9");  // out of 0..3
  Edit(2)->setFocus();
  EXPECT_EQ(stored.size(), 1u);
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_EQ(state.image[2], 1);
  EXPECT_EQ(Edit(0)->text(), "9");
}

TEST_F(ControlPageTest, NothingHappensWhileTheImageIsNotValid) {
  state.ReadOk = false;
  page.show();
  EXPECT_FALSE(page.LayoutDone);
  EXPECT_FALSE(Label(0)->isVisible());
  page.PageAccepted = true;
  page.hide();
  EXPECT_TRUE(page.PageAccepted);
}

TEST_F(ControlPageTest, APageWhoseAnchorIsMissingShowsNoFields) {
  state.definitions->motorFirst = 0;  // the motor anchor was not found
  page.show();
  EXPECT_FALSE(Label(0)->isVisible());
  page.hide();
  EXPECT_TRUE(page.PageAccepted);
}

}  // namespace
}  // namespace vor
