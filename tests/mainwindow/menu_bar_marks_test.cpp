// The marks at the menu bar's end: side by side in their order, each whole, gone when empty, and a
// notice for a while goes by itself.
#include "mainwindow/menu_bar_marks.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

namespace vor {
namespace {

using Mark = MenuBarMarks::Mark;

class MenuBarMarksTest : public ::testing::Test {
protected:
  MenuBarMarksTest() {
    bar->addMenu(QStringLiteral("&File"));
    bar->addMenu(QStringLiteral("&Help"));
    window.setMenuBar(bar);
    window.resize(900, 300);
    window.show();
  }
  QRect InBar(Mark mark) {
    QLabel* label = marks->Label(mark);
    return QRect(label->mapTo(bar, QPoint(0, 0)), label->size());
  }

  QMainWindow window;
  QMenuBar* bar = new QMenuBar;
  MenuBarMarks* marks = new MenuBarMarks(bar);
};

TEST_F(MenuBarMarksTest, StandSideBySideEachWholeAndMakeRoomAsTheyComeAndGo) {
  marks->Set(Mark::Recording, QStringLiteral("● Recording: 9 rows"), QStringLiteral("rec.csv"));
  marks->Set(Mark::NoAnswer, QStringLiteral("No answer since 14:03:21"));
  marks->Set(Mark::Recording, QStringLiteral("● Recording: 10 rows"), QStringLiteral("rec.csv"));
  const QRect help = bar->actionGeometry(bar->actions().back());
  for (Mark mark : {Mark::NoAnswer, Mark::Recording}) {
    QLabel* label = marks->Label(mark);
    EXPECT_TRUE(label->isVisible());
    EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    EXPECT_TRUE(bar->rect().contains(InBar(mark))) << label->text().toStdString();
    EXPECT_GT(InBar(mark).left(), help.right()) << label->text().toStdString();
  }
  EXPECT_LT(InBar(Mark::NoAnswer).right(), InBar(Mark::Recording).left());
  EXPECT_EQ(marks->Label(Mark::Recording)->toolTip(), "rec.csv");
  EXPECT_TRUE(marks->Label(Mark::FileWritten)->isHidden());

  marks->Set(Mark::NoAnswer, {});
  EXPECT_TRUE(marks->Label(Mark::NoAnswer)->isHidden());
  EXPECT_EQ(InBar(Mark::Recording).right(), marks->geometry().right() - 6);
  // Back with the same text: room again.
  marks->Set(Mark::NoAnswer, QStringLiteral("No answer since 14:03:21"));
  EXPECT_LT(InBar(Mark::NoAnswer).right(), InBar(Mark::Recording).left());
  EXPECT_GT(InBar(Mark::NoAnswer).left(), help.right());
}

TEST_F(MenuBarMarksTest, ANoticeForAWhileGoesByItselfUnlessSetAgain) {
  marks->SetFor(Mark::FileWritten, QStringLiteral("Exported to a.csv"), {}, 0);
  QCoreApplication::processEvents();
  EXPECT_TRUE(marks->Label(Mark::FileWritten)->isHidden());

  marks->SetFor(Mark::FileWritten, QStringLiteral("Exported to b.csv"), {}, 0);
  marks->Set(Mark::FileWritten, QStringLiteral("Exported to c.csv"));
  QCoreApplication::processEvents();
  EXPECT_EQ(marks->Label(Mark::FileWritten)->text(), "Exported to c.csv");
  EXPECT_FALSE(marks->Label(Mark::FileWritten)->isHidden());
}

}  // namespace
}  // namespace vor
