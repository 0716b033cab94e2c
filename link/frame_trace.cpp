#include "link/frame_trace.h"

namespace vor {

QString HexBytes(std::span<const std::uint8_t> bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()) * 3);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i) text += u' ';
    text += QString::asprintf("%02x", bytes[i]);
  }
  return text;
}

void FrameTrace::FrameSent(std::span<const std::uint8_t> bytes) { Print("TX ", bytes); }

void FrameTrace::FrameReceived(std::span<const std::uint8_t> bytes, Received how) {
  switch (how) {
    case Received::Frame:
      return Print("RX ", bytes);
    case Received::BadChecksum:
      return Print("RX!", bytes, "(bad checksum)");
    case Received::NoAnswer:
      return Print("RX!", bytes, "(no answer)");
    case Received::LinkLost:
      return Print("RX!", bytes, "(link lost)");
    case Received::Aborted:
      return Print("RX!", bytes, "(abandoned)");
  }
}

void FrameTrace::Print(const char* tag, std::span<const std::uint8_t> bytes, const char* note) {
  const double ms = static_cast<double>(clock_.NowUs() - startUs_) / 1000.0;
  QString line = HexBytes(bytes);
  if (*note) line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + QLatin1String(note);
  std::fprintf(out_, "%10.3f ms %s %s\n", ms, tag, qPrintable(line));
  std::fflush(out_);
}

}  // namespace vor
