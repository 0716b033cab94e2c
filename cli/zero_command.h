#pragma once

namespace vor::cli {

class LinkSession;

// One Read of the phase zero calibration: prints per phase its label, its lowest value and its
// readings, as the calibration dialog's fields show them (one JSON object when `json`). Exits 1
// when none of the three exchanges was answered. With `update` it then writes the lowest values
// into bytes 97..99 of the controller's configuration (read, change, write, read back, verify),
// printing "NAME: OLD -> NEW" for each offset that changed once the read-back has verified it,
// and nothing of the kind when the write or the read-back failed. The configuration is backed up
// before that write (BackUpBeforeWriting; `writeAnyway` goes on without a backup).
int ZeroCommand(LinkSession& session, bool update, bool writeAnyway, bool json);

}  // namespace vor::cli
