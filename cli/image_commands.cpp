#include "cli/image_commands.h"

#include <cstdio>
#include <memory>
#include <optional>

#include "cli/controller_update.h"
#include "cli/link_session.h"
#include "cli/standard_output.h"
#include "definitions/definition_loader.h"
#include "files/apply_rules.h"
#include "files/backup_store.h"
#include "files/definitions_match.h"
#include "files/image_file.h"
#include "link/frame_trace.h"
#include "pages/value_codec.h"

namespace vor::cli {
namespace {

const QString kUseForce =
    QStringLiteral("; nothing was written (use --force to write it all the same)");

void PrintImage(const ConfigImage& image) {
  for (std::size_t row = 0; row < ConfigImage::kSize; row += 16) {
    std::printf("%s\n", qUtf8Printable(HexBytes(std::span(image.bytes).subspan(row, 16))));
  }
}

// The 128 raw bytes on standard output, for `read --out -`.
bool PrintRawImage(const ConfigImage& image) {
  SetStandardOutputBinary();
  std::fwrite(image.bytes.data(), 1, image.bytes.size(), stdout);
  return FlushStandardOutput();
}

// Why `wanted`, the image in `inPath`, is not to be written to the controller that holds
// `current`; empty when it may be. Each check is a line of its own here.
QString WriteRefusal(const QString& inPath, const ConfigImage& wanted, const ConfigImage& current) {
  if (const QString mismatch = DefinitionsMismatch(wanted, current); !mismatch.isEmpty()) {
    return QStringLiteral("%1 does not fit the controller: %2").arg(inPath, mismatch);
  }
  // Written whole, another unit's image would give this one its identity and calibration.
  if (!SameUnit(wanted, current)) {
    return QStringLiteral(
               "%1 is an image of the controller with serial number %2, but this "
               "one's is %3 (vor-cli apply takes its settings alone)")
        .arg(inPath, BackupSerial(wanted), BackupSerial(current));
  }
  return {};
}

// The first field that writing `wanted` over `current` would change to a value its page refuses.
// A value the controller holds already is no change: a backup restores what its unit held.
std::optional<ApplyRow> OutOfRangeChange(const DefinitionSet& set, const ConfigImage& wanted,
                                         const ConfigImage& current) {
  const ApplyPlan changes = PlanApply(set, current, wanted, true);
  const ApplyRow* refused = FirstOutOfRange(set, changes.rows);
  return refused ? std::optional<ApplyRow>(*refused) : std::nullopt;
}

}  // namespace

int ScanCommand(LinkSession& session) {
  if (!session.Connect()) return kExitFailure;
  std::printf("%s\n", qUtf8Printable(session.DevicePath()));
  return kExitOk;
}

int ReadCommand(LinkSession& session, const QString& outPath) {
  if (!session.Connect()) return kExitFailure;
  ConfigImage image;
  if (!session.Read(image)) return kExitFailure;
  if (outPath.isEmpty()) {
    PrintImage(image);
    return kExitOk;
  }
  if (outPath == u"-") return PrintRawImage(image) ? kExitOk : kExitFailure;
  QString error;
  if (!SaveImageFile(outPath, image, error)) {
    PrintError(error);
    return kExitFailure;
  }
  return kExitOk;
}

int WriteCommand(LinkSession& session, const QString& inPath, bool force, bool writeAnyway) {
  ConfigImage wanted;
  QString error;
  if (!LoadImageFile(inPath, wanted, error)) {
    PrintError(error + "; nothing was sent");
    return kExitFailure;
  }
  if (!session.Connect()) return kExitFailure;

  ConfigImage current;
  if (!session.Read(current)) return kExitFailure;
  if (!force) {
    if (const QString refusal = WriteRefusal(inPath, wanted, current); !refusal.isEmpty()) {
      PrintError(refusal + kUseForce);
      return kExitFailure;
    }
    // The image fits the controller's definitions, so they load.
    auto set = std::make_unique<DefinitionSet>();
    if (!LoadDefinitions(current, *set, session.Prompts())) return kExitFailure;
    if (const std::optional<ApplyRow> refused = OutOfRangeChange(*set, wanted, current)) {
      PrintOutOfRange(*set, *refused, inPath, kUseForce);
      return kExitFailure;
    }
  }

  if (!BackUpBeforeWriting(current, writeAnyway)) return kExitFailure;
  if (!session.Write(wanted)) return kExitFailure;
  return VerifyReadBack(session, wanted) ? kExitOk : kExitFailure;
}

void PrintOutOfRange(const DefinitionSet& set, const ApplyRow& row, const QString& path,
                     const QString& outcome) {
  const auto& field = std::get<FieldChange>(row.change);
  std::fprintf(stderr, "%s\n",
               RangeMessage(set.params[std::size_t(field.position)]).toUtf8().constData());
  PrintError(
      QStringLiteral("%1 holds %2 for %3, out of its range").arg(path, field.second, field.label) +
      outcome);
}

bool VerifyReadBack(LinkSession& session, const ConfigImage& written) {
  ConfigImage readBack;
  if (!session.Read(readBack)) {
    PrintError(QStringLiteral(
        "the write took (the controller acknowledged it), but the configuration could not be "
        "read back to check it"));
    return false;
  }
  int differences = 0;
  for (std::size_t addr = 0; addr < ConfigImage::kSize; ++addr) {
    if (readBack[addr] == written[addr]) continue;
    PrintError(QStringLiteral("byte %1 reads back as 0x%2, not 0x%3")
                   .arg(addr)
                   .arg(readBack[addr], 2, 16, QChar(u'0'))
                   .arg(written[addr], 2, 16, QChar(u'0')));
    ++differences;
  }
  if (differences > 0) {
    PrintError(
        QStringLiteral("the controller holds %1 byte(s) other than written").arg(differences));
    return false;
  }
  return true;
}

}  // namespace vor::cli
