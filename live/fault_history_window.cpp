#include "live/fault_history_window.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

#include "files/file_save.h"
#include "live/live_plot_window.h"
#include "resources/prompter.h"
#include "resources/status_colours.h"

namespace vor {
namespace {

QString Time(const QDateTime& when) { return when.toString(QStringLiteral("HH:mm:ss")); }

// Sets a cell's text, and its tooltip to `tip`, only when they change, so that a poll that changes
// nothing repaints nothing.
void SetCell(QTableWidget* table, int row, int column, const QString& text, const QString& tip,
             bool active) {
  QTableWidgetItem* item = table->item(row, column);
  if (!item) {
    item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (column == FaultHistoryWindow::kBit || column == FaultHistoryWindow::kPolls) {
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    table->setItem(row, column, item);
  }
  if (item->text() != text) item->setText(text);
  if (item->toolTip() != tip) item->setToolTip(tip);
  const QBrush foreground = active ? QBrush(kFailureColour) : QBrush();
  if (item->foreground() != foreground) item->setForeground(foreground);
}

}  // namespace

FaultHistoryWindow::FaultHistoryWindow(FaultHistory& history, const LiveToolServices& services,
                                       QWidget* parent)
    : QWidget(parent, Qt::Window), history_(history), services_(services) {
  setWindowTitle(tr("Fault History"));
  auto* layout = new QVBoxLayout(this);

  pausedLabel_ = new QLabel(LivePlotWindow::tr(LivePlotWindow::kPausedText), this);
  pausedLabel_->setAlignment(Qt::AlignCenter);
  pausedLabel_->setStyleSheet(NoticeStyleSheet());
  layout->addWidget(pausedLabel_);

  table_ = new QTableWidget(0, kColumns, this);
  table_->setHorizontalHeaderLabels(
      {tr("Fault"), tr("Bit"), tr("First seen"), tr("Last seen"), tr("Polls"), tr("Active now")});
  table_->verticalHeader()->hide();
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->horizontalHeader()->setSectionResizeMode(kName, QHeaderView::Stretch);
  for (int column = kBit; column < kColumns; ++column) {
    table_->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
  }
  table_->setToolTip(tr("Most recently seen first; active faults in red"));
  layout->addWidget(table_, 1);

  auto* buttons = new QHBoxLayout;
  auto* exportButton = new QPushButton(tr("&Export CSV…"), this);
  auto* clearButton = new QPushButton(tr("&Clear"), this);
  clearButton->setToolTip(tr("Forgets every fault seen so far"));
  buttons->addStretch(1);
  buttons->addWidget(exportButton);
  buttons->addWidget(clearButton);
  layout->addLayout(buttons);
  connect(exportButton, &QPushButton::clicked, this, &FaultHistoryWindow::ExportCsv);
  connect(clearButton, &QPushButton::clicked, this, &FaultHistoryWindow::Clear);

  connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this, &QWidget::close);
  SetPolling(false);
  resize(640, 380);
}

void FaultHistoryWindow::OnPoll() {
  if (isVisible()) Refresh();
}

void FaultHistoryWindow::SetPolling(bool polling) { pausedLabel_->setVisible(!polling); }

void FaultHistoryWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Refresh();
}

void FaultHistoryWindow::Refresh() {
  const std::vector<FaultHistory::Entry> entries = history_.Entries();
  if (table_->rowCount() != int(entries.size())) table_->setRowCount(int(entries.size()));
  for (int row = 0; row < int(entries.size()); ++row) {
    const FaultHistory::Entry& entry = entries[std::size_t(row)];
    const bool active = entry.now == FaultHistory::Now::Active;
    const QString name = entry.named ? entry.name.trimmed() : tr("Bit %1").arg(entry.bit);
    SetCell(table_, row, kName, name, name, active);
    SetCell(table_, row, kBit, QString::number(entry.bit), {}, active);
    SetCell(table_, row, kFirstSeen, Time(entry.firstSeen),
            entry.firstSeen.toString(Qt::ISODateWithMs), active);
    SetCell(table_, row, kLastSeen, Time(entry.lastSeen),
            entry.lastSeen.toString(Qt::ISODateWithMs), active);
    SetCell(table_, row, kPolls, QString::number(entry.polls), {}, active);
    SetCell(table_, row, kActiveNow, NowText(entry.now), NowTip(entry.now), active);
  }
}

QString FaultHistoryWindow::NowText(FaultHistory::Now now) {
  switch (now) {
    case FaultHistory::Now::Active:
      return tr("yes");
    case FaultHistory::Now::Inactive:
      return tr("no");
    case FaultHistory::Now::Unknown:
      break;
  }
  return tr("unknown");
}

QString FaultHistoryWindow::NowTip(FaultHistory::Now now) {
  return now == FaultHistory::Now::Unknown
             ? tr("Not known while the Monitor's polls go unanswered or the Monitor page is off")
             : QString();
}

void FaultHistoryWindow::Clear() {
  history_.Clear();
  Refresh();
}

bool FaultHistoryWindow::ExportCsv() {
  QString path = services_.askSaveFileName(tr("Export CSV"), tr("CSV files (*.csv)"),
                                           QStringLiteral("fault-history.csv"));
  if (path.isEmpty()) return false;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".csv");
  QString reason;
  if (SaveFile(path, history_.ToCsv().toUtf8(), reason)) return true;
  services_.prompter.AskText(
      tr("The fault history could not be written to %1: %2").arg(path, reason), Buttons::Ok,
      Icon::Warning);
  return false;
}

}  // namespace vor
