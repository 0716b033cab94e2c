#pragma once

#include <QRect>
#include <QScrollArea>
#include <QSize>

class QDialog;

namespace vor {

// Whether a window whose client area is `size` fits into `available` (a screen's free area) with
// its frame and title bar.
bool FitsOnScreen(QSize size, const QRect& available);

// The window of a fixed-size dialog on a screen too small for it: the dialog becomes its contents
// and scrolls, so that every control can still be reached. The close box asks the dialog, as its
// own would, and the frame goes when the dialog ends. The dialog stays its creator's to destroy.
class ScrollingFrame : public QScrollArea {
public:
  // Takes in `dialog`, which must not be shown yet, and fits the frame into `available`.
  ScrollingFrame(QDialog* dialog, const QRect& available);
  ~ScrollingFrame() override;

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  QDialog* dialog_;
};

}  // namespace vor
