// vor-cli zero, and vor-cli set of the Vehicle page's check boxes, against vor-sim.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "calibration/zero_calibration.h"
#include "definitions/model_images.h"
#include "definitions/model_table.h"
#include "pages/vehicle_rules.h"
#include "tests/e2e/cli_fixture.h"

namespace {

using vor::test::CliRun;

class CliVehicleTest : public vor::test::CliFixture {};

TEST_F(CliVehicleTest, ZeroPrintsEachPhaseAsTheDialogShowsIt) {
  StartSim();
  const CliRun run = CliOnSim({"zero"});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 3) << run.out.toStdString();
  const QRegularExpression line(R"(^(Phase_[ABC]_Zero)  (\d+) *  (\d+),(\d+),(\d+)$)");
  for (int phase = 0; phase < 3; ++phase) {
    const QRegularExpressionMatch m = line.match(lines[phase]);
    ASSERT_TRUE(m.hasMatch()) << lines[phase].toStdString();
    EXPECT_EQ(m.captured(1), QStringLiteral("Phase_%1_Zero").arg(QChar(u'A' + phase)));
    const int lowest =
        std::min({m.captured(3).toInt(), m.captured(4).toInt(), m.captured(5).toInt()});
    EXPECT_EQ(m.captured(2).toInt(), lowest);
  }
  EXPECT_EQ(ReadImageFile(), ReadImageFile());  // nothing written without --update
}

struct ZeroUpdateCase {
  const char* name;
  QStringList simArgs;
  int readings;  // per phase
};

void PrintTo(const ZeroUpdateCase& c, std::ostream* os) { *os << c.name; }

class CliZeroUpdateTest : public vor::test::CliFixture,
                          public ::testing::WithParamInterface<ZeroUpdateCase> {};

// An answer short of a phase's byte is no reading: the offsets come from the whole ones only.
TEST_P(CliZeroUpdateTest, WritesTheLowestValuesIntoTheConfiguration) {
  StartSim(GetParam().simArgs);
  QByteArray expected = ReadImageFile();
  const CliRun run = CliOnSim({"zero", "--update", "--json"});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QJsonObject json = QJsonDocument::fromJson(run.out.toUtf8()).object();
  EXPECT_TRUE(json["updated"].toBool());
  const QJsonArray phases = json["phases"].toArray();
  ASSERT_EQ(phases.size(), 3);
  for (int phase = 0; phase < 3; ++phase) {
    const int lowest = phases[phase]["lowest"].toString().toInt();
    EXPECT_NEAR(lowest, 128, 4);  // the simulator's offsets, never a checksum
    expected[int(vor::kPhaseZeroAddr) + phase] = char(lowest);
    EXPECT_EQ(phases[phase]["readings"].toString().count(','), GetParam().readings - 1);
  }
  EXPECT_EQ(ReadImageFile(), expected);
}

INSTANTIATE_TEST_SUITE_P(Answers, CliZeroUpdateTest,
                         ::testing::Values(ZeroUpdateCase{"AllWhole", {}, 3},
                                           ZeroUpdateCase{
                                               "SecondShort", {"--fault", "short:35:2"}, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliVehicleTest, ZeroWithoutAnyAnswerFailsAndChangesNothing) {
  StartSim({"--fault", "ignore:35"});
  const QByteArray before = ReadImageFile();
  const CliRun run = CliOnSim({"zero", "--update"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.out.isEmpty());
  EXPECT_EQ(run.err,
            "vor-cli: the controller answered none of the three phase zero requests; nothing was "
            "changed\n");
  EXPECT_EQ(ReadImageFile(), before);
}

// What changed is told only once the controller is known to hold it.
TEST_F(CliVehicleTest, ZeroUpdatePrintsNoChangeWhenTheWriteOrItsReadBackFails) {
  vor::ConfigImage image = *vor::DefaultImageFor(u"VOR");
  for (int phase = 0; phase < 3; ++phase) image[vor::kPhaseZeroAddr + std::size_t(phase)] = 0;
  const QString path =
      WriteFile("zero.bin", QByteArray(reinterpret_cast<const char*>(image.bytes.data()), 128));
  const struct {
    const char* fault;
    const char* err;
  } cases[] = {
      {"ignore:f3:2", "Error writing data.\n"},  // a block unanswered
      {"forget:f3:8", "byte 97 reads back as"},  // bytes 91..103 acknowledged and dropped
  };
  for (const auto& c : cases) {
    StartSim({"--image", path, "--fault", c.fault});
    const CliRun run = CliOnSim({"zero", "--update"});
    EXPECT_EQ(run.exitCode, 1) << c.fault;
    EXPECT_TRUE(run.err.contains(c.err)) << run.err.toStdString();
    EXPECT_EQ(run.out.count('\n'), 3) << run.out.toStdString();  // the readings alone
    EXPECT_FALSE(run.out.contains("->")) << run.out.toStdString();
  }
}

// The special version's boxes by the Vehicle page's rules.
TEST_F(CliVehicleTest, SetTakesCheckBoxesWithThePagesRules) {
  StartSim({"--model", "JUT", "--special", "5"});
  const QByteArray original = ReadImageFile();
  ASSERT_EQ(original[int(vor::kBrakeTypeAddr)], 0);

  CliRun run = CliOnSim({"set", "Economy=1", "Three Speed Drive=1"});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, "Economy: 0 -> 1\nThree Speed Drive: 0 -> 1\n");
  run = CliOnSim({"set", "Boost=1"});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(run.out, "Boost: 0 -> 1\nEconomy: 1 -> 0\n");
  // Boost (bit 0) set and Economy (bit 1) cleared; Three Speed Drive is bit 5 of byte 45.
  QByteArray expected = original;
  expected[0] = char((original[0] | 0x01) & ~0x02);
  expected[45] = char(original[45] | 0x20);
  const QByteArray image = ReadImageFile();
  EXPECT_EQ(image, expected);

  const struct {
    QStringList assignments;
    const char* error;
  } refused[] = {
      {{"Boost=1", "Economy=1"}, "vor-cli: \"Boost\" and \"Economy\" exclude each other"},
      {{"Boost=2"}, "vor-cli: \"Boost\" takes 0 or 1"},
      {{"Brake Type=1", "Economy=1"},
       "vor-cli: \"Economy\" is disabled on the Vehicle page while Brake Type is not 0"},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c.assignments.join(' ').toStdString());
    run = CliOnSim(QStringList{"set"} + c.assignments);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, QString::fromUtf8(c.error) + "; nothing was written\n");
  }
  EXPECT_EQ(ReadImageFile(), image);
  const CliRun describe = CliOnSim({"describe", "--json"});
  const QJsonArray params =
      QJsonDocument::fromJson(describe.out.toUtf8()).object()["params"].toArray();
  EXPECT_EQ(params[0]["value"].toString(), "1");  // Boost, as its box shows it
  for (const QJsonValue& p : params) {
    if (p["addr"].toInt() == int(vor::kSpecialVersionAddr) && p["show"].toInt() == 1) {
      EXPECT_EQ(p["value"].toString(), "EB");
    }
    if (p["name"].toString() == "Module Name") {
      EXPECT_TRUE(p["value"].toString().startsWith("HEW"));
    }
  }
}

}  // namespace
