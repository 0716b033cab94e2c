#pragma once

#include <QString>

#include "link/config_image.h"

namespace vor::cli {

class LinkSession;

// Exit codes of the commands.
enum ExitCode : int { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

// Prints the device path of the controller found.
int ScanCommand(LinkSession& session);
// Reads the image and prints it as hex, or writes the 128 raw bytes to `outPath` when given.
int ReadCommand(LinkSession& session, const QString& outPath);
// Writes the image in `inPath` and verifies it by reading it back. Refuses an image made for
// another model (bytes 64..66) or taken from another controller (its serial number) unless
// `force`.
int WriteCommand(LinkSession& session, const QString& inPath, bool force);

// Reads the image back after a write and reports on stderr every byte that differs from
// `written`. True when the controller holds exactly `written`; false on a difference or when
// the read fails.
bool VerifyReadBack(LinkSession& session, const ConfigImage& written);

}  // namespace vor::cli
