// Showing and leaving the three parameter pages without typing never changes a byte of the
// image, over every model's factory image and over random images, whether or not a range
// message stops a store pass.
#include <gtest/gtest.h>

#include <QRandomGenerator>

#include "definitions/definition_loader.h"
#include "definitions/model_images.h"
#include "pages/parameter_pages.h"
#include "tests/support/immediate_link.h"
#include "tests/support/model_scripts.h"
#include "tests/support/scripted_prompter.h"

namespace vor {
namespace {

TEST(PageRoundTrip, ShowingAndLeavingThePagesKeepsEveryByte) {
  QRandomGenerator random(8);  // fixed seed: the same images on every run
  int refusals = 0;
  for (const test::ModelScripts& row : test::kModelScripts) {
    SCOPED_TRACE(std::string(row.code) + " script " + std::to_string(row.paramScript));
    ProgramState state;
    state.image = *DefaultImageFor(
        QString(row.code), {.specialVersion = row.special, .softwareVersion = row.software});
    test::ScriptedPrompter loadPrompter;
    ASSERT_TRUE(LoadDefinitions(state.image, *state.definitions, loadPrompter));
    state.ReadOk = true;

    test::ScriptedPrompter prompter;
    test::ImmediateLink line;
    QWidget host;
    CVehicleDlg vehicle(state, prompter, line);
    CControlDlg control(state, prompter);
    CMotorDlg motor(state, prompter);
    vehicle.Create(kDialogVehicle, &host);
    control.Create(kDialogControl, &host);
    motor.Create(kDialogMotor, &host);
    host.show();

    for (int round = 0; round < 9; ++round) {
      // The factory image first, then random bytes under the same definitions.
      if (round > 0) {
        for (std::uint8_t& byte : state.image.bytes) byte = std::uint8_t(random.bounded(256));
      }
      const ConfigImage before = state.image;
      for (ParameterPage* page :
           std::initializer_list<ParameterPage*>{&vehicle, &control, &motor}) {
        page->show();
        page->hide();
        EXPECT_EQ(state.image.bytes, before.bytes) << "round " << round;
      }
      if (round == 0) {
        EXPECT_TRUE(prompter.asked.empty());
      }
    }
    refusals += int(prompter.asked.size());
  }
  // The random images hold values out of their ranges: refused passes were part of the test.
  EXPECT_GT(refusals, 0);
}

}  // namespace
}  // namespace vor
