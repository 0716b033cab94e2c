#pragma once

#include <QWidget>

#include "pages/program_state.h"
#include "resources/prompter.h"

namespace vor {

// A page of the main window's page area, built from its dialog template. The main window
// shows and hides it; the page reacts in OnShowWindow to each real change of its visibility.
class PageWindow : public QWidget {
  Q_OBJECT
public:
  PageWindow(int templateId, ProgramState& state, Prompter& prompter);

  // Builds the page's controls as a hidden child of `parent`. False when it has no template.
  bool Create(QWidget* parent);
  int TemplateId() const { return templateId_; }

  // Showing and hiding by the main window. Only a change of the page's own visibility is
  // reported to OnShowWindow; the main window being minimised, restored or closed is not a page
  // change.
  void setVisible(bool visible) override;

protected:
  virtual void OnShowWindow(bool shown) = 0;

  ProgramState& state_;
  Prompter& prompter_;

private:
  const int templateId_;
};

// A page of configuration parameters: fills itself from the image when shown, stores its
// entries when hidden, while the image is valid.
class ParameterPage : public PageWindow {
  Q_OBJECT
public:
  using PageWindow::PageWindow;

  // Whether every entry passed the last store pass.
  bool PageAccepted = false;

protected:
  void OnShowWindow(bool shown) override;
  // Shows the image's values.
  virtual void DisplayPass() {}
  // Stores the entries into the image; false after telling the user about a refused entry.
  virtual bool StorePass() { return true; }
};

}  // namespace vor
