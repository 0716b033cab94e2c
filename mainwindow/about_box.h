#pragma once

#include <QString>

#include "definitions/definition_set.h"
#include "link/config_image.h"

namespace vor {

// What Help > About VOR User tells.
struct AboutFacts {
  QString version;    // the program's
  QString qtVersion;  // of the Qt library in use
  QString port;       // the controller's port; empty without one
  QString model;      // the module name as the Vehicle page shows it; empty before a Read
  QString imageFile;  // the file the configuration came from at start-up, without a controller
};

QString AboutText(const AboutFacts& facts);

// The module name as the Vehicle page shows it for `image`; empty when the definitions show none.
QString ShownModuleName(const DefinitionSet& set, const ConfigImage& image);

}  // namespace vor
