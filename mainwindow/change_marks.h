#pragma once

#include <QObject>

#include "pages/page_fields.h"
#include "pages/page_window.h"
#include "pages/program_state.h"
#include "resources/status_colours.h"

namespace vor {

// The marks of unwritten changes on the parameter pages. A field or check box whose value
// differs from the controller's has a tinted background and its label (a box its text) in the
// mark colour (kChangeTint, kChangeTextColour), and the controller's value in its tooltip ("On the
// controller: 54"): while the user types or ticks, not only once the page is stored. Neither moves
// nor resizes a control: bold type would widen the labels, so the mark is colour. A field's context
// menu offers to revert it. Without the controller's image (a configuration from a file at
// start-up) nothing is marked, for there is nothing to differ from.
class ChangeMarks : public QObject {
  Q_OBJECT
public:
  explicit ChangeMarks(const ProgramState& state, QObject* parent = nullptr);

  // Marks `page` from now on: after each display pass and at each change of a field's text.
  void Attach(ParameterPage* page);
  // Marks every field and box of `page` anew.
  void Refresh(ParameterPage* page);

  // Whether `field` holds a change: its typed text, or the image's value when untouched.
  bool Changed(const ParameterPage::ShownField& field) const;
  bool Changed(const ParameterPage::ShownBox& box) const;

signals:
  // A mark changed while the user typed.
  void MarksChanged();
  // The field's context menu asked for its controller's value back.
  void RevertRequested(vor::PageField field);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void MarkField(const ParameterPage::ShownField& field);
  void MarkBox(const ParameterPage::ShownBox& box);
  void ShowContextMenu(ParameterPage* page, QLineEdit* edit, QPoint globalPos);

  const ProgramState& state_;
};

}  // namespace vor
