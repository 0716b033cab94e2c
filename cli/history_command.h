#pragma once

#include <QString>

namespace vor::cli {

// Prints the service history kept beside the backups folder, newest first: every record, or those
// of the controller with serial number `serial` when it is given. As text, a block of lines per
// record; with `json`, one JSON array of the records as the history holds them. Lines of the
// history that cannot be read are told on stderr and skipped.
int HistoryCommand(const QString& serial, bool json);

}  // namespace vor::cli
