#include "mainwindow/change_marks.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include "files/unwritten_changes.h"
#include "resources/dialog_builder.h"

namespace vor {
namespace {

// The palette a control had before its first mark, to go back to when the mark goes.
constexpr const char* kUnmarkedPalette = "vorUnmarkedPalette";

void SetMark(QWidget* control, bool marked, QPalette::ColorRole tinted, QPalette::ColorRole text) {
  const QVariant unmarked = control->property(kUnmarkedPalette);
  if (!marked) {
    if (unmarked.isValid()) control->setPalette(unmarked.value<QPalette>());
    return;
  }
  if (!unmarked.isValid()) control->setProperty(kUnmarkedPalette, control->palette());
  QPalette palette = control->palette();
  for (const QPalette::ColorGroup group :
       {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    if (tinted != QPalette::NoRole) palette.setColor(group, tinted, kChangeTint);
    if (text != QPalette::NoRole) palette.setColor(group, text, kChangeTextColour);
  }
  control->setPalette(palette);
}

}  // namespace

ChangeMarks::ChangeMarks(const ProgramState& state, QObject* parent)
    : QObject(parent), state_(state) {}

void ChangeMarks::Attach(ParameterPage* page) {
  connect(page, &ParameterPage::Displayed, this, [this, page] { Refresh(page); });
  for (int k = 0; k < SlotCount(page->Kind()); ++k) {
    QLineEdit* edit = FindEdit(page, SlotEditId(k));
    if (!edit) continue;
    edit->installEventFilter(this);
    // What the user does to the text; the display pass's own texts are marked after it.
    connect(edit, &QLineEdit::textEdited, this, [this, page, edit] {
      for (const ParameterPage::ShownField& field : page->ShownFields()) {
        if (field.edit == edit) MarkField(field);
      }
      emit MarksChanged();
    });
  }
}

void ChangeMarks::Refresh(ParameterPage* page) {
  for (const ParameterPage::ShownField& field : page->ShownFields()) MarkField(field);
  for (const ParameterPage::ShownBox& box : page->ShownBoxes()) MarkBox(box);
}

bool ChangeMarks::Changed(const ParameterPage::ShownField& field) const {
  const ConfigImage* controller = state_.ComparableController();
  if (!controller) return false;
  const DefinitionSet& set = *state_.definitions;
  if (field.typed)
    return TextDiffers(set, field.field, field.edit->text(), *controller, state_.image);
  return FieldChanged(set, field.field, *controller, state_.image);
}

bool ChangeMarks::Changed(const ParameterPage::ShownBox& box) const {
  const ConfigImage* controller = state_.ComparableController();
  if (!controller) return false;
  // A click is in the image at once, so the box and the image agree.
  return FieldChanged(*state_.definitions, box.field, *controller, state_.image);
}

void ChangeMarks::MarkField(const ParameterPage::ShownField& field) {
  const bool changed = Changed(field);
  SetMark(field.edit, changed, QPalette::Base, QPalette::NoRole);
  SetMark(field.label, changed, QPalette::NoRole, field.label->foregroundRole());
  // Named first, as a box's tooltip is: the label may be out of sight beside a long list.
  field.edit->setToolTip(
      changed
          ? FieldLabel(state_.definitions->params[std::size_t(field.field.position)]) + u'\n' +
                tr("On the controller: %1")
                    .arg(ShownText(*state_.definitions, field.field, *state_.ComparableController())
                             .value_or(QString()))
          : QString());
}

void ChangeMarks::MarkBox(const ParameterPage::ShownBox& box) {
  const bool changed = Changed(box);
  box.box->setAutoFillBackground(changed);
  SetMark(box.box, changed, box.box->backgroundRole(), box.box->foregroundRole());
  // The name first: a long one is cut at the box's edge.
  const QString name = state_.definitions->params[std::size_t(box.field.position)].name;
  if (!changed) {
    box.box->setToolTip(name);
    return;
  }
  const QString controller =
      ShownText(*state_.definitions, box.field, *state_.ComparableController()).value_or(QString());
  box.box->setToolTip(name + u'\n' + tr("On the controller: %1").arg(BoxStateText(controller)));
}

bool ChangeMarks::eventFilter(QObject* watched, QEvent* event) {
  auto* edit = qobject_cast<QLineEdit*>(watched);
  if (edit && event->type() == QEvent::ContextMenu && state_.ComparableController()) {
    if (auto* page = qobject_cast<ParameterPage*>(edit->parentWidget())) {
      ShowContextMenu(page, edit, static_cast<QContextMenuEvent*>(event)->globalPos());
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

void ChangeMarks::ShowContextMenu(ParameterPage* page, QLineEdit* edit, QPoint globalPos) {
  for (const ParameterPage::ShownField& field : page->ShownFields()) {
    if (field.edit != edit) continue;
    QMenu* menu = edit->createStandardContextMenu();
    menu->addSeparator();
    const QString controllerText =
        ShownText(*state_.definitions, field.field, *state_.ComparableController())
            .value_or(QString());
    QAction* revert =
        menu->addAction(tr("Revert to the controller's value (%1)").arg(controllerText));
    revert->setEnabled(Changed(field));
    bool chosen = false;
    connect(revert, &QAction::triggered, this, [&chosen] { chosen = true; });
    const PageField which = field.field;
    menu->exec(globalPos);
    delete menu;
    if (chosen) emit RevertRequested(which);
    return;
  }
}

}  // namespace vor
