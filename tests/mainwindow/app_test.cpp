// The application object's start-up warning and its command line.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "definitions/model_images.h"
#include "definitions/model_table.h"
#include "files/image_file.h"
#include "mainwindow/vor_user_app.h"
#include "tests/support/scripted_prompter.h"
#include "tests/support/special_files.h"

namespace vor {
namespace {

TEST(CVORUserApp, AnyAnswerButYesToTheWarningEndsWithoutAWindow) {
  for (Answer answer : {Answer::No, Answer::Cancel}) {
    test::ScriptedPrompter prompter;
    prompter.answers = {answer};
    AppOptions options;
    options.ports = {"/dev/null"};  // never opened: the scan does not start
    EXPECT_EQ(CVORUserApp().InitInstance(options, prompter), 0);
    ASSERT_EQ(prompter.AskedIds(), std::vector<int>{kMsgMotorRunningWarning});
    EXPECT_EQ(prompter.asked[0].buttons, Buttons::YesNo);
    EXPECT_EQ(prompter.asked[0].icon, Icon::Warning);
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
  }
}

// Without a controller there is no motor to warn about; a file the program cannot take ends it.
TEST(CVORUserApp, AnImageFileItCannotTakeEndsStartUpWithItsReason) {
  QStandardPaths::setTestModeEnabled(true);  // the settings the window reads are a test's own
  QTemporaryDir dir;
  ConfigImage unsupported = *DefaultImageFor(u"VOR");
  unsupported[kModuleNameAddr] = 'X';
  QString error;
  ASSERT_TRUE(SaveImageFile(dir.filePath("x.bin"), unsupported, error));
  QFile shortFile(dir.filePath("short.bin"));
  ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
  shortFile.write("12345");
  shortFile.close();
  // Without a writer, opening a named pipe would wait for ever. Windows has none in a folder.
  const bool pipe = test::MakeFifo(dir.filePath("pipe"));

  const struct {
    const char* file;
    int askedId;
    const char* text;
  } cases[] = {{"x.bin", kMsgUnsupportedModel, ""},
               {"short.bin", 0, "holds 5 bytes"},
               {"pipe", 0, "is a named pipe"}};
  for (const auto& c : cases) {
    if (QString(c.file) == "pipe" && !pipe) continue;
    test::ScriptedPrompter prompter;
    AppOptions options;
    options.imagePath = dir.filePath(c.file);
    EXPECT_EQ(CVORUserApp().InitInstance(options, prompter), 1) << c.file;
    ASSERT_EQ(prompter.AskedIds(), std::vector<int>{c.askedId}) << c.file;
    EXPECT_TRUE(prompter.asked[0].text.contains(c.text)) << prompter.asked[0].text.toStdString();
  }
}

TEST(ParseCommandLine, ReadsTheOptionsAndRefusesTheRest) {
  struct Case {
    QStringList args;
    bool goesOn;
    int exitCode;
    std::optional<QString> simulate;
    QStringList ports;
    bool trace;
    std::optional<QString> image = std::nullopt;
  };
  const Case cases[] = {
      {{}, true, 0, std::nullopt, {}, false},
      {{"--simulate"}, true, 0, QString("VOR"), {}, false},
      {{"--simulate=JUT", "--trace"}, true, 0, QString("JUT"), {}, true},
      {{"--port", "/dev/a", "--port", "/dev/b"},
       true,
       0,
       std::nullopt,
       {"/dev/a", "/dev/b"},
       false},
      {{"--image", "a.bin"}, true, 0, std::nullopt, {}, false, QString("a.bin")},
      {{"--image", "a.bin", "--simulate"}, false, 2, std::nullopt, {}, false},
      {{"--image", "a.bin", "--port", "/dev/a"}, false, 2, std::nullopt, {}, false},
      {{"--version"}, false, 0, std::nullopt, {}, false},
      {{"--frobnicate"}, false, 2, std::nullopt, {}, false},
      {{"extra"}, false, 2, std::nullopt, {}, false},
  };
  for (const Case& c : cases) {
    AppOptions options;
    int exitCode = -1;
    const bool goesOn = ParseCommandLine(QStringList{"vor-user"} + c.args, options, exitCode);
    const std::string name = c.args.join(' ').toStdString();
    EXPECT_EQ(goesOn, c.goesOn) << name;
    if (!goesOn) {
      EXPECT_EQ(exitCode, c.exitCode) << name;
      continue;
    }
    EXPECT_EQ(options.simulateModel, c.simulate) << name;
    EXPECT_EQ(options.ports, c.ports) << name;
    EXPECT_EQ(options.trace, c.trace) << name;
    EXPECT_EQ(options.imagePath, c.image) << name;
  }
}

}  // namespace
}  // namespace vor
