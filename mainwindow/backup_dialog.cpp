#include "mainwindow/backup_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vor {

BackupDialog::BackupDialog(const std::vector<BackupChoice>& backups, const QString& serial,
                           QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(tr("Restore Backup"));
  auto* layout = new QVBoxLayout(this);
  auto* summary = new QLabel(
      tr("The backups of this controller (serial number %1), newest first. The one you choose is "
         "reviewed before anything goes into the pages.")
          .arg(serial),
      this);
  summary->setWordWrap(true);
  layout->addWidget(summary);

  list_ = new QTreeWidget(this);
  list_->setRootIsDecorated(false);
  list_->setAllColumnsShowFocus(true);
  list_->setHeaderLabels({tr("Taken"), tr("Differences from the pages")});
  const QLocale locale;
  for (std::size_t i = 0; i < backups.size(); ++i) {
    const BackupChoice& backup = backups[i];
    auto* item = new QTreeWidgetItem(
        {locale.toString(backup.time, QLocale::ShortFormat),
         backup.problem.isEmpty() ? QString::number(backup.differences) : backup.problem});
    item->setData(0, Qt::UserRole, int(i));
    item->setToolTip(0, backup.path);
    if (!backup.problem.isEmpty()) item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
    list_->addTopLevelItem(item);
  }
  for (int column = 0; column < list_->columnCount(); ++column) {
    list_->resizeColumnToContents(column);
  }
  for (int i = 0; i < list_->topLevelItemCount(); ++i) {
    if (list_->topLevelItem(i)->flags() & Qt::ItemIsEnabled) {
      list_->setCurrentItem(list_->topLevelItem(i));
      break;
    }
  }
  layout->addWidget(list_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(tr("&Review…"));
  const auto chosenOk = [this, buttons] {
    buttons->button(QDialogButtonBox::Ok)->setEnabled(Chosen() >= 0);
  };
  chosenOk();
  connect(list_, &QTreeWidget::currentItemChanged, this, chosenOk);
  connect(list_, &QTreeWidget::itemActivated, this, [this] {
    if (Chosen() >= 0) accept();
  });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  resize(520, 360);
}

int BackupDialog::Chosen() const {
  const QTreeWidgetItem* item = list_->currentItem();
  if (!item || !(item->flags() & Qt::ItemIsEnabled)) return -1;
  return item->data(0, Qt::UserRole).toInt();
}

}  // namespace vor
