// The exported record of a configuration: what it holds, and its CSV and JSON forms.
#include "files/configuration_record.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <memory>

#include "definitions/definition_loader.h"
#include "definitions/model_images.h"
#include "tests/support/scripted_prompter.h"

namespace vor {
namespace {

class ConfigurationRecordTest : public ::testing::Test {
protected:
  void SetUp() override {
    image = *DefaultImageFor(u"VOR");
    image[19] = 42;  // Low Volt
    test::ScriptedPrompter prompter;
    ASSERT_TRUE(LoadDefinitions(image, *set, prompter));
  }

  ConfigurationRecord Record() const { return RecordConfiguration(image, *set, kDate); }

  const QDateTime kDate{QDate(2026, 12, 10), QTime(14, 35, 1), Qt::UTC};
  ConfigImage image;
  std::unique_ptr<DefinitionSet> set = std::make_unique<DefinitionSet>();
};

TEST_F(ConfigurationRecordTest, HoldsTheIdentityAndEveryShownControlAsThePageShowsIt) {
  const ConfigurationRecord record = Record();
  EXPECT_EQ(record.modelCode, "VOR");
  EXPECT_EQ(record.voltageClass, "72");
  ASSERT_FALSE(record.fields.empty());
  EXPECT_TRUE(record.fields.front().box);  // the Vehicle page's boxes come first
  EXPECT_EQ(record.fields.front().label, "Boost");
  const auto lowVolt = std::ranges::find_if(
      record.fields, [](const RecordedField& f) { return f.label == "Low Volt"; });
  ASSERT_NE(lowVolt, record.fields.end());
  EXPECT_EQ(lowVolt->page, PageKind::Vehicle);
  EXPECT_EQ(lowVolt->value, "42");
  EXPECT_EQ(lowVolt->rangeL, 18);
  // Labels lose the trailing blanks some scripts carry.
  for (const RecordedField& field : record.fields) {
    EXPECT_FALSE(field.label.endsWith(u' ')) << field.label.toStdString();
  }
}

TEST_F(ConfigurationRecordTest, CsvAndJsonCarryTheSameRecord) {
  const ConfigurationRecord record = Record();
  const QString csv = QString::fromUtf8(RecordCsv(record));
  EXPECT_TRUE(csv.startsWith("Model,VOR\r\nVoltage class,72\r\n")) << csv.toStdString();
  EXPECT_TRUE(csv.contains("Date,2026-12-10T14:35:01Z\r\n\r\nPage,Parameter,Value,Range\r\n"));
  EXPECT_TRUE(csv.contains("\r\nVehicle,Low Volt,42,18~90\r\n")) << csv.toStdString();
  EXPECT_EQ(csv.count("\r\n"), 5 + 2 + int(record.fields.size()));

  const QJsonObject json = QJsonDocument::fromJson(RecordJson(record)).object();
  EXPECT_EQ(json["model"].toString(), "VOR");
  EXPECT_EQ(json["serialNumber"].toString(), record.serialNumber);
  const QJsonArray parameters = json["parameters"].toArray();
  ASSERT_EQ(parameters.size(), qsizetype(record.fields.size()));
  EXPECT_EQ(parameters[0]["kind"].toString(), "switch");
  EXPECT_EQ(parameters[0]["page"].toString(), "Vehicle");
}

TEST(RecordCsv, QuotesCellsThatHoldCommasOrQuotes) {
  ConfigurationRecord record;
  record.fields.push_back({PageKind::Motor, 30, false, "Speed, max \"A\"", QString("1,5"), 0, 9});
  const QString csv = QString::fromUtf8(RecordCsv(record));
  EXPECT_TRUE(csv.endsWith("Motor,\"Speed, max \"\"A\"\"\",\"1,5\",0~9\r\n")) << csv.toStdString();
}

TEST_F(ConfigurationRecordTest, TheExtensionChoosesTheFormatAndAnyOtherIsRefused) {
  QTemporaryDir dir;
  QString error;
  ASSERT_TRUE(ExportRecord(dir.filePath("a.CSV"), Record(), error)) << error.toStdString();
  ASSERT_TRUE(ExportRecord(dir.filePath("a.json"), Record(), error)) << error.toStdString();
  QFile csv(dir.filePath("a.CSV"));
  QFile json(dir.filePath("a.json"));
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly) && json.open(QIODevice::ReadOnly));
  EXPECT_TRUE(csv.readAll().startsWith("Model,"));
  EXPECT_TRUE(QJsonDocument::fromJson(json.readAll()).isObject());

  EXPECT_FALSE(ExportRecord(dir.filePath("a.txt"), Record(), error));
  EXPECT_TRUE(error.contains(".csv or .json")) << error.toStdString();
  EXPECT_FALSE(QFile::exists(dir.filePath("a.txt")));
}

}  // namespace
}  // namespace vor
