#pragma once

#include <QObject>
#include <map>

class QAction;
class QMenuBar;
class QWidget;

namespace vor {

// The entries of the main window's menu bar.
enum class MenuCommand {
  OpenConfiguration,
  RestoreBackup,
  SaveConfigurationAs,
  ExportParameters,
  OpenBackupsFolder,
  ServiceHistory,
  ServiceReport,
  RecordLiveData,
  StopRecording,
  Quit,
  Undo,
  Redo,
  Read,
  Write,
  CompareWithController,
  RevertAllChanges,
  PhaseZeroCalibration,
  ConfirmWrites,     // check item
  VerifyAfterWrite,  // check item
  ViewVehicle,
  ViewControl,
  ViewMotor,
  ViewMonitor,
  ViewLivePlot,
  ViewFaultHistory,
  SerialPortTroubleshooting,
  AboutVorUser,
};

// The menu bar of the main window: File, Edit, Controller (with Options), View and Help, each entry
// with its mnemonic and, where one is usual, its shortcut. It only reports which entry was
// chosen; the window decides what that does.
class MainMenu : public QObject {
  Q_OBJECT
public:
  // Puts the bar across the top of `window`, moves every control of the window down by the
  // bar's height and makes the window that much taller, so the controls keep their places
  // relative to each other.
  explicit MainMenu(QWidget* window);

  QMenuBar* Bar() const { return bar_; }
  QAction* Action(MenuCommand command) const { return actions_.at(command); }

signals:
  void Triggered(MenuCommand command);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QAction* Add(QWidget* menu, MenuCommand command, const QString& text);

  QWidget* window_;
  QMenuBar* bar_;
  std::map<MenuCommand, QAction*> actions_;
};

}  // namespace vor
