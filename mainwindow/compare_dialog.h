#pragma once

#include <QDialog>
#include <QStringList>

#include "files/image_compare.h"

namespace vor {

// The differences between the controller's configuration and the one to be written, one row per
// switch or parameter: page, label, value on the controller, value to be written; then any other
// differing byte. For a confirmation it has OK and Cancel, otherwise Close.
// One listed difference as its row shows it: page, parameter, first value, second value.
QStringList ChangeRowTexts(const FieldChange& change);
QStringList ChangeRowTexts(const ByteChange& change);

class CompareDialog : public QDialog {
  Q_OBJECT
public:
  CompareDialog(const ImageDifferences& differences, bool confirm, QWidget* parent = nullptr);
};

}  // namespace vor
