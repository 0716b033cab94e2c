#pragma once

#include <QDialog>
#include <functional>

#include "calibration/zero_calibration.h"
#include "calibration/zero_values.h"
#include "link/config_image.h"
#include "link/link_access.h"

namespace vor {

// The phase zero calibration dialog: Read takes three readings of the phase current zero
// offsets through the link and shows them with the lowest per phase; Update copies the lowest
// values into the image (bytes 97..99), which reaches the controller only with the next Write.
// Closing it (close box or Escape) ends it with the rejected (cancel) result.
class CReadZeroADdlg : public QDialog {
  Q_OBJECT
public:
  // `zero` (the run's calibration values) and `image` (what Update writes into) must outlive the
  // dialog.
  CReadZeroADdlg(ZeroValues& zero, ConfigImage& image, LinkAccess& link, QWidget* parent = nullptr);

  // Button 1342: the three exchanges, run on the link while the window waits without freezing.
  void OnRead();
  // Button 1343: the lowest values into the image. Enabled only once a Read in this run has
  // had an answer.
  void OnUpdate();
  // Runs `update` on Update in place of writing the values into the image here: the caller
  // writes them, as a step of its own.
  void SetUpdate(std::function<void()> update) { update_ = std::move(update); }

private:
  void ShowFields();

  ZeroValues& zero_;
  ConfigImage& image_;
  LinkAccess& link_;
  ZeroFields fields_;  // all empty when the dialog opens
  std::function<void()> update_;
};

}  // namespace vor
