// vor-user: the desktop program.
#include <QApplication>
#include <memory>

#include "files/native_path.h"
#include "mainwindow/message_box_prompter.h"
#include "mainwindow/vor_user_app.h"
#include "resources/language.h"

int main(int argc, char* argv[]) {
  QCoreApplication::setApplicationName(QStringLiteral("vor-user"));
  QCoreApplication::setApplicationVersion(QStringLiteral("1.0.0.1"));

  // The command line is read before the window system is touched, so --help, --version and
  // mistakes are answered without a display.
  vor::AppOptions options;
  int exitCode = 0;
  std::unique_ptr<vor::Translation> translation;
  {
    auto console = std::make_unique<QCoreApplication>(argc, argv);
    // A file name keeps the bytes it was given, UTF-8 or not.
    const QStringList arguments = vor::ProgramArguments(argc, argv);
    translation = vor::StartTranslation(arguments);
    if (!vor::ParseCommandLine(arguments, options, exitCode)) return exitCode;
  }

  QApplication app(argc, argv);
  translation->Install();
  vor::MessageBoxPrompter prompter([] { return QApplication::activeWindow(); });
  return vor::CVORUserApp().InitInstance(options, prompter);
}
