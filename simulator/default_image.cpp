#include "simulator/default_image.h"

#include <cstring>

namespace vor {

ConfigImage VorDefaultImage() {
  ConfigImage image;
  image.bytes.fill(0);
  std::memcpy(&image[64], "VOR72S01", 8);  // module name
  image[72] = 0;                           // no special version
  image[74] = 0x00;                        // controller volt 72
  image[75] = 72;
  image[83] = 0x01;                        // software version 0x0107
  image[84] = 0x07;
  return image;
}

}  // namespace vor
