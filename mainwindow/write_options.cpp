#include "mainwindow/write_options.h"

#include <QSettings>

namespace vor {
namespace {

const QString kConfirmWrites = QStringLiteral("Controller/ConfirmWrites");
const QString kVerifyAfterWrite = QStringLiteral("Controller/VerifyAfterWrite");

}  // namespace

WriteOptions LoadWriteOptions(QSettings& settings) {
  WriteOptions options;
  options.confirmWrites = settings.value(kConfirmWrites, false).toBool();
  options.verifyAfterWrite = settings.value(kVerifyAfterWrite, false).toBool();
  return options;
}

void SaveWriteOptions(QSettings& settings, const WriteOptions& options) {
  settings.setValue(kConfirmWrites, options.confirmWrites);
  settings.setValue(kVerifyAfterWrite, options.verifyAfterWrite);
  settings.sync();
}

}  // namespace vor
