// The list of differences says what it found in words that fit why it is shown.
#include "mainwindow/compare_dialog.h"

#include <gtest/gtest.h>

#include <QLabel>

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

}  // namespace
}  // namespace vor
