#include "mainwindow/write_options.h"

#include <QSettings>

namespace vor {
namespace {

const QString kConfirmWrites = QStringLiteral("Controller/ConfirmWrites");
const QString kVerifyAfterWrite = QStringLiteral("Controller/VerifyAfterWrite");

void Store(QSettings& settings, const QString& key, bool value, bool byDefault) {
  if (value != byDefault || settings.contains(key)) settings.setValue(key, value);
}

}  // namespace

WriteOptions LoadWriteOptions(QSettings& settings) {
  WriteOptions options;
  options.confirmWrites = settings.value(kConfirmWrites, options.confirmWrites).toBool();
  options.verifyAfterWrite = settings.value(kVerifyAfterWrite, options.verifyAfterWrite).toBool();
  return options;
}

void SaveWriteOptions(QSettings& settings, const WriteOptions& options) {
  const WriteOptions defaults;
  Store(settings, kConfirmWrites, options.confirmWrites, defaults.confirmWrites);
  Store(settings, kVerifyAfterWrite, options.verifyAfterWrite, defaults.verifyAfterWrite);
  settings.sync();
}

}  // namespace vor
