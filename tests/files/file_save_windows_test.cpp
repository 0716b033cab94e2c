// Saving on Windows, where a file another program has open cannot be replaced.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "files/file_save.h"

namespace vor {
namespace {

// Another program holding the old file open (a CSV open in a spreadsheet) makes the move fail:
// the save says why, the old file keeps its bytes, and the temporary file is gone.
TEST(SaveFileOnWindows, ATargetHeldOpenIsLeftAsItWasAndNothingIsLeftBehind) {
  QTemporaryDir dir;
  const QString path = dir.filePath("export.csv");
  QString reason;
  ASSERT_TRUE(SaveFile(path, QByteArray("old"), reason)) << reason.toStdString();
  QFile holder(path);
  ASSERT_TRUE(holder.open(QIODevice::ReadOnly));

  EXPECT_FALSE(SaveFile(path, QByteArray("new"), reason));
  EXPECT_FALSE(reason.isEmpty());
  holder.close();
  QFile kept(path);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), QByteArray("old"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"export.csv"});

  kept.close();
  // Once it is closed, the same save replaces it.
  ASSERT_TRUE(SaveFile(path, QByteArray("new"), reason)) << reason.toStdString();
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), QByteArray("new"));
}

}  // namespace
}  // namespace vor
