// vor-user: the desktop program.
#include <QApplication>

#include "mainwindow/main_window.h"
#include "mainwindow/message_box_prompter.h"
#include "mainwindow/vor_user_app.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("vor-user"));
  QCoreApplication::setApplicationVersion(QStringLiteral("1.0.0.1"));

  vor::AppOptions options;
  int exitCode = 0;
  if (!vor::ParseCommandLine(QCoreApplication::arguments(), options, exitCode)) return exitCode;

  vor::MessageBoxPrompter prompter([] { return QApplication::activeWindow(); });
  return vor::CVORUserApp().InitInstance(options, prompter);
}
