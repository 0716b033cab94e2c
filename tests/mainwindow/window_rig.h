#pragma once

// The main window with its real pages over a simulated controller on virtual time, its menus'
// dialogs, settings and backups scripted or in a temporary folder.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "definitions/model_images.h"
#include "link/controller_link.h"
#include "mainwindow/cross_thread_prompter.h"
#include "mainwindow/main_window.h"
#include "resources/dialog_builder.h"
#include "simulator/simulated_controller.h"
#include "simulator/virtual_port.h"
#include "tests/support/scripted_prompter.h"
#include "tests/support/test_window_services.h"

// Texts in failure messages as text.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace vor::test {

inline constexpr std::uint8_t kBeginTransferCommand = 0xF1;

struct WindowRig {
  explicit WindowRig(const ConfigImage& image = *DefaultImageFor(u"VOR")) : controller(image) {
    ports.AddDevice(kDevicePath, &controller);
  }

  void MakeWindow() {
    window = std::make_unique<CVORUserDlg>(state, link, prompter,
                                           CreatePages(state, prompter, link), services.services);
  }

  // A window past a successful start-up on the Vehicle page, with nothing asked yet.
  void StartUp() {
    MakeWindow();
    ASSERT_TRUE(window->OnInitDialog());
    ASSERT_EQ(window->currentPage, PageKey::Vehicle);
    prompter.asked.clear();
  }

  void Click(int id) { QTest::mouseClick(FindButton(window.get(), id), Qt::LeftButton); }
  void Trigger(MenuCommand command) { window->Menu().Action(command)->trigger(); }
  bool Enabled(MenuCommand command) { return window->Menu().Action(command)->isEnabled(); }
  QString Status() { return FindStatic(window.get(), kIdStatusLine)->text(); }
  QWidget* Page(PageKey key) { return window->PageOf(key); }
  int Requests() { return controller.RequestCount(kBeginTransferCommand); }

  // The edit of the field labelled `name` on the page under `key`.
  QLineEdit* Field(PageKey key, const QString& name) {
    for (int k = 0; k < kParamSlotCount; ++k) {
      QLabel* label = FindStatic(Page(key), SlotLabelId(k));
      if (label && label->text() == name) return FindEdit(Page(key), SlotEditId(k));
    }
    ADD_FAILURE() << "no field " << name.toStdString();
    return nullptr;
  }
  // The Vehicle page's check box named `name`.
  QCheckBox* Box(const QString& name) {
    for (int k = 0; k < kCheckBoxCount; ++k) {
      QCheckBox* box = FindCheckBox(Page(PageKey::Vehicle), kIdFirstCheckBox + k);
      if (box && box->text() == name) return box;
    }
    ADD_FAILURE() << "no box " << name.toStdString();
    return nullptr;
  }

  static constexpr const char* kDevicePath = "/dev/ttyUSB0";
  VirtualClock clock;
  VirtualPortSystem ports{clock};
  SimulatedController controller;
  ScriptedPrompter prompter;
  TestWindowServices services;
  CrossThreadPrompter linkPrompter{prompter};  // the scan asks on the link thread
  ControllerLink link{ports, clock, linkPrompter};
  ProgramState state;
  std::unique_ptr<CVORUserDlg> window;
};

}  // namespace vor::test
