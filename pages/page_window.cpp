#include "pages/page_window.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <utility>

#include "pages/value_codec.h"
#include "resources/dialog_builder.h"
#include "resources/status_colours.h"

namespace vor {
namespace {

// The keys of the main window's Undo and Redo. A field's own typing comes first: the field takes
// them while it has something of its own to undo or redo, and leaves them to the window after.
bool IsUndoKey(const QKeyEvent* key) { return key->matches(QKeySequence::Undo); }
bool IsRedoKey(const QKeyEvent* key) {
  const QKeyCombination pressed = key->keyCombination();
  return key->matches(QKeySequence::Redo) ||
         pressed == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z) ||
         pressed == QKeyCombination(Qt::CTRL, Qt::Key_Y);
}

}  // namespace

PageWindow::PageWindow(int templateId, ProgramState& state, Prompter& prompter)
    : state_(state), prompter_(prompter), templateId_(templateId) {}

bool PageWindow::Create(int templateId, QWidget* parent) {
  setParent(parent);
  QWidget::setVisible(false);  // born hidden, without a notification
  if (!BuildDialog(templateId, this)) return false;
  OnInitDialog();
  return true;
}

void PageWindow::setVisible(bool visible) {
  // isHidden() is the page's own state, not its parent's.
  const bool wasShown = !isHidden();
  // The page hears of the change before it happens, as a window does: a store pass that refuses
  // an entry shows its message while the page, and the refused field, are still on screen. A
  // change asked for while the page is still handling one is only carried out.
  const bool notify = visible != wasShown && !notifying_;
  if (notify) {
    notifying_ = true;
    OnShowWindow(visible);
    notifying_ = false;
  }
  QWidget::setVisible(visible);
  if (notify && visible) OnShown();
}

ParameterPage::ParameterPage(int templateId, PageKind kind, ProgramState& state, Prompter& prompter)
    : PageWindow(templateId, state, prompter), kind_(kind) {}

void ParameterPage::OnInitDialog() {
  if (QLabel* tip = FindStatic(this, kIdTipArea)) {
    QPalette palette = tip->palette();
    palette.setColor(QPalette::WindowText, kHelpTextColour);
    tip->setPalette(palette);
  }
  for (int k = 0; k < SlotCount(kind_); ++k) {
    if (QLineEdit* edit = FindEdit(this, SlotEditId(k))) edit->installEventFilter(this);
  }
}

void ParameterPage::OnShowWindow(bool shown) {
  if (!state_.ReadOk) return;
  if (!LayoutDone) {
    LayoutPass();
    LayoutDone = true;
  }
  PageAccepted = false;
  if (shown) {
    DisplayPass();
    emit Displayed();
  } else {
    const ConfigImage before = state_.image;
    PageAccepted = StorePass();
    emit Stored(before);
  }
}

std::vector<ParameterPage::ShownField> ParameterPage::ShownFields() {
  std::vector<ShownField> fields;
  if (!LayoutDone) return fields;
  for (int k = 0; k < slots_.count; ++k) {
    QLabel* label = FindStatic(this, SlotLabelId(k));
    QLineEdit* edit = FindEdit(this, SlotEditId(k));
    if (!label || !edit) continue;
    const std::optional<QString>& shown = shownText_[std::size_t(k)];
    fields.push_back({PageField{kind_, slots_.position[std::size_t(k)], false}, label, edit,
                      shown && edit->text() != *shown});
  }
  return fields;
}

const ParamDef& ParameterPage::SlotRecord(int k) const {
  return state_.definitions->params[static_cast<std::size_t>(slots_.position[std::size_t(k)])];
}

void ParameterPage::LayoutPass() {
  slots_ = SlotWalk(*state_.definitions, kind_);
  for (int k = 0; k < slots_.count; ++k) {
    const ParamDef& def = SlotRecord(k);
    QLabel* label = FindStatic(this, SlotLabelId(k));
    QLineEdit* edit = FindEdit(this, SlotEditId(k));
    if (!label || !edit) continue;
    label->setText(def.name);
    label->show();
    edit->show();
    if (def.en == 0) edit->setEnabled(false);
  }
  // The definitions' names were sized for another face: each takes the room it needs beside it.
  FitTextsToControls(this);
}

void ParameterPage::DisplayPass() {
  for (int k = 0; k < slots_.count; ++k) {
    const std::optional<QString> text = DisplayText(SlotRecord(k));
    shownText_[std::size_t(k)] = text;
    if (QLineEdit* edit = FindEdit(this, SlotEditId(k))) {
      edit->setText(text.value_or(QString()));
      edit->setCursorPosition(0);
    }
  }
  // The refused entry stays as typed, apart from what the image holds.
  if (keptEntry_) {
    if (QLineEdit* edit = FindEdit(this, SlotEditId(keptEntry_->slot))) {
      edit->setText(keptEntry_->text);
      focusAfterShow_ = edit;
    }
    keptEntry_.reset();
  }
}

void ParameterPage::OnShown() {
  QLineEdit* edit = std::exchange(focusAfterShow_, nullptr);
  if (!edit || !edit->isVisible()) return;
  edit->setFocus(Qt::OtherFocusReason);
  edit->selectAll();
  BringIntoView(edit);
}

std::optional<QString> ParameterPage::DisplayText(const ParamDef& def) const {
  return FormatValue(def, state_.image);
}

bool ParameterPage::StorePass() {
  for (int k = 0; k < slots_.count; ++k) {
    QLineEdit* edit = FindEdit(this, SlotEditId(k));
    if (!edit) continue;
    const ParamDef& def = SlotRecord(k);
    const std::optional<QString>& shown = shownText_[std::size_t(k)];
    const bool untouched = shown && edit->text() == *shown;
    const StoreResult result = StoreField(def, edit->text(), untouched);
    if (result == StoreResult::OutOfRange || result == StoreResult::NotAWholeNumber) {
      if (result == StoreResult::NotAWholeNumber) keptEntry_ = KeptEntry{k, edit->text()};
      // The message leaves the refused entry and its label in sight.
      BringIntoView(edit);
      QRect refused(edit->mapToGlobal(QPoint(0, 0)), edit->size());
      if (QLabel* label = FindStatic(this, SlotLabelId(k))) {
        BringIntoView(label);
        refused = refused.united(QRect(label->mapToGlobal(QPoint(0, 0)), label->size()));
      }
      prompter_.AskTextBeside(RefusalMessage(def, result), Buttons::Ok, Icon::Warning, refused);
      return false;
    }
  }
  return true;
}

void ParameterPage::StoreTypedFields() {
  for (int k = 0; k < slots_.count; ++k) StoreLeftField(k);
}

bool ParameterPage::StoreLeftField(int k) {
  if (!state_.ReadOk || !LayoutDone || k < 0 || k >= slots_.count) return false;
  QLineEdit* edit = FindEdit(this, SlotEditId(k));
  const std::optional<QString>& shown = shownText_[std::size_t(k)];
  if (!edit || !shown || edit->text() == *shown) return false;
  const ParamDef& def = SlotRecord(k);
  const ConfigImage before = state_.image;
  if (StoreField(def, edit->text(), false) != StoreResult::Stored) return false;
  // The field now shows the stored value as the page shows it ("054" becomes "54").
  shownText_[std::size_t(k)] = DisplayText(def);
  if (shownText_[std::size_t(k)] && edit->text() != *shownText_[std::size_t(k)]) {
    edit->setText(*shownText_[std::size_t(k)]);
    edit->setCursorPosition(0);
  }
  emit Stored(before);
  return true;
}

void ParameterPage::BringIntoView(QWidget* edit) {
  for (QWidget* parent = edit->parentWidget(); parent; parent = parent->parentWidget()) {
    if (auto* area = qobject_cast<QScrollArea*>(parent)) area->ensureWidgetVisible(edit);
  }
}

StoreResult ParameterPage::StoreField(const ParamDef& def, const QString& text, bool untouched) {
  // A text the display pass put there is what the image holds: writing it back could only
  // change bytes the text does not show (those after an "a" field's zero byte, say).
  if (untouched) return TestValue(def, text);
  return StoreValue(def, text, state_.image);
}

void ParameterPage::OnFieldFocus(int editId) {
  const int k = (editId - kIdFirstSlotEdit) / 2;
  if (k < 0 || k >= slots_.count) return;
  if (QLabel* tip = FindStatic(this, kIdTipArea)) tip->setText(TipText(SlotRecord(k)));
}

bool ParameterPage::eventFilter(QObject* watched, QEvent* event) {
  auto* edit = qobject_cast<QLineEdit*>(watched);
  if (edit && event->type() == QEvent::FocusIn) OnFieldFocus(ControlIdOf(edit));
  if (edit && event->type() == QEvent::FocusOut && isVisible()) {
    // Left for another control: the entry is a step of its own now, so Undo follows what the
    // user did. A menu or message box taking the focus for a while does not leave the field, and
    // a page being hidden stores all its fields itself.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
      StoreLeftField((ControlIdOf(edit) - kIdFirstSlotEdit) / 2);
    }
  }
  if (edit && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool undo = IsUndoKey(key);
    const bool redo = !undo && IsRedoKey(key);
    if (undo || redo) {
      const bool own = undo ? edit->isUndoAvailable() : edit->isRedoAvailable();
      if (event->type() == QEvent::ShortcutOverride) {
        // Accepted, the key comes to the field; ignored, the window's shortcut takes it.
        event->setAccepted(own);
        return true;
      }
      // Every one of the window's keys works in the field, not only the platform's own.
      if (own) undo ? edit->undo() : edit->redo();
      return true;
    }
  }
  return PageWindow::eventFilter(watched, event);
}

}  // namespace vor
