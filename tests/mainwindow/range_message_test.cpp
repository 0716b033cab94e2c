// The range message of a refused entry, shown in a real message box: it must leave the refused
// field and its label in sight, whatever the length of its text in either language.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <optional>

#include "mainwindow/message_box_prompter.h"
#include "resources/language.h"
#include "tests/mainwindow/window_rig.h"

namespace vor {
namespace {

QRect OnScreen(const QWidget* widget) {
  return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

class RangeMessageTest : public ::testing::TestWithParam<const char*>, public test::WindowRig {
protected:
  void SetUp() override {
    translation.emplace(QString::fromLatin1(GetParam()));
    translation->Install();
  }

  MessageBoxPrompter boxes{[this] { return window.get(); }};
  std::optional<Translation> translation;
};

TEST_P(RangeMessageTest, TheBoxLeavesTheRefusedFieldAndItsLabelInSight) {
  window = std::make_unique<CVORUserDlg>(state, link, boxes, CreatePages(state, boxes, link),
                                         services.services);
  ASSERT_TRUE(window->OnInitDialog());
  window->show();
  const QRect screen = window->screen()->availableGeometry();
  window->move(screen.topLeft());

  // Each field of the Vehicle page in turn, so the box meets fields high and low on the page.
  int checked = 0;
  for (int k = 0; k < kParamSlotCount; ++k) {
    QLineEdit* edit = FindEdit(Page(PageKey::Vehicle), SlotEditId(k));
    QLabel* label = FindStatic(Page(PageKey::Vehicle), SlotLabelId(k));
    if (!edit || !label || !edit->isVisible() || !edit->isEnabled()) continue;
    bool number = false;
    edit->text().toInt(&number);
    if (!number) continue;
    // -1: 255 in a byte, a huge number in more; most ranges refuse it.
    const QString before = edit->text();
    edit->setText(QStringLiteral("-1"));
    const QRect field = OnScreen(edit).united(OnScreen(label));
    std::optional<QRect> box;
    QTimer answer;  // runs only inside a message box's loop, gone with this round
    answer.setSingleShot(true);
    QObject::connect(&answer, &QTimer::timeout, [&] {
      auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(shown, nullptr);
      box = shown->frameGeometry();
      shown->button(QMessageBox::Ok)->click();
    });
    answer.start(0);
    Trigger(MenuCommand::ViewControl);
    if (!box) {  // the entry was within its range: no message, back to the page
      Trigger(MenuCommand::ViewVehicle);
      edit->setText(before);
      continue;
    }
    ++checked;
    EXPECT_FALSE(box->intersects(field)) << label->text().toStdString();
    EXPECT_TRUE(screen.contains(*box)) << label->text().toStdString();
    EXPECT_EQ(window->currentPage, PageKey::Vehicle);
    edit->setText(before);  // an entry that is no number in the field's form stays as typed
  }
  EXPECT_GE(checked, 3);
}

INSTANTIATE_TEST_SUITE_P(Languages, RangeMessageTest, ::testing::Values(kEnglish, kChinese));

}  // namespace
}  // namespace vor
