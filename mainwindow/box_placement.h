#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

namespace vor {

// Where a message box about `keep` (a field and its label, which the user must still see) goes:
// just below it, else just above it, across centred on `anchor` (the window it belongs to); else
// beside it, right or left. Always whole inside `screen`. `boxSize` is the box without its
// window frame, `frameTop` the height the frame adds above it (the title bar). Returns the
// frame's top-left corner, as a window is moved; nullopt when the box fits nowhere beside `keep`.
std::optional<QPoint> PlaceBeside(QSize boxSize, QRect keep, QRect anchor, QRect screen,
                                  int frameTop);

}  // namespace vor
