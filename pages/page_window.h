#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "pages/page_fields.h"
#include "pages/page_records.h"
#include "pages/program_state.h"
#include "pages/value_codec.h"
#include "resources/prompter.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace vor {

// A page of the main window's page area, built from its dialog template. The main window
// shows and hides it; the page reacts in OnShowWindow to each real change of its visibility.
class PageWindow : public QWidget {
  Q_OBJECT
public:
  PageWindow(int templateId, ProgramState& state, Prompter& prompter);

  // Builds the page's controls from template `templateId` (normally its own, TemplateId()) as a
  // hidden child of `parent`. False when there is no such template.
  bool Create(int templateId, QWidget* parent);
  int TemplateId() const { return templateId_; }

  // Showing and hiding by the main window. Only a change of the page's own visibility is
  // reported to OnShowWindow; the main window being minimised, restored or closed is not a page
  // change.
  void setVisible(bool visible) override;

protected:
  // Runs once the page's controls exist.
  virtual void OnInitDialog() {}
  virtual void OnShowWindow(bool shown) = 0;
  // Runs once the page is on screen after a real change of its visibility.
  virtual void OnShown() {}

  ProgramState& state_;
  Prompter& prompter_;

private:
  const int templateId_;
  bool notifying_ = false;
};

// A page of configuration parameters, built from the definitions: every record of the page's
// range that is to be shown gets a label and an edit. The page fills itself from the image when
// shown and stores its entries, range-tested, when hidden; both only while the image is valid.
class ParameterPage : public PageWindow {
  Q_OBJECT
public:
  ParameterPage(int templateId, PageKind kind, ProgramState& state, Prompter& prompter);

  // Whether the last store pass reached its end without refusing an entry.
  bool PageAccepted = false;
  // Whether the labels and edits have been laid out; done once, at the first notification that
  // finds the image valid.
  bool LayoutDone = false;

  PageKind Kind() const { return kind_; }

  // A field on show: its record and its controls. `typed`: the edit holds a text other than the
  // one the display pass set, typed and not yet stored.
  struct ShownField {
    PageField field;
    QLabel* label;
    QLineEdit* edit;
    bool typed;
  };
  // The fields laid out, in slot order; none before the layout pass.
  std::vector<ShownField> ShownFields();
  // A check box on show and its record (the Vehicle page's).
  struct ShownBox {
    PageField field;
    QCheckBox* box;
  };
  virtual std::vector<ShownBox> ShownBoxes() { return {}; }

  // Stores the entry of every field that holds a text of its own which the page would store
  // (neither refused nor left alone), each as leaving the field does; refused entries stay typed
  // until the page is left. Before a click changes the image, so that an entry typed earlier is
  // stored, and undone, in the order the user made them.
  void StoreTypedFields();

signals:
  // After every display pass: the controls show the image.
  void Displayed();
  // After every store pass, refused or not, and after each entry stored when its field was left:
  // `before` is the image as it was before.
  void Stored(const vor::ConfigImage& before);

protected:
  void OnInitDialog() override;
  void OnShowWindow(bool shown) override;
  void OnShown() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  virtual void LayoutPass();
  // Shows the image's value in every field, and remembers the text it set in each.
  virtual void DisplayPass();
  // The text a field shows for its record; nullopt for a record without a text form.
  virtual std::optional<QString> DisplayText(const ParamDef& def) const;
  // Stores every field into the image, in slot order; at the first entry out of its range,
  // tells the user and returns false, leaving that field and the later ones unstored.
  virtual bool StorePass();
  // Stores one field's entry `text`. `untouched`: the field still holds the text the display
  // pass set; it is then range-tested but not written, so that showing and leaving a page never
  // changes the image.
  virtual StoreResult StoreField(const ParamDef& def, const QString& text, bool untouched);
  // Shows the help text and range of the field whose edit `editId` got the focus.
  void OnFieldFocus(int editId);

  // The record of slot k, for k < slots_.count.
  const ParamDef& SlotRecord(int k) const;

  const PageKind kind_;
  PageSlots slots_;

private:
  // Stores the entry of slot k when it holds a text of its own the page would store: it becomes a
  // step of its own at once. An entry it would refuse stays as typed, for the page's store pass
  // to refuse with its message when the page is left. False when nothing was stored.
  bool StoreLeftField(int k);
  // Makes the field `edit` visible within the window, which may scroll.
  static void BringIntoView(QWidget* edit);

  std::array<std::optional<QString>, PageSlots::kMaxSlots> shownText_{};
  // An entry the last store pass refused as no number: it stays in its field when the page is
  // shown again, to be corrected rather than typed anew.
  struct KeptEntry {
    int slot;
    QString text;
  };
  std::optional<KeptEntry> keptEntry_;
  QLineEdit* focusAfterShow_ = nullptr;
};

}  // namespace vor
