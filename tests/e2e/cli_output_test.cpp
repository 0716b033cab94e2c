// What vor-cli prints reaches standard output, or it says that it did not and exits 1: a script
// never takes an empty or cut result for the real one.
#include <gtest/gtest.h>

#include "definitions/model_images.h"
#include "tests/e2e/cli_fixture.h"

namespace {

using vor::test::CliRun;

class CliOutputTest : public vor::test::CliFixture {};

TEST_F(CliOutputTest, AResultThatCannotBeWrittenExitsOneWithTheReason) {
  StartSim();
  const vor::ConfigImage factory = *vor::DefaultImageFor(u"VOR");
  const QString image =
      WriteFile("vor.bin", QByteArray(reinterpret_cast<const char*>(factory.bytes.data()), 128));
  const struct {
    QStringList args;
    bool onSim;
  } cases[] = {
      {{"scan"}, true},
      {{"read"}, true},
      {{"read", "--out", "-"}, true},
      {{"describe", "--image", image, "--json"}, false},
      {{"monitor", "--count", "2"}, true},
      {{"monitor"}, true},             // would poll on for ever into nothing
      {{"set", "Low Volt=50"}, true},  // written, but its changes could not be told
      {{"--help"}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.join(' ').toStdString());
    const CliRun run = c.onSim ? CliOnSim(c.args, "/dev/full") : Cli(c.args, "/dev/full");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(
        run.err.endsWith("vor-cli: cannot write to standard output: No space left on device\n"))
        << run.err.toStdString();
  }
}

}  // namespace
