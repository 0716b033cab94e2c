#pragma once

#include <QDialog>
#include <vector>

#include "mainwindow/menu_dialogs.h"

class QTreeWidget;

namespace vor {

// The review of a configuration from a file (File > Open Configuration, Restore Backup) before
// its values go into the pages: a row per switch or parameter in which it differs from what the
// pages show (page, parameter, shown now, from the file), then every other differing byte, each
// with a check box ticked as the rules of files/apply_rules.h say. Rows of this controller's own
// data say so. Select All and Select None tick or untick every row; OK takes the ticked rows.
class ReviewDialog : public QDialog {
  Q_OBJECT
public:
  static constexpr int kOwnColumn = 4;

  explicit ReviewDialog(const ApplyReview& review, QWidget* parent = nullptr);

  // The review's rows, checked as the list shows them now.
  std::vector<ApplyRow> Rows() const;
  QTreeWidget* List() const { return list_; }

private:
  void CheckAll(bool checked);

  std::vector<ApplyRow> rows_;
  QTreeWidget* list_;
};

}  // namespace vor
