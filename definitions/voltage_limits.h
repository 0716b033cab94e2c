#pragma once

#include <QStringView>
#include <cstdint>

#include "definitions/definition_set.h"

namespace vor {

// Replaces the limits of a "Low Volt" or "Over Volt" record by those of the voltage class.
// Class "80" takes its upper limit from the controller's rated voltage (125 %); a class without
// an entry leaves the script's limits.
void ApplyVoltageClass(QStringView voltageClass, std::uint16_t controllerVolt, ParamDef& record);

}  // namespace vor
