#pragma once

// The desktop program as the user runs it, against the simulator on a pseudo-terminal: the real
// serial port code, the link thread and the real pages, in real time. Menus' dialogs, settings
// and backups are scripted or in a temporary folder.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <memory>

#include "definitions/model_images.h"
#include "link/controller_link.h"
#include "link/qt_serial_port.h"
#include "mainwindow/cross_thread_prompter.h"
#include "mainwindow/main_window.h"
#include "resources/dialog_builder.h"
#include "simulator/pty_controller.h"
#include "simulator/simulated_controller.h"
#include "tests/support/scripted_prompter.h"
#include "tests/support/test_window_services.h"

namespace vor::test {

struct PtyWindowRig {
  explicit PtyWindowRig(const ConfigImage& image = *DefaultImageFor(u"VOR")) : controller(image) {}

  void StartSimulator() {
    QString error;
    ASSERT_TRUE(pty.Start(error)) << error.toStdString();
  }
  // The window on `portPath` (the simulator's own pseudo-terminal when empty), past a successful
  // start-up on the Vehicle page, with nothing asked yet.
  void StartWindow(const QString& portPath = {}) {
    link.SetPortOverride({portPath.isEmpty() ? pty.DevicePath() : portPath});
    window = std::make_unique<CVORUserDlg>(state, link, prompter,
                                           CreatePages(state, prompter, link), services.services);
    ASSERT_TRUE(window->OnInitDialog());
    ASSERT_EQ(window->currentPage, PageKey::Vehicle);
    window->show();
    prompter.asked.clear();
  }
  void StartUp() {
    StartSimulator();
    if (!::testing::Test::HasFatalFailure()) StartWindow();
  }

  QWidget* Vehicle() { return window->PageOf(PageKey::Vehicle); }
  // The edit of the Vehicle page's field labelled `name`, or nullptr.
  QLineEdit* VehicleField(const QString& name) {
    for (int k = 0; k < kVehicleSlotCount; ++k) {
      if (FindStatic(Vehicle(), SlotLabelId(k))->text() == name) {
        return FindEdit(Vehicle(), SlotEditId(k));
      }
    }
    return nullptr;
  }
  // The Vehicle page's check box labelled `name`, or nullptr.
  QCheckBox* VehicleBox(const QString& name) {
    for (int k = 0; k < kCheckBoxCount; ++k) {
      QCheckBox* box = FindCheckBox(Vehicle(), kIdFirstCheckBox + k);
      if (box && box->text() == name) return box;
    }
    return nullptr;
  }

  SimulatedController controller;
  PtyController pty{controller};
  QtPortSystem ports;
  SteadyClock clock;
  ScriptedPrompter prompter;
  CrossThreadPrompter linkPrompter{prompter};  // the scan asks on the link thread
  ControllerLink link{ports, clock, linkPrompter};
  ProgramState state;
  TestWindowServices services;
  std::unique_ptr<CVORUserDlg> window;
};

}  // namespace vor::test
