#include "mainwindow/about_box.h"

#include <QCoreApplication>

#include "pages/page_fields.h"
#include "pages/vehicle_rules.h"

namespace vor {

QString AboutText(const AboutFacts& facts) {
  QString port = facts.port;
  if (port.isEmpty()) {
    port = facts.imageFile.isEmpty() ? QCoreApplication::translate("vor::AboutBox", "none")
                                     : QCoreApplication::translate(
                                           "vor::AboutBox", "none; the configuration comes from %1")
                                           .arg(facts.imageFile);
  }
  return QCoreApplication::translate("vor::AboutBox",
                                     "VOR User %1\nConfigures and watches the motor controller.\n\n"
                                     "Qt %2\nPort: %3\nModel: %4")
      .arg(facts.version, facts.qtVersion, port,
           facts.model.isEmpty() ? QCoreApplication::translate("vor::AboutBox", "unknown")
                                 : facts.model);
}

QString ShownModuleName(const DefinitionSet& set, const ConfigImage& image) {
  for (const PageField& field : PageFields(set)) {
    if (field.box || !IsModuleNameField(set.params[std::size_t(field.position)])) continue;
    return ShownText(set, field, image).value_or(QString());
  }
  return {};
}

}  // namespace vor
