#include "cli/apply_command.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

#include "cli/controller_update.h"
#include "cli/image_commands.h"
#include "cli/link_session.h"
#include "files/apply_rules.h"
#include "files/backup_store.h"
#include "files/definitions_match.h"
#include "files/image_file.h"

namespace vor::cli {
namespace {

QString ByteText(std::uint8_t value) {
  return QStringLiteral("0x%1").arg(value, 2, 16, QChar(u'0'));
}

// A row as the output names it: page (empty for a byte no page shows), parameter, kind, the
// controller's value and the file's.
struct RowText {
  QString page;
  QString parameter;
  QString kind;
  QString controller;
  QString file;
};

RowText TextOf(const ApplyRow& row) {
  if (const auto* field = std::get_if<FieldChange>(&row.change)) {
    return {PageName(field->page), field->label,
            field->box ? QStringLiteral("switch") : QStringLiteral("field"), field->first,
            field->second};
  }
  const auto& byte = std::get<ByteChange>(row.change);
  return {QString(), QStringLiteral("byte %1").arg(byte.addr), QStringLiteral("byte"),
          ByteText(byte.first), ByteText(byte.second)};
}

QJsonObject JsonOf(const RowText& text, const char* controllerKey, const char* fileKey) {
  return {{"page", text.page.isEmpty() ? QJsonValue() : QJsonValue(text.page)},
          {"parameter", text.parameter},
          {"kind", text.kind},
          {controllerKey, text.controller},
          {fileKey, text.file}};
}

void PrintLine(FILE* stream, const QString& line) {
  std::fprintf(stream, "%s\n", line.toUtf8().constData());
}

}  // namespace

int ApplyCommand(LinkSession& session, const QString& path, const UpdateOptions& options,
                 bool json) {
  ConfigImage file;
  QString error;
  if (!LoadImageFile(path, file, error)) {
    PrintError(error + QStringLiteral("; nothing was written"));
    return kExitFailure;
  }

  std::optional<ApplyPlan> planned;
  QString controllerSerial;
  const auto plan = [&](const ConfigImage& current, const DefinitionSet& set, ConfigImage& wanted) {
    if (const QString reason = DefinitionsMismatch(file, set); !reason.isEmpty()) {
      PrintError(QStringLiteral("%1 does not fit this controller: %2; nothing was written")
                     .arg(path, reason));
      return false;
    }
    ApplyPlan plan = PlanApply(set, current, file, current);
    if (const ApplyRow* refused = FirstOutOfRange(set, plan.rows)) {
      PrintOutOfRange(set, *refused, path, QStringLiteral("; nothing was written"));
      return false;
    }
    planned = std::move(plan);
    controllerSerial = BackupSerial(current);
    ApplyRows(set, planned->rows, file, wanted);
    return true;
  };
  const UpdateResult result = UpdateController(session, options, plan);
  if (!planned) return kExitFailure;  // refused, or the controller could not be read

  std::vector<RowText> taken;
  std::vector<RowText> kept;
  for (const ApplyRow& row : planned->rows) (row.checked ? taken : kept).push_back(TextOf(row));
  const bool written = result == UpdateResult::Written;
  if (json) {
    QJsonArray changes;
    for (const RowText& text : taken) changes.append(JsonOf(text, "old", "new"));
    QJsonArray keptRows;
    for (const RowText& text : kept) keptRows.append(JsonOf(text, "controller", "file"));
    const QJsonObject object{{"file", path},
                             {"same_controller", planned->sameUnit},
                             {"serial_number", controllerSerial},
                             {"file_serial_number", BackupSerial(file)},
                             {"changes", changes},
                             {"kept", keptRows},
                             {"dry_run", options.dryRun},
                             {"written", written}};
    std::printf("%s", QJsonDocument(object).toJson(QJsonDocument::Indented).constData());
  } else if (result == UpdateResult::Written || result == UpdateResult::DryRun) {
    for (const RowText& text : taken) {
      PrintLine(stdout,
                QStringLiteral("%1: %2 -> %3").arg(text.parameter, text.controller, text.file));
    }
  }
  if (!json) {
    if (!planned->sameUnit && !kept.empty()) {
      PrintError(QStringLiteral("%1 is of the controller with serial number %2, this one's is "
                                "%3: kept this controller's own")
                     .arg(QFileInfo(path).fileName(), BackupSerial(file), controllerSerial));
    }
    for (const RowText& text : kept) {
      PrintLine(stderr, QStringLiteral("  %1: %2 (the file has %3)")
                            .arg(text.parameter, text.controller, text.file));
    }
  }
  return UpdateExitCode(result, QStringLiteral("the controller holds these values already"));
}

}  // namespace vor::cli
