#pragma once

#include <QString>

#include "definitions/definition_set.h"
#include "link/config_image.h"

namespace vor {

// Whether a configuration image from elsewhere (a file) fits the definitions loaded for the
// connected controller. Returns an empty string when it does; otherwise the reason, as the end
// of a sentence ("it is a configuration of model TAQ, not VOR"): another model, a model the
// program does not support, other scripts (another software version), the other special
// version, or other voltage limits.
QString DefinitionsMismatch(const ConfigImage& image, const DefinitionSet& loaded);

// The same check against the definitions that the controller's image `controller` selects, for a
// tool that has not loaded them (vor-cli write). A controller whose own model is not supported
// fits nothing, since nothing can be checked then.
QString DefinitionsMismatch(const ConfigImage& image, const ConfigImage& controller);

}  // namespace vor
