#pragma once

#include "link/config_image.h"

namespace vor {

// The configuration of a VOR72 controller as it leaves the factory.
ConfigImage VorDefaultImage();

}  // namespace vor
