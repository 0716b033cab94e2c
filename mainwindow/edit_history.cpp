#include "mainwindow/edit_history.h"

#include <QUndoCommand>

namespace vor {
namespace {

class StepCommand : public QUndoCommand {
public:
  StepCommand(ChangeStep step, ConfigImage& image)
      : QUndoCommand(step.name), step_(std::move(step)), image_(image) {}

  void undo() override { UndoStep(step_, image_); }
  void redo() override { RedoStep(step_, image_); }
  const ChangeStep& Step() const { return step_; }

private:
  const ChangeStep step_;
  ConfigImage& image_;
};

}  // namespace

EditHistory::EditHistory(ProgramState& state, QObject* parent) : QObject(parent), state_(state) {}

void EditHistory::Push(ChangeStep step) {
  if (step.Empty()) return;
  stack_.push(new StepCommand(std::move(step), state_.image));
}

void EditHistory::PushStored(const ConfigImage& before) {
  for (ChangeStep& step : StoreSteps(*state_.definitions, before, state_.image)) {
    Push(std::move(step));
  }
}

const ChangeStep* EditHistory::StepAt(int index) const {
  if (index < 0 || index >= stack_.count()) return nullptr;
  // Every command of the stack is a step's.
  return &static_cast<const StepCommand*>(stack_.command(index))->Step();
}

void EditHistory::BeforeRead() {
  // After a failed Read the image is only partly the controller's: the last whole one counts.
  const ConfigImage* controller = state_.ComparableController();
  if (!controller) return;
  beforeRead_ = Replaced{*controller, state_.image};
}

void EditHistory::AfterRead() {
  if (!beforeRead_ || !state_.DefinitionsLoaded) return;
  Push(ReadStep(*state_.definitions, beforeRead_->controller, beforeRead_->pages, state_.image));
  beforeRead_.reset();
}

}  // namespace vor
