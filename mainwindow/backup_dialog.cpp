#include "mainwindow/backup_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "mainwindow/tree_columns.h"

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
  for (std::size_t i = 0; i < backups.size(); ++i) {
    const BackupChoice& backup = backups[i];
    // To the second, in one order for every language: two backups can fall in one minute, and a
    // short date reads differently in different countries.
    auto* item = new QTreeWidgetItem(
        {backup.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
         backup.problem.isEmpty() ? QString::number(backup.differences) : backup.problem});
    item->setData(0, Qt::UserRole, int(i));
    item->setToolTip(0, backup.path);
    if (!backup.problem.isEmpty()) item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
    list_->addTopLevelItem(item);
  }
  FitColumnsToContents(list_);
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
