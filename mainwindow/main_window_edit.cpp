// The main window's side of the unwritten changes: the marks on the pages, the undo stack and its
// Edit menu, reverting, applying a configuration from a file or a backup after its review, and
// the count of changes at the menu bar's end.
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QToolButton>

#include "files/apply_rules.h"
#include "files/backup_store.h"
#include "files/definitions_match.h"
#include "files/image_file.h"
#include "files/unwritten_changes.h"
#include "link/link_access.h"
#include "mainwindow/main_window.h"
#include "mainwindow/menu_bar_marks.h"
#include "mainwindow/menu_dialogs.h"
#include "pages/value_codec.h"
#include "pages/vehicle_page.h"
#include "resources/dialog_builder.h"

namespace vor {
namespace {

// A step's name within a menu entry's text, where "&" marks the mnemonic.
QString StepName(const QString& name) { return QString(name).replace(u'&', QStringLiteral("&&")); }

}  // namespace

void CVORUserDlg::SetUpChanges() {
  connect(&history_.Stack(), &QUndoStack::indexChanged, this, &CVORUserDlg::OnChangesChanged);
  connect(&history_.Stack(), &QUndoStack::indexChanged, this, &CVORUserDlg::OnHistoryIndexChanged);
  connect(&changeMarks_, &ChangeMarks::MarksChanged, this, &CVORUserDlg::OnChangesChanged);
  connect(&changeMarks_, &ChangeMarks::RevertRequested, this, [this](const PageField& field) {
    if (commandDepth_ > 0 || link_.Busy()) return;
    RunAsCommand([this, field] { RevertField(field); });
  });

  // Beside the recording's mark; a click lists the changes.
  changeCount_ = new QToolButton(marks_);
  changeCount_->setObjectName(QStringLiteral("changeCount"));
  changeCount_->setAutoRaise(true);
  changeCount_->setFocusPolicy(
      Qt::NoFocus);  // Controller > Compare with Controller is the keys' way
  changeCount_->setToolTip(tr("List the changes: Compare with Controller"));
  marks_->Append(changeCount_);
  connect(changeCount_, &QToolButton::clicked, this,
          [this] { OnMenuCommand(MenuCommand::CompareWithController); });
}

void CVORUserDlg::AttachPagesToChanges() {
  for (const PageEntry& entry : pageList) {
    auto* page = qobject_cast<ParameterPage*>(entry.page);
    if (!page) continue;  // the Monitor page has no marks
    changeMarks_.Attach(page);
    connect(page, &ParameterPage::Stored, this,
            [this](const ConfigImage& before) { history_.PushStored(before); });
    auto* vehicle = qobject_cast<CVehicleDlg*>(page);
    if (!vehicle) continue;
    // A click is a step of its own at once: the box and its partner, in the image.
    connect(vehicle, &CVehicleDlg::FlagClicked, this, [this, vehicle](int position, bool ticked) {
      history_.Push(BoxClickStep(*state_.definitions, state_.image, position, ticked));
      changeMarks_.Refresh(vehicle);
    });
    vehicle->SetCalibrationUpdate(
        [this] { history_.Push(CalibrationStep(state_.image, state_.zero)); });
  }
}

bool CVORUserDlg::ChangeImage(const std::function<void()>& change) {
  const PageKey shown = currentPage;
  ParameterPage* page = ParameterPageOf(shown);
  if (!page) {
    change();
    return true;
  }
  const QPointer<QWidget> focus = QApplication::focusWidget();
  HideAllPages();
  const bool accepted = page->PageAccepted;
  if (accepted) change();
  currentPage = shown;
  ShowPage(shown);
  if (accepted && focus && focus->isVisible() && focus->isEnabled()) focus->setFocus();
  return accepted;
}

void CVORUserDlg::UndoOrRedo(bool undo) {
  if (!state_.ReadOk || !state_.DefinitionsLoaded) return;
  // What was typed on the page on show becomes steps first: Undo takes the latest of them.
  std::optional<ChangeStep> step;
  bool fileUndone = false;
  const bool done = ChangeImage([this, undo, &step, &fileUndone] {
    QUndoStack& stack = history_.Stack();
    if (const ChangeStep* next = history_.StepAt(stack.index() - (undo ? 1 : 0))) step = *next;
    fileUndone = undo && fromFile_ && stack.index() == fromFile_->stepEnd;
    undo ? stack.undo() : stack.redo();
  });
  // Undoing a file's step puts back the status line from before the file, which says enough.
  if (done && step && !fileUndone) TellStepElsewhere(*step, undo);
}

void CVORUserDlg::TellStepElsewhere(const ChangeStep& step, bool undone) {
  const std::vector<PageKind> pages = StepPages(*state_.definitions, step);
  const ParameterPage* shown = ParameterPageOf(currentPage);
  if (pages.empty() || (shown && std::ranges::find(pages, shown->Kind()) != pages.end())) return;
  if (pages.size() == 1) {
    const QString page = PageTitle(pages.front());
    SetStatus(undone ? tr("Undone on the %1 page: %2").arg(page, step.name)
                     : tr("Redone on the %1 page: %2").arg(page, step.name),
              Tone::Neutral);
  } else {
    SetStatus(undone ? tr("Undone on other pages: %1").arg(step.name)
                     : tr("Redone on other pages: %1").arg(step.name),
              Tone::Neutral);
  }
}

void CVORUserDlg::RevertField(const PageField& field) {
  const ConfigImage* controller = state_.ComparableController();
  if (!controller) return;
  const DefinitionSet& set = *state_.definitions;
  // The field's own typing is what is reverted: it goes without being stored or refused.
  if (ParameterPage* page = ParameterPageOf(currentPage)) {
    for (const ParameterPage::ShownField& shown : page->ShownFields()) {
      if (shown.field.page == field.page && shown.field.position == field.position) {
        shown.edit->setText(ShownText(set, field, state_.image).value_or(QString()));
      }
    }
  }
  ChangeImage([&] { history_.Push(RevertStep(set, *controller, state_.image, field)); });
}

void CVORUserDlg::RevertAllChanges() {
  const ConfigImage* controller = state_.ComparableController();
  if (!controller) return;
  ChangeImage(
      [&] { history_.Push(RevertAllStep(*state_.definitions, *controller, state_.image)); });
}

bool CVORUserDlg::ApplyFile(const ConfigImage& file, const QString& path) {
  const DefinitionSet& set = *state_.definitions;
  // Without a controller the configuration on show names the unit.
  const ConfigImage unit = state_.controllerImage.value_or(state_.image);
  const QString name = QFileInfo(path).fileName();
  const ApplyPlan plan = PlanApply(set, state_.image, file, unit);
  if (plan.rows.empty()) {
    prompter_.AskText(
        tr("%1 holds what the pages show already: there is nothing to apply.").arg(name),
        Buttons::Ok, Icon::Information);
    return false;
  }
  ApplyReview review{name, BackupSerial(file), BackupSerial(unit), plan.sameUnit, plan.rows};
  // A value out of its range is refused with the page's own message, as an entry would be, and
  // another controller's identity or calibration is taken only when the user says so once more;
  // otherwise the review comes back with the user's ticks, so that rows can be left out.
  for (;;) {
    if (!services_.dialogs.ReviewApply(review)) return false;
    if (std::none_of(review.rows.begin(), review.rows.end(),
                     [](const ApplyRow& row) { return row.checked; })) {
      return false;
    }
    if (const ApplyRow* refused = FirstOutOfRange(set, review.rows)) {
      const int position = std::get<FieldChange>(refused->change).position;
      prompter_.AskText(RangeMessage(set.params[std::size_t(position)]), Buttons::Ok,
                        Icon::Warning);
      continue;
    }
    if (TakeOwnRows(review)) break;
  }
  const PageKey previous = currentPage;
  const StatusShown before = status_;
  const bool applied =
      ChangeImage([&] { history_.Push(ApplyStep(set, state_.image, file, review.rows, name)); });
  if (!applied) return false;
  SetStatus(tr(kFromFileStatus), Tone::Neutral);
  fromFile_ = FromFileStatus{history_.Stack().index(), before};
  if (QLabel* status = FindStatic(this, kIdStatusLine)) status->setToolTip(path);
  if (!ParameterPageOf(previous)) OnPageCommand(kIdVehicleButton);
  return true;
}

bool CVORUserDlg::TakeOwnRows(const ApplyReview& review) {
  if (review.sameUnit) return true;
  QStringList names;
  int bytes = 0;
  for (const ApplyRow& row : review.rows) {
    if (!row.checked || !row.own) continue;
    if (const auto* field = std::get_if<FieldChange>(&row.change)) {
      names << field->label;
    } else {
      ++bytes;
    }
  }
  if (bytes == 1) names << tr("1 byte no page shows");
  if (bytes > 1) names << tr("%1 bytes no page shows").arg(bytes);
  if (names.isEmpty()) return true;
  const QString question =
      tr("%1 is a configuration of another controller (serial number %2). The rows checked "
         "include this controller's own data, which would become the other controller's:\n\n"
         "%3\n\nTake them all the same?")
          .arg(review.fileName, review.fileSerial, names.join(QStringLiteral(", ")));
  return prompter_.AskTextWithDefault(question, Buttons::YesNo, Icon::Warning, Answer::No) ==
         Answer::Yes;
}

void CVORUserDlg::RestoreBackup() {
  if (!state_.ReadOk || !state_.DefinitionsLoaded || !CommitShownPage()) return;
  const DefinitionSet& set = *state_.definitions;
  const ConfigImage unit = state_.controllerImage.value_or(state_.image);
  const QString serial = BackupSerial(unit);
  const QStringList paths = writeGuard_.Backups().BackupsOf(serial);
  if (paths.isEmpty()) {
    prompter_.AskText(tr("There is no backup of this controller (serial number %1) in %2.")
                          .arg(serial, writeGuard_.Backups().Folder()),
                      Buttons::Ok, Icon::Information);
    return;
  }
  std::vector<BackupChoice> choices;
  std::vector<ConfigImage> images(std::size_t(paths.size()));
  for (qsizetype i = 0; i < paths.size(); ++i) {
    BackupChoice choice{paths[i], BackupTime(paths[i]), 0, {}};
    ConfigImage& image = images[std::size_t(i)];
    // The same checks as File > Open: a backup of another software version needs other
    // definitions.
    if (!LoadImageFile(paths[i], image, choice.problem)) {
    } else if (const QString reason = DefinitionsMismatch(image, set); !reason.isEmpty()) {
      choice.problem = reason;
    } else {
      choice.differences = int(PlanApply(set, state_.image, image, unit).rows.size());
    }
    choices.push_back(choice);
  }
  const int chosen = services_.dialogs.ChooseBackup(choices, serial);
  if (chosen < 0 || chosen >= int(choices.size()) ||
      !choices[std::size_t(chosen)].problem.isEmpty()) {
    return;
  }
  if (ApplyFile(images[std::size_t(chosen)], paths[chosen])) restoringBackup_ = true;
}

void CVORUserDlg::OnHistoryIndexChanged(int index) {
  if (fromFile_ && index < fromFile_->stepEnd)
    SetStatus(fromFile_->before.text, fromFile_->before.tone);
}

int CVORUserDlg::UnwrittenCount() {
  const ConfigImage* controller = state_.ComparableController();
  if (!controller) return 0;
  const ImageDifferences stored = UnwrittenChanges(*state_.definitions, *controller, state_.image);
  // The fields of the page on show count as they are marked: by what they hold now.
  ParameterPage* shown = ParameterPageOf(currentPage);
  int count = int(stored.bytes.size());
  for (const FieldChange& change : stored.fields) {
    if (!shown || change.box || change.page != shown->Kind()) ++count;
  }
  if (shown) {
    for (const ParameterPage::ShownField& field : shown->ShownFields()) {
      if (changeMarks_.Changed(field)) ++count;
    }
  }
  return count;
}

std::vector<ChangeStep> CVORUserDlg::PendingSteps() {
  ParameterPage* shown = ParameterPageOf(currentPage);
  if (!shown || !state_.ReadOk || !state_.DefinitionsLoaded) return {};
  ConfigImage stored = state_.image;
  for (const ParameterPage::ShownField& field : shown->ShownFields()) {
    if (field.typed) StoreTypedText(*state_.definitions, field.field, field.edit->text(), stored);
  }
  return StoreSteps(*state_.definitions, state_.image, stored);
}

void CVORUserDlg::OnChangesChanged() {
  if (!menu_) return;
  const bool imageValid = state_.ReadOk && state_.DefinitionsLoaded;
  const int count = UnwrittenCount();
  menu_->Action(MenuCommand::RevertAllChanges)->setEnabled(count > 0);
  if (changeCount_) {
    changeCount_->setText(count == 1 ? tr("1 unwritten change")
                                     : tr("%1 unwritten changes").arg(count));
    marks_->ShowWidget(changeCount_, count > 0);
  }

  // Undo stores what was typed first, so it takes the latest of that; nothing is left to redo.
  const std::vector<ChangeStep> pending = PendingSteps();
  const QUndoStack& stack = history_.Stack();
  QAction* undo = menu_->Action(MenuCommand::Undo);
  QAction* redo = menu_->Action(MenuCommand::Redo);
  undo->setEnabled(imageValid && (!pending.empty() || stack.canUndo()));
  const QString undoName = !pending.empty()    ? pending.back().name
                           : undo->isEnabled() ? stack.undoText()
                                               : QString();
  undo->setText(undoName.isEmpty() ? tr("&Undo") : tr("&Undo %1").arg(StepName(undoName)));
  redo->setEnabled(imageValid && pending.empty() && stack.canRedo());
  redo->setText(redo->isEnabled() ? tr("&Redo %1").arg(StepName(stack.redoText())) : tr("&Redo"));
}

QString CVORUserDlg::UnwrittenText(int count) const {
  if (count == 0) return {};
  return count == 1 ? tr("1 change has not been written to the controller.")
                    : tr("%1 changes have not been written to the controller.").arg(count);
}

}  // namespace vor
