#include "resources/dialog_builder.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vor {
namespace {

TEST(MulDiv, RoundsHalfAwayFromZero) {
  struct Case {
    int number, numerator, denominator, expected;
  };
  const Case cases[] = {
      {3, 5, 2, 8},                          // 7.5
      {-3, 5, 2, -8},                        // -7.5: away from zero, not up
      {3, -5, 2, -8},                        //
      {3, 5, -2, -8},                        //
      {5, 3, 4, 4},                          // 3.75
      {9, 3, 4, 7},                          // 6.75
      {7, 15, 8, 13},                        // 13.125
      {1, 6, 4, 2},                          // 1.5
      {0, 7, 4, 0},                          //
      {1 << 20, 1 << 20, 1 << 12, 1 << 28},  // the product needs 64 bits
      {5, 7, 0, 0},                          // no crash on a zero denominator
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected)
        << c.number << " * " << c.numerator << " / " << c.denominator;
  }
}

// Hand-computed with baseX 7, baseY 15 (and 6, 12 for the cases where converting the size
// instead of the edges would give another width or height).
TEST(DluToPixels, ConvertsEdgesAndTakesTheirDifference) {
  struct Case {
    QRect dlu;
    DialogBaseUnits base;
    QRect pixels;
  };
  const Case cases[] = {
      // left 8.75 -> 9, right 913.5 -> 914; top 13.125 -> 13, bottom 131.25 -> 131
      {QRect(5, 7, 517, 63), {7, 15}, QRect(9, 13, 905, 118)},
      // a one-unit separator: left 168, right 169.75 -> 170; top 127.5 -> 128, bottom 766.875
      {QRect(96, 68, 1, 341), {7, 15}, QRect(168, 128, 2, 639)},
      // left 1.5 -> 2, right 3: one pixel wide, where MulDiv(1, 6, 4) alone would give 2
      {QRect(1, 0, 1, 8), {6, 12}, QRect(2, 0, 1, 12)},
      // top 1.5 -> 2, bottom 3: one pixel high
      {QRect(0, 1, 4, 1), {6, 12}, QRect(0, 2, 6, 1)},
      // the whole main window
      {QRect(0, 0, 522, 413), {7, 15}, QRect(0, 0, 914, 774)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DluToPixels(c.dlu, c.base), c.pixels)
        << c.dlu.x() << "," << c.dlu.y() << " " << c.dlu.width() << "x" << c.dlu.height();
  }
}

enum class Kind { Static, Edit, Button, GroupBox };

struct Expected {
  int id;
  Kind kind;
  QRect dlu;
  const char* text;
};

bool IsKind(QWidget* widget, Kind kind) {
  switch (kind) {
    case Kind::Static:
      return qobject_cast<QLabel*>(widget);
    case Kind::Edit:
      return qobject_cast<QLineEdit*>(widget);
    case Kind::Button:
      return qobject_cast<QPushButton*>(widget);
    case Kind::GroupBox:
      return qobject_cast<QGroupBox*>(widget);
  }
  return false;
}

QString TextOf(QWidget* widget) {
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title();
  return {};
}

void ExpectControls(QWidget* dialog, DialogBaseUnits base, std::initializer_list<Expected> table) {
  for (const Expected& e : table) {
    SCOPED_TRACE("control " + std::to_string(e.id));
    QWidget* control = FindControl(dialog, e.id);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(IsKind(control, e.kind));
    EXPECT_EQ(ControlIdOf(control), e.id);
    EXPECT_EQ(TextOf(control), QString::fromUtf8(e.text));
    EXPECT_EQ(control->geometry(), DluToPixels(e.dlu, base));
    EXPECT_TRUE(dialog->rect().contains(control->geometry()));
  }
}

TEST(BuildDialog, MainWindowHasEveryControlOfItsTemplateInPlace) {
  QDialog window;
  const DialogBaseUnits base = BuildDialog(*FindDialogTemplate(kDialogMain), &window);
  EXPECT_EQ(window.windowTitle(), "HEW User");
  EXPECT_EQ(window.size(), DluToPixels(QRect(0, 0, 522, 413), base).size());

  ExpectControls(&window, base,
                 {
                     {1009, Kind::Static, QRect(8, 72, 85, 36), ""},
                     {1000, Kind::GroupBox, QRect(96, 67, 413, 300), ""},
                     {1002, Kind::Button, QRect(103, 380, 50, 14), "车辆参数"},
                     {1003, Kind::Button, QRect(103, 396, 50, 14), "控制参数"},
                     {1004, Kind::Button, QRect(170, 380, 50, 14), "电机参数"},
                     {1008, Kind::Button, QRect(247, 380, 50, 14), "写入"},
                     {1007, Kind::Button, QRect(247, 397, 50, 14), "读取"},
                     {1006, Kind::Button, QRect(382, 380, 50, 14), "监控"},
                     {2, Kind::Button, QRect(383, 397, 50, 14), "退出"},
                 });
  EXPECT_TRUE(FindGroupBox(&window, kIdPageArea)->isHidden());
  EXPECT_FALSE(FindStatic(&window, kIdStatusLine)->isHidden());
  EXPECT_TRUE(FindStatic(&window, kIdStatusLine)->alignment() & Qt::AlignVCenter);

  // Enter must not click whichever button has the focus.
  for (QPushButton* button : window.findChildren<QPushButton*>()) {
    EXPECT_FALSE(button->isHidden());
    EXPECT_FALSE(button->autoDefault()) << button->text().toStdString();
    EXPECT_FALSE(button->isDefault());
  }

  // The pictures show their bitmaps unscaled from the control's corner, inside the window.
  int pictures = 0;
  for (QLabel* label : window.findChildren<QLabel*>()) {
    if (label->pixmap().isNull()) continue;
    ++pictures;
    const QSize size = label->pixmap().size();
    const QRect dlu = size.width() > size.height() ? QRect(5, 7, 517, 63) : QRect(5, 111, 89, 300);
    EXPECT_EQ(size, size.width() > size.height() ? QSize(863, 105) : QSize(150, 519));
    EXPECT_EQ(label->geometry(), QRect(DluToPixels(dlu, base).topLeft(), size));
    EXPECT_TRUE(window.rect().contains(label->geometry()));
  }
  EXPECT_EQ(pictures, 2);

  int horizontal = 0, vertical = 0;
  for (QFrame* frame : window.findChildren<QFrame*>()) {
    if (frame->frameShadow() != QFrame::Sunken) continue;
    horizontal += frame->frameShape() == QFrame::HLine;
    vertical += frame->frameShape() == QFrame::VLine;
    EXPECT_TRUE(window.rect().contains(frame->geometry()));
  }
  EXPECT_EQ(horizontal, 3);
  EXPECT_EQ(vertical, 3);
}

TEST(BuildDialog, CalibrationDialogHasItsFieldsAndButtons) {
  QDialog window;
  const DialogBaseUnits base = BuildDialog(*FindDialogTemplate(kDialogReadZero), &window);
  EXPECT_EQ(window.windowTitle(), "Read_Zero");
  EXPECT_EQ(window.minimumSize(), window.maximumSize());  // not resizable
  ExpectControls(&window, base,
                 {
                     {1075, Kind::Static, QRect(18, 46, 49, 8), "Phase_A_Zero"},
                     {1076, Kind::Static, QRect(18, 63, 50, 8), "Phase_B_Zero"},
                     {1077, Kind::Static, QRect(18, 80, 49, 8), "Phase_C_Zero"},
                     {1344, Kind::Edit, QRect(75, 43, 40, 14), ""},
                     {1345, Kind::Edit, QRect(75, 60, 40, 14), ""},
                     {1346, Kind::Edit, QRect(75, 77, 40, 14), ""},
                     {1347, Kind::Edit, QRect(120, 43, 105, 14), ""},
                     {1348, Kind::Edit, QRect(120, 60, 105, 14), ""},
                     {1349, Kind::Edit, QRect(120, 77, 105, 14), ""},
                     {1342, Kind::Button, QRect(255, 68, 35, 14), "Read"},
                     {1343, Kind::Button, QRect(255, 86, 35, 14), "Update"},
                 });
  for (int id = 1344; id <= 1349; ++id) EXPECT_TRUE(FindEdit(&window, id)->isReadOnly()) << id;
}

// A page lives inside the main window, and ids are looked up per window as Windows does: the
// main window must not find the page's controls, nor the page the main window's.
TEST(BuildDialog, PageInsideTheMainWindowKeepsItsControlsToItself) {
  QDialog window;
  BuildDialog(kDialogMain, &window);
  auto* page = new QWidget(&window);
  ASSERT_TRUE(BuildDialog(kDialogVehicle, page));

  EXPECT_EQ(FindControl(&window, kIdTipArea), nullptr);
  EXPECT_EQ(FindControl(page, kIdVehicleButton), nullptr);
  EXPECT_NE(FindStatic(page, kIdTipArea), nullptr);
  EXPECT_EQ(FindButton(&window, kIdStatusLine), nullptr);  // a static, not a button
  EXPECT_EQ(FindControl(page, kNoControlId), nullptr);
  EXPECT_FALSE(BuildDialog(999, page));

  // Hidden slots and boxes stay hidden; the tip area and the Read_Zero button do not.
  EXPECT_TRUE(FindStatic(page, SlotLabelId(0))->isHidden());
  EXPECT_EQ(FindStatic(page, SlotLabelId(0))->text(), "Static");
  EXPECT_TRUE(FindEdit(page, SlotEditId(31))->isHidden());
  EXPECT_EQ(FindEdit(page, SlotEditId(32)), nullptr);
  EXPECT_TRUE(FindCheckBox(page, kIdFirstCheckBox + 23)->isHidden());
  EXPECT_FALSE(FindButton(page, kIdReadZeroButton)->isHidden());
  EXPECT_FALSE(FindStatic(page, kIdTipArea)->isHidden());

  // The thin border lies outside the client area: one pixel all round.
  const DialogBaseUnits base = BaseUnitsOf(page->font());
  EXPECT_EQ(page->size(), DluToPixels(QRect(0, 0, 418, 312), base).size() + QSize(2, 2));
  EXPECT_EQ(FindStatic(page, kIdTipArea)->geometry(),
            DluToPixels(QRect(0, 268, 416, 41), base).translated(1, 1));
  const auto border = [page]() -> QFrame* {
    for (QFrame* frame : page->findChildren<QFrame*>(Qt::FindDirectChildrenOnly)) {
      if (frame->frameShape() == QFrame::Box) return frame;
    }
    return nullptr;
  };
  ASSERT_NE(border(), nullptr);
  EXPECT_EQ(border()->geometry(), page->rect());
  // The main window sizes its pages to the page area, and may do so while they are on show.
  window.show();
  page->show();
  page->setGeometry(10, 10, 500, 400);
  EXPECT_EQ(border()->geometry(), page->rect());
}

TEST(Artwork, BitmapsAndIconLoadAtTheirPixelSizes) {
  const QImage banner = LoadBitmap(kBitmapBanner).toImage();
  const QImage side = LoadBitmap(kBitmapSide).toImage();
  EXPECT_EQ(banner.size(), QSize(863, 105));
  EXPECT_EQ(side.size(), QSize(150, 519));
  EXPECT_FALSE(banner.hasAlphaChannel());
  EXPECT_FALSE(side.hasAlphaChannel());

  const QIcon icon = LoadIcon(kIconApp);
  ASSERT_FALSE(icon.isNull());
  EXPECT_TRUE(icon.availableSizes().contains(QSize(128, 128)));
  const QImage image = icon.pixmap(QSize(128, 128)).toImage();
  EXPECT_EQ(image.size(), QSize(128, 128));
  EXPECT_TRUE(image.hasAlphaChannel());
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);  // transparent corner of the rounded square

  EXPECT_TRUE(LoadBitmap(kIconApp).isNull());
  EXPECT_TRUE(LoadIcon(kBitmapBanner).isNull());
}

}  // namespace
}  // namespace vor
