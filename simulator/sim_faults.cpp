#include "simulator/sim_faults.h"

#include <QStringList>
#include <array>
#include <utility>

namespace vor {

std::optional<FaultRule> ParseFaultRule(const QString& text, QString& error) {
  static constexpr std::array<std::pair<const char*, FaultKind>, 12> kKinds{{
      {"silent", FaultKind::Silent},
      {"ignore", FaultKind::Ignore},
      {"bad-checksum", FaultKind::CorruptChecksum},
      {"stray", FaultKind::StrayByte},
      {"late", FaultKind::Late},
      {"wrong-command", FaultKind::WrongCommand},
      {"long-length", FaultKind::OverlongLength},
      {"short", FaultKind::ShortAnswer},
      {"forget", FaultKind::Forget},
      {"stale", FaultKind::Stale},
      {"twice", FaultKind::Twice},
      {"cut", FaultKind::Cut},
  }};
  const QStringList parts = text.split(u':');
  if (parts.size() > 4) {
    error = QStringLiteral("too many fields in fault \"%1\"").arg(text);
    return std::nullopt;
  }
  FaultRule rule;
  bool known = false;
  for (const auto& [name, kind] : kKinds) {
    if (parts[0] == QLatin1String(name)) {
      rule.kind = kind;
      known = true;
    }
  }
  if (!known) {
    error = QStringLiteral("unknown fault kind \"%1\"").arg(parts[0]);
    return std::nullopt;
  }
  if (parts.size() > 1 && parts[1] != u"any") {
    bool ok = false;
    const uint value = parts[1].toUInt(&ok, 16);
    if (!ok || value > 0xFF) {
      error = QStringLiteral("bad command byte \"%1\" (hex, e.g. f3)").arg(parts[1]);
      return std::nullopt;
    }
    rule.command = static_cast<std::uint8_t>(value);
  }
  if (parts.size() > 2) {
    bool ok = false;
    rule.nth = parts[2].toInt(&ok);
    if (!ok || rule.nth < 0) {
      error = QStringLiteral("bad request number \"%1\"").arg(parts[2]);
      return std::nullopt;
    }
  }
  if (parts.size() > 3) {
    bool ok = false;
    rule.delayMs = parts[3].toInt(&ok);
    if (!ok || rule.delayMs < 0 || rule.delayMs > 600000) {
      error = QStringLiteral("bad delay \"%1\" (0..600000 ms)").arg(parts[3]);
      return std::nullopt;
    }
  }
  return rule;
}

}  // namespace vor
