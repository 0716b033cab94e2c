#include "definitions/voltage_limits.h"

#include <array>
#include <optional>

namespace vor {
namespace {

struct VoltageRow {
  const char* voltageClass;
  std::optional<std::int32_t> rangeL;
  std::int32_t rangeH;
};

const std::array kVoltageTable{
    VoltageRow{"24", 8, 30},
    VoltageRow{"36", std::nullopt, 45},
    VoltageRow{"48", std::nullopt, 60},
    VoltageRow{"60", std::nullopt, 80},
    VoltageRow{"72", std::nullopt, 90},
    VoltageRow{"84", std::nullopt, 105},
    VoltageRow{"96", std::nullopt, 120},
    VoltageRow{"12", std::nullopt, 136},
    VoltageRow{"14", std::nullopt, 180},
};

}  // namespace

void ApplyVoltageClass(QStringView voltageClass, std::uint16_t controllerVolt, ParamDef& record) {
  if (voltageClass == u"80") {
    record.rangeH = std::int32_t(controllerVolt * 125u / 100u);
    return;
  }
  for (const VoltageRow& row : kVoltageTable) {
    if (voltageClass != QLatin1String(row.voltageClass)) continue;
    if (row.rangeL) record.rangeL = *row.rangeL;
    record.rangeH = row.rangeH;
    return;
  }
}

}  // namespace vor
