// The Vehicle page over the carried definitions of real models: check boxes, the special
// version's rules, the two display substitutions and the calibration behind Read_Zero.
#include "pages/vehicle_page.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "calibration/read_zero_dialog.h"
#include "definitions/definition_loader.h"
#include "definitions/model_images.h"
#include "definitions/model_table.h"
#include "resources/dialog_builder.h"
#include "simulator/simulated_controller.h"
#include "tests/support/immediate_link.h"
#include "tests/support/scripted_prompter.h"

namespace vor {
namespace {

class VehiclePageTest : public ::testing::Test {
protected:
  // The factory image and definitions of `code`; `patch` may change the definitions before the
  // page is laid out.
  void Load(const char* code, ImageOptions options = {},
            const std::function<void(DefinitionSet&)>& patch = {}) {
    state.image = *DefaultImageFor(QString(code), options);
    ASSERT_TRUE(LoadDefinitions(state.image, *state.definitions, prompter));
    if (patch) patch(*state.definitions);
    state.ReadOk = true;
    page.Create(kDialogVehicle, &host);
    host.resize(900, 700);
    host.show();
    page.show();
  }

  QCheckBox* Box(const QString& name) {
    for (int k = 0; k < kCheckBoxCount; ++k) {
      QCheckBox* box = FindCheckBox(&page, kIdFirstCheckBox + k);
      if (box->isVisible() && box->text() == name) return box;
    }
    ADD_FAILURE() << "no box " << name.toStdString();
    return FindCheckBox(&page, kIdFirstCheckBox + kCheckBoxCount - 1);
  }
  QLineEdit* Field(const QString& name) {
    for (int k = 0; k < kVehicleSlotCount; ++k) {
      if (FindStatic(&page, SlotLabelId(k))->text() == name) return FindEdit(&page, SlotEditId(k));
    }
    ADD_FAILURE() << "no field " << name.toStdString();
    return FindEdit(&page, SlotEditId(kVehicleSlotCount - 1));
  }
  QString Tip() { return FindStatic(&page, kIdTipArea)->text(); }
  void Click(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5)); }
  // Hides and shows the page again, as leaving it and coming back does.
  void Reshow() {
    page.hide();
    page.show();
  }

  ProgramState state;
  test::ScriptedPrompter prompter;
  SimulatedController controller{*DefaultImageFor(u"VOR")};
  test::ImmediateLink line{&controller};
  QWidget host;
  CVehicleDlg page{state, prompter, line};
};

TEST_F(VehiclePageTest, BoxesShowTheBitsAndAHiddenRecordGivesUpItsBox) {
  // The VOR script hides bits 4, 5 and 7 of byte 0: the boxes after them move up.
  Load("VOR");
  const char* expected[] = {"Boost",         "Economy",      "Rev_HCurr",
                            "Brake H-Pedel", "Reduce Noise", "Foot Switch"};
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(FindCheckBox(&page, kIdFirstCheckBox + k)->text(), expected[k]) << k;
  }
  EXPECT_FALSE(FindCheckBox(&page, kIdFirstCheckBox + kCheckBoxCount - 1)->isVisible());
  EXPECT_EQ(Box("Brake H-Pedel")->isChecked(), (state.image[0] >> 3 & 1) != 0);

  // Every shown bit is stored, before the fields; the hidden bits keep their values even when
  // a field is then refused.
  page.hide();
  state.image[0] = 0xB0;  // bits 4, 5 and 7, hidden, set
  page.show();
  Click(Box("Boost"));
  Click(Box("Reduce Noise"));
  Field("Low Volt")->setText("300");
  page.hide();
  EXPECT_FALSE(page.PageAccepted);
  EXPECT_EQ(state.image[0], 0xB0 | 0x01 | 0x40);
  page.show();  // the boxes show the stored bits, the fields the image
  EXPECT_TRUE(Box("Boost")->isChecked());
  EXPECT_EQ(Field("Low Volt")->text(), QString::number(state.image[19]));
}

// With nothing beside it, a first-column box is as wide as its name, yet never reaches into the
// Read_Zero button.
TEST_F(VehiclePageTest, ABoxNameIsNotCutWhereTheSpaceBesideItIsFree) {
  Load("VOR");
  const QRect button = FindButton(&page, kIdReadZeroButton)->geometry();
  for (const char* name : {"Brake Regen Switch", "Three Gears Switch", "Regenerate Electricity"}) {
    SCOPED_TRACE(name);
    const QRect box = Box(name)->geometry();
    EXPECT_GE(box.width(), Box(name)->sizeHint().width());
    if (box.bottom() >= button.top() && box.top() <= button.bottom()) {
      EXPECT_LT(box.right(), button.left());
    }
  }
}

TEST_F(VehiclePageTest, BoostAndEconomyOfTheSpecialVersionFollowBrakeTypeAsStored) {
  Load("JUT", {.specialVersion = 5});
  state.image[kBrakeTypeAddr] = 1;
  Reshow();
  EXPECT_FALSE(Box("Boost")->isEnabled());
  EXPECT_FALSE(Box("Economy")->isEnabled());
  EXPECT_TRUE(Box("Rev_HCurr")->isEnabled());

  Field("Brake Type")->setText("0");
  QApplication::processEvents();
  EXPECT_FALSE(Box("Boost")->isEnabled());  // typed, not yet stored
  Reshow();
  EXPECT_EQ(state.image[kBrakeTypeAddr], 0);
  EXPECT_TRUE(Box("Boost")->isEnabled());
  EXPECT_TRUE(Box("Economy")->isEnabled());
}

TEST_F(VehiclePageTest, TickingOneOfAnExclusivePairUnticksTheOtherOnlyInTheSpecialVersion) {
  const struct {
    const char* first;
    const char* second;
  } pairs[] = {{"Economy", "Boost"},
               {"Boost", "Economy"},
               {"Three Gears Switch", "Three Speed Drive"},
               {"Three Speed Drive", "Three Gears Switch"}};
  Load("JUT", {.specialVersion = 4});
  for (const auto& pair : pairs) {
    SCOPED_TRACE(std::string(pair.first) + " then " + pair.second);
    Box(pair.first)->setChecked(true);
    Box(pair.second)->setChecked(false);
    Click(Box(pair.second));
    EXPECT_TRUE(Box(pair.second)->isChecked());
    EXPECT_FALSE(Box(pair.first)->isChecked());
    Box(pair.first)->setChecked(true);
    Click(Box(pair.second));  // unticking touches nothing
    EXPECT_FALSE(Box(pair.second)->isChecked());
    EXPECT_TRUE(Box(pair.first)->isChecked());
  }
}

TEST_F(VehiclePageTest, WithoutTheSpecialVersionNoBoxAffectsAnother) {
  Load("VOR");
  Click(Box("Boost"));
  Click(Box("Economy"));
  Click(Box("Three Gears Switch"));
  EXPECT_TRUE(Box("Boost")->isChecked());
  EXPECT_TRUE(Box("Economy")->isChecked());
}

TEST_F(VehiclePageTest, TheSpecialVersionByteShowsItsEditionCodeAndIsNeverWritten) {
  const struct {
    std::uint8_t byte;
    const char* shown;
  } cases[] = {{4, "EA"}, {5, "EB"}, {6, "6"}};
  Load("JUT", {.specialVersion = 5});
  ASSERT_EQ(state.definitions->SpecialVersionFlag, 1);
  for (const auto& c : cases) {
    state.image[kSpecialVersionAddr] = c.byte;
    Reshow();
    EXPECT_EQ(Field("Special Version")->text(), c.shown);
    Field("Special Version")->setText("77");
    page.hide();
    EXPECT_TRUE(page.PageAccepted);
    EXPECT_EQ(state.image[kSpecialVersionAddr], c.byte);
    page.show();
  }
}

TEST_F(VehiclePageTest, AJutModuleNameShowsAsHewWhileTheImageKeepsJut) {
  Load("JUT");
  const ConfigImage before = state.image;
  EXPECT_EQ(Field("Module Name")->text(), "HEW72400");
  EXPECT_FALSE(Field("Module Name")->isEnabled());
  Field("Module Name")->setText("XYZ");  // even a changed text of the read-only name stays out
  page.hide();
  EXPECT_EQ(state.image.bytes, before.bytes);
}

TEST_F(VehiclePageTest, AnEmptyCharacterFieldIsNotWritten) {
  // The dealer's code as a two-character text field.
  Load("VOR", {}, [](DefinitionSet& set) {
    for (ParamDef& def : set.params) {
      if (def.addr == int(kUserCodeAddr) && def.pro == 2) def.sw = "a";
    }
  });
  state.image[kUserCodeAddr] = 'A';
  state.image[kUserCodeAddr + 1] = 'B';
  Reshow();
  EXPECT_EQ(Field("User Code")->text(), "AB");
  Field("User Code")->clear();
  page.hide();
  EXPECT_EQ(state.image[kUserCodeAddr], 'A');
  EXPECT_EQ(state.image[kUserCodeAddr + 1], 'B');
  page.show();
  Field("User Code")->setText("C");
  page.hide();
  EXPECT_EQ(state.image[kUserCodeAddr], 'C');
  EXPECT_EQ(state.image[kUserCodeAddr + 1], 0);
}

TEST_F(VehiclePageTest, AToggledBoxShowsItsHelpWithoutRangeAndFocusAloneDoesNot) {
  Load("VOR");
  const ParamDef& revHalfCurrent = state.definitions->params[2];
  Field("Low Volt")->setFocus();
  QApplication::processEvents();
  const QString fieldTip = Tip();
  ASSERT_TRUE(fieldTip.contains(" Range:"));

  Box("Rev_HCurr")->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(Tip(), fieldTip);
  QTest::keyClick(Box("Rev_HCurr"), Qt::Key_Space);
  EXPECT_EQ(Tip(), revHalfCurrent.tips);
  Click(Box("Boost"));
  EXPECT_EQ(Tip(), state.definitions->params[0].tips);
  EXPECT_FALSE(Tip().contains(" Range:"));
}

TEST_F(VehiclePageTest, ClosingTheCalibrationShowsTheOffsetsItsUpdateWrote) {
  Load("VOR");
  Field("Low Volt")->setText("55");  // typed, not stored: discarded when the dialog is closed
  const QString lowVolt = QString::number(state.image[19]);
  QString lowest[3];
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<CReadZeroADdlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(FindButton(dialog, kIdZeroRead), Qt::LeftButton);
    QTest::mouseClick(FindButton(dialog, kIdZeroUpdate), Qt::LeftButton);
    for (int phase = 0; phase < 3; ++phase) {
      lowest[phase] = FindEdit(dialog, kIdLowestA + phase)->text();
    }
    dialog->reject();
  });
  QTest::mouseClick(FindButton(&page, kIdReadZeroButton), Qt::LeftButton);
  EXPECT_EQ(Field("Phase_A_Zero")->text(), lowest[0]);
  EXPECT_EQ(Field("Phase_B_Zero")->text(), lowest[1]);
  EXPECT_EQ(Field("Phase_C_Zero")->text(), lowest[2]);
  EXPECT_EQ(QString::number(state.image[kPhaseZeroAddr]), lowest[0]);
  EXPECT_EQ(Field("Low Volt")->text(), lowVolt);
}

}  // namespace
}  // namespace vor
