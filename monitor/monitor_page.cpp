#include "monitor/monitor_page.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>

#include "resources/dialog_builder.h"
#include "resources/status_colours.h"

namespace vor {
namespace {

// Only a change of colour touches the palette, so a poll that changes nothing repaints nothing.
void SetTextColour(QWidget* control, QPalette::ColorRole role, const QColor& colour) {
  if (!control || control->palette().color(role) == colour) return;
  QPalette palette = control->palette();
  palette.setColor(role, colour);
  control->setPalette(palette);
}

}  // namespace

CMonitor1Dlg::CMonitor1Dlg(ProgramState& state, Prompter& prompter, LinkAccess& link)
    : PageWindow(kDialogMonitor, state, prompter), link_(link) {}

CMonitor1Dlg::~CMonitor1Dlg() { StopPolling(); }

void CMonitor1Dlg::OnInitDialog() {
  SetTextColour(FindStatic(this, kIdTipArea), QPalette::WindowText, kHelpTextColour);
  OnCtlColor();
  for (int k = 0; k < kMonitorSlotCount; ++k) {
    if (QLineEdit* edit = FindEdit(this, SlotEditId(k))) edit->installEventFilter(this);
  }
}

void CMonitor1Dlg::OnShowWindow(bool shown) {
  // Hiding always stops the poll, whatever has become of the image meanwhile.
  if (!shown) StopPolling();
  if (!state_.ReadOk) return;
  if (!LayoutDone) Layout();
  if (shown && !polling_) {
    polling_ = true;
    link_.StartLivePoll(MonitorPoll::kPeriodMs, [this](const LivePoll& poll) { Poll(poll); });
    emit PollingChanged(true);
  }
}

void CMonitor1Dlg::StopPolling() {
  if (!polling_) return;
  polling_ = false;
  link_.StopLivePoll();
  emit PollingChanged(false);
}

void CMonitor1Dlg::Layout() {
  slots_ = LiveSlotWalk(*state_.definitions);
  for (int k = 0; k < slots_.count; ++k) {
    const LiveDef& def =
        state_.definitions->liveItems[std::size_t(slots_.position[std::size_t(k)])];
    QLabel* label = FindStatic(this, SlotLabelId(k));
    QLineEdit* edit = FindEdit(this, SlotEditId(k));
    if (label) {
      label->setText(def.name);
      label->show();
    }
    if (edit) edit->show();
  }
  if (slots_.faultSlot >= 0) FaultFieldId = SlotEditId(slots_.faultSlot);
  LayoutDone = true;
  if (QLabel* caption = FindStatic(this, kIdStatusCaption)) caption->setText(tr("Status"));
  // The items' names and the fault names, which the fault field shows one at a time, are as
  // long as the definitions make them: the controls take the room they need beside them.
  FitTextsToControls(this);
  if (FaultFieldId != 0) {
    QStringList names;
    for (const FaultDef& fault : state_.definitions->Faults()) names.append(fault.name);
    FitFieldToTexts(FindEdit(this, FaultFieldId), names);
  }
  OnCtlColor();
}

void CMonitor1Dlg::Poll(const LivePoll& poll) {
  poll_.Poll(poll.block.bytes, poll.answered[0], *state_.definitions, slots_, fields_);
  if (QLineEdit* status = FindEdit(this, kIdStatusField)) {
    // The shown text, unlike the recordings' status column (LinkStatusText), is translated.
    const QString text = poll_.LinkOk ? tr("Success!") : tr("Failure!");
    if (status->text() != text) status->setText(text);
  }
  for (int k = 0; k < slots_.count; ++k) {
    const std::optional<QString>& text = fields_[std::size_t(k)];
    if (!text) continue;
    QLineEdit* edit = FindEdit(this, SlotEditId(k));
    // Rewriting an unchanged text would only cost a repaint.
    if (!edit || edit->text() == *text) continue;
    edit->setText(*text);
    edit->setCursorPosition(0);
    // Fault names are often wider than the field: the whole name on hovering.
    if (SlotEditId(k) == FaultFieldId) edit->setToolTip(text->trimmed());
  }
  OnCtlColor();
  emit PollShown(poll);
}

void CMonitor1Dlg::OnCtlColor() {
  SetTextColour(FindEdit(this, kIdStatusField), QPalette::Text,
                poll_.LinkOk ? kSuccessColour : kFailureColour);
  if (FaultFieldId != 0)
    SetTextColour(FindEdit(this, FaultFieldId), QPalette::Text, kFailureColour);
}

void CMonitor1Dlg::OnFieldFocus(int editId) {
  const int k = (editId - kIdFirstSlotEdit) / 2;
  const DefinitionSet& set = *state_.definitions;
  const LiveDef& def = k >= 0 && k < slots_.count
                           ? set.liveItems[std::size_t(slots_.position[std::size_t(k)])]
                           : set.liveItems[0];
  if (QLabel* tip = FindStatic(this, kIdTipArea)) tip->setText(def.tips);
}

bool CMonitor1Dlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) OnFieldFocus(ControlIdOf(edit));
  }
  // The edit's own handling (selecting a word) still runs.
  if (event->type() == QEvent::MouseButtonDblClick) {
    if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
      const int k = (ControlIdOf(edit) - kIdFirstSlotEdit) / 2;
      if (k >= 0 && k < slots_.count) emit PlotRequested(slots_.position[std::size_t(k)]);
    }
  }
  return PageWindow::eventFilter(watched, event);
}

}  // namespace vor
