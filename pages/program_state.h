#pragma once

#include <memory>

#include "definitions/definition_set.h"
#include "link/config_image.h"

namespace vor {

// What the program knows about the connected controller, shared by the main window and the
// pages: the configuration image, the model's definitions and the flags of the command flow.
struct ProgramState {
  ConfigImage image;
  std::unique_ptr<DefinitionSet> definitions = std::make_unique<DefinitionSet>();
  bool ReadOk = false;             // the last Read succeeded
  bool WriteOk = false;            // the last Write succeeded
  bool DefinitionsLoaded = false;  // set once, at start-up
};

}  // namespace vor
