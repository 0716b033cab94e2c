// The calibration dialog over a simulated controller on virtual time.
#include "calibration/read_zero_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "definitions/model_images.h"
#include "resources/dialog_builder.h"
#include "simulator/simulated_controller.h"
#include "tests/support/immediate_link.h"

namespace vor {
namespace {

class ReadZeroDialogTest : public ::testing::Test {
protected:
  ReadZeroDialogTest() { state.image = *DefaultImageFor(u"VOR"); }

  QString Lowest(CReadZeroADdlg& dialog, int phase) {
    return FindEdit(&dialog, kIdLowestA + phase)->text();
  }
  QString Readings(CReadZeroADdlg& dialog, int phase) {
    return FindEdit(&dialog, kIdReadingsA + phase)->text();
  }
  QPushButton* Button(CReadZeroADdlg& dialog, int id) { return FindButton(&dialog, id); }

  SimulatedController controller{*DefaultImageFor(u"VOR")};
  test::ImmediateLink line{&controller};
  // What the program keeps for the dialog: the run's calibration values and the image.
  struct {
    ConfigImage image;
    ZeroValues zero;
  } state;
};

TEST_F(ReadZeroDialogTest, OpensEmptyWithUpdateDisabledUntilAReadIsAnswered) {
  CReadZeroADdlg dialog(state.zero, state.image, line);
  EXPECT_EQ(dialog.windowTitle(), "Read_Zero");
  EXPECT_EQ(FindStatic(&dialog, kIdPhaseBLabel)->text(), "Phase_B_Zero");
  for (int phase = 0; phase < 3; ++phase) {
    EXPECT_TRUE(Lowest(dialog, phase).isEmpty());
    EXPECT_TRUE(Readings(dialog, phase).isEmpty());
    EXPECT_TRUE(FindEdit(&dialog, kIdReadingsA + phase)->isReadOnly());
  }
  EXPECT_FALSE(Button(dialog, kIdZeroUpdate)->isEnabled());
  EXPECT_EQ(line.jobs, 0);
}

TEST_F(ReadZeroDialogTest, ReadShowsTheReadingsAndUpdateCopiesTheLowestIntoTheImage) {
  CReadZeroADdlg dialog(state.zero, state.image, line);
  dialog.show();
  const ConfigImage before = state.image;
  QTest::mouseClick(Button(dialog, kIdZeroRead), Qt::LeftButton);
  EXPECT_EQ(line.jobs, 1);
  EXPECT_EQ(controller.RequestCount(0x35), 3);
  EXPECT_EQ(state.image.bytes, before.bytes);  // Read alone changes nothing
  for (int phase = 0; phase < 3; ++phase) {
    const QStringList readings = Readings(dialog, phase).split(',');
    ASSERT_EQ(readings.size(), 3) << phase;
    int lowest = 255;
    for (const QString& r : readings) lowest = std::min(lowest, r.toInt());
    EXPECT_EQ(Lowest(dialog, phase), QString::number(lowest));
  }
  ASSERT_TRUE(Button(dialog, kIdZeroUpdate)->isEnabled());

  QTest::mouseClick(Button(dialog, kIdZeroUpdate), Qt::LeftButton);
  ConfigImage expected = before;
  for (int phase = 0; phase < 3; ++phase) {
    expected[kPhaseZeroAddr + std::size_t(phase)] = std::uint8_t(Lowest(dialog, phase).toInt());
  }
  EXPECT_EQ(state.image.bytes, expected.bytes);
  EXPECT_TRUE(dialog.isVisible());              // Update leaves the dialog open
  EXPECT_EQ(controller.RequestCount(0xF1), 0);  // and sends nothing
}

TEST_F(ReadZeroDialogTest, AnUnansweredReadLeavesUpdateDisabled) {
  controller.AddFault(FaultRule(FaultKind::Ignore, 0x35));
  CReadZeroADdlg dialog(state.zero, state.image, line);
  QTest::mouseClick(Button(dialog, kIdZeroRead), Qt::LeftButton);
  EXPECT_EQ(Lowest(dialog, 0), "0");
  EXPECT_TRUE(Readings(dialog, 0).isEmpty());
  EXPECT_FALSE(Button(dialog, kIdZeroUpdate)->isEnabled());
  const ConfigImage before = state.image;
  dialog.OnUpdate();
  EXPECT_EQ(state.image.bytes, before.bytes);
}

// The values outlive the dialog: a later one opens empty, with Update ready to write them.
TEST_F(ReadZeroDialogTest, ALaterDialogStartsEmptyAndUpdatesTheEarlierValues) {
  {
    CReadZeroADdlg first(state.zero, state.image, line);
    first.OnRead();
  }
  ASSERT_TRUE(state.zero.answered);
  CReadZeroADdlg later(state.zero, state.image, line);
  EXPECT_TRUE(Lowest(later, 0).isEmpty());
  EXPECT_TRUE(Button(later, kIdZeroUpdate)->isEnabled());
  later.OnUpdate();
  EXPECT_EQ(state.image[kPhaseZeroAddr], state.zero.ZeroA);
}

TEST_F(ReadZeroDialogTest, EscapeEndsItWithTheCancelResult) {
  CReadZeroADdlg dialog(state.zero, state.image, line);
  dialog.show();
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace vor
