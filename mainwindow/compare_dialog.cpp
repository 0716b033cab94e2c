#include "mainwindow/compare_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "mainwindow/tree_columns.h"
#include "pages/page_fields.h"

namespace vor {
namespace {

QString ByteText(std::uint8_t value) {
  return QStringLiteral("0x%1").arg(value, 2, 16, QChar(u'0'));
}

QString Summary(const ImageDifferences& differences, bool confirm) {
  if (differences.Empty()) {
    return confirm ? QCoreApplication::translate(
                         "vor::CompareDialog",
                         "Nothing to change: the controller holds this configuration already.")
                   : QCoreApplication::translate(
                         "vor::CompareDialog",
                         "No differences: the pages and the controller hold the same "
                         "configuration.");
  }
  const int count = int(differences.fields.size() + differences.bytes.size());
  if (count == 1) {
    return confirm ? QCoreApplication::translate(
                         "vor::CompareDialog",
                         "1 value differs from the controller's. Write to the controller?")
                   : QCoreApplication::translate("vor::CompareDialog",
                                                 "1 value differs from the controller's.");
  }
  return (confirm ? QCoreApplication::translate(
                        "vor::CompareDialog",
                        "%1 values differ from the controller's. Write to the controller?")
                  : QCoreApplication::translate("vor::CompareDialog",
                                                "%1 values differ from the controller's."))
      .arg(count);
}

}  // namespace

QStringList ChangeRowTexts(const FieldChange& change) {
  if (change.box) {
    return {PageTitle(change.page), change.label, BoxStateText(change.first),
            BoxStateText(change.second)};
  }
  return {PageTitle(change.page), change.label, change.first, change.second};
}

QStringList ChangeRowTexts(const ByteChange& change) {
  return {QCoreApplication::translate("vor::CompareDialog", "(no page)"),
          QCoreApplication::translate("vor::CompareDialog", "byte %1").arg(change.addr),
          ByteText(change.first), ByteText(change.second)};
}

CompareDialog::CompareDialog(const ImageDifferences& differences, bool confirm, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(confirm ? tr("Confirm Writes") : tr("Compare with Controller"));
  auto* layout = new QVBoxLayout(this);
  auto* summary = new QLabel(Summary(differences, confirm), this);
  summary->setWordWrap(true);
  layout->addWidget(summary);

  if (!differences.Empty()) {
    auto* list = new QTreeWidget(this);
    list->setRootIsDecorated(false);
    list->setAllColumnsShowFocus(true);
    list->setHeaderLabels(
        {tr("Page"), tr("Parameter"), tr("On the controller"), tr("To be written")});
    for (const FieldChange& change : differences.fields) {
      list->addTopLevelItem(new QTreeWidgetItem(ChangeRowTexts(change)));
    }
    for (const ByteChange& change : differences.bytes) {
      list->addTopLevelItem(new QTreeWidgetItem(ChangeRowTexts(change)));
    }
    FitColumnsToContents(list);
    layout->addWidget(list);
    resize(560, 360);
  }

  auto* buttons = new QDialogButtonBox(
      confirm ? QDialogButtonBox::Ok | QDialogButtonBox::Cancel : QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

}  // namespace vor
