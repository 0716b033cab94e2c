// The main window's menu bar: what each entry does, and when it may.
#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

#include "definitions/model_table.h"
#include "files/image_compare.h"
#include "link/link_access.h"
#include "live/live_tools.h"
#include "mainwindow/about_box.h"
#include "mainwindow/main_window.h"
#include "mainwindow/menu_bar_marks.h"
#include "mainwindow/menu_dialogs.h"
#include "mainwindow/troubleshooting.h"
#include "monitor/monitor_page.h"
#include "resources/dialog_builder.h"

namespace vor {
namespace {

const char* const kNoControllerTip = QT_TRANSLATE_NOOP(
    "vor::CVORUserDlg", "Not available: started with --image, without a controller");
const char* const kMonitorPollsTip = QT_TRANSLATE_NOOP(
    "vor::CVORUserDlg",
    "Not available while the Monitor page polls the controller: switch the Monitor off first");

}  // namespace

void CVORUserDlg::DisableLinkCommands() {
  const QString why = tr(kNoControllerTip);
  for (int id : {kIdReadButton, kIdWriteButton, kIdMonitorButton}) {
    if (QPushButton* button = FindButton(this, id)) {
      button->setEnabled(false);
      button->setToolTip(why);
    }
  }
  for (auto& page : pages_) {
    if (QPushButton* readZero = FindButton(page.get(), kIdReadZeroButton)) {
      readZero->setEnabled(false);
      readZero->setToolTip(why);
    }
  }
  for (MenuCommand command :
       {MenuCommand::Read, MenuCommand::Write, MenuCommand::CompareWithController,
        MenuCommand::RevertAllChanges, MenuCommand::PhaseZeroCalibration, MenuCommand::ViewMonitor,
        MenuCommand::RecordLiveData, MenuCommand::ViewLivePlot, MenuCommand::ViewFaultHistory}) {
    menu_->Action(command)->setToolTip(why);
  }
  UpdateMenu();
}

void CVORUserDlg::UpdateMenu() {
  if (!menu_) return;
  const auto enabled = [this](int id) {
    const QPushButton* button = FindButton(this, id);
    return button && button->isEnabled();
  };
  const bool imageValid = state_.ReadOk && state_.DefinitionsLoaded;
  const auto set = [this](MenuCommand command, bool on) { menu_->Action(command)->setEnabled(on); };
  set(MenuCommand::Read, enabled(kIdReadButton));
  set(MenuCommand::Write, enabled(kIdWriteButton));
  // The calibration talks to the controller, so it yields to the Monitor's poll as Read does.
  set(MenuCommand::PhaseZeroCalibration, enabled(kIdReadButton) && imageValid);
  set(MenuCommand::CompareWithController, !offline_ && imageValid && state_.controllerImage);
  set(MenuCommand::ViewMonitor, enabled(kIdMonitorButton));
  for (MenuCommand command : {MenuCommand::OpenConfiguration, MenuCommand::RestoreBackup,
                              MenuCommand::SaveConfigurationAs, MenuCommand::ExportParameters,
                              MenuCommand::ServiceHistory}) {
    set(command, imageValid);
  }
  // The report tells what the controller holds now, so it needs one.
  set(MenuCommand::ServiceReport, !offline_ && imageValid && state_.controllerImage);
  // The live tools live on the Monitor's polls, which need a controller.
  const bool live = !offline_ && imageValid && liveTools_;
  set(MenuCommand::ViewLivePlot, live);
  set(MenuCommand::ViewFaultHistory, live);
  set(MenuCommand::RecordLiveData, live && !liveTools_->Recording());
  set(MenuCommand::StopRecording, liveTools_ && liveTools_->Recording());
  OnChangesChanged();

  // What talks to the controller says why it cannot, on the buttons and in the menu.
  const QString why = offline_                          ? tr(kNoControllerTip)
                      : currentPage == PageKey::Monitor ? tr(kMonitorPollsTip)
                                                        : QString();
  for (int id : {kIdReadButton, kIdWriteButton}) {
    if (QPushButton* button = FindButton(this, id)) {
      button->setToolTip(button->isEnabled() ? QString() : why);
    }
  }
  for (MenuCommand command :
       {MenuCommand::Read, MenuCommand::Write, MenuCommand::PhaseZeroCalibration}) {
    QAction* action = menu_->Action(command);
    action->setToolTip(action->isEnabled() ? QString() : why);
  }
}

void CVORUserDlg::SetUpLiveTools() {
  auto* monitor = [this]() -> CMonitor1Dlg* {
    for (auto& page : pages_) {
      if (auto* found = qobject_cast<CMonitor1Dlg*>(page.get())) return found;
    }
    return nullptr;
  }();
  if (!monitor) return;
  const LiveToolServices services{
      prompter_, services_.settings,
      // The file dialogs start where the File menu's last did, and it goes on from there.
      [this](const QString& caption, const QString& filter, const QString& name) {
        const QString path =
            services_.dialogs.SaveFileName(caption, filter, QDir(files_.Folder()).filePath(name));
        if (!path.isEmpty()) files_.SetFolder(QFileInfo(path).absolutePath());
        return path;
      },
      [] { return QDateTime::currentDateTime(); }};
  liveTools_ = std::make_unique<LiveTools>(state_, *monitor, services, this);
  connect(liveTools_.get(), &LiveTools::RecordingChanged, this, &CVORUserDlg::OnRecordingChanged);
  connect(liveTools_.get(), &LiveTools::SilenceChanged, this, &CVORUserDlg::OnSilenceChanged);
}

void CVORUserDlg::OnRecordingChanged() {
  const bool recording = liveTools_->Recording();
  const std::int64_t rows = liveTools_->RecordedRows();
  marks_->Set(MenuBarMarks::Mark::Recording,
              recording
                  ? (rows == 1 ? tr("● Recording: 1 row") : tr("● Recording: %1 rows").arg(rows))
                  : QString(),
              liveTools_->RecordingText());
  // Only a start or an end changes the entries.
  if (menu_->Action(MenuCommand::StopRecording)->isEnabled() != recording) UpdateMenu();
}

void CVORUserDlg::OnSilenceChanged() {
  const std::optional<QDateTime> since = liveTools_->SilentSince();
  marks_->Set(
      MenuBarMarks::Mark::NoAnswer,
      since ? tr("No answer since %1").arg(since->toString(QStringLiteral("HH:mm:ss"))) : QString(),
      since ? tr("The controller has not answered the Monitor page's polls since %1.")
                  .arg(since->toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
            : QString());
}

void CVORUserDlg::ExportParameters() {
  if (!state_.ReadOk || !state_.DefinitionsLoaded || !CommitShownPage()) return;
  const QString path = files_.ExportParameters();
  if (!path.isEmpty()) TellFileWritten(tr("Exported to %1"), path);
}

void CVORUserDlg::SaveConfigurationAs() {
  if (!state_.ReadOk || !state_.DefinitionsLoaded || !CommitShownPage()) return;
  const QString path = files_.SaveImageAs();
  if (!path.isEmpty()) TellFileWritten(tr("Saved to %1"), path);
}

void CVORUserDlg::TellFileWritten(const QString& text, const QString& path) {
  // Said briefly, and only for a while: the file dialog named the file a moment ago.
  constexpr int kNoticeMs = 10'000;
  marks_->SetFor(MenuBarMarks::Mark::FileWritten, text.arg(QFileInfo(path).fileName()),
                 QDir::toNativeSeparators(path), kNoticeMs);
}

void CVORUserDlg::OnMenuCommand(MenuCommand command) {
  // The options are only noted; every other entry waits for nothing and runs nothing meanwhile.
  if (command == MenuCommand::ConfirmWrites || command == MenuCommand::VerifyAfterWrite) {
    SetOption(command, menu_->Action(command)->isChecked());
    return;
  }
  if (commandDepth_ > 0 || link_.Busy()) return;
  RunAsCommand([this, command] { RunMenuCommand(command); });
}

void CVORUserDlg::RunMenuCommand(MenuCommand command) {
  // Each entry of a button runs exactly that button's flow, which decides what it may do.
  switch (command) {
    case MenuCommand::Read:
      return OnPageCommand(kIdReadButton);
    case MenuCommand::Write:
      return OnPageCommand(kIdWriteButton);
    case MenuCommand::ViewVehicle:
      return OnPageCommand(kIdVehicleButton);
    case MenuCommand::ViewControl:
      return OnPageCommand(kIdControlButton);
    case MenuCommand::ViewMotor:
      return OnPageCommand(kIdMotorButton);
    case MenuCommand::ViewMonitor:
      return OnPageCommand(kIdMonitorButton);
    case MenuCommand::Quit:
      if (QPushButton* quit = FindButton(this, kIdCancel)) quit->click();
      return;
    case MenuCommand::OpenConfiguration:
      return OpenConfiguration();
    case MenuCommand::RestoreBackup:
      return RestoreBackup();
    case MenuCommand::Undo:
      return UndoOrRedo(true);
    case MenuCommand::Redo:
      return UndoOrRedo(false);
    case MenuCommand::RevertAllChanges:
      return RevertAllChanges();
    case MenuCommand::SaveConfigurationAs:
      return SaveConfigurationAs();
    case MenuCommand::ExportParameters:
      return ExportParameters();
    case MenuCommand::OpenBackupsFolder:
      return OpenBackupsFolder();
    case MenuCommand::ServiceHistory:
      return ShowServiceHistory();
    case MenuCommand::ServiceReport:
      return MakeServiceReport();
    case MenuCommand::RecordLiveData:
      if (liveTools_ && !offline_) liveTools_->StartRecording();
      return;
    case MenuCommand::StopRecording:
      if (liveTools_) liveTools_->StopRecording();
      return;
    case MenuCommand::ViewLivePlot:
      if (liveTools_ && !offline_) liveTools_->ShowLivePlot();
      return;
    case MenuCommand::ViewFaultHistory:
      if (liveTools_ && !offline_) liveTools_->ShowFaultHistory();
      return;
    case MenuCommand::CompareWithController:
      return CompareWithController();
    case MenuCommand::PhaseZeroCalibration:
      return PhaseZeroCalibration();
    case MenuCommand::SerialPortTroubleshooting:
      return ShowTroubleshooting();
    case MenuCommand::AboutVorUser:
      return ShowAbout();
    case MenuCommand::ConfirmWrites:
    case MenuCommand::VerifyAfterWrite:
      return;
  }
}

void CVORUserDlg::OpenConfiguration() {
  if (!state_.ReadOk || !state_.DefinitionsLoaded || !CommitShownPage()) return;
  QString path;
  if (const std::optional<ConfigImage> image = files_.AskImageToOpen(path)) ApplyFile(*image, path);
}

void CVORUserDlg::CompareWithController() {
  const ConfigImage* controller = state_.ComparableController();
  if (offline_ || !controller || !CommitShownPage()) return;
  services_.dialogs.ShowDifferences(CompareImages(*controller, state_.image, *state_.definitions),
                                    false);
}

void CVORUserDlg::PhaseZeroCalibration() {
  if (offline_ || currentPage == PageKey::Monitor) return;
  // The calibration belongs to the Vehicle page: go there as its button does, unless an entry
  // refused on the page on show keeps the user there.
  if (currentPage != PageKey::Vehicle) OnPageCommand(kIdVehicleButton);
  if (currentPage != PageKey::Vehicle) return;
  if (QPushButton* readZero = FindButton(PageOf(PageKey::Vehicle), kIdReadZeroButton)) {
    readZero->click();
  }
}

void CVORUserDlg::OpenBackupsFolder() {
  const QString folder = services_.backupsFolder;
  if (!QDir().mkpath(folder) || !services_.dialogs.OpenFolder(folder)) {
    prompter_.AskText(tr("The backups folder %1 could not be opened.").arg(folder), Buttons::Ok,
                      Icon::Warning);
  }
}

void CVORUserDlg::ShowTroubleshooting() {
  const TroubleshootingFacts facts =
      CheckPortsBesideLink(services_.ports, services_.namedPorts, link_.DevicePath());
  services_.dialogs.ShowReport(tr("Serial Port Troubleshooting"), TroubleshootingReport(facts));
}

void CVORUserDlg::ShowAbout() {
  AboutFacts facts;
  facts.version = QCoreApplication::applicationVersion();
  facts.qtVersion = QString::fromLatin1(qVersion());
  facts.port = link_.DevicePath();
  facts.imageFile = imagePath_;
  if (state_.DefinitionsLoaded) {
    facts.model = ShownModuleName(*state_.definitions, state_.image);
    if (facts.model.isEmpty()) facts.model = ModelCode(state_.image);
  }
  services_.dialogs.ShowReport(tr("About VOR User"), AboutText(facts));
}

void CVORUserDlg::SetOption(MenuCommand command, bool on) {
  if (command == MenuCommand::ConfirmWrites) options_.confirmWrites = on;
  if (command == MenuCommand::VerifyAfterWrite) options_.verifyAfterWrite = on;
  SaveWriteOptions(services_.settings, options_);
}

}  // namespace vor
