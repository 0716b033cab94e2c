#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "pages/page_window.h"
#include "pages/program_state.h"
#include "resources/prompter.h"

namespace vor {

class ControllerLink;
class LinkAccess;

// The main window: finds the controller, reads its image and loads its model's definitions at
// start-up, then hosts the four pages and carries out the command buttons.
class CVORUserDlg : public QDialog {
  Q_OBJECT
public:
  // Page keys: 1 Vehicle, 2 Control, 3 Motor, 4 Monitor; 0 and 5 mean that no page is on show.
  static constexpr int kNoPage = 0;
  static constexpr int kMonitorPage = 4;

  struct PageEntry {
    int key;
    PageWindow* page;
  };

  // `pages` are the Vehicle, Control, Motor and Monitor pages, in that order; the window owns
  // them from now on. `prompter` shows the messages.
  CVORUserDlg(ProgramState& state, ControllerLink& link, Prompter& prompter,
              std::vector<std::unique_ptr<PageWindow>> pages, QWidget* parent = nullptr);
  ~CVORUserDlg() override;

  // The start-up sequence, before the window is first shown. False when start-up failed and
  // the program ends (no controller, no image, an unsupported model).
  bool OnInitDialog();

  // The page, Read, Write and Monitor buttons (ids 1002 to 1008).
  void OnPageCommand(int id);

  // Registers `page` under the next key, as a hidden child filling the page area.
  void AddPage(PageWindow* page, int templateId);
  // Shows the page registered under `key` (none for 0 or 5); currentPage is left as it is.
  void ShowPage(int key);
  // Hides every page, in the order they were added, then sets currentPage to 0.
  void HideAllPages();

  QRect pageRect;
  int pageCount = 0;
  int currentPage = kNoPage;
  std::vector<PageEntry> pageList;

protected:
  void closeEvent(QCloseEvent* event) override;  // OnClose: the close question
  void reject() override;                        // Quit: ends at once

private:
  void ConnectButtons();
  // The command of button `id`, as OnPageCommand describes it.
  void RunCommand(int id);
  void SetReadWriteEnabled(bool enabled);
  // Writes the status line; its colour says whether `text` reports a success.
  void SetStatus(const QString& text, bool success);
  void Read();
  void Write();
  // The parameter page under `key`, or nullptr for the Monitor page and keys without a page.
  ParameterPage* ParameterPageOf(int key) const;

  ProgramState& state_;
  ControllerLink& link_;
  Prompter& prompter_;
  std::vector<std::unique_ptr<PageWindow>> pages_;
  bool closeWaitsForJob_ = false;
  // Commands (with their prompts) in progress, and whether a close request came during one.
  int commandDepth_ = 0;
  bool closeAfterCommand_ = false;
};

// The Vehicle, Control, Motor and Monitor pages, in that order, as the main window hosts them.
// `link` carries the exchanges the pages start themselves (the calibration, the Monitor's poll).
std::vector<std::unique_ptr<PageWindow>> CreatePages(ProgramState& state, Prompter& prompter,
                                                     LinkAccess& link);

}  // namespace vor
