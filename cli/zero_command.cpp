#include "cli/zero_command.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

#include "calibration/zero_calibration.h"
#include "cli/controller_update.h"
#include "cli/image_commands.h"
#include "cli/link_session.h"
#include "resources/dialog_templates.h"

namespace vor::cli {
namespace {

// The dialog's labels of the three phases.
QString PhaseLabel(int phase) {
  const DialogTemplate* dialog = FindDialogTemplate(kDialogReadZero);
  const ControlTemplate* label =
      dialog ? FindControlTemplate(*dialog, kIdPhaseALabel + phase) : nullptr;
  return label ? QString::fromUtf8(label->text) : QString();
}

void PrintLine(const QString& line) { std::printf("%s\n", line.toUtf8().constData()); }

// Writes the calibration into the controller's image. True when the controller holds it,
// verified by reading it back, with `changes` the lines of what changed (none when nothing had
// to); `changes` is left empty when it does not.
bool UpdateOffsets(LinkSession& session, const ZeroValues& values, bool writeAnyway,
                   QStringList& changes) {
  QStringList changed;
  const auto plan = [&](const ConfigImage& current, const DefinitionSet&, ConfigImage& wanted) {
    UpdatePhaseZero(values, wanted);
    for (int phase = 0; phase < 3; ++phase) {
      const std::size_t addr = kPhaseZeroAddr + std::size_t(phase);
      if (current[addr] == wanted[addr]) continue;
      changed << QStringLiteral("%1: %2 -> %3")
                     .arg(PhaseLabel(phase))
                     .arg(current[addr])
                     .arg(wanted[addr]);
    }
    return true;
  };
  const UpdateResult result =
      UpdateController(session, UpdateOptions{.writeAnyway = writeAnyway}, plan);
  if (result != UpdateResult::Written && result != UpdateResult::Unchanged) return false;
  // Told only now: until the read-back matched, nothing is known to have changed.
  changes = changed;
  return true;
}

}  // namespace

int ZeroCommand(LinkSession& session, bool update, bool writeAnyway, bool json) {
  if (!session.Connect()) return kExitFailure;
  ZeroValues values;
  ZeroFields fields;
  if (ApplyZeroRead(ReadZeroExchanges(session.Link()), values, fields) == 0) {
    PrintError(
        QStringLiteral("the controller answered none of the three phase zero requests; "
                       "nothing was changed"));
    return kExitFailure;
  }

  QStringList changes;
  const bool updated = update && UpdateOffsets(session, values, writeAnyway, changes);
  if (json) {
    QJsonArray phases;
    for (int phase = 0; phase < 3; ++phase) {
      phases.append(QJsonObject{{"label", PhaseLabel(phase)},
                                {"lowest", fields.lowest[std::size_t(phase)]},
                                {"readings", fields.readings[std::size_t(phase)]}});
    }
    QJsonObject result{{"phases", phases}};
    if (update) {
      result["updated"] = updated;
      result["changes"] = QJsonArray::fromStringList(changes);
    }
    std::printf("%s", QJsonDocument(result).toJson(QJsonDocument::Indented).constData());
  } else {
    for (int phase = 0; phase < 3; ++phase) {
      PrintLine(QStringLiteral("%1  %2  %3")
                    .arg(PhaseLabel(phase), fields.lowest[std::size_t(phase)].leftJustified(3),
                         fields.readings[std::size_t(phase)]));
    }
    for (const QString& change : changes) PrintLine(change);
  }
  if (update && !updated) return kExitFailure;
  if (update && changes.isEmpty()) PrintError(QStringLiteral("the offsets are already set"));
  return kExitOk;
}

}  // namespace vor::cli
