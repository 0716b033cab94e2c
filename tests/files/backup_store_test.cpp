// Automatic backups: names, atomic saves and pruning per serial number.
#include "files/backup_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "definitions/model_images.h"
#include "definitions/model_table.h"
#include "files/image_file.h"

namespace vor {
namespace {

ConfigImage WithSerial(std::uint32_t serial) {
  ConfigImage image = *DefaultImageFor(u"VOR");
  for (int i = 0; i < 4; ++i) {
    image[kSerialNumberAddr + std::size_t(i)] = std::uint8_t(serial >> (24 - 8 * i));
  }
  return image;
}

const QDateTime kStart(QDate(2026, 12, 10), QTime(14, 35, 1, 250));

TEST(BackupStore, SavesTheImageUnderModuleSerialAndTime) {
  QTemporaryDir dir;
  const BackupStore store(dir.filePath("backups"));  // made on first use
  ConfigImage image = WithSerial(12345678);
  image[kModuleNameAddr + 2] = '/';  // not fit for a file name
  QString error;
  const QString path = store.Save(image, kStart, error);
  ASSERT_FALSE(path.isEmpty()) << error.toStdString();
  EXPECT_EQ(QFileInfo(path).fileName(), "VO_72450-12345678-20261210-143501-250.bin");
  ConfigImage saved;
  ASSERT_TRUE(LoadImageFile(path, saved, error));
  EXPECT_EQ(saved.bytes, image.bytes);
}

TEST(BackupStore, KeepsTheNewestHundredOfEachSerialNumber) {
  QTemporaryDir dir;
  const BackupStore store(dir.path());
  QString error;
  // A serial number that reads like a date must not be taken for another's backup time.
  const ConfigImage other = WithSerial(20261210);
  ASSERT_FALSE(store.Save(other, kStart, error).isEmpty());
  const ConfigImage image = WithSerial(7);
  for (int i = 0; i < BackupStore::kKeepPerSerial + 5; ++i) {
    ASSERT_FALSE(store.Save(image, kStart.addSecs(i), error).isEmpty()) << error.toStdString();
  }
  const QStringList kept = store.BackupsOf("7");
  ASSERT_EQ(kept.size(), BackupStore::kKeepPerSerial);
  EXPECT_TRUE(kept.front().contains("-20261210-143645-250"));  // the newest, first
  EXPECT_TRUE(kept.back().contains("-20261210-143506-250"));   // the five oldest are gone
  EXPECT_EQ(store.BackupsOf("20261210").size(), 1);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), BackupStore::kKeepPerSerial + 1);
}

TEST(BackupStore, AFolderThatCannotBeMadeIsReported) {
  QTemporaryDir dir;
  QFile blocker(dir.filePath("file"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  const BackupStore store(dir.filePath("file/backups"));
  QString error;
  EXPECT_TRUE(store.Save(WithSerial(1), kStart, error).isEmpty());
  EXPECT_TRUE(error.contains("backups")) << error.toStdString();
}

}  // namespace
}  // namespace vor
