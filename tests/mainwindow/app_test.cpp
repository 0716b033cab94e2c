// The application object's start-up warning and its command line.
#include <gtest/gtest.h>

#include <QApplication>

#include "mainwindow/vor_user_app.h"
#include "tests/support/scripted_prompter.h"

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

TEST(ParseCommandLine, ReadsTheOptionsAndRefusesTheRest) {
  struct Case {
    QStringList args;
    bool goesOn;
    int exitCode;
    std::optional<QString> simulate;
    QStringList ports;
    bool trace;
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
  }
}

}  // namespace
}  // namespace vor
