// The lists of differences and of backups: what they found, in words that fit why they are
// shown, and columns that read apart.
#include "mainwindow/compare_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTreeWidget>

#include "mainwindow/backup_dialog.h"

namespace vor {
namespace {

QString Summary(const ImageDifferences& differences, bool confirm) {
  const CompareDialog dialog(differences, confirm);
  const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
  return labels.isEmpty() ? QString() : labels.front()->text();
}

TEST(CompareDialog, SaysWhatItFoundForACompareAndForAWrite) {
  ImageDifferences one;
  one.bytes.push_back({120, 0x01, 0x02});
  const struct {
    ImageDifferences differences;
    bool confirm;
    const char* summary;
  } cases[] = {
      {{}, false, "No differences: the pages and the controller hold the same configuration."},
      {{}, true, "Nothing to change: the controller holds this configuration already."},
      {one, false, "1 value differs from the controller's."},
      {one, true, "1 value differs from the controller's. Write to the controller?"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Summary(c.differences, c.confirm), c.summary) << c.summary;
  }
}

TEST(CompareDialog, NamesBoxesTickedOrNotAndKeepsItsColumnsApart) {
  ImageDifferences differences;
  differences.fields.push_back({PageKind::Vehicle, 2, true, "Rev_HCurr", "0", "1"});
  differences.fields.push_back({PageKind::Vehicle, 22, false, "Low Volt", "54", "50"});
  const CompareDialog dialog(differences, true);
  const QTreeWidget* list = dialog.findChild<QTreeWidget*>();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->topLevelItem(0)->text(2), "not ticked");
  EXPECT_EQ(list->topLevelItem(0)->text(3), "ticked");
  EXPECT_EQ(list->topLevelItem(1)->text(2), "54");
  // Room beyond the widest text of each column but the last, which takes the rest.
  const int gap = 2 * list->fontMetrics().averageCharWidth();
  for (int column = 0; column + 1 < list->columnCount(); ++column) {
    int widest = list->fontMetrics().horizontalAdvance(list->headerItem()->text(column));
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
      widest = std::max(
          widest, list->fontMetrics().horizontalAdvance(list->topLevelItem(row)->text(column)));
    }
    EXPECT_GE(list->columnWidth(column), widest + gap) << column;
  }
}

// Two backups can fall in one minute; each reads the same in every language.
TEST(BackupDialog, GivesEachBackupItsDateAndTimeToTheSecond) {
  const QDate day(2026, 12, 10);
  const std::vector<BackupChoice> backups = {{"b.bin", QDateTime(day, QTime(21, 16, 50)), 2, {}},
                                             {"a.bin", QDateTime(day, QTime(21, 16, 3)), 1, {}}};
  const BackupDialog dialog(backups, "1234567");
  EXPECT_EQ(dialog.List()->topLevelItem(0)->text(0), "2026-12-10 21:16:50");
  EXPECT_EQ(dialog.List()->topLevelItem(1)->text(0), "2026-12-10 21:16:03");
}

}  // namespace
}  // namespace vor
