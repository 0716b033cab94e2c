// vor-cli set and the values of vor-cli describe, against vor-sim on a pseudo-terminal.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "definitions/model_table.h"
#include "tests/e2e/cli_fixture.h"

namespace {

using vor::test::CliRun;

// The simulator runs, with its image and the describe records taken at the start.
class CliSetTest : public vor::test::CliFixture {
protected:
  void SetUp() override {
    StartSim();
    original = ReadImageFile();
    ASSERT_EQ(original.size(), 128);
    const CliRun describe = CliOnSim({"describe", "--json"});
    ASSERT_EQ(describe.exitCode, 0) << describe.err.toStdString();
    params = QJsonDocument::fromJson(describe.out.toUtf8()).object()["params"].toArray();
  }

  // The describe record whose name, without trailing blanks, is `name`.
  QJsonObject Param(const QString& name) {
    for (const QJsonValue& p : params) {
      if (p["name"].toString().trimmed() == name) return p.toObject();
    }
    ADD_FAILURE() << "no parameter " << name.toStdString();
    return {};
  }

  QByteArray original;
  QJsonArray params;
};

TEST_F(CliSetTest, DescribeGivesEachShownFieldItsPageText) {
  const QJsonObject lowVolt = Param("Low Volt");
  EXPECT_EQ(lowVolt["value"].toString(), QString::number(std::uint8_t(original[19])));
  EXPECT_EQ(Param("Module Name")["value"].toString(),
            QString::fromLatin1(original.mid(vor::kModuleNameAddr, vor::kModuleNameSize)));
  // A check box shows its bit; a record no page shows has no value.
  EXPECT_EQ(params[0].toObject()["value"].toString(),
            QString::number(std::uint8_t(original[0]) & 1));  // Boost
  for (const QJsonValue& p : params) {
    if (p["show"].toInt() != 0) continue;
    EXPECT_TRUE(p["value"].isNull()) << p["name"].toString().toStdString();
  }
}

TEST_F(CliSetTest, SetTicksACheckBoxAndTheControllersBitIsSet) {
  ASSERT_EQ(original[0] & 0x04, 0);
  const CliRun run = CliOnSim({"set", "Rev_HCurr=1"});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, "Rev_HCurr: 0 -> 1\n");
  QByteArray expected = original;
  expected[0] = char(original[0] | 0x04);
  EXPECT_EQ(ReadImageFile(), expected);
}

TEST_F(CliSetTest, SetWritesTheNamedFieldsAndReportsTheChanges) {
  const QJsonObject lowVolt = Param("Low Volt");
  const int newLowVolt = lowVolt["rangeL"].toInt() + 1;
  ASSERT_NE(QString::number(newLowVolt), lowVolt["value"].toString());
  // Its label in the script ends in blanks that the name on the command line leaves out.
  const QJsonObject sensor = Param("Motor Temp_Sener");
  ASSERT_TRUE(sensor["name"].toString().endsWith(' '));
  const int newSensor = sensor["value"].toString() == "3" ? 2 : 3;

  const CliRun run = CliOnSim({"set", QStringLiteral("Low Volt=%1").arg(newLowVolt),
                               QStringLiteral("Motor Temp_Sener=%1").arg(newSensor)});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, QStringLiteral("Low Volt: %1 -> %2\nMotor Temp_Sener: %3 -> %4\n")
                         .arg(lowVolt["value"].toString())
                         .arg(newLowVolt)
                         .arg(sensor["value"].toString())
                         .arg(newSensor));

  QByteArray expected = original;
  expected[19] = char(newLowVolt);
  expected[sensor["addr"].toInt()] = char(newSensor);
  EXPECT_EQ(ReadImageFile(), expected);
}

TEST_F(CliSetTest, DryRunShowsTheChangeAndWritesNothing) {
  const QJsonObject lowVolt = Param("Low Volt");
  const int newLowVolt = lowVolt["rangeH"].toInt();
  const CliRun run =
      CliOnSim({"--trace", "set", QStringLiteral("Low Volt=%1").arg(newLowVolt), "--dry-run"});
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(
      run.out,
      QStringLiteral("Low Volt: %1 -> %2\n").arg(lowVolt["value"].toString()).arg(newLowVolt));
  EXPECT_FALSE(run.err.contains("TX  f3")) << run.err.toStdString();  // no write request at all
  EXPECT_EQ(ReadImageFile(), original);
}

// Each refusal exits 1 with its reason and writes nothing, not even the valid assignment before
// it.
TEST_F(CliSetTest, ARefusedAssignmentWritesNothing) {
  const QJsonObject lowVolt = Param("Low Volt");
  const QString rangeMessage = QStringLiteral("Param:Low Volt\nThe range should be between %1~%2\n")
                                   .arg(lowVolt["rangeL"].toInt())
                                   .arg(lowVolt["rangeH"].toInt());
  const QString validFirst =
      QStringLiteral("Over Volt=%1").arg(Param("Over Volt")["rangeH"].toInt());
  struct Case {
    QString assignment;
    QString expectedError;
  };
  const Case cases[] = {
      {QStringLiteral("Low Volt=%1").arg(lowVolt["rangeH"].toInt() + 1), rangeMessage},
      {QStringLiteral("Low Volt=%1").arg(lowVolt["rangeL"].toInt() - 1), rangeMessage},
      // Tested before it is reduced to a byte, where it would be in range.
      {QStringLiteral("Low Volt=%1").arg(lowVolt["rangeL"].toInt() + 256), rangeMessage},
      {"No Such Thing=1",
       "vor-cli: no parameter \"No Such Thing\" on the Vehicle, Control or Motor page; nothing "
       "was written\n"},
      {"Serial Number=1", "vor-cli: \"Serial Number\" is read-only; nothing was written\n"},
      {"Boost=2",  // a check box
       "vor-cli: \"Boost\" takes 0 or 1; nothing was written\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.assignment.toStdString());
    const CliRun run = CliOnSim({"--trace", "set", validFirst, c.assignment});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_TRUE(run.err.endsWith(c.expectedError)) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains("TX  f3")) << run.err.toStdString();
  }
  EXPECT_EQ(ReadImageFile(), original);
}

// `set` takes the entry as the pages do: a text that is not one whole number in the field's form
// is refused as it stands, with or without --dry-run, rather than read as the number it begins
// with.
TEST_F(CliSetTest, AnEntryThatIsNoWholeNumberIsRefusedAndNothingWritten) {
  const QJsonObject lowVolt = Param("Low Volt");
  const QString lowVoltMessage =
      QStringLiteral("Param: Low Volt. Enter a whole number between %1 and %2\n")
          .arg(lowVolt["rangeL"].toInt())
          .arg(lowVolt["rangeH"].toInt());
  const struct {
    const char* assignment;
    QString expectedError;
  } cases[] = {
      {"Low Volt=3.9", lowVoltMessage},
      {"Low Volt=", lowVoltMessage},
      {"Low Volt=a-1.5x", lowVoltMessage},
      {"Low Volt=50V", lowVoltMessage},
      {"User Code=zz12345", "Param: User Code. Enter a hexadecimal number between 0000 and ffff\n"},
  };
  for (const auto& c : cases) {
    for (const bool dryRun : {true, false}) {
      SCOPED_TRACE(std::string(c.assignment) + (dryRun ? " --dry-run" : ""));
      QStringList args{"--trace", "set", c.assignment};
      if (dryRun) args << "--dry-run";
      const CliRun run = CliOnSim(args);
      EXPECT_EQ(run.exitCode, 1);
      EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
      EXPECT_TRUE(run.err.endsWith(c.expectedError)) << run.err.toStdString();
      EXPECT_FALSE(run.err.contains("TX  f3")) << run.err.toStdString();
    }
  }
  EXPECT_EQ(ReadImageFile(), original);
}

}  // namespace
