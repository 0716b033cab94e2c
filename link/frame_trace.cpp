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

void FrameTrace::FrameNotSent() { Print("TX!", {}, QStringLiteral("(not written)")); }

void FrameTrace::FrameReceived(std::span<const std::uint8_t> bytes, Received how) {
  switch (how) {
    case Received::Frame:
      return Print("RX ", bytes);
    case Received::BadChecksum:
      return Print("RX!", bytes, QStringLiteral("(bad checksum)"));
    case Received::NoAnswer:
      return Print("RX!", bytes, QStringLiteral("(no answer)"));
    case Received::Incomplete:
      return Print("RX!", bytes, QStringLiteral("(incomplete)"));
    case Received::LinkLost:
      return Print("RX!", bytes, QStringLiteral("(link lost)"));
    case Received::Aborted:
      return Print("RX!", bytes, QStringLiteral("(abandoned)"));
    case Received::NotSent:
      return Print("RX!", bytes, QStringLiteral("(request not written)"));
  }
}

void FrameTrace::InputDropped(std::span<const std::uint8_t> bytes, int count, bool quiet) {
  QString note = QStringLiteral("(%1 byte%2").arg(count).arg(count == 1 ? "" : "s");
  if (std::size_t(count) > bytes.size()) note = QStringLiteral("... ") + note;
  if (!quiet) note += QStringLiteral(", still coming at the time limit");
  Print("DROP", bytes, note + u')');
}

void FrameTrace::FrameDropped(std::span<const std::uint8_t> bytes, std::uint8_t awaited) {
  Print("DROP", bytes, QStringLiteral("(no answer to %1)").arg(awaited, 2, 16, QLatin1Char('0')));
}

void FrameTrace::Print(const char* tag, std::span<const std::uint8_t> bytes, const QString& note) {
  const double ms = static_cast<double>(clock_.NowUs() - startUs_) / 1000.0;
  QString line = HexBytes(bytes);
  if (!note.isEmpty()) line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + note;
  std::fprintf(out_, "%10.3f ms %s %s\n", ms, tag, qPrintable(line));
  std::fflush(out_);
}

}  // namespace vor
