#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace vor {

class Prompter;

// What the command line asks for.
struct AppOptions {
  std::optional<QString> simulateModel;  // --simulate[=CODE]: a simulated controller first
  QStringList ports;                     // --port PATH...: only these ports, in this order
  bool trace = false;                    // --trace: every frame to stderr
  std::optional<QString> imagePath;      // --image FILE: no controller, the file's configuration
};

// The application object: the start-up warning, then the main window, run modally; the
// program ends with it.
class CVORUserApp {
public:
  // Returns the process exit code. `prompter` shows the messages (message boxes in the
  // program, a script in tests).
  int InitInstance(const AppOptions& options, Prompter& prompter);
};

// Parses the command line into `options`; false after printing --help, --version or an error
// (then `exitCode` says how to end).
bool ParseCommandLine(const QStringList& arguments, AppOptions& options, int& exitCode);

}  // namespace vor
