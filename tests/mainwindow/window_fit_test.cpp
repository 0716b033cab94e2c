// Every text the windows show is whole, for every row of the model table and in both languages:
// the definitions' labels, box names and fault names, the widest value each field can show, and
// the program's own captions; and the controls keep the template's places and do not overlap.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontInfo>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QSysInfo>
#include <optional>
#include <string>

#include "calibration/read_zero_dialog.h"
#include "mainwindow/scrolling_frame.h"
#include "pages/live_items.h"
#include "pages/page_records.h"
#include "pages/value_codec.h"
#include "resources/language.h"
#include "tests/mainwindow/window_rig.h"
#include "tests/support/model_scripts.h"

namespace vor {
namespace {

struct FitCase {
  test::ModelScripts row;
  const char* language;
};

void PrintTo(const FitCase& c, std::ostream* os) {
  *os << c.row.code << " special " << int(c.row.special.value_or(0)) << " software "
      << c.row.software.value_or(0) << " in " << c.language;
}

std::string CaseName(const ::testing::TestParamInfo<FitCase>& info) {
  std::string name = info.param.row.code;
  if (info.param.row.special) name += "Special" + std::to_string(*info.param.row.special);
  if (info.param.row.software) name += "Software" + std::to_string(*info.param.row.software);
  return name +
         (QLatin1String(info.param.language) == QLatin1String(kChinese) ? "Chinese" : "English");
}

std::vector<FitCase> AllCases() {
  std::vector<FitCase> cases;
  for (const char* language : {kEnglish, kChinese}) {
    for (const test::ModelScripts& row : test::kModelScripts) cases.push_back({row, language});
  }
  return cases;
}

QString Where(const QWidget* control) {
  return QStringLiteral("%1 %2 in %3")
      .arg(QString::fromLatin1(control->metaObject()->className()))
      .arg(ControlIdOf(control))
      .arg(QString::fromLatin1(control->parentWidget()->metaObject()->className()));
}

// The room for text inside an edit, measured as QLineEdit draws: the frame's contents less the
// text margins and 2 pixels on either side.
int EditRoom(const QLineEdit* edit) {
  QStyleOptionFrame option;
  option.initFrom(edit);
  option.rect = edit->rect();
  option.lineWidth =
      edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
  const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit) -
                         edit->textMargins();
  return contents.width() - 4;
}

class TextsFitTest : public ::testing::TestWithParam<FitCase> {
protected:
  void SetUp() override {
    const FitCase& c = GetParam();
    language.emplace(QString::fromLatin1(c.language));
    ASSERT_TRUE(language->loaded());
    language->Install();
    ImageOptions options;
    options.specialVersion = c.row.special;
    options.softwareVersion = c.row.software;
    rig = std::make_unique<test::WindowRig>(
        *DefaultImageFor(QString::fromLatin1(c.row.code), options));
    rig->StartUp();
    rig->window->show();
  }

  void Cut(const QWidget* control, const QString& text, int needed, int has) {
    cut.push_back(QStringLiteral("%1: \"%2\" needs %3 px, has %4")
                      .arg(Where(control), text)
                      .arg(needed)
                      .arg(has));
  }

  // One line of text, in a static, box or button, neither elided nor cut: by the control's edge
  // or, for a page's control that runs past the page area, by the page's border.
  void CheckOneLine(QWidget* control) {
    QString text;
    int needed = 0;
    const QFontMetrics metrics(control->font());
    if (auto* button = qobject_cast<QPushButton*>(control)) {
      text = button->text();
      needed = metrics.horizontalAdvance(QString(text).remove(u'&')) +
               2 * control->style()->pixelMetric(QStyle::PM_ButtonMargin);
    } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
      // Blanks at the end ("Phase Auto_Discern ") would count in the size hint but show nothing.
      text = box->text();
      QCheckBox probe(Shown(text));
      probe.setFont(box->font());
      needed = probe.sizeHint().width();
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
      text = label->text();
      QLabel probe(Shown(text));
      probe.setFont(label->font());
      needed = probe.sizeHint().width();
    }
    ++checked;
    const int width = VisibleRect(control).width();
    if (text.contains(QChar(0x2026))) Cut(control, text, needed, width);
    if (needed > width) Cut(control, text, needed, width);
    if (metrics.height() > control->height())
      Cut(control, text, metrics.height(), control->height());
  }

  static QString Shown(const QString& text) {
    return QString(text).remove(QRegularExpression(QStringLiteral("\\s+$")));
  }

  // The part of `control` inside its dialog's client area (within a page's border).
  static QRect VisibleRect(const QWidget* control) {
    const QWidget* dialog = control->parentWidget();
    const int border = dialog->windowType() == Qt::Widget ? 1 : 0;
    return control->geometry().intersected(
        dialog->rect().adjusted(border, border, -border, -border));
  }

  // A static that wraps: `text` in as many lines as its width makes, within its visible height.
  void CheckWrapped(QLabel* label, const QString& text) {
    ++checked;
    const QRect needed =
        QFontMetrics(label->font())
            .boundingRect(QRect(0, 0, label->width(), 10'000), Qt::TextWordWrap, text);
    const QRect visible = VisibleRect(label);
    if (needed.width() > visible.width()) Cut(label, text, needed.width(), visible.width());
    if (needed.height() > visible.height()) Cut(label, text, needed.height(), visible.height());
  }

  void CheckField(QLineEdit* edit, const QStringList& texts) {
    const int room = EditRoom(edit);
    for (const QString& text : texts) {
      ++checked;
      const int needed = QFontMetrics(edit->font()).horizontalAdvance(text);
      if (needed > room) Cut(edit, text, needed, room);
    }
  }

  // The shown controls of `dialog` stand where its template puts them, and none lies on another.
  void CheckPlaces(QWidget* dialog, int templateId) {
    const DialogTemplate& dialogTemplate = *FindDialogTemplate(templateId);
    const DialogBaseUnits base = BaseUnitsOf(dialog->font());
    const QPoint origin = dialogTemplate.style & kDlgThinBorder ? QPoint(1, 1) : QPoint(0, 0);
    std::vector<QWidget*> shown;
    for (QWidget* control : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      const ControlTemplate* place = FindControlTemplate(dialogTemplate, ControlIdOf(control));
      if (!place || control->isHidden()) continue;
      const QRect rect(place->x, place->y, place->width, place->height);
      EXPECT_EQ(control->pos(), DluToPixels(rect, base).topLeft() + origin)
          << Where(control).toStdString();
      for (QWidget* other : shown) {
        EXPECT_FALSE(other->geometry().intersects(control->geometry()))
            << Where(other).toStdString() << " and " << Where(control).toStdString();
      }
      shown.push_back(control);
    }
  }

  // Every shown static, box and button of `dialog` on one line, or a static that wraps within
  // its height; the tip area holds the tip of every field, as far as the page shows it.
  void CheckControls(QWidget* dialog, const QStringList& tips = {}) {
    for (QWidget* control : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (control->isHidden() || ControlIdOf(control) == kNoControlId) continue;
      auto* label = qobject_cast<QLabel*>(control);
      if (label && label->wordWrap()) {
        CheckWrapped(label, label->text());
      } else if (label || qobject_cast<QAbstractButton*>(control)) {
        CheckOneLine(control);
      }
    }
    if (QLabel* tip = FindStatic(dialog, kIdTipArea)) {
      for (const QString& text : tips) CheckWrapped(tip, text);
    }
  }

  void CheckParameterPage(PageKey key, PageKind kind) {
    QWidget* page = rig->Page(key);
    const DefinitionSet& set = *rig->state.definitions;
    const PageSlots walk = SlotWalk(set, kind);
    QStringList tips;
    for (int k = 0; k < walk.count; ++k) {
      const ParamDef& def = set.params[std::size_t(walk.position[std::size_t(k)])];
      tips.append(TipText(def));
      QLineEdit* edit = FindEdit(page, SlotEditId(k));
      ASSERT_NE(edit, nullptr);
      // What it shows now, and the texts of its range's ends.
      QStringList texts{edit->text()};
      if (def.sw.Kind() != Encoding::Ascii) {
        for (const std::int32_t bound : {def.rangeL, def.rangeH}) {
          ConfigImage image = rig->state.image;
          const QString entry = QString::number(bound, def.sw.Kind() == Encoding::Hex ? 16 : 10);
          if (StoreValue(def, entry, image) != StoreResult::Stored) continue;
          if (const std::optional<QString> text = FormatValue(def, image)) texts.append(*text);
        }
      }
      CheckField(edit, texts);
    }
    CheckControls(page, tips);
    CheckPlaces(page, page->property("vorTemplateId").toInt());
  }

  void CheckMonitorPage() {
    QWidget* page = rig->Page(PageKey::Monitor);
    const DefinitionSet& set = *rig->state.definitions;
    const LiveSlots walk = LiveSlotWalk(set);
    QStringList faultNames{QStringLiteral(" ")};
    for (const FaultDef& fault : set.Faults()) faultNames.append(fault.name);
    QStringList tips;
    for (int k = 0; k < walk.count; ++k) {
      const LiveDef& def = set.liveItems[std::size_t(walk.position[std::size_t(k)])];
      tips.append(def.tips);
      // Every byte value in every byte of the item.
      QStringList texts;
      std::array<std::uint8_t, 48> block{};
      for (int value = 0; value < 256; ++value) {
        block.fill(std::uint8_t(value));
        const LiveText text = FormatLiveItem(def, block);
        if (text.kind == LiveText::Kind::Text) texts.append(text.text);
        if (text.kind == LiveText::Kind::FaultWord) texts = faultNames;
      }
      CheckField(FindEdit(page, SlotEditId(k)), texts);
    }
    CheckField(FindEdit(page, kIdStatusField),
               {QCoreApplication::translate("vor::CMonitor1Dlg", "Success!"),
                QCoreApplication::translate("vor::CMonitor1Dlg", "Failure!")});
    CheckControls(page, tips);
    CheckPlaces(page, kDialogMonitor);
  }

  void CheckCalibrationDialog() {
    CReadZeroADdlg dialog(rig->state.zero, rig->state.image, rig->link, rig->window.get());
    dialog.show();
    for (int phase = 0; phase < 3; ++phase) {
      CheckField(FindEdit(&dialog, kIdLowestA + phase), {QStringLiteral("255")});
      CheckField(FindEdit(&dialog, kIdReadingsA + phase), {QStringLiteral("255,255,255")});
    }
    CheckControls(&dialog);
    CheckPlaces(&dialog, kDialogReadZero);
  }

  void CheckMainWindow() {
    CVORUserDlg* window = rig->window.get();
    CheckControls(window);
    QLabel* status = FindStatic(window, kIdStatusLine);
    for (const char* text : {"Read success!", "Read failure!", "Write success!", "Write failure!",
                             CVORUserDlg::kFromFileStatus}) {
      CheckWrapped(status, QCoreApplication::translate("vor::CVORUserDlg", text));
    }
  }

  std::optional<Translation> language;
  std::unique_ptr<test::WindowRig> rig;
  std::vector<QString> cut;
  int checked = 0;
};

TEST_P(TextsFitTest, EveryTextIsWholeAndEveryControlInItsPlace) {
  // The faces the layout is measured with; without them the test would measure another program.
  const bool chinese = QLatin1String(GetParam().language) == QLatin1String(kChinese);
  if (QSysInfo::kernelType() == u"winnt") {
    GTEST_SKIP() << "the fit is measured against the text widths of Linux's font rendering; on "
                    "Windows the offscreen plugin renders the same faces a few pixels wider or "
                    "narrower, so the Windows windows are looked at on screenshots instead";
  }
  EXPECT_EQ(QFontInfo(rig->window->font()).family(), chinese ? "WenQuanYi Micro Hei" : "Tahoma");

  const struct {
    MenuCommand command;
    PageKey key;
    PageKind kind;
  } pages[] = {{MenuCommand::ViewVehicle, PageKey::Vehicle, PageKind::Vehicle},
               {MenuCommand::ViewControl, PageKey::Control, PageKind::Control},
               {MenuCommand::ViewMotor, PageKey::Motor, PageKind::Motor}};
  for (const auto& page : pages) {
    rig->Trigger(page.command);
    CheckParameterPage(page.key, page.kind);
  }
  rig->Trigger(MenuCommand::ViewMonitor);
  CheckMonitorPage();
  rig->Trigger(MenuCommand::ViewVehicle);
  CheckCalibrationDialog();
  CheckMainWindow();

  EXPECT_GT(checked, 100);
  std::string report;
  for (const QString& line : cut) report += "\n  " + line.toStdString();
  EXPECT_TRUE(cut.empty()) << "not whole:" << report;
}

// The main window at the template's size, as a user sees it (a scale factor scales all of it
// alike): nothing stands on its edges, the banner spans the window with the same margin on either
// side, and the pages keep clear of the outer border.
TEST(MainWindowLayout, BannerSpansTheWindowAndTheButtonsStandClearOfItsLowerEdge) {
  test::WindowRig rig;
  rig.StartUp();
  CVORUserDlg& window = *rig.window;
  window.show();
  const QImage shot = window.grab().toImage();
  const QColor background = window.palette().color(QPalette::Window);

  QLabel* banner = nullptr;
  for (QLabel* label : window.findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
    if (!label->pixmap().isNull() && label->width() > label->height()) banner = label;
  }
  ASSERT_NE(banner, nullptr);
  const QRect place = banner->geometry();
  const int margin = place.left();
  EXPECT_NEAR(window.width() - 1 - place.right(), margin, 2);
  // Drawn up to its right end, not only placed there (the border's line crosses its last units).
  for (const int x : {place.left() + 4, place.left() + place.width() * 98 / 100}) {
    EXPECT_NE(shot.pixelColor(x, place.center().y()), background) << "banner column " << x;
  }

  int lowest = 0;
  for (QPushButton* button : window.findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
    EXPECT_TRUE(window.rect().contains(button->geometry())) << button->text().toStdString();
    lowest = std::max(lowest, button->geometry().bottom());
  }
  EXPECT_GE(window.height() - 1 - lowest, margin) << "the last row of buttons";

  // The outer border's lines lie inside the window, and the page on show inside them.
  int borderRight = window.width();
  for (QFrame* line : window.findChildren<QFrame*>(Qt::FindDirectChildrenOnly)) {
    if (line->frameShape() != QFrame::VLine && line->frameShape() != QFrame::HLine) continue;
    EXPECT_TRUE(window.rect().contains(line->geometry()));
    if (line->frameShape() == QFrame::VLine && line->x() > window.width() / 2) {
      borderRight = line->geometry().left();
    }
  }
  EXPECT_LT(rig.Page(PageKey::Vehicle)->geometry().right(), borderRight);
}

// On a screen too small for the window (1600 by 1200 at a scale of 2 is 800 by 600), the window
// scrolls in a frame that fits, every control can be brought into sight, and the frame's close box
// asks the window's own question.
TEST(MainWindowLayout, OnAScreenTooSmallTheWindowScrollsAndReachesEveryControl) {
  test::WindowRig rig;
  rig.StartUp();
  CVORUserDlg& window = *rig.window;
  const QRect screen(0, 0, 800, 600);
  ASSERT_FALSE(FitsOnScreen(window.size(), screen));
  EXPECT_TRUE(FitsOnScreen(window.size(), QRect(QPoint(0, 0), 2 * window.size())));
  {
    ScrollingFrame frame(&window, screen);
    frame.show();
    window.show();
    EXPECT_TRUE(screen.contains(frame.frameGeometry()))
        << frame.size().width() << "x" << frame.size().height();
    const QRect view = frame.viewport()->rect();
    for (QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (control->isHidden() || !qobject_cast<QAbstractButton*>(control)) continue;
      frame.ensureWidgetVisible(control, 0, 0);
      const QRect there(control->mapTo(frame.viewport(), QPoint(0, 0)), control->size());
      EXPECT_TRUE(view.contains(there)) << control->objectName().toStdString();
    }

    rig.prompter.answers = {Answer::Cancel};
    frame.close();
    EXPECT_EQ(rig.prompter.AskedIds(), std::vector<int>{kMsgSureToExit});
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(window.isVisible());
    rig.prompter.answers = {Answer::Ok};
    frame.close();
    EXPECT_FALSE(frame.isVisible());
    EXPECT_FALSE(window.isVisible());
  }
  // The window outlives the frame, as it is its creator's.
  EXPECT_EQ(window.parentWidget(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(EveryModelRowInBothLanguages, TextsFitTest,
                         ::testing::ValuesIn(AllCases()), CaseName);

}  // namespace
}  // namespace vor
