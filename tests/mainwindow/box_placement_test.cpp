// Where a message box goes so that the field it is about stays in sight.
#include "mainwindow/box_placement.h"

#include <gtest/gtest.h>

namespace vor {
namespace {

TEST(PlaceBeside, BelowElseAboveElseBesideAlwaysOnTheScreen) {
  const QRect screen(0, 0, 1600, 1200);
  const QRect window(400, 200, 800, 700);  // centred across at x = 800
  const QSize box(300, 120);
  constexpr int kTitle = 24;
  const struct {
    const char* name;
    QRect keep;
    QRect screen;
    std::optional<QPoint> at;
  } cases[] = {
      {"below the field, centred on the window", {500, 400, 200, 20}, screen, QPoint(645, 428)},
      {"above a field near the screen's foot", {500, 1100, 200, 20}, screen, QPoint(645, 940)},
      {"kept on the screen across", {500, 400, 200, 20}, {700, 0, 900, 1200}, QPoint(700, 428)},
      {"right of a field too tall for above or below",
       {100, 100, 200, 1000},
       screen,
       QPoint(308, 523)},
      {"left of it at the screen's right edge", {1300, 100, 200, 1000}, screen, QPoint(984, 523)},
      {"nowhere on a screen smaller than the box", {0, 0, 10, 10}, {0, 0, 200, 100}, std::nullopt},
  };
  for (const auto& c : cases) {
    const std::optional<QPoint> at = PlaceBeside(box, c.keep, window, c.screen, kTitle);
    EXPECT_EQ(at, c.at) << c.name;
    if (!at) continue;
    const QRect frame(*at, QSize(box.width(), kTitle + box.height()));
    EXPECT_FALSE(frame.intersects(c.keep)) << c.name;
    EXPECT_TRUE(c.screen.contains(frame)) << c.name;
  }
}

}  // namespace
}  // namespace vor
