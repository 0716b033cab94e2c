// The unwritten changes in the window: marks while the user types, the undo stack and its Edit
// menu, a Read over changes, reverting, and a file's review before its values go into the pages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>
#include <map>

#include "calibration/zero_calibration.h"
#include "files/backup_store.h"
#include "files/image_file.h"
#include "mainwindow/change_marks.h"
#include "mainwindow/review_dialog.h"
#include "tests/files/loaded_definitions.h"
#include "tests/mainwindow/window_rig.h"

namespace vor {
namespace {

using test::WindowRig;

constexpr std::uint8_t kReadBlockCommand = 0xF2;
constexpr std::size_t kLowVolt = 19;  // 54 at the factory, 18..90
constexpr std::size_t kOverVolt = 20;
constexpr std::size_t kControlMode = 28;  // 0, on the Control page

class ChangesTest : public ::testing::Test, public WindowRig {
protected:
  // Past start-up, on show and active, so that keys go where a user's would.
  void StartShown() {
    StartUp();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  // Types `text` over what the field holds, as a user does.
  static void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  static void CtrlZ(QWidget* where) { QTest::keyClick(where, Qt::Key_Z, Qt::ControlModifier); }
  QString Entry(MenuCommand command) {
    return QString(window->Menu().Action(command)->text()).remove(u'&');
  }
  // The count at the menu bar's end, or empty while it is hidden.
  QString Count() {
    auto* count = window->Menu().Bar()->findChild<QToolButton*>("changeCount");
    return count && !count->isHidden() ? count->text() : QString();
  }
  QLabel* Label(PageKey key, const QString& name) {
    QLineEdit* edit = Field(key, name);
    return FindStatic(Page(key), ControlIdOf(edit) - 1);
  }
  static bool Marked(const QLineEdit* edit) {
    return edit->palette().color(QPalette::Base) == kChangeTint;
  }
  static bool Marked(const QLabel* label) {
    return label->palette().color(QPalette::WindowText) == kChangeTextColour;
  }
  static bool Marked(const QCheckBox* box) {
    return box->palette().color(QPalette::WindowText) == kChangeTextColour;
  }
  QString SaveFile(const QString& name, const ConfigImage& image) {
    const QString path = services.dir.filePath(name);
    QString error;
    EXPECT_TRUE(SaveImageFile(path, image, error)) << error.toStdString();
    return path;
  }
};

TEST_F(ChangesTest, TypingSwitchingPagesUndoingAndWritingSendsWhatThePagesHold) {
  StartShown();
  const ConfigImage factory = controller.Image();
  const int requests = Requests();
  Type(Field(PageKey::Vehicle, "Low Volt"), "50");
  Click(kIdControlButton);  // the store pass makes the entry a step
  EXPECT_EQ(Entry(MenuCommand::Undo), "Undo Low Volt 54 → 50");
  Type(Field(PageKey::Control, "Control Mode"), "2");
  // Typed and not yet stored: Undo would store it first and take it back.
  EXPECT_EQ(Entry(MenuCommand::Undo), "Undo Control Mode 0 → 2");
  EXPECT_EQ(Count(), "2 unwritten changes");

  Click(kIdMotorButton);
  Trigger(MenuCommand::Undo);
  EXPECT_EQ(state.image[kControlMode], 0);
  EXPECT_EQ(state.image[kLowVolt], 50);
  EXPECT_EQ(Entry(MenuCommand::Redo), "Redo Control Mode 0 → 2");
  EXPECT_EQ(Count(), "1 unwritten change");
  Click(kIdControlButton);
  EXPECT_EQ(Field(PageKey::Control, "Control Mode")->text(), "0");
  EXPECT_EQ(Requests(), requests);  // Undo sends nothing

  // "Written to success." never shows beside a count of unwritten changes.
  QString countDuringSuccess = QStringLiteral("not asked");
  prompter.onAsk = [&](int id) {
    if (id == kMsgWriteSuccess) countDuringSuccess = Count();
  };
  Click(kIdWriteButton);
  prompter.onAsk = nullptr;
  ConfigImage expected = factory;
  expected[kLowVolt] = 50;
  EXPECT_EQ(controller.Image().bytes, expected.bytes);
  EXPECT_EQ(countDuringSuccess, "");
  EXPECT_EQ(Count(), "");

  // The stack outlives the Write: undoing now makes a change again.
  Trigger(MenuCommand::Undo);
  EXPECT_EQ(state.image[kLowVolt], 54);
  EXPECT_EQ(controller.Image()[kLowVolt], 50);
  EXPECT_EQ(Count(), "1 unwritten change");
}

TEST_F(ChangesTest, AFieldIsMarkedWhileTypedAndNoTemplateControlMoves) {
  StartShown();
  std::map<QWidget*, QRect> places;
  for (QWidget* control : Page(PageKey::Vehicle)->findChildren<QWidget*>())
    places[control] = control->geometry();
  QLineEdit* lowVolt = Field(PageKey::Vehicle, "Low Volt");
  QLabel* label = Label(PageKey::Vehicle, "Low Volt");
  ASSERT_FALSE(Marked(lowVolt));

  Type(lowVolt, "50");
  EXPECT_TRUE(Marked(lowVolt));
  EXPECT_TRUE(Marked(label));
  EXPECT_EQ(lowVolt->toolTip(), "Low Volt\nOn the controller: 54");
  EXPECT_EQ(Count(), "1 unwritten change");
  QCheckBox* box = Box("Rev_HCurr");
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(Marked(box));
  EXPECT_TRUE(box->toolTip().endsWith("On the controller: not ticked"));
  EXPECT_EQ(Count(), "2 unwritten changes");
  for (const auto& [control, place] : places) {
    EXPECT_EQ(control->geometry(), place) << control->objectName().toStdString();
  }

  // Stored and shown again, still marked; the controller's value, however written, is none.
  Click(kIdControlButton);
  Click(kIdVehicleButton);
  EXPECT_TRUE(Marked(Field(PageKey::Vehicle, "Low Volt")));
  EXPECT_TRUE(Marked(box));
  Type(lowVolt, "054");
  EXPECT_FALSE(Marked(lowVolt));
  EXPECT_FALSE(Marked(label));
  EXPECT_EQ(lowVolt->toolTip(), "");
  EXPECT_EQ(Count(), "1 unwritten change");

  // An emptied field is no number, not the 0 the controller holds.
  QLineEdit* tpsType = Field(PageKey::Vehicle, "TPS Type");
  ASSERT_EQ(tpsType->text(), "0");
  tpsType->setFocus();
  tpsType->selectAll();
  QTest::keyClick(tpsType, Qt::Key_Delete);
  EXPECT_TRUE(Marked(tpsType));
  EXPECT_EQ(Count(), "2 unwritten changes");
}

TEST_F(ChangesTest, CtrlZTakesAFieldsOwnTypingFirstThenTheWindowsLastStep) {
  StartShown();
  QCheckBox* box = Box("Rev_HCurr");
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));  // the one step
  QLineEdit* lowVolt = Field(PageKey::Vehicle, "Low Volt");
  Type(lowVolt, "50");
  for (int i = 0; i < 5 && lowVolt->isUndoAvailable(); ++i) CtrlZ(lowVolt);  // its own typing
  EXPECT_EQ(lowVolt->text(), "54");
  EXPECT_TRUE(box->isChecked());
  EXPECT_EQ(window->History().Stack().count(), 1);  // the typing never became a step

  CtrlZ(lowVolt);  // nothing of its own left: the window's
  EXPECT_FALSE(box->isChecked());
  EXPECT_EQ(state.image[0] & 0x04, 0);
  EXPECT_EQ(window->History().Stack().index(), 0);
  EXPECT_EQ(lowVolt->text(), "54");
}

TEST_F(ChangesTest, UndoWithTheFocusElsewhereStoresTheTypingFirstAndLosesNothing) {
  StartShown();
  QCheckBox* box = Box("Rev_HCurr");
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
  QLineEdit* lowVolt = Field(PageKey::Vehicle, "Low Volt");
  Type(lowVolt, "50");
  box->setFocus();
  CtrlZ(box);  // the typing became the latest step, and Undo took it
  EXPECT_EQ(lowVolt->text(), "54");
  EXPECT_TRUE(box->isChecked());
  EXPECT_TRUE(box->hasFocus());
  QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(lowVolt->text(), "50");
  EXPECT_EQ(state.image[kLowVolt], 50);

  // An entry out of range is refused as on every command; nothing is undone.
  Type(Field(PageKey::Vehicle, "Over Volt"), "300");
  box->setFocus();
  CtrlZ(box);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_TRUE(prompter.asked[0].text.startsWith("Param:Over Volt"));
  EXPECT_EQ(state.image[kLowVolt], 50);
  EXPECT_EQ(window->currentPage, PageKey::Vehicle);
}

// Each entry is a step once its field is left, so Undo takes back what was done last, entries
// and clicks alike; a click that takes no focus (as on macOS) stores what was typed first too.
TEST_F(ChangesTest, UndoTakesBackTheLastThingDoneAndSaysWhatItUndidOnAnotherPage) {
  StartShown();
  QLineEdit* overVolt = Field(PageKey::Vehicle, "Over Volt");
  QLineEdit* accelerate = Field(PageKey::Vehicle, "Accelerate Speed");
  QLineEdit* lowVolt = Field(PageKey::Vehicle, "Low Volt");
  const QString overVoltBefore = overVolt->text();
  const QString accelerateBefore = accelerate->text();
  const QString accelerateAfter = accelerateBefore == "5" ? "6" : "5";
  const QString lowVoltBefore = lowVolt->text();
  Type(accelerate, accelerateAfter);
  Type(overVolt, "80");  // typed last, though its field comes first
  QTest::mouseClick(Box("Rev_HCurr"), Qt::LeftButton, {}, QPoint(5, 5));
  Type(lowVolt, "50");
  const int noise = Box("Reduce Noise")->isChecked();
  Box("Reduce Noise")->setFocusPolicy(Qt::TabFocus);
  QTest::mouseClick(Box("Reduce Noise"), Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_TRUE(lowVolt->hasFocus());

  const QString undone[] = {
      QStringLiteral("Undo Reduce Noise %1 → %2").arg(noise).arg(1 - noise),
      QStringLiteral("Undo Low Volt %1 → 50").arg(lowVoltBefore),
      "Undo Rev_HCurr 0 → 1",
      QStringLiteral("Undo Over Volt %1 → 80").arg(overVoltBefore),
      QStringLiteral("Undo Accelerate Speed %1 → %2").arg(accelerateBefore, accelerateAfter),
  };
  for (const QString& entry : undone) {
    EXPECT_EQ(Entry(MenuCommand::Undo), entry);
    Trigger(MenuCommand::Undo);
  }
  EXPECT_EQ(state.image.bytes, controller.Image().bytes);
  EXPECT_EQ(Status(), "Read success!");  // each step was on the page on show

  // A step on another page is named in the status line, which otherwise keeps Read's outcome.
  Click(kIdControlButton);
  QLineEdit* controlMode = Field(PageKey::Control, "Control Mode");
  Type(controlMode, "2");
  Field(PageKey::Control, "Startup Wait Time")->setFocus();
  Click(kIdVehicleButton);
  Trigger(MenuCommand::Undo);
  EXPECT_EQ(Status(), "Undone on the Control page: Control Mode 0 → 2");
  EXPECT_EQ(state.image[kControlMode], 0);
  Trigger(MenuCommand::Redo);
  EXPECT_EQ(Status(), "Redone on the Control page: Control Mode 0 → 2");
}

// Leaving the page by a key moves no focus: the store pass alone decides, and an entry after the
// one it refuses is not written, even though hiding the page takes the focus from its field.
TEST_F(ChangesTest, AnEntryAfterARefusedOneIsNotStoredWhenThePageIsLeftByAKey) {
  StartShown();
  const std::uint8_t overVolt = state.image[kOverVolt];
  Type(Field(PageKey::Vehicle, "Low Volt"), "300");
  QLineEdit* over = Field(PageKey::Vehicle, "Over Volt");
  Type(over, "80");
  QTest::keyClick(over, Qt::Key_2, Qt::ControlModifier);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_TRUE(prompter.asked[0].text.startsWith("Param:Low Volt"));
  EXPECT_EQ(window->currentPage, PageKey::Vehicle);
  EXPECT_EQ(state.image[kOverVolt], overVolt);
  EXPECT_EQ(window->History().Stack().count(), 0);
}

// A Read that fails half way leaves the image half read; the changes a later Read replaces
// are still the ones the user made.
TEST_F(ChangesTest, UndoingAReadBringsTheChangesBackOverTheNewImage) {
  StartShown();
  Type(Field(PageKey::Vehicle, "Low Volt"), "50");
  controller.AddFault(FaultRule(FaultKind::Silent, kReadBlockCommand,
                                controller.RequestCount(kReadBlockCommand) + 4));
  Trigger(MenuCommand::Read);  // Cancel on "Read data error."
  ASSERT_EQ(Status(), "Read failure!");
  ASSERT_EQ(state.image[kLowVolt], 54);  // the first blocks came in
  controller.ClearFaults();
  ConfigImage changedThere = controller.Image();
  changedThere[kOverVolt] = 80;
  controller.SetImage(changedThere);

  Trigger(MenuCommand::Read);
  ASSERT_EQ(Status(), "Read success!");
  EXPECT_EQ(Field(PageKey::Vehicle, "Low Volt")->text(), "54");
  EXPECT_EQ(Entry(MenuCommand::Undo), "Undo Read");
  Trigger(MenuCommand::Undo);
  EXPECT_EQ(Field(PageKey::Vehicle, "Low Volt")->text(), "50");
  EXPECT_EQ(Field(PageKey::Vehicle, "Over Volt")->text(), "80");  // what the Read brought stays
  EXPECT_EQ(Count(), "1 unwritten change");
}

TEST_F(ChangesTest, RevertTakesAFieldOrEverythingBackAndTheCloseQuestionCountsTheRest) {
  StartShown();
  Type(Field(PageKey::Vehicle, "Low Volt"), "50");
  Type(Field(PageKey::Vehicle, "Over Volt"), "80");
  Click(kIdControlButton);
  Click(kIdVehicleButton);
  QLineEdit* lowVolt = Field(PageKey::Vehicle, "Low Volt");
  Type(lowVolt, "300");  // reverted along, never stored nor refused
  QString offered;
  QTimer::singleShot(0, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QAction* revert = menu->actions().constLast();
    offered = revert->text();
    revert->trigger();
    menu->close();
  });
  QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(2, 2),
                            lowVolt->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(lowVolt, &request);
  EXPECT_EQ(offered, "Revert to the controller's value (54)");
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_EQ(lowVolt->text(), "54");
  EXPECT_EQ(Field(PageKey::Vehicle, "Over Volt")->text(), "80");
  EXPECT_EQ(Entry(MenuCommand::Undo), "Undo Revert Low Volt");

  prompter.answers = {Answer::Cancel};
  EXPECT_FALSE(window->close());
  ASSERT_EQ(prompter.AskedIds(), std::vector<int>{kMsgSureToExit});
  EXPECT_EQ(prompter.asked[0].detail, "1 change has not been written to the controller.");

  Trigger(MenuCommand::RevertAllChanges);
  EXPECT_EQ(state.image.bytes, controller.Image().bytes);
  EXPECT_EQ(Count(), "");
  EXPECT_FALSE(window->Menu().Action(MenuCommand::RevertAllChanges)->isEnabled());
  prompter.answers = {Answer::Cancel};
  window->close();
  EXPECT_EQ(prompter.asked.back().detail, "");
  Trigger(MenuCommand::Undo);
  EXPECT_EQ(Field(PageKey::Vehicle, "Over Volt")->text(), "80");
}

// Quit ends at once only while nothing is unwritten; otherwise the button, Ctrl+Q and File > Quit
// ask what the close box asks. Escape ends nothing, wherever the focus is.
TEST_F(ChangesTest, EveryWayOutAsksWhileChangesAreUnwrittenAndEscapeEndsNothing) {
  StartShown();
  QSignalSpy finished(window.get(), &QDialog::finished);
  QLineEdit* lowVolt = Field(PageKey::Vehicle, "Low Volt");
  const auto escape = [&] {
    for (QWidget* where : {static_cast<QWidget*>(lowVolt),
                           static_cast<QWidget*>(FindButton(window.get(), kIdReadButton)),
                           static_cast<QWidget*>(window.get())}) {
      where->setFocus();
      QTest::keyClick(where, Qt::Key_Escape);
    }
  };
  escape();
  EXPECT_EQ(finished.count(), 0);

  Type(lowVolt, "50");
  escape();
  EXPECT_EQ(finished.count(), 0);
  EXPECT_TRUE(prompter.asked.empty());

  const struct {
    const char* way;
    std::function<void()> quit;
  } ways[] = {
      {"the Quit button", [&] { Click(kIdCancel); }},
      {"Ctrl+Q",
       [&] {
         lowVolt->setFocus();
         QTest::keyClick(lowVolt, Qt::Key_Q, Qt::ControlModifier);
       }},
      {"File > Quit", [&] { Trigger(MenuCommand::Quit); }},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.way);
    prompter.asked.clear();
    prompter.answers = {Answer::Cancel};
    way.quit();
    ASSERT_EQ(prompter.AskedIds(), std::vector<int>{kMsgSureToExit});
    EXPECT_EQ(prompter.asked[0].detail, "1 change has not been written to the controller.");
    EXPECT_EQ(finished.count(), 0);
    EXPECT_EQ(Field(PageKey::Vehicle, "Low Volt")->text(), "50");
  }

  prompter.answers = {Answer::Ok};
  Click(kIdCancel);
  EXPECT_EQ(finished.count(), 1);
}

TEST_F(ChangesTest, TheCalibrationsUpdateIsAStep) {
  StartShown();
  const ConfigImage factory = state.image;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(FindButton(dialog, kIdZeroRead), Qt::LeftButton);
    QTest::mouseClick(FindButton(dialog, kIdZeroUpdate), Qt::LeftButton);
    dialog->close();
  });
  QTest::mouseClick(FindButton(Page(PageKey::Vehicle), kIdReadZeroButton), Qt::LeftButton);
  ASSERT_EQ(Entry(MenuCommand::Undo), "Undo Phase Zero Calibration");
  Trigger(MenuCommand::Undo);
  EXPECT_EQ(state.image.bytes, factory.bytes);
  EXPECT_EQ(Field(PageKey::Vehicle, "Phase_A_Zero")->text(),
            QString::number(factory[kPhaseZeroAddr]));
}

// Copying settings from another vehicle's file: its settings come, this controller's identity
// and calibration stay, and the user has the last word on every row.
TEST_F(ChangesTest, AnotherControllersFileIsReviewedAndOnlyTheCheckedRowsComeAsOneStep) {
  StartShown();
  const ConfigImage factory = state.image;
  ConfigImage other = factory;
  test::SetSerial(other, 7654321);
  other[kLowVolt] = 48;
  other[kControlMode] = 1;
  other[kPhaseZeroAddr] = 100;
  other[13] = 0x55;  // a byte no page shows
  services.dialogs.fileNames = {SaveFile("other.bin", other)};
  std::optional<ApplyReview> planned;
  services.dialogs.onReview = [&](ApplyReview& review) {
    planned = review;
    for (ApplyRow& row : review.rows) {
      const auto* field = std::get_if<FieldChange>(&row.change);
      if (field && field->label == "Control Mode") row.checked = false;  // the user's choice
    }
  };
  const int requests = Requests();
  Trigger(MenuCommand::OpenConfiguration);
  ASSERT_TRUE(planned);
  EXPECT_FALSE(planned->sameUnit);
  EXPECT_EQ(planned->fileSerial, "7654321");
  std::map<QString, std::pair<bool, bool>> rows;  // own, checked
  for (const ApplyRow& row : planned->rows) {
    const auto* field = std::get_if<FieldChange>(&row.change);
    rows[field ? field->label
               : QStringLiteral("byte %1").arg(std::get<ByteChange>(row.change).addr)] = {
        row.own, row.checked};
  }
  const std::map<QString, std::pair<bool, bool>> expected = {{"Low Volt", {false, true}},
                                                             {"Control Mode", {false, true}},
                                                             {"Serial Number", {true, false}},
                                                             {"Phase_A_Zero", {true, false}},
                                                             {"byte 13", {true, false}}};
  EXPECT_EQ(rows, expected);

  // As the dialog shows the plan: own rows unchecked and marked, and both select buttons.
  ReviewDialog dialog(*planned);
  QTreeWidget* list = dialog.List();
  ASSERT_EQ(list->topLevelItemCount(), int(planned->rows.size()));
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = list->topLevelItem(i);
    const auto [own, checked] = rows.at(item->text(1));
    EXPECT_EQ(item->checkState(0) == Qt::Checked, checked) << item->text(1).toStdString();
    EXPECT_EQ(item->text(ReviewDialog::kOwnColumn), own ? "this controller's own" : "")
        << item->text(1).toStdString();
  }
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (button->text().remove(u'&') == "Select All") button->click();
  }
  for (const ApplyRow& row : dialog.Rows()) EXPECT_TRUE(row.checked);
  for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (button->text().remove(u'&') == "Select None") button->click();
  }
  for (const ApplyRow& row : dialog.Rows()) EXPECT_FALSE(row.checked);

  ConfigImage applied = factory;
  applied[kLowVolt] = 48;
  EXPECT_EQ(state.image.bytes, applied.bytes);
  EXPECT_TRUE(Marked(Field(PageKey::Vehicle, "Low Volt")));
  EXPECT_EQ(Requests(), requests);  // nothing sent until Write
  EXPECT_EQ(Entry(MenuCommand::Undo), "Undo Apply other.bin");
  Trigger(MenuCommand::Undo);
  EXPECT_EQ(state.image.bytes, factory.bytes);
}

// Select All takes another controller's identity and calibration too: the user says so once
// more, or the review comes back with their ticks.
TEST_F(ChangesTest, TakingAnotherControllersOwnRowsAsksOnceBeforeOkAppliesThem) {
  StartShown();
  const ConfigImage factory = state.image;
  ConfigImage other = factory;
  test::SetSerial(other, 7654321);
  other[kLowVolt] = 48;
  other[kPhaseZeroAddr] = 100;
  other[13] = 0x55;  // a byte no page shows
  services.dialogs.fileNames = {SaveFile("other.bin", other), SaveFile("other.bin", other)};
  services.dialogs.onReview = [](ApplyReview& review) {
    for (ApplyRow& row : review.rows) row.checked = true;  // Select All
  };
  prompter.answers = {Answer::No};
  services.dialogs.reviewAnswers = {true, false};  // OK, then Cancel on the review shown again
  Trigger(MenuCommand::OpenConfiguration);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].buttons, Buttons::YesNo);
  EXPECT_EQ(prompter.asked[0].defaultAnswer, Answer::No);
  EXPECT_TRUE(prompter.asked[0].text.contains("Serial Number, Phase_A_Zero, 1 byte no page shows"))
      << prompter.asked[0].text.toStdString();
  ASSERT_EQ(services.dialogs.reviews.size(), 2u);
  for (const ApplyRow& row : services.dialogs.reviews[1].rows) EXPECT_TRUE(row.checked);
  EXPECT_EQ(state.image.bytes, factory.bytes);  // nothing taken meanwhile

  prompter.asked.clear();
  prompter.answers = {Answer::Yes};
  Trigger(MenuCommand::OpenConfiguration);
  EXPECT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(state.image.bytes, other.bytes);

  // Only this controller's own rows ask: the settings alone go in without a word.
  Trigger(MenuCommand::Undo);
  services.dialogs.fileNames = {SaveFile("other.bin", other)};
  services.dialogs.onReview = nullptr;
  prompter.asked.clear();
  Trigger(MenuCommand::OpenConfiguration);
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_EQ(state.image[kLowVolt], 48);
}

// A value its page would refuse (a corrupt or hand-edited file) is refused with the page's own
// message and goes nowhere; the review comes back with the user's ticks, and without that row the
// rest is taken.
TEST_F(ChangesTest, AFilesValueOutOfRangeIsRefusedWithThePagesMessageUntilItsRowIsLeftOut) {
  StartShown();
  const ConfigImage factory = state.image;
  ConfigImage file = factory;
  file[kLowVolt] = 200;
  file[kControlMode] = 1;
  services.dialogs.fileNames = {SaveFile("edited.bin", file)};
  int reviews = 0;
  services.dialogs.onReview = [&](ApplyReview& review) {
    if (++reviews == 1) return;  // OK as the rules ticked the rows
    EXPECT_EQ(state.image.bytes, factory.bytes);
    for (ApplyRow& row : review.rows) {
      const auto* field = std::get_if<FieldChange>(&row.change);
      if (field && field->label == "Low Volt") row.checked = false;
    }
  };
  Trigger(MenuCommand::OpenConfiguration);
  EXPECT_EQ(reviews, 2);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].text, "Param:Low Volt\nThe range should be between 18~90");
  EXPECT_EQ(prompter.asked[0].icon, Icon::Warning);
  ConfigImage taken = factory;
  taken[kControlMode] = 1;
  EXPECT_EQ(state.image.bytes, taken.bytes);
}

// The status line says that the pages hold a file's values only while they do.
TEST_F(ChangesTest, UndoingAFilesStepTakesItsStatusAway) {
  StartShown();
  ConfigImage file = state.image;
  file[kControlMode] = 1;
  services.dialogs.fileNames = {SaveFile("file.bin", file)};
  Trigger(MenuCommand::OpenConfiguration);
  ASSERT_EQ(Status(), "From file, not yet written");
  Type(Field(PageKey::Vehicle, "Low Volt"), "50");
  Trigger(MenuCommand::Undo);  // the entry, a step after the file's
  EXPECT_EQ(Status(), "From file, not yet written");
  Trigger(MenuCommand::Undo);  // the file's
  EXPECT_EQ(Status(), "Read success!");
  EXPECT_EQ(state.image[kControlMode], 0);
}

TEST_F(ChangesTest, RestoreBackupListsThisControllersBackupsNewestFirstAndRestoresEveryByte) {
  StartShown();
  const ConfigImage factory = state.image;
  Type(Field(PageKey::Vehicle, "Low Volt"), "50");
  Click(kIdWriteButton);  // saves the factory image as a backup first
  const BackupStore store(services.BackupsFolder());
  ConfigImage older = factory;
  older[13] = 0x55;  // a byte no page shows
  ConfigImage another = factory;
  test::SetSerial(another, 7654321);
  QString error;
  ASSERT_FALSE(store.Save(older, QDateTime(QDate(2020, 1, 2), QTime(3, 4)), error).isEmpty());
  ASSERT_FALSE(store.Save(another, QDateTime(QDate(2020, 1, 2), QTime(3, 5)), error).isEmpty());

  services.dialogs.backupAnswers = {1};
  Trigger(MenuCommand::RestoreBackup);
  ASSERT_EQ(services.dialogs.backupLists.size(), 1u);
  const std::vector<BackupChoice>& list = services.dialogs.backupLists[0];
  ASSERT_EQ(list.size(), 2u);  // this controller's only
  EXPECT_GT(list[0].time, list[1].time);
  EXPECT_EQ(list[0].differences, 1);  // Low Volt
  EXPECT_EQ(list[1].time, QDateTime(QDate(2020, 1, 2), QTime(3, 4)));
  EXPECT_EQ(list[1].differences, 2);  // and byte 13
  ASSERT_EQ(services.dialogs.reviews.size(), 1u);
  EXPECT_TRUE(services.dialogs.reviews[0].sameUnit);
  EXPECT_EQ(state.image.bytes, older.bytes);
  EXPECT_EQ(Count(), "2 unwritten changes");
}

}  // namespace
}  // namespace vor
