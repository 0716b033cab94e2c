#include "mainwindow/main_menu.h"

#include <QEvent>
#include <QMenu>
#include <QMenuBar>

namespace vor {

MainMenu::MainMenu(QWidget* window) : QObject(window), window_(window) {
  // Collected before the bar exists: these are the controls that move down.
  const QList<QWidget*> controls = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);

  bar_ = new QMenuBar(window);
  // Kept in the window even where the desktop offers a global menu, so that the window's layout
  // is the same everywhere.
  bar_->setNativeMenuBar(false);

  QMenu* file = bar_->addMenu(tr("&File"));
  Add(file, MenuCommand::OpenConfiguration, tr("&Open Configuration…"))
      ->setShortcut(QKeySequence::Open);
  Add(file, MenuCommand::RestoreBackup, tr("Restore B&ackup…"));
  // Bound itself: Qt's standard Save As key is empty on some desktops.
  Add(file, MenuCommand::SaveConfigurationAs, tr("&Save Configuration As…"))
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  Add(file, MenuCommand::ExportParameters, tr("&Export Parameters…"));
  Add(file, MenuCommand::OpenBackupsFolder, tr("Open &Backups Folder"));
  file->addSeparator();
  Add(file, MenuCommand::ServiceHistory, tr("Service &History…"));
  Add(file, MenuCommand::ServiceReport, tr("Service Re&port…"));
  file->addSeparator();
  Add(file, MenuCommand::RecordLiveData, tr("&Record Live Data…"));
  Add(file, MenuCommand::StopRecording, tr("S&top Recording"));
  file->addSeparator();
  Add(file, MenuCommand::Quit, tr("&Quit"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

  // The entries' texts name the step they undo or redo; the window keeps them up to date.
  QMenu* edit = bar_->addMenu(tr("&Edit"));
  Add(edit, MenuCommand::Undo, tr("&Undo"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  Add(edit, MenuCommand::Redo, tr("&Redo"))
      ->setShortcuts(
          {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});

  QMenu* controller = bar_->addMenu(tr("&Controller"));
  Add(controller, MenuCommand::Read, tr("&Read"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  Add(controller, MenuCommand::Write, tr("&Write"));
  Add(controller, MenuCommand::CompareWithController, tr("&Compare with Controller…"));
  Add(controller, MenuCommand::RevertAllChanges, tr("Revert &All Changes"));
  controller->addSeparator();
  Add(controller, MenuCommand::PhaseZeroCalibration, tr("&Phase Zero Calibration…"));
  controller->addSeparator();
  QMenu* options = controller->addMenu(tr("&Options"));
  Add(options, MenuCommand::ConfirmWrites, tr("&Confirm Writes"))->setCheckable(true);
  Add(options, MenuCommand::VerifyAfterWrite, tr("&Verify After Write"))->setCheckable(true);

  QMenu* view = bar_->addMenu(tr("&View"));
  Add(view, MenuCommand::ViewVehicle, tr("&Vehicle"))
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_1));
  Add(view, MenuCommand::ViewControl, tr("&Control"))
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_2));
  Add(view, MenuCommand::ViewMotor, tr("&Motor"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_3));
  Add(view, MenuCommand::ViewMonitor, tr("Mo&nitor"))
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_4));
  view->addSeparator();
  Add(view, MenuCommand::ViewLivePlot, tr("Live &Plot"))
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
  Add(view, MenuCommand::ViewFaultHistory, tr("&Fault History"))
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));

  QMenu* help = bar_->addMenu(tr("&Help"));
  Add(help, MenuCommand::SerialPortTroubleshooting, tr("Serial Port &Troubleshooting"))
      ->setShortcut(QKeySequence::HelpContents);
  Add(help, MenuCommand::AboutVorUser, tr("&About VOR User"));

  for (QMenu* menu : {file, edit, controller, options, view, help}) {
    menu->setToolTipsVisible(true);  // a disabled entry says why
  }

  const int height = bar_->sizeHint().height();
  bar_->setGeometry(0, 0, window->width(), height);
  for (QWidget* control : controls) control->move(control->pos() + QPoint(0, height));
  const QSize grown(window->width(), window->height() + height);
  if (window->minimumSize() == window->maximumSize()) {
    window->setFixedSize(grown);
  } else {
    window->resize(grown);
  }
  window->installEventFilter(this);
}

QAction* MainMenu::Add(QWidget* menu, MenuCommand command, const QString& text) {
  auto* action = new QAction(text, menu);
  menu->addAction(action);
  connect(action, &QAction::triggered, this, [this, command] { emit Triggered(command); });
  actions_[command] = action;
  return action;
}

bool MainMenu::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_ && event->type() == QEvent::Resize) {
    bar_->setGeometry(0, 0, window_->width(), bar_->height());
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace vor
