// The windows in Chinese: no text of the program's own is left in English, and what goes into
// files stays English. That every text fits its control is window_fit_test.cpp's.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QValueAxis>
#include <optional>
#include <set>

#include "calibration/read_zero_dialog.h"
#include "files/configuration_record.h"
#include "live/fault_history_window.h"
#include "live/live_plot_window.h"
#include "live/live_record.h"
#include "live/live_tools.h"
#include "pages/live_items.h"
#include "resources/language.h"
#include "tests/mainwindow/window_rig.h"

namespace vor {
namespace {

// A text on screen and where it was seen.
struct ShownText {
  QString where;
  QString text;
};

QString Describe(const QWidget* widget) {
  return QString::fromLatin1(widget->metaObject()->className()) + u' ' + widget->objectName() +
         QStringLiteral(" in ") + widget->window()->windowTitle();
}

void AddMenu(const QMenu* menu, std::vector<ShownText>& texts) {
  texts.push_back({QStringLiteral("menu"), menu->title()});
  for (const QAction* action : menu->actions()) {
    if (action->isSeparator()) continue;
    texts.push_back({QStringLiteral("menu entry"), action->text()});
    if (action->toolTip() != QString(action->text()).remove(u'&')) {
      texts.push_back({QStringLiteral("menu tooltip"), action->toolTip()});
    }
    if (action->menu()) AddMenu(action->menu(), texts);
  }
}

// Every text a user can see on `root` and its children shown on it: captions, labels, button
// texts, tooltips, placeholders, headers, menus and chart titles. Field contents are left out:
// they are the controller's values.
std::vector<ShownText> TextsOf(QWidget* root) {
  std::vector<ShownText> texts;
  QList<QWidget*> widgets = root->findChildren<QWidget*>();
  widgets.prepend(root);
  for (QWidget* widget : widgets) {
    // Other windows (dialogs, menus) are walked on their own.
    if (widget != root && (widget->window() != root || !widget->isVisibleTo(root))) continue;
    const QString where = Describe(widget);
    if (widget->isWindow())
      texts.push_back({where + QStringLiteral(" title"), widget->windowTitle()});
    texts.push_back({where + QStringLiteral(" tooltip"), widget->toolTip()});
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      texts.push_back({where, button->text()});
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
      texts.push_back({where, label->text()});
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      texts.push_back({where + QStringLiteral(" placeholder"), edit->placeholderText()});
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
      texts.push_back({where, group->title()});
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      for (int i = 0; i < combo->count(); ++i) texts.push_back({where, combo->itemText(i)});
    } else if (auto* view = qobject_cast<QAbstractItemView*>(widget); view && view->model()) {
      for (int c = 0; c < view->model()->columnCount(); ++c) {
        texts.push_back({where + QStringLiteral(" header"),
                         view->model()->headerData(c, Qt::Horizontal).toString()});
      }
    } else if (auto* chart = qobject_cast<QChartView*>(widget)) {
      texts.push_back({where + QStringLiteral(" chart"), chart->chart()->title()});
      for (const QAbstractAxis* axis : chart->chart()->axes()) {
        texts.push_back({where + QStringLiteral(" axis"), axis->titleText()});
      }
    } else if (auto* bar = qobject_cast<QMenuBar*>(widget)) {
      for (const QAction* action : bar->actions()) {
        if (action->menu()) AddMenu(action->menu(), texts);
      }
    }
  }
  return texts;
}

class ChineseWindowTest : public ::testing::Test, public test::WindowRig {
protected:
  void SetUp() override {
    chinese.emplace(QString::fromLatin1(kChinese));
    ASSERT_TRUE(chinese->loaded());
    chinese->Install();
  }

  // Texts that come from the model's definition scripts and are shown as the scripts have them.
  std::set<QString> ScriptTexts() const {
    std::set<QString> texts;
    const DefinitionSet& set = *state.definitions;
    for (const ParamDef& param : set.params) texts.insert({param.name, param.tips});
    for (const LiveDef& item : set.liveItems) texts.insert({item.name, item.tips});
    for (const FaultDef& fault : set.faults) texts.insert(fault.name);
    return texts;
  }

  // The texts among `texts` that still read as English, apart from the scripts' own texts and
  // names that stay as they are (the product, the model, the line).
  std::vector<ShownText> Untranslated(const std::vector<ShownText>& texts) const {
    const std::set<QString> scriptTexts = ScriptTexts();
    static const QRegularExpression kept(
        QStringLiteral("[A-Z]{3} User|RS232|CSV|JSON|Qt|Ctrl\\+[A-Z0-9]|F1|%1|/dev/\\S*|\\bVOR\\b")
            .replace(QStringLiteral("%1"), QStringLiteral("\\bkm/h\\b")));
    static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
    std::vector<ShownText> untranslated;
    for (const ShownText& shown : texts) {
      if (shown.text.isEmpty() || scriptTexts.count(shown.text) != 0) continue;
      QString rest = shown.text;
      for (const QString& scriptText : scriptTexts) {
        if (scriptText.size() > 2) rest.replace(scriptText, QString());
      }
      rest.replace(kept, QString());
      if (rest.contains(word)) untranslated.push_back(shown);
    }
    return untranslated;
  }

  std::optional<Translation> chinese;
};

std::string Report(const std::vector<ShownText>& texts) {
  std::string report;
  for (const ShownText& shown : texts) {
    report += "\n  " + shown.where.toStdString() + ": \"" + shown.text.toStdString() + "\"";
  }
  return report;
}

TEST_F(ChineseWindowTest, EveryWindowTextOfTheProgramIsTranslated) {
  StartUp();
  window->show();
  std::vector<ShownText> texts;
  for (const MenuCommand page : {MenuCommand::ViewVehicle, MenuCommand::ViewControl,
                                 MenuCommand::ViewMotor, MenuCommand::ViewMonitor}) {
    Trigger(page);
    const std::vector<ShownText> shown = TextsOf(window.get());
    texts.insert(texts.end(), shown.begin(), shown.end());
  }
  // The Monitor's status field after a poll, then the live tools beside it.
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return !FindEdit(Page(PageKey::Monitor), kIdStatusField)->text().isEmpty(); }, 10'000));
  texts.push_back({"status field", FindEdit(Page(PageKey::Monitor), kIdStatusField)->text()});
  Trigger(MenuCommand::ViewLivePlot);
  Trigger(MenuCommand::ViewFaultHistory);
  const std::vector<QWidget*> tools{window->Tools().PlotWindow(), window->Tools().HistoryWindow()};
  for (QWidget* tool : tools) {
    ASSERT_NE(tool, nullptr);
    const std::vector<ShownText> shown = TextsOf(tool);
    texts.insert(texts.end(), shown.begin(), shown.end());
  }
  Trigger(MenuCommand::ViewVehicle);
  texts.push_back({"status line", Status()});
  CReadZeroADdlg zero(state.zero, state.image, link, window.get());
  const std::vector<ShownText> shown = TextsOf(&zero);
  texts.insert(texts.end(), shown.begin(), shown.end());

  EXPECT_GT(texts.size(), 100u);
  const std::vector<ShownText> untranslated = Untranslated(texts);
  EXPECT_TRUE(untranslated.empty()) << "still English:" << Report(untranslated);
}

TEST_F(ChineseWindowTest, WhatGoesIntoFilesStaysEnglish) {
  StartUp();
  const DefinitionSet& set = *state.definitions;
  const ConfigurationRecord record = RecordConfiguration(
      *state.controllerImage, set, QDateTime(QDate(2026, 12, 10), QTime(9, 30)));
  const QByteArray chineseCsv = RecordCsv(record);
  const QByteArray chineseJson = RecordJson(record);
  const QString chineseHeader = CsvHeader(LiveColumns(set, LiveSlotWalk(set)));
  chinese.reset();
  EXPECT_EQ(chineseCsv, RecordCsv(record));
  EXPECT_EQ(chineseJson, RecordJson(record));
  EXPECT_EQ(chineseHeader, CsvHeader(LiveColumns(set, LiveSlotWalk(set))));
}

}  // namespace
}  // namespace vor
