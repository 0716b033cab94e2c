#include "cli/image_commands.h"

#include <cstdio>

#include "cli/link_session.h"
#include "definitions/model_table.h"
#include "link/frame_trace.h"
#include "link/image_file.h"

namespace vor::cli {
namespace {

void PrintImage(const ConfigImage& image) {
  for (std::size_t row = 0; row < ConfigImage::kSize; row += 16) {
    std::printf("%s\n", qPrintable(HexBytes(std::span(image.bytes).subspan(row, 16))));
  }
}

QString ModelCodeText(const ConfigImage& image) {
  QString text;
  for (std::size_t i = 0; i < kModelCodeSize; ++i) {
    const std::uint8_t c = image[kModuleNameAddr + i];
    text += (c >= 0x20 && c < 0x7F) ? QChar(c) : QChar(u'?');
  }
  return text;
}

}  // namespace

int ScanCommand(LinkSession& session) {
  if (!session.Connect()) return kExitFailure;
  std::printf("%s\n", qPrintable(session.DevicePath()));
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
  QString error;
  if (!SaveImageFile(outPath, image, error)) {
    PrintError(error);
    return kExitFailure;
  }
  return kExitOk;
}

int WriteCommand(LinkSession& session, const QString& inPath, bool force) {
  ConfigImage wanted;
  QString error;
  if (!LoadImageFile(inPath, wanted, error)) {
    PrintError(error + "; nothing was sent");
    return kExitFailure;
  }
  if (!session.Connect()) return kExitFailure;

  ConfigImage current;
  if (!session.Read(current)) return kExitFailure;
  const auto code = [](const ConfigImage& image) {
    return std::span(image.bytes).subspan(kModuleNameAddr, kModelCodeSize);
  };
  if (!std::ranges::equal(code(wanted), code(current)) && !force) {
    PrintError(QStringLiteral("%1 is an image of model \"%2\" but the controller is a \"%3\"; "
                              "nothing was written (use --force to write it all the same)")
                   .arg(inPath, ModelCodeText(wanted), ModelCodeText(current)));
    return kExitFailure;
  }

  if (!session.Write(wanted)) return kExitFailure;
  return VerifyReadBack(session, wanted) ? kExitOk : kExitFailure;
}

bool VerifyReadBack(LinkSession& session, const ConfigImage& written) {
  ConfigImage readBack;
  if (!session.Read(readBack)) return false;
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
