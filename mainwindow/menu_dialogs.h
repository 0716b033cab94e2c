#pragma once

#include <QString>

#include "files/image_compare.h"

namespace vor {

// The modal dialogs of the menus other than message boxes: file names, the list of differences,
// reports for reading, and the desktop's file manager. The program shows real dialogs; tests
// answer from a script, so that no test ever waits on a modal window.
class MenuDialogs {
public:
  virtual ~MenuDialogs() = default;

  // The file the user chose to open, starting in `folder`, or an empty string when they
  // cancelled. `filter` is in QFileDialog's form ("Configurations (*.bin)").
  virtual QString OpenFileName(const QString& caption, const QString& filter,
                               const QString& folder) = 0;
  // The file the user chose to save to, starting from `suggestedPath`; empty when cancelled.
  virtual QString SaveFileName(const QString& caption, const QString& filter,
                               const QString& suggestedPath) = 0;
  // The differences between the controller's configuration (first) and the one to be written
  // (second). With `confirm`, asks with OK and Cancel and returns true for OK; otherwise shows
  // them with one button and returns true.
  virtual bool ShowDifferences(const ImageDifferences& differences, bool confirm) = 0;
  // A text to read, with one button.
  virtual void ShowReport(const QString& caption, const QString& text) = 0;
  // Opens `folder` in the desktop's file manager; false when that could not be started.
  virtual bool OpenFolder(const QString& folder) = 0;
};

}  // namespace vor
