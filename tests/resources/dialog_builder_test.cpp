#include "resources/dialog_builder.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
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
  // The template's 522 x 413, and room for the outer border's left margin at the right and bottom.
  EXPECT_EQ(window.size(), DluToPixels(QRect(0, 0, 526, 417), base).size());

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

  // The pictures fill their controls with their bitmaps, inside the window.
  int pictures = 0;
  for (QLabel* label : window.findChildren<QLabel*>()) {
    if (label->pixmap().isNull()) continue;
    ++pictures;
    const QSize size = label->pixmap().size();
    // The banner within the outer border's lines.
    const QRect dlu = size.width() > size.height() ? QRect(5, 7, 516, 63) : QRect(5, 111, 89, 300);
    EXPECT_EQ(size, size.width() > size.height() ? QSize(863, 105) : QSize(150, 519));
    EXPECT_EQ(label->geometry(), DluToPixels(dlu, base));
    EXPECT_TRUE(label->hasScaledContents());
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

// A dialog to fit texts in: a one-line static with an edit beside it, a hidden static and another
// edit further right on the same row; a check box whose row has nothing beside it but an edit
// lower down; a static two lines high.
constexpr ControlTemplate kFitControls[] = {
    {10, ControlKind::StaticText, 0, 0, 30, 11, "", kStyleNone},
    {11, ControlKind::Edit, 60, 0, 40, 14, "", kBorder},
    {12, ControlKind::StaticText, 110, 2, 30, 11, "", kHidden},
    {13, ControlKind::Edit, 150, 0, 40, 14, "", kBorder},
    {20, ControlKind::CheckBox, 0, 20, 30, 10, "", kStyleNone},
    {21, ControlKind::Edit, 100, 32, 40, 14, "", kBorder},
    {30, ControlKind::StaticText, 0, 44, 30, 16, "", kStyleNone},
};
constexpr DialogTemplate kFitDialog{
    900, "", 200, 60, "MS Shell Dlg", 9, kDlgChild | kDlgThinBorder, kFitControls};

class FitTexts : public ::testing::Test {
protected:
  FitTexts() : base(BuildDialog(kFitDialog, &dialog)) {}

  int Px(int dluX) const { return MulDiv(dluX, base.x, 4); }
  // A text of `width` pixels or more in the dialog's font.
  QString TextOfWidth(int width) const {
    QString text = QStringLiteral("W");
    while (QFontMetrics(dialog.font()).horizontalAdvance(text) < width)
      text += QStringLiteral(" x");
    return text;
  }

  QWidget dialog;
  DialogBaseUnits base;
};

TEST_F(FitTexts, AStaticGrowsAsFarAsItsTextNeedsAndNotIntoItsNeighbour) {
  QLabel* label = FindStatic(&dialog, 10);
  const int free = Px(60) - Px(1);  // up to one unit before the edit beside it
  struct Case {
    int textWidth;
    int expectedRight;  // exclusive; 0: the label's own width is kept
  };
  for (const Case& c : {Case{Px(20), 0}, Case{Px(45), -1}, Case{Px(80), free}}) {
    SCOPED_TRACE(c.textWidth);
    label->resize(Px(30), label->height());
    label->setToolTip(QString());
    const QString text = TextOfWidth(c.textWidth);
    label->setText(text);
    FitTextsToControls(&dialog);
    EXPECT_EQ(label->pos(), DluToPixels(QRect(0, 0, 30, 11), base).topLeft() + QPoint(1, 1));
    if (c.expectedRight == 0) {
      EXPECT_EQ(label->width(), Px(30));
    } else if (c.expectedRight < 0) {
      EXPECT_EQ(label->width(), label->sizeHint().width());  // just as wide as the text
      EXPECT_EQ(label->text(), text);
      EXPECT_TRUE(label->toolTip().isEmpty());
    } else {
      // No room for it: elided within the room, whole in the tooltip.
      EXPECT_EQ(label->geometry().right() + 1, c.expectedRight + 1);
      EXPECT_NE(label->text(), text);
      EXPECT_TRUE(label->text().endsWith(QChar(0x2026)));
      EXPECT_LE(label->sizeHint().width(), label->width());
      EXPECT_EQ(label->toolTip(), text);
    }
  }
}

TEST_F(FitTexts, BlanksAtTheEndOfANameTakeNoRoom) {
  QLabel* label = FindStatic(&dialog, 10);
  const QString name = TextOfWidth(Px(40));
  label->setText(name + QStringLiteral("     "));
  FitTextsToControls(&dialog);
  QLabel whole(name);
  whole.setFont(label->font());
  EXPECT_EQ(label->width(), whole.sizeHint().width());
}

TEST_F(FitTexts, ABoxGrowsPastControlsOfOtherRowsUpToTheDialogsBorder) {
  QCheckBox* box = FindCheckBox(&dialog, 20);
  box->setText(TextOfWidth(Px(300)));
  FitTextsToControls(&dialog);
  // The edge is the border's inside, less a unit.
  EXPECT_EQ(box->geometry().right() + 1, dialog.width() - 1 - Px(1));
  EXPECT_EQ(box->toolTip(), TextOfWidth(Px(300)));
  EXPECT_LE(box->sizeHint().width(), box->width());
}

TEST_F(FitTexts, AStaticOfSeveralLinesWrapsAndIsLeftAsItIs) {
  QLabel* tall = FindStatic(&dialog, 30);
  EXPECT_TRUE(tall->wordWrap());
  EXPECT_FALSE(FindStatic(&dialog, 10)->wordWrap());
  tall->setText(TextOfWidth(Px(100)));
  FitTextsToControls(&dialog);
  EXPECT_EQ(tall->width(), Px(30));
}

TEST_F(FitTexts, AFieldGrowsPastAHiddenControlForTheWidestOfItsTexts) {
  QLineEdit* field = FindEdit(&dialog, 11);
  const QString wide = TextOfWidth(Px(70));
  EXPECT_TRUE(FitFieldToTexts(field, {QStringLiteral("a"), wide, QStringLiteral("b")}));
  EXPECT_GT(field->width(), Px(40));
  EXPECT_LT(field->geometry().right(), DluToPixels(QRect(110, 2, 30, 11), base).right());

  // Beyond the next shown control there is no room: it stops before it.
  EXPECT_FALSE(FitFieldToTexts(field, {TextOfWidth(Px(200))}));
  EXPECT_EQ(field->geometry().right() + 1, Px(150) + 1 - Px(1));
}

TEST(DialogFont, TheFacesHaveTheTemplatesMetricsAndChineseHasItsOwn) {
  const DialogTemplate& main = *FindDialogTemplate(kDialogMain);
  const DialogTemplate& zero = *FindDialogTemplate(kDialogReadZero);
  const QLocale previous;
  EXPECT_EQ(QFontInfo(DialogFont(main)).family(), "Tahoma");
  EXPECT_EQ(QFontInfo(DialogFont(main)).pointSize(), 9);
  EXPECT_EQ(QFontInfo(DialogFont(zero)).family(), "System");
  // Windows' base units for its System face.
  EXPECT_EQ(BaseUnitsOf(DialogFont(zero)).x, 8);
  EXPECT_EQ(BaseUnitsOf(DialogFont(zero)).y, 16);
  if (!QFontDatabase::hasFamily("WenQuanYi Micro Hei")) {
    GTEST_SKIP() << "the Chinese face WenQuanYi Micro Hei is not installed for this platform "
                    "plugin (Windows' offscreen plugin sees only the faces the program adds)";
  }
  QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
  EXPECT_EQ(QFontInfo(DialogFont(main)).family(), "WenQuanYi Micro Hei");
  EXPECT_EQ(QFontInfo(DialogFont(zero)).family(), "WenQuanYi Micro Hei");
  EXPECT_EQ(QFontInfo(DialogFont(zero)).pointSize(), 10);
  QLocale::setDefault(previous);
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
