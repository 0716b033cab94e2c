#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QDialog>
#include <QLabel>
#include <QToolButton>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "link/config_transfer.h"
#include "link/link_access.h"
#include "mainwindow/change_marks.h"
#include "mainwindow/edit_history.h"
#include "mainwindow/file_commands.h"
#include "mainwindow/main_menu.h"
#include "mainwindow/page_key.h"
#include "mainwindow/window_services.h"
#include "mainwindow/write_guard.h"
#include "mainwindow/write_options.h"
#include "pages/page_window.h"
#include "pages/program_state.h"
#include "resources/prompter.h"

namespace vor {

struct ApplyReview;
class LinkAccess;
class LiveTools;
class MenuBarMarks;

// The main window: finds the controller, reads its image and loads its model's definitions at
// start-up, then hosts the four pages and carries out the command buttons and the menu bar's
// entries. The menus' own work lives beside it: MainMenu, FileCommands, WriteGuard, the compare
// dialog, the Help texts, and LiveTools (the live plot, recording and fault history).
class CVORUserDlg : public QDialog {
  Q_OBJECT
public:
  // The status line after an image came from a file rather than from the controller.
  static constexpr const char* kFromFileStatus =
      QT_TRANSLATE_NOOP("vor::CVORUserDlg", "From file, not yet written");

  struct PageEntry {
    PageKey key;
    PageWindow* page;
  };

  // `pages` are the Vehicle, Control, Motor and Monitor pages, in that order; the window owns
  // them from now on. `prompter` shows the messages, `services` what the menus use.
  CVORUserDlg(ProgramState& state, LinkAccess& link, Prompter& prompter,
              std::vector<std::unique_ptr<PageWindow>> pages, const WindowServices& services,
              QWidget* parent = nullptr);
  ~CVORUserDlg() override;

  // The start-up sequence, before the window is first shown. False when start-up failed and
  // the program ends (no controller, no image, an unsupported model).
  bool OnInitDialog();
  // Start-up without a controller, on `image` from the file `path`: the pages show and edit it,
  // the File menu saves it; Read, Write, Monitor and the calibration are disabled and say why.
  // False for an unsupported model (after its message).
  bool OnInitFromImage(const ConfigImage& image, const QString& path);

  // The page, Read, Write and Monitor buttons (ids 1002 to 1008).
  void OnPageCommand(int id);
  // An entry of the menu bar. Nothing happens while a command or a link job runs.
  void OnMenuCommand(MenuCommand command);

  MainMenu& Menu() { return *menu_; }
  // The undo stack of the pages' image.
  EditHistory& History() { return history_; }
  MenuBarMarks& Marks() { return *marks_; }
  // The live plot, the recording and the fault history on the Monitor page's polls.
  LiveTools& Tools() { return *liveTools_; }

  // Registers `page` under the next key, as a hidden child filling the page area.
  void AddPage(PageWindow* page, int templateId);
  // Shows the page registered under `key` (none for None or MonitorOff); currentPage is left as
  // it is.
  void ShowPage(PageKey key);
  // The page registered under `key`, or nullptr.
  PageWindow* PageOf(PageKey key) const;
  // Hides every page, in the order they were added, then sets currentPage to None.
  void HideAllPages();

  QRect pageRect;
  int pageCount = 0;
  PageKey currentPage = PageKey::None;
  std::vector<PageEntry> pageList;

protected:
  void closeEvent(QCloseEvent* event) override;  // OnClose: the close question
  // Quit (the button, Ctrl+Q, File > Quit): ends at once while nothing is unwritten, and asks the
  // close question otherwise.
  void reject() override;
  // Escape ends nothing here: it would end the program, and with it the user's changes.
  void keyPressEvent(QKeyEvent* event) override;

private:
  enum class Tone { Success, Failure, Neutral };

  void ConnectButtons();
  void SetUpControls();
  void AddPages();
  // Runs `command` as one command: a close request that comes meanwhile waits for its end.
  void RunAsCommand(const std::function<void()>& command);
  // After each link job of a command: takes a close request that waited for the job, before any
  // prompt of the command.
  void TakeHeldBackClose();
  // The command of button `id`, as OnPageCommand describes it.
  void RunCommand(int id);
  void SetReadWriteEnabled(bool enabled);
  // Writes the status line; its colour says whether `text` reports a success or a failure.
  void SetStatus(const QString& text, Tone tone);
  void Read();
  // `previous` is the page that was on show, shown again after the Write, whatever its outcome.
  void Write(PageKey previous);
  // What the controller holds after a Write that ended in `status`, for the retry prompt; empty
  // when it holds what was written.
  static QString ControllerHoldsText(WriteStatus status);
  // Runs `attempt` and, while it fails, asks `messageId` (Retry/Cancel), with `detail()` below it
  // when given, and runs it again on Retry. A refused attempt never ran: it is not asked about,
  // and the outcome is that of the last attempt that ran (Refused when none did).
  JobResult RetryWhileFailing(int messageId, const std::function<JobResult()>& attempt,
                              const std::function<QString()>& detail = {});
  // The image transfer `job` on the link as `operation`, retried as RetryWhileFailing does:
  // whether it succeeded, or nothing when it never ran (another job held the link); then the
  // page `previous` is shown again, and there is nothing the user must hear of.
  std::optional<bool> Transfer(const QString& operation, int messageId, PageKey previous,
                               const std::function<bool(SerialLink&)>& job,
                               const std::function<QString()>& detail = {});
  // The parameter page under `key`, or nullptr for the Monitor page and keys without a page.
  ParameterPage* ParameterPageOf(PageKey key) const;
  // Runs the store pass of the parameter page on show, as leaving it does, and shows it again.
  // False when it refused an entry (its message has been shown).
  bool CommitShownPage();
  // The menu bar's side, in main_window_menu.cpp.
  // The menu entries follow the buttons and the state of the image.
  void UpdateMenu();
  void DisableLinkCommands();
  void RunMenuCommand(MenuCommand command);
  void OpenConfiguration();
  void CompareWithController();
  void PhaseZeroCalibration();
  void OpenBackupsFolder();
  void ShowTroubleshooting();
  void ShowAbout();
  void SetOption(MenuCommand command, bool on);
  void SetUpLiveTools();
  // The marks at the menu bar's end follow the recording and the Monitor's unanswered polls.
  void OnRecordingChanged();
  void OnSilenceChanged();
  // Export Parameters and Save Configuration As, and where they wrote at the menu bar's end.
  void ExportParameters();
  void SaveConfigurationAs();
  // Names the file `path` at the menu bar's end for a while: `text` with the file's name for %1.
  void TellFileWritten(const QString& text, const QString& path);

  // The service record's side, in main_window_service.cpp.
  // After each Read: a controller read for the first time, or another than before, starts a
  // visit.
  void NoteVisit();
  void ShowServiceHistory();
  void MakeServiceReport();

  // The unwritten changes' side, in main_window_edit.cpp.
  void SetUpChanges();
  // Marks the pages' changes from now on and makes a step of each change of the image.
  void AttachPagesToChanges();
  // Stores the parameter page on show, runs `change` on the image and shows the page again, with
  // the focus where it was: no typed entry is lost, and the page shows the image after. False,
  // with nothing changed, when the page refused an entry (it has said which).
  bool ChangeImage(const std::function<void()>& change);
  void UndoOrRedo(bool undo);
  // After an Undo or Redo of `step`: says in the status line what it did when none of the step's
  // values is on the page on show.
  void TellStepElsewhere(const ChangeStep& step, bool undone);
  // Whether the user takes the rows of this controller's own data checked in `review` of another
  // controller's file; true when there are none.
  bool TakeOwnRows(const ApplyReview& review);
  void RevertField(const PageField& field);
  void RevertAllChanges();
  // Reviews the configuration `file` from `path` and applies the rows the user leaves checked.
  // True when some of it went into the pages.
  bool ApplyFile(const ConfigImage& file, const QString& path);
  void RestoreBackup();
  // Reviews the backup at `path` for restoring, as Restore Backup does once one is chosen.
  void RestoreBackupFile(const QString& path);
  // The changes the pages hold against the controller's image: the stored ones, and on the page
  // on show what its fields hold now. 0 without a controller's image.
  int UnwrittenCount();
  // The steps that storing the page on show would make of what was typed into it.
  std::vector<ChangeStep> PendingSteps();
  // The count at the menu bar's end and the Edit and Revert entries follow the changes.
  void OnChangesChanged();
  // "3 changes have not been written to the controller.", or empty.
  QString UnwrittenText(int count) const;
  // The status line as last set, and while it says that the pages hold a file's values, the undo
  // stack's index just past that file's step and what it said before: undoing the step takes the
  // file's values, and so its status, away.
  struct StatusShown {
    QString text;
    Tone tone = Tone::Neutral;
  };
  struct FromFileStatus {
    int stepEnd;
    StatusShown before;
  };
  // Once the step of the file applied last is undone, the status line says what it said before.
  void OnHistoryIndexChanged(int index);

  ProgramState& state_;
  LinkAccess& link_;
  Prompter& prompter_;
  StatusShown status_;
  std::optional<FromFileStatus> fromFile_;
  std::vector<std::unique_ptr<PageWindow>> pages_;
  WindowServices services_;
  MainMenu* menu_ = nullptr;  // owned by the window as its child
  FileCommands files_;
  WriteGuard writeGuard_;
  WriteOptions options_;
  std::unique_ptr<LiveTools> liveTools_;
  EditHistory history_;
  ChangeMarks changeMarks_;
  QToolButton* changeCount_ = nullptr;  // among the marks at the menu bar's end, owned by them
  MenuBarMarks* marks_ = nullptr;       // at the menu bar's end, owned by it
  // The visit to the unit connected: its serial number and when it was first read.
  QString visitSerial_;
  QDateTime visitStart_;
  // The pages hold a backup restored since the last Read or Write: the next Write restores it.
  bool restoringBackup_ = false;
  // Started with a configuration from a file and no controller.
  bool offline_ = false;
  QString imagePath_;
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
