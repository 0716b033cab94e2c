#include "live/live_plot_window.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QFormLayout>
#include <QGraphicsLineItem>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "files/file_save.h"
#include "monitor/monitor_poll.h"
#include "resources/prompter.h"
#include "resources/status_colours.h"

namespace vor {
namespace {

// Told apart also by those who do not see red and green apart.
const std::array<QColor, PlotChoice::kMaxItems> kColours = {
    QColor(0, 114, 178), QColor(213, 94, 0), QColor(0, 158, 115), QColor(204, 121, 167)};

const char* const kItemsKey = "LivePlot/items";
const char* const kWindowKey = "LivePlot/windowSeconds";
const char* const kSharedKey = "LivePlot/sharedAxis";

constexpr std::size_t kFirstUseItems = 2;

// The value readout finds the poll nearest to the cursor, up to half a period either side.
constexpr std::int64_t kReadoutReachUs = std::int64_t{MonitorPoll::kPeriodMs} * 1000 / 2 + 1;

QString WindowName(int seconds) {
  return seconds % 60 == 0 && seconds > 60
             ? QCoreApplication::translate("vor::LivePlotWindow", "%1 min").arg(seconds / 60)
             : QCoreApplication::translate("vor::LivePlotWindow", "%1 s").arg(seconds);
}

QString Number(double value) { return QString::number(value, 'g', 10); }

QString ReadoutHint() {
  return QCoreApplication::translate("vor::LivePlotWindow",
                                     "Point at the plot to read the values there.");
}

// Sets the axis only when its range changes: each change lays out the whole chart anew.
void SetRange(QValueAxis* axis, double low, double high) {
  const AxisRange range = NiceRange(low, high);
  if (axis->min() == range.from && axis->max() == range.to && axis->tickInterval() == range.step) {
    return;
  }
  axis->setTickType(QValueAxis::TicksDynamic);
  axis->setTickAnchor(0);
  axis->setTickInterval(range.step);
  axis->setRange(range.from, range.to);
}

}  // namespace

LivePlotWindow::LivePlotWindow(const LivePlotData& data, const LiveToolServices& services,
                               QWidget* parent)
    : QMainWindow(parent, Qt::Window), data_(data), services_(services) {
  setWindowTitle(tr("Live Plot"));

  QStringList saved = services_.settings.value(kItemsKey).toStringList();
  saved.removeIf([this](const QString& label) { return data_.IndexOf(label) < 0; });
  // Never a blank plot: on first use, or when no item kept is this model's (or none is kept), the
  // first two items.
  if (saved.isEmpty()) {
    for (std::size_t i = 0; i < std::min(kFirstUseItems, data_.Items().size()); ++i) {
      saved.append(data_.Items()[i].label);
    }
  }
  choice_.Set(saved);
  const int seconds = services_.settings.value(kWindowKey, kDefaultWindowSeconds).toInt();
  if (std::find(kWindowSeconds.begin(), kWindowSeconds.end(), seconds) != kWindowSeconds.end()) {
    windowSeconds_ = seconds;
  }
  sharedAxis_ = services_.settings.value(kSharedKey, false).toBool();

  BuildControls();
  FillItemList();
  RebuildChart();
  SetPolling(false);
  resize(980, 560);
}

void LivePlotWindow::BuildControls() {
  auto* central = new QWidget(this);
  auto* columns = new QHBoxLayout(central);

  auto* side = new QVBoxLayout;
  auto* itemsLabel = new QLabel(tr("&Items (up to four):"), central);
  itemList_ = new QListWidget(central);
  itemList_->setToolTip(
      tr("Check up to four items to plot. A double-click on a field of the "
         "Monitor page adds its item too."));
  itemsLabel->setBuddy(itemList_);
  side->addWidget(itemsLabel);
  side->addWidget(itemList_, 1);

  auto* form = new QFormLayout;
  windowBox_ = new QComboBox(central);
  for (int seconds : kWindowSeconds) windowBox_->addItem(WindowName(seconds), seconds);
  windowBox_->setCurrentIndex(windowBox_->findData(windowSeconds_));
  form->addRow(tr("Time &window:"), windowBox_);
  side->addLayout(form);
  sharedBox_ = new QCheckBox(tr("One s&hared axis"), central);
  sharedBox_->setChecked(sharedAxis_);
  sharedBox_->setToolTip(tr("All items on one value axis instead of an axis each"));
  side->addWidget(sharedBox_);
  pauseButton_ = new QPushButton(tr("&Pause"), central);
  pauseButton_->setToolTip(tr("Holds the picture still; the polls are still collected"));
  side->addWidget(pauseButton_);
  auto* saveButton = new QPushButton(tr("&Save Image…"), central);
  side->addWidget(saveButton);

  auto* plotColumn = new QVBoxLayout;
  pausedLabel_ = new QLabel(tr(kPausedText), central);
  pausedLabel_->setAlignment(Qt::AlignCenter);
  pausedLabel_->setStyleSheet(NoticeStyleSheet());
  plotColumn->addWidget(pausedLabel_);

  chart_ = new QChart;
  chart_->setAnimationOptions(QChart::NoAnimation);
  chart_->legend()->setAlignment(Qt::AlignTop);
  chart_->setMargins(QMargins(4, 4, 4, 4));
  timeAxis_ = new QValueAxis(chart_);
  timeAxis_->setTitleText(tr("Time (s) before the latest poll"));
  timeAxis_->setLabelFormat(QStringLiteral("%.0f"));
  // Ticks on whole multiples of a sixth of the window, so they stay put as the plot scrolls.
  timeAxis_->setTickType(QValueAxis::TicksDynamic);
  timeAxis_->setTickAnchor(0);
  timeAxis_->setTickInterval(windowSeconds_ / 6.0);
  timeAxis_->setRange(-windowSeconds_, 0);
  chart_->addAxis(timeAxis_, Qt::AlignBottom);
  cursorLine_ = new QGraphicsLineItem(chart_);
  cursorLine_->setPen(QPen(QColor(90, 90, 90), 1, Qt::DashLine));
  cursorLine_->setZValue(10);  // over the lines
  cursorLine_->hide();
  view_ = new QChartView(chart_, central);
  view_->setRenderHint(QPainter::Antialiasing, false);
  view_->setMouseTracking(true);
  view_->viewport()->setMouseTracking(true);
  view_->viewport()->installEventFilter(this);
  view_->setMinimumSize(480, 300);
  plotColumn->addWidget(view_, 1);
  readout_ = new QLabel(central);
  readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  readout_->setText(ReadoutHint());
  plotColumn->addWidget(readout_);

  columns->addLayout(side, 0);
  columns->addLayout(plotColumn, 1);
  setCentralWidget(central);
  connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this, &QWidget::close);

  recording_ = new QLabel(this);
  recording_->hide();
  statusBar()->addPermanentWidget(recording_);

  connect(itemList_, &QListWidget::itemChanged, this, &LivePlotWindow::OnItemChanged);
  connect(windowBox_, &QComboBox::currentIndexChanged, this,
          [this](int index) { SetWindowSeconds(windowBox_->itemData(index).toInt()); });
  connect(sharedBox_, &QCheckBox::toggled, this, &LivePlotWindow::SetSharedAxis);
  connect(pauseButton_, &QPushButton::clicked, this, [this] { SetPaused(!paused_); });
  connect(saveButton, &QPushButton::clicked, this, &LivePlotWindow::SaveImage);
}

void LivePlotWindow::FillItemList() {
  updatingList_ = true;
  for (const PlotItem& item : data_.Items()) {
    auto* entry = new QListWidgetItem(item.label, itemList_);
    entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    entry->setCheckState(Qt::Unchecked);
  }
  updatingList_ = false;
  UpdateItemList();
}

// The check marks follow the choice; while four are chosen the others cannot be checked.
void LivePlotWindow::UpdateItemList() {
  updatingList_ = true;
  for (int row = 0; row < itemList_->count(); ++row) {
    QListWidgetItem* entry = itemList_->item(row);
    const bool chosen = choice_.Contains(entry->text());
    entry->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (chosen || !choice_.Full()) flags |= Qt::ItemIsUserCheckable;
    entry->setFlags(flags);
    const int plotted = int(choice_.Labels().indexOf(entry->text()));
    entry->setForeground(plotted >= 0 ? QBrush(kColours[std::size_t(plotted)]) : QBrush());
  }
  updatingList_ = false;
}

void LivePlotWindow::OnItemChanged(QListWidgetItem* item) {
  if (updatingList_) return;
  if (item->checkState() == Qt::Checked) {
    AddItem(item->text());
  } else {
    RemoveItem(item->text());
  }
}

bool LivePlotWindow::AddItem(const QString& label) {
  if (choice_.Contains(label)) return true;
  if (data_.IndexOf(label) < 0) {
    statusBar()->showMessage(tr("%1 shows no number to plot.").arg(label), 5000);
    UpdateItemList();
    return false;
  }
  if (!choice_.Add(label)) {
    statusBar()->showMessage(tr("Four items at most: remove one to plot %1.").arg(label), 5000);
    UpdateItemList();
    return false;
  }
  SaveSettings();
  UpdateItemList();
  RebuildChart();
  return true;
}

bool LivePlotWindow::RemoveItem(const QString& label) {
  if (!choice_.Remove(label)) return false;
  SaveSettings();
  UpdateItemList();
  RebuildChart();
  return true;
}

void LivePlotWindow::SetWindowSeconds(int seconds) {
  if (seconds == windowSeconds_) return;
  windowSeconds_ = seconds;
  windowBox_->setCurrentIndex(windowBox_->findData(seconds));
  timeAxis_->setTickInterval(windowSeconds_ / 6.0);
  SaveSettings();
  Refresh();
}

void LivePlotWindow::SetSharedAxis(bool shared) {
  if (shared == sharedAxis_) return;
  sharedAxis_ = shared;
  sharedBox_->setChecked(shared);
  SaveSettings();
  RebuildChart();
}

void LivePlotWindow::SetPaused(bool paused) {
  paused_ = paused;
  pauseButton_->setText(paused ? tr("&Resume") : tr("&Pause"));
  if (!paused) Refresh();
}

void LivePlotWindow::SetPolling(bool polling) {
  polling_ = polling;
  pausedLabel_->setVisible(!polling);
}

void LivePlotWindow::SetRecordingText(const QString& text) {
  recording_->setText(text);
  recording_->setVisible(!text.isEmpty());
}

void LivePlotWindow::SaveSettings() {
  services_.settings.setValue(kItemsKey, choice_.Labels());
  services_.settings.setValue(kWindowKey, windowSeconds_);
  services_.settings.setValue(kSharedKey, sharedAxis_);
}

QLineSeries* LivePlotWindow::NewRun(Trace& trace, bool inLegend) {
  auto* run = new QLineSeries(chart_);
  run->setName(trace.label);
  QPen pen(trace.colour);
  pen.setWidthF(1.6);
  run->setPen(pen);
  run->setColor(trace.colour);
  chart_->addSeries(run);
  run->attachAxis(timeAxis_);
  run->attachAxis(trace.axis);
  if (!inLegend) {
    for (QLegendMarker* marker : chart_->legend()->markers(run)) marker->setVisible(false);
  }
  trace.runs.push_back(run);
  return run;
}

void LivePlotWindow::RebuildChart() {
  chart_->removeAllSeries();
  for (QAbstractAxis* axis : chart_->axes(Qt::Vertical)) {
    chart_->removeAxis(axis);
    delete axis;
  }
  sharedValueAxis_ = nullptr;
  traces_.clear();
  if (sharedAxis_) {
    sharedValueAxis_ = new QValueAxis(chart_);
    sharedValueAxis_->setTitleText(tr("Value"));
    sharedValueAxis_->setLabelFormat(QStringLiteral("%g"));
    chart_->addAxis(sharedValueAxis_, Qt::AlignLeft);
  }
  for (const QString& label : choice_.Labels()) {
    Trace trace;
    trace.label = label;
    trace.index = data_.IndexOf(label);
    trace.colour = kColours[traces_.size()];
    if (sharedAxis_) {
      trace.axis = sharedValueAxis_;
    } else {
      trace.axis = new QValueAxis(chart_);
      trace.axis->setTitleText(label);
      trace.axis->setLabelFormat(QStringLiteral("%g"));
      trace.axis->setLinePenColor(trace.colour);
      trace.axis->setLabelsColor(trace.colour);
      trace.axis->setTitleBrush(trace.colour);
      chart_->addAxis(trace.axis, traces_.size() % 2 == 0 ? Qt::AlignLeft : Qt::AlignRight);
    }
    traces_.push_back(trace);
    NewRun(traces_.back(), true);
  }
  Refresh();
}

void LivePlotWindow::OnPoll() {
  if (paused_ || !isVisible()) return;
  Refresh();
}

void LivePlotWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!paused_) Refresh();
}

void LivePlotWindow::Refresh() {
  const std::optional<std::int64_t> latest = data_.LatestUs();
  if (!latest) return;
  shownUs_ = latest;
  // The axis stands still and the lines move along it: laying out an axis's labels anew on every
  // poll would cost far more than drawing the lines.
  timeAxis_->setRange(-windowSeconds_, 0);
  const std::int64_t fromUs = *latest - std::int64_t{windowSeconds_} * 1'000'000;

  std::optional<std::pair<double, double>> shared;
  for (Trace& trace : traces_) {
    const std::vector<LiveSeries::Sample> samples = data_.Series(trace.index).Since(fromUs);
    const std::vector<std::vector<QPointF>> segments = PlotSegments(samples, *latest);
    while (trace.runs.size() < segments.size()) NewRun(trace, false);
    for (std::size_t i = 0; i < trace.runs.size(); ++i) {
      QLineSeries* run = trace.runs[i];
      if (i < segments.size()) {
        run->replace(QList<QPointF>(segments[i].begin(), segments[i].end()));
        // A value alone between two gaps has no line: it shows as a point.
        run->setPointsVisible(segments[i].size() == 1);
      } else if (run->count() > 0) {
        run->clear();
      }
    }
    const std::optional<std::pair<double, double>> range = ValueRange(samples);
    if (!range) continue;
    if (sharedAxis_) {
      shared = shared ? std::pair{std::min(shared->first, range->first),
                                  std::max(shared->second, range->second)}
                      : *range;
    } else {
      SetRange(trace.axis, range->first, range->second);
    }
  }
  if (sharedValueAxis_ && shared) SetRange(sharedValueAxis_, shared->first, shared->second);
  // The data moves under a cursor that rests: its readout follows.
  if (cursor_) UpdateReadout(*cursor_);
}

void LivePlotWindow::UpdateReadout(QPoint inViewport) {
  const QPointF inChart = chart_->mapFromScene(view_->mapToScene(inViewport));
  const QRectF area = chart_->plotArea();
  if (!area.contains(inChart) || area.width() <= 0) {
    HideCursor();
    return;
  }
  cursor_ = inViewport;
  cursorLine_->setLine(inChart.x(), area.top(), inChart.x(), area.bottom());
  cursorLine_->show();
  const double seconds = timeAxis_->min() + (inChart.x() - area.left()) / area.width() *
                                                (timeAxis_->max() - timeAxis_->min());
  readout_->setText(ReadoutAt(seconds));
}

void LivePlotWindow::HideCursor() {
  cursor_.reset();
  cursorLine_->hide();
  readout_->setText(ReadoutHint());
}

QString LivePlotWindow::ReadoutAt(double seconds) const {
  if (!shownUs_) return {};
  const std::int64_t timeUs = *shownUs_ + std::llround(seconds * 1e6);
  QStringList parts{tr("%1 s").arg(seconds, 0, 'f', 1)};
  for (const Trace& trace : traces_) {
    const std::optional<LiveSeries::Sample> sample =
        SampleNear(data_.Series(trace.index), timeUs, kReadoutReachUs);
    const QString value = !sample               ? tr("none")
                          : sample->NotPolled() ? tr("not polled")
                          : sample->IsGap()     ? tr("no answer")
                                                : Number(sample->value);
    parts.append(QStringLiteral("%1: %2").arg(trace.label, value));
  }
  return parts.join(QStringLiteral("    "));
}

bool LivePlotWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_->viewport()) {
    if (event->type() == QEvent::MouseMove) {
      UpdateReadout(static_cast<QMouseEvent*>(event)->position().toPoint());
    } else if (event->type() == QEvent::Leave) {
      HideCursor();
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

std::vector<QValueAxis*> LivePlotWindow::ValueAxes() const {
  std::vector<QValueAxis*> axes;
  for (const Trace& trace : traces_) axes.push_back(trace.axis);
  return axes;
}

std::vector<QLineSeries*> LivePlotWindow::Runs(const QString& label) const {
  for (const Trace& trace : traces_) {
    if (trace.label == label) return trace.runs;
  }
  return {};
}

bool LivePlotWindow::SaveImage() {
  QString path = services_.askSaveFileName(tr("Save Image"), tr("PNG images (*.png)"),
                                           QStringLiteral("live-plot.png"));
  if (path.isEmpty()) return false;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".png");
  QString reason;
  if (SaveImageTo(path, reason)) {
    statusBar()->showMessage(tr("Saved %1").arg(QFileInfo(path).fileName()), 5000);
    return true;
  }
  services_.prompter.AskText(tr("The image could not be saved to %1: %2").arg(path, reason),
                             Buttons::Ok, Icon::Warning);
  return false;
}

bool LivePlotWindow::SaveImageTo(const QString& path, QString& reason) {
  // Made in memory first, so that the file is saved by the one function every file goes through.
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !view_->grab().save(&buffer, "PNG")) {
    reason = tr("the chart could not be made into a PNG image");
    return false;
  }
  return SaveFile(path, png, reason);
}

}  // namespace vor
