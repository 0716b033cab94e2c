#include "mainwindow/review_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "mainwindow/compare_dialog.h"
#include "mainwindow/tree_columns.h"
#include "resources/status_colours.h"

namespace vor {
namespace {

QString Summary(const ApplyReview& review) {
  const QString what =
      review.sameUnit ? ReviewDialog::tr(
                            "%1 is a configuration of this controller (serial number %2): "
                            "every value is checked, bytes no page shows included.")
                            .arg(review.fileName, review.fileSerial)
                      : ReviewDialog::tr(
                            "%1 is a configuration of another controller (serial number %2; "
                            "this one's is %3). Its settings are checked; this controller's own "
                            "data, its identification and phase zero offsets, and the bytes no "
                            "page shows are not.")
                            .arg(review.fileName, review.fileSerial, review.unitSerial);
  return what + u'\n' +
         ReviewDialog::tr(
             "The checked values go into the pages as changes. Nothing is sent to "
             "the controller until Write.");
}

}  // namespace

ReviewDialog::ReviewDialog(const ApplyReview& review, QWidget* parent)
    : QDialog(parent), rows_(review.rows) {
  setWindowTitle(tr("Apply %1").arg(review.fileName));
  auto* layout = new QVBoxLayout(this);
  auto* summary = new QLabel(Summary(review), this);
  summary->setWordWrap(true);
  layout->addWidget(summary);

  list_ = new QTreeWidget(this);
  list_->setRootIsDecorated(false);
  list_->setAllColumnsShowFocus(true);
  list_->setHeaderLabels(
      {tr("Page"), tr("Parameter"), tr("Shown now"), tr("From the file"), QString()});
  for (const ApplyRow& row : rows_) {
    const QStringList texts =
        std::visit([](const auto& change) { return ChangeRowTexts(change); }, row.change);
    auto* item = new QTreeWidgetItem(texts);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, row.checked ? Qt::Checked : Qt::Unchecked);
    if (row.own) {
      item->setText(kOwnColumn, tr("this controller's own"));
      item->setForeground(kOwnColumn, kChangeTextColour);
    }
    list_->addTopLevelItem(item);
  }
  FitColumnsToContents(list_);
  if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
  layout->addWidget(list_);

  // Beside the list's left edge, apart from OK and Cancel.
  auto* row = new QHBoxLayout;
  auto* all = new QPushButton(tr("Select &All"), this);
  auto* none = new QPushButton(tr("Select &None"), this);
  for (QPushButton* button : {all, none}) {
    button->setAutoDefault(false);
    row->addWidget(button);
  }
  connect(all, &QPushButton::clicked, this, [this] { CheckAll(true); });
  connect(none, &QPushButton::clicked, this, [this] { CheckAll(false); });
  row->addStretch();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  row->addWidget(buttons);
  layout->addLayout(row);
  resize(720, 420);
}

std::vector<ApplyRow> ReviewDialog::Rows() const {
  std::vector<ApplyRow> rows = rows_;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i].checked = list_->topLevelItem(int(i))->checkState(0) == Qt::Checked;
  }
  return rows;
}

void ReviewDialog::CheckAll(bool checked) {
  for (int i = 0; i < list_->topLevelItemCount(); ++i) {
    list_->topLevelItem(i)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
  }
}

}  // namespace vor
