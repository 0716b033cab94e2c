#pragma once

#include <memory>
#include <optional>

#include "calibration/zero_values.h"
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
  ZeroValues zero;
  // The configuration the controller is known to hold: the image of the last successful Read,
  // or after a successful Write the image written (read back, when the write was verified).
  // What the automatic backup saves before a Write and what Compare compares with. None without
  // a controller (an image from a file at start-up) and before the first Read.
  std::optional<ConfigImage> controllerImage;

  // The controller's configuration when the pages can be held against it: a Read succeeded, the
  // definitions are loaded and the controller's image is known. Null otherwise.
  const ConfigImage* ComparableController() const {
    return ReadOk && DefinitionsLoaded && controllerImage ? &*controllerImage : nullptr;
  }
};

}  // namespace vor
