#include "mainwindow/service_history_dialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "report/visit_report.h"

namespace vor {

ServiceHistoryDialog::ServiceHistoryDialog(const std::vector<ServiceRecord>& records,
                                           const QString& serial, const QStringList& warnings,
                                           QWidget* parent)
    : QDialog(parent), records_(records) {
  setWindowTitle(tr("Service History"));
  auto* layout = new QVBoxLayout(this);
  auto* summary = new QLabel(
      records.empty()
          ? tr("Nothing has been written to this controller (serial number %1) yet.").arg(serial)
          : tr("Every write to this controller (serial number %1), newest first: what it changed "
               "and whether it took.")
                .arg(serial),
      this);
  summary->setWordWrap(true);
  layout->addWidget(summary);
  for (const QString& warning : warnings) {
    auto* note = new QLabel(warning, this);
    note->setWordWrap(true);
    layout->addWidget(note);
  }

  auto* splitter = new QSplitter(Qt::Vertical, this);
  list_ = new QTreeWidget(splitter);
  list_->setRootIsDecorated(false);
  list_->setAllColumnsShowFocus(true);
  list_->setHeaderLabels({tr("Time"), tr("Program"), tr("Changes"), tr("Result")});
  for (std::size_t i = 0; i < records.size(); ++i) {
    const ServiceRecord& record = records[i];
    auto* item = new QTreeWidgetItem({VisitReportText::Time(record.time),
                                      QStringLiteral("%1 %2").arg(record.program, record.operation),
                                      VisitReportText::ChangesSummary(record),
                                      OutcomeForReader(record)});
    item->setData(0, Qt::UserRole, int(i));
    item->setToolTip(2, VisitReportText::ChangesSummary(record));
    list_->addTopLevelItem(item);
  }
  list_->header()->setStretchLastSection(true);
  for (int column = 0; column < list_->columnCount() - 1; ++column) {
    list_->resizeColumnToContents(column);
  }
  list_->setColumnWidth(2, std::min(list_->columnWidth(2), 360));
  details_ = new QPlainTextEdit(splitter);
  details_->setReadOnly(true);
  layout->addWidget(splitter, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  restore_ = buttons->addButton(tr("&Restore Its Backup…"), QDialogButtonBox::ActionRole);
  restore_->setToolTip(
      tr("Reviews the configuration the controller held before the chosen write, as File > "
         "Restore Backup does"));
  const auto show = [this] {
    const int current = Current();
    details_->setPlainText(current < 0 ? QString()
                                       : VisitReportText::Details(records_[std::size_t(current)]));
    restore_->setEnabled(current >= 0 &&
                         QFileInfo::exists(records_[std::size_t(current)].backup));
  };
  connect(list_, &QTreeWidget::currentItemChanged, this, show);
  connect(restore_, &QPushButton::clicked, this, [this] {
    chosenBackup_ = Current();
    accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
  show();
  resize(760, 520);
}

int ServiceHistoryDialog::Current() const {
  const QTreeWidgetItem* item = list_->currentItem();
  return item ? item->data(0, Qt::UserRole).toInt() : -1;
}

}  // namespace vor
