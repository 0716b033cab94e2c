#pragma once

#include <QString>

#include "files/apply_rules.h"
#include "link/config_image.h"

namespace vor::cli {

class LinkSession;

// Exit codes of the commands.
enum ExitCode : int { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

// Prints the device path of the controller found.
int ScanCommand(LinkSession& session);
// Reads the image and prints it as hex, or saves the 128 raw bytes to `outPath` when given
// (SaveFile: never over something that is not a file), or writes them to standard output when
// `outPath` is "-".
int ReadCommand(LinkSession& session, const QString& outPath);
// Writes the image in `inPath` and verifies it by reading it back. Refuses, unless `force`, an
// image that needs other definitions than the controller's (as File > Open refuses it: another
// model, voltage class, software version or special version), an image of another controller
// (its serial number), which would clone that one's identity and calibration, and an image that
// changes a field of the pages to a value out of its range (the page's range message). Backs up
// the controller's configuration first (BackUpBeforeWriting; `writeAnyway` goes on without).
int WriteCommand(LinkSession& session, const QString& inPath, bool force, bool writeAnyway);

// Tells on stderr that the file `path` would put a value out of its range into the field of
// `row`: the page's range message, then the file's value, ending with `outcome` ("; nothing was
// written").
void PrintOutOfRange(const DefinitionSet& set, const ApplyRow& row, const QString& path,
                     const QString& outcome);

// Reads the image back after a write the controller acknowledged and reports on stderr every
// byte that differs from `written`, or, when it cannot be read, that the write took and could
// not be checked. True when the controller holds exactly `written`; false on a difference or when
// the read fails.
bool VerifyReadBack(LinkSession& session, const ConfigImage& written);

}  // namespace vor::cli
