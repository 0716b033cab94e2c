#include "cli/set_command.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "cli/controller_update.h"
#include "cli/image_commands.h"
#include "cli/link_session.h"
#include "files/image_compare.h"
#include "pages/page_fields.h"
#include "pages/value_codec.h"
#include "pages/vehicle_rules.h"

namespace vor::cli {
namespace {

// The page field labelled `name`; nullptr, with `refusal` set, when there is none or more than
// one.
const PageField* FindField(const std::vector<PageField>& fields, const DefinitionSet& set,
                           const QString& name, QString& refusal) {
  const PageField* found = nullptr;
  int matches = 0;
  for (const PageField& field : fields) {
    if (FieldLabel(set.params[static_cast<std::size_t>(field.position)]) != name) continue;
    if (matches++ == 0) found = &field;
  }
  if (matches == 0) {
    refusal = QStringLiteral("no parameter \"%1\" on the Vehicle, Control or Motor page").arg(name);
  } else if (matches > 1) {
    refusal = QStringLiteral("\"%1\" names %2 parameters").arg(name, QString::number(matches));
  }
  return matches == 1 ? found : nullptr;
}

// Sets the check box `field` to `value` ("0" or "1") in `wanted` by the Vehicle page's rules: a
// box the page does not enable is refused, and with the special version ticking one of an
// exclusive pair unticks the other (noted as a change of its own) unless this command ticks both.
// Returns the refusal, or an empty text.
template <typename NoteAssigned>
QString SetBox(const DefinitionSet& set, const std::vector<PageField>& fields,
               const PageField& field, const QString& name, const QString& value,
               std::map<int, bool>& ticked, ConfigImage& wanted, NoteAssigned noteAssigned) {
  const ParamDef& def = set.params[static_cast<std::size_t>(field.position)];
  if (!IsFlagBit(def)) return QStringLiteral("\"%1\" has no value that can be set").arg(name);
  if (value != u"0" && value != u"1") return QStringLiteral("\"%1\" takes 0 or 1").arg(name);
  if (!FlagEnabled(set, field.position, wanted)) {
    if (def.en != 0) {
      return QStringLiteral("\"%1\" is disabled on the Vehicle page while Brake Type is not 0")
          .arg(name);
    }
    return QStringLiteral("\"%1\" is disabled on the Vehicle page").arg(name);
  }
  const bool tick = value == u"1";
  StoreFlag(def, tick, wanted);
  ticked[field.position] = tick;
  noteAssigned(&field);
  const std::optional<int> partner = ExclusivePartner(set, field.position);
  if (!tick || !partner) return {};
  const auto partnerField = std::ranges::find_if(
      fields, [&](const PageField& f) { return f.box && f.position == *partner; });
  if (partnerField == fields.end()) return {};
  const ParamDef& partnerDef = set.params[static_cast<std::size_t>(*partner)];
  if (const auto it = ticked.find(*partner); it != ticked.end() && it->second) {
    return QStringLiteral("\"%1\" and \"%2\" exclude each other").arg(FieldLabel(partnerDef), name);
  }
  StoreFlag(partnerDef, false, wanted);
  noteAssigned(&*partnerField);
  return {};
}

bool Refuse(const QString& refusal) {
  PrintError(refusal + QStringLiteral("; nothing was written"));
  return false;
}

}  // namespace

std::optional<Assignment> ParseAssignment(const QString& text) {
  const qsizetype equals = text.indexOf(u'=');
  if (equals <= 0) return std::nullopt;
  return Assignment{text.left(equals), text.mid(equals + 1)};
}

int SetCommand(LinkSession& session, const std::vector<Assignment>& assignments,
               const UpdateOptions& options) {
  QStringList changes;
  const auto plan = [&](const ConfigImage& current, const DefinitionSet& set, ConfigImage& wanted) {
    const std::vector<PageField> fields = PageFields(set);
    std::vector<const PageField*> assigned;  // in the order first named or changed
    std::map<int, bool> ticked;              // boxes this command sets, by table position
    const auto noteAssigned = [&](const PageField* field) {
      if (std::ranges::find(assigned, field) == assigned.end()) assigned.push_back(field);
    };
    for (const Assignment& assignment : assignments) {
      const QString name = WithoutTrailingBlanks(assignment.name);
      QString refusal;
      const PageField* field = FindField(fields, set, name, refusal);
      if (field == nullptr) return Refuse(refusal);
      const ParamDef& def = set.params[static_cast<std::size_t>(field->position)];
      if (field->box) {
        refusal = SetBox(set, fields, *field, name, assignment.value, ticked, wanted, noteAssigned);
        if (!refusal.isEmpty()) return Refuse(refusal);
        continue;
      }
      if (def.en == 0) return Refuse(QStringLiteral("\"%1\" is read-only").arg(name));
      bool leftAlone = false;
      if (field->page == PageKind::Vehicle) {
        switch (VehicleStoreRule(set, def, assignment.value)) {
          case VehicleStore::Store:
            break;
          case VehicleStore::Skip:  // an empty text, which the page leaves alone
            leftAlone = true;
            break;
          case VehicleStore::TestOnly:
            return Refuse(
                QStringLiteral("\"%1\" shows the special edition and is never written").arg(name));
        }
      }
      if (!leftAlone) {
        const StoreResult result = StoreValue(def, assignment.value, wanted);
        switch (result) {
          case StoreResult::Stored:
            break;
          case StoreResult::OutOfRange:
          case StoreResult::NotAWholeNumber:
            std::fprintf(stderr, "%s\n", RefusalMessage(def, result).toUtf8().constData());
            return false;
          case StoreResult::NotStored:
            return Refuse(QStringLiteral("\"%1\" has no value that can be set").arg(name));
        }
      }
      noteAssigned(field);
    }
    for (const PageField* field : assigned) {
      // A box shares its byte with other boxes: only its own bit counts.
      if (!FieldDiffers(set, *field, current, wanted)) continue;
      const ParamDef& def = set.params[static_cast<std::size_t>(field->position)];
      changes << QStringLiteral("%1: %2 -> %3")
                     .arg(FieldLabel(def), ShownText(set, *field, current).value_or(QString()),
                          ShownText(set, *field, wanted).value_or(QString()));
    }
    return true;
  };

  const UpdateResult result = UpdateController(session, QStringLiteral("set"), options, plan);
  if (result == UpdateResult::Written || result == UpdateResult::DryRun) {
    for (const QString& line : changes) std::printf("%s\n", line.toUtf8().constData());
  }
  return UpdateExitCode(result, QStringLiteral("every value is already set"));
}

}  // namespace vor::cli
