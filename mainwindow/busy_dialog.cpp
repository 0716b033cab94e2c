#include "mainwindow/busy_dialog.h"

#include <QProgressDialog>

#include "mainwindow/message_box_prompter.h"

namespace vor {

BusyDialog::BusyDialog(QWidget* parent, int delayMs) : parent_(parent) {
  delay_.setSingleShot(true);
  delay_.setInterval(delayMs);
  QObject::connect(&delay_, &QTimer::timeout, [this] {
    dialog_ = std::make_unique<QProgressDialog>(
        operation_, QString(), 0, 0, parent_ && parent_->isVisible() ? parent_ : nullptr);
    dialog_->setWindowTitle(QString::fromUtf8(kAppTitle));
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setMinimumDuration(0);
    dialog_->show();
  });
}

BusyDialog::~BusyDialog() = default;

QEventLoop::ProcessEventsFlags BusyDialog::WaitFlags() const {
  return QEventLoop::ExcludeUserInputEvents;
}

void BusyDialog::JobStarted(const QString& operation) {
  operation_ = operation;
  delay_.start();
}

void BusyDialog::JobEnded() {
  delay_.stop();
  dialog_.reset();
}

}  // namespace vor
