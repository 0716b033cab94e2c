#pragma once

#include <QTimer>
#include <memory>

#include "link/link_thread.h"

class QProgressDialog;
class QWidget;

namespace vor {

// Names the operation in a small modal progress dialog when a link job takes longer than a
// moment, so a long scan or an unanswered controller never looks like a frozen window.
class BusyDialog : public BusyIndicator {
public:
  static constexpr int kDelayMs = 300;

  explicit BusyDialog(QWidget* parent);
  ~BusyDialog() override;

  void JobStarted(const QString& operation) override;
  void JobEnded() override;

private:
  QWidget* parent_;
  QTimer delay_;
  QString operation_;
  std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace vor
