#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "link/config_image.h"

namespace vor {

// Identification fields of the configuration image. Everything that reads or builds them (the
// loader, the pages, vor-cli, the simulator and the tests) names them from here.
inline constexpr std::size_t kModuleNameAddr = 64;  // 8 ASCII characters:
inline constexpr std::size_t kModuleNameSize = 8;
inline constexpr std::size_t kModelCodeSize = 3;         // characters 1..3, the model code,
inline constexpr std::size_t kVoltageClassAddr = 67;     // characters 4..5, the voltage class
inline constexpr std::size_t kVoltageClassSize = 2;      //
inline constexpr std::size_t kSpecialVersionAddr = 72;   // one byte
inline constexpr std::size_t kControllerVoltAddr = 74;   // 16 bits, most significant first
inline constexpr std::size_t kSerialNumberAddr = 76;     // 32 bits, most significant first
inline constexpr std::size_t kSerialNumberSize = 4;      //
inline constexpr std::size_t kUserCodeAddr = 81;         // 16 bits
inline constexpr std::size_t kSoftwareVersionAddr = 83;  // 16 bits, most significant first

// Characters 1 to 3 of the module name, ending early at a zero byte.
QString ModelCode(const ConfigImage& image);
// Characters 4 and 5 of the module name, ending early at a zero byte.
QString VoltageClass(const ConfigImage& image);
std::uint16_t ControllerVolt(const ConfigImage& image);
std::uint16_t SoftwareVersion(const ConfigImage& image);

// What the model table gives for one image.
struct ModelSelection {
  int paramScript = 0;
  int liveScript = 0;
  int controlAnchor = 0;
  int motorAnchor = 0;
  int endAnchor = 127;
  // Record numbers of "Low Volt" and "Over Volt", which take the voltage-class limits.
  int lowVoltAddr = 19;
  int overVoltAddr = 20;
  bool specialVersion = false;  // the JUT variant with special-version byte 4 or 5
};

// The first row of the model table that holds for the image; nullopt for an unsupported model.
std::optional<ModelSelection> SelectModel(const ConfigImage& image);

// The model codes of the table, in table order.
const QStringList& SupportedModelCodes();

}  // namespace vor
