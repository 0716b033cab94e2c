#include "mainwindow/scrolling_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace vor {
namespace {

// What the window manager adds around a client area, which is known only once a window is shown:
// the title bar and a frame on each side.
QSize DecorationAllowance() {
  const QStyle* style = QApplication::style();
  const int frame = 2 * style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
  return {frame, frame + style->pixelMetric(QStyle::PM_TitleBarHeight)};
}

}  // namespace

bool FitsOnScreen(QSize size, const QRect& available) {
  const QSize room = available.size() - DecorationAllowance();
  return size.width() <= room.width() && size.height() <= room.height();
}

ScrollingFrame::ScrollingFrame(QDialog* dialog, const QRect& available) : dialog_(dialog) {
  setWindowTitle(dialog->windowTitle());
  setWindowIcon(dialog->windowIcon());
  // From here on the dialog is a control of this window, with the size it has.
  const QSize size = dialog->size();
  dialog->setWindowFlags(Qt::Widget);
  setWidgetResizable(false);
  setWidget(dialog);
  dialog->resize(size);
  setFrameShape(QFrame::NoFrame);

  // As much of the dialog as the screen takes, with room for the scroll bars it then needs.
  const QSize room = available.size() - DecorationAllowance();
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const int width =
      std::min(size.width() + (size.height() > room.height() ? bar : 0), room.width());
  const int height =
      std::min(size.height() + (size.width() > room.width() ? bar : 0), room.height());
  resize(width, height);
  const QSize allowance = DecorationAllowance();
  move(available.left() + std::max(0, (available.width() - width - allowance.width()) / 2),
       available.top() + std::max(0, (available.height() - height - allowance.height()) / 2));

  connect(dialog, &QDialog::finished, this, &QWidget::hide);
}

ScrollingFrame::~ScrollingFrame() {
  // The dialog is not this window's to destroy.
  takeWidget();
}

void ScrollingFrame::closeEvent(QCloseEvent* event) {
  // The dialog asks what its close box asks; it ends, and this window with it, only if the user
  // says so.
  dialog_->close();
  if (dialog_->isVisible()) event->ignore();
}

}  // namespace vor
