#pragma once

#include <QObject>
#include <QUndoStack>
#include <optional>

#include "files/change_steps.h"
#include "pages/program_state.h"

namespace vor {

// The main window's undo stack. Every change of the pages' image is a step of
// files/change_steps.h that Undo and Redo set back and forth: a field's stored entry, a check
// box click, the calibration's Update, a file or backup applied, a revert and a Read that replaced
// the user's changes. Steps change the image only; the window stores the page on show before an
// Undo or Redo and shows it again after, and nothing is ever sent.
class EditHistory : public QObject {
  Q_OBJECT
public:
  explicit EditHistory(ProgramState& state, QObject* parent = nullptr);

  // Pushes `step`, which sets its values in the image; an empty step changes nothing and is
  // dropped.
  void Push(ChangeStep step);
  // The steps of a page's store pass, which started from the image `before`: one per value it
  // changed.
  void PushStored(const ConfigImage& before);

  // A Read: BeforeRead as it starts, AfterRead once it has succeeded. The user's changes that the
  // new image replaced become a step whose Undo brings them back onto it. A Read that failed in
  // between (and left the image half read) changes nothing of what is remembered: the changes
  // come from the last whole image.
  void BeforeRead();
  void AfterRead();

  QUndoStack& Stack() { return stack_; }
  // The step at `index` of the stack (what Undo takes back at index() - 1, what Redo makes again at
  // index()), or nullptr when there is none.
  const ChangeStep* StepAt(int index) const;

private:
  ProgramState& state_;
  QUndoStack stack_;
  struct Replaced {
    ConfigImage controller;
    ConfigImage pages;
  };
  std::optional<Replaced> beforeRead_;
};

}  // namespace vor
