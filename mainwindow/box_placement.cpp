#include "mainwindow/box_placement.h"

#include <algorithm>

namespace vor {
namespace {

// Room left between the box and what it must not cover, and for the frame's other edges.
constexpr int kGap = 8;

int Clamp(int value, int low, int high) { return std::max(low, std::min(value, high)); }

}  // namespace

std::optional<QPoint> PlaceBeside(QSize boxSize, QRect keep, QRect anchor, QRect screen,
                                  int frameTop) {
  const int width = boxSize.width() + kGap;
  const int height = frameTop + boxSize.height() + kGap;
  if (width > screen.width() || height > screen.height()) return std::nullopt;

  const int x = Clamp(anchor.center().x() - width / 2, screen.left(), screen.right() + 1 - width);
  if (keep.bottom() + 1 + kGap + height <= screen.bottom() + 1) {
    return QPoint(x, keep.bottom() + 1 + kGap);
  }
  if (keep.top() - kGap - height >= screen.top()) return QPoint(x, keep.top() - kGap - height);

  const int y = Clamp(keep.center().y() - height / 2, screen.top(), screen.bottom() + 1 - height);
  if (keep.right() + 1 + kGap + width <= screen.right() + 1) {
    return QPoint(keep.right() + 1 + kGap, y);
  }
  if (keep.left() - kGap - width >= screen.left()) return QPoint(keep.left() - kGap - width, y);
  return std::nullopt;
}

}  // namespace vor
