#include "cli/set_command.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "cli/image_commands.h"
#include "cli/link_session.h"
#include "cli/page_fields.h"
#include "definitions/definition_loader.h"
#include "link/config_transfer.h"
#include "pages/value_codec.h"
#include "resources/string_table.h"

namespace vor::cli {
namespace {

// Labels in the scripts sometimes carry blanks at the end that nobody types.
QString Label(const QString& name) {
  qsizetype end = name.size();
  while (end > 0 && name[end - 1].isSpace()) --end;
  return name.left(end);
}

// The page field labelled `name`; nullptr, with `refusal` set, when there is none or more than
// one.
const PageField* FindField(const std::vector<PageField>& fields, const DefinitionSet& set,
                           const QString& name, QString& refusal) {
  const PageField* found = nullptr;
  int matches = 0;
  for (const PageField& field : fields) {
    if (Label(set.params[static_cast<std::size_t>(field.position)].name) != name) continue;
    if (matches++ == 0) found = &field;
  }
  if (matches == 0) {
    refusal = QStringLiteral("no parameter \"%1\" on the Vehicle, Control or Motor page").arg(name);
  } else if (matches > 1) {
    refusal = QStringLiteral("\"%1\" names %2 parameters").arg(name, QString::number(matches));
  }
  return matches == 1 ? found : nullptr;
}

bool SameBytes(const ParamDef& def, const ConfigImage& a, const ConfigImage& b) {
  const int count = def.pro == 2 ? def.pos + 1 : 1;
  const auto first = a.bytes.begin() + def.addr;
  return std::equal(first, first + count, b.bytes.begin() + def.addr);
}

int Refuse(const QString& refusal) {
  PrintError(refusal + QStringLiteral("; nothing was written"));
  return kExitFailure;
}

}  // namespace

std::optional<Assignment> ParseAssignment(const QString& text) {
  const qsizetype equals = text.indexOf(u'=');
  if (equals <= 0) return std::nullopt;
  return Assignment{text.left(equals), text.mid(equals + 1)};
}

int SetCommand(LinkSession& session, const std::vector<Assignment>& assignments, bool dryRun) {
  if (!session.Connect()) return kExitFailure;
  ConfigImage current;
  if (!session.Read(current)) return kExitFailure;
  auto set = std::make_unique<DefinitionSet>();
  if (!LoadDefinitions(current, *set, session.Prompts())) return kExitFailure;

  const std::vector<PageField> fields = PageFields(*set);
  ConfigImage wanted = current;
  std::vector<int> assigned;  // table positions, in the order first named
  for (const Assignment& assignment : assignments) {
    const QString name = Label(assignment.name);
    QString refusal;
    const PageField* field = FindField(fields, *set, name, refusal);
    if (field == nullptr) return Refuse(refusal);
    const ParamDef& def = set->params[static_cast<std::size_t>(field->position)];
    if (def.en == 0) return Refuse(QStringLiteral("\"%1\" is read-only").arg(name));
    // The Vehicle page leaves a multi-byte character field alone while its text is empty.
    const bool leftAlone = field->page == PageKind::Vehicle && def.pro == 2 && def.sw == u"a" &&
                           assignment.value.isEmpty();
    if (!leftAlone) {
      switch (StoreValue(def, assignment.value, wanted)) {
        case StoreResult::Stored:
          break;
        case StoreResult::OutOfRange:
          std::fprintf(stderr, "%s\n", RangeMessage(def).toUtf8().constData());
          return kExitFailure;
        case StoreResult::NotStored:
          return Refuse(QStringLiteral("\"%1\" has no value that can be set").arg(name));
      }
    }
    if (std::ranges::find(assigned, field->position) == assigned.end()) {
      assigned.push_back(field->position);
    }
  }

  QStringList changes;
  for (const int position : assigned) {
    const ParamDef& def = set->params[static_cast<std::size_t>(position)];
    if (SameBytes(def, current, wanted)) continue;
    changes << QStringLiteral("%1: %2 -> %3")
                   .arg(Label(def.name), FormatValue(def, current).value_or(QString()),
                        FormatValue(def, wanted).value_or(QString()));
  }
  const auto printChanges = [&] {
    for (const QString& line : changes) std::printf("%s\n", line.toUtf8().constData());
  };
  if (changes.isEmpty()) {
    PrintError(QStringLiteral("every value is already set; nothing was written"));
    return kExitOk;
  }
  if (dryRun) {
    printChanges();
    PrintError(QStringLiteral("dry run; nothing was written"));
    return kExitOk;
  }
  if (!WriteImage(session.Link(), wanted)) {
    std::fprintf(stderr, "%s\n", qPrintable(LoadString(kMsgWriteError)));
    return kExitFailure;
  }
  if (!VerifyReadBack(session, wanted)) return kExitFailure;
  printChanges();
  return kExitOk;
}

}  // namespace vor::cli
