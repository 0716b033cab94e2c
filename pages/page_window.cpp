#include "pages/page_window.h"

#include "resources/dialog_builder.h"

namespace vor {

PageWindow::PageWindow(int templateId, ProgramState& state, Prompter& prompter)
    : state_(state), prompter_(prompter), templateId_(templateId) {}

bool PageWindow::Create(QWidget* parent) {
  setParent(parent);
  QWidget::setVisible(false);  // born hidden, without a notification
  return BuildDialog(templateId_, this);
}

void PageWindow::setVisible(bool visible) {
  // isHidden() is the page's own state, not its parent's.
  const bool wasShown = !isHidden();
  QWidget::setVisible(visible);
  if (visible != wasShown) OnShowWindow(visible);
}

void ParameterPage::OnShowWindow(bool shown) {
  if (!state_.ReadOk) return;
  if (shown) {
    DisplayPass();
  } else {
    PageAccepted = StorePass();
  }
}

}  // namespace vor
