// The visit report: what it says, read back from the PDF as a customer's reader would extract it,
// in both languages.
#include "report/report_pdf.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "definitions/model_images.h"
#include "resources/language.h"
#include "tests/files/loaded_definitions.h"

namespace vor {
namespace {

const QDateTime kArrival(QDate(2026, 12, 11), QTime(9, 0));

ServiceRecord Written(const QDateTime& time, std::vector<ServiceChange> changes,
                      ServiceOutcome outcome, const QString& reason = {}) {
  ServiceRecord record;
  record.time = time;
  record.program = "vor-user";
  record.operation = "write";
  record.serialNumber = "1234567";
  record.changes = std::move(changes);
  record.outcome = outcome;
  record.reason = reason;
  return record;
}

class VisitReportTest : public ::testing::Test {
protected:
  void SetUp() override {
    // The text is read back with poppler's pdftotext, a Linux program the setup script installs.
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) {
#ifdef Q_OS_WIN
      GTEST_SKIP() << "pdftotext, which reads the report's text back, runs on Linux only: the "
                      "Linux build checks the report";
#else
      FAIL() << "pdftotext is missing: scripts/setup.sh installs poppler-utils";
#endif
    }
  }

  VisitReportTest() {
    image = *DefaultImageFor(u"VOR");
    test::SetSerial(image, 1234567);
    set = test::LoadedFor(image);
    // Before the visit, another unit's and this one's during the visit.
    history.records.push_back(Written(kArrival.addDays(-3), {{"Vehicle", "Low Volt", "50", "52"}},
                                      ServiceOutcome::Verified));
    history.records.push_back(Written(kArrival.addSecs(600), {{"Vehicle", "Low Volt", "54", "50"}},
                                      ServiceOutcome::Verified));
    history.records.back().serialNumber = "999";
    history.records.push_back(Written(kArrival.addSecs(900),
                                      {{"Vehicle", "Low Volt", "54", "48"},
                                       {"Vehicle", "Phase_A_Zero", "128", "126"}},
                                      ServiceOutcome::Verified));
    history.records.push_back(
        Written(kArrival.addSecs(1200), {{"Control", "Accelerate Speed", "5", "7"}},
                ServiceOutcome::Failed, "the controller did not take the configuration"));
  }

  // The PDF of the report, as text.
  QString PdfText(const VisitReport& report, ReportPaper paper = ReportPaper::A4) {
    const QString path = dir.filePath("report.pdf");
    QString error;
    EXPECT_TRUE(SaveVisitReportPdf(report, paper, path, error)) << error.toStdString();
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-enc", "UTF-8", path, "-"});
    EXPECT_TRUE(pdftotext.waitForFinished(30'000));
    EXPECT_EQ(pdftotext.exitCode(), 0) << pdftotext.readAllStandardError().toStdString();
    return QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
  }

  VisitReport Report() {
    VisitReport report = MakeVisitReport(image, *set, history, kArrival,
                                         kArrival.addSecs(1800));
    report.workshop = "Main Street Motors";
    report.technician = "R. Diaz";
    report.faults = std::vector<FaultHistory::Entry>{
        {4, "Blocked Err", kArrival.addSecs(300), kArrival.addSecs(420), 17}};
    return report;
  }

  QTemporaryDir dir;
  ConfigImage image;
  std::unique_ptr<DefinitionSet> set;
  ServiceHistory history;
};

TEST_F(VisitReportTest, TheVisitsChangesCalibrationFaultsAndConfigurationAreAllThere) {
  const VisitReport report = Report();
  ASSERT_EQ(report.records.size(), 2u);  // this unit's, from the arrival on, oldest first
  EXPECT_EQ(report.records[0].time, kArrival.addSecs(900));
  ASSERT_EQ(report.calibrations.size(), 1u);
  EXPECT_EQ(report.calibrations[0].change.after, "126");

  const QString text = PdfText(report);
  for (const char* expected :
       {"Service Report", "Main Street Motors", "R. Diaz", "1234567",
        // the changes, with what came of them
        "Vehicle: Low Volt 54 48 verified", "Control: Accelerate Speed 5 7",
        "failed: the controller did not take the configuration",
        // the calibration, the faults and the configuration as it stands
        "Phase_A_Zero 128 126", "Blocked Err", "17", "Motor", "Customer's signature"}) {
    EXPECT_TRUE(text.contains(QString::fromUtf8(expected)))
        << expected << "\n" << text.toStdString();
  }
  EXPECT_FALSE(text.contains("52"));  // the earlier visit's change
  EXPECT_FALSE(text.contains("54 50"));  // the other unit's
}

TEST_F(VisitReportTest, AVisitWithoutChangesOrWatchedFaultsSaysSo) {
  VisitReport report = MakeVisitReport(image, *set, ServiceHistory{}, kArrival, kArrival);
  const QString text = PdfText(report, ReportPaper::Letter);
  EXPECT_TRUE(text.contains("No change was written to the controller in this visit."));
  EXPECT_TRUE(text.contains("No phase zero calibration was made in this visit."));
  EXPECT_TRUE(text.contains("Faults were not watched in this visit")) << text.toStdString();
}

// In Chinese the report speaks Chinese, and its glyphs are in the PDF (text comes back out, not
// empty boxes).
TEST_F(VisitReportTest, InChineseTheReportIsChineseWithItsGlyphsEmbedded) {
  Translation chinese(kChinese);
  chinese.Install();
  const QString text = PdfText(Report());
  for (const char* expected : {"维修报告", "本次维修所做的改动", "已校验", "控制器当前的配置"}) {
    EXPECT_TRUE(text.contains(QString::fromUtf8(expected)))
        << expected << "\n" << text.toStdString();
  }
}

TEST(ReportPaper, LetterWhereItIsTheCustomA4Elsewhere) {
  EXPECT_EQ(PaperOfLocale(QLocale(QLocale::English, QLocale::UnitedStates)), ReportPaper::Letter);
  EXPECT_EQ(PaperOfLocale(QLocale(QLocale::Chinese, QLocale::China)), ReportPaper::A4);
  EXPECT_EQ(PaperOfLocale(QLocale(QLocale::German, QLocale::Germany)), ReportPaper::A4);
}

}  // namespace
}  // namespace vor
