#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "definitions/definition_set.h"
#include "link/config_image.h"
#include "link/config_transfer.h"

namespace vor {

// The service history: one record for every operation that changed a controller (or tried to),
// whichever program ran it, appended to a file beside the backups folder, one JSON object per
// line. A workshop answers from it "what did we change on this unit, when, and did it take?".

// A value that changed, as the pages show it. `page` is the page's name as files carry it
// ("Vehicle", "Control", "Motor"), empty for a byte that no page shows; `parameter` the field's
// or box's label, or "byte N".
struct ServiceChange {
  QString page;
  QString parameter;
  QString before;
  QString after;
};

// How a write ended, and so what the controller holds.
enum class ServiceOutcome {
  Verified,                 // read back, and it holds every byte written
  AcknowledgedNotVerified,  // every exchange was answered; nothing was read back to check it
  Failed,                   // it did not take: see the record's reason
  Unknown,                  // what the controller holds could not be learnt
};

struct ServiceRecord {
  QDateTime time;
  QString program;  // "vor-user" or "vor-cli"
  QString version;
  QString operation;  // what changed the controller: "write", "apply", "set", "write --in", ...
  QString port;
  QString moduleName;       // the image's module name, e.g. "VOR72450"
  QString modelCode;        // its first three characters
  QString voltageClass;     // the next two
  QString softwareVersion;  // four hex digits
  QString serialNumber;     // decimal
  std::vector<ServiceChange> changes;
  ServiceOutcome outcome = ServiceOutcome::Unknown;
  QString reason;  // why it failed, or what else the outcome needs said; may be empty
  QString backup;  // the backup saved before the write; empty when none could be saved

  bool Verified() const { return outcome == ServiceOutcome::Verified; }
  // "verified", "acknowledged, not verified", "failed: REASON" or "unknown".
  QString OutcomeText() const;
};

// A record of a write of `written` over `before` (the configuration the controller held), with
// the controller's identity and every changed value from the images, labelled by `set` as the
// pages show them. `time`, `program`, `version`, `operation`, `port`, `outcome`, `reason` and
// `backup` are the caller's to fill in.
ServiceRecord RecordOfWrite(const ConfigImage& before, const ConfigImage& written,
                            const DefinitionSet& set);

// The outcome of a write that ended as `status`; `readBack` is what reading back after an
// acknowledged write showed (nullopt when it was not read back or could not be). `reason` is set
// to the sentence that goes with a failure, in English as the history keeps it; its translation
// is found in the context "vor::ServiceHistory".
ServiceOutcome OutcomeOfWrite(WriteStatus status, std::optional<bool> readBackMatches,
                              QString& reason);

QByteArray ServiceRecordJson(const ServiceRecord& record);  // one line, without its line end
std::optional<ServiceRecord> ParseServiceRecord(const QByteArray& line);

// The history file: "service-history.jsonl" in the folder that holds `backupsFolder`.
QString ServiceHistoryPath(const QString& backupsFolder);

// Appends `record` as one line to the history at `path` and syncs it to disk: afterwards the
// record is in the file whole or not at all. A line left torn by an earlier interruption is
// closed first, so the new record starts a line of its own. False, with `error` set to a sentence
// naming the file, when it could not be done (a full disk, a folder that cannot be written); the
// file then holds what it held before.
bool AppendServiceRecord(const QString& path, const ServiceRecord& record, QString& error);

struct ServiceHistory {
  std::vector<ServiceRecord> records;  // in the order written: oldest first
  QStringList warnings;                // lines skipped, each said in a sentence
  QString error;                       // the file could not be read at all
};

// Reads the history at `path`. No file is an empty history. A line that is not a record (the
// torn last line of an append a power cut interrupted, say) is skipped with a warning; the rest
// are kept.
ServiceHistory ReadServiceHistory(const QString& path);

// The records of the controller with serial number `serial`, newest first; every record when
// `serial` is empty. Records at or after `since` only, when it is valid.
std::vector<ServiceRecord> RecordsOf(const ServiceHistory& history, const QString& serial,
                                     const QDateTime& since = {});

}  // namespace vor
