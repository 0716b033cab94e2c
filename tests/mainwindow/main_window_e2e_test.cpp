// The desktop program's start-up and Write against the simulator on a pseudo-terminal, through
// the real serial port code and the link thread, in real time.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "calibration/zero_calibration.h"
#include "tests/support/pty_window_rig.h"

namespace vor {
namespace {

class MainWindowOverPty : public ::testing::Test, public test::PtyWindowRig {};

TEST_F(MainWindowOverPty, StartUpReachesTheVehiclePageAndAChangedFieldIsCommitted) {
  StartUp();
  EXPECT_EQ(link.DevicePath(), pty.DevicePath());
  EXPECT_EQ(state.image.bytes, controller.Image().bytes);

  QLineEdit* lowVolt = VehicleField("Low Volt");
  ASSERT_NE(lowVolt, nullptr);
  lowVolt->setText("42");
  QTest::mouseClick(FindButton(window.get(), kIdWriteButton), Qt::LeftButton);
  EXPECT_EQ(prompter.AskedIds(), std::vector<int>{kMsgWriteSuccess});
  EXPECT_EQ(controller.CommitCount(), 1);
  EXPECT_EQ(controller.Image()[19], 42);
  EXPECT_EQ(controller.Image().bytes, state.image.bytes);
}

// A ticked box and the calibration's offsets reach the controller with Write, in real time.
TEST_F(MainWindowOverPty, ATickedBoxAndTheCalibratedOffsetsAreCommitted) {
  StartUp();
  QCheckBox* revHalfCurrent = VehicleBox("Rev_HCurr");  // bit 2 of byte 0, clear at the factory
  ASSERT_NE(revHalfCurrent, nullptr);
  ASSERT_FALSE(revHalfCurrent->isChecked());
  QTest::mouseClick(revHalfCurrent, Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_TRUE(revHalfCurrent->isChecked());

  QString lowest[3];
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(FindButton(dialog, kIdZeroRead), Qt::LeftButton);
    QTest::mouseClick(FindButton(dialog, kIdZeroUpdate), Qt::LeftButton);
    for (int phase = 0; phase < 3; ++phase) {
      lowest[phase] = FindEdit(dialog, kIdLowestA + phase)->text();
    }
    dialog->close();  // the close box
  });
  QTest::mouseClick(FindButton(Vehicle(), kIdReadZeroButton), Qt::LeftButton);
  ASSERT_FALSE(lowest[0].isEmpty());
  EXPECT_EQ(controller.RequestCount(0x35), 3);
  // The page shows the new offsets, and the tick: a click is in the image at once, as a step
  // of its own that Undo can take back.
  for (int phase = 0; phase < 3; ++phase) {
    QLineEdit* offset = VehicleField(QStringLiteral("Phase_%1_Zero").arg(QChar(u'A' + phase)));
    ASSERT_NE(offset, nullptr) << phase;
    EXPECT_EQ(offset->text(), lowest[phase]);
  }
  EXPECT_TRUE(revHalfCurrent->isChecked());

  QTest::mouseClick(FindButton(window.get(), kIdWriteButton), Qt::LeftButton);
  EXPECT_EQ(prompter.AskedIds(), std::vector<int>{kMsgWriteSuccess});
  const ConfigImage written = controller.Image();
  EXPECT_EQ(written[0] & 0x04, 0x04);
  for (int phase = 0; phase < 3; ++phase) {
    EXPECT_EQ(QString::number(written[kPhaseZeroAddr + std::size_t(phase)]), lowest[phase])
        << phase;
  }
  EXPECT_EQ(written.bytes, state.image.bytes);
}

}  // namespace
}  // namespace vor
